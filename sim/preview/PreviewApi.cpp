#include "PreviewApi.h"

#include "ContrastReport.h"
#include "Doctor.h"
#include "MessagesApp.h"
#include "PQPrefs.h"
#include "PhotoLibrary.h"
#include "PreferenceKeys.h"
#include "Respring.h"
#include "SettingsApp.h"
#include "SimError.h"
#include "ThemeActions.h"
#include "ThemeStore.h"

#include <Foundation/PlistFile.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

namespace sim {

namespace fs = std::filesystem;

namespace {

std::string preferenceFile() {
    return PQPrefs::shared()->pathForID(kPreferenceDomain);
}

PreviewApi::Json fromPlist(const ns::PlistValue& value) {
    if (value.isBool())
        return value.boolValue();
    if (value.isInteger())
        return value.integerValue();
    if (value.isReal())
        return value.doubleValue();
    if (value.isString())
        return value.stringValue();
    return value.description();
}

// A field of a request's JSON object, of the kind asked for.
const PreviewApi::Json& field(const PreviewApi::Json& body, const char* name) {
    if (!body.is_object() || !body.contains(name))
        throw SimError(std::string("the request names no \"") + name + "\"");
    return body.at(name);
}

std::string text(const PreviewApi::Json& body, const char* name) {
    const PreviewApi::Json& value = field(body, name);
    if (!value.is_string())
        throw SimError(std::string("\"") + name + "\" must be a string");
    return value.get<std::string>();
}

bool flag(const PreviewApi::Json& body, const char* name) {
    if (!body.is_object() || !body.contains(name))
        return false;
    if (!body.at(name).is_boolean())
        throw SimError(std::string("\"") + name + "\" must be true or false");
    return body.at(name).get<bool>();
}

// A menu as the pane opens it: its title line, then entries, the chosen one ticked.
PreviewApi::Json menuOf(const PreviewApi::Json& lines) {
    PreviewApi::Json menu{{"title", ""}, {"entries", PreviewApi::Json::array()}, {"chosen", -1}};
    const std::string tick = "\u2713 ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = lines[i].get<std::string>();
        if (i == 0) {
            menu["title"] = line;
            continue;
        }
        if (line.rfind(tick, 0) == 0)
            menu["chosen"] = static_cast<int>(i - 1);
        menu["entries"].push_back(line.substr(line.rfind(tick, 0) == 0 ? tick.size() : 2));
    }
    return menu;
}

} // namespace

PreviewApi::PreviewApi(const Device& device, std::string folder)
    : m_device(device), m_folder(folder), m_pictures(std::move(folder)) {}

template <typename Change> PreviewApi::Json PreviewApi::change(Change&& work) {
    std::unique_lock lock(m_state);
    SettingsApp::requirePane(m_device);
    Json answer = work();
    ++m_generation;
    m_pictures.forget();
    Respring::run(m_device);
    return answer;
}

std::string PreviewApi::version() {
    struct stat file {};
    std::string stamp = std::to_string(m_generation.load());
    if (::stat(m_device.hostPath(preferenceFile()).c_str(), &file) == 0)
        stamp += "-" + std::to_string(file.st_ino) + "-" + std::to_string(file.st_size) + "-" +
                 std::to_string(file.st_mtim.tv_sec) + "." + std::to_string(file.st_mtim.tv_nsec);
    return stamp;
}

PreviewApi::Json PreviewApi::stored(const std::string& key) {
    auto file = ns::PlistFile::readDictionary(preferenceFile());
    if (!file)
        return nullptr;
    auto at = file.value().find(key);
    return at == file.value().end() ? Json(nullptr) : fromPlist(at->second);
}

PreviewApi::Json PreviewApi::pages() {
    std::shared_lock lock(m_state);
    const std::string now = version();
    std::lock_guard cache(m_pagesMutex);
    if (now == m_pagesVersion)
        return m_pages;
    SettingsApp::requirePane(m_device);
    const std::vector<std::string> lines = SettingsApp::run({"pages", "--json"});
    Json answer = Json::parse(lines.empty() ? std::string("{}") : lines.front(), nullptr, false);
    if (answer.is_discarded() || !answer.contains("pages"))
        throw SimError("the Settings app described no pages");
    for (Json& page : answer["pages"])
        for (Json& row : page["rows"])
            if (row.contains("menu"))
                row["menu"] = menuOf(row["menu"]);
    m_pages = answer;
    m_pagesVersion = now;
    return answer;
}

PreviewApi::Json PreviewApi::info(const std::string& key) {
    std::shared_lock lock(m_state);
    Json answer{{"key", key}};
    for (const std::string& line : SettingsApp::run({"info", key})) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos)
            answer[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return answer;
}

PreviewApi::Json PreviewApi::photos() {
    std::unique_lock lock(m_state);
    Json list = Json::array();
    for (const PhotoLibrary::Photo& photo : PhotoLibrary::list())
        list.push_back({{"name", photo.name},
                        {"format", photo.picture.format},
                        {"width", photo.picture.width},
                        {"height", photo.picture.height}});
    return {{"photos", list}};
}

