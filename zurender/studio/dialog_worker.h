// The plug-in's Layers dialog for the page. One thread owns the plug-in and makes every call
// into it: the page's requests reach it as gestures of the dialog session that `zurender layers`
// drives, one at a time. When the plug-in opens its kind menu or its options dialog, it waits
// inside the host's toolkit, as a host's modal loop does, until the page answers; the request
// that opened it returns meanwhile with the menu or dialog to show.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "hostsim/dialog_user.h"
#include "zurender/studio/studio_reply.h"

namespace zurender {

class LayersDialogSession;
class PluginHost;

class DialogWorker : private hostsim::DialogUser {
 public:
  DialogWorker(std::string pluginPath, std::string settingsPath);
  // Answers an open menu or dialog with nothing, cancels the Layers dialog and unloads the plug-in.
  ~DialogWorker();
  DialogWorker(const DialogWorker&) = delete;
  DialogWorker& operator=(const DialogWorker&) = delete;

  // Loads the plug-in and opens the dialog on the settings file; a missing file is first made
  // from the plug-in's default list. False, with error set, when the plug-in cannot be loaded or
  // the file is there but cannot be read.
  bool Start(std::string& error);

  // The dialog as it stands: {open, file, dialog, modal, taken, message}.
  nlohmann::json State();

  // One thing the person did, as JSON: {"do": "press"|"value"|"text"|"select"|"check"|"mark"|
  // "rename"|"move"|"confirm"|"cancel"|"reopen"|"choose"|"options", ...}. 400 when the request is
  // not one of these, 409 when it cannot be taken now (a menu or dialog is open, or none is, or
  // the dialog is closed); otherwise 200 with the state, whose taken and message say whether the
  // dialog took it.
  StudioReply Act(const nlohmann::json& request);

 private:
  struct Outcome {
    bool taken = true;
    std::string message;
  };
  struct Answer {
    std::string modal;  // "menu" or "options"
    std::int32_t item = 0;
    bool confirm = false;
    std::string first, second;
  };
  using Job = std::function<Outcome()>;

  std::int32_t ChooseFromMenu(std::int32_t menuId, std::int32_t x, std::int32_t y) override;
  bool AnswerOptionsDialog(std::string& custom1, std::string& custom2) override;

  void Loop();
  // Runs a job on the plug-in's thread; returns when it ends or opens a menu or dialog.
  StudioReply Run(Job job);
  std::optional<Answer> AwaitAnswer(const nlohmann::json& modal);
  nlohmann::json Snapshot(const Outcome& outcome) const;

  // Jobs, on the plug-in's thread.
  Outcome Open();
  Outcome Confirm();
  Outcome Gesture(bool taken, std::int32_t control, const std::string& what);
  std::optional<Job> Parse(const nlohmann::json& request, std::string& error);
  // One request being parsed: what it asks ("do"), and the error said when it lacks a field.
  struct GestureRequest {
    const nlohmann::json& body;
    std::string what;
    std::string& error;
    std::string refused;  // a text of the request the host's code page cannot hold
    std::nullopt_t Need(const char* fields);
  };
  // Gestures on a control of the dialog (press, value, text), and on the rows of its list.
  std::optional<Job> ControlGesture(GestureRequest& gesture);
  std::optional<Job> RowGesture(GestureRequest& gesture);

  const std::string pluginPath_;
  const std::string settingsPath_;
  // Made, used and destroyed on the plug-in's thread only.
  std::unique_ptr<PluginHost> plugin_;
  std::unique_ptr<LayersDialogSession> session_;

  std::mutex acting_;  // one request of the page at a time, from its start to its reply
  std::mutex mutex_;   // what follows, between the request's thread and the plug-in's
  std::condition_variable changed_;
  enum class Phase { Idle, Running, Modal } phase_ = Phase::Idle;
  std::optional<Job> job_;
  std::string modal_;              // the kind of menu or dialog open, while Modal
  std::optional<Answer> answer_;   // the page's answer to it
  bool stopping_ = false;
  nlohmann::json state_;
  std::thread thread_;             // last: it starts once everything above is there
};

}  // namespace zurender
