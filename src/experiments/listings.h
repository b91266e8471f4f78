// What a sweep may set and measure, as tables: `antraid-sweep --controls`
// and `--measures` print them as CSV, and docs/controls.md is the same
// tables as Markdown (a test fails when the file differs from them).
#pragma once

#include <string>
#include <vector>

namespace antraid::experiments {

struct ControlListing {
  std::string name;
  std::string kind;     // "text box", "scroll bar" or "check box"
  std::string caption;  // as the window shows it beside the control; may be empty
  std::string initial;  // the value in a freshly opened window
  std::string takes;    // the values it takes, in a few words
};

struct MeasureListing {
  std::string name;     // the item as a measure writes it, with its arguments' names
  std::string meaning;
  std::string unit;
};

// Every control an experiment may set, in the panel's order, from the
// panel's table of controls.
std::vector<ControlListing> SettableControls();
// The measures: the table of measure items (modelTime aside: it is in every
// row), then the controls and the form's other fields.
std::vector<MeasureListing> Measures();

// "name,kind,caption,initial,takes" and a row per control.
std::string ControlsCsv();
// "name,meaning,unit" and a row per measure.
std::string MeasuresCsv();
// docs/controls.md.
std::string ControlsMarkdown();

}  // namespace antraid::experiments
