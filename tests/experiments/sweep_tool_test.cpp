// antraid-sweep as a user runs it: the same tables whatever the jobs or
// shards (the shards run by GNU parallel), every run replayed by
// antraid-script, a sweep killed part-way and resumed, and the exit statuses.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "experiments/run_script.h"
#include "experiments/sweep_folder.h"
#include "stb_image.h"  // the decoder built into the experiments library

namespace {

namespace fs = std::filesystem;
using namespace antraid::testing;

// Eight short runs: two cases, two food settings, two repetitions; rows
// every 50 steps and at the last step.
constexpr const char* kExperiment =
    "[experiment]\nname = \"small\"\nsteps = 120\nrepetitions = 2\nseed = 7\nrecord_every = 50\n"
    "measures = [\"colonyFood\", \"antsOut\", \"lblTotalFood\", \"pherGrid 350 600\"]\n"
    "[set]\ntxtNumAnts = 300\n"
    "[vary]\ntxtPercentFood = [1, 4.5]\n"
    "[[case]]\nchkUseVel = 0\n[[case]]\ntxtLeaveInterval = 2\n";

class SweepTool : public SweepFolder {
 protected:
  void SetUp() override { Write("exp.toml", kExperiment); }
  std::string Tables(const std::string& out) {
    return Read(dir_ / out / "table.csv") + Read(dir_ / out / "runs.csv") + Read(dir_ / out / "summary.csv");
  }
};

// The last line of standard error, a pipe here, says what was done and where.
void ExpectLastLine(const CommandResult& r, const std::string& runs, const std::string& dir) {
  const std::string err = r.err;
  ASSERT_FALSE(err.empty());
  const size_t start = err.rfind('\n', err.size() - 2);
  const std::string last = err.substr(start == std::string::npos ? 0 : start + 1);
  EXPECT_EQ(last.rfind("antraid-sweep: " + runs + " in ", 0), 0u) << err;
  EXPECT_TRUE(last.ends_with(" s; results in " + dir + "\n")) << err;
  EXPECT_EQ(err.find('\r'), std::string::npos) << err;  // no line rewritten in place
}

TEST_F(SweepTool, TheTablesAreTheSameWithOneJobTwoJobsAndTwoShardsRunByParallel) {
  const CommandResult one = Sweep("exp.toml --out one --jobs 1");
  ASSERT_EQ(one.status, 0);
  ExpectLastLine(one, "8 runs (0 failed)", "one");
  const CommandResult two = Sweep("exp.toml --out two --jobs 2 --quiet");
  ASSERT_EQ(two.status, 0);
  EXPECT_EQ(two.err, "");  // quiet is silent
  const CommandResult shards = RunCommand("parallel --will-cite " + kSweep + " exp.toml --out shared --jobs 1 --shard {}/2 ::: 1 2", dir_);
  ASSERT_EQ(shards.status, 0) << shards.err;
  EXPECT_FALSE(fs::exists(dir_ / "shared" / "table.csv"));  // a shard does not merge
  ASSERT_EQ(Sweep("merge shared").status, 0);

  const std::string table = Read(dir_ / "one" / "table.csv");
  EXPECT_EQ(table.substr(0, table.find('\n')),
            "run,repetition,seed,chkUseVel,txtLeaveInterval,txtPercentFood,step,modelTime,colonyFood,antsOut,"
            "lblTotalFood,pherGrid_350_600");
  EXPECT_NE(table.find("\n8,2,14,,2,4.5,120,61,"), std::string::npos) << table;  // the last run's last row
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 8 * 3);
  EXPECT_EQ(Tables("one"), Tables("two"));
  EXPECT_EQ(Tables("one"), Tables("shared"));
}

TEST_F(SweepTool, EveryRunScriptReplaysThroughAntraidScriptToTheRecordedFinalMeasures) {
  ASSERT_EQ(Sweep("exp.toml --out res --quiet").status, 0);
  std::istringstream runs(Read(dir_ / "res" / "runs.csv"));
  std::string line;
  std::getline(runs, line);
  int replayed = 0;
  while (std::getline(runs, line)) {
    const std::vector<std::string> cells = CsvCells(line);
    // run, repetition, seed, 3 names, status, message, steps, stopped, 4 measures
    ASSERT_EQ(cells.size(), 14u) << line;
    EXPECT_EQ(cells[8] + "," + cells[9], "120,");
    const std::string script = "runs/" + antraid::experiments::RunName(std::stoi(cells[0])) + ".script";
    const CommandResult replay = RunCommand(kScript + " --seed " + cells[2] + " " + script, dir_ / "res");
    ASSERT_EQ(replay.status, 0) << replay.err;
    const std::string out = replay.out;
    const std::string lastBlock = out.substr(out.rfind("modelTime="));
    EXPECT_EQ(lastBlock, "modelTime=61\ncolonyFood=" + cells[10] + "\nantsOut=" + cells[11] + "\nlblTotalFood=" +
                             cells[12] + "\npherGrid(350,600)=" + cells[13] + "\n");
    ++replayed;
  }
  EXPECT_EQ(replayed, 8);
}

