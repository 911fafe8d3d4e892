// The substitute host's declare callback: keeps a copy of every declaration the plug-in makes and
// answers each accepted one with a fresh layer id.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/abi.h"
#include "host/layer_declaration.h"

namespace hostsim {

// Accepted declarations get ids kFirstHostLayerId, kFirstHostLayerId + 1, ... in call order,
// far from the list's own ids so that a mix-up shows.
constexpr std::int32_t kFirstHostLayerId = 101;

// The callback handed to the plug-in in the InitLayersRecord.
std::int32_t ZU_ABI HostSimDeclare(LayerDeclaration* declaration);

// Forgets all declarations and refusals; ids start again at kFirstHostLayerId.
void ResetDeclarations();

// Makes the k-th call counted from the last reset (1 is the first) return code; 0 refuses none.
void RefuseDeclarationNumber(std::uint32_t k, std::int32_t code = 1);

// Every declaration as the plug-in passed it (before the host wrote its id), refused ones too.
const std::vector<LayerDeclaration>& Declarations();

// The id given to the i-th declaration, 0 when it was refused.
std::int32_t DeclaredId(std::size_t i);

// The declared name as text.
std::string DeclaredName(const LayerDeclaration& declaration);

// A blend key or other four-character code as its four characters.
std::string FourCCText(std::uint32_t code);

}  // namespace hostsim
