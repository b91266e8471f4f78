// A search ([search]): an optimiser from pagmo2 proposes settings within the
// ranges, generation after generation; every candidate is `repetitions`
// ordinary runs (runs/NNNNN.script, replayable), its objective the mean of a
// measure's final value over them, the r-th repetition of every candidate
// with seed + r - 1. The runs of a generation go side by side on the
// sweep's threads. Run numbers follow the order in which candidates are
// first proposed, which depends on the file and seed alone: a search killed
// and started again reads back the runs already complete and ends with the
// same files, whatever --jobs.
//   runs.csv     one row per run, with its generation and candidate
//   table.csv    every row of every run
//   search.csv   one row per generation: the best objective(s) so far and, for
//                one objective, the settings that gave it
//   front.csv    NSGA-II: the candidates no other candidate beats in both objectives
//   best.toml    the best settings as a [set] table
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "experiments/experiment.h"
#include "experiments/search_results.h"

namespace antraid::experiments {

struct SearchOptions {
  std::string dir;     // the results folder, prepared
  int jobs = 1;        // runs at once
  bool perform = true; // false: only read back complete runs (merge)
  bool progress = false;
};

// 0 when every run succeeded, 1 when any failed, 2 when the search could not
// go on (a file error, or with `perform` false a run without results).
int RunSearch(const Experiment& experiment, const SearchOptions& options, std::ostream& err);

// A stand-in for a candidate's runs: the mean of each objective's measure
// for settings typed as `values` (NaN: the candidate failed).
using CandidateModel = std::function<std::vector<double>(const std::vector<std::string>& values)>;

struct SearchTrace {
  std::vector<Evaluation> evaluations;
  std::vector<GenerationMark> generations;
};

// The search of `experiment` with `model` in place of the runs: the same
// optimiser, the same settings typed and the same bookkeeping as RunSearch.
SearchTrace SearchModel(const Experiment& experiment, const CandidateModel& model);

// The runs of the first generation, as --list prints them.
void ListSearch(const Experiment& experiment, std::ostream& out);

}  // namespace antraid::experiments
