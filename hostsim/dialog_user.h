// The person at the screen, as the dialog toolkit asks them when the plug-in opens something modal.
#pragma once

#include <cstdint>
#include <string>

namespace hostsim {

class DialogUser {
 public:
  // The plug-in opened menu menuId at (x, y): the answer the host returns, whose low 16 bits are
  // the item chosen, counted from 1; 0 when nothing was chosen.
  virtual std::int32_t ChooseFromMenu(std::int32_t menuId, std::int32_t x, std::int32_t y) = 0;
  // The options dialog is shown with its two edit texts as the plug-in set them. The user may
  // change them; true confirms the dialog, false cancels it.
  virtual bool AnswerOptionsDialog(std::string& custom1, std::string& custom2) = 0;

 protected:
  ~DialogUser() = default;
};

}  // namespace hostsim
