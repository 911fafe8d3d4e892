#include "zurender/studio/dialog_worker.h"

#include <sys/stat.h>

#include "host/layers_dialog_resource.h"
#include "hostsim/dialog_resources.h"
#include "zurender/base/text_encoding.h"
#include "zurender/dialog/layers_dialog_session.h"
#include "zurender/plugin/plugin_host.h"
#include "zurender/settings/stored_list_check.h"
#include "zurender/studio/dialog_state.h"

namespace zurender {
namespace {

// Texts the page may send: the dialog's edit texts hold 63 characters, a row 127.
constexpr std::size_t kLongestText = 255;
constexpr std::size_t kMostRows = 4096;

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// A whole number in the request, or none.
std::optional<std::int32_t> Number(const nlohmann::json& request, const char* name) {
  const auto found = request.find(name);
  if (found == request.end() || !found->is_number_integer()) return std::nullopt;
  const auto value = found->get<std::int64_t>();
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return std::int32_t(value);
}

// A text of the request as the host keeps it (Windows-1252), or none: missing, too long, or with a
// character the code page cannot hold, which `refused` then names.
std::optional<std::string> Text(const nlohmann::json& request, const char* name, std::string& refused) {
  const auto found = request.find(name);
  if (found == request.end() || !found->is_string() || found->get_ref<const std::string&>().size() > kLongestText)
    return std::nullopt;
  Result<std::string> text = TypedTextToCp1252(found->get_ref<const std::string&>());
  if (!text.ok()) {
    refused = text.message();
    return std::nullopt;
  }
  return text.value();
}

}  // namespace

DialogWorker::DialogWorker(std::string pluginPath, std::string settingsPath)
    : pluginPath_(std::move(pluginPath)), settingsPath_(std::move(settingsPath)), thread_([this] { Loop(); }) {}

DialogWorker::~DialogWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void DialogWorker::Loop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return job_.has_value() || stopping_; });
    if (!job_) break;
    Job job = std::move(*job_);
    job_.reset();
    lock.unlock();
    const Outcome outcome = job();
    nlohmann::json state = Snapshot(outcome);
    lock.lock();
    state_ = std::move(state);
    phase_ = Phase::Idle;
    changed_.notify_all();
  }
  lock.unlock();
  // The dialog goes first, cancelled, then the plug-in.
  session_.reset();
  plugin_.reset();
}

StudioReply DialogWorker::Run(Job job) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (stopping_) return Refusal(503, "the studio is stopping");
  job_ = std::move(job);
  phase_ = Phase::Running;
  changed_.notify_all();
  changed_.wait(lock, [this] { return phase_ != Phase::Running; });
  return StudioReply{200, state_};
}

std::optional<DialogWorker::Answer> DialogWorker::AwaitAnswer(const nlohmann::json& modal) {
  nlohmann::json state = Snapshot(Outcome{});
  state["modal"] = modal;
  std::unique_lock<std::mutex> lock(mutex_);
  state_ = std::move(state);
  modal_ = modal["kind"].get<std::string>();
  answer_.reset();
  phase_ = Phase::Modal;
  changed_.notify_all();
  changed_.wait(lock, [this] { return answer_.has_value() || stopping_; });
  std::optional<Answer> answer = std::move(answer_);
  answer_.reset();
  modal_.clear();
  phase_ = Phase::Running;
  return answer;
}

std::int32_t DialogWorker::ChooseFromMenu(std::int32_t menuId, std::int32_t x, std::int32_t y) {
  const auto answer = AwaitAnswer(
      {{"kind", "menu"}, {"menu", menuId}, {"x", x}, {"y", y}, {"items", hostsim::MenuResource(menuId)}});
  return answer ? answer->item : 0;
}

bool DialogWorker::AnswerOptionsDialog(std::string& custom1, std::string& custom2) {
  const auto answer =
      AwaitAnswer({{"kind", "options"}, {"dialog", DialogState(session_->toolkit(), session_->toolkit().ExecutingDialog())}});
  if (!answer || !answer->confirm) return false;
  custom1 = answer->first;
  custom2 = answer->second;
  return true;
}

nlohmann::json DialogWorker::Snapshot(const Outcome& outcome) const {
  const bool open = session_ && session_->isOpen();
  return {{"open", open},
          {"file", settingsPath_},
          {"dialog", open ? DialogState(session_->toolkit(), session_->dialog()) : nlohmann::json()},
          {"modal", nullptr},
          {"taken", outcome.taken},
          {"message", outcome.message}};
}

