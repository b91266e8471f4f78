// A run's files when two processes perform the same run: temporary names of
// each process's own, the first complete result kept, and the leftovers of a
// process killed before its rows replaced.
#include "experiments/result_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sim/test_form.h"

namespace antraid::experiments {
namespace {

namespace fs = std::filesystem;

class ResultFiles : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_ / "runs"); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& f : fs::directory_iterator(dir_ / "runs")) names.push_back(f.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  testing::TempFolder folder_;
  const fs::path dir_ = folder_.path();
};

TEST_F(ResultFiles, TemporaryNamesNameTheHostAndTheProcess) {
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  EXPECT_EQ(TemporarySuffix(), ".part-" + std::string(host) + "-" + std::to_string(::getpid()));
}

TEST_F(ResultFiles, TheFirstCommitUnlessPresentPublishesAndTheSecondLeavesItInPlace) {
  const std::string path = (dir_ / "runs" / "a.csv").string();
  AtomicFile first(path, ".part-one"), second(path, ".part-two");
  first.Write("first\n");
  second.Write("second\n");
  EXPECT_FALSE(fs::exists(path));  // nothing published before a commit
  EXPECT_TRUE(first.CommitUnlessPresent());
  EXPECT_FALSE(second.CommitUnlessPresent());
  EXPECT_EQ(ReadFile(path), "first\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"a.csv"});

  AtomicFile third(path, ".part-three");  // a plain commit replaces
  third.Write("third\n");
  third.Commit();
  EXPECT_EQ(ReadFile(path), "third\n");
  EXPECT_THROW(AtomicFile((dir_ / "nowhere" / "b").string(), ".part"), IoError);
}

TEST_F(ResultFiles, ASecondFinisherOfARunLeavesTheFirstResultAndALeftoverScriptIsReplaced) {
  const Experiment e = ParseExperiment("[experiment]\nsteps = 3\nmeasures = [\"antsOut\"]\n", "exp.toml");
  const RunPlan plan(e);
  const PlannedRun run = plan.Run(1);
  RunScript script;
  script.text = "click cmdStartProgram\n";
  script.rowSteps = {3};
  RunResult first, second;
  first.rows = {{"4", "12"}};
  second.rows = {{"4", "99"}};

  // A process killed after its script and status, before its rows: an
  // incomplete run, whose files the next finisher replaces.
  std::ofstream(dir_ / "runs" / "00001.script") << "stale\n";
  std::ofstream(dir_ / "runs" / "00001.status") << "failed\nstale\n";
  std::ofstream(dir_ / "runs" / "00001.csv.part-otherhost-7") << "half a file";  // another process's
  EXPECT_FALSE(RunComplete(dir_.string(), 1));
  WriteRunFiles(dir_.string(), e, plan, run, script, first);
  ASSERT_TRUE(RunComplete(dir_.string(), 1));
  EXPECT_EQ(ReadFile((dir_ / "runs" / "00001.script").string()), "click cmdStartProgram\n");
  EXPECT_EQ(ReadFile((dir_ / "runs" / "00001.status").string()), "ok\n\n12\n3\n\n");
  EXPECT_EQ(ReadFile((dir_ / "runs" / "00001.csv").string()), "run,repetition,seed,step,modelTime,antsOut\n1,1,1,3,4,12\n");

  script.text = "the second finisher's\n";
  WriteRunFiles(dir_.string(), e, plan, run, script, second);
  EXPECT_EQ(ReadFile((dir_ / "runs" / "00001.script").string()), "click cmdStartProgram\n");
  EXPECT_EQ(ReadFile((dir_ / "runs" / "00001.status").string()), "ok\n\n12\n3\n\n");
  EXPECT_EQ(ReadFile((dir_ / "runs" / "00001.csv").string()), "run,repetition,seed,step,modelTime,antsOut\n1,1,1,3,4,12\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"00001.csv", "00001.csv.part-otherhost-7", "00001.script",
                                               "00001.status"}));
}

}  // namespace
}  // namespace antraid::experiments
