#include "hostsim/declare_service.h"

#include <algorithm>

namespace hostsim {

std::int32_t DeclareService::Declare(LayerDeclaration* declaration) {
  if (declaration == nullptr) return -1;
  std::int32_t id = 0;
  const std::int32_t result = provider_.Declare(*declaration, id);
  if (result == 0) declaration->hostLayerId = id;
  return result;
}

std::string DeclaredName(const LayerDeclaration& declaration) {
  // The length byte may claim more than the field holds; the name ends with the field.
  const std::size_t length = std::min<std::size_t>(declaration.name[0], sizeof declaration.name - 1);
  return std::string(reinterpret_cast<const char*>(declaration.name + 1), length);
}

std::string FourCCText(std::uint32_t code) {
  return {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
}

}  // namespace hostsim