bool DialogWorker::Start(std::string& error) {
  std::lock_guard<std::mutex> acting(acting_);
  const StudioReply reply = Run([this] {
    plugin_ = std::make_unique<PluginHost>();
    std::string why;
    if (!plugin_->Load(pluginPath_, why)) {
      plugin_.reset();
      return Outcome{false, why};
    }
    if (!FileExists(settingsPath_)) {
      // What `zurender layers FILE init` makes: the plug-in's default list, confirmed.
      LayersDialogSession made(*plugin_);
      PluginSettings settings;
      if (!made.Open(PluginSettings{}, why) || !made.Confirm(settings, why))
        return Outcome{false, "the plug-in made no default list: " + why};
      if (Status written = WriteSettingsFile(settingsPath_, settings); !written.ok())
        return Outcome{false, written.message()};
    }
    return Open();
  });
  if (reply.status != 200 || !reply.body["taken"].get<bool>()) {
    error = reply.status != 200 ? reply.body["error"].get<std::string>() : reply.body["message"].get<std::string>();
    return false;
  }
  return true;
}

nlohmann::json DialogWorker::State() {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

DialogWorker::Outcome DialogWorker::Open() {
  if (plugin_ == nullptr) return Outcome{false, "the plug-in is not loaded"};
  const ParsedSettings read = ReadSettingsFile(settingsPath_);
  if (!read.error.empty()) return Outcome{false, read.error};
  const bool discarded = session_ && session_->isOpen();
  session_.reset();  // a dialog still open is cancelled
  auto session = std::make_unique<LayersDialogSession>(*plugin_);
  session->SetPerson(this);
  std::string error;
  if (!session->Open(read.settings, error)) return Outcome{false, settingsPath_ + ": " + error};
  session_ = std::move(session);
  if (!PluginTakesStoredList(read.settings.storedList))
    return Outcome{true, "The plug-in cannot read the layer list stored in " + settingsPath_ +
                             " and shows its default list instead."};
  return Outcome{true, "Opened on " + settingsPath_ + (discarded ? "; the edits not saved were discarded." : ".")};
}

DialogWorker::Outcome DialogWorker::Confirm() {
  PluginSettings edited;
  std::string error;
  if (!session_->Confirm(edited, error))
    return Outcome{false, "The dialog was not saved: " + error + ". " + settingsPath_ + " is unchanged."};
  if (Status written = WriteSettingsFile(settingsPath_, edited); !written.ok())
    return Outcome{false, "The dialog was not saved: " + written.message() + ". " + settingsPath_ + " is unchanged."};
  return Outcome{true, "Saved to " + settingsPath_ + "."};
}

// What a person is told when the dialog does not take a gesture on a control.
DialogWorker::Outcome DialogWorker::Gesture(bool taken, std::int32_t control, const std::string& what) {
  if (taken) return Outcome{};
  std::string why;
  if (control > 0) {
    const hostsim::SimControl* c = session_->toolkit().FindControl(session_->dialog(), control);
    const std::string name = c == nullptr ? "control " + std::to_string(control)
                             : c->label.empty() ? "control " + std::to_string(control)
                                                : "\u201C" + c->label + "\u201D";
    if (c == nullptr) why = ": the dialog has no " + name;
    else if (!c->visible) why = ": " + name + " is hidden";
    else if (!c->enabled) why = ": " + name + " is disabled";
    else why = ": " + name + " does not take that";
  }
  return Outcome{false, "The dialog did not take " + what + why + "; nothing changed."};
}

std::optional<DialogWorker::Job> DialogWorker::Parse(const nlohmann::json& request, std::string& error) {
  if (!request.is_object() || !request.contains("do") || !request["do"].is_string()) {
    error = "expected a JSON object with \"do\"";
    return std::nullopt;
  }
  GestureRequest gesture{request, request["do"], error, ""};
  const std::string& what = gesture.what;
  if (what == "press" || what == "value" || what == "text") return ControlGesture(gesture);
  if (what == "select" || what == "check" || what == "mark" || what == "rename" || what == "move")
    return RowGesture(gesture);
  if (what == "confirm") return Job([this] { return Confirm(); });
  if (what == "cancel")
    return Job([this] {
      return session_->Cancel() ? Outcome{true, "Cancelled: the edits are discarded and the file is unchanged."}
                                : Outcome{false, "The dialog is not open."};
    });
  error = "unknown \"do\": \"" + what + "\"";
  return std::nullopt;
}

std::nullopt_t DialogWorker::GestureRequest::Need(const char* fields) {
  error = refused.empty() ? "\"" + what + "\" needs " + fields : refused;
  return std::nullopt;
}

std::optional<DialogWorker::Job> DialogWorker::ControlGesture(GestureRequest& gesture) {
  const nlohmann::json& request = gesture.body;
  const auto control = Number(request, "control");
  if (gesture.what == "press") {
    if (!control) return gesture.Need("\"control\", a number");
    const std::int32_t id = *control;
    if (id == kConfirmButton) return Job([this] { return Confirm(); });
    if (id == kCancelButton)
      return Job([this] {
        return session_->Cancel() ? Outcome{true, "Cancelled: the edits are discarded and the file is unchanged."}
                                  : Gesture(false, kCancelButton, "the press");
      });
    return Job([this, id] { return Gesture(session_->Press(id), id, "the press"); });
  }
  if (gesture.what == "value") {
    const auto value = Number(request, "value");
    if (!control || !value) return gesture.Need("\"control\" and \"value\", numbers");
    return Job([this, id = *control, v = *value] { return Gesture(session_->SetValue(id, v), id, "the value"); });
  }
  const auto text = Text(request, "text", gesture.refused);
  if (!control || !text) return gesture.Need("\"control\", a number, and \"text\", a string of at most 255 bytes");
  return Job([this, id = *control, t = *text] { return Gesture(session_->SetText(id, t), id, "the text"); });
}

std::optional<DialogWorker::Job> DialogWorker::RowGesture(GestureRequest& gesture) {
  const nlohmann::json& request = gesture.body;
  const std::string& what = gesture.what;
  const auto row = Number(request, "row");
  if (what == "select") {
    const auto found = request.find("rows");
    if (found == request.end() || !found->is_array() || found->size() > kMostRows)
      return gesture.Need("\"rows\", a list of row numbers");
    std::vector<std::int32_t> rows;
    for (const auto& r : *found) {
      if (!r.is_number_integer() || r.get<std::int64_t>() < 0 || r.get<std::int64_t>() > INT32_MAX)
        return gesture.Need("\"rows\", a list of row numbers");
      rows.push_back(r.get<std::int32_t>());
    }
    return Job([this, rows] { return Gesture(session_->SelectRows(rows), kLayerList, "the selection"); });
  }
  if (what == "check" || what == "mark") {
    if (!row) return gesture.Need("\"row\", a number");
    if (what == "mark")
      return Job([this, r = *row] { return Gesture(session_->ToggleRowMark(r), kLayerList, "the row mark"); });
    return Job([this, r = *row] {
      const bool on = r >= 0 && std::size_t(r) < session_->rows().size() && !session_->rows()[std::size_t(r)].on;
      return Gesture(session_->SetRowOn(r, on), kLayerList, "the check mark");
    });
  }
  if (what == "rename") {
    const auto text = Text(request, "text", gesture.refused);
    if (!row || !text) return gesture.Need("\"row\", a number, and \"text\", a string of at most 255 bytes");
    return Job([this, r = *row, t = *text] { return Gesture(session_->RenameRow(r, t), kLayerList, "the new name"); });
  }
  const auto from = Number(request, "from"), to = Number(request, "to");
  if (!from || !to) return gesture.Need("\"from\" and \"to\", row numbers");
  return Job([this, f = *from, t = *to] { return Gesture(session_->MoveRow(f, t), kLayerList, "the move"); });
}

StudioReply DialogWorker::Act(const nlohmann::json& request) {
  // Answers to a menu or dialog the plug-in has open.
  std::optional<Answer> answer;
  const std::string what = request.is_object() && request.contains("do") && request["do"].is_string()
                               ? request["do"].get<std::string>() : std::string();
  if (what == "choose") {
    const auto item = Number(request, "item");
    if (!item) return Refusal(400, "\"choose\" needs \"item\", the menu item counted from 1, or 0 for none");
    answer = Answer{"menu", *item, false, {}, {}};
  } else if (what == "options") {
    std::string refused;
    const auto first = Text(request, "first", refused), second = Text(request, "second", refused);
    const auto confirm = request.find("confirm");
    if (!refused.empty()) return Refusal(400, refused);
    if (confirm == request.end() || !confirm->is_boolean() || !first || !second)
      return Refusal(400, "\"options\" needs \"confirm\", true or false, and the texts \"first\" and \"second\"");
    answer = Answer{"options", 0, confirm->get<bool>(), *first, *second};
  }
  std::optional<Job> job;
  if (!answer && what != "reopen") {
    std::string error;
    job = Parse(request, error);
    if (!job) return Refusal(400, error);
  }

  std::lock_guard<std::mutex> acting(acting_);
  std::unique_lock<std::mutex> lock(mutex_);
  if (stopping_) return Refusal(503, "the studio is stopping");
  if (answer) {
    if (phase_ != Phase::Modal) return Refusal(409, "no menu or dialog is open");
    if (modal_ != answer->modal)
      return Refusal(409, modal_ == "menu" ? "the kind menu is open: choose from it first"
                                           : "the options dialog is open: answer it first");
    answer_ = std::move(answer);
    phase_ = Phase::Running;
    changed_.notify_all();
    changed_.wait(lock, [this] { return phase_ != Phase::Running; });
    return StudioReply{200, state_};
  }
  if (phase_ == Phase::Modal)
    return Refusal(409, modal_ == "menu" ? "the kind menu is open: choose from it or dismiss it first"
                                         : "the options dialog is open: confirm or cancel it first");
  if (what == "reopen") {
    lock.unlock();
    return Run([this] {
      Outcome opened = Open();
      if (!opened.taken)
        opened.message += session_ && session_->isOpen() ? "; the dialog is left as it was" : "; the dialog stays closed";
      return opened;
    });
  }
  if (!state_.is_object() || !state_.value("open", false)) return Refusal(409, "the dialog is closed: reopen it to go on");
  lock.unlock();
  return Run(std::move(*job));
}

}  // namespace zurender
