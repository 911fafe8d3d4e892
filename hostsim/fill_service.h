// The host's fill service: hands the plug-in the components the application computes and takes
// the values it writes into layers.
#pragma once

#include <cstdint>

#include "host/abi.h"
#include "host/colour_value.h"
#include "host/fill_service.h"
#include "host/host_services.h"
#include "hostsim/callback_slot.h"

namespace hostsim {

constexpr std::int32_t kUnknownOperationCode = -1;  // answer to any operation but the two of host/fill_service.h

// The application's side of the fill service. Both answer 0 for done or a code the plug-in gets
// back. Called once per request of every sample: keep them cheap.
class FillProvider {
 public:
  // Writes the component with this number into value.
  virtual std::int32_t GetComponent(std::int32_t component, ColourValue& value) = 0;
  // Takes value as the sample's value of the declared layer with this host id.
  virtual std::int32_t WriteLayer(std::int32_t hostLayerId, const ColourValue& value) = 0;

 protected:
  ~FillProvider() = default;
};

class FillService {
 public:
  // The provider must outlive the service.
  explicit FillService(FillProvider& provider) : provider_(provider) {}

  // The callback for the FillLayersRecord, reaching this object while it lives.
  FillServiceFn function() const { return slot_.function(); }

  // Passes kGetComponent to GetComponent and kWriteLayer to WriteLayer; any other operation, or
  // no value, is answered with kUnknownOperationCode.
  std::int32_t Serve(std::int32_t operation, std::int32_t argument, ColourValue* value) {
    if (value == nullptr) return kUnknownOperationCode;
    if (operation == kGetComponent) return provider_.GetComponent(argument, *value);
    if (operation == kWriteLayer) return provider_.WriteLayer(argument, *value);
    return kUnknownOperationCode;
  }

 private:
  FillProvider& provider_;
  CallbackSlot<&FillService::Serve> slot_{*this, "fill services"};
};

}  // namespace hostsim
