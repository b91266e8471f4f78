// [pictures] movie = true: every run of a sweep leaves runs/NNNNN.mp4, made
// by its own script (so antraid-script replays it), and a run whose movie is
// missing is run again by the next sweep.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "experiments/experiment.h"
#include "experiments/run_script.h"
#include "sim/test_form.h"

namespace {

namespace fs = std::filesystem;
using antraid::testing::CommandResult;
using antraid::testing::MovieProbe;
using antraid::testing::RunCommand;

const std::string kSweep = ANTRAID_SWEEP_EXE;

TEST(MovieSweep, TheScriptRecordsAFrameEveryNStepsAndStopsAtTheEnd) {
  using namespace antraid::experiments;
  const Experiment e = ParseExperiment(
      "[experiment]\nsteps = 1800\nmeasures = [\"colonyFood\"]\n[pictures]\nmovie = true\n", "m.toml");
  // A movie alone: no picture files, 1800 / 600 = a frame every 3 steps.
  EXPECT_FALSE(e.pictures.any());
  EXPECT_EQ(MovieEvery(e), 3);
  const PlannedRun run{.number = 7, .combination = 1, .repetition = 1, .seed = 1, .settings = {}, .columns = {}};
  const RunScript s = MakeRunScript(e, run);
  EXPECT_NE(s.text.find("click cmdStartProgram\nmovie runs/00007.mp4 3\nwait 1800\n"), std::string::npos) << s.text;
  EXPECT_EQ(s.text.substr(s.text.size() - 11), "movie stop\n");
  const Experiment shortRun = ParseExperiment(
      "[experiment]\nsteps = 100\nmeasures = [\"colonyFood\"]\n[pictures]\nmovie = true\nevery = 50\n", "m.toml");
  EXPECT_EQ(MovieEvery(shortRun), 1);  // never less than one step a frame
  EXPECT_TRUE(shortRun.pictures.ants && shortRun.pictures.trails);
}

TEST(MovieSweep, EveryRunLeavesItsMovieAndAMissingOneIsMadeAgain) {
  const antraid::testing::TempFolder folder;
  const fs::path& dir = folder.path();
  std::ofstream(dir / "m.toml") << "[experiment]\nsteps = 120\nrepetitions = 2\nmeasures = [\"colonyFood\"]\n"
                                   "[set]\ntxtNumAnts = 60\n[pictures]\nmovie = true\nmovie_every = 4\n";
  CommandResult r = RunCommand(kSweep + " m.toml --out res --jobs 2 --quiet", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(MovieProbe(dir / "res/runs/00001.mp4", dir), "h264,500,500,30");
  EXPECT_EQ(MovieProbe(dir / "res/runs/00002.mp4", dir), "h264,500,500,30");
  EXPECT_FALSE(fs::exists(dir / "res/runs/00001-ants.png"));

  fs::remove(dir / "res/runs/00002.mp4");
  r = RunCommand(kSweep + " m.toml --out res --jobs 1", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("running run 2 again: runs/00002.mp4 is missing"), std::string::npos) << r.err;
  EXPECT_EQ(MovieProbe(dir / "res/runs/00002.mp4", dir), "h264,500,500,30");
}

}  // namespace
