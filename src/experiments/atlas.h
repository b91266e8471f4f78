// The atlases of a sweep: for each picture layer, one PNG (atlas-ants.png,
// atlas-trails.png) with one row per combination and one column per
// repetition (the first eight), each cell the run's last picture scaled
// down, each row labelled with the combination's varied values. Built from
// the per-run pictures in run order, so the same pictures give the same bytes.
#pragma once

#include <string>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"

namespace antraid::experiments {

inline constexpr int kAtlasColumns = 8;     // repetitions shown
inline constexpr int kAtlasWidth = 4096;    // most pixels across
inline constexpr int kAtlasHeight = 8192;   // most pixels down

// Writes the atlas of every layer the experiment saves, from complete runs.
// Returns why no atlas was made (too many combinations to show), else empty.
// Throws IoError when a file cannot be written.
std::string WriteAtlases(const std::string& dir, const Experiment& experiment, const RunPlan& plan);

}  // namespace antraid::experiments
