// Measures of the last row only (`final`), and the files a sweep writes for
// them: blank before the last row, summarised with the others.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/test_form.h"
#include "experiments/experiment.h"
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

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  std::istringstream in(line);
  while (std::getline(in, cell, ',')) cells.push_back(cell);
  if (!line.empty() && line.back() == ',') cells.emplace_back();
  return cells;
}

// Runs a sweep of `toml` in a folder of its own; returns its folder.
class Sweeps : public ::testing::Test {
 protected:
  fs::path Sweep(const std::string& toml, int expectStatus = kAllRunsOk) {
    const fs::path file = dir_.path() / "exp.toml";
    std::ofstream(file) << toml;
    SweepOptions o;
    o.experimentFile = file.string();
    o.outDir = (dir_.path() / "out").string();
    o.jobs = 2;
    o.quiet = true;
    o.fresh = true;
    std::ostringstream out, err;
    EXPECT_EQ(RunSweep(o, out, err), expectStatus) << err.str();
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
    const std::vector<std::string> c = Cells(table[row]);
    ASSERT_EQ(c.size(), 8u) << table[row];
    EXPECT_EQ(c[6] + c[7], "") << table[row];
  }
  const std::vector<std::string> last1 = Cells(table[3]), last2 = Cells(table[6]);
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
  const std::vector<std::string> s = Cells(summary[1]);
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
  auto problem = [](const std::string& text) -> std::string {
    try {
      ParseExperiment(text, "exp.toml");
    } catch (const ExperimentError& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_EQ(problem("[experiment]\nsteps = 5\nfinal = [\"antSteps\"]\n"), "");
  EXPECT_EQ(problem("[experiment]\nsteps = 5\n"), "exp.toml:1:1: [experiment] needs measures or final");
  EXPECT_EQ(problem("[experiment]\nsteps = 5\nfinal = []\n"), "exp.toml:3:9: final is an empty list");
  EXPECT_EQ(problem("[experiment]\nsteps = 5\nmeasures = [\"antsOut\"]\nfinal = [\"antsOut\"]\n"),
            "exp.toml:4:10: measure \"antsOut\" is measured already (line 3)");
  EXPECT_EQ(problem("[experiment]\nsteps = 5\nfinal = [\"trailWidth 700\"]\n"),
            "exp.toml:3:10: measure \"trailWidth 700\": the row 700 cm above the nest (row -5) lies off the world "
            "(700 cm high)");
}

}  // namespace
}  // namespace antraid::experiments
