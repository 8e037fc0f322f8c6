#include "Command.h"
#include "Installation.h"
#include "PhotoLibrary.h"
#include "SimError.h"

#include <Foundation/PlistFileLock.h>
#include <MobileCoreServices/ApplicationRegistry.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

namespace sim {

void addInitCommand(cli::App& app, Command& command) {
    cli::App* init = app.add_subcommand(
        "init", "Create the simulated device and install the product's package (keeps settings)");
    auto conversations = std::make_shared<std::string>();
    cli::Option* conversationsOption = init->add_option(
        "--conversations", *conversations,
        "A property list of the conversations Messages shows (default: keep them, or a sample)");
    init->callback([&command, conversations, conversationsOption] {
        if (conversationsOption->count() > 0 && conversations->empty())
            throw SimError("init --conversations: the file name is empty");
        const Device& device = command.device(Command::DeviceState::mayBeNew);
        device.createSkeleton();
        // Two inits at once would each make containers for an empty registry and
        // one registry would win, orphaning the other's: the second waits. The
        // registry's own lock, so that the registry write nests inside it.
        std::error_code error;
        std::filesystem::create_directories(device.hostPath("/var/mobile/Library/MobileInstallation"), error);
        std::optional<ns::Result<ns::PlistFileLock>> lock;
        for (int wait = 0; wait < 6; ++wait) {
            lock.emplace(ns::PlistFileLock::acquire(mcs::ApplicationRegistry::kRegistryPath));
            if (lock->ok() || lock->kind() != ns::FailureKind::Locked)
                break;
        }
        if (!lock->ok())
            throw SimError("cannot lock the device for init: " + lock->error());
        Installation::createApplications(device);
        Installation::installConversations(*conversations);
        Installation::installSystemPrograms(device);
        Installation::installProduct(device);
        PhotoLibrary::fillWithSamples();
        std::printf("device ready at %s\n", device.root().c_str());
    });
}

} // namespace sim
