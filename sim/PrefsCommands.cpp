#include "Command.h"
#include "SimError.h"
#include "ValueParsing.h"

#include "ContainerPrefs.h"
#include "Installation.h"
#include "PQPrefs.h"

#include <Foundation/PlistFile.h>

#include <cstdio>

namespace sim {

namespace {

const char* const kDomain = "com.tavq.vantorelprefs";

struct PrefsOptions {
    std::string key;
    std::string value;
    std::string type = "string";
    std::string as = "object";
    std::string defaultValue;
    bool hasDefault = false;
    bool target = false;
};

// The source file through the pane's store, or with --target the Messages
// container's copy through the same design.
const PreferenceStore& storeFor(const PrefsOptions& o) {
    if (!o.target)
        return *PQPrefs::shared();
    static ContainerPrefs container(Installation::messagesContainer() + "Documents/");
    return container;
}

void set(const PrefsOptions& o) {
    const PreferenceStore& prefs = storeFor(o);
    ns::PlistValue expected;
    if (o.type == "bool") {
        prefs.setBool(parseBool(o.value), o.key, kDomain);
        expected = ns::PlistValue(parseBool(o.value));
    } else if (o.type == "int") {
        prefs.setInt(parseInt(o.value), o.key, kDomain);
        expected = ns::PlistValue(static_cast<int64_t>(parseInt(o.value)));
    } else if (o.type == "integer") {
        prefs.setInteger(parseInteger(o.value), o.key, kDomain);
        expected = ns::PlistValue(parseInteger(o.value));
    } else if (o.type == "float") {
        prefs.setFloat(parseFloat(o.value), o.key, kDomain);
        expected = ns::PlistValue(static_cast<double>(parseFloat(o.value)));
    } else {
        expected = ns::PlistValue(o.value);
        prefs.setObject(expected, o.key, kDomain);
    }
    // The store ignores failed writes, as the device does; the CLI says so.
    if (!(prefs.objectForKey(o.key, kDomain) == expected))
        throw SimError("could not write " + prefs.pathForID(kDomain));
}

void get(const PrefsOptions& o) {
    const PreferenceStore& prefs = storeFor(o);
    const std::string& d = o.defaultValue;
    if (o.as == "bool") {
        bool value =
            o.hasDefault ? prefs.boolForKey(o.key, parseBool(d), kDomain) : prefs.boolForKey(o.key, kDomain);
        std::printf("%s\n", value ? "true" : "false");
    } else if (o.as == "int") {
        int32_t value =
            o.hasDefault ? prefs.intForKey(o.key, parseInt(d), kDomain) : prefs.intForKey(o.key, kDomain);
        std::printf("%d\n", value);
    } else if (o.as == "integer") {
        int64_t value = o.hasDefault ? prefs.integerForKey(o.key, parseInteger(d), kDomain)
                                     : prefs.integerForKey(o.key, kDomain);
        std::printf("%lld\n", static_cast<long long>(value));
    } else if (o.as == "float") {
        float value = o.hasDefault ? prefs.floatForKey(o.key, parseFloat(d), kDomain)
                                   : prefs.floatForKey(o.key, kDomain);
        std::printf("%g\n", static_cast<double>(value));
    } else if (o.as == "colour") {
        auto colour = prefs.colourForKey(o.key, o.hasDefault ? d : "000000", kDomain);
        std::printf("%s\n", HexColorCodec::hexStringFromColor(colour).c_str());
    } else {
        ns::PlistValue value = o.hasDefault ? prefs.objectForKey(o.key, ns::PlistValue(d), kDomain)
                                            : prefs.objectForKey(o.key, kDomain);
        std::printf("%s\n", value.isNull() ? "(null)" : value.description().c_str());
    }
}

void dump(const PrefsOptions& o) {
    const PreferenceStore& prefs = storeFor(o);
    auto file = ns::PlistFile::readDictionary(prefs.pathForID(kDomain));
    if (!file.ok())
        return; // nothing stored yet reads as an empty dictionary
    for (const auto& [key, value] : file.value())
        std::printf("%s = %s\n", key.c_str(), value.description().c_str());
}

} // namespace

void addPrefsCommands(CLI::App& app, Command& command) {
    auto options = std::make_shared<PrefsOptions>();
    CLI::App* prefs = app.add_subcommand("prefs", "Read and change the user's preference file");
    prefs->require_subcommand(1);
    prefs->fallthrough();
    prefs->add_flag("--target", options->target, "Use the Messages container's copy (what the engine reads)");

    CLI::App* setVerb = prefs->add_subcommand("set", "Store VALUE under KEY");
    setVerb->add_option("KEY", options->key)->required();
    setVerb->add_option("VALUE", options->value)->required();
    setVerb->add_option("--type", options->type, "Stored type")
        ->check(CLI::IsMember({"bool", "int", "integer", "float", "string"}));
    setVerb->callback([&command, options] {
        command.device();
        set(*options);
    });

    CLI::App* getVerb = prefs->add_subcommand("get", "Print the value of KEY as a typed getter answers it");
    getVerb->add_option("KEY", options->key)->required();
    getVerb->add_option("--as", options->as, "Getter")
        ->check(CLI::IsMember({"object", "bool", "int", "integer", "float", "colour"}));
    getVerb->add_option("--default", options->defaultValue, "Default handed to the getter");
    getVerb->callback([&command, options, getVerb] {
        command.device();
        options->hasDefault = getVerb->count("--default") > 0;
        get(*options);
    });

    CLI::App* removeVerb = prefs->add_subcommand("remove", "Remove KEY");
    removeVerb->add_option("KEY", options->key)->required();
    removeVerb->callback([&command, options] {
        command.device();
        const PreferenceStore& store = storeFor(*options);
        store.removeObjectForKey(options->key, kDomain);
        // The store ignores a failed write, as the device does; the CLI says so.
        if (!ns::PlistFile::readDictionary(store.pathForID(kDomain)).ok() ||
            !store.objectForKey(options->key, kDomain).isNull())
            throw SimError("could not write " + store.pathForID(kDomain));
    });

    CLI::App* dumpVerb = prefs->add_subcommand("dump", "Print every stored key");
    dumpVerb->callback([&command, options] {
        command.device();
        dump(*options);
    });
}

} // namespace sim
