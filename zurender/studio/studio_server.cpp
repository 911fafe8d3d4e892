#include "zurender/studio/studio_server.h"

#include <sys/random.h>

#include <httplib.h>

#include "zurender/base/file_reading.h"
#include "zurender/base/read_limits.h"
#include "zurender/studio/dialog_worker.h"
#include "zurender/studio/folder_file.h"
#include "zurender/studio/page_files.h"
#include "zurender/studio/render_runner.h"
#include "zurender/studio/stack_view.h"

namespace zurender {
namespace {

constexpr const char* kLoopback = "127.0.0.1";
// The largest request body: a gesture or a list of layers is far smaller.
constexpr std::size_t kMostBodyBytes = 64 * 1024;
// The page renders for looking at: a side of more is a job for `zurender` itself.
constexpr int kMostSide = 4096;

std::string JsonText(const nlohmann::json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void SendJson(httplib::Response& res, int status, const nlohmann::json& body) {
  res.status = status;
  res.set_content(JsonText(body), "application/json");
}

void SendError(httplib::Response& res, int status, const std::string& message) {
  SendJson(res, status, {{"error", message}});
}

// Same length and same characters, in a time that tells nothing of where they differ.
bool SameSecret(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  unsigned char differ = 0;
  for (std::size_t i = 0; i < a.size(); ++i) differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differ == 0;
}

std::string TypeOf(const std::string& name) {
  auto ends = [&name](const char* tail) {
    const std::string t = tail;
    return name.size() >= t.size() && name.compare(name.size() - t.size(), t.size(), t) == 0;
  };
  if (ends(".png")) return "image/png";
  if (ends(".json")) return "application/json";
  if (ends(".psd")) return "image/vnd.adobe.photoshop";
  if (ends(".exr")) return "image/x-exr";
  return "application/octet-stream";
}

// Streams an open file, which closes when the response is done with it.
void SendFile(httplib::Response& res, ReadableFile file, const std::string& type, const std::string& download) {
  if (!download.empty()) res.set_header("Content-Disposition", "attachment; filename=\"" + download + "\"");
  const std::size_t size = std::size_t(file.size());
  auto open = std::make_shared<ReadableFile>(std::move(file));
  res.set_content_provider(size, type, [open](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
    char buffer[64 * 1024];
    const long long n = open->ReadSome(offset, buffer, std::min(length, sizeof buffer));
    if (n <= 0) return false;
    return sink.write(buffer, std::size_t(n));
  });
}

std::string BaseName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string NewToken() {
  unsigned char bytes[16];
  std::size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
    if (n > 0) got += std::size_t(n);
  }
  static const char kHex[] = "0123456789abcdef";
  std::string token;
  for (unsigned char b : bytes) {
    token += kHex[b >> 4];
    token += kHex[b & 15];
  }
  return token;
}

StudioServer::StudioServer(StudioPlaces places, DialogWorker& dialog, RenderRunner& render)
    : places_(std::move(places)), dialog_(dialog), render_(render), server_(std::make_unique<httplib::Server>()),
      token_(NewToken()) {
  Route();
}

StudioServer::~StudioServer() = default;

bool StudioServer::Bind(int port, std::string& error) {
  if (port > 0 && server_->bind_to_port(kLoopback, port)) {
    port_ = port;
    return true;
  }
  port_ = server_->bind_to_any_port(kLoopback);
  if (port_ > 0) return true;
  error = std::string("cannot listen on ") + kLoopback;
  return false;
}

std::string StudioServer::Address() const {
  return "http://" + std::string(kLoopback) + ":" + std::to_string(port_) + "/?token=" + token_;
}

void StudioServer::Run() { server_->listen_after_bind(); }

void StudioServer::Stop() { server_->stop(); }

bool StudioServer::Allowed(const std::string& host, const std::string& token, const std::string& origin) const {
  const std::string port = ":" + std::to_string(port_);
  const bool ourHost = host == kLoopback + port || host == "localhost" + port;
  const bool ourOrigin = origin.empty() || origin == "http://" + host;
  return ourHost && ourOrigin && SameSecret(token, token_);
}

void StudioServer::Route() {
  Guard();
  RoutePage();
  RouteDialog();
  RouteRender();
  RouteStack();
  RouteFiles();
}

// What every request goes through: its limits, the headers of every answer, the token and the
// address it must carry, and the answers to what no route takes.
void StudioServer::Guard() {
  httplib::Server& s = *server_;
  s.set_payload_max_length(kMostBodyBytes);
  s.set_keep_alive_timeout(2);
  s.set_read_timeout(10);
  s.set_write_timeout(60);
  // The token travels in the address: it must not leave in a Referer header, and nothing is cached.
  s.set_default_headers({{"Cache-Control", "no-store"},
                         {"Referrer-Policy", "no-referrer"},
                         {"X-Content-Type-Options", "nosniff"},
                         {"X-Frame-Options", "DENY"},
                         {"Content-Security-Policy",
                          "default-src 'self'; img-src 'self' data:; style-src 'self'; script-src 'self'; "
                          "frame-ancestors 'none'; form-action 'none'"}});

  s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    const std::string token =
        req.has_param("token") ? req.get_param_value("token") : req.get_header_value("X-Studio-Token");
    if (Allowed(req.get_header_value("Host"), token, req.get_header_value("Origin")))
      return httplib::Server::HandlerResponse::Unhandled;
    res.status = 403;
    res.set_content("403: this is zurender studio; open the address it printed, token included, from this "
                    "machine (http://127.0.0.1:" + std::to_string(port_) + "/?token=...).\n",
                    "text/plain");
    return httplib::Server::HandlerResponse::Handled;
  });
  s.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty() || res.has_header("Content-Length")) return httplib::Server::HandlerResponse::Unhandled;
    const std::string message = res.status == 404   ? "no such page or file"
                                : res.status == 413 ? "the request is too large"
                                : res.status == 400 ? "a malformed request"
                                                    : "the request was refused";
    SendError(res, res.status, message);
    return httplib::Server::HandlerResponse::Handled;
  }));
  s.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
    SendError(res, 500, "the studio failed to answer that request");
  });
}

