// A probe between the plug-in and a declare callback: keeps every declaration as the plug-in passed
// it and the id the host gave it, and refuses the one a test chooses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/host_services.h"
#include "host/layer_declaration.h"
#include "hostsim/callback_slot.h"

namespace hostsim::hooks {

class DeclareProbe {
 public:
  explicit DeclareProbe(DeclareLayerFn inner) : inner_(inner) {}

  // The callback to hand to the plug-in instead of inner.
  DeclareLayerFn function() const { return slot_.function(); }
  std::int32_t Declare(LayerDeclaration* declaration);

  // Every declaration since the last reset, refused ones too, as the plug-in passed it.
  const std::vector<LayerDeclaration>& Declarations() const { return declarations_; }
  // The id given to the i-th, 0 when it was refused.
  std::int32_t DeclaredId(std::size_t i) const { return i < ids_.size() ? ids_[i] : 0; }

  // Makes the k-th call counted from the last reset (1 is the first) return code without asking
  // the host behind; 0 refuses none.
  void RefuseNumber(std::uint32_t k, std::int32_t code = 1) {
    refuseNumber_ = k;
    refuseCode_ = code;
  }
  // Forgets the declarations and the refusal.
  void Reset();

 private:
  DeclareLayerFn inner_;
  std::vector<LayerDeclaration> declarations_;
  std::vector<std::int32_t> ids_;
  std::uint32_t refuseNumber_ = 0;
  std::int32_t refuseCode_ = 1;
  CallbackSlot<&DeclareProbe::Declare> slot_{*this, "declare probes"};
};

}  // namespace hostsim::hooks
