#include <gtest/gtest.h>

#include "zurender/base/text_encoding.h"

namespace zurender {
namespace {

TEST(TextEncoding, EveryByteOfTheCodePageComesBackFromUtf8AndUtf16) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << "byte " << b;
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(byte)), byte) << "byte " << b;
  }
  // Where the code page differs from Latin-1.
  EXPECT_EQ(Cp1252ToUtf8("\x80 \x96 \x93" "a\x94 \x8C"), "\xE2\x82\xAC \xE2\x80\x93 \xE2\x80\x9C" "a\xE2\x80\x9D \xC5\x92");
  EXPECT_EQ(Cp1252ToUtf16("\x80\xE9"), std::u16string(u"\u20AC\u00E9"));
  // What other programs wrote that the code page cannot hold: one '?' a character.
  EXPECT_EQ(Utf8ToCp1252("\xE9\x9C\xA7 \xF0\x9F\x98\x80 \xC3"), "? ? ?");
  EXPECT_EQ(Utf16ToCp1252(u"\u9727\U0001F600\u00E9"), "??\xE9");
}

TEST(TextEncoding, TypedTextIsKeptOrRefusedByItsFirstCharacterTheCodePageLacks) {
  const Result<std::string> accents = TypedTextToCp1252("Diffus \xC3\x89" "clair\xC3\xA9 \xE2\x82\xAC");
  ASSERT_TRUE(accents.ok()) << accents.message();
  EXPECT_EQ(accents.value(), "Diffus \xC9" "clair\xE9 \x80");
  const struct {
    std::string text;
    std::string message;
  } refused[] = {
      {"Brume \xE9\x9C\xA7", "\"\xE9\x9C\xA7\" (U+9727) is not a character of Windows-1252"},
      {"\xF0\x9F\x98\x80", "(U+1F600) is not a character of Windows-1252"},
      {"a\tb", "a control character (U+0009)"},
      {"\xC2\x81", "a control character (U+0081)"},
      {"Lumi\xE8re", "not UTF-8 text (byte 0xE8 at byte 5)"},  // Latin-1 bytes
      {"\xC0\xAF", "not UTF-8 text"},                         // an overlong '/'
      {"\xED\xA0\x80", "not UTF-8 text"},                     // a surrogate
  };
  for (const auto& r : refused) {
    const Result<std::string> kept = TypedTextToCp1252(r.text);
    ASSERT_FALSE(kept.ok()) << r.text;
    EXPECT_NE(kept.message().find(r.message), std::string::npos) << kept.message();
  }
}

}  // namespace
}  // namespace zurender
