#include "Command.h"

#include "SimError.h"

#include <cstdlib>

namespace sim {

namespace {
// Read by UIKit in every process of the device, which inherit our environment.
constexpr const char* kAppearanceVariable = "SIMDEVICE_APPEARANCE";
} // namespace

Command::Command(cli::App& app) {
    app.add_option("--device", m_deviceOption,
                   "Simulated device folder (default: one in your data directory)");
    // Light unless asked otherwise, whatever the caller's environment says.
    setenv(kAppearanceVariable, "light", 1);
    app.add_option("--appearance", m_appearance,
                   "The look of every process of the device: light (default) or dark; both: a sheet "
                   "with a row of each")
        ->check(cli::IsMember({"light", "dark", "both"}))
        ->each([](const std::string& look) {
            setenv(kAppearanceVariable, look == "dark" ? "dark" : "light", 1);
        });
}

std::vector<std::string> Command::looks() const {
    if (m_appearance == "both")
        return {"light", "dark"};
    return {m_appearance == "dark" ? "dark" : "light"};
}

const Device& Command::device(DeviceState state) {
    if (m_appearance == "both" && !m_bothAllowed)
        throw SimError(
            "--appearance both only draws sheets: messages screenshot --screen all, theme preview");
    if (!m_device) {
        m_device = Device::resolve(m_deviceOption);
        if (state == DeviceState::initialised)
            m_device->requireInitialised();
        m_device->enter();
    }
    return *m_device;
}

} // namespace sim
