#include "SettingsApp.h"

#include "EngineKeys.h"
#include "HexColorCodec.h"
#include "HostRunner.h"
#include "ProductIdentity.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace sim {

namespace {
constexpr const char* kPane = "VantorelPrefs";
const std::string kBundle = std::string("/Library/PreferenceBundles/") + kPaneBundleFolder;
} // namespace

void SettingsApp::requirePane(const Device& device) {
    if (!std::filesystem::exists(device.hostPath(kBundle)))
        throw SimError("the settings pane is not installed on this device (run: vantorel-sim init)");
}

std::vector<std::string> SettingsApp::run(std::vector<std::string> arguments) {
    HostRunner::Captured captured =
        HostRunner::capture(HostRunner::programFolder() + "/Preferences", hostArguments(arguments));
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
    // The status says what failed; a refusal, an unreadable file or a lost
    // race is the app's last line, and it becomes ours.
    using hosts::HostExitStatus;
    const bool explained = captured.status == hosts::exitCode(HostExitStatus::refused) ||
                           captured.status == hosts::exitCode(HostExitStatus::unreadableFile) ||
                           captured.status == hosts::exitCode(HostExitStatus::lostRace);
    if (explained && !complaint.empty()) {
        const std::size_t lastBreak = complaint.rfind('\n');
        std::string reason = lastBreak == std::string::npos ? complaint : complaint.substr(lastBreak + 1);
        complaint = lastBreak == std::string::npos ? std::string() : complaint.substr(0, lastBreak);
        const std::string program = "Preferences: ";
        if (reason.rfind(program, 0) == 0)
            reason.erase(0, program.size());
        throw Failed(reason, std::move(lines), complaint, static_cast<HostExitStatus>(captured.status));
    }
    throw Failed("the Settings app failed", std::move(lines), complaint, HostExitStatus::internal);
}

std::vector<std::string> SettingsApp::hostArguments(const std::vector<std::string>& arguments) {
    // Options first, then "--": a key or value that starts with "-" stays a value.
    std::vector<std::string> options{"--pane", kPane};
    std::vector<std::string> values{"--"};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (i == 0)
            options.push_back(word); // the verb
        else if (word == "--json" || word == "--alpha" || word == "--cancel")
            options.push_back(word);
        else if ((word == "--colour" || word == "--photo" || word == "--file") && i + 1 < arguments.size())
            options.push_back(word + "=" + arguments[++i]);
        else
            values.push_back(word);
    }
    options.insert(options.end(), values.begin(), values.end());
    return options;
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
