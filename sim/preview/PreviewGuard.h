#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace sim {

// What keeps other web pages away from a server that writes files: the Host
// must be this loopback address (DNS rebinding), an Origin must be ours, a
// request that changes anything must be a POST carrying the page's token
// (cross-site requests), and bodies are limited.
class PreviewGuard {
  public:
    static constexpr std::size_t kPictureLimit = 20 * 1024 * 1024;
    static constexpr std::size_t kBodyLimit = 64 * 1024;

    PreviewGuard(int port, std::string token) : m_port(port), m_token(std::move(token)) {}

    struct Request {
        std::string method;
        std::string path;
        std::optional<std::string> host;
        std::optional<std::string> origin;
        std::optional<std::string> token;
        std::optional<std::size_t> contentLength;
    };
    struct Refusal {
        int status;
        std::string reason; // one line
    };
    std::optional<Refusal> check(const Request& request) const;

    // Pictures and theme files may be large; everything else is a small form.
    static std::size_t bodyLimit(const std::string& path);
    // 32 hex digits from the system's random source.
    static std::string makeToken();
    const std::string& token() const { return m_token; }

  private:
    bool ours(const std::string& hostAndPort) const;

    int m_port;
    std::string m_token;
};

} // namespace sim
