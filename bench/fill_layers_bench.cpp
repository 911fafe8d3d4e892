// ZUShaderFillLayers of the built library per sample, next to its floor: the same host calls made
// alone, against host services that answer from stored values (bench_host.h).
//
//   zu_fill_bench [--library PATH] [benchmark flags]
//       times every scenario, then prints per scenario plug-in, floor, their ratio and difference;
//   zu_fill_bench [--library PATH] --callgrind plugin|floor SCENARIO SAMPLES
//       runs one loop only, for scripts/callgrind-fill to count its instructions.
// PATH defaults to the ZU_Layers.so of this build; another build's library can be measured too.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "bench/fill_scenarios.h"
#include "hostsim/host_allocator.h"
#include "hostsim/plugin_library.h"

namespace {

void Measure(benchmark::State& state, Scenario* s, bool plugin) {
  if (!s->ready) {
    state.SkipWithError(s->what.c_str());
    return;
  }
  EnterScenario(*s);
  if (plugin) {
    for (auto _ : state) benchmark::DoNotOptimize(PluginSample(*s));
  } else {
    for (auto _ : state) FloorSample(*s);
  }
  state.counters["host_calls"] = double(HostCallsPerSample(*s));
  state.SetLabel(s->what);
}

// After the usual table, each scenario's plug-in and floor CPU time per sample: the fastest run
// (or median) of the repetitions, since the machines the bench runs on are shared and noisy.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) ++errors_;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) continue;
      const std::string name = run.run_name.function_name;
      const double time = run.GetAdjustedCPUTime();
      const auto it = times_.find(name);
      if (it == times_.end()) order_.push_back(name);
      if (it == times_.end() || time < it->second) times_[name] = time;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const std::string& name : order_) {
      if (name.rfind("plugin/", 0) != 0) continue;
      const double plugin = times_[name];
      const std::string scenario = name.substr(7);
      const auto floor = times_.find("floor/" + scenario);
      if (floor == times_.end() || floor->second <= 0) continue;
      std::printf("%-12s plug-in %7.1f ns, floor %7.1f ns: %.2f x the floor, %+.1f ns\n", scenario.c_str(), plugin,
                  floor->second, plugin / floor->second, plugin - floor->second);
    }
  }

  int errors() const { return errors_; }

 private:
  std::map<std::string, double> times_;
  std::vector<std::string> order_;  // as first reported
  int errors_ = 0;
};

// Kept out of line so that callgrind counts exactly what runs inside them.
extern "C" __attribute__((noinline)) void plugin_samples(Scenario* s, int samples) {
  for (int i = 0; i < samples; ++i) benchmark::DoNotOptimize(PluginSample(*s));
}
extern "C" __attribute__((noinline)) void floor_samples(Scenario* s, int samples) {
  for (int i = 0; i < samples; ++i) FloorSample(*s);
}

int RunForCallgrind(std::vector<std::unique_ptr<Scenario>>& scenarios, const char* loop, const char* name,
                    int samples) {
  const bool plugin = std::strcmp(loop, "plugin") == 0;
  if (!plugin && std::strcmp(loop, "floor") != 0) {
    std::fprintf(stderr, "zu_fill_bench: the loop is plugin or floor, not %s\n", loop);
    return 2;
  }
  for (auto& s : scenarios) {
    if (s->name != name) continue;
    if (!s->ready) {
      std::fprintf(stderr, "zu_fill_bench: scenario %s: %s\n", name, s->what.c_str());
      return 1;
    }
    EnterScenario(*s);
    (plugin ? plugin_samples : floor_samples)(s.get(), samples);
    std::printf("%s %s: %d samples\n", loop, name, samples);
    return 0;
  }
  std::fprintf(stderr, "zu_fill_bench: no scenario named %s\n", name);
  return 2;
}

int RunBenchmarks(std::vector<std::unique_ptr<Scenario>>& scenarios, int argc, char** argv) {
  for (auto& s : scenarios) {
    Scenario* scenario = s.get();
    benchmark::RegisterBenchmark(("plugin/" + s->name).c_str(), Measure, scenario, true);
    benchmark::RegisterBenchmark(("floor/" + s->name).c_str(), Measure, scenario, false);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.errors() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string library = ZU_PLUGIN_PATH;
  if (argc >= 3 && std::strcmp(argv[1], "--library") == 0) {
    library = argv[2];
    argv[2] = argv[0];
    argc -= 2;
    argv += 2;
  }
  // Made first, so that it outlives the library, which releases through it when unloaded.
  hostsim::HostAllocator memory;
  hostsim::PluginLibrary plugin;
  if (!plugin.Load(library)) {
    std::fprintf(stderr, "zu_fill_bench: %s\n", plugin.error().c_str());
    return 1;
  }
  auto scenarios = MakeScenarios(plugin.entry(), memory.functions());
  const int status = argc == 5 && std::strcmp(argv[1], "--callgrind") == 0
                         ? RunForCallgrind(scenarios, argv[2], argv[3], std::atoi(argv[4]))
                         : RunBenchmarks(scenarios, argc, argv);
  for (auto& s : scenarios) FinishScenario(*s);
  return status;
}
