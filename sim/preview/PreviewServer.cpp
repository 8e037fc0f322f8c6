#include "PreviewServer.h"

#include "PreviewAssets.h"
#include "SimError.h"

#include <httplib.h>

#include <cstdio>
#include <stdexcept>

namespace sim {

namespace {

using Json = nlohmann::json;

void answer(httplib::Response& res, int status, const Json& body) {
    res.status = status;
    res.set_content(body.dump(), "application/json");
}

void refuse(httplib::Response& res, int status, const std::string& reason) {
    answer(res, status, {{"error", reason}});
}

// One line whatever went wrong: the reason for a refusal, the failure
// otherwise. Nothing a request does can end the server.
template <typename Work> void guarded(httplib::Response& res, Work&& work) {
    try {
        work();
    } catch (const SimError& error) {
        refuse(res, 400, error.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vantorel-sim: preview: %s\n", error.what());
        refuse(res, 500, error.what());
    }
}

// A small form's body as JSON; a body over its limit or one that does not
// parse is refused with one line.
Json body(const httplib::Request& req) {
    if (req.body.size() > PreviewGuard::kBodyLimit)
        throw SimError("the request body is over 64 KB");
    Json parsed = Json::parse(req.body, nullptr, false);
    if (parsed.is_discarded())
        throw SimError("the request body is not JSON");
    if (!parsed.is_object())
        throw SimError("the request body must be a JSON object");
    return parsed;
}

std::optional<std::string> header(const httplib::Request& req, const char* name) {
    if (!req.has_header(name))
        return std::nullopt;
    return req.get_header_value(name);
}

void sendPicture(httplib::Response& res, const PreviewPictures::Picture& picture) {
    char took[32];
    std::snprintf(took, sizeof took, "%.1f", picture.milliseconds);
    res.set_header("X-Redraw-Milliseconds", took);
    res.set_header("Access-Control-Expose-Headers", "X-Redraw-Milliseconds");
    res.set_content(picture.png, "image/png");
}

} // namespace

PreviewServer::PreviewServer(const Device& device, int port, const std::string& folder)
    : m_server(std::make_unique<httplib::Server>()), m_api(device, folder) {
    if (port == 0)
        m_port = m_server->bind_to_any_port("127.0.0.1");
    else if (m_server->bind_to_port("127.0.0.1", port))
        m_port = port;
    if (m_port <= 0)
        throw SimError("cannot listen on 127.0.0.1:" + std::to_string(port) + " (is it in use?)");
    m_guard = std::make_unique<PreviewGuard>(m_port, PreviewGuard::makeToken());
    routes();
}

PreviewServer::~PreviewServer() = default;

std::string PreviewServer::address() const {
    return "http://127.0.0.1:" + std::to_string(m_port) + "/";
}

void PreviewServer::run() {
    m_server->listen_after_bind();
}

void PreviewServer::stop() {
    m_server->stop();
}

void PreviewServer::routes() {
    httplib::Server& s = *m_server;
    s.set_default_headers({{"Content-Security-Policy", "default-src 'self'"},
                           {"Cache-Control", "no-store"},
                           {"X-Content-Type-Options", "nosniff"},
                           {"Referrer-Policy", "no-referrer"}});
    s.set_payload_max_length(PreviewGuard::kPictureLimit);
    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        PreviewGuard::Request checked{req.method,
                                      req.path,
                                      header(req, "Host"),
                                      header(req, "Origin"),
                                      header(req, "X-Vantorel-Token"),
                                      std::nullopt};
        if (req.has_header("Content-Length"))
            checked.contentLength =
                std::strtoull(req.get_header_value("Content-Length").c_str(), nullptr, 10);
        if (auto refusal = m_guard->check(checked)) {
            refuse(res, refusal->status, refusal->reason);
            // The body is not read: the connection ends with the answer.
            res.set_header("Connection", "close");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    s.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (!res.body.empty())
            return;
        if (res.status == 413)
            refuse(res, 413, "the request body is too large");
        else if (res.status == 404)
            refuse(res, 404, "no such page or call");
        else
            refuse(res, res.status, "the request was refused");
    });

