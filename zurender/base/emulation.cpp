#include "zurender/base/emulation.h"

#include <cstdlib>
#include <sstream>

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

std::vector<std::string> I386Emulator() {
  std::vector<std::string> words;
  const char* emulator = std::getenv("ZU_I386_EMULATOR");
  std::istringstream in(emulator != nullptr ? emulator : "");
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

}  // namespace zurender
