// The result files of a search, written once its last generation is done:
// runs.csv, table.csv, search.csv, front.csv (two objectives) and best.toml.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"

namespace antraid::experiments {

// One candidate: settings the optimiser proposed, and what its runs gave.
struct Evaluation {
  int64_t number = 0;      // from 1, in the order first proposed; runs (number - 1) r + 1 .. number r
  int64_t generation = 0;  // counted from the first population, generation 0
  int64_t candidate = 0;   // from 1 within its generation
  std::vector<std::string> values;  // per range, as typed
  bool ok = false;                  // every run succeeded with numbers
  std::vector<double> means;        // per objective, the mean over the repetitions
  std::vector<double> fitness;      // per objective, made to be small
};

struct GenerationMark {
  int64_t generation = 0;
  int64_t evaluations = 0;  // candidates evaluated up to its end
};

// Throws IoError when a file cannot be read or written.
void WriteSearchResults(const std::string& dir, const Experiment& experiment, const RunPlan& plan,
                        const std::vector<Evaluation>& evaluations, const std::vector<GenerationMark>& generations);

// The candidates no other candidate beats in every objective (at least as
// small everywhere, smaller somewhere), ordered by their first fitness, then
// by number. Candidates that failed are left out.
std::vector<const Evaluation*> NonDominated(const std::vector<Evaluation>& evaluations, size_t upTo);

}  // namespace antraid::experiments
