// SIGINT, SIGTERM and SIGHUP (Ctrl+C and closing the console on Windows) end the render host
// cleanly: the temporaries it is writing are removed, one line says what happened to its files,
// and it ends as the signal would have ended it. The signals are taken on a thread of their own,
// where any call is safe, and wait while a rename block runs (temporary_files.h).
#pragma once

namespace zurender {

// Call first in main, before any other thread starts: the threads started later inherit that
// the signals are not theirs to take.
void InstallInterruptionHandler();

}  // namespace zurender
