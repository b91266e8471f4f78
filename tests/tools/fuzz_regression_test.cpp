// Replays the action fuzzer's seed corpus and every input that once broke the
// program (fuzz/corpus/form/, fuzz/regressions/) through the fuzzer's own
// action player, and checks that its invariant check notices broken state.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "../../fuzz/form_actions.h"
#include "sim/test_form.h"

namespace antraid {
namespace {

namespace fs = std::filesystem;
using fuzzing::ActionPlayer;
using fuzzing::InFolder;

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
  std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
  return name;
}

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
TEST(InvariantCheck, NoticesEachKindOfDamage) {
  const std::pair<const char*, std::function<void(MainForm&)>> kDamage[] = {
      {"a miscounted patch",
       [](MainForm& f) {
         f.run.antCountGrid.Add(MainForm::PatchOf(f.run.ants[7].xPos), MainForm::PatchOf(f.run.ants[7].yPos), 1);
       }},
      {"a count where no ant stands",
       [](MainForm& f) {
         f.run.antCountGrid.Add(1, 1, -1);
         f.run.antCountGrid.Add(2, 1, 1);
       }},
      {"an ant off the lattice", [](MainForm& f) { f.run.ants[3].yPos = static_cast<float>(f.params.worldYinCm) + 1; }},
      {"ants out drifted", [](MainForm& f) { ++f.readouts.antsOut; }},
      {"negative total food", [](MainForm& f) { f.readouts.totalFood = -1; }},
      {"negative food on a patch", [](MainForm& f) { f.run.foodGrid.Set(3, 3, -1); }},
      {"food on the ground drifted", [](MainForm& f) { ++f.readouts.foodOnGround; }},
      {"a scale that is not a number",
       [](MainForm& f) { f.pctWorld.SetScaleLeft(std::numeric_limits<float>::quiet_NaN()); }},
      {"a caption that is not a number",
       [](MainForm& f) { f.panel.lblTravelVel.SetCaption("Travel Vel.: NaNcm/sec"); }},
  };
  for (const auto& [what, damage] : kDamage) {
    testing::LoadedForm t;
    t.p.txtNumAnts.SetText("40");
    t.StartAndRun(30);
    ASSERT_EQ(t.form.run.ants.size(), 41u);
    ASSERT_EQ(CheckInvariants(t.form), "") << what;
    damage(t.form);
    EXPECT_NE(CheckInvariants(t.form), "") << what;
  }
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
