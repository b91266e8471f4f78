// The tables of a sweep, built from its per-run files in run order, one run
// in memory at a time:
//   table.csv    every row of every run, sorted by run then step
//   runs.csv     one row per run: varied settings, seed, status, message, final measures
//   summary.csv  one row per combination: mean, standard deviation (n - 1),
//                minimum and maximum of each measure's final value over the
//                repetitions that succeeded
// The same per-run files give the same bytes, however they were produced.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"

namespace antraid::experiments {

struct MergeOutcome {
  // Runs without results, and runs whose files are damaged, with why (no
  // tables are written when either is not empty).
  std::vector<int64_t> missing;
  std::vector<std::pair<int64_t, std::string>> damaged;
  int64_t failed = 0;            // runs that failed
};

// Throws IoError when a file cannot be read or written.
MergeOutcome MergeTables(const std::string& dir, const Experiment& experiment, const RunPlan& plan);

// "mean,sd,min,max" cells of a set of final values; empty cells where they
// are not all numbers, and an empty deviation for fewer than two.
std::vector<std::string> Summarize(const std::vector<std::string>& values);

}  // namespace antraid::experiments
