#include "hostsim/plugin_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace hostsim {
namespace {

#if defined(_WIN32)
void* OpenLibrary(const std::string& path) { return reinterpret_cast<void*>(LoadLibraryA(path.c_str())); }
void CloseLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
void* FindSymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
std::string LastError() { return "error " + std::to_string(GetLastError()); }
#else
void* OpenLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void CloseLibrary(void* handle) { dlclose(handle); }
void* FindSymbol(void* handle, const char* name) { return dlsym(handle, name); }
std::string LastError() {
  const char* text = dlerror();
  return text ? text : "unknown error";
}
#endif

template <typename Fn>
bool Resolve(void* handle, const char* name, Fn& slot, std::string& error) {
  slot = reinterpret_cast<Fn>(FindSymbol(handle, name));
  if (slot == nullptr) error = std::string("missing entry point ") + name;
  return slot != nullptr;
}

}  // namespace

bool PluginLibrary::Load(const std::string& path) {
  Unload();
  handle_ = OpenLibrary(path);
  if (handle_ == nullptr) {
    error_ = "cannot load " + path + ": " + LastError();
    return false;
  }
  const bool all = Resolve(handle_, "ZUShaderInformation", entry_.information, error_) &&
                   Resolve(handle_, "ZUShaderHostInfo", entry_.hostInfo, error_) &&
                   Resolve(handle_, "ZUShaderInitialize", entry_.initialize, error_) &&
                   Resolve(handle_, "ZUShaderInitLayers", entry_.initLayers, error_) &&
                   Resolve(handle_, "ZUShaderFillLayers", entry_.fillLayers, error_) &&
                   Resolve(handle_, "ZUShaderFinish", entry_.finish, error_) &&
                   Resolve(handle_, "ZUShaderInterfaceSetup", entry_.interfaceSetup, error_);
  if (!all) Unload();
  return all;
}

void PluginLibrary::Unload() {
  if (handle_ != nullptr) CloseLibrary(handle_);
  handle_ = nullptr;
  entry_ = PluginEntryPoints{};
}

bool PluginLibrary::IsMapped(const std::string& path) {
#if defined(_WIN32)
  return GetModuleHandleA(path.c_str()) != nullptr;
#else
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return handle != nullptr;
#endif
}

bool PluginLibrary::ExecutableExports(const char* name) {
#if defined(_WIN32)
  return GetProcAddress(GetModuleHandleA(nullptr), name) != nullptr;
#else
  void* self = dlopen(nullptr, RTLD_NOW);
  if (self == nullptr) return false;
  const bool found = dlsym(self, name) != nullptr;
  dlclose(self);
  return found;
#endif
}

}  // namespace hostsim
