#include "Command.h"
#include "SimError.h"
#include "ValueParsing.h"

#include "ContainerPrefs.h"
#include "EngineKeys.h"
#include "Installation.h"
#include "PQPrefs.h"
#include "ProductIdentity.h"

#include <Foundation/FileStamp.h>
#include <Foundation/PlistFile.h>
#include <Foundation/PlistFileLock.h>
#include <Foundation/PrintableText.h>

#include <cstdio>
#include <optional>

namespace sim {

namespace {

struct PrefsOptions {
    std::string key;
    std::string value;
    std::string type = "string";
    std::string as = "object";
    std::string defaultValue;
    bool hasDefault = false;
    bool target = false;
};

// The store answers defaults for a file it cannot read; the CLI says why.
void warnIfUnreadable(const std::string& devicePath) {
    auto file = ns::PlistFile::readDictionary(devicePath);
    if (!file && file.kind() != ns::FailureKind::NotFound)
        std::fprintf(stderr, "vantorel-sim: cannot read %s (%s): answering defaults\n", devicePath.c_str(),
                     file.failure().detail.c_str());
}

// The store ignores failed writes, as the device does. Run under the file's
// lock, so that a value missing afterwards means this write failed; the
// same change made directly then names the reason.
void confirmStored(const PreferenceStore& prefs, const PrefsOptions& o, const ns::PlistValue& expected,
                   const std::optional<ns::FileStamp>& before) {
    const std::string path = prefs.pathForID(kPreferenceDomain);
    auto stored = ns::PlistFile::readDictionary(path);
    if (stored) {
        auto found = stored.value().find(o.key);
        if (found != stored.value().end() && found->second == expected)
            return;
    }
    if (ns::FileStamp::ofItemAtPath(path) != before && stored)
        throw SimError("the change of " + o.key + " was replaced by another writer");
    auto direct = ns::PlistFile::updateDictionary(path, [&](ns::PlistDictionary& d) { d[o.key] = expected; });
    throw SimError("could not write " + path + (direct ? std::string() : ": " + direct.failure().detail));
}

// The source file through the pane's store, or with --target the Messages
// container's copy through the same design.
const PreferenceStore& storeFor(const PrefsOptions& o) {
    if (!o.target)
        return *PQPrefs::shared();
    static ContainerPrefs container(Installation::messagesContainer() + "Documents/");
    return container;
}

void set(const PrefsOptions& o) {
    if (o.key.empty())
        throw SimError("the key is empty: name the setting to store");
    requireText(o.key, "the key");
    requireText(o.value, "the value");
    const PreferenceStore& prefs = storeFor(o);
    const std::string path = prefs.pathForID(kPreferenceDomain);
    // Taken again by the store (the lock nests), and kept until the value is confirmed.
    auto lock = ns::PlistFileLock::acquire(path);
    if (!lock)
        throw SimError("could not write " + path + ": " + lock.failure().detail);
    const std::optional<ns::FileStamp> before = ns::FileStamp::ofItemAtPath(path);
    ns::PlistValue expected;
    if (o.type == "bool") {
        prefs.setBool(parseBool(o.value), o.key, kPreferenceDomain);
        expected = ns::PlistValue(parseBool(o.value));
    } else if (o.type == "int") {
        prefs.setInt(parseInt(o.value), o.key, kPreferenceDomain);
        expected = ns::PlistValue(static_cast<int64_t>(parseInt(o.value)));
    } else if (o.type == "integer") {
        prefs.setInteger(parseInteger(o.value), o.key, kPreferenceDomain);
        expected = ns::PlistValue(parseInteger(o.value));
    } else if (o.type == "float") {
        prefs.setFloat(parseFloat(o.value), o.key, kPreferenceDomain);
        expected = ns::PlistValue(static_cast<double>(parseFloat(o.value)));
    } else {
        expected = ns::PlistValue(o.value);
        prefs.setObject(expected, o.key, kPreferenceDomain);
    }
    confirmStored(prefs, o, expected, before);
}

void get(const PrefsOptions& o) {
    const PreferenceStore& prefs = storeFor(o);
    warnIfUnreadable(prefs.pathForID(kPreferenceDomain));
    const std::string& d = o.defaultValue;
    if (o.as == "bool") {
        bool value = o.hasDefault ? prefs.boolForKey(o.key, parseBool(d), kPreferenceDomain)
                                  : prefs.boolForKey(o.key, kPreferenceDomain);
        std::printf("%s\n", value ? "true" : "false");
    } else if (o.as == "int") {
        int32_t value = o.hasDefault ? prefs.intForKey(o.key, parseInt(d), kPreferenceDomain)
                                     : prefs.intForKey(o.key, kPreferenceDomain);
        std::printf("%d\n", value);
    } else if (o.as == "integer") {
        int64_t value = o.hasDefault ? prefs.integerForKey(o.key, parseInteger(d), kPreferenceDomain)
                                     : prefs.integerForKey(o.key, kPreferenceDomain);
        std::printf("%lld\n", static_cast<long long>(value));
    } else if (o.as == "float") {
        float value = o.hasDefault ? prefs.floatForKey(o.key, parseFloat(d), kPreferenceDomain)
                                   : prefs.floatForKey(o.key, kPreferenceDomain);
        std::printf("%g\n", static_cast<double>(value));
    } else if (o.as == "colour") {
        // The codec reads anything, unknown text as transparent black; a default is meant as a colour.
        if (o.hasDefault && !EngineKeys::readsAsColour(d))
            throw SimError("--default '" + d + "' is not a colour (RRGGBBAA, RRGGBB, RGB or a colour name)");
        auto colour = prefs.colourForKey(o.key, o.hasDefault ? d : "000000", kPreferenceDomain);
        std::printf("%s\n", HexColorCodec::hexStringFromColor(colour).c_str());
    } else {
        ns::PlistValue value = o.hasDefault ? prefs.objectForKey(o.key, ns::PlistValue(d), kPreferenceDomain)
                                            : prefs.objectForKey(o.key, kPreferenceDomain);
        std::printf("%s\n",
                    value.isNull() ? "(null)" : ns::PrintableText::escaped(value.description()).c_str());
    }
}

void dump(const PrefsOptions& o) {
    const PreferenceStore& prefs = storeFor(o);
    auto file = ns::PlistFile::readDictionary(prefs.pathForID(kPreferenceDomain));
    if (!file.ok()) {
        warnIfUnreadable(prefs.pathForID(kPreferenceDomain));
        return; // nothing stored yet reads as an empty dictionary
    }
    for (const auto& [key, value] : file.value())
        std::printf("%s = %s\n", ns::PrintableText::escaped(key).c_str(),
                    ns::PrintableText::escaped(value.description()).c_str());
}

} // namespace

void addPrefsCommands(cli::App& app, Command& command) {
    auto options = std::make_shared<PrefsOptions>();
    cli::App* prefs = app.add_subcommand("prefs", "Read and change the user's preference file");
    prefs->require_subcommand(1);
    prefs->fallthrough();
    prefs->add_flag("--target", options->target, "Use the Messages container's copy (what the engine reads)");

    cli::App* setVerb = prefs->add_subcommand("set", "Store VALUE under KEY");
    setVerb->add_option("KEY", options->key)->required();
    setVerb->add_option("VALUE", options->value)->required();
    setVerb->add_option("--type", options->type, "Stored type")
        ->check(cli::IsMember({"bool", "int", "integer", "float", "string"}));
    setVerb->callback([&command, options] {
        command.device();
        set(*options);
    });

    cli::App* getVerb = prefs->add_subcommand("get", "Print the value of KEY as a typed getter answers it");
    getVerb->add_option("KEY", options->key)->required();
    getVerb->add_option("--as", options->as, "Getter")
        ->check(cli::IsMember({"object", "bool", "int", "integer", "float", "colour"}));
    getVerb->add_option("--default", options->defaultValue, "Default handed to the getter");
    getVerb->callback([&command, options, getVerb] {
        command.device();
        options->hasDefault = getVerb->count("--default") > 0;
        get(*options);
    });

    cli::App* removeVerb = prefs->add_subcommand("remove", "Remove KEY");
    removeVerb->add_option("KEY", options->key)->required();
    removeVerb->callback([&command, options] {
        command.device();
        requireText(options->key, "the key");
        const PreferenceStore& store = storeFor(*options);
        auto lock = ns::PlistFileLock::acquire(store.pathForID(kPreferenceDomain));
        if (!lock)
            throw SimError("could not write " + store.pathForID(kPreferenceDomain) + ": " +
                           lock.failure().detail);
        store.removeObjectForKey(options->key, kPreferenceDomain);
        // The store ignores a failed write, as the device does; the CLI says so.
        if (!ns::PlistFile::readDictionary(store.pathForID(kPreferenceDomain)).ok() ||
            !store.objectForKey(options->key, kPreferenceDomain).isNull())
            throw SimError("could not write " + store.pathForID(kPreferenceDomain));
    });

    cli::App* dumpVerb = prefs->add_subcommand("dump", "Print every stored key");
    dumpVerb->callback([&command, options] {
        command.device();
        dump(*options);
    });
}

} // namespace sim
