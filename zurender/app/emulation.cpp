#include "zurender/app/emulation.h"

#ifndef _WIN32
#include <sys/utsname.h>

#include <cstring>
#endif

namespace zurender {

bool RunsUnderEmulation() {
#ifdef _WIN32
  return false;
#else
  utsname names{};
  return uname(&names) == 0 && std::strcmp(names.machine, "x86_64") != 0;
#endif
}

}  // namespace zurender
