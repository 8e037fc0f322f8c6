#pragma once
#include "Device.h"
#include "PreviewApi.h"
#include "PreviewGuard.h"

#include <memory>
#include <string>

namespace httplib {
class Server;
}

namespace sim {

// The preview page's HTTP server: loopback only, every request checked by
// PreviewGuard, every answer of the API from PreviewApi.
class PreviewServer {
  public:
    // Binds 127.0.0.1:`port` (0: a free port); throws SimError when it cannot.
    PreviewServer(const Device& device, int port, const std::string& folder);
    ~PreviewServer();
    int port() const { return m_port; }
    std::string address() const;
    // Serves until stop() is called from another thread.
    void run();
    void stop();

  private:
    void routes();

    std::unique_ptr<httplib::Server> m_server;
    int m_port = 0;
    std::unique_ptr<PreviewGuard> m_guard;
    PreviewApi m_api;
};

} // namespace sim
