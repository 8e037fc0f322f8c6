#pragma once
#include "Device.h"

#include "CommandLine.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

// What every verb shares: the --device option, resolved on first use.
class Command {
  public:
    explicit Command(cli::App& app);
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
void addInitCommand(cli::App& app, Command& command);
void addPrefsCommands(cli::App& app, Command& command);
void addColourCommands(cli::App& app, Command& command);
void addDemoCommand(cli::App& app, Command& command);
void addMessagesCommands(cli::App& app, Command& command);
void addSystemCommands(cli::App& app, Command& command);
void addSettingsCommands(cli::App& app, Command& command);
void addThemeCommands(cli::App& app, Command& command);
void addContrastCommand(cli::App& app, Command& command);
void addDoctorCommand(cli::App& app, Command& command);
void addPhotosCommands(cli::App& app, Command& command);
void addPackageCommands(cli::App& app, Command& command);
void addThemePackageCommand(cli::App& theme);
void addPreviewCommand(cli::App& app, Command& command);

} // namespace sim
