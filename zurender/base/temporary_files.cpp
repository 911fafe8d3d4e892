#include "zurender/base/temporary_files.h"

#include <atomic>
#include <algorithm>
#include <set>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sched.h>
#endif

#include "zurender/base/file_system.h"

namespace zurender {
namespace {

// A lock that needs nothing of the platform's thread library (the Windows toolchain has none):
// it is taken rarely and held briefly, except by a process about to end. One thread may take
// it again while it holds it, so that a rename block can open and commit files of its own.
class RegistryLock {
 public:
  void lock() {
    const unsigned long long self = ThreadNumber();
    if (owner_.load() == self) {
      ++depth_;
      return;
    }
    unsigned long long none = 0;
    while (!owner_.compare_exchange_weak(none, self)) {
      none = 0;
      Pause();
    }
    depth_ = 1;
  }
  void unlock() {
    if (--depth_ == 0) owner_.store(0);
  }

 private:
  static unsigned long long ThreadNumber() {
    static thread_local char mark;
    return reinterpret_cast<unsigned long long>(&mark);
  }
  static void Pause() {
#if defined(_WIN32)
    ::Sleep(0);
#else
    ::sched_yield();
#endif
  }
  std::atomic<unsigned long long> owner_{0};
  int depth_ = 0;  // touched by the owner only
};

struct Registry {
  RegistryLock lock;
  std::multiset<std::string> paths;
  std::vector<std::string> folders;  // in the order made: a folder before those inside it
  std::string note;
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // never destroyed: a handler may use it at exit
  return *registry;
}

}  // namespace

void detail::HoldInterruptions() { TheRegistry().lock.lock(); }
void detail::ReleaseInterruptions() { TheRegistry().lock.unlock(); }

void RegisterTemporary(const std::string& path) {
  Registry& r = TheRegistry();
  r.lock.lock();
  r.paths.insert(path);
  r.lock.unlock();
}

void ForgetTemporary(const std::string& path) {
  Registry& r = TheRegistry();
  r.lock.lock();
  const auto found = r.paths.find(path);
  if (found != r.paths.end()) r.paths.erase(found);
  r.lock.unlock();
}

void RegisterMadeFolder(const std::string& path) {
  Registry& r = TheRegistry();
  r.lock.lock();
  r.folders.push_back(path);
  r.lock.unlock();
}

void ForgetMadeFolder(const std::string& path) {
  Registry& r = TheRegistry();
  r.lock.lock();
  const auto found = std::find(r.folders.begin(), r.folders.end(), path);
  if (found != r.folders.end()) r.folders.erase(found);
  r.lock.unlock();
}

void SetInterruptionNote(const std::string& note) {
  Registry& r = TheRegistry();
  r.lock.lock();
  r.note = note;
  r.lock.unlock();
}

std::string RemoveTemporariesForExit() {
  Registry& r = TheRegistry();
  r.lock.lock();
  for (const std::string& path : r.paths) RemoveFile(path);
  r.paths.clear();
  for (auto folder = r.folders.rbegin(); folder != r.folders.rend(); ++folder) RemoveEmptyFolder(*folder);
  r.folders.clear();
  return r.note;
}

}  // namespace zurender
