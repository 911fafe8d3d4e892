// What killed runs left behind: temporaries (temporary_name.h) of processes that no longer run.
#pragma once

#include <string>

namespace zurender {

// Removes, in directory (not below it), the regular files named as temporaries of a process that
// is no longer running, this one excepted, and only those whose final name starts with prefix
// (all of them for ""). A file that was moved aside to be replaced and not put back is put back
// where its final name is free. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& directory, const std::string& prefix = "");

}  // namespace zurender
