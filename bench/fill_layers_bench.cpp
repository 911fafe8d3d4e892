// ZUShaderFillLayers per sample against the substitute host, next to the floor: the same host
// calls made alone. Run without arguments for the timings and their ratios; with
// --callgrind NAME SAMPLES it runs one loop of NAME (plugin_default, floor_default,
// plugin_every_kind, floor_every_kind) for scripts/callgrind-fill to count instructions in.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "bench/fill_scenarios.h"

namespace {

Scenario& DefaultScenario() {
  static Scenario s = MakeDefaultScenario();
  return s;
}
Scenario& EveryKindScenario() {
  static Scenario s = MakeEveryKindScenario();
  return s;
}

void Measure(benchmark::State& state, Scenario& s, bool plugin) {
  if (s.name.empty()) {
    state.SkipWithError("the scenario could not be set up");
    return;
  }
  const SampleCheck check = CheckScenario(s);
  if (!check.sameCalls) {
    state.SkipWithError("the floor does not make the plug-in's host calls");
    return;
  }
  if (plugin) {
    for (auto _ : state) benchmark::DoNotOptimize(PluginSample(s));
  } else {
    for (auto _ : state) FloorSample(s);
  }
  state.counters["host_calls"] = plugin ? check.pluginCalls : check.floorCalls;
  state.SetLabel(s.how);
}

void BM_FillLayers_default(benchmark::State& state) { Measure(state, DefaultScenario(), true); }
void BM_Floor_default(benchmark::State& state) { Measure(state, DefaultScenario(), false); }
void BM_FillLayers_every_kind(benchmark::State& state) { Measure(state, EveryKindScenario(), true); }
void BM_Floor_every_kind(benchmark::State& state) { Measure(state, EveryKindScenario(), false); }
BENCHMARK(BM_FillLayers_default);
BENCHMARK(BM_Floor_default);
BENCHMARK(BM_FillLayers_every_kind);
BENCHMARK(BM_Floor_every_kind);

// Prints each scenario's time over its floor's after the usual table: CPU time, the fastest run
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
      if (it == times_.end() || time < it->second) times_[name] = time;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* scenario : {"default", "every_kind"}) {
      const auto plugin = times_.find(std::string("BM_FillLayers_") + scenario);
      const auto floor = times_.find(std::string("BM_Floor_") + scenario);
      if (plugin != times_.end() && floor != times_.end() && floor->second > 0)
        std::printf("%-10s %8.1f ns CPU per sample, floor %8.1f ns: %.2f x the floor\n", scenario, plugin->second,
                    floor->second, plugin->second / floor->second);
    }
  }

  int errors() const { return errors_; }

 private:
  std::map<std::string, double> times_;
  int errors_ = 0;
};

// Kept out of line so that callgrind can count exactly what runs inside them.
extern "C" __attribute__((noinline)) void plugin_default(int samples) {
  for (int i = 0; i < samples; ++i) benchmark::DoNotOptimize(PluginSample(DefaultScenario()));
}
extern "C" __attribute__((noinline)) void floor_default(int samples) {
  for (int i = 0; i < samples; ++i) FloorSample(DefaultScenario());
}
extern "C" __attribute__((noinline)) void plugin_every_kind(int samples) {
  for (int i = 0; i < samples; ++i) benchmark::DoNotOptimize(PluginSample(EveryKindScenario()));
}
extern "C" __attribute__((noinline)) void floor_every_kind(int samples) {
  for (int i = 0; i < samples; ++i) FloorSample(EveryKindScenario());
}

int RunForCallgrind(const char* name, int samples) {
  const struct {
    const char* name;
    void (*loop)(int);
    Scenario& (*scenario)();
  } loops[] = {{"plugin_default", &plugin_default, &DefaultScenario},
               {"floor_default", &floor_default, &DefaultScenario},
               {"plugin_every_kind", &plugin_every_kind, &EveryKindScenario},
               {"floor_every_kind", &floor_every_kind, &EveryKindScenario}};
  for (const auto& loop : loops) {
    if (std::strcmp(loop.name, name) != 0) continue;
    Scenario& s = loop.scenario();
    if (s.name.empty() || !CheckScenario(s).sameCalls) {
      std::fprintf(stderr, "zu_fill_bench: scenario of %s not usable\n", name);
      return 1;
    }
    loop.loop(samples);
    std::printf("%s %d samples (%s)\n", name, samples, s.how.c_str());
    return 0;
  }
  std::fprintf(stderr, "zu_fill_bench: no loop named %s\n", name);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  if (argc == 4 && std::strcmp(argv[1], "--callgrind") == 0) {
    status = RunForCallgrind(argv[2], std::atoi(argv[3]));
  } else {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    status = reporter.errors() == 0 ? 0 : 1;
  }
  FinishScenario(DefaultScenario());
  FinishScenario(EveryKindScenario());
  return status;
}
