#include "MessagesApp.h"

#include "HostRunner.h"
#include "SimError.h"

namespace sim {

const std::vector<std::string>& MessagesApp::screens() {
    static const std::vector<std::string> kScreens{"list", "search", "swipe", "chat", "menu"};
    return kScreens;
}

std::string MessagesApp::program() {
    return HostRunner::programFolder() + "/MobileSMS";
}

std::vector<std::string> MessagesApp::screenshotArguments(const std::string& screen,
                                                          const std::string& hostFile,
                                                          const std::string& scale) {
    return {"screenshot", "--screen", screen, hostFile, "--scale", scale};
}

void MessagesApp::screenshot(const std::string& screen, const std::string& hostFile, const std::string& scale,
                             const std::string& appearance) {
    HostRunner::Captured run = HostRunner::capture(program(), screenshotArguments(screen, hostFile, scale),
                                                   {"SIMDEVICE_APPEARANCE=" + appearance});
    if (run.status == 0)
        return;
    std::string complaint = run.errors;
    while (!complaint.empty() && complaint.back() == '\n')
        complaint.pop_back();
    if (const std::size_t last = complaint.rfind('\n'); last != std::string::npos)
        complaint = complaint.substr(last + 1);
    throw SimError(complaint.empty() ? "Messages failed to draw the " + screen + " screen" : complaint);
}

} // namespace sim
