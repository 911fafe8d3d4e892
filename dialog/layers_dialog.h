// The Layers dialog, built on the dialog the host made.
#pragma once

#include <cstdint>

#include "host/host_services.h"

// Keeps the host's dialog, resource value and set-info function, then builds the dialog.
void SetupLayersDialog(std::uint32_t dialog, std::uint32_t resourceValue, HostSetInfoFn setInfo);
