// The page's renders: one at a time, each a zurender of its own, started as a child process, so
// that the plug-in's rendering role never shares a process with the dialog the page has open.
// Its progress lines are read as it traces; when it ends, the folder it wrote is read back for
// the viewer: the manifest, the check, and the layered file for stacking again.
#pragma once

#include <sys/types.h>

#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "zurender/studio/stack_view.h"

namespace zurender {

struct RenderSetup {
  std::string program;   // this zurender
  std::string scene;     // "" for the built-in scene
  std::string outDir;
  std::string settings;  // the settings file the dialog confirms into
  std::string plugin;
  // The check of a rendered folder, as the page shows it: {stacks, rebuilt, obstacles, text}.
  std::function<nlohmann::json(const std::string& folder)> check;
};

class RenderRunner {
 public:
  explicit RenderRunner(RenderSetup setup);
  // Ends a render still running and waits for it.
  ~RenderRunner();
  RenderRunner(const RenderRunner&) = delete;
  RenderRunner& operator=(const RenderRunner&) = delete;

  // False, with why set, while another render runs.
  bool Start(int width, int height, std::string& why);
  // {state: idle|running|done|failed, percent, phase, message, result}
  nlohmann::json Status();
  // The last render's layers for the viewer; none before one finished.
  std::shared_ptr<const StackView> View();
  // Whether name is one of the files the last render wrote into the folder, by its name there.
  bool Wrote(const std::string& name);

 private:
  // The child's run, on the runner's thread: started, followed to its end, and its results read.
  void Render(int width, int height);
  std::vector<std::string> Arguments(int width, int height) const;
  // The child, its standard output and error on the pipes out and err; -1, with why set, when
  // it cannot start.
  pid_t Spawn(std::vector<std::string> args, int (&out)[2], int (&err)[2], std::string& why);
  // Reads both of the child's streams to their end, taking the progress lines as they come.
  void Follow(int out, int err, std::string& stdoutText, std::string& stderrText);
  // What the page shows of a render that succeeded: its layers, its check and its files.
  nlohmann::json Results(const std::string& out, std::shared_ptr<const StackView>& view, std::set<std::string>& files);
  void Finish(int exitStatus, const std::string& out, const std::string& err);

  const RenderSetup setup_;
  std::mutex mutex_;
  bool running_ = false;
  bool stopping_ = false;
  pid_t child_ = -1;
  nlohmann::json status_;
  std::shared_ptr<const StackView> view_;
  std::set<std::string> files_;
  std::thread thread_;
};

}  // namespace zurender