// The page and its files.
void StudioServer::RoutePage() {
  httplib::Server& s = *server_;
  s.Get("/", [this](const httplib::Request&, httplib::Response& res) {
    std::string html(FindPageFile("studio.html")->text);
    for (std::size_t at; (at = html.find("@TOKEN@")) != std::string::npos;) html.replace(at, 7, token_);
    res.set_content(html, "text/html; charset=utf-8");
  });
  for (const char* name : {"studio.js", "studio.css"}) {
    s.Get(std::string("/") + name, [name](const httplib::Request&, httplib::Response& res) {
      const EmbeddedFile* file = FindPageFile(name);
      res.set_content(std::string(file->text),
                      std::string(name).ends_with(".js") ? "text/javascript; charset=utf-8" : "text/css; charset=utf-8");
    });
  }
}

// The dialog: its state, and one gesture at a time.
void StudioServer::RouteDialog() {
  httplib::Server& s = *server_;
  s.Get("/api/dialog", [this](const httplib::Request&, httplib::Response& res) { SendJson(res, 200, dialog_.State()); });
  s.Post("/api/dialog", [this](const httplib::Request& req, httplib::Response& res) {
    const nlohmann::json request = nlohmann::json::parse(req.body, nullptr, false);
    if (request.is_discarded()) return SendError(res, 400, "the request is not JSON");
    const StudioReply reply = dialog_.Act(request);
    SendJson(res, reply.status, reply.body);
  });
}

