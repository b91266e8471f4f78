// Measures that name a patch or a row must lie in the world the runs build.
// When the experiment file fixes the world's size (the default, [set], each
// value of [vary] and [[case]], the ends of a whole [sample] or [search] range), the
// check happens while the file is read; otherwise each run checks its own
// world right after Start, before its first step.
#pragma once

#include <optional>
#include <string>

#include "app/measure_items.h"
#include "experiments/experiment.h"

namespace antraid {
class MainForm;
}

namespace antraid::experiments {

// The smallest world any run of the experiment builds (patches, cm), or
// nothing when a size is not known from the file. Patches and rows that
// lie in it lie in every run's world.
std::optional<WorldSize> SmallestWorld(const Experiment& e);

// Why the measure (a print item, words separated by one blank) can never be
// read in the world, or nothing.
std::optional<std::string> MeasureOffWorld(const std::string& measure, const WorldSize& world);

// The world a session has just built at Start.
WorldSize WorldOf(const MainForm& form);

}  // namespace antraid::experiments
