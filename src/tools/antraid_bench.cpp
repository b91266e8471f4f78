// antraid-bench: the cost of one model step on the toolkit-free host.
//
// Each benchmark builds a run from the panel as a user would (edit boxes,
// Start), lets the run loop step, and times every run-loop iteration from
// one event-processing pass to the next: the model step with every caption
// write it makes. The figure is the median over steps 200 to 2200, once the
// ants are out.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "app/raid_watch.h"
#include "sim/main_form.h"
#include "platform/headless/headless_host.h"

namespace antraid {
namespace {

constexpr int kFirstTimedStep = 200;
constexpr int kLastTimedStep = 2200;

// One run of kLastTimedStep steps; returns the median step time in seconds.
double MedianStepSeconds(const std::function<void(MainForm&)>& setUp, bool watchRaid) {
  using Clock = std::chrono::steady_clock;
  HeadlessHost host;
  MainForm form(host);
  form.rng.SetFixedSeed(12345);
  form.Form_Load();
  setUp(form);
  std::unique_ptr<RaidWatch> watch;
  if (watchRaid) watch = std::make_unique<RaidWatch>(form, nullptr);
  std::vector<double> steps;
  steps.reserve(kLastTimedStep);
  Clock::time_point last;
  host.onDoEvents = [&] {
    Clock::time_point now = Clock::now();
    if (host.passes > kFirstTimedStep) steps.push_back(std::chrono::duration<double>(now - last).count());
    last = now;
    if (host.passes == kLastTimedStep + 1) form.run.running = false;
  };
  form.panel.cmdStartProgram.Click();
  std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
  return steps[steps.size() / 2];
}

void RunStepBenchmark(benchmark::State& state, const std::function<void(MainForm&)>& setUp, bool watchRaid = false) {
  double last = 0;
  for (auto _ : state) {
    last = MedianStepSeconds(setUp, watchRaid);
    state.SetIterationTime(last);
  }
  state.counters["steps_per_s"] = last > 0 ? 1.0 / last : 0.0;
}

void BM_DefaultStep(benchmark::State& state) {
  RunStepBenchmark(state, [](MainForm&) {});
}

// The default run with the world picture switched off, as a sweep runs it.
void BM_DefaultStepNoPicture(benchmark::State& state) {
  RunStepBenchmark(state, [](MainForm& form) { form.pctWorld.SetRasterOn(false); });
}

// The default run watched for the raid's end, as the window watches it.
void BM_DefaultStepRaidWatch(benchmark::State& state) { RunStepBenchmark(state, [](MainForm&) {}, true); }

void BM_TenThousandAnts(benchmark::State& state) {
  RunStepBenchmark(state, [](MainForm& form) { form.panel.txtNumAnts.SetText("10000"); });
}

void BM_LargeWorld(benchmark::State& state) {
  RunStepBenchmark(state, [](MainForm& form) {
    form.panel.txtWorldXinM.SetText("20");
    form.panel.txtWorldYinM.SetText("20");
  });
}

BENCHMARK(BM_DefaultStep)->UseManualTime()->Iterations(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DefaultStepRaidWatch)->UseManualTime()->Iterations(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DefaultStepNoPicture)->UseManualTime()->Iterations(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TenThousandAnts)->UseManualTime()->Iterations(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LargeWorld)->UseManualTime()->Iterations(3)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace antraid

BENCHMARK_MAIN();
