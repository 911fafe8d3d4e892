// The host's declare callback, over the application's choice of which layers it takes.
#pragma once

#include <cstdint>
#include <string>

#include "host/host_services.h"
#include "host/layer_declaration.h"
#include "hostsim/callback_slot.h"

namespace hostsim {

// The application's side of a declaration.
class DeclareProvider {
 public:
  // Takes the layer and sets hostLayerId to the id the host will know it by, returning 0; or
  // refuses it with any other code, which the plug-in gets back. The declaration is as the
  // plug-in passed it.
  virtual std::int32_t Declare(const LayerDeclaration& declaration, std::int32_t& hostLayerId) = 0;

 protected:
  ~DeclareProvider() = default;
};

class DeclareService {
 public:
  // The provider must outlive the service.
  explicit DeclareService(DeclareProvider& provider) : provider_(provider) {}

  // The callback for the InitLayersRecord, reaching this object while it lives.
  DeclareLayerFn function() const { return slot_.function(); }

  // Asks the provider; writes the id it gave into the declaration when it takes the layer. A
  // missing declaration is refused with -1.
  std::int32_t Declare(LayerDeclaration* declaration);

 private:
  DeclareProvider& provider_;
  CallbackSlot<&DeclareService::Declare> slot_{*this, "declare services"};
};

// The declared name as text.
std::string DeclaredName(const LayerDeclaration& declaration);

// A blend key or other four-character code as its four characters.
std::string FourCCText(std::uint32_t code);

}  // namespace hostsim
