// A run as an antraid-script session: the settings as a user types, clicks
// and scrolls them in a fresh window, Start, then `wait N` and `print` blocks
// that print modelTime and the measures after exactly N model steps. The
// sweep performs this very text, and `antraid-script --seed SEED` replays it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"

namespace antraid::experiments {

struct RunScript {
  std::string text;
  std::vector<int> settingLines;  // line of each setting of the run, from 1
  int startLine = 0;              // line of the click on Start
  std::vector<int64_t> rowSteps;  // model steps after Start at which each print block prints
};

RunScript MakeRunScript(const Experiment& experiment, const PlannedRun& run);

// The model steps after Start of the rows: every record_every steps, and the last step.
std::vector<int64_t> RowSteps(const Experiment& experiment);

// "00042": the run's number as its files are named (at least 5 digits).
std::string RunName(int64_t number);

// The model steps after Start of the pictures: every `every` steps, and the
// last step; none without pictures.
std::vector<int64_t> PictureSteps(const Experiment& experiment);
// A picture's file in the results folder: runs/NNNNN-LAYER.png when the run
// saves its picture at the end only, else runs/NNNNN-LAYER-SSSSSS.png with
// the step after Start.
std::string PictureFile(const Experiment& experiment, int64_t number, std::string_view layer, int64_t step);
// The movie of run `number` ([pictures] movie = true), relative to the
// results folder, and the steps between its frames.
std::string MovieFile(int64_t number);
int64_t MovieEvery(const Experiment& experiment);
// The layers the experiment saves: "ants", "trails" or both, in this order.
std::vector<std::string_view> PictureLayers(const Experiment& experiment);

}  // namespace antraid::experiments
