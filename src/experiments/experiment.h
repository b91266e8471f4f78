// An experiment file: what every run of a sweep sets in the panel, what it
// varies, how long it runs and what it measures. The file is TOML; the
// reader checks everything it can before any run starts, so that a mistake
// in the file stops the sweep with its place in the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace antraid::experiments {

// A mistake in the experiment file; what() reads "FILE:LINE:COLUMN: what is wrong".
class ExperimentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ControlKind { TextBox, ScrollBar, CheckBox };

// One user action on the panel: typing `value` into a text box, moving a
// scroll bar to it, or setting a check box to it ("0" or "1").
struct Setting {
  std::string control;
  ControlKind kind = ControlKind::TextBox;
  std::string value;  // the words after the control's name in the script line
};

// A list of values for one control ([vary]).
struct Factor {
  std::string control;
  ControlKind kind = ControlKind::TextBox;
  std::vector<std::string> values;
};

// A range for one control ([sample]); whole ranges draw whole numbers.
struct Range {
  std::string control;
  ControlKind kind = ControlKind::TextBox;
  double min = 0, max = 0;
  bool whole = false;
};

// [pictures]: which layers each run saves as PNG files, and when.
struct Pictures {
  bool ants = false;    // the world picture as the window shows it
  bool trails = false;  // the pheromone plot's picture of the layer
  int64_t every = 0;    // steps between pictures; 0: at the end of the run only
  bool any() const { return ants || trails; }
  // A movie of the world picture, runs/NNNNN.mp4, one frame after every
  // movieEvery-th step (0: about 600 frames over the run, 20 s at 30 a second).
  bool movie = false;
  int64_t movieEvery = 0;
};

// How [sample] draws its combinations.
enum class SampleMethod { LatinHypercube, Sobol, Morris };

// A search objective: the mean over a candidate's repetitions of one of the
// measures, to be made as large or as small as it can be.
struct Objective {
  size_t measure = 0;  // index into MeasuredItems(): the measures, then the final measures
  bool maximize = true;
};

// [search]: an optimiser proposes settings within ranges; each candidate runs
// `repetitions` times (Experiment::repetitions).
struct Search {
  std::string algorithm;  // "cmaes", "sga", "de", "pso" or "nsga2"; empty: no search
  std::vector<Objective> objectives;
  int64_t population = 0;
  int64_t generations = 0;
  std::vector<Range> ranges;
};

struct Experiment {
  std::string file;  // the experiment file as named on the command line
  std::string name;
  int64_t steps = 0;         // model steps per run, counted from Start
  int64_t repetitions = 1;   // runs per combination
  uint64_t seed = 1;         // seed of the first run
  // Per run: run k uses seed + k - 1. Per repetition: a run of repetition r
  // uses seed + r - 1, so every combination sees the same random numbers in
  // its r-th repetition (paired comparisons).
  enum class Seeds { PerRun, PerRepetition } seeds = Seeds::PerRun;
  int64_t recordEvery = 0;   // steps between rows; 0: the final row only
  std::vector<std::string> measures;  // print items, blanks between words collapsed
  std::vector<std::string> finals;    // measures of the last row only, written the same way
  // Stop conditions: a run ends after the first step at whose end one holds.
  // Each as `wait until` reads it: comparisons joined by " and ".
  std::vector<std::string> stop;
  std::vector<Setting> fixed;                // [set], in file order
  std::vector<std::vector<Setting>> cases;   // [[case]], each in file order
  std::vector<Factor> vary;                  // [vary], in file order
  int64_t sampleCount = 0;                   // [sample] count (0: no sampling)
  std::vector<Range> sample;                 // [sample] ranges, in file order
  Pictures pictures;                         // none without [pictures]
  SampleMethod sampleMethod = SampleMethod::LatinHypercube;
  int64_t trajectories = 0;                  // [sample] Morris trajectories
  int64_t levels = 4;                        // [sample] Morris levels
  Search search;                             // [search]
};

// The combinations [sample] plans (0 without [sample]): count for a Latin
// hypercube, count (k + 2) for Sobol' indices, trajectories (k + 1) for Morris.
int64_t SampleCombinations(const Experiment& experiment);

// Every measured item: the measures, then the final measures. The columns
// of the tables and the values of a run's status, in this order.
std::vector<std::string> MeasuredItems(const Experiment& experiment);

// Most runs one experiment may plan, and rows and pictures one run may record.
inline constexpr int64_t kMaxRuns = 10'000'000;
inline constexpr int64_t kMaxRows = 1'000'000;
inline constexpr int64_t kMaxPictures = 10'000;  // per layer

// Reads an experiment from the text of a file named `file`.
Experiment ParseExperiment(std::string_view text, const std::string& file);

}  // namespace antraid::experiments
