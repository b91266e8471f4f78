// The tables a merge builds from per-run files written by hand, checked
// against figures worked out by hand.
#include "experiments/merge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "sim/test_form.h"
#include "experiments/sweep.h"

namespace antraid::experiments {
namespace {

using antraid::testing::ReadFile;

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Two food settings, three repetitions; run 4 (the first at 3 %) was refused.
constexpr const char* kExperiment =
    "[experiment]\nsteps = 10\nrepetitions = 3\nmeasures = [\"colonyFood\", \"antsOut\", \"txtImageName\"]\n"
    "[vary]\ntxtPercentFood = [1, 3]\n";
constexpr const char* kHeader = "run,repetition,seed,txtPercentFood,step,modelTime,colonyFood,antsOut,txtImageName\n";

void WriteRun(const testing::TempFolder& dir, int k, const std::string& food, const std::string& ants) {
  const std::string name = dir / ("runs/0000" + std::to_string(k));
  const int rep = (k - 1) % 3 + 1;
  Write(name + ".status", "ok\n\n" + food + "\n" + ants + "\nframe\n10\n\n");  // 10 steps, no stop condition
  Write(name + ".csv", std::string(kHeader) + std::to_string(k) + "," + std::to_string(rep) + "," +
                           std::to_string(k) + "," + (k <= 3 ? "1" : "3") + ",10,6," + food + "," + ants + ",frame\n");
}

TEST(Merge, SummaryHoldsMeanSampleDeviationMinimumAndMaximumOfTheRunsThatSucceeded) {
  testing::TempFolder dir;
  std::filesystem::create_directories(dir / "runs");
  Write(dir / "experiment.toml", kExperiment);
  WriteRun(dir, 1, "2", "10");
  WriteRun(dir, 2, "4", "10");
  WriteRun(dir, 3, "9", "10");
  Write(dir / "runs/00004.status", "failed\ntxtPercentFood = \"3\" refused: by hand\n");
  Write(dir / "runs/00004.csv", kHeader);
  WriteRun(dir, 5, "1.5", "7");
  WriteRun(dir, 6, "2.5", "8");

  std::ostringstream err;
  EXPECT_EQ(MergeSweep(dir.str(), err), kSomeRunFailed);
  EXPECT_EQ(err.str(), "antraid-sweep: 1 of 6 runs failed (see " + dir.str() + "/runs.csv)\n");
  // 2, 4, 9: mean 5, squares 9 + 1 + 16 = 26 over 2 gives sd sqrt(13) = 3.605551275...
  // 1.5, 2.5 and 7, 8: sd sqrt(0.5) = 0.707106781186548. A text has no summary.
  EXPECT_EQ(ReadFile(dir / "summary.csv"),
            "combination,txtPercentFood,runs,failed,colonyFood_mean,colonyFood_sd,colonyFood_min,colonyFood_max,"
            "antsOut_mean,antsOut_sd,antsOut_min,antsOut_max,txtImageName_mean,txtImageName_sd,txtImageName_min,"
            "txtImageName_max\n"
            "1,1,3,0,5,3.60555127546399,2,9,10,0,10,10,,,,\n"
            "2,3,2,1,2,0.707106781186548,1.5,2.5,7.5,0.707106781186548,7,8,,,,\n");
  EXPECT_EQ(ReadFile(dir / "runs.csv"),
            "run,repetition,seed,txtPercentFood,status,message,steps,stopped,colonyFood,antsOut,txtImageName\n"
            "1,1,1,1,ok,,10,,2,10,frame\n2,2,2,1,ok,,10,,4,10,frame\n3,3,3,1,ok,,10,,9,10,frame\n"
            "4,1,4,3,failed,\"txtPercentFood = \"\"3\"\" refused: by hand\",,,,,\n"
            "5,2,5,3,ok,,10,,1.5,7,frame\n6,3,6,3,ok,,10,,2.5,8,frame\n");
  const std::string table = ReadFile(dir / "table.csv");
  EXPECT_EQ(table.substr(0, table.find('\n') + 1), kHeader);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 6);  // the header and five rows

  // A run with its status but without its rows is not complete.
  std::filesystem::remove(dir / "runs/00006.csv");
  std::ostringstream missing;
  EXPECT_EQ(MergeSweep(dir.str(), missing), kSweepError);
  EXPECT_NE(missing.str().find("1 of 6 runs have no results yet (the first: run 6)"), std::string::npos)
      << missing.str();
}

TEST(Merge, ASummaryOfOneValueHasNoDeviationAndOfTextsNoFigures) {
  EXPECT_EQ(Summarize({"-3"}), (std::vector<std::string>{"-3", "", "-3", "-3"}));
  EXPECT_EQ(Summarize({"1", "x"}), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(Summarize({}), (std::vector<std::string>{"", "", "", ""}));
  // -1, 0, 4: mean 1, squares 4 + 1 + 9 = 14 over 2: sd sqrt(7) = 2.64575131106459.
  EXPECT_EQ(Summarize({"4", "-1", "0"}), (std::vector<std::string>{"1", "2.64575131106459", "-1", "4"}));
}

}  // namespace
}  // namespace antraid::experiments
