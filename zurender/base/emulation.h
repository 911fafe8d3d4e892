// Machines whose kernel executes no 32-bit x86 code run this 32-bit program under qemu-user. Its
// timings are then the emulator's, not the product's; and where binfmt_misc does not hand i386
// programs to qemu-user by itself, the i386 programs it starts must go through qemu-i386 too.
#pragma once

#include <string>
#include <vector>

namespace zurender {

// On an x86_64 kernel a 32-bit program is told the machine is "x86_64"; qemu-user tells it the
// CPU it emulates ("i686"). Never true on Windows.
bool RunsUnderEmulation();

// What must come before an i386 program this one starts: the words of ZU_I386_EMULATOR (set
// where i386 programs start only through qemu-i386 called directly, scripts/machine-kind
// --emulator), else nothing.
std::vector<std::string> I386Emulator();

}  // namespace zurender
