#include "Command.h"
#include "SimError.h"

#include <Foundation/PrintableText.h>

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

namespace {
// Error lines quote keys, colours and file contents: escaped, so that what a
// file holds cannot act on the terminal.
std::string printable(const char* text) {
    return ns::PrintableText::escaped(text);
}
} // namespace

int main(int argc, char** argv) {
    sim::cli::Parser parser(
        "vantorel-sim: a simulated phone to try the Messages theme engine and its settings on");
    sim::cli::App& app = parser.app();
    app.require_subcommand(1);
    sim::Command command(app);
    sim::addInitCommand(app, command);
    sim::addPrefsCommands(app, command);
    sim::addColourCommands(app, command);
    sim::addDemoCommand(app, command);
    sim::addMessagesCommands(app, command);
    sim::addSystemCommands(app, command);
    sim::addSettingsCommands(app, command);
    sim::addThemeCommands(app, command);
    sim::addContrastCommand(app, command);
    sim::addDoctorCommand(app, command);
    sim::addPhotosCommands(app, command);
    sim::addPackageCommands(app, command);
    sim::addPreviewCommand(app, command);
    try {
        // Name an unknown verb rather than just asking for one.
        for (int i = 1; i < argc; ++i) {
            std::string word = argv[i];
            if (word == "--device" || word == "--appearance") { // options taking a value
                ++i;
                continue;
            }
            if (word.starts_with("-"))
                continue;
            bool known = false;
            std::string verbs;
            for (const std::string& verb : app.subcommandNames()) {
                known = known || verb == word;
                verbs += (verbs.empty() ? "" : ", ") + verb;
            }
            if (!known)
                throw sim::SimError("unknown verb '" + word + "' (verbs: " + verbs + ")");
            break;
        }
        if (std::optional<int> stopped = parser.run(argc, argv))
            return *stopped;
    } catch (const sim::CheckFailed&) {
        return 1;
    } catch (const sim::IncompleteResult& error) {
        std::fprintf(stderr, "vantorel-sim: %s\n", printable(error.what()).c_str());
        return 1;
    } catch (const sim::ReportedFailure&) {
        return 2;
    } catch (const sim::SimError& error) {
        std::fprintf(stderr, "vantorel-sim: %s\n", printable(error.what()).c_str());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vantorel-sim: %s\n", printable(error.what()).c_str());
        return 2;
    }
    return 0;
}
