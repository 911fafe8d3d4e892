#include "zurender/output/exr_file.h"

#include <ImfThreading.h>

#include <mutex>
#include <thread>

#include "zurender/base/emulation.h"

namespace zurender {

void UseAllCoresForExr() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Under qemu-user the pool's threads are not to be trusted: an exception a worker rethrows ends
    // the process, and joining them at exit can fail. There OpenEXR works on the caller's thread.
    const unsigned cores = RunsUnderEmulation() ? 0 : std::thread::hardware_concurrency();
    Imf::setGlobalThreadCount(cores > 1 ? int(cores) : 0);
  });
}

}  // namespace zurender
