#include "dialog/find_host_function.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace zu {

#if defined(_WIN32)
// A null module handle makes the lookup search the exports of the process's main executable, the
// host, and neither this library nor any other loaded one.
void* FindHostFunction(const char* name) { return reinterpret_cast<void*>(GetProcAddress(nullptr, name)); }
#else
// The process's own handle searches the executable that plays the host (and what it was linked
// with), never this library's private symbols.
void* FindHostFunction(const char* name) {
  void* self = dlopen(nullptr, RTLD_NOW);
  if (self == nullptr) return nullptr;
  void* function = dlsym(self, name);
  dlclose(self);
  return function;
}
#endif

}  // namespace zu
