// antraid-sweep with the designs that answer questions: Sobol' indices
// written at the end of the sweep and again by merge; a search with the same
// files whatever the jobs, resumed after a kill, listed, and never sharded.
#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "experiments/sweep_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace antraid::testing;

using StudySweep = SweepFolder;

TEST_F(StudySweep, SobolIndicesAreWrittenByTheSweepAndAgainByMerge) {
  // Four base points x (two ranges + 2) = 16 combinations. The leave
  // interval's own box, read as a measure, depends on it alone: the food's
  // indices are 0 (AB_2 differs from A only in the food), intervals included.
  Write("sobol.toml",
        "[experiment]\nsteps = 40\nseed = 3\nmeasures = [\"txtLeaveInterval\", \"antsOut\"]\n"
        "[set]\ntxtNumAnts = 200\n"
        "[sample]\nmethod = \"sobol\"\ncount = 4\ntxtLeaveInterval = [1, 8]\ntxtPercentFood = [1.0, 3.0]\n");
  const CommandResult run = Sweep("sobol.toml --out res --jobs 2 --quiet");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string runs = Read(dir_ / "res" / "runs.csv");
  EXPECT_EQ(std::count(runs.begin(), runs.end(), '\n'), 1 + 4 * 4);
  const std::string indices = Read(dir_ / "res" / "sensitivity.csv");
  EXPECT_EQ(indices.substr(0, indices.find('\n')), "measure,parameter,S1,S1_low,S1_high,ST,ST_low,ST_high");
  EXPECT_NE(indices.find("\ntxtLeaveInterval,txtPercentFood,0,0,0,0,0,0\n"), std::string::npos) << indices;
  EXPECT_EQ(std::count(indices.begin(), indices.end(), '\n'), 1 + 2 * 2);
  fs::remove(dir_ / "res" / "sensitivity.csv");
  ASSERT_EQ(Sweep("merge res").status, 0);
  EXPECT_EQ(Read(dir_ / "res" / "sensitivity.csv"), indices);
}


// Each candidate of a small search: a leave interval and a number of ants,
// two paired repetitions; after 30 steps the ants out follow from both.
constexpr const char* kSearch =
    "[experiment]\nsteps = 30\nseed = 5\nmeasures = [\"antsOut\", \"colonyFood\"]\n"
    "[set]\ntxtPercentFood = 2\n"
    "[search]\nalgorithm = \"de\"\nmaximize = \"antsOut\"\npopulation = 5\ngenerations = 2\nrepetitions = 2\n"
    "txtLeaveInterval = [1, 6]\ntxtNumAnts = [20, 300]\n";

std::string SearchFiles(const fs::path& dir) {
  return ReadFile(dir / "search.csv") + ReadFile(dir / "best.toml") + ReadFile(dir / "runs.csv") +
         ReadFile(dir / "table.csv");
}

TEST_F(StudySweep, ASearchGivesTheSameFilesWithOneAndTwoJobsAndAfterAKill) {
  Write("search.toml", kSearch);
  const CommandResult one = Sweep("search.toml --out one --jobs 1 --quiet");
  ASSERT_EQ(one.status, 0) << one.err;
  ASSERT_EQ(Sweep("search.toml --out two --jobs 2 --quiet").status, 0);
  EXPECT_EQ(SearchFiles(dir_ / "one"), SearchFiles(dir_ / "two"));

  const std::string runs = Read(dir_ / "one" / "runs.csv");
  EXPECT_EQ(runs.substr(0, runs.find('\n')),
            "run,repetition,seed,generation,candidate,txtLeaveInterval,txtNumAnts,status,message,steps,stopped,antsOut,"
            "colonyFood");
  // The first population's candidates are runs 1 to 10, repetition fastest,
  // and the r-th repetition of every candidate has seed 5 + r - 1.
  EXPECT_EQ(runs.find("\n1,1,5,0,1,"), runs.find('\n'));
  EXPECT_NE(runs.find("\n10,2,6,0,5,"), std::string::npos);
  const std::string search = Read(dir_ / "one" / "search.csv");
  EXPECT_EQ(search.substr(0, search.find('\n')), "generation,evaluations,antsOut,txtLeaveInterval,txtNumAnts");
  EXPECT_EQ(std::count(search.begin(), search.end(), '\n'), 1 + 3);
  EXPECT_NE(Read(dir_ / "one" / "best.toml").find("\n[set]\ntxtLeaveInterval = "), std::string::npos);

  // A search killed in its second generation, and started again, reads back
  // the runs it has and ends the same.
  ASSERT_TRUE(SweepKilledAt("search.toml", "killed", "00013")) << "the search ended before it was killed";
  EXPECT_FALSE(fs::exists(dir_ / "killed" / "search.csv"));
  ASSERT_EQ(Sweep("search.toml --out killed --jobs 2 --quiet").status, 0);
  EXPECT_EQ(SearchFiles(dir_ / "one"), SearchFiles(dir_ / "killed"));
  // merge builds the files again from the runs alone.
  fs::remove(dir_ / "one" / "best.toml");
  ASSERT_EQ(Sweep("merge one").status, 0);
  EXPECT_EQ(SearchFiles(dir_ / "one"), SearchFiles(dir_ / "two"));
}

