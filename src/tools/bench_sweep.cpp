// antraid-bench: the throughput of a sweep. 2 x 2 x 2 runs of 2,000 default
// steps, first on one thread, then on one thread per core; the counters give
// the parallel efficiency (speed-up / threads) and the cost of one run of the
// sweep against the same script run as antraid-script runs it (picture on).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"
#include "experiments/run_script.h"
#include "experiments/sweep.h"
#include "platform/headless/script_runner.h"

namespace antraid::experiments {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExperiment =
    "[experiment]\nsteps = 2000\nrepetitions = 2\nmeasures = [\"colonyFood\", \"antsOut\"]\n"
    "[vary]\ntxtPherToDropOut = [1, 2]\ntxtFoodQuality = [1, 2]\n";

double Seconds(const std::function<void()>& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double SweepSeconds(const fs::path& dir, int jobs) {
  SweepOptions o;
  o.experimentFile = (dir / "bench.toml").string();
  o.outDir = (dir / ("out" + std::to_string(jobs))).string();
  o.jobs = jobs;
  o.fresh = true;
  o.quiet = true;
  std::ostringstream out, err;
  return Seconds([&] { RunSweep(o, out, err); });
}

void BM_SweepThroughput(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / ("antraid-bench-sweep-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "bench.toml") << kExperiment;
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const Experiment e = ParseExperiment(kExperiment, "bench.toml");
  const RunPlan plan(e);
  const std::string script = MakeRunScript(e, plan.Run(1)).text;

  double one = 1e9, all = 1e9, scripted = 1e9;
  for (auto _ : state) {
    const double t1 = SweepSeconds(dir, 1), tn = SweepSeconds(dir, cores);
    const double ts = Seconds([&] {
      std::ostringstream out, err;
      ScriptOptions options;  // as antraid-script --seed 1 runs it
      options.seed = 1;
      ScriptRunner(out, err, options).Run(script);
    });
    one = std::min(one, t1);
    all = std::min(all, tn);
    scripted = std::min(scripted, ts);
    state.SetIterationTime(tn);
  }
  fs::remove_all(dir);
  const double runs = static_cast<double>(plan.runs());
  state.counters["runs_per_s_1_job"] = runs / one;
  state.counters["runs_per_s_all_cores"] = runs / all;
  state.counters["efficiency"] = one / all / cores;
  state.counters["run_vs_script"] = one / runs / scripted;
}

BENCHMARK(BM_SweepThroughput)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace antraid::experiments