TEST_F(SweepTool, KilledDamagedAndDoubledSweepsEndWithTheTablesOfOneWholeSweep) {
  ASSERT_EQ(Sweep("exp.toml --out whole --quiet").status, 0);
  // Killed as soon as some runs are complete and others are not.
  ASSERT_TRUE(SweepKilledAt("exp.toml", "killed", "00003")) << "the sweep ended before it was killed";
  EXPECT_FALSE(fs::exists(dir_ / "killed" / "table.csv"));
  EXPECT_FALSE(fs::exists(dir_ / "killed" / "runs" / "00008.csv"));
  ASSERT_EQ(Sweep("exp.toml --out killed --quiet").status, 0);
  EXPECT_EQ(Tables("killed"), Tables("whole"));

  // Damaged runs stop the merge: run 2 cut in the middle of its last row,
  // run 3 after a whole row (one row short), a status that does not parse.
  fs::copy(dir_ / "whole", dir_ / "hurt", fs::copy_options::recursive);
  fs::remove(dir_ / "hurt" / "table.csv");
  const fs::path runs = dir_ / "hurt" / "runs";
  const std::string csv2 = Read(runs / "00002.csv"), csv3 = Read(runs / "00003.csv");
  std::ofstream(runs / "00002.csv", std::ios::binary) << csv2.substr(0, csv2.size() - 5);
  std::ofstream(runs / "00003.csv", std::ios::binary) << csv3.substr(0, csv3.rfind('\n', csv3.size() - 2) + 1);
  std::ofstream(runs / "00005.status") << "okay\n\n";
  const CommandResult merge = Sweep("merge hurt");
  EXPECT_EQ(merge.status, 2);
  EXPECT_NE(merge.err.find("3 of 8 runs have damaged files (the first: runs/00002.csv is cut short); run the sweep "
                           "again"), std::string::npos) << merge.err;
  EXPECT_FALSE(fs::exists(dir_ / "hurt" / "table.csv"));

  const CommandResult again = Sweep("exp.toml --out hurt --quiet");
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.err,
            "antraid-sweep: running run 2 again: runs/00002.csv is cut short\n"
            "antraid-sweep: running run 3 again: runs/00003.csv and runs/00003.status disagree on the steps\n"
            "antraid-sweep: running run 5 again: runs/00005.status does not parse\n");
  EXPECT_EQ(Tables("hurt"), Tables("whole"));

  // A shard resubmitted while the first is still running: both processes
  // perform the same runs into one folder, and both merge.
  const CommandResult both = RunCommand(
      "parallel --will-cite -j 2 -N0 " + kSweep + " exp.toml --out twice --jobs 1 --quiet --shard 1/1 ::: a b", dir_);
  ASSERT_EQ(both.status, 0) << both.err;
  EXPECT_EQ(both.err, "");
  EXPECT_EQ(Tables("twice"), Tables("whole"));
  for (const auto& f : fs::directory_iterator(dir_ / "twice" / "runs"))
    EXPECT_EQ(f.path().string().find(".part"), std::string::npos) << "left behind: " << f.path();
}

