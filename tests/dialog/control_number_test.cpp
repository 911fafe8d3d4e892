// The plain decimal numbers of the dialog's edit texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "dialog/control_text.h"

namespace {

using namespace zu;

TEST(ControlText, ParseKeepsTheLeadingDigitsAndTellsWhetherThatWasAll) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  struct Case {
    const char* text;
    std::int32_t value;
    bool whole;
  } cases[] = {
      {"-12", -12, true},  {"12a", 12, false}, {"a12", 0, false},    {"+5", 0, false},
      {" 7", 0, false},    {"", 0, true},      {"-", 0, true},       {"--1", 0, false},
      {"4-2", 4, false},   {"0", 0, true},     {"2147483647", kMax, true},
      {"-2147483648", kMin, true},             {"2147483648", kMax, true},
      {"-2147483649", kMin, true},             {"4294967296000", kMax, true},
      {"99999999999x", kMax, false},
  };
  for (const Case& c : cases) {
    std::int32_t value = 55;
    EXPECT_EQ(ParseControlNumber(c.text, value), c.whole) << '"' << c.text << '"';
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
  }
}

}  // namespace
