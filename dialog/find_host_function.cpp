#include "dialog/find_host_function.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#if defined(_WIN32)
// The module handle of the process's main executable, the host, whose exports are searched.
void* FindHostFunction(const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), name));
}
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
