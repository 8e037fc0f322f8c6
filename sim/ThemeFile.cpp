#include "ThemeFile.h"

#include "EngineKeys.h"
#include "Wallpapers.h"

#include <Foundation/PlistFile.h>

#include <set>

namespace sim {

namespace {

const char* const kFormatVersionField = "FormatVersion";
const char* const kNameField = "Name";
const char* const kAuthorField = "Author";
const char* const kNoteField = "Note";
const char* const kCreatedField = "Created";
const char* const kValuesField = "Values";
const char* const kWallpapersField = "Wallpapers";

std::optional<std::string> optionalText(const ns::PlistDictionary& file, const char* field,
                                        std::vector<std::string>& problems) {
    auto it = file.find(field);
    if (it == file.end())
        return std::nullopt;
    if (!it->second.isString()) {
        problems.push_back(std::string(field) + " is not text");
        return std::nullopt;
    }
    return *it->second.asString();
}

void checkHeader(const ns::PlistDictionary& file, ThemeFile::Checked& checked) {
    auto version = file.find(kFormatVersionField);
    if (version == file.end())
        checked.problems.push_back("no FormatVersion: not a theme file");
    else if (!version->second.isInteger())
        checked.problems.push_back(
            "FormatVersion must be the integer " + std::to_string(ThemeFile::kFormatVersion) + ", not " +
            (version->second.isString() ? "the text '" : "'") + version->second.description() + "'");
    else if (version->second.isWideUnsigned() || *version->second.asInteger() != ThemeFile::kFormatVersion)
        checked.problems.push_back("FormatVersion " + version->second.stringValue() +
                                   " is not supported (this vantorel-sim reads version " +
                                   std::to_string(ThemeFile::kFormatVersion) + ")");
    auto name = file.find(kNameField);
    if (name == file.end() || !name->second.isString() || name->second.asString()->empty())
        checked.problems.push_back("the theme has no Name (text)");
    else
        checked.theme.name = *name->second.asString();
    checked.theme.author = optionalText(file, kAuthorField, checked.problems);
    checked.theme.note = optionalText(file, kNoteField, checked.problems);
    if (auto created = file.find(kCreatedField); created != file.end()) {
        if (created->second.isDate())
            checked.theme.created = created->second.asDate();
        else
            checked.problems.push_back("Created is not a date");
    }
    static const std::set<std::string> kFields{kFormatVersionField, kNameField,   kAuthorField,    kNoteField,
                                               kCreatedField,       kValuesField, kWallpapersField};
    for (const auto& [field, value] : file)
        if (!kFields.count(field))
            checked.problems.push_back("unknown field '" + field + "' in the theme file");
}

void checkValues(const ns::PlistDictionary& file, ThemeFile::Checked& checked) {
    auto values = file.find(kValuesField);
    if (values == file.end()) {
        checked.problems.push_back("no Values: the theme sets nothing");
        return;
    }
    if (!values->second.isDictionary()) {
        checked.problems.push_back("Values is not a dictionary");
        return;
    }
    for (const auto& [key, value] : *values->second.asDictionary()) {
        const PreferenceKey* known = EngineKeys::find(key);
        if (!known) {
            checked.problems.push_back("unknown key '" + key + "': the engine reads no such key");
            continue;
        }
        if (auto why = EngineKeys::problem(*known, value)) {
            checked.problems.push_back(*why);
            continue;
        }
        checked.theme.values[key] = value;
    }
}

void checkWallpapers(const ns::PlistDictionary& file, ThemeFile::Checked& checked) {
    auto wallpapers = file.find(kWallpapersField);
    if (wallpapers == file.end())
        return;
    if (!wallpapers->second.isDictionary()) {
        checked.problems.push_back("Wallpapers is not a dictionary");
        return;
    }
    for (const auto& [name, value] : *wallpapers->second.asDictionary()) {
        if (!Wallpapers::find(name)) {
            checked.problems.push_back("unknown wallpaper '" + name +
                                       "' (chatWallpaper or conversationWallpaper)");
            continue;
        }
        if (!value.isData()) {
            checked.problems.push_back("wallpaper " + name + " is not data");
            continue;
        }
        if (auto why = Wallpapers::problem(*value.asData())) {
            checked.problems.push_back("wallpaper " + name + " is not a picture: " + *why);
            continue;
        }
        checked.theme.wallpapers[name] = *value.asData();
    }
}

} // namespace

ThemeFile::Checked ThemeFile::read(const std::string& hostPath) {
    auto file = ns::PlistFile::readDictionaryAtHostPath(hostPath);
    if (!file.ok()) {
        // The reason may lead with the path, which the caller shows already.
        std::string reason = file.error();
        if (reason.starts_with(hostPath + ": "))
            reason.erase(0, hostPath.size() + 2);
        return Checked{{}, {reason}};
    }
    return check(file.value());
}

ThemeFile::Checked ThemeFile::check(const ns::PlistDictionary& file) {
    Checked checked;
    checkHeader(file, checked);
    checkValues(file, checked);
    checkWallpapers(file, checked);
    return checked;
}

ns::PlistDictionary ThemeFile::encode(const Theme& theme) {
    ns::PlistDictionary file{
        {kFormatVersionField, ns::PlistValue(kFormatVersion)},
        {kNameField, ns::PlistValue(theme.name)},
        {kValuesField, ns::PlistValue(theme.values)},
    };
    if (theme.author)
        file[kAuthorField] = ns::PlistValue(*theme.author);
    if (theme.note)
        file[kNoteField] = ns::PlistValue(*theme.note);
    if (theme.created)
        file[kCreatedField] = ns::PlistValue(*theme.created);
    if (!theme.wallpapers.empty()) {
        ns::PlistDictionary wallpapers;
        for (const auto& [name, bytes] : theme.wallpapers)
            wallpapers[name] = ns::PlistValue(bytes);
        file[kWallpapersField] = ns::PlistValue(std::move(wallpapers));
    }
    return file;
}

ns::Result<void> ThemeFile::write(const std::string& hostPath, const Theme& theme) {
    ns::PlistDictionary file = encode(theme);
    auto bytes = ns::PlistFile::encodeDictionary(file, ns::PlistFile::Format::Xml);
    if (!bytes.ok())
        return bytes.failure();
    if (bytes.value().size() > ns::PlistFile::kMaxFileSize)
        return ns::Failure{ns::FailureKind::Malformed,
                           {},
                           "the theme would take " + std::to_string(bytes.value().size()) +
                               " bytes, more than a property-list file may (" +
                               std::to_string(ns::PlistFile::kMaxFileSize) + "); leave the wallpapers out"};
    return ns::PlistFile::writeDictionaryAtHostPath(hostPath, file);
}

} // namespace sim