PreviewApi::Json PreviewApi::presets() {
    Json list = Json::array();
    std::vector<std::pair<std::string, fs::path>> files;
    for (const fs::path& file : ThemeActions::presetFiles())
        files.emplace_back(file.stem().string(), file);
    for (const ThemePackage::Installed& installed : ThemeActions::installedThemes(m_device))
        files.emplace_back(installed.name, m_device.hostPath(installed.file));
    for (const auto& [name, file] : files) {
        ThemeFile::Checked checked = ThemeFile::read(file.string());
        Json preset{{"name", name}};
        if (checked.problems.empty()) {
            preset["title"] = checked.theme.name;
            if (checked.theme.note)
                preset["note"] = *checked.theme.note;
        }
        list.push_back(preset);
    }
    return {{"presets", list}};
}

PreviewApi::Json PreviewApi::contrast() {
    std::unique_lock lock(m_state);
    const ContrastReport report = ContrastReport::make();
    Json pairs = Json::array();
    for (const ContrastReport::Line& line : report.lines) {
        Json pair{{"text", line.pair.text},
                  {"background", line.pair.background},
                  {"screen", ContrastPairs::screenName(line.pair.screen)},
                  {"ratio", line.shownRatio},
                  {"level", Contrast::levelName(line.pair.level)},
                  {"under", line.under}};
        if (line.suggestion) {
            pair["suggestion"] = *line.suggestion;
            pair["suggestionRatio"] = line.suggestionRatio;
        }
        pairs.push_back(pair);
    }
    Json answer{{"pairs", pairs}, {"unchecked", report.unchecked}};
    if (report.warning)
        answer["warning"] = *report.warning;
    return answer;
}

PreviewApi::Json PreviewApi::doctor() {
    std::unique_lock lock(m_state);
    Json findings = Json::array();
    Doctor examiner(m_device);
    for (const Doctor::Finding& finding : examiner.examine())
        findings.push_back({{"verdict", Doctor::verdictName(finding.verdict)},
                            {"text", finding.text},
                            {"fix", finding.fix}});
    return {{"findings", findings}};
}

PreviewApi::Json PreviewApi::set(const Json& body) {
    const std::string key = text(body, "key");
    const Json& given = field(body, "value");
    std::string value;
    if (given.is_string())
        value = given.get<std::string>();
    else if (given.is_boolean())
        value = given.get<bool>() ? "on" : "off";
    else if (given.is_number_integer())
        value = std::to_string(given.get<long long>());
    else
        throw SimError("\"value\" must be a string, true or false, or a whole number");
    return change([&] {
        SettingsApp::set(key, value);
        return Json{{"key", key}, {"value", stored(key)}};
    });
}

PreviewApi::Json PreviewApi::pickColour(const Json& body) {
    const std::string key = text(body, "key");
    std::vector<std::string> colours;
    if (body.contains("colours")) {
        const Json& list = field(body, "colours");
        if (!list.is_array())
            throw SimError("\"colours\" must be a list of colours");
        for (const Json& colour : list) {
            if (!colour.is_string())
                throw SimError("\"colours\" must be a list of colours");
            colours.push_back(colour.get<std::string>());
        }
    } else {
        colours.push_back(text(body, "colour"));
    }
    const bool withAlpha = flag(body, "alpha");
    return change([&] {
        SettingsApp::pickColour(key, colours, withAlpha);
        return Json{{"key", key}, {"value", stored(key)}};
    });
}

PreviewApi::Json PreviewApi::choose(const Json& body) {
    const std::string key = text(body, "key");
    const Json& given = field(body, "entry");
    if (!given.is_string() && !given.is_number_unsigned())
        throw SimError("\"entry\" must be a title or a position from 0");
    const std::string entry =
        given.is_string() ? given.get<std::string>() : std::to_string(given.get<unsigned>());
    return change([&] {
        SettingsApp::choose(key, entry);
        return Json{{"key", key}, {"value", stored(key)}};
    });
}

PreviewApi::Json PreviewApi::pickPhoto(const Json& body) {
    const std::string key = text(body, "key");
    const std::string photo = text(body, "photo");
    // Photos are named as the library lists them; a name is never a path.
    if (photo.empty() || photo.find_first_of("/\\") != std::string::npos || photo.front() == '.' ||
        photo.find('\0') != std::string::npos)
        throw SimError("'" + photo + "' is not a photo name (see: photos list)");
    return change([&] {
        const std::vector<PhotoLibrary::Photo> library = PhotoLibrary::list();
        if (std::none_of(library.begin(), library.end(),
                         [&](const PhotoLibrary::Photo& p) { return p.name == photo; }))
            throw SimError("no photo '" + photo + "' in the library");
        SettingsApp::pickImage(key, SettingsApp::ImageSource::photo, photo);
        return Json{{"key", key}, {"photo", photo}};
    });
}

