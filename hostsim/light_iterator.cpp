#include "hostsim/light_iterator.h"

#include <cstring>

namespace hostsim {
namespace {

constexpr float kUndefinedFloat = 1000.0f;
constexpr std::int32_t kUndefinedWord = 0x5A5A5A5A;
constexpr unsigned char kHostByte = 0xCD;  // the parts of a light record the plug-in does not read

}  // namespace

void LightIterator::SetLights(const std::vector<LightColour>& colours) {
  records_.assign(colours.size(), LightRecord{});
  for (std::size_t i = 0; i < colours.size(); ++i) {
    std::memset(records_[i].hostBytes, kHostByte, sizeof records_[i].hostBytes);
    records_[i].colour[0] = colours[i].red;
    records_[i].colour[1] = colours[i].green;
    records_[i].colour[2] = colours[i].blue;
  }
}

std::ptrdiff_t LightIterator::IndexOf(const void* light) const {
  // Compared as addresses: a pointer from elsewhere must not be used in arithmetic on the records.
  const auto at = reinterpret_cast<std::uintptr_t>(light);
  const auto first = reinterpret_cast<std::uintptr_t>(records_.data());
  if (records_.empty() || at < first) return -1;
  const std::uintptr_t offset = at - first;
  if (offset % sizeof(LightRecord) != 0 || offset / sizeof(LightRecord) >= records_.size()) return -1;
  return std::ptrdiff_t(offset / sizeof(LightRecord));
}

void LightIterator::Next(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor,
                         std::int32_t* fifth, std::int32_t* sixth, std::int32_t* seventh, float* shadowRed,
                         float* shadowGreen, float* shadowBlue) {
  *third = *fifth = *sixth = *seventh = kUndefinedWord;
  std::size_t next = 0;  // the light handed back
  if (*light == nullptr) {
    *shadowFlag = 1;
    *factor = *shadowRed = *shadowGreen = *shadowBlue = kUndefinedFloat;
    outputs_ = provider_.SampleOutputs();
  } else {
    const std::ptrdiff_t i = IndexOf(*light);
    // A light that is not the scene's, or one given before the walk started, ends the walk.
    if (i < 0 || outputs_ == nullptr) {
      *light = nullptr;
      return;
    }
    const LightOutputs& out = outputs_[i];
    *shadowFlag = out.shadowFlag;
    *factor = out.factor;
    *shadowRed = out.shadow[0];
    *shadowGreen = out.shadow[1];
    *shadowBlue = out.shadow[2];
    next = std::size_t(i) + 1;
  }
  *light = next < records_.size() ? &records_[next] : nullptr;
  if (*light == nullptr) outputs_ = nullptr;
}

}  // namespace hostsim
