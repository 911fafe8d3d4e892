#include "hostsim/light_iterator.h"

#include <cstring>

namespace hostsim {
namespace {

// Written into the outputs of the call that starts the walk and into those the plug-in ignores:
// a plug-in that used them would show it in its sums.
constexpr float kPoisonFloat = 1000.0f;
constexpr std::int32_t kPoisonWord = 0x5A5A5A5A;
constexpr unsigned char kHostByte = 0xCD;

struct LightState {
  std::vector<SceneLight> lights;
  std::vector<LightRecord> records;
  std::uint32_t calls = 0;
  std::uint32_t foreign = 0;
};

LightState& State() {
  static LightState* state = new LightState;  // never destroyed, like the allocator's
  return *state;
}

// Index of a light the iterator handed out, or -1.
std::int64_t IndexOf(const LightState& s, const void* light) {
  for (std::size_t i = 0; i < s.records.size(); ++i)
    if (&s.records[i] == light) return std::int64_t(i);
  return -1;
}

}  // namespace

void SetSceneLights(const std::vector<SceneLight>& lights) {
  LightState& s = State();
  s.lights = lights;
  s.records.assign(lights.size(), LightRecord{});
  for (std::size_t i = 0; i < lights.size(); ++i) {
    std::memset(s.records[i].hostBytes, kHostByte, sizeof s.records[i].hostBytes);
    std::memcpy(s.records[i].colour, lights[i].colour, sizeof lights[i].colour);
  }
  s.calls = 0;
  s.foreign = 0;
}

void ZU_ABI HostSimNextLight(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor,
                             std::int32_t* fifth, std::int32_t* sixth, std::int32_t* seventh, float* shadowRed,
                             float* shadowGreen, float* shadowBlue) {
  LightState& s = State();
  ++s.calls;
  *third = *fifth = *sixth = *seventh = kPoisonWord;
  std::int64_t next = 0;  // the light handed back
  if (*light == nullptr) {
    *shadowFlag = 1;
    *factor = *shadowRed = *shadowGreen = *shadowBlue = kPoisonFloat;
  } else {
    const std::int64_t i = IndexOf(s, *light);
    if (i < 0) {
      ++s.foreign;
      *light = nullptr;
      return;
    }
    const SceneLight& l = s.lights[std::size_t(i)];
    *shadowFlag = l.shadowFlag;
    *factor = l.factor;
    *shadowRed = l.shadow[0];
    *shadowGreen = l.shadow[1];
    *shadowBlue = l.shadow[2];
    next = i + 1;
  }
  *light = next < std::int64_t(s.records.size()) ? &s.records[std::size_t(next)] : nullptr;
}

const LightRecord* SceneLightRecord(std::size_t i) {
  return i < State().records.size() ? &State().records[i] : nullptr;
}

std::uint32_t NextLightCallCount() { return State().calls; }
std::uint32_t ForeignLightCount() { return State().foreign; }

}  // namespace hostsim