TEST_F(StudySweep, ASearchListsItsFirstGenerationAndRefusesShards) {
  Write("search.toml", kSearch);
  const CommandResult list = Sweep("search.toml --list");
  ASSERT_EQ(list.status, 0);
  EXPECT_EQ(list.out.substr(0, list.out.find('\n')), "run,repetition,seed,generation,candidate,txtLeaveInterval,txtNumAnts");
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 1 + 5 * 2);
  const CommandResult shard = Sweep("search.toml --shard 1/2");
  EXPECT_EQ(shard.status, 2);
  EXPECT_NE(shard.err.find("a search cannot be sharded"), std::string::npos) << shard.err;
  EXPECT_FALSE(fs::exists(dir_ / "search-results" / "runs"));
  // merge of a search whose runs are not all there says what to do.
  ASSERT_EQ(Sweep("search.toml --out res --quiet").status, 0);
  fs::remove(dir_ / "res" / "runs" / "00003.csv");
  const CommandResult merge = Sweep("merge res");
  EXPECT_EQ(merge.status, 2);
  EXPECT_NE(merge.err.find("run 3 of the search has no results yet"), std::string::npos) << merge.err;
}

TEST_F(StudySweep, ASearchRunReplaysAndACandidateThePanelRefusesIsNeverTheBest) {
  // Half the ants-per-patch range is refused by the panel (0 is not a count).
  Write("refused.toml",
        "[experiment]\nsteps = 20\nseed = 2\nmeasures = [\"antsOut\"]\n"
        "[search]\nalgorithm = \"sga\"\nmaximize = \"antsOut\"\npopulation = 6\ngenerations = 1\n"
        "txtAntsPerPatch = [0, 1]\ntxtLeaveInterval = [1, 4]\n");
  const CommandResult run = Sweep("refused.toml --out res --quiet");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("runs of the search failed"), std::string::npos) << run.err;
  std::istringstream runs(Read(dir_ / "res" / "runs.csv"));
  std::string line;
  std::getline(runs, line);
  int failed = 0, replayed = 0;
  while (std::getline(runs, line)) {
    const std::vector<std::string> cells = CsvCells(line);
    if (cells[7] == "failed") {
      EXPECT_EQ(cells[5], "0") << line;
      ++failed;
      continue;
    }
    // An ordinary run: its script, replayed with its seed, prints the antsOut of runs.csv last.
    if (cells[0].size() != 1) continue;  // runs 1 to 9 are enough
    const std::string script = (dir_ / "res" / "runs" / ("0000" + cells[0] + ".script")).string();
    const CommandResult replay = RunCommand(kScript + " --seed " + cells[2] + " " + script, dir_);
    ASSERT_EQ(replay.status, 0) << replay.err;
    EXPECT_NE(replay.out.rfind("antsOut=" + cells.back() + "\n"), std::string::npos) << replay.out;
    ++replayed;
  }
  EXPECT_GT(failed, 0);
  EXPECT_GT(replayed, 0);
  const std::string best = Read(dir_ / "res" / "best.toml");
  EXPECT_NE(best.find("\ntxtAntsPerPatch = 1\n"), std::string::npos) << best;
}

}  // namespace
