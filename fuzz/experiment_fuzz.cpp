// Fuzz target for experiment files: reading (TOML, controls, values,
// measures, ranges, pictures) and planning (run order, seeds, Latin
// hypercube points, run scripts). Besides crashes and sanitizer findings it
// traps when a file that was read breaks a promise of the plan.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"
#include "experiments/run_script.h"
#include "experiments/search.h"

namespace {

using namespace antraid::experiments;

// Plans this large are valid but would spend the fuzzer's time and memory
// on sheer size: they are read, not planned.
constexpr int64_t kMostPoints = 20'000;  // sample points x ranges
constexpr int64_t kMostLines = 20'000;   // rows and pictures of one run's script

void Check(bool promise) {
  if (!promise) __builtin_trap();
}

void CheckRun(const Experiment& e, const RunPlan& plan, int64_t k) {
  const PlannedRun run = plan.Run(k);
  Check(run.number == k);
  Check(run.repetition >= 1 && run.repetition <= e.repetitions);
  Check(run.combination >= 1 && run.combination <= plan.combinations());
  Check(run.columns.size() == plan.columnNames().size());
  Check(run.seed == e.seed + static_cast<uint64_t>(e.seeds == Experiment::Seeds::PerRepetition ? run.repetition - 1
                                                                                                : k - 1));
  const int64_t lines = static_cast<int64_t>(RowSteps(e).size() + PictureSteps(e).size() * 2);
  if (lines > kMostLines) return;
  const RunScript script = MakeRunScript(e, run);
  Check(script.settingLines.size() == run.settings.size());
  Check(script.startLine > 0 && script.rowSteps.back() == e.steps);
  Check(script.text.find('\r') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Experiment e;
  try {
    e = ParseExperiment(text, "fuzz.toml");
  } catch (const ExperimentError&) {
    return 0;  // a mistake in the file, reported with its place
  }
  Check(e.steps >= 1 && e.repetitions >= 1 && !e.measures.empty());
  if (!e.search.algorithm.empty()) {
    // A search has no fixed plan: its first generation is what --list shows.
    if (e.search.population * static_cast<int64_t>(std::max<size_t>(1, e.search.ranges.size())) > kMostPoints) return 0;
    std::ostringstream listing;
    ListSearch(e, listing);
    Check(listing.str().find('\n') != std::string::npos);
    return 0;
  }
  if (e.sampleCount * static_cast<int64_t>(std::max<size_t>(1, e.sample.size())) > kMostPoints) return 0;
  const RunPlan plan(e);
  Check(plan.runs() >= 1 && plan.runs() <= kMaxRuns);
  CheckRun(e, plan, 1);
  CheckRun(e, plan, plan.runs());
  if (plan.runs() > 2) CheckRun(e, plan, plan.runs() / 2 + 1);
  return 0;
}
