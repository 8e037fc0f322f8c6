// Whole Messages processes, as users run them: `vantorel-sim messages views`
// and `messages screenshot` from start to exit, cold every time. CPU time is
// the operating system's account of the finished processes (the command
// line and the Messages process it waits for); peak memory is the largest of
// them. Lists of 50, 500 and 5,000 conversations; transcripts of 10, 1,000,
// 5,000 and 10,000 messages; the chat screenshot at scale 3 against its views.
#include <benchmark/benchmark.h>

#include "QuietCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A device per content, made once and kept for the whole run.
std::string deviceWith(const std::string& name, int conversations, int messages) {
    static std::map<std::string, std::string> made;
    if (auto found = made.find(name); found != made.end())
        return found->second;
    const fs::path root =
        fs::temp_directory_path() / ("vantorel-process-bench-" + std::to_string(getpid())) / name;
    fs::create_directories(root);
    if (conversations == 0) { // the device's own sample conversations
        QuietCommand::run({QuietCommand::simProgram(), "--device", root.string(), "init"});
        return made[name] = root.string();
    }
    const fs::path file = root.parent_path() / (name + ".plist");
    {
        std::ofstream out(file);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist "
               "version=\"1.0\"><dict><key>conversations</key><array>";
        for (int i = 0; i < conversations; ++i) {
            out << "<dict><key>name</key><string>Contact " << i
                << "</string><key>summary</key><string>A summary of the last message, two lines long when it "
                   "does not fit on one</string><key>date</key><string>9:41 "
                   "AM</string><key>messages</key><array>";
            for (int m = 0; i == 0 && m < messages; ++m)
                out << "<dict><key>kind</key><string>" << (m % 3 == 0 ? "incoming" : "imessage")
                    << "</string><key>text</key><string>Message " << m
                    << ", long enough to wrap onto a second line of the balloon</string></dict>";
            out << "</array></dict>";
        }
        out << "</array></dict></plist>\n";
    }
    QuietCommand::run(
        {QuietCommand::simProgram(), "--device", root.string(), "init", "--conversations", file.string()});
    return made[name] = root.string();
}

void measure(benchmark::State& state, const std::string& device, std::vector<std::string> arguments) {
    std::vector<std::string> words{QuietCommand::simProgram(), "--device", device};
    words.insert(words.end(), arguments.begin(), arguments.end());
    double peak = 0;
    for (auto _ : state) {
        const QuietCommand::Outcome usage = QuietCommand::run(words);
        if (!usage.ok()) {
            state.SkipWithError("the command failed");
            return;
        }
        state.SetIterationTime(usage.cpuSeconds);
        peak = std::max(peak, usage.peakMiB);
    }
    state.counters["peak_MiB"] = peak;
}

// Argument: the number of conversations.
void BM_ProcessListViews(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    measure(state, deviceWith("list-" + std::to_string(count), count, 10),
            {"messages", "views", "--screen", "list"});
}
BENCHMARK(BM_ProcessListViews)
    ->Arg(50)
    ->Arg(500)
    ->Arg(5000)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// Argument: the number of messages in the transcript.
void BM_ProcessChatViews(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    measure(state, deviceWith("chat-" + std::to_string(count), 3, count),
            {"messages", "views", "--screen", "chat"});
}
BENCHMARK(BM_ProcessChatViews)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// The sample chat (text, a picture, a link, the keyboard's blur) laid out,
// then drawn at scale 3 and encoded. Cold: a fresh process draws into fresh
// memory and encodes, as the command line always does.
void BM_ProcessSampleChatViews(benchmark::State& state) {
    measure(state, deviceWith("sample", 0, 0), {"messages", "views", "--screen", "chat"});
}
BENCHMARK(BM_ProcessSampleChatViews)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_ProcessChatScreenshot(benchmark::State& state) {
    const std::string device = deviceWith("sample", 0, 0);
    const std::string file = (fs::path(device) / "chat.png").string();
    measure(state, device, {"messages", "screenshot", "--screen", "chat", "--scale", "3", "-o", file});
}
BENCHMARK(BM_ProcessChatScreenshot)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(fs::temp_directory_path() / ("vantorel-process-bench-" + std::to_string(getpid())),
                   ignored);
    return 0;
}
