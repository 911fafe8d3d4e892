#include "zurender/studio/render_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "zurender/base/emulation.h"
#include "zurender/base/file_reading.h"
#include "zurender/base/json_document.h"
#include "zurender/base/read_limits.h"
#include "zurender/settings/vocabulary.h"

extern char** environ;

namespace zurender {
namespace {

// What the child says on standard error that is not progress, kept for the page when it fails.
constexpr std::size_t kMostMessageBytes = 16 * 1024;

// The progress line "rendering 42%", or -1.
int ProgressPercent(const std::string& line) {
  int percent = -1;
  char tail = 0;
  if (std::sscanf(line.c_str(), "rendering %d%%%c", &percent, &tail) != 1) return -1;
  return percent >= 0 && percent <= 100 ? percent : -1;
}

std::string LastLine(const std::string& text) {
  std::string trimmed = text;
  while (!trimmed.empty() && trimmed.back() == '\n') trimmed.pop_back();
  const auto newline = trimmed.find_last_of('\n');
  return newline == std::string::npos ? trimmed : trimmed.substr(newline + 1);
}

std::string BlendName(const std::string& key) {
  const auto index = BlendModeFromText(key);
  return index ? BlendModeName(*index) : key;
}

}  // namespace

RenderRunner::RenderRunner(RenderSetup setup) : setup_(std::move(setup)), status_({{"state", "idle"}}) {}

RenderRunner::~RenderRunner() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    if (child_ > 0) ::kill(child_, SIGTERM);
  }
  if (thread_.joinable()) thread_.join();
}

bool RenderRunner::Start(int width, int height, std::string& why) {
  std::thread finished;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (running_ || stopping_) {
      why = stopping_ ? "the studio is stopping" : "a render is running: one at a time";
      return false;
    }
    running_ = true;
    status_ = {{"state", "running"}, {"percent", 0}, {"phase", "starting"},
               {"size", {width, height}}, {"result", status_.value("result", nlohmann::json())}};
    finished = std::move(thread_);
    thread_ = std::thread([this, width, height] { Render(width, height); });
  }
  if (finished.joinable()) finished.join();  // the last render's thread, which has ended
  return true;
}

nlohmann::json RenderRunner::Status() {
  std::lock_guard<std::mutex> lock(mutex_);
  return status_;
}

std::shared_ptr<const StackView> RenderRunner::View() {
  std::lock_guard<std::mutex> lock(mutex_);
  return view_;
}

bool RenderRunner::Wrote(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  return files_.count(name) != 0;
}

std::vector<std::string> RenderRunner::Arguments(int width, int height) const {
  // The render is an i386 program like this one: where those start only through qemu-i386, so
  // does it.
  std::vector<std::string> args = I386Emulator();
  args.push_back(setup_.program);
  if (!setup_.scene.empty()) args.push_back(setup_.scene);
  for (const std::string& arg : {std::string("-o"), setup_.outDir, std::string("--size"),
                                 std::to_string(width) + "x" + std::to_string(height), std::string("--settings"),
                                 setup_.settings, std::string("--plugin"), setup_.plugin})
    args.push_back(arg);
  return args;
}

pid_t RenderRunner::Spawn(std::vector<std::string> args, int (&out)[2], int (&err)[2], std::string& why) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::string progress = "ZURENDER_PROGRESS=lines";
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e)
    if (std::strncmp(*e, "ZURENDER_PROGRESS=", 18) != 0) env.push_back(*e);
  env.push_back(progress.data());
  env.push_back(nullptr);

  if (::pipe2(out, O_CLOEXEC) != 0) {
    why = std::string("no pipe: ") + std::strerror(errno);
    return -1;
  }
  if (::pipe2(err, O_CLOEXEC) != 0) {
    why = std::string("no pipe: ") + std::strerror(errno);
    ::close(out[0]);
    ::close(out[1]);
    return -1;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  // The studio keeps its signals for itself; the render gets the ordinary ones.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  for (int signal : {SIGINT, SIGTERM, SIGPIPE}) sigaddset(&defaults, signal);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  int spawned;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    spawned = stopping_ ? ECANCELED : posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), env.data());
    if (spawned == 0) child_ = pid;
  }
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(out[1]);
  ::close(err[1]);
  if (spawned == 0) return pid;
  ::close(out[0]);
  ::close(err[0]);
  why = "cannot start " + setup_.program + ": " + std::strerror(spawned);
  return -1;
}

