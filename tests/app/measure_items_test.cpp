// The raid-shape and effort items, read by scripts from layers and ants the
// script prepares. Every expected value is worked out by hand from the
// prepared patches.
#include "app/measure_items.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/script_line.h"
#include "sim/test_form.h"

namespace antraid {
namespace {

// A run of the default window stopped at clock 3 (six steps): the nest is at
// row 695, so D = 400 looks at row 295, which no ant has reached yet.
constexpr const char* kPaused = "click cmdStartProgram\nwait 2\nclick cmdPause\nwait 2\n";

using Output = testing::CommandResult;

Output Session(const std::string& script) { return testing::ScriptOutput(script); }

// The three trail items of row 295 after setting the given patches of it.
std::string Trail(std::initializer_list<std::pair<int, int>> patches) {
  std::string script = kPaused;
  for (auto [x, p] : patches) script += "set pherGrid " + std::to_string(x) + " 295 " + std::to_string(p) + "\n";
  script += "print trailExtent 400 trailWidth 400 trailCount 400\n";
  const Output o = Session(script);
  EXPECT_EQ(o.status, 0) << o.err;
  return o.out;
}

std::string TrailText(const std::string& extent, const std::string& width, const std::string& count) {
  return "trailExtent(400)=" + extent + "\ntrailWidth(400)=" + width + "\ntrailCount(400)=" + count + "\n";
}

TEST(TrailItems, ReadTheRowAboveTheNest) {
  // An empty row: no extent, no width, no trail.
  EXPECT_EQ(Trail({}), TrailText("0", "0", "0"));
  // One patch carries it all: one centimetre wide.
  EXPECT_EQ(Trail({{350, 7}}), TrailText("1", "1", "1"));
  // Four equal patches side by side: width 4.
  EXPECT_EQ(Trail({{10, 3}, {11, 3}, {12, 3}, {13, 3}}), TrailText("4", "4", "1"));
  // 5, 10, 1, 2 at 10, 11, 15, 16: extent 16 - 10 + 1 = 7; width 18^2 / 130;
  // the line is at 1, three patches lie between 11 and 15: one trail.
  EXPECT_EQ(Trail({{10, 5}, {11, 10}, {15, 1}, {16, 2}}), TrailText("7", "2.49230769230769", "1"));
  // Patches below one unit have no extent; negative units lower the width's sums.
  EXPECT_EQ(Trail({{20, 4}, {30, -2}, {40, 0}}), TrailText("1", "0.2", "1"));
  // The row's two ends: 700 cm apart, two trails.
  EXPECT_EQ(Trail({{1, 1}, {700, 1}}), TrailText("700", "2", "2"));
}

TEST(TrailItems, CountTrailsByTheGapAndTheTenthOfTheMaximum) {
  auto count = [](std::initializer_list<std::pair<int, int>> patches) {
    const std::string out = Trail(patches);
    return out.substr(out.rfind('=') + 1);
  };
  // Three patches between two trails: one trail; four: two.
  EXPECT_EQ(count({{100, 9}, {104, 9}}), "1\n");
  EXPECT_EQ(count({{100, 9}, {105, 9}}), "2\n");
  // A patch exactly at a tenth of the maximum is on a trail; below it is not.
  EXPECT_EQ(count({{100, 20}, {200, 2}}), "2\n");
  EXPECT_EQ(count({{100, 20}, {200, 1}}), "1\n");
  // The tenth is a real number: 15 puts it at 1.5, so 1 is off and 2 on.
  EXPECT_EQ(count({{100, 15}, {200, 1}}), "1\n");
  EXPECT_EQ(count({{100, 15}, {200, 2}}), "2\n");
  // Runs of marked patches bridged patch by patch: 100-102, gap 3, 106, gap 4, 111.
  EXPECT_EQ(count({{100, 5}, {101, 5}, {102, 5}, {106, 5}, {111, 5}}), "2\n");
  // A row of nothing but negative amounts holds no trail.
  EXPECT_EQ(count({{100, -5}}), "0\n");
}

// A window of `ants` ants, started and paused, the listed ants set searching
// outward at the given x positions and every other ant stopped.
std::string Spread(int ants, const std::vector<float>& searching) {
  std::string script = "type txtNumAnts " + std::to_string(ants) + "\n" + kPaused;
  for (int k = 1; k <= ants; ++k) {
    const bool out = static_cast<size_t>(k) <= searching.size();
    script += "set ant " + std::to_string(k) + " state " + (out ? "1" : "9") + "\n";
    if (out) script += "set ant " + std::to_string(k) + " xPos " + FormatSingle(searching[k - 1]) + "\n";
  }
  const Output o = Session(script + "print searchSpread\n");
  EXPECT_EQ(o.status, 0) << o.err;
  return o.out;
}

TEST(SearchSpread, IsTheNearestRankPercentileRange) {
  EXPECT_EQ(Spread(3, {}), "searchSpread=0\n");        // no ant searching
  EXPECT_EQ(Spread(3, {250}), "searchSpread=0\n");     // one ant
  // Two ants: ranks ceil(1.9) = 2 and ceil(0.1) = 1, in any order.
  EXPECT_EQ(Spread(3, {300.5f, 100.25f}), "searchSpread=200.25\n");
  // 21 ants at 10, 20, ..., 210 (written backwards): ranks 20 and 2.
  std::vector<float> xs;
  for (int i = 21; i >= 1; --i) xs.push_back(10.0f * i);
  EXPECT_EQ(Spread(25, xs), "searchSpread=180\n");
  // 20 ants: ranks exactly 19 and 1.
  xs.erase(xs.begin());
  EXPECT_EQ(Spread(20, xs), "searchSpread=180\n");
}

TEST(EffortItems, CountOutAndReturningAntsAtTheEndOfEachStep) {
  // A run of 3 ants, one step at a time: each step adds the ants then out
  // (state 1) or returning (state 3), as `ant N` prints them.
  std::string script = "type txtNumAnts 3\nclick cmdStartProgram\nprint antSteps foodPerAntStep\n";
  for (int i = 0; i < 60; ++i) script += "wait 1\nprint antSteps ant 1 ant 2 ant 3\n";
  const Output o = Session(script);
  ASSERT_EQ(o.status, 0) << o.err;
  const std::vector<std::string_view> lines = SplitLines(o.out);
  ASSERT_EQ(lines.size(), 2 + 60 * 4u);
  EXPECT_EQ(lines[0], "antSteps=0");
  EXPECT_EQ(lines[1], "foodPerAntStep=0");
  long long last = 0, grew = 0;
  for (size_t i = 0; i < 60; ++i) {
    const std::string_view steps = lines[2 + 4 * i];
    const long long now = std::stoll(std::string(steps.substr(steps.find('=') + 1)));
    int active = 0;
    for (const std::string_view ant : {lines[3 + 4 * i], lines[4 + 4 * i], lines[5 + 4 * i]})
      active += ant.find("state=1 ") != std::string::npos || ant.find("state=3 ") != std::string::npos;
    EXPECT_EQ(now - last, active) << "step " << i + 1;
    grew += active;
    last = now;
  }
  EXPECT_GT(grew, 0);

  // Stopped ants make no effort; a new Start counts from 0 again.
  const Output stopped = Session("type txtNumAnts 2\n" + std::string(kPaused) +
                             "print antSteps\nset ant 1 state 9\nset ant 2 state 9\n"
                             "click cmdPause\nwait 4\nclick cmdPause\nwait 2\nprint antSteps\n"
                             "answer Yes\nclick cmdStartProgram\nprint antSteps\n");
  ASSERT_EQ(stopped.status, 0) << stopped.err;
  const std::string before = stopped.out.substr(0, stopped.out.find('\n') + 1);
  EXPECT_EQ(stopped.out, before + before + "msgbox: " + stopped.out.substr(stopped.out.find("msgbox: ") + 8));
  EXPECT_TRUE(stopped.out.ends_with("\nantSteps=0\n")) << stopped.out;
}

TEST(EffortItems, FoodPerAntStepIsTheDeliveredFoodOverTheEffort) {
  const Output o = Session("click cmdStartProgram\nwait 1500\nprint colonyFood antSteps foodPerAntStep\n");
  ASSERT_EQ(o.status, 0) << o.err;
  const std::vector<std::string_view> lines = SplitLines(o.out);  // colonyFood=F, antSteps=N, foodPerAntStep=R
  const double f = std::stod(std::string(lines.at(0).substr(11))), n = std::stod(std::string(lines.at(1).substr(9)));
  ASSERT_GT(n, 0);
  EXPECT_EQ(lines.at(2), "foodPerAntStep=" + FormatDouble(f / n));
}

TEST(MeasureItems, RowsAndPatchesOffTheWorldAreErrorsOfTheirLine) {
  const struct {
    std::string script, err;
  } cases[] = {
      {"print trailCount 400\n",
       "antraid-script: line 1: trailCount(400): the layer does not exist yet (the world is built by Start)\n"},
      {std::string(kPaused) + "print trailWidth 694\nprint trailExtent 695\n",
       "antraid-script: line 6: trailExtent(695): the row 695 cm above the nest (row 0) lies off the world "
       "(700 cm high)\n"},
      {std::string(kPaused) + "print trailCount 0\n",
       "antraid-script: line 5: number \"0\" out of range (1 to 2147483647)\n"},
      {std::string(kPaused) + "print trailCount\n", "antraid-script: line 5: missing trailCount D\n"},
      {"record 1 /dev/null trailCount 900\nclick cmdStartProgram\nwait 3\n",
       "antraid-script: line 1: record: trailCount(900): the row 900 cm above the nest (row -205) lies off the "
       "world (700 cm high)\n"},
  };
  for (const auto& c : cases) {
    const Output o = Session(c.script);
    EXPECT_EQ(o.status, 2) << c.script;
    EXPECT_EQ(o.err, c.err) << c.script;
  }
}

TEST(MeasureItems, ColumnNamesJoinTheWordsOfAnItem) {
  testing::TempFolder dir;
  const std::string csv = dir / "t.csv";
  const Output o = Session("record 2 " + csv + " trailCount 400 pherGrid 3 4 antSteps scrColWidth.max\n" + kPaused);
  ASSERT_EQ(o.status, 0) << o.err;
  const std::string text = testing::ReadFile(csv);
  EXPECT_EQ(text.substr(0, text.find('\n')), "modelTime,trailCount_400,pherGrid_3_4,antSteps,scrColWidth.max");
}

}  // namespace
}  // namespace antraid