TEST_F(SweepTool, RefusedValuesFailTheirRunsAndBadInputStopsTheSweep) {
  Write("refused.toml", "[experiment]\nsteps = 10\nmeasures = [\"antsOut\"]\n[vary]\ntxtAntsPerPatch = [0, 3]\n");
  const CommandResult refused = Sweep("refused.toml");
  EXPECT_EQ(refused.status, 1);
  ExpectLastLine(refused, "2 runs (1 failed)", "refused-results");
  const std::string runs = Read(dir_ / "refused-results" / "runs.csv");
  EXPECT_NE(runs.find("1,1,1,0,failed,\"txtAntsPerPatch = \"\"0\"\" refused: antsPerPatch stays 5\",,,\n"),
            std::string::npos) << runs;
  EXPECT_NE(runs.find("2,1,2,3,ok,,10,,"), std::string::npos) << runs;

  Write("broken.toml", "[experiment]\nsteps = 10\nmeasures = [\"antsOut\"\n");
  const CommandResult broken = Sweep("broken.toml");
  EXPECT_EQ(broken.status, 2);
  EXPECT_EQ(broken.err.rfind("antraid-sweep: broken.toml:3:", 0), 0u) << broken.err;
  EXPECT_FALSE(fs::exists(dir_ / "broken-results"));

  const struct {
    std::string env, args, message;
  } errors[] = {
      {"-u SLURM_ARRAY_TASK_ID", "exp.toml --shard slurm", "--shard slurm needs SLURM_ARRAY_TASK_ID"},
      // --array=1,3,5,7 is refused before any run.
      {"SLURM_ARRAY_TASK_ID=5 SLURM_ARRAY_TASK_COUNT=4 SLURM_ARRAY_TASK_MIN=1 SLURM_ARRAY_TASK_MAX=7 "
       "SLURM_ARRAY_TASK_STEP=1", "exp.toml --shard slurm", "are not a range A-B:S"},
      {"", "exp.toml --shard 3/2", "--shard needs I/N with 1 <= I <= N"},
      {"", "exp.toml --shard 1/2 --fresh", "--fresh would remove the other shards' results"},
      {"", "exp.toml --out /proc/antraid", "cannot create /proc/antraid/runs"},
      {"", "merge nowhere", "cannot read nowhere/experiment.toml"},
  };
  for (const auto& e : errors) {
    const CommandResult r = RunCommand("env " + e.env + " " + kSweep + " " + e.args, dir_);
    EXPECT_EQ(r.status, 2) << e.args;
    EXPECT_NE(r.err.find(e.message), std::string::npos) << e.args << "\ngave: " << r.err;
  }
  EXPECT_FALSE(fs::exists(dir_ / "exp-results"));

  // A folder of another experiment is not mixed into.
  ASSERT_EQ(Sweep("refused.toml --out mixed --quiet").status, 1);
  const CommandResult mixed = Sweep("exp.toml --out mixed");
  EXPECT_EQ(mixed.status, 2);
  EXPECT_NE(mixed.err.find("holds the results of another experiment"), std::string::npos) << mixed.err;
}

// Width and height of a PNG file, from its header.
std::pair<int, int> PngSize(const std::string& png) {
  int w = 0, h = 0, n = 0;
  stbi_info_from_memory(reinterpret_cast<const unsigned char*>(png.data()), static_cast<int>(png.size()), &w, &h, &n);
  return {w, h};
}

// The pixels of a 24-bit bottom-up bitmap (snapshot's files) as R, G, B bytes from the top left.
std::string BmpPixels(const std::string& bmp, int side) {
  std::string rgb;
  for (int y = side - 1; y >= 0; --y)
    for (int x = 0; x < side; ++x) {
      const size_t at = 54 + (static_cast<size_t>(y) * side + x) * 3;  // rows of 1500 bytes need no padding
      rgb += {bmp.at(at + 2), bmp[at + 1], bmp[at]};
    }
  return rgb;
}

constexpr const char* kPictures =
    "[experiment]\nsteps = 60\nrepetitions = 2\nseed = 3\nseeds = \"per-repetition\"\nmeasures = [\"colonyFood\"]\n"
    "[set]\ntxtNumAnts = 200\n[vary]\ntxtPercentFood = [1, 4.5]\n"
    "[pictures]\nat = \"end\"\nlayers = [\"ants\", \"trails\"]\n";

