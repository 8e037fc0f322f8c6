#include "Command.h"

namespace sim {

Command::Command(CLI::App& app) {
    app.add_option("--device", m_deviceOption,
                   "Simulated device folder (default: one in your data directory)");
}

const Device& Command::device(DeviceState state) {
    if (!m_device) {
        m_device = Device::resolve(m_deviceOption);
        if (state == DeviceState::initialised)
            m_device->requireInitialised();
        m_device->enter();
    }
    return *m_device;
}

} // namespace sim
