// Threads for the render host, on both platforms it is built for. The Windows build's toolchain
// has no std::thread or std::mutex, so both are wrapped here over the system's own.
#pragma once

#include <functional>

namespace zurender {

// Logical cores of the machine; at least 1.
int CoreCount();

// Runs work(worker) for worker 0 .. count-1, each on a thread of its own (worker 0 on the
// calling thread), and returns when all have returned. An exception of any worker is thrown
// again here, after the others are done.
void RunOnThreads(int count, const std::function<void(int worker)>& work);

// A mutual-exclusion lock that is neither copied nor moved.
class Lock {
 public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  void lock();
  void unlock();

 private:
  alignas(8) unsigned char storage_[64];
};

}  // namespace zurender
