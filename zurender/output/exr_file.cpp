#include "zurender/output/exr_file.h"

#include <ImfThreading.h>

#include <mutex>
#include <thread>

namespace zurender {

void UseAllCoresForExr() {
  static std::once_flag once;
  std::call_once(once, [] {
    const unsigned cores = std::thread::hardware_concurrency();
    Imf::setGlobalThreadCount(cores > 1 ? int(cores) : 1);
  });
}

}  // namespace zurender
