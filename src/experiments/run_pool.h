// Runs of a sweep or a search performed side by side, on the sweep's threads.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "experiments/experiment.h"
#include "experiments/progress.h"
#include "experiments/run_plan.h"

namespace antraid::experiments {

// Performs `count` planned runs, `runAt(i)` the i-th, on up to `jobs`
// threads (the calling one among them), taking them in order. Each run's
// files are written in `dir` as it ends, and it is counted in `progress`; a
// run whose results another process wrote meanwhile is counted and not
// performed again. The first file error (or memory that ran out) stops every
// thread after its current run and is thrown here as an IoError.
void PerformRuns(const std::string& dir, const Experiment& experiment, const RunPlan& plan, size_t count,
                 const std::function<PlannedRun(size_t)>& runAt, int jobs, Progress& progress);

}  // namespace antraid::experiments