    s.Get("/", [this](const httplib::Request&, httplib::Response& res) {
        std::string page(PreviewAssets::page());
        const std::string mark = "{{TOKEN}}";
        if (std::size_t at = page.find(mark); at != std::string::npos)
            page.replace(at, mark.size(), m_guard->token());
        res.set_content(page, "text/html; charset=utf-8");
    });
    s.Get("/app.js", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(PreviewAssets::script()), "text/javascript; charset=utf-8");
    });
    s.Get("/style.css", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(PreviewAssets::style()), "text/css; charset=utf-8");
    });

    auto get = [&s](const char* pattern, auto work) {
        s.Get(pattern, [work](const httplib::Request& req, httplib::Response& res) {
            guarded(res, [&] { work(req, res); });
        });
    };
    auto post = [&s](const char* pattern, auto work) {
        s.Post(pattern, [work](const httplib::Request& req, httplib::Response& res) {
            guarded(res, [&] { work(req, res); });
        });
    };
    PreviewApi& api = m_api;

    get("/api/version", [&api](auto&, auto& res) { answer(res, 200, {{"version", api.version()}}); });
    get("/api/pages", [&api](auto&, auto& res) { answer(res, 200, api.pages()); });
    get(R"(/api/pages/([A-Za-z]+)\.png)",
        [&api](auto& req, auto& res) { sendPicture(res, api.page(req.matches[1])); });
    get(R"(/api/screens/([a-z]+)\.png)", [&api](auto& req, auto& res) {
        const std::string appearance =
            req.has_param("appearance") ? req.get_param_value("appearance") : "light";
        const std::string scaleText = req.has_param("scale") ? req.get_param_value("scale") : "2";
        if (scaleText != "1" && scaleText != "2" && scaleText != "3")
            throw SimError("scale is 1, 2 or 3");
        sendPicture(res, api.screen(req.matches[1], appearance, std::stoi(scaleText)));
    });
    get("/api/info",
        [&api](auto& req, auto& res) { answer(res, 200, api.info(req.get_param_value("key"))); });
    get("/api/photos", [&api](auto&, auto& res) { answer(res, 200, api.photos()); });
    get("/api/presets", [&api](auto&, auto& res) { answer(res, 200, api.presets()); });
    get("/api/contrast", [&api](auto&, auto& res) { answer(res, 200, api.contrast()); });
    get("/api/doctor", [&api](auto&, auto& res) { answer(res, 200, api.doctor()); });
    get("/api/theme/export", [&api](auto&, auto& res) {
        res.set_header("Content-Disposition", "attachment; filename=\"vantorel-theme.plist\"");
        res.set_content(api.exportTheme(), "application/x-plist");
    });

    post("/api/set", [&api](auto& req, auto& res) { answer(res, 200, api.set(body(req))); });
    post("/api/pick-colour", [&api](auto& req, auto& res) { answer(res, 200, api.pickColour(body(req))); });
    post("/api/choose", [&api](auto& req, auto& res) { answer(res, 200, api.choose(body(req))); });
    post("/api/pick-image", [&api](auto& req, auto& res) {
        // JSON names a photo of the library; anything else is the picture itself.
        if (req.get_header_value("Content-Type").rfind("application/json", 0) == 0)
            answer(res, 200, api.pickPhoto(body(req)));
        else
            answer(res, 200, api.pickUpload(req.get_param_value("key"), req.body));
    });
    post("/api/theme/apply", [&api](auto& req, auto& res) { answer(res, 200, api.applyPreset(body(req))); });
    post("/api/theme/import", [&api](auto& req, auto& res) {
        answer(res, 200,
               api.importTheme(req.body, req.get_param_value("replace") == "1",
                               req.get_param_value("confirm") == "1"));
    });
}

} // namespace sim
