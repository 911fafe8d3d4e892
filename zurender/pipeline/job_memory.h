// What a render will hold at once, counted before anything is traced or written: the frame's
// layers, the scene's geometry and its hierarchy, the lights' samples of every worker, and a
// recording or the plug-in's kept writes where asked for. A job that cannot fit the address
// space of this 32-bit program is refused with these figures before the output folder is made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zurender {

// 4 GiB of addresses, less what the program, its libraries, the plug-in and the stacks take.
constexpr std::uint64_t kJobMemoryBudget = (std::uint64_t(4) << 30) - (std::uint64_t(160) << 20);

struct JobMemory {
  std::uint64_t frame = 0;       // every layer, the final image and the object ids
  std::uint64_t scene = 0;       // meshes loaded, geometry and its hierarchy, light records
  std::uint64_t perWorker = 0;   // each tracing thread's buffers, its lights' samples most of all
  std::uint64_t extras = 0;      // a shading recording or the plug-in's kept writes

  std::uint64_t Total(int threads) const { return frame + scene + extras + perWorker * std::uint64_t(threads); }
  // The most threads, from 1 to wanted, whose total fits the budget; 0 when not even one does.
  int ThreadsThatFit(int wanted) const;
  // "5123 MiB (frame 4000 MiB, scene 1000 MiB, 2 threads 123 MiB)"
  std::string Describe(int threads) const;
};

std::string MebibyteText(std::uint64_t bytes);

}  // namespace zurender
