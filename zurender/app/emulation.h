// Whether this 32-bit program runs under qemu-user, as it must on machines whose kernel executes
// no 32-bit x86 code; its timings are then the emulator's, not the product's.
#pragma once

namespace zurender {

// On an x86_64 kernel a 32-bit program is told the machine is "x86_64"; qemu-user tells it the
// CPU it emulates ("i686"). Never true on Windows.
bool RunsUnderEmulation();

}  // namespace zurender
