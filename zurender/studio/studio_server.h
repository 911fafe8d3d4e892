// The studio's HTTP server, on 127.0.0.1 only. It answers a request only when it carries the
// random token of the address it printed and names that address in its Host header, so that a
// page from anywhere else can neither read nor drive it; it serves its own page, its API and the
// files the last render wrote, by name; request bodies are bounded.
//
//   GET  /                       the page; /studio.js, /studio.css beside it
//   GET  /api/dialog             the Layers dialog as the host's toolkit holds it
//   POST /api/dialog             one gesture: {"do": ...} (dialog_worker.h)
//   GET  /api/render             the render's progress and, once done, its layers and check
//   POST /api/render             {"width": W, "height": H}: 202, or 409 while one runs
//   POST /api/stack              {"visible": [true, false, ...]}: the layers stacked again
//   GET  /api/stack/composite.png, /api/stack/difference.png, /api/stack/final.png
//   GET  /files/NAME             a file the last render wrote, e.g. render.psd, layers/01-Fog.png
//   GET  /settings.json          the settings file
#pragma once

#include <memory>
#include <mutex>
#include <string>

namespace httplib {
class Server;
}

namespace zurender {

class DialogWorker;
class RenderRunner;
struct StackPictures;

struct StudioPlaces {
  std::string outDir;
  std::string settingsPath;
};

class StudioServer {
 public:
  StudioServer(StudioPlaces places, DialogWorker& dialog, RenderRunner& render);
  ~StudioServer();

  // Listens on 127.0.0.1 at port, or at a free port when port is 0 or taken. False, with error set,
  // when no port can be had.
  bool Bind(int port, std::string& error);
  int port() const { return port_; }
  // The address to open, token included.
  std::string Address() const;

  // Serves until Stop, which any thread may call.
  void Run();
  void Stop();

 private:
  void Route();
  void Guard();
  void RoutePage();
  void RouteDialog();
  void RouteRender();
  void RouteStack();
  void RouteFiles();
  bool Allowed(const std::string& host, const std::string& token, const std::string& origin) const;

  const StudioPlaces places_;
  DialogWorker& dialog_;
  RenderRunner& render_;
  std::unique_ptr<httplib::Server> server_;
  std::string token_;
  int port_ = 0;
  std::mutex stackMutex_;  // one stacking at a time; the pictures it made
  std::shared_ptr<const StackPictures> pictures_;
};

// 32 hexadecimal digits from the system's random source.
std::string NewToken();

}  // namespace zurender
