// antraid-bench: the throughput of a sweep. 2 x 2 x 2 runs of 2,000 default
// steps, first on one thread, then on one thread per core; the counters give
// the parallel efficiency (speed-up / threads) and the cost of one run of the
// sweep against the same script run as antraid-script runs it (picture on);
// and the cost of a search's own work beside its runs.
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
#include "experiments/search.h"
#include "experiments/sweep.h"
#include "platform/headless/script_runner.h"

namespace antraid::experiments {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExperiment =
    "[experiment]\nsteps = 2000\nrepetitions = 2\nmeasures = [\"colonyFood\", \"antsOut\"]\n"
    "[vary]\ntxtPherToDropOut = [1, 2]\ntxtPherToDropIn = [10, 20]\n";

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

// The search's own cost: CMA-ES over 20 candidates x 10 generations with
// its bookkeeping (two passes a generation, settings typed, candidates
// numbered) but a stand-in for the runs, against 200 short runs of 200
// steps as the sweep performs them. own_cost_vs_runs is the fraction the
// search adds to such a study.
void BM_SearchOwnCost(benchmark::State& state) {
  const char* text =
      "[experiment]\nsteps = 200\nseed = 1\nmeasures = [\"colonyFood\", \"antsOut\"]\n"
      "[search]\nalgorithm = \"cmaes\"\nmaximize = \"colonyFood\"\npopulation = 20\ngenerations = 9\n"
      "txtPherToDropOut = [0.5, 5.0]\ntxtPherToDropIn = [2.0, 20.0]\n";
  const Experiment e = ParseExperiment(text, "bench.toml");
  PlannedRun run;
  run.number = run.combination = run.repetition = 1;
  run.seed = 1;
  run.settings = {{"txtPherToDropOut", ControlKind::TextBox, "2"}, {"txtPherToDropIn", ControlKind::TextBox, "8"}};
  const std::string script = MakeRunScript(e, run).text;
  double search = 1e9, oneRun = 1e9;
  for (auto _ : state) {
    const double ts = Seconds([&] {
      const SearchTrace t = SearchModel(e, [](const std::vector<std::string>& v) {
        return std::vector<double>{static_cast<double>(v[0].size() + v[1].size())};
      });
      benchmark::DoNotOptimize(t.evaluations.size());
    });
    const double tr = Seconds([&] {
      std::ostringstream out, err;
      ScriptOptions options;
      options.seed = 1;
      ScriptRunner(out, err, options).Run(script);
    });
    search = std::min(search, ts);
    oneRun = std::min(oneRun, tr);
    state.SetIterationTime(ts);
  }
  state.counters["search_ms"] = search * 1e3;
  state.counters["run_ms"] = oneRun * 1e3;
  state.counters["own_cost_vs_runs"] = search / (200 * oneRun);
}

BENCHMARK(BM_SearchOwnCost)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace antraid::experiments
