#include "Command.h"

namespace sim {

Command::Command(CLI::App& app) {
    app.add_option("--device", m_deviceOption,
                   "Simulated device folder (default: one in your data directory)");
}

const Device& Command::device(bool mayBeNew) {
    if (!m_device) {
        m_device = Device::resolve(m_deviceOption);
        if (!mayBeNew)
            m_device->requireInitialised();
        m_device->enter();
    }
    return *m_device;
}

} // namespace sim
