// The host services the fill benchmark hands to the plug-in and to its floor alike. They answer
// from stored values, as a real host's lookups do, and log, check and count nothing, so that the
// floor costs what the host calls themselves cost and no more.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "host/abi.h"
#include "host/colour_value.h"
#include "host/light_record.h"

namespace bench {

constexpr std::int32_t kComponentCount = 16;  // component numbers the service answers, 0 to 15
constexpr std::int32_t kMaxLights = 8;
constexpr std::uint32_t kLayerSlots = 64;     // written values kept by host layer id modulo this
constexpr std::int32_t kRefused = -1;         // answer to a request the service cannot serve

// One of the scene's lights: the record handed to the plug-in and what a call given it reports.
struct Light {
  LightRecord record;  // first, so that the record's address is the light's
  std::int32_t shadowFlag;
  float factor;
  float shadow[3];
};

struct HostState {
  ColourValue components[kComponentCount];
  ColourValue written[kLayerSlots];  // the last value written into each slot
  Light lights[kMaxLights];
  std::int32_t lightCount;
};

// What the services answer from; set up before a sample, not changed by one.
extern HostState gHost;

std::int32_t ZU_ABI FillService(std::int32_t operation, std::int32_t argument, ColourValue* value);
void ZU_ABI NextLight(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor,
                      std::int32_t* fifth, std::int32_t* sixth, std::int32_t* seventh, float* shadowRed,
                      float* shadowGreen, float* shadowBlue);

// The same services with a log of their calls, for checking once that the floor makes the
// plug-in's calls: each entry is the fill operation and its argument, or {0, 0} for a light call.
using CallLog = std::vector<std::pair<std::int32_t, std::int32_t>>;
CallLog& TracedCalls();
std::int32_t ZU_ABI TracingFillService(std::int32_t operation, std::int32_t argument, ColourValue* value);
void ZU_ABI TracingNextLight(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor,
                             std::int32_t* fifth, std::int32_t* sixth, std::int32_t* seventh, float* shadowRed,
                             float* shadowGreen, float* shadowBlue);

}  // namespace bench
