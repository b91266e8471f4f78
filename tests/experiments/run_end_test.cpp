// How runs end: measures of the last row only (`final`), blank before the
// last row and summarised with the others, and stop conditions that end a
// run on the first step at whose end one holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/test_form.h"
#include "experiments/experiment.h"
#include "experiments/parse_problem.h"
#include "experiments/run_script.h"
#include "experiments/sweep.h"

namespace antraid::experiments {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

// Runs a sweep of `toml` in a folder of its own; returns its folder.
class Sweeps : public ::testing::Test {
 protected:
  fs::path Sweep(const std::string& toml) {
    std::ofstream(dir_ / "exp.toml") << toml;
    const SweepOptions o{.experimentFile = dir_ / "exp.toml", .outDir = dir_ / "out", .jobs = 2, .fresh = true,
                         .quiet = true, .commandLine = ""};
    std::ostringstream out, err;
    EXPECT_EQ(RunSweep(o, out, err), kAllRunsOk) << err.str();
    return dir_.path() / "out";
  }
  testing::TempFolder dir_;
};

TEST_F(Sweeps, FinalMeasuresFillOnlyTheLastRowAndAreSummarised) {
  const fs::path out = Sweep(
      "[experiment]\nsteps = 100\nrepetitions = 2\nseed = 3\nrecord_every = 40\n"
      "measures = [\"colonyFood\"]\nfinal = [\"trailCount  400\", \"antSteps\"]\n[set]\ntxtNumAnts = 50\n");
  const std::vector<std::string> table = Lines(testing::ReadFile(out / "table.csv"));
  ASSERT_EQ(table.size(), 7u);
  EXPECT_EQ(table[0], "run,repetition,seed,step,modelTime,colonyFood,trailCount_400,antSteps");
  for (int row : {1, 2, 4, 5}) {
    const std::vector<std::string> c = testing::CsvCells(table[row]);
    ASSERT_EQ(c.size(), 8u) << table[row];
    EXPECT_EQ(c[6] + c[7], "") << table[row];
  }
  const std::vector<std::string> last1 = testing::CsvCells(table[3]), last2 = testing::CsvCells(table[6]);
  EXPECT_EQ(last1[3], "100");
  EXPECT_NE(last1[7], "");
  // runs.csv: the last row's values; summary.csv: their mean, min and max.
  const std::vector<std::string> runs = Lines(testing::ReadFile(out / "runs.csv"));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_TRUE(runs[0].ends_with(",colonyFood,trailCount_400,antSteps")) << runs[0];
  EXPECT_TRUE(runs[1].ends_with("," + last1[5] + "," + last1[6] + "," + last1[7])) << runs[1];
  const std::vector<std::string> summary = Lines(testing::ReadFile(out / "summary.csv"));
  ASSERT_EQ(summary.size(), 2u);
  EXPECT_NE(summary[0].find(",antSteps_mean,antSteps_sd,antSteps_min,antSteps_max"), std::string::npos);
  const long long a = std::stoll(last1[7]), b = std::stoll(last2[7]);
  const std::vector<std::string> s = testing::CsvCells(summary[1]);
  EXPECT_EQ(s[s.size() - 4], FormatDouble((a + b) / 2.0));
  EXPECT_EQ(s[s.size() - 2], FormatInt(std::min(a, b)));
  EXPECT_EQ(s[s.size() - 1], FormatInt(std::max(a, b)));

  // The run's script prints the final measures in its last block only: the
  // replay gives the row of the table.
  testing::ScriptSession<> replay(testing::ReadFile(out / "runs" / "00001.script"), 3);
  ASSERT_EQ(replay.rc, 0) << replay.err.str();
  EXPECT_TRUE(replay.out.str().ends_with("modelTime=51\ncolonyFood=" + last1[5] + "\ntrailCount(400)=" + last1[6] +
                                         "\nantSteps=" + last1[7] + "\n"))
      << replay.out.str();
}

TEST(FinalMeasures, AreCheckedAsMeasures) {
  EXPECT_EQ(ParseProblem("[experiment]\nsteps = 5\nfinal = [\"antSteps\"]\n"), "");
  EXPECT_EQ(ParseProblem("[experiment]\nsteps = 5\n"), "exp.toml:1:1: [experiment] needs measures or final");
  EXPECT_EQ(ParseProblem("[experiment]\nsteps = 5\nfinal = []\n"), "exp.toml:3:9: final is an empty list");
  EXPECT_EQ(ParseProblem("[experiment]\nsteps = 5\nmeasures = [\"antsOut\"]\nfinal = [\"antsOut\"]\n"),
            "exp.toml:4:10: measure \"antsOut\" is measured already (line 3)");
  EXPECT_EQ(ParseProblem("[experiment]\nsteps = 5\nfinal = [\"trailWidth 700\"]\n"),
            "exp.toml:3:10: measure \"trailWidth 700\": the row 700 cm above the nest (row -5) lies off the world "
            "(700 cm high)");
}

TEST_F(Sweeps, StopConditionsEndARunOnTheFirstStepThatMeetsOne) {
  const fs::path out = Sweep(
      "[experiment]\nsteps = 400\nrepetitions = 2\nrecord_every = 50\nmeasures = [\"maxDistTraveled\"]\n"
      "final = [\"antSteps\"]\nstop = [\"maxDistTraveled>=60\", \"step >= 390 and antsOut > 0\"]\n"
      "[set]\ntxtNumAnts = 100\n");
  const std::vector<std::string> runs = Lines(testing::ReadFile(out / "runs.csv"));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0], "run,repetition,seed,status,message,steps,stopped,maxDistTraveled,antSteps");
  const std::vector<std::string> table = Lines(testing::ReadFile(out / "table.csv"));
  for (int run = 1; run <= 2; ++run) {
    const std::vector<std::string> r = testing::CsvCells(runs[run]);
    ASSERT_EQ(r.size(), 9u) << runs[run];
    EXPECT_EQ(r[6], "maxDistTraveled >= 60");
    const long long steps = std::stoll(r[5]);
    ASSERT_GT(steps, 0);
    ASSERT_LT(steps, 390);
    EXPECT_GE(std::stod(r[7]), 60.0);
    // The run's rows: every 50 steps before the stop, then the stop's row at
    // clock 1 + steps / 2 with the final measures.
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 1; i < table.size(); ++i)
      if (table[i].starts_with(std::to_string(run) + ",")) rows.push_back(testing::CsvCells(table[i]));
    ASSERT_EQ(static_cast<long long>(rows.size()), (steps - 1) / 50 + 1);
    for (size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_EQ(rows[i][3], FormatInt(50 * (i + 1)));
    EXPECT_EQ(rows.back()[3], r[5]);
    EXPECT_EQ(rows.back()[4], FormatDouble(1 + steps / 2.0));
    EXPECT_EQ(rows.back()[5], r[7]);
    EXPECT_EQ(rows.back()[6], r[8]);

    // The replay stops on the same step, and one step earlier the condition did not hold.
    const std::string script = testing::ReadFile(out / "runs" / (RunName(run) + ".script"));
    testing::ScriptSession<> replay(script, run);
    ASSERT_EQ(replay.rc, 0) << replay.err.str();
    EXPECT_NE(replay.out.str().find("stopped at step " + r[5] + ": maxDistTraveled >= 60\n"), std::string::npos)
        << replay.out.str();
    testing::ScriptSession<> before("type txtNumAnts 100\nclick cmdStartProgram\nwait " + FormatInt(steps - 1) +
                                        "\nprint maxDistTraveled\n",
                                    run);
    EXPECT_LT(std::stod(before.out.str().substr(16)), 60.0) << before.out.str();
  }

  // No condition held: all the steps ran, and nothing stopped the run.
  const fs::path all = Sweep(
      "[experiment]\nsteps = 120\nrecord_every = 50\nmeasures = [\"antsOut\"]\nstop = [\"antsOut < 0\"]\n");
  const std::vector<std::string> table2 = Lines(testing::ReadFile(all / "table.csv"));
  ASSERT_EQ(table2.size(), 4u);
  EXPECT_TRUE(table2[3].starts_with("1,1,1,120,61,"));
  EXPECT_TRUE(Lines(testing::ReadFile(all / "runs.csv"))[1].starts_with("1,1,1,ok,,120,,"));
}

