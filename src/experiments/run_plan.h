// The runs of an experiment in run order: cases (or one empty case) x
// combinations of [vary] (the last name fastest) or [sample] x repetitions,
// repetition fastest (a search has no plan of runs: RunPlan gives only its
// column names). Runs are computed from their number on demand, so a
// plan of millions of runs holds only the experiment and its samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "experiments/experiment.h"

namespace antraid::experiments {

struct PlannedRun {
  int64_t number = 0;       // from 1
  int64_t combination = 0;  // from 1, over cases x combinations
  int64_t repetition = 0;   // from 1
  uint64_t seed = 0;
  std::vector<Setting> settings;     // in the order performed: [set], the case's, the combination's
  std::vector<std::string> columns;  // the value of each varied name; empty where a case leaves it
};

class RunPlan {
 public:
  explicit RunPlan(const Experiment& experiment);

  int64_t runs() const { return combinations() * experiment_.repetitions; }
  int64_t combinations() const { return cases_ * perCase_; }
  // The names that differ between runs: the cases' names, then [vary]'s or [sample]'s.
  const std::vector<std::string>& columnNames() const { return columnNames_; }
  // Run `number`, 1 to runs().
  PlannedRun Run(int64_t number) const;
  // The combinations of [sample], as numbers (as typed), in combination order.
  const std::vector<std::vector<double>>& points() const { return points_; }

 private:
  const Experiment& experiment_;
  int64_t cases_ = 1;
  int64_t perCase_ = 1;  // combinations of [vary] or [sample] per case
  std::vector<std::string> columnNames_;
  std::vector<std::vector<double>> points_;        // [sample] points
  std::vector<std::vector<std::string>> samples_;  // [sample] points as typed
};

}  // namespace antraid::experiments
