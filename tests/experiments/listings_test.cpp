// The listings of what a sweep may set and measure: each control listed is
// one the experiment reader takes (and no other), the figures are the
// window's, and docs/controls.md is the listing as it stands.
#include "experiments/listings.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/panel.h"
#include "sim/test_form.h"
#include "experiments/experiment.h"

namespace antraid::experiments {
namespace {

constexpr const char* kHead = "[experiment]\nsteps = 1\nmeasures = [\"antsOut\"]\n[set]\n";

bool ReaderTakes(const std::string& control, const std::string& value) {
  try {
    ParseExperiment(kHead + control + " = " + value + "\n", "exp.toml");
    return true;
  } catch (const ExperimentError& e) {
    return std::string(e.what()).find("unknown control") == std::string::npos &&
           std::string(e.what()).find("is a read-out") == std::string::npos &&
           std::string(e.what()).find("is a button or a label") == std::string::npos;
  }
}

TEST(Listings, TheControlsListedAreExactlyThoseAnExperimentMaySet) {
  const std::vector<ControlListing> listed = SettableControls();
  Panel panel;
  size_t found = 0;
  for (Control* c : panel.all()) {
    auto it = std::find_if(listed.begin(), listed.end(), [&](const ControlListing& l) { return l.name == c->name(); });
    const bool takes = ReaderTakes(c->name(), "1");
    EXPECT_EQ(it != listed.end(), takes) << c->name();
    if (it == listed.end()) continue;
    ++found;
    EXPECT_FALSE(it->takes.empty()) << it->name << ": say what it takes in its row of src/sim/panel_controls.h";
    // The initial value, written as the kind of control takes it, is accepted.
    const std::string value = it->kind == "text box" ? "'" + it->initial + "'" : it->initial;  // a literal string
    EXPECT_NO_THROW(ParseExperiment(kHead + it->name + " = " + value + "\n", "exp.toml")) << it->name;
  }
  EXPECT_EQ(found, listed.size());

  const std::string csv = ControlsCsv();
  EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), "name,kind,caption,initial,takes\n");
  EXPECT_NE(csv.find("\ntxtNumAnts,text box,Total #:,900,a whole number of ants from 1 to 32767\n"), std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\nscrColWidth,scroll bar,"), std::string::npos);
  EXPECT_NE(csv.find(",15,a whole number from 1 to 100\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\nchkUseVel,check box,Use Velocity?,1,0 or 1\n"), std::string::npos) << csv;
}

TEST(Listings, EveryNamedMeasureIsOneAnExperimentMayRecord) {
  for (const MeasureListing& m : Measures()) {
    if (m.name == "NAME" || m.name == "NAME.PROPERTY" || m.name == "FIELD") continue;
    std::string item = m.name.substr(0, m.name.find(' '));
    for (size_t at = m.name.find(' '); at != std::string::npos; at = m.name.find(' ', at + 1)) item += " 1";
    EXPECT_NO_THROW(ParseExperiment("[experiment]\nsteps = 1\nmeasures = [\"" + item + "\"]\n", "exp.toml")) << item;
    EXPECT_FALSE(m.meaning.empty()) << item;
  }
  const std::string csv = MeasuresCsv();
  EXPECT_EQ(csv.rfind("name,meaning,unit\ncolonyFood,food delivered to the nest (counted", 0), 0u) << csv;
  EXPECT_NE(csv.find("\npherGrid x y,\"pheromone on patch (x, y)\",pheromone units\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\ntrailCount D,"), std::string::npos) << csv;
  EXPECT_EQ(csv.find("modelTime"), std::string::npos);
}

TEST(Listings, DocsControlsMdIsTheListingAsItStands) {
  EXPECT_EQ(testing::ReadFile(std::string(ANTRAID_SOURCE_DIR) + "/docs/controls.md"), ControlsMarkdown())
      << "docs/controls.md differs from the program's listing: run make controls-doc";
}

}  // namespace
}  // namespace antraid::experiments
