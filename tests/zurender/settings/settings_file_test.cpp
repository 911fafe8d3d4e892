#include "zurender/settings/settings_file.h"

#include <gtest/gtest.h>

#include "zurender/settings/base64.h"

namespace zurender {
namespace {

TEST(Base64, RoundTripsEveryLengthAndRejectsWhatIsNotBase64) {
  std::vector<std::uint8_t> bytes;
  for (int n = 0; n < 40; ++n) {
    const std::string text = EncodeBase64(bytes);
    EXPECT_EQ(text.size() % 4, 0u);
    EXPECT_EQ(DecodeBase64(text), bytes) << "length " << n;
    bytes.push_back(std::uint8_t(n * 37 + 200));
  }
  EXPECT_EQ(EncodeBase64({'L', 'Y', 'E', 'R', 0}), "TFlFUgA=");
  for (const char* bad : {"TFlFU!A=", "T", "TF=A", "TFlFUgA=A", "TFlFUgA==="}) EXPECT_FALSE(DecodeBase64(bad)) << bad;
}

TEST(SettingsFile, RoundTripsEveryWordAndTheStoredList) {
  PluginSettings s;
  s.words.nameMode = 2;
  s.words.outputPairEnabled = 1;
  s.words.outputPairPreset = 4;
  s.words.edgeMask = 1;
  s.words.outputPairCustom1 = -7;
  s.words.outputPairCustom2 = 2147483647;
  s.storedList = {0x4C, 0x59, 0x45, 0x52, 0, 0, 0, 0, 0};
  const ParsedSettings back = ParseSettings(SettingsToJson(s), "x.json");
  ASSERT_EQ(back.error, "");
  EXPECT_EQ(back.settings.words.magic, s.words.magic);
  EXPECT_EQ(back.settings.words.nameMode, 2);
  EXPECT_EQ(back.settings.words.outputPairCustom1, -7);
  EXPECT_EQ(back.settings.words.outputPairCustom2, 2147483647);
  EXPECT_EQ(back.settings.storedList, s.storedList);
}

TEST(SettingsFile, ErrorsNameTheFileAndTheField) {
  const std::string good = SettingsToJson(PluginSettings{});
  auto without = [&](const std::string& field) {
    std::string text = good;
    const auto at = text.find("\"" + field + "\"");
    text.replace(at, field.size() + 2, "\"_" + field + "\"");
    return text;
  };
  const std::pair<std::string, std::string> cases[] = {
      {"{\"parameterBlock\": ", "layers.json: not valid JSON"},
      {"[]", "layers.json: expected an object"},
      {without("storedList"), "layers.json: storedList: missing"},
      {without("edgeMask"), "layers.json: parameterBlock.edgeMask: missing"},
      {without("parameterBlock"), "layers.json: parameterBlock: missing"},
  };
  for (const auto& [text, error] : cases)
    EXPECT_EQ(ParseSettings(text, "layers.json").error.rfind(error, 0), 0u) << ParseSettings(text, "layers.json").error;
  std::string badList = good;
  badList.replace(badList.find("\"storedList\": \"\""), 16, "\"storedList\": \"@@\"");
  EXPECT_EQ(ParseSettings(badList, "a.json").error, "a.json: storedList: not base64");
  std::string badWord = good;
  badWord.replace(badWord.find("\"nameMode\": 0"), 13, "\"nameMode\": 4294967296");
  EXPECT_EQ(ParseSettings(badWord, "a.json").error, "a.json: parameterBlock.nameMode: expected a 32-bit integer");
  EXPECT_EQ(ReadSettingsFile("/nonexistent/layers.json").error,
            "/nonexistent/layers.json: cannot be read: No such file or directory");
}

}  // namespace
}  // namespace zurender
