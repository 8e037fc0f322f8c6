#include "PreviewGuard.h"

#include <array>
#include <cstdio>
#include <random>

namespace sim {

std::size_t PreviewGuard::bodyLimit(const std::string& path) {
    return path == "/api/pick-image" || path == "/api/theme/import" ? kPictureLimit : kBodyLimit;
}

std::string PreviewGuard::makeToken() {
    std::random_device source; // the kernel's generator on Linux
    std::string token;
    for (int i = 0; i < 4; ++i) {
        char word[9];
        std::snprintf(word, sizeof word, "%08x", static_cast<unsigned>(source()));
        token += word;
    }
    return token;
}

bool PreviewGuard::ours(const std::string& hostAndPort) const {
    const std::string port = ":" + std::to_string(m_port);
    return hostAndPort == "127.0.0.1" + port || hostAndPort == "localhost" + port;
}

std::optional<PreviewGuard::Refusal> PreviewGuard::check(const Request& request) const {
    if (!request.host || !ours(*request.host))
        return Refusal{403, "this server answers only to 127.0.0.1:" + std::to_string(m_port)};
    if (request.origin) {
        const std::string& origin = *request.origin;
        const std::string scheme = "http://";
        if (origin.rfind(scheme, 0) != 0 || !ours(origin.substr(scheme.size())))
            return Refusal{403, "requests from other pages are refused"};
    }
    if (request.method == "POST") {
        // Compared in full whatever the first difference, so timing tells nothing.
        const std::string given = request.token.value_or("");
        unsigned difference = given.size() != m_token.size();
        for (std::size_t i = 0; i < given.size() && i < m_token.size(); ++i)
            difference |= static_cast<unsigned>(given[i] ^ m_token[i]);
        if (difference)
            return Refusal{403, "a change needs the page's token (X-Vantorel-Token)"};
    }
    if (request.contentLength && *request.contentLength > bodyLimit(request.path))
        return Refusal{413,
                       "the request body is over " + std::to_string(bodyLimit(request.path) / 1024) + " KB"};
    return std::nullopt;
}

} // namespace sim