TEST(StopConditions, MistakesAreNamedWithTheirPlaceInTheFile) {
  auto problem = [](const std::string& stop) {
    return ParseProblem("[experiment]\nsteps = 5\nmeasures = [\"antsOut\"]\nstop = " + stop + "\n");
  };
  EXPECT_EQ(problem("[\"antsOut == 0 and step > 100\", \"colonyFood>=5\"]"), "");
  EXPECT_EQ(problem("\"antsOut == 0\""), "exp.toml:4:8: stop must be a list of conditions (\"antsOut == 0 and step > 100\")");
  EXPECT_EQ(problem("[3]"), "exp.toml:4:9: a stop condition must be a string");
  EXPECT_EQ(problem("[\"antsOut == 0\", \"antsOut >> 3\"]"),
            "exp.toml:4:25: stop condition: \"antsOut >> 3\": unknown operator \">>\" (<, <=, ==, !=, >=, >)");
  EXPECT_EQ(problem("[\"antsOt == 0\"]"), "exp.toml:4:9: stop condition: unknown control or field \"antsOt\"");
  EXPECT_EQ(problem("[\"step > \"]"), "exp.toml:4:9: stop condition: \"step >\": one number must follow >");
  EXPECT_EQ(problem("[\"trailCount 700 > 1\"]"),
            "exp.toml:4:9: stop condition: \"trailCount 700\": the row 700 cm above the nest (row -5) lies off the "
            "world (700 cm high)");
}

}  // namespace
}  // namespace antraid::experiments
