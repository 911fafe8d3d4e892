#include "bench/bench_host.h"

#include "host/fill_service.h"

namespace bench {

HostState gHost{};

namespace {
CallLog gTrace;
}  // namespace

std::int32_t ZU_ABI FillService(std::int32_t operation, std::int32_t argument, ColourValue* value) {
  const auto n = static_cast<std::uint32_t>(argument);
  if (operation == kGetComponent && n < std::uint32_t{kComponentCount}) {
    *value = gHost.components[n];
    return 0;
  }
  if (operation == kWriteLayer) {
    gHost.written[n % kLayerSlots] = *value;
    return 0;
  }
  return kRefused;
}

void ZU_ABI NextLight(void** light, std::int32_t* shadowFlag, std::int32_t*, float* factor, std::int32_t*,
                      std::int32_t*, std::int32_t*, float* shadowRed, float* shadowGreen, float* shadowBlue) {
  // The record is the first member of its light, so the light is found without a search.
  const Light* next = gHost.lights;
  if (*light != nullptr) {
    const Light& given = *reinterpret_cast<const Light*>(*light);
    *shadowFlag = given.shadowFlag;
    *factor = given.factor;
    *shadowRed = given.shadow[0];
    *shadowGreen = given.shadow[1];
    *shadowBlue = given.shadow[2];
    next = &given + 1;
  }
  *light = next < gHost.lights + gHost.lightCount ? const_cast<LightRecord*>(&next->record) : nullptr;
}

CallLog& TracedCalls() { return gTrace; }

std::int32_t ZU_ABI TracingFillService(std::int32_t operation, std::int32_t argument, ColourValue* value) {
  gTrace.emplace_back(operation, argument);
  return FillService(operation, argument, value);
}

void ZU_ABI TracingNextLight(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor,
                             std::int32_t* fifth, std::int32_t* sixth, std::int32_t* seventh, float* shadowRed,
                             float* shadowGreen, float* shadowBlue) {
  gTrace.emplace_back(0, 0);
  NextLight(light, shadowFlag, third, factor, fifth, sixth, seventh, shadowRed, shadowGreen, shadowBlue);
}

}  // namespace bench
