// The host's HostSetInfo: it keeps the layer list the plug-in hands over and takes note of the
// dialog items the plug-in reports as changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/abi.h"
#include "host/host_dialog.h"
#include "hostsim/records.h"

namespace hostsim {

// The host keeps the stored list in a buffer at least as large as the plug-in ever reads from a
// stored list's start, so a load never reads outside it.
constexpr std::size_t kStoredListBufferSize = 0x100000;

std::int32_t ZU_ABI HostSimSetInfo(std::uint32_t dialog, std::uint32_t code, std::int32_t item, void* data);

struct SetInfoCall {
  std::uint32_t dialog;
  std::uint32_t code;
  std::int32_t item;
  bool withData;
};

const std::vector<SetInfoCall>& SetInfoCalls();

// The last stored list received with item 4, copied during the call; none before the first.
bool HasStoredList();
const std::uint8_t* StoredListBytes();
std::int32_t StoredListSize();
// Where the host keeps it, as it writes it into storedList; 0 when nothing is stored.
std::uint32_t StoredListAddress();
// Item 4 calls whose descriptor the host could not take (wrong type, size or no data).
std::size_t RefusedStoredListCount();

// The parameter block the host builds for the next ZUShaderInitialize: the stored list's address
// and the values of the dialog's items 5 to 10 (9 and 10 as the host last took them).
ParamWords HostParamWords(DialogRef dialog);

void ResetHostSetInfo();

}  // namespace hostsim