void RenderRunner::Follow(int out, int err, std::string& stdoutText, std::string& stderrText) {
  // Both streams until the child closes them; progress lines as they come.
  std::string line;
  pollfd fds[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
  int open = 2;
  char buffer[4096];
  while (open > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (pollfd& fd : fds) {
      if (fd.fd < 0 || fd.revents == 0) continue;
      const ssize_t n = ::read(fd.fd, buffer, sizeof buffer);
      if (n <= 0) {
        ::close(fd.fd);
        fd.fd = -1;
        --open;
        continue;
      }
      if (&fd == &fds[0]) {
        if (stdoutText.size() < kMostMessageBytes) stdoutText.append(buffer, std::size_t(n));
        continue;
      }
      for (ssize_t i = 0; i < n; ++i) {
        if (buffer[i] != '\n') {
          if (line.size() < kMostMessageBytes) line += buffer[i];
          continue;
        }
        if (const int percent = ProgressPercent(line); percent >= 0) {
          std::lock_guard<std::mutex> lock(mutex_);
          status_["percent"] = percent;
          status_["phase"] = percent < 100 ? "tracing" : "writing the files and checking them";
        } else if (stderrText.size() < kMostMessageBytes) {
          stderrText += line + "\n";
        }
        line.clear();
      }
    }
  }
  for (pollfd& fd : fds)
    if (fd.fd >= 0) ::close(fd.fd);
  stderrText += line;  // a last line without its end
}

void RenderRunner::Render(int width, int height) {
  int out[2], err[2];
  std::string why;
  const pid_t pid = Spawn(Arguments(width, height), out, err, why);
  if (pid < 0) return Finish(-1, "", why);
  std::string stdoutText, stderrText;
  Follow(out[0], err[0], stdoutText, stderrText);
  int raw = 0;
  while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    child_ = -1;
  }
  Finish(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, stdoutText, stderrText);
}

nlohmann::json RenderRunner::Results(const std::string& out, std::shared_ptr<const StackView>& view,
                                     std::set<std::string>& files) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    status_["phase"] = "reading the results";
  }
  const Result<std::string> text = ReadWholeFile(setup_.outDir + "/manifest.json", kManifestFileLimit);
  const Result<nlohmann::json> parsed = text.ok() ? ParseJsonText(text.value()) : Result<nlohmann::json>(text.status());
  const nlohmann::json manifest = parsed.ok() ? parsed.value() : nlohmann::json();
  if (!manifest.is_object() || !manifest.contains("layers") || !manifest["layers"].is_array())
    return {{"state", "failed"}, {"percent", 100}, {"message", setup_.outDir + "/manifest.json: cannot be read"}};
  nlohmann::json layers = nlohmann::json::array();
  for (const auto& layer : manifest["layers"]) {
    const std::string key = layer.value("blendKey", "");
    const std::string preview = layer.value("preview", "");
    layers.push_back({{"name", layer.value("name", "")},
                      {"kind", layer.value("kind", "")},
                      {"blendKey", key},
                      {"blendMode", BlendName(key)},
                      {"visible", layer.value("visible", true)},
                      {"preview", preview}});
    if (!preview.empty()) files.insert(preview);
  }
  if (manifest.contains("files") && manifest["files"].is_array())
    for (const auto& name : manifest["files"])
      if (name.is_string()) files.insert(name.get<std::string>());
  std::string viewError;
  auto loaded = StackView::Load(setup_.outDir + "/render.psd", viewError);
  if (loaded && loaded->layers().size() != layers.size()) {
    viewError = "render.psd holds " + std::to_string(loaded->layers().size()) + " layers, the manifest " +
                std::to_string(layers.size());
    loaded.reset();
  }
  view = std::move(loaded);
  return {{"state", "done"},
          {"percent", 100},
          {"result",
           {{"size", manifest.value("size", nlohmann::json::array())},
            {"depth", manifest.value("depth", 0)},
            {"scene", manifest.value("scene", "")},
            {"layers", layers},
            {"check", setup_.check ? setup_.check(setup_.outDir) : nlohmann::json()},
            {"files", std::vector<std::string>(files.begin(), files.end())},
            {"summary", LastLine(out)},
            {"viewer", view ? nlohmann::json() : nlohmann::json(viewError)}}}};
}

void RenderRunner::Finish(int exitStatus, const std::string& out, const std::string& err) {
  std::shared_ptr<const StackView> view;
  std::set<std::string> files;
  nlohmann::json status;
  if (exitStatus == 0) {
    status = Results(out, view, files);
  } else {
    std::string message = err;
    while (!message.empty() && message.back() == '\n') message.pop_back();
    if (message.empty())
      message = exitStatus < 0 ? "the render was stopped" : "zurender ended with status " + std::to_string(exitStatus);
    status = {{"state", "failed"}, {"percent", 100}, {"message", message}};
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (status["state"] == "failed") status["result"] = status_.value("result", nlohmann::json());
  status_ = std::move(status);
  if (status_["state"] == "done") {
    view_ = std::move(view);
    files_ = std::move(files);
  }
  running_ = false;
}

}  // namespace zurender
