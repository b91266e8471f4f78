// Replays the action fuzzer's seed corpus and every input that once broke the
// program (fuzz/corpus/form/, fuzz/regressions/) through the fuzzer's own
// action player, and checks that its invariant check notices broken state.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "../../fuzz/form_actions.h"
#include "app/test_form.h"

namespace antraid {
namespace {

namespace fs = std::filesystem;
using fuzzing::ActionPlayer;


std::vector<fs::path> Inputs() {
  std::vector<fs::path> files;
  for (const char* dir : {"fuzz/corpus/form", "fuzz/regressions"}) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::path(ANTRAID_SOURCE_DIR) / dir, ec))
      if (e.is_regular_file()) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string TestName(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name = info.param.parent_path().filename().string() + "_" + info.param.filename().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// Frames and folders the actions ask for land in a temporary folder, which is
// the current folder while the input plays.
class InFolder {
 public:
  explicit InFolder(const fs::path& p) : back_(fs::current_path()) { fs::current_path(p); }
  ~InFolder() { fs::current_path(back_); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  fs::path back_;
};

class FuzzInput : public ::testing::TestWithParam<fs::path> {};

TEST_P(FuzzInput, PlaysWithoutBreakingAnInvariant) {
  std::ifstream in(GetParam(), std::ios::binary);
  ASSERT_TRUE(in) << GetParam();
  const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  testing::TempFolder folder;
  std::string failure;
  {
    InFolder here(folder.path());
    ActionPlayer player(input);
    failure = player.Play();
  }
  EXPECT_EQ(failure, "") << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Replay, FuzzInput, ::testing::ValuesIn(Inputs()), TestName);

// The check itself: a run in progress passes it, each kind of damage fails it.
class InvariantCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    t.p.txtNumAnts.SetText("40");
    t.StartAndRun(30);
    ASSERT_TRUE(t.form.antsCreated);
    ASSERT_EQ(CheckInvariants(t.form), "");
  }
  testing::LoadedForm t;
};

TEST_F(InvariantCheck, NoticesAMiscountedPatch) {
  const AntRecord& ant = t.form.ants[7];
  t.form.antCountGrid.Add(MainForm::PatchOf(ant.xPos), MainForm::PatchOf(ant.yPos), 1);
  EXPECT_NE(CheckInvariants(t.form), "");
}

TEST_F(InvariantCheck, NoticesACountWhereNoAntStands) {
  t.form.antCountGrid.Add(1, 1, -1);
  t.form.antCountGrid.Add(2, 1, 1);
  EXPECT_NE(CheckInvariants(t.form), "");
}

TEST_F(InvariantCheck, NoticesAnAntOffTheLattice) {
  t.form.ants[3].yPos = static_cast<float>(t.form.worldYinCm) + 1;
  EXPECT_NE(CheckInvariants(t.form), "");
}

TEST_F(InvariantCheck, NoticesAnAntsOutCountThatDrifted) {
  ++t.form.antsOut;
  EXPECT_NE(CheckInvariants(t.form), "");
}

TEST_F(InvariantCheck, NoticesNegativeFood) {
  t.form.totalFood = -1;
  EXPECT_NE(CheckInvariants(t.form), "");
  t.form.totalFood = 0;
  t.form.foodGrid.Set(3, 3, -1);
  EXPECT_NE(CheckInvariants(t.form), "");
}

TEST_F(InvariantCheck, NoticesABrokenScaleOrCaption) {
  t.form.pctWorld.SetScaleLeft(std::numeric_limits<float>::quiet_NaN());
  EXPECT_NE(CheckInvariants(t.form), "");
  t.form.pctWorld.SetScaleLeft(0);
  t.p.lblTravelVel.SetCaption("Travel Vel.: NaNcm/sec");
  EXPECT_NE(CheckInvariants(t.form), "");
}

TEST(ActionPlayer, EndsEveryInputWithinItsStepBudget) {
  testing::TempFolder folder;
  InFolder here(folder.path());
  std::string input = "t txtNumAnts 5\nc cmdStartProgram\n";  // never paused
  for (int i = 0; i < 100; ++i) input += "w 8\n";
  ActionPlayer player(input);
  EXPECT_EQ(player.Play(), "");
  EXPECT_TRUE(player.form().unloaded);
  EXPECT_EQ(player.steps(), fuzzing::kMaxSteps);
  EXPECT_LT(player.actions(), 2 + 100);
}

}  // namespace
}  // namespace antraid
