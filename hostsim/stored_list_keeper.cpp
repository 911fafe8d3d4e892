#include "hostsim/stored_list_keeper.h"

#include <cstdlib>
#include <cstring>

#include "host/layers_dialog_resource.h"
#include "host/stored_block_descriptor.h"
#include "hostsim/dialog_toolkit.h"
#include "hostsim/stored_block.h"

namespace hostsim {
namespace {

std::int32_t TextValue(const DialogToolkit& toolkit, DialogRef dialog, std::int32_t id) {
  const SimControl* control = toolkit.FindControl(dialog, id);
  return control ? std::int32_t(std::strtol(control->text.c_str(), nullptr, 10)) : 0;
}

std::int32_t ControlValue(const DialogToolkit& toolkit, DialogRef dialog, std::int32_t id) {
  const SimControl* control = toolkit.FindControl(dialog, id);
  return control ? control->value : 0;
}

}  // namespace

StoredListKeeper::StoredListKeeper(const DialogToolkit& toolkit)
    : toolkit_(toolkit), block_(new std::uint8_t[kStoredBlockBytes]()) {}

std::int32_t StoredListKeeper::SetInfo(std::uint32_t dialog, std::uint32_t code, std::int32_t item, void* data) {
  if (code != kSetInfoCode) return 0;
  if (item == kStoredListItem) {
    const auto* descriptor = static_cast<const StoredBlockDescriptor*>(data);
    if (descriptor == nullptr || descriptor->type != kMemoType || descriptor->data == nullptr ||
        descriptor->size < 0 || std::size_t(descriptor->size) > kStoredBlockBytes) {
      ++refused_;
      return 0;
    }
    std::memset(block_.get(), 0, kStoredBlockBytes);
    std::memcpy(block_.get(), descriptor->data, std::size_t(descriptor->size));
    storedSize_ = descriptor->size;
  } else if (item == kOutputPairCustom1) {
    custom1_ = TextValue(toolkit_, dialog, item);
  } else if (item == kOutputPairCustom2) {
    custom2_ = TextValue(toolkit_, dialog, item);
  }
  return 0;
}

std::uint32_t StoredListKeeper::StoredListAddress() const { return HasStoredList() ? HostAddress(block_.get()) : 0; }

ParamWords StoredListKeeper::NextParamWords(DialogRef dialog) const {
  ParamWords words;
  words.storedList = StoredListAddress();
  words.nameMode = ControlValue(toolkit_, dialog, kNameMode);
  words.outputPairEnabled = ControlValue(toolkit_, dialog, kOutputPairEnabled);
  words.outputPairPreset = ControlValue(toolkit_, dialog, kOutputPairPreset);
  words.edgeMask = ControlValue(toolkit_, dialog, kEdgeMask);
  words.outputPairCustom1 = custom1_;
  words.outputPairCustom2 = custom2_;
  return words;
}

}  // namespace hostsim
