#include "zurender/pipeline/parallel.h"

#include <atomic>
#include <exception>
#include <new>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <mutex>
#include <thread>
#endif

namespace zurender {
namespace {

// The first exception of any worker, thrown again on the calling thread once every worker has
// returned: none may end the process from a thread of its own.
class FirstFailure {
 public:
  std::function<void(int)> Guard(const std::function<void(int)>& work) {
    return [this, &work](int worker) {
      try {
        work(worker);
      } catch (...) {
        if (!taken_.exchange(true)) failure_ = std::current_exception();
      }
    };
  }
  void Rethrow() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  std::atomic<bool> taken_{false};
  std::exception_ptr failure_;
};

}  // namespace

#if defined(_WIN32)

int CoreCount() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? int(info.dwNumberOfProcessors) : 1;
}

namespace {
struct ThreadStart {
  const std::function<void(int)>* work;
  int worker;
};
DWORD WINAPI ThreadMain(LPVOID argument) {
  const auto* start = static_cast<const ThreadStart*>(argument);
  (*start->work)(start->worker);
  return 0;
}
}  // namespace

void RunOnThreads(int count, const std::function<void(int)>& unguarded) {
  FirstFailure failure;
  const std::function<void(int)> work = failure.Guard(unguarded);
  std::vector<ThreadStart> starts;
  std::vector<HANDLE> threads;
  for (int worker = 1; worker < count; ++worker) starts.push_back(ThreadStart{&work, worker});
  for (ThreadStart& start : starts) {
    HANDLE thread = CreateThread(nullptr, 0, &ThreadMain, &start, 0, nullptr);
    // A thread that cannot start leaves its share to the others, which take work as they go.
    if (thread != nullptr) threads.push_back(thread);
  }
  work(0);
  for (HANDLE thread : threads) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  failure.Rethrow();
}

static_assert(sizeof(CRITICAL_SECTION) <= 64);
Lock::Lock() { InitializeCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_)); }
Lock::~Lock() { DeleteCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_)); }
void Lock::lock() { EnterCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_)); }
void Lock::unlock() { LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage_)); }

#else

int CoreCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? int(cores) : 1;
}

void RunOnThreads(int count, const std::function<void(int)>& unguarded) {
  FirstFailure failure;
  const std::function<void(int)> work = failure.Guard(unguarded);
  std::vector<std::thread> threads;
  for (int worker = 1; worker < count; ++worker) {
    try {
      threads.emplace_back(work, worker);
    } catch (const std::system_error&) {
      break;  // the workers that did start take the whole job between them
    }
  }
  work(0);
  for (std::thread& thread : threads) thread.join();
  failure.Rethrow();
}

static_assert(sizeof(std::mutex) <= 64);
Lock::Lock() { new (storage_) std::mutex; }
Lock::~Lock() { std::launder(reinterpret_cast<std::mutex*>(storage_))->~mutex(); }
void Lock::lock() { std::launder(reinterpret_cast<std::mutex*>(storage_))->lock(); }
void Lock::unlock() { std::launder(reinterpret_cast<std::mutex*>(storage_))->unlock(); }

#endif

}  // namespace zurender
