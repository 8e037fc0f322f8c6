// The preview page's goals: a colour change to the chat screen redrawn (beside
// the command line's chain of verbs, in the same run), and 1,000 mixed
// requests from 4 clients with no lost update, no unintended error and flat
// memory. Wall time throughout: the work is in the device's processes.
#include <benchmark/benchmark.h>

#include "QuietCommand.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <regex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string sim() {
    return QuietCommand::simProgram();
}

int runQuietly(std::vector<std::string> words) {
    return QuietCommand::run(std::move(words), QuietCommand::Errors::show).ok() ? 0 : 1;
}

// A fresh device with its preview server on a free port.
class Server {
  public:
    Server() : m_root(fs::temp_directory_path() / ("vantorel-preview-bench-" + std::to_string(getpid()))) {
        runQuietly({sim(), "--device", m_root.string(), "init"});
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        std::vector<std::string> words{sim(), "--device", m_root.string(), "preview"};
        std::vector<char*> argv = QuietCommand::argv(words);
        posix_spawn(&m_pid, words[0].c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        std::string line;
        char c;
        while (read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            line += c;
        close(pipeEnds[0]);
        std::smatch port;
        if (std::regex_search(line, port, std::regex(":([0-9]+)/")))
            m_port = std::stoi(port[1]);
        httplib::Client client = this->client();
        if (auto page = client.Get("/")) {
            std::smatch token;
            if (std::regex_search(page->body, token, std::regex("vantorel-token\" content=\"([0-9a-f]+)\"")))
                m_token = token[1];
        }
    }
    ~Server() {
        if (m_pid > 0) {
            kill(m_pid, SIGINT);
            waitpid(m_pid, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
    bool ok() const { return m_port > 0 && !m_token.empty(); }
    httplib::Client client() const {
        httplib::Client client("127.0.0.1", m_port);
        client.set_read_timeout(300, 0);
        return client;
    }
    httplib::Headers headers() const { return {{"X-Vantorel-Token", m_token}}; }
    long rssKilobytes() const {
        std::ifstream status("/proc/" + std::to_string(m_pid) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmRSS:", 0) == 0)
                return std::stol(line.substr(6));
        return -1;
    }
    const fs::path& root() const { return m_root; }

  private:
    fs::path m_root;
    pid_t m_pid = -1;
    int m_port = 0;
    std::string m_token;
};

std::string colour(int i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", (i * 37) & 0xFF, (i * 91) & 0xFF, 0x80);
    return hex;
}

void BM_PreviewColourToChat(benchmark::State& state) {
    Server server;
    if (!server.ok()) {
        state.SkipWithError("the preview server did not start");
        return;
    }
    httplib::Client client = server.client();
    int i = 0;
    for (auto _ : state) {
        const std::string body = nlohmann::json{{"key", "chatBackground"}, {"colour", colour(++i)}}.dump();
        auto changed = client.Post("/api/pick-colour", server.headers(), body, "application/json");
        auto chat = client.Get("/api/screens/chat.png?scale=2");
        if (!changed || changed->status != 200 || !chat || chat->status != 200)
            state.SkipWithError("a request failed");
    }
}
BENCHMARK(BM_PreviewColourToChat)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_CommandLineColourToChat(benchmark::State& state) {
    const fs::path root = fs::temp_directory_path() / ("vantorel-cli-bench-" + std::to_string(getpid()));
    runQuietly({sim(), "--device", root.string(), "init"});
    const std::string shot = (root / "chat.png").string();
    int i = 0;
    for (auto _ : state) {
        int failed = runQuietly(
            {sim(), "--device", root.string(), "settings", "pick-colour", "chatBackground", colour(++i)});
        failed |= runQuietly({sim(), "--device", root.string(), "respring"});
        failed |= runQuietly({sim(), "--device", root.string(), "messages", "screenshot", "--screen", "chat",
                              "--scale", "2", "-o", shot});
        if (failed)
            state.SkipWithError("a verb failed");
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}
BENCHMARK(BM_CommandLineColourToChat)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// 4 clients, 250 requests each: mostly reads (pictures, pages, contrast,
// doctor, version), one in ten a change of the client's own keys, one in
// twenty a request without the token that must be refused.
void BM_PreviewMixedRequests(benchmark::State& state) {
    Server server;
    if (!server.ok()) {
        state.SkipWithError("the preview server did not start");
        return;
    }
    const std::vector<std::vector<std::string>> keys{{"red", "yellow"},
                                                     {"green", "indigo"},
                                                     {"primarylabel", "secondarylabel"},
                                                     {"tertiarylabel", "quaternarylabel"}};
    std::atomic<int> unintended{0}, refusals{0};
    std::mutex lastMutex;
    std::map<std::string, std::string> last; // what each key must hold at the end
    long rssWarm = 0, rssEnd = 0;
    for (auto _ : state) {
        auto clientWork = [&](int n, int from, int to) {
            httplib::Client client = server.client();
            std::mt19937 random(static_cast<unsigned>(n * 1000 + from));
            for (int i = from; i < to; ++i) {
                const int kind = static_cast<int>(random() % 20);
                int status = -1;
                int expected = 200;
                auto got = [&status](const httplib::Result& answer) {
                    if (answer)
                        status = answer->status;
                };
                if (kind < 2) {
                    const std::string& key = keys[n][i % 2];
                    const std::string value = colour(i * 4 + n);
                    got(client.Post("/api/set", server.headers(),
                                    nlohmann::json{{"key", key}, {"value", value}}.dump(),
                                    "application/json"));
                    if (status == 200) {
                        std::lock_guard lock(lastMutex);
                        last[key] = value + "FF";
                    }
                } else if (kind == 2) {
                    got(client.Post("/api/set", R"({"key":"red","value":"000000"})", "application/json"));
                    expected = 403;
                    ++refusals;
                } else if (kind < 9) {
                    static const char* screens[] = {"list", "search", "swipe", "chat", "menu"};
                    got(client.Get(std::string("/api/screens/") + screens[random() % 5] + ".png?scale=1" +
                                   (random() % 2 ? "&appearance=dark" : "")));
                } else if (kind < 12) {
                    got(client.Get("/api/pages"));
                } else if (kind < 14) {
                    got(client.Get("/api/contrast"));
                } else if (kind < 15) {
                    got(client.Get("/api/doctor"));
                } else {
                    got(client.Get("/api/version"));
                }
                if (status != expected)
                    ++unintended;
            }
        };
        auto round = [&](int from, int to) {
            std::vector<std::thread> clients;
            for (int n = 0; n < 4; ++n)
                clients.emplace_back(clientWork, n, from, to);
            for (std::thread& client : clients)
                client.join();
        };
        round(0, 25); // the first 100 requests warm the caches and the allocator
        rssWarm = server.rssKilobytes();
        round(25, 250);
        rssEnd = server.rssKilobytes();
    }
    // Lost updates: the last value each client stored must be the one kept.
    httplib::Client client = server.client();
    int lost = 0;
    auto pages = client.Get("/api/pages");
    nlohmann::json answer = pages ? nlohmann::json::parse(pages->body, nullptr, false) : nlohmann::json();
    for (const auto& [key, value] : last) {
        bool found = false;
        if (answer.is_object())
            for (const auto& page : answer["pages"])
                for (const auto& row : page["rows"])
                    found = found || (row["key"] == key && row["value"] == value);
        lost += found ? 0 : 1;
    }
    state.counters["requests"] = 1000;
    state.counters["unintended"] = unintended.load();
    state.counters["refused"] = refusals.load();
    state.counters["lost"] = lost;
    state.counters["rss_warm_kb"] = static_cast<double>(rssWarm);
    state.counters["rss_end_kb"] = static_cast<double>(rssEnd);
}
BENCHMARK(BM_PreviewMixedRequests)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
