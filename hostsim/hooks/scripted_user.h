// A user whose answers a test sets beforehand, and who remembers what the options dialog showed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hostsim/dialog_user.h"

namespace hostsim::hooks {

// What the options dialog held when the user saw it.
struct OptionsDialogRun {
  std::string text3;
  std::string text4;
};

class ScriptedUser : public DialogUser {
 public:
  std::int32_t menuResult = 0;              // the answer to every menu
  bool optionsConfirmed = false;            // the options dialog: confirmed or cancelled
  std::optional<std::string> optionsText3;  // typed into the options dialog's edit texts
  std::optional<std::string> optionsText4;

  const std::vector<OptionsDialogRun>& OptionsDialogRuns() const { return runs_; }

  std::int32_t ChooseFromMenu(std::int32_t, std::int32_t, std::int32_t) override { return menuResult; }
  bool AnswerOptionsDialog(std::string& custom1, std::string& custom2) override {
    runs_.push_back(OptionsDialogRun{custom1, custom2});
    if (optionsText3) custom1 = *optionsText3;
    if (optionsText4) custom2 = *optionsText4;
    return optionsConfirmed;
  }

 private:
  std::vector<OptionsDialogRun> runs_;
};

}  // namespace hostsim::hooks
