#pragma once
#include "Device.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace sim {

// What every verb shares: the --device option, resolved on first use.
class Command {
  public:
    explicit Command(CLI::App& app);
    enum class DeviceState { initialised, mayBeNew };
    // The device the verb works on; initialised unless it may be new.
    const Device& device(DeviceState state = DeviceState::initialised);
    bool deviceGiven() const { return m_deviceOption.has_value(); }
    // Uses `root` where no --device was given (the demo's temporary device).
    void useDevice(const std::string& root) { m_deviceOption = root; }
    // The verbs that draw sheets take "--appearance both"; every other verb refuses it.
    void allowBothAppearances() { m_bothAllowed = true; }
    // The looks asked for: one, or light then dark.
    std::vector<std::string> looks() const;

  private:
    std::optional<std::string> m_deviceOption;
    std::string m_appearance;
    bool m_bothAllowed = false;
    std::optional<Device> m_device;
};

// Each verb group adds its subcommands to the application.
void addInitCommand(CLI::App& app, Command& command);
void addPrefsCommands(CLI::App& app, Command& command);
void addColourCommands(CLI::App& app, Command& command);
void addDemoCommand(CLI::App& app, Command& command);
void addMessagesCommands(CLI::App& app, Command& command);
void addSystemCommands(CLI::App& app, Command& command);
void addSettingsCommands(CLI::App& app, Command& command);
void addThemeCommands(CLI::App& app, Command& command);
void addContrastCommand(CLI::App& app, Command& command);
void addDoctorCommand(CLI::App& app, Command& command);
void addPhotosCommands(CLI::App& app, Command& command);
void addPackageCommands(CLI::App& app, Command& command);
void addThemePackageCommand(CLI::App& theme);
void addPreviewCommand(CLI::App& app, Command& command);

} // namespace sim
