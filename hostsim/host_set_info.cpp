#include "hostsim/host_set_info.h"

#include <cstdlib>
#include <cstring>

#include "host/stored_block_descriptor.h"
#include "hostsim/dialog_toolkit.h"

namespace hostsim {
namespace {

constexpr std::int32_t kCustom1Item = 9;
constexpr std::int32_t kCustom2Item = 10;

struct HostSettings {
  std::vector<SetInfoCall> calls;
  std::int32_t storedSize = -1;  // -1: nothing stored
  std::size_t refused = 0;
  std::int32_t custom1 = 0;      // values of items 9 and 10 the host took
  std::int32_t custom2 = 0;
};

HostSettings& Settings() {
  static HostSettings settings;
  return settings;
}

std::uint8_t* StoredBuffer() {
  static std::uint8_t buffer[kStoredListBufferSize];
  return buffer;
}

std::int32_t TextValue(DialogRef dialog, std::int32_t id) {
  const SimControl* control = FindSimControl(dialog, id);
  return control ? std::int32_t(std::strtol(control->text.c_str(), nullptr, 10)) : 0;
}

std::int32_t ControlValue(DialogRef dialog, std::int32_t id) {
  const SimControl* control = FindSimControl(dialog, id);
  return control ? control->value : 0;
}

}  // namespace

std::int32_t ZU_ABI HostSimSetInfo(std::uint32_t dialog, std::uint32_t code, std::int32_t item, void* data) {
  HostSettings& s = Settings();
  s.calls.push_back(SetInfoCall{dialog, code, item, data != nullptr});
  if (code != kSetInfoCode) return 0;
  if (item == kStoredListItem) {
    const auto* descriptor = static_cast<const StoredBlockDescriptor*>(data);
    if (descriptor == nullptr || descriptor->type != kMemoType || descriptor->data == nullptr ||
        descriptor->size < 0 || std::size_t(descriptor->size) > kStoredListBufferSize) {
      ++s.refused;
      return 0;
    }
    // The plug-in releases its block as soon as this returns: keep a copy.
    std::memset(StoredBuffer(), 0, kStoredListBufferSize);
    std::memcpy(StoredBuffer(), descriptor->data, std::size_t(descriptor->size));
    s.storedSize = descriptor->size;
  } else if (item == kCustom1Item) {
    s.custom1 = TextValue(dialog, item);
  } else if (item == kCustom2Item) {
    s.custom2 = TextValue(dialog, item);
  }
  return 0;
}

const std::vector<SetInfoCall>& SetInfoCalls() { return Settings().calls; }

bool HasStoredList() { return Settings().storedSize >= 0; }
const std::uint8_t* StoredListBytes() { return StoredBuffer(); }
std::int32_t StoredListSize() { return Settings().storedSize; }
std::uint32_t StoredListAddress() { return HasStoredList() ? HostAddress(StoredBuffer()) : 0; }
std::size_t RefusedStoredListCount() { return Settings().refused; }

ParamWords HostParamWords(DialogRef dialog) {
  ParamWords words;
  words.storedList = StoredListAddress();
  words.nameMode = ControlValue(dialog, 5);
  words.outputPairEnabled = ControlValue(dialog, 6);
  words.outputPairPreset = ControlValue(dialog, 7);
  words.edgeMask = ControlValue(dialog, 8);
  words.outputPairCustom1 = Settings().custom1;
  words.outputPairCustom2 = Settings().custom2;
  return words;
}

void ResetHostSetInfo() {
  Settings() = HostSettings{};
  std::memset(StoredBuffer(), 0, kStoredListBufferSize);
}

}  // namespace hostsim
