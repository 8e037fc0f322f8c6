#include "Command.h"
#include "Installation.h"
#include "PhotoLibrary.h"

#include <cstdio>
#include <memory>

namespace sim {

void addInitCommand(CLI::App& app, Command& command) {
    CLI::App* init = app.add_subcommand(
        "init", "Create the simulated device and install the product's package (keeps settings)");
    auto conversations = std::make_shared<std::string>();
    init->add_option("--conversations", *conversations,
                     "A property list of the conversations Messages shows (default: keep them, or a sample)");
    init->callback([&command, conversations] {
        const Device& device = command.device(Command::DeviceState::mayBeNew);
        device.createSkeleton();
        Installation::createApplications(device);
        Installation::installConversations(*conversations);
        Installation::installSystemPrograms(device);
        Installation::installProduct(device);
        PhotoLibrary::fillWithSamples();
        std::printf("device ready at %s\n", device.root().c_str());
    });
}

} // namespace sim
