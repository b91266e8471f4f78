// What an experiment file's reader says about a file, for the tests of its
// mistakes.
#pragma once

#include <string>

#include "experiments/experiment.h"

namespace antraid::experiments {

// The mistake reported for `text` read as `file`, or "" when it reads.
inline std::string ParseProblem(const std::string& text, const std::string& file = "exp.toml") {
  try {
    ParseExperiment(text, file);
  } catch (const ExperimentError& e) {
    return e.what();
  }
  return "";
}

}  // namespace antraid::experiments
