// Measures naming a patch or a row off the world: refused with their place in
// the file when the file fixes the world's size, else each run fails right
// after Start, before its first step.
#include "experiments/world_check.h"

#include <gtest/gtest.h>

#include <string>

#include "experiments/parse_problem.h"
#include "experiments/run_plan.h"
#include "experiments/run_script.h"
#include "experiments/run_session.h"

namespace antraid::experiments {
namespace {

std::string Problem(const std::string& measure, const std::string& rest = "") {
  return ParseProblem("[experiment]\nsteps = 3\nmeasures = [\"" + measure + "\"]\n" + rest);
}

TEST(WorldCheck, TheFileRefusesMeasuresOffTheSmallestWorld) {
  // The default world: 700 x 700 patches, the nest's row 695.
  EXPECT_EQ(Problem("trailCount 694"), "");
  EXPECT_EQ(Problem("trailCount 695"),
            "exp.toml:3:13: measure \"trailCount 695\": the row 695 cm above the nest (row 0) lies off the world "
            "(700 cm high)");
  EXPECT_EQ(Problem("pherGrid 0 0"), "exp.toml:3:13: measure \"pherGrid 0 0\": patch (0,0) lies off the world (700 x 700)");
  EXPECT_EQ(Problem("foodGrid 700 701"),
            "exp.toml:3:13: measure \"foodGrid 700 701\": patch (700,701) lies off the world (700 x 700)");
  EXPECT_EQ(Problem("antCountGrid 700 700"), "");
  EXPECT_NE(Problem("trailWidth 0").find("exp.toml:3:13: measure \"trailWidth 0\": number \"0\" out of range"),
            std::string::npos);
  // A world fixed in [set], varied in [vary] (the smallest counts) or in the cases.
  EXPECT_EQ(Problem("trailExtent 795", "[set]\ntxtWorldYinM = 9\n"), "");
  EXPECT_NE(Problem("trailExtent 600", "[vary]\ntxtWorldYinM = [9, 6]\n").find("exp.toml:3:13: "), std::string::npos);
  EXPECT_EQ(Problem("pherGrid 900 5", "[vary]\ntxtWorldXinM = [9, 10]\n"), "");
  EXPECT_NE(Problem("pherGrid 900 5", "[[case]]\ntxtWorldXinM = 9\n[[case]]\ntxtNumAnts = 5\n").find("(700 x 700)"),
            std::string::npos);  // the second case keeps the default width
  EXPECT_EQ(Problem("pherGrid 900 5", "[[case]]\ntxtWorldXinM = 9\n[[case]]\ntxtWorldXinM = 10\n"), "");
  EXPECT_NE(Problem("pherGrid 900 5", "[sample]\ncount = 2\ntxtWorldXinM = [8, 10]\n").find("(800 x 700)"),
            std::string::npos);
}

TEST(WorldCheck, AnUnknownWorldFailsTheRunBeforeItsFirstStep) {
  // A real range of sizes: the file cannot know the world; the run can.
  const Experiment e = ParseExperiment(
      "[experiment]\nsteps = 50\nmeasures = [\"trailCount 600\"]\n[sample]\ncount = 1\ntxtWorldYinM = [5.0, 6.4]\n",
      "exp.toml");
  const RunPlan plan(e);
  const PlannedRun run = plan.Run(1);
  const RunResult r = PerformRun(e, run, MakeRunScript(e, run), ".");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("measure \"trailCount 600\": the row 600 cm above the nest (row -"), std::string::npos)
      << r.message;
  EXPECT_TRUE(r.rows.empty());
}

}  // namespace
}  // namespace antraid::experiments
