#include "hostsim/declare_callback.h"

namespace hostsim {
namespace {

struct DeclareState {
  std::vector<LayerDeclaration> declarations;
  std::vector<std::int32_t> ids;
  std::int32_t nextId = kFirstHostLayerId;
  std::uint32_t refuseNumber = 0;
  std::int32_t refuseCode = 1;
};

DeclareState& State() {
  static DeclareState* state = new DeclareState;  // never destroyed, like the allocator's
  return *state;
}

}  // namespace

std::int32_t ZU_ABI HostSimDeclare(LayerDeclaration* declaration) {
  DeclareState& s = State();
  s.declarations.push_back(*declaration);
  if (s.declarations.size() == s.refuseNumber) {
    s.ids.push_back(0);
    return s.refuseCode;
  }
  declaration->hostLayerId = s.nextId++;
  s.ids.push_back(declaration->hostLayerId);
  return 0;
}

void ResetDeclarations() { State() = DeclareState{}; }

void RefuseDeclarationNumber(std::uint32_t k, std::int32_t code) {
  State().refuseNumber = k;
  State().refuseCode = code;
}

const std::vector<LayerDeclaration>& Declarations() { return State().declarations; }

std::int32_t DeclaredId(std::size_t i) { return i < State().ids.size() ? State().ids[i] : 0; }

std::string DeclaredName(const LayerDeclaration& declaration) {
  return std::string(reinterpret_cast<const char*>(declaration.name + 1), declaration.name[0]);
}

std::string FourCCText(std::uint32_t code) {
  return {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
}

}  // namespace hostsim
