// Record passed to ZUShaderInterfaceSetup.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_services.h"

struct InterfaceRecord {
  std::uint32_t dialog;         // DialogRef of the host dialog that carries the Layers dialog's items
  std::uint32_t resourceValue;  // host value handed back by address when a sub-dialog is made
  HostSetInfoFn setInfo;        // host's HostSetInfo, valid for the life of the dialog
};

static_assert(offsetof(InterfaceRecord, dialog) == 0);
static_assert(offsetof(InterfaceRecord, resourceValue) == 4);
static_assert(offsetof(InterfaceRecord, setInfo) == 8);
static_assert(sizeof(InterfaceRecord) == 12);
