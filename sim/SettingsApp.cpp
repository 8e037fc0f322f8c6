#include "SettingsApp.h"

#include "EngineKeys.h"
#include "HexColorCodec.h"
#include "HostRunner.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace sim {

namespace {
constexpr const char* kPane = "VantorelPrefs";
constexpr const char* kBundle = "/Library/PreferenceBundles/VantorelPrefs.bundle";
} // namespace

void SettingsApp::requirePane(const Device& device) {
    if (!std::filesystem::exists(device.hostPath(kBundle)))
        throw SimError("the settings pane is not installed on this device (run: vantorel-sim init)");
}

std::vector<std::string> SettingsApp::run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--pane", kPane});
    HostRunner::Captured captured =
        HostRunner::capture(HostRunner::programFolder() + "/Preferences", arguments);
    std::vector<std::string> lines;
    std::istringstream output(captured.output);
    for (std::string line; std::getline(output, line);)
        lines.push_back(line);
    std::string complaint = captured.errors;
    if (captured.status == 0) {
        std::fputs(complaint.c_str(), stderr); // warnings of a successful run still reach the user
        return lines;
    }
    while (!complaint.empty() && complaint.back() == '\n')
        complaint.pop_back();
    // The app's own one-line refusal becomes ours.
    const std::string prefix = "Preferences: ";
    if (complaint.rfind(prefix, 0) == 0 && complaint.find('\n') == std::string::npos)
        throw Failed(complaint.substr(prefix.size()), std::move(lines), "");
    throw Failed("the Settings app failed", std::move(lines), complaint);
}

std::optional<std::string> SettingsApp::pickerColour(const std::string& text) {
    if (!EngineKeys::readsAsColour(text))
        return std::nullopt;
    const HexColorCodec codec(HexColorCodec::Variant::pane);
    return HexColorCodec::hexStringFromColor(codec.colorWithHexString(text));
}

std::vector<std::string> SettingsApp::set(const std::string& key, const std::string& value) {
    std::vector<std::string> arguments{"set", key, value};
    // Should the row be a colour row, its picker is given this colour.
    if (std::optional<std::string> colour = pickerColour(value))
        arguments.insert(arguments.end(), {"--colour", *colour});
    return run(arguments);
}

std::vector<std::string> SettingsApp::pickColour(const std::string& key,
                                                 const std::vector<std::string>& colours, bool withAlpha) {
    std::vector<std::string> arguments{"pick-colour", key};
    if (withAlpha)
        arguments.push_back("--alpha");
    for (const std::string& text : colours) {
        std::optional<std::string> colour = pickerColour(text);
        if (!colour)
            throw SimError("'" + text + "' is not a colour (RRGGBBAA, RRGGBB, RGB or a colour name)");
        arguments.push_back(*colour);
    }
    if (colours.empty())
        throw SimError("pick-colour: name at least one colour");
    return run(arguments);
}

std::vector<std::string> SettingsApp::choose(const std::string& key, const std::string& entry) {
    return run({"choose", key, entry});
}

std::vector<std::string> SettingsApp::pickImage(const std::string& key, ImageSource source,
                                                const std::string& value) {
    return run({"pick-image", key, source == ImageSource::photo ? "--photo" : "--file", value});
}

std::vector<std::string> SettingsApp::screenshot(const std::string& page, const std::string& hostFile,
                                                 const std::string& scale) {
    return run({"screenshot", page, hostFile, scale});
}

} // namespace sim
