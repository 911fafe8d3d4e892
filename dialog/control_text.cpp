#include "dialog/control_text.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "dialog/dialog_context.h"
#include "dialog/host_dialog_api.h"

namespace zu {

void ReadEditText(ControlRef control, char (&buffer)[kControlTextSize], std::int32_t* lengthCell) {
  std::int32_t capacity = kControlTextSize;
  std::int32_t* cell = lengthCell != nullptr ? lengthCell : &capacity;
  std::memset(buffer, 0, sizeof buffer);
  host_dialog::GetEditTextString(control, buffer, cell);
  // A host that fills the whole capacity writes no terminator.
  buffer[kControlTextSize - 1] = '\0';
}

void GetControlText(std::int32_t id, char (&buffer)[kControlTextSize], std::int32_t* lengthCell) {
  ReadEditText(DialogControl(id), buffer, lengthCell);
}

void SetControlText(std::int32_t id, const char* text) { host_dialog::SetEditTextString(DialogControl(id), text); }

void SetControlNumber(std::int32_t id, std::int32_t value) {
  char text[kControlTextSize];
  std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
  SetControlText(id, text);
}

bool GetControlNumber(std::int32_t id, std::int32_t& value) {
  value = 0;
  char text[kControlTextSize];
  GetControlText(id, text, nullptr);
  return ParseControlNumber(text, value);
}

bool ParseControlNumber(const char* text, std::int32_t& value) {
  const bool negative = *text == '-';
  if (negative) ++text;
  // The magnitude stops growing at the bound of its sign, so a long run of digits saturates.
  const std::int64_t bound = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                      : std::int64_t{std::numeric_limits<std::int32_t>::max()};
  std::int64_t magnitude = 0;
  bool allDigits = true;
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9') {
      allDigits = false;
      break;
    }
    magnitude = magnitude * 10 + (*text - '0');
    if (magnitude > bound) magnitude = bound;
  }
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return allDigits;
}

}  // namespace zu
