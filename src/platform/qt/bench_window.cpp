// antraid-bench, window part: the default run of BM_DefaultStep with the Qt
// window on screen (offscreen platform) at the speed setting "fastest". One
// run-loop iteration is timed from the end of one event-processing pass to
// the end of the next: the model step, its caption writes, the mirroring of
// the controls, Qt's events and the repaints of the window when a frame is
// due (every 16 ms or so). BM_WindowStep hides the plot dock;
// BM_WindowStepWithPlots shows it, as the window opens;
// BM_WindowStepWithTrails hides it and shows the trails over the canvas
// (composed once per repaint), whose bar is twice BM_DefaultStep.
//
// The manual time is the mean processor time of the process per step over
// steps 200 to 2200: the repaints count with their share, while the time the
// scheduler gives to other programs does not (on a busy machine a preempted
// step takes milliseconds of wall time). The wall-clock median, the figure
// BM_DefaultStep reports, is given beside it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <numeric>
#include <vector>

#include "platform/qt/main_window.h"
#include "platform/qt/pacer.h"
#include "platform/qt/plot_dock.h"
#include "platform/qt/world_view.h"

namespace antraid {
namespace {

constexpr int kFirstWindowStep = 200;
constexpr int kLastWindowStep = 2200;

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "antraid-bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);  // lives until the process ends
  }();
  (void)app;
}

struct StepTimes {
  double cpuMean = 0, cpuMedian = 0, wallMedian = 0;  // s
};

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

// The window with its plot dock shown (as it opens) or hidden, with or
// without the trails.
StepTimes TimeWindowRun(bool plots, bool trails = false) {
  using Clock = std::chrono::steady_clock;
  EnsureApplication();
  WindowProgram program;
  program.form.rng.SetFixedSeed(12345);
  program.window.SetSpeed(kFastest);
  program.form.Form_Load();
  program.window.SyncAll();
  program.window.show();
  program.window.plotDock()->setVisible(plots);
  program.window.worldView()->SetTrails(trails);
  QApplication::processEvents();

  std::vector<double> wall, cpu;
  wall.reserve(kLastWindowStep);
  cpu.reserve(kLastWindowStep);
  int passes = 0;
  Clock::time_point lastWall;
  std::clock_t lastCpu = 0;
  program.host.afterEvents = [&] {
    const Clock::time_point nowWall = Clock::now();
    const std::clock_t nowCpu = std::clock();
    ++passes;
    if (passes > kFirstWindowStep) {
      wall.push_back(std::chrono::duration<double>(nowWall - lastWall).count());
      cpu.push_back(static_cast<double>(nowCpu - lastCpu) / CLOCKS_PER_SEC);
    }
    lastWall = nowWall;
    lastCpu = nowCpu;
    if (passes == kLastWindowStep + 1) program.form.run.running = false;
  };
  program.window.findChild<QPushButton*>("cmdStartProgram")->click();
  program.host.afterEvents = nullptr;

  StepTimes t;
  if (cpu.empty()) return t;
  t.cpuMean = std::accumulate(cpu.begin(), cpu.end(), 0.0) / static_cast<double>(cpu.size());
  t.cpuMedian = Median(cpu);
  t.wallMedian = Median(wall);
  return t;
}

void RunWindowBenchmark(benchmark::State& state, bool plots, bool trails = false) {
  StepTimes t;
  for (auto _ : state) {
    t = TimeWindowRun(plots, trails);
    state.SetIterationTime(t.cpuMean);
  }
  state.counters["steps_per_s"] = t.cpuMean > 0 ? 1.0 / t.cpuMean : 0.0;
  state.counters["cpu_median_us"] = t.cpuMedian * 1e6;
  state.counters["wall_median_us"] = t.wallMedian * 1e6;
}

void BM_WindowStep(benchmark::State& state) { RunWindowBenchmark(state, false); }
void BM_WindowStepWithPlots(benchmark::State& state) { RunWindowBenchmark(state, true); }
void BM_WindowStepWithTrails(benchmark::State& state) { RunWindowBenchmark(state, false, true); }

BENCHMARK(BM_WindowStep)->UseManualTime()->Iterations(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowStepWithPlots)->UseManualTime()->Iterations(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowStepWithTrails)->UseManualTime()->Iterations(5)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace antraid
