// Inspection of what the plug-in holds of the host's memory.
#pragma once

#include <string>
#include <vector>

#include "hostsim/host_allocator.h"

namespace hostsim::hooks {

std::vector<const void*> LiveBlocks(const HostAllocator& allocator);

// The live block that holds exactly this text with its terminator, or none.
const void* FindLiveString(const HostAllocator& allocator, const std::string& text);

}  // namespace hostsim::hooks
