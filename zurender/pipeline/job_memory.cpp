#include "zurender/pipeline/job_memory.h"

namespace zurender {

std::string MebibyteText(std::uint64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB"; }

int JobMemory::ThreadsThatFit(int wanted) const {
  for (int threads = wanted; threads >= 1; --threads)
    if (Total(threads) <= kJobMemoryBudget) return threads;
  return 0;
}

std::string JobMemory::Describe(int threads) const {
  std::string text = MebibyteText(Total(threads)) + " (frame " + MebibyteText(frame) + ", scene " + MebibyteText(scene) +
                     ", " + std::to_string(threads) + (threads == 1 ? " thread " : " threads ") +
                     MebibyteText(perWorker * std::uint64_t(threads));
  if (extras != 0) text += ", recording and kept writes " + MebibyteText(extras);
  return text + ")";
}

}  // namespace zurender
