// Settings files under libFuzzer: any text gives settings or one message naming the file; settings
// that load are written and read back unchanged, and the stored list's checks agree with each
// other.
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "zurender/settings/settings_file.h"
#include "zurender/settings/stored_list_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zurender;
  const ParsedSettings parsed = ParseSettings(fuzz::Text(data, size), "fuzz.json");
  if (!parsed.error.empty()) {
    fuzz::Require(parsed.error.rfind("fuzz.json: ", 0) == 0, "a message that does not name the file");
    return 0;
  }
  const PluginSettings& settings = parsed.settings;
  const ParsedSettings again = ParseSettings(SettingsToJson(settings), "again.json");
  fuzz::Require(again.error.empty(), "written settings do not read back");
  fuzz::Require(again.settings.storedList == settings.storedList, "the stored list changed on a trip");
  fuzz::Require(std::memcmp(&again.settings.words, &settings.words, sizeof settings.words) == 0, "the words changed on a trip");
  const hostsim::StoredList list = RenderedList(settings.storedList);
  fuzz::Require(!list.layers.empty() || !settings.storedList.empty(), "the default list is empty");
  fuzz::Require(StoredListDamage(settings.storedList).empty(), "damaged settings were taken");
  return 0;
}
