// sensitivity.csv of a sweep whose [sample] draws Sobol' or Morris designs:
//   Sobol':  measure,parameter,S1,S1_low,S1_high,ST,ST_low,ST_high
//   Morris:  measure,parameter,mu,mu_star,sigma
// one row per measure and parameter, from each combination's output: the
// mean of the measure's final value over the repetitions that succeeded.
#pragma once

#include <string>
#include <vector>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"

namespace antraid::experiments {

// True when the experiment's design calls for sensitivity.csv.
bool HasSensitivity(const Experiment& experiment);

// outputs[c][m]: combination c + 1's output for measured item m (MeasuredItems), NaN when it has
// none (every run failed, or a value is not a number). A measure with a
// missing output gets empty Sobol' cells; Morris leaves out the moves that
// touch it. The bootstrap is seeded with the experiment's seed.
std::string SensitivityCsv(const Experiment& experiment, const RunPlan& plan,
                           const std::vector<std::vector<double>>& outputs);

}  // namespace antraid::experiments
