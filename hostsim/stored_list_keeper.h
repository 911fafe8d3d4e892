// The host's HostSetInfo for a dialog session: keeps the layer list the plug-in hands over on
// confirmation and the custom pair it reports, and builds the parameter block the host passes to
// the next ZUShaderInitialize from them and the dialog's settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "host/host_dialog.h"
#include "host/host_services.h"
#include "hostsim/callback_slot.h"
#include "hostsim/records.h"

namespace hostsim {

class DialogToolkit;

class StoredListKeeper {
 public:
  // Reads the dialog's items from toolkit, which must outlive the keeper.
  explicit StoredListKeeper(const DialogToolkit& toolkit);
  StoredListKeeper(const StoredListKeeper&) = delete;
  StoredListKeeper& operator=(const StoredListKeeper&) = delete;

  // The HostSetInfo for the interface record, reaching this object while it lives.
  HostSetInfoFn function() const { return slot_.function(); }

  // With item 4 and a 'MEMO' block of at most kStoredBlockBytes, keeps a copy of the list (the
  // plug-in releases its block when the call returns); any other block is refused and counted.
  // With items 9 and 10 takes the number in that edit text of the dialog. Always answers 0.
  std::int32_t SetInfo(std::uint32_t dialog, std::uint32_t code, std::int32_t item, void* data);

  // The last stored list received; none before the first.
  bool HasStoredList() const { return storedSize_ >= 0; }
  const std::uint8_t* StoredListBytes() const { return block_.get(); }
  std::int32_t StoredListSize() const { return storedSize_; }
  // Where the host keeps it, as it writes it into storedList; 0 when nothing is stored.
  std::uint32_t StoredListAddress() const;
  // Item 4 calls whose block the host could not take (wrong type, size or no data).
  std::size_t RefusedCount() const { return refused_; }

  // The parameter block for the next ZUShaderInitialize: the stored list's address, the dialog's
  // items 5 to 8 as they stand and 9 and 10 as the host last took them.
  ParamWords NextParamWords(DialogRef dialog) const;

 private:
  const DialogToolkit& toolkit_;
  std::unique_ptr<std::uint8_t[]> block_;  // kStoredBlockBytes, zero past the list
  std::int32_t storedSize_ = -1;
  std::size_t refused_ = 0;
  std::int32_t custom1_ = 0;
  std::int32_t custom2_ = 0;
  CallbackSlot<&StoredListKeeper::SetInfo> slot_{*this, "stored list keepers"};
};

}  // namespace hostsim
