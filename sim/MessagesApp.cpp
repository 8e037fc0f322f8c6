#include "MessagesApp.h"

#include "HostRunner.h"
#include "SimError.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

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
                                                          const std::string& scale,
                                                          const std::vector<std::string>& scrolling) {
    std::vector<std::string> arguments{"screenshot", "--screen", screen, hostFile, "--scale", scale};
    arguments.insert(arguments.end(), scrolling.begin(), scrolling.end());
    return arguments;
}

std::vector<std::string> MessagesApp::scrollArguments(const std::string& screen, const std::string& scroll,
                                                      bool given) {
    if (!given)
        return {};
    if (screen != "list" && screen != "search" && screen != "chat")
        throw SimError("--scroll: the " + screen + " screen does not scroll (list, search and chat do)");
    const std::optional<double> points = parseScroll(scroll);
    if (!points)
        throw SimError("--scroll: \"" + scroll + "\" is not a number of points, 0 or more");
    return {"--scroll", scroll};
}

std::optional<double> MessagesApp::parseScroll(const std::string& text) {
    if (text.empty() || text.size() > 32 || std::isspace(static_cast<unsigned char>(text.front())))
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
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
