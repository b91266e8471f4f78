// A run fails when the panel does not take one of its settings, in each way
// the panel refuses, and never when the panel took it.
#include "experiments/setting_check.h"

#include <gtest/gtest.h>

#include <string>

#include "experiments/run_session.h"

namespace antraid::experiments {
namespace {

RunResult RunWith(const std::string& settings) {
  const Experiment e = ParseExperiment(
      "[experiment]\nsteps = 3\nmeasures = [\"numAnts\"]\n[set]\n" + settings + "\n", "exp.toml");
  const RunPlan plan(e);
  const PlannedRun run = plan.Run(1);
  return PerformRun(e, run, MakeRunScript(e, run), ".");
}

TEST(SettingCheck, EachKindOfRefusalFailsTheRunNamingControlValueAndMessage) {
  const struct {
    const char* settings;
    const char* message;
  } cases[] = {
      // A message in the Messages box.
      {"txtNumAnts = 40000", "txtNumAnts = \"40000\" refused: Total # refused: at most 32767 ants"},
      {"txtLeaveInterval = \"soon\"", "txtLeaveInterval = \"soon\" refused: Stagger Leave times"},
      {"txtModelTimeStep = 0", "txtModelTimeStep = \"0\" refused: Timestep refused"},
      // Another value put back into the box, a bar at its end.
      {"txtMaxPherToSat = 30001", "txtMaxPherToSat = \"30001\" refused: the box shows \"300\""},
      {"txtAntNumber = 1000", "txtAntNumber = \"1000\" refused: the box shows \"900\""},
      {"scrColWidth = 0", "scrColWidth = \"0\" refused: the bar stops at \"1\""},
      // Silence: an empty box, a value that must be more than 0.
      {"txtAntsPerPatch = 0", "txtAntsPerPatch = \"0\" refused: antsPerPatch stays 5"},
      {"txtNumAnts = \"\"", "txtNumAnts = \"\" refused: numAnts stays 900"},
      {"txtWorldXinM = -3", "txtWorldXinM = \"-3\" refused: worldXinM stays 7"},
      {"txtPercentFood = -1", "txtPercentFood = \"-1\" refused: percentFood stays 3"},
      {"txtMaxPherValue = 0", "txtMaxPherValue = \"0\" refused: the graph was not redrawn"},
      {"txtWorldXinM = 200\ntxtWorldYinM = 300", "txtWorldYinM = \"300\" refused: World size refused"},
      // Only Start reads the box.
      {"txtEmptyNodeWeightIn = \"x\"", "Start refused a setting: Empty Patch Weight (In): \"x\" refused, not a number"},
  };
  for (const auto& c : cases) {
    const RunResult r = RunWith(c.settings);
    EXPECT_FALSE(r.ok) << c.settings;
    EXPECT_NE(r.message.find(c.message), std::string::npos) << c.settings << "\ngave: " << r.message;
    EXPECT_TRUE(r.rows.empty());
  }
}

TEST(SettingCheck, ValuesThePanelTakesPassWhateverTheirForm) {
  for (const char* settings : {
           "txtNumAnts = 900",        // the value it holds: nothing happens
           "txtNumAnts = 120.4",      // rounded
           "txtAntsPerPatch = 2.5",   // rounded half to even
           "txtMaxVel = 10\ntxtMinVel = 2\ntxtModelTimeStep = 1\ntxtSaveTime = 3",
           "txtPercentFood = 0\ntxtFoodQuality = 20\ntxtLeaveInterval = 0\ntxtAntNumber = -5",
           "txtPherToDropIn = \" 12\"\ntxtImageName = \"a b\"\ntxtSaveFilePath = \"\"",
           "txtMaxPherValue = 800\ntxtFiftyPercProb = 50\ntxtMaxPherToSat = 30000",
           "scrColWidth = 30\nscrPathColorOut = 0\nchkUseVel = 0\nchkShowAnts = 1\nchkUsePm = 1",
           "txtEmptyNodeWeightIn = 7\ntxtWorldXinM = 3\ntxtWorldYinM = 4",
       }) {
    const RunResult r = RunWith(settings);
    EXPECT_TRUE(r.ok) << settings << "\ngave: " << r.message;
    EXPECT_EQ(r.rows.size(), 1u) << settings;
  }
}

}  // namespace
}  // namespace antraid::experiments
