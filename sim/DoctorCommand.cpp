#include "Command.h"
#include "Doctor.h"
#include "SimError.h"

#include <Foundation/PrintableText.h>

#include <cstdio>

namespace sim {

void addDoctorCommand(cli::App& app, Command& command) {
    cli::App* doctor = app.add_subcommand(
        "doctor", "Why doesn't the theme show? One line per check; exit status 1 on a problem");
    doctor->callback([&command] {
        Doctor examiner(command.device());
        bool problem = false;
        for (const Doctor::Finding& finding : examiner.examine()) {
            problem = problem || finding.verdict == Doctor::Verdict::problem;
            // Findings quote log lines, keys and paths from the device.
            const std::string text = ns::PrintableText::escaped(finding.text);
            if (finding.fix.empty())
                std::printf("%-8s %s\n", Doctor::verdictName(finding.verdict), text.c_str());
            else
                std::printf("%-8s %s; fix: %s\n", Doctor::verdictName(finding.verdict), text.c_str(),
                            ns::PrintableText::escaped(finding.fix).c_str());
        }
        if (problem)
            throw CheckFailed();
    });
}

} // namespace sim
