// Text and numbers in the edit texts of the host's dialogs.
#pragma once

#include <cstdint>

#include "host/host_dialog.h"

namespace zu {

// Edit texts hold short values: a number, a custom pair word or the base name, which is stored
// with at most 64 characters anyway.
constexpr std::int32_t kControlTextSize = 64;

// Reads a control's text into buffer, which always ends terminated inside its kControlTextSize
// bytes whatever the host writes. lengthCell carries the capacity the host is told (64 when
// none) and receives what the host leaves there.
void ReadEditText(ControlRef control, char (&buffer)[kControlTextSize], std::int32_t* lengthCell);

// The same on the Layers dialog's control with this id.
void GetControlText(std::int32_t id, char (&buffer)[kControlTextSize], std::int32_t* lengthCell);
void SetControlText(std::int32_t id, const char* text);
void SetControlNumber(std::int32_t id, std::int32_t value);

// Reads the control's text as a plain decimal number (ParseControlNumber); value is set in any case.
bool GetControlNumber(std::int32_t id, std::int32_t& value);

// An optional "-" and then decimal digits only. The value holds the digits up to the first other
// character (negated after "-"), and the result tells whether every character was a digit; an
// empty text and a lone "-" give 0 and true. Digits beyond the 32-bit range saturate at the
// largest value, or after "-" at the smallest.
bool ParseControlNumber(const char* text, std::int32_t& value);

}  // namespace zu