TEST_F(SweepTool, PicturesAndAtlasesAreTheSameWithOneJobTwoJobsAndShardsAndEqualTheWindowsPicture) {
  Write("pictures.toml", kPictures);
  ASSERT_EQ(Sweep("pictures.toml --out one --jobs 1 --quiet").status, 0);
  ASSERT_EQ(Sweep("pictures.toml --out two --jobs 2 --quiet").status, 0);
  for (const char* shard : {"1/3", "2/3", "3/3"})
    ASSERT_EQ(Sweep("pictures.toml --out shards --jobs 1 --quiet --shard " + std::string(shard)).status, 0);
  EXPECT_FALSE(fs::exists(dir_ / "shards" / "atlas-ants.png"));  // a shard does not merge
  ASSERT_EQ(Sweep("merge shards").status, 0);
  for (const char* file : {"table.csv", "summary.csv", "atlas-ants.png", "atlas-trails.png", "runs/00004-ants.png",
                           "runs/00004-trails.png"}) {
    ASSERT_TRUE(fs::exists(dir_ / "one" / file)) << file;
    EXPECT_EQ(Read(dir_ / "one" / file), Read(dir_ / "two" / file)) << file;
    EXPECT_EQ(Read(dir_ / "one" / file), Read(dir_ / "shards" / file)) << file;
  }
  // Two rows of two cells of 250 pixels, 4 between and around, under a strip of 24.
  const auto [width, height] = PngSize(Read(dir_ / "one" / "atlas-ants.png"));
  EXPECT_EQ(height, 24 + 2 * 254 + 4);
  EXPECT_GT(width, 2 * 254 + 4);
  EXPECT_LE(width, 4096);
  EXPECT_EQ(PngSize(Read(dir_ / "one" / "runs" / "00001-trails.png")), std::make_pair(500, 500));

  // The run's script replayed by antraid-script writes the same picture, and
  // that picture holds the pixels of snapshot's bitmap of the window's world.
  fs::create_directories(dir_ / "replay" / "runs");
  std::string script = Read(dir_ / "one" / "runs" / "00004.script");
  EXPECT_NE(script.find("\nwait 60\nprint modelTime colonyFood\npicture ants runs/00004-ants.png\n"
                        "picture trails runs/00004-trails.png\n"), std::string::npos) << script;
  std::ofstream(dir_ / "replay" / "run.script") << script << "snapshot world.bmp\n";
  const CommandResult replay = RunCommand(kScript + " --seed 4 run.script", dir_ / "replay");
  ASSERT_EQ(replay.status, 0) << replay.err;
  EXPECT_EQ(Read(dir_ / "replay" / "runs" / "00004-ants.png"), Read(dir_ / "one" / "runs" / "00004-ants.png"));
  EXPECT_EQ(Read(dir_ / "replay" / "runs" / "00004-trails.png"), Read(dir_ / "one" / "runs" / "00004-trails.png"));
  const std::string png = Read(dir_ / "replay" / "runs" / "00004-ants.png");
  int w = 0, h = 0, channels = 0;
  unsigned char* rgb = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(png.data()),
                                             static_cast<int>(png.size()), &w, &h, &channels, 3);
  ASSERT_TRUE(rgb != nullptr);
  const std::string pixels(reinterpret_cast<const char*>(rgb), static_cast<size_t>(w) * h * 3);
  stbi_image_free(rgb);
  EXPECT_TRUE(pixels == BmpPixels(Read(dir_ / "replay" / "world.bmp"), 500));
  EXPECT_GT(std::count(pixels.begin(), pixels.end(), '\0'), 0);  // black ants on the yellowish ground

  // Runs that save no picture draw none.
  ASSERT_EQ(Sweep("exp.toml --out plain --quiet").status, 0);
  for (const auto& f : fs::recursive_directory_iterator(dir_ / "plain")) EXPECT_NE(f.path().extension(), ".png");
}

TEST_F(SweepTool, ARunAStopConditionEndsKeepsItsPicturesAndIsNotRunAgain) {
  Write("stop.toml",
        "[experiment]\nsteps = 60\nrecord_every = 20\nstop = [\"step >= 30\"]\nmeasures = [\"antsOut\"]\n"
        "[set]\ntxtNumAnts = 100\n[pictures]\nevery = 25\nlayers = [\"trails\"]\n");
  ASSERT_EQ(Sweep("stop.toml --quiet").status, 0);
  const std::string rows = Read(dir_ / "stop-results" / "runs" / "00001.csv");
  EXPECT_NE(rows.find("\n1,1,1,20,"), std::string::npos) << rows;
  EXPECT_NE(rows.find("\n1,1,1,30,"), std::string::npos) << rows;  // the step it stopped on
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 3);
  for (const char* step : {"000025", "000050", "000060"})
    EXPECT_TRUE(fs::exists(dir_ / "stop-results" / "runs" / ("00001-trails-" + std::string(step) + ".png"))) << step;
  // The pictures after the stop are of the step it stopped on.
  EXPECT_EQ(Read(dir_ / "stop-results" / "runs" / "00001-trails-000050.png"),
            Read(dir_ / "stop-results" / "runs" / "00001-trails-000060.png"));
  const auto before = fs::last_write_time(dir_ / "stop-results" / "runs" / "00001.csv");
  const CommandResult again = Sweep("stop.toml --quiet");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.err, "");
  EXPECT_EQ(fs::last_write_time(dir_ / "stop-results" / "runs" / "00001.csv"), before);
}

TEST_F(SweepTool, ListPrintsTheRunsOfTheShard) {
  const CommandResult list = Sweep("exp.toml --list --shard 2/3");
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out,
            "run,repetition,seed,chkUseVel,txtLeaveInterval,txtPercentFood\n2,2,8,0,,1\n5,1,11,,2,1\n8,2,14,,2,4.5\n");
  EXPECT_FALSE(fs::exists(dir_ / "exp-results"));
}

}  // namespace