std::string PreviewApi::temporaryFile(const std::string& name, const std::string& bytes) {
    const std::string path = m_folder + "/" + name + "-" + std::to_string(++m_uploads);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw SimError("cannot keep the upload: the server's folder is not writable");
    return path;
}

PreviewApi::Json PreviewApi::pickUpload(const std::string& key, const std::string& picture) {
    if (key.empty())
        throw SimError("the upload names no key (?key=...)");
    const std::string file = temporaryFile("upload", picture);
    struct Removal {
        std::string path;
        ~Removal() {
            std::error_code ignored;
            fs::remove(path, ignored);
        }
    } removal{file};
    PhotoLibrary::readHostPicture(file); // refused in one line before the pane sees it
    return change([&] {
        SettingsApp::pickImage(key, SettingsApp::ImageSource::hostFile, file);
        return Json{{"key", key}, {"bytes", picture.size()}};
    });
}

PreviewApi::Json PreviewApi::applyPreset(const Json& body) {
    const std::string name = text(body, "preset");
    const bool replace = flag(body, "replace");
    const fs::path file = ThemeActions::findPreset(m_device, name);
    ThemeFile::Checked checked = ThemeFile::read(file.string());
    if (!checked.problems.empty())
        throw SimError(name + ": " + checked.problems.front());
    return change([&] {
        ThemeStore::Imported imported =
            ThemeStore::import(checked.theme, replace ? ThemeStore::Mode::replace : ThemeStore::Mode::merge);
        return Json{{"preset", name}, {"keysSet", imported.keysSet}, {"keysRemoved", imported.keysRemoved}};
    });
}

PreviewApi::Json PreviewApi::importTheme(const std::string& bytes, bool replace, bool confirm) {
    const std::string file = temporaryFile("theme", bytes);
    ThemeFile::Checked checked = ThemeFile::read(file);
    std::error_code ignored;
    fs::remove(file, ignored);
    if (!checked.problems.empty()) {
        std::string line = checked.problems.front();
        if (checked.problems.size() > 1)
            line += " (and " + std::to_string(checked.problems.size() - 1) + " more)";
        throw SimError(line + "; nothing written");
    }
    const ThemeStore::Mode mode = replace ? ThemeStore::Mode::replace : ThemeStore::Mode::merge;
    if (!confirm) {
        std::unique_lock lock(m_state);
        Json changes = Json::array();
        for (const ThemeStore::Change& c : ThemeStore::changes(checked.theme, mode)) {
            auto shown = [](const std::optional<ns::PlistValue>& value) -> Json {
                if (!value)
                    return nullptr;
                if (value->isData())
                    return std::to_string(value->asData()->size()) + " bytes";
                return value->description();
            };
            changes.push_back({{"what", c.what}, {"before", shown(c.before)}, {"after", shown(c.after)}});
        }
        return {{"name", checked.theme.name}, {"changes", changes}};
    }
    return change([&] {
        ThemeStore::Imported imported = ThemeStore::import(checked.theme, mode);
        return Json{{"name", checked.theme.name},
                    {"keysSet", imported.keysSet},
                    {"keysRemoved", imported.keysRemoved},
                    {"wallpapers", imported.wallpapersWritten}};
    });
}

std::string PreviewApi::exportTheme() {
    std::unique_lock lock(m_state);
    ThemeActions::Export exported = ThemeActions::exportNamed("studio", true);
    const std::string file = m_folder + "/export-" + std::to_string(++m_uploads) + ".plist";
    if (auto written = ThemeFile::write(file, exported.theme); !written.ok())
        throw SimError("cannot export: " + written.error());
    std::ifstream in(file, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::error_code ignored;
    fs::remove(file, ignored);
    return bytes;
}

PreviewPictures::Picture PreviewApi::screen(const std::string& name, const std::string& appearance,
                                            int scale) {
    const auto& screens = MessagesApp::screens();
    if (std::find(screens.begin(), screens.end(), name) == screens.end())
        throw SimError("no screen '" + name + "' (screens: list, search, swipe, chat, menu)");
    if (appearance != "light" && appearance != "dark")
        throw SimError("appearance is light or dark");
    if (scale < 1 || scale > 3)
        throw SimError("scale is 1, 2 or 3");
    std::shared_lock lock(m_state);
    return m_pictures.get("messages-" + name + "-" + appearance + "-" + std::to_string(scale),
                          [&](const std::string& file) {
                              MessagesApp::screenshot(name, file, std::to_string(scale), appearance);
                          });
}

PreviewPictures::Picture PreviewApi::page(const std::string& name) {
    const Json known = pages();
    const bool found = std::any_of(known["pages"].begin(), known["pages"].end(),
                                   [&](const Json& page) { return page["name"] == name; });
    if (!found)
        throw SimError("no page '" + name + "'");
    std::shared_lock lock(m_state);
    return m_pictures.get("settings-" + name,
                          [&](const std::string& file) { SettingsApp::screenshot(name, file, "1"); });
}

} // namespace sim
