// antraid-sweep with the designs that answer questions: Sobol' indices
// written at the end of the sweep and again by merge.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/test_form.h"

namespace {

namespace fs = std::filesystem;

const std::string kSweep = ANTRAID_SWEEP_EXE;

using antraid::testing::CommandResult;
using antraid::testing::RunCommand;
std::string Read(const fs::path& p) { return antraid::testing::ReadFile(p); }

class StudySweep : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("antraid-study-test-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }
  CommandResult Sweep(const std::string& args) { return RunCommand(kSweep + " " + args, dir_); }
  fs::path dir_;
};

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

}  // namespace