// The render: its progress, and a new one.
void StudioServer::RouteRender() {
  httplib::Server& s = *server_;
  s.Get("/api/render", [this](const httplib::Request&, httplib::Response& res) { SendJson(res, 200, render_.Status()); });
  s.Post("/api/render", [this](const httplib::Request& req, httplib::Response& res) {
    const nlohmann::json request = nlohmann::json::parse(req.body, nullptr, false);
    auto side = [&request](const char* name) {
      const auto found = request.is_object() ? request.find(name) : request.end();
      if (!request.is_object() || found == request.end() || !found->is_number_integer()) return 0;
      const auto value = found->get<std::int64_t>();
      return value >= 1 && value <= kMostSide ? int(value) : 0;
    };
    const int width = side("width"), height = side("height");
    if (width == 0 || height == 0)
      return SendError(res, 400, "expected {\"width\": W, \"height\": H}, each 1 to " + std::to_string(kMostSide));
    std::string why;
    if (!render_.Start(width, height, why)) return SendError(res, 409, why);
    SendJson(res, 202, render_.Status());
  });
}

// The viewer: the layers stacked again with the person's choice of them, and its pictures.
void StudioServer::RouteStack() {
  httplib::Server& s = *server_;
  s.Post("/api/stack", [this](const httplib::Request& req, httplib::Response& res) {
    const std::shared_ptr<const StackView> view = render_.View();
    if (view == nullptr) return SendError(res, 409, "nothing has been rendered yet");
    const nlohmann::json request = nlohmann::json::parse(req.body, nullptr, false);
    const auto found = request.is_object() ? request.find("visible") : request.end();
    if (!request.is_object() || found == request.end() || !found->is_array() || found->size() != view->layers().size())
      return SendError(res, 400, "expected {\"visible\": [...]}, one true or false per layer (" +
                                     std::to_string(view->layers().size()) + ")");
    std::vector<bool> visible;
    for (const auto& v : *found) {
      if (!v.is_boolean()) return SendError(res, 400, "\"visible\": each entry is true or false");
      visible.push_back(v.get<bool>());
    }
    std::lock_guard<std::mutex> lock(stackMutex_);
    auto pictures = std::make_shared<StackPictures>(view->Compose(visible));
    const std::size_t worst = pictures->error.worstPixel;
    SendJson(res, 200, {{"max", pictures->error.max}, {"mean", pictures->error.mean}, {"p99", pictures->error.p99},
                        {"worst", {worst % std::size_t(view->width()), worst / std::size_t(view->width())}},
                        {"depth", view->depth()}});
    pictures_ = std::move(pictures);
  });
  s.Get(R"(/api/stack/(composite|difference|final)\.png)", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string which = req.matches[1];
    std::vector<std::uint8_t> png;
    if (which == "final") {
      if (const auto view = render_.View()) png = view->finalRender();
    } else {
      std::lock_guard<std::mutex> lock(stackMutex_);
      if (pictures_) png = which == "composite" ? pictures_->composite : pictures_->difference;
    }
    if (png.empty()) return SendError(res, 404, "no such picture yet");
    res.set_content(std::string(png.begin(), png.end()), "image/png");
  });
}

// Files, by the names the last render gave them; never a path from the request. And the settings.
void StudioServer::RouteFiles() {
  httplib::Server& s = *server_;
  s.Get(R"(/files/(.+))", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string name = req.matches[1];
    std::optional<ReadableFile> file = render_.Wrote(name) ? OpenFolderFile(places_.outDir, name) : std::nullopt;
    if (!file) return SendError(res, 404, "no file of that name in the render's folder");
    const bool download = name == "render.psd" || name == "render.exr" || name == "manifest.json";
    SendFile(res, std::move(*file), TypeOf(name), download ? name : "");
  });
  s.Get("/settings.json", [this](const httplib::Request&, httplib::Response& res) {
    Result<ReadableFile> file = ReadableFile::Open(places_.settingsPath, kSettingsFileLimit);
    if (!file.ok()) return SendError(res, 404, "the settings file is not there");
    SendFile(res, std::move(file.value()), "application/json", BaseName(places_.settingsPath));
  });
}

}  // namespace zurender
