// One run of a sweep: its script performed by the script runner in this
// process, with the run's seed, and the rows read from what the script
// printed. The world picture is drawn only when the run saves it; the
// script's files (its pictures) are written in the results folder.
#pragma once

#include <string>
#include <vector>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"
#include "experiments/run_script.h"

namespace antraid::experiments {

struct RunResult {
  bool ok = true;
  std::string message;  // why the run failed
  // One row per print block: modelTime, then the measures, as printed.
  std::vector<std::vector<std::string>> rows;
  // A run a stop condition ended: the step it ended on (its last row's) and
  // the condition that held. 0 and empty for a run that ran all its steps.
  int64_t stoppedAt = 0;
  std::string stopped;
};

// The model steps after Start of each row of a successful run.
std::vector<int64_t> RowStepsOf(const RunResult& result, const RunScript& script);
// How many model steps the run made.
int64_t StepsOf(const RunResult& result, const RunScript& script);

RunResult PerformRun(const Experiment& experiment, const PlannedRun& run, const RunScript& script,
                     const std::string& folder);

}  // namespace antraid::experiments
