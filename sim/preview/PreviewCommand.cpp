// `preview`: the pane and Messages side by side in a browser, on loopback.
#include "Command.h"
#include "PreviewServer.h"
#include "SettingsApp.h"
#include "SimError.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pthread.h>
#include <thread>

namespace sim {

namespace {

// Serves until Ctrl-C (or a termination request), then removes the drawn files.
void serve(const Device& device, int port) {
    SettingsApp::requirePane(device);
    std::string folder = (std::filesystem::temp_directory_path() / "vantorel-preview-XXXXXX").string();
    if (!::mkdtemp(folder.data()))
        throw SimError("cannot make a folder for the preview's pictures in " +
                       std::filesystem::temp_directory_path().string());
    struct Removal {
        std::string path;
        ~Removal() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } removal{folder};

    // Blocked before any thread starts, so that only the waiter below takes them.
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGINT);
    sigaddset(&stopping, SIGTERM);
    sigaddset(&stopping, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &stopping, nullptr);

    PreviewServer server(device, port, folder);
    std::thread waiter([&server, stopping] {
        int signal = 0;
        sigwait(&stopping, &signal);
        server.stop();
    });
    std::printf("%s\n", server.address().c_str());
    std::fflush(stdout);
    server.run();
    pthread_kill(waiter.native_handle(), SIGUSR1); // a server that stopped by itself releases the waiter
    waiter.join();
    std::printf("preview stopped\n");
}

} // namespace

void addPreviewCommand(cli::App& app, Command& command) {
    auto port = std::make_shared<int>(0);
    cli::App* preview = app.add_subcommand(
        "preview", "Serve a page on 127.0.0.1 to change settings and see Messages redrawn (Ctrl-C stops it)");
    preview->add_option("--port", *port, "Port to listen on (default: a free one)")
        ->check(cli::Range(0, 65535));
    preview->callback([&command, port] { serve(command.device(), *port); });
}

} // namespace sim
