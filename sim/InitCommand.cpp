#include "Command.h"
#include "Installation.h"
#include "PhotoLibrary.h"

#include <cstdio>

namespace sim {

void addInitCommand(CLI::App& app, Command& command) {
    CLI::App* init =
        app.add_subcommand("init", "Create the simulated device and install the engine (keeps settings)");
    init->callback([&command] {
        const Device& device = command.device(Command::DeviceState::mayBeNew);
        device.createSkeleton();
        Installation::createApplications(device);
        Installation::installEngine(device);
        Installation::installSystemPrograms(device);
        installSettingsPane(device);
        PhotoLibrary::fillWithSamples();
        std::printf("device ready at %s\n", device.root().c_str());
    });
}

} // namespace sim
