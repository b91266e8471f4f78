// The run loop and the model step: clock and captions, pheromone removal,
// release from the nest, swarm width, saved frames, pausing, and a whole run.
#include <filesystem>
#include <set>

#include "sim/test_form.h"
#include "sim/model/model_fixture.h"
#include "platform/headless/invariants.h"

namespace antraid::modeltest {
namespace {

using ModelRunLoop = BuiltWorld;
using ModelStep = BuiltWorld;

namespace fs = std::filesystem;

// One loop iteration starting at clock `clock` (running is False).
void IterateAt(MainForm& f, float clock) {
  f.run.running = false;
  f.run.modelTime = clock;
  f.TestForAntCreation();
}

TEST_F(ModelRunLoop, AStoppedLoopMakesOneStepAndRefreshesItsCaptions) {
  f.panel.txtRunTimeMin.SetText("-");
  f.TestForAntCreation();
  EXPECT_EQ(f.run.modelTime, 1.5f);
  EXPECT_EQ(t.host.passes, 1);
  EXPECT_EQ(t.LastMessage(), "Framenumber = 45");
  EXPECT_EQ(f.panel.txtAntsOut.text(), "Ants out: 0");
  EXPECT_EQ(f.panel.txtRunTimeMin.text(), "-");  // clock 1.0 is no whole minute

  const std::pair<float, const char*> minutes[] = {{59.5f, "0min "},  {60.0f, "0min "},  {60.5f, "1min "},
                                                   {179.5f, "2min "}, {180.0f, "2min "}, {180.5f, "3min "}};
  for (auto [clock, caption] : minutes) {
    IterateAt(f, clock);
    EXPECT_EQ(f.panel.txtRunTimeMin.text(), caption) << clock;
  }
}

TEST_F(ModelRunLoop, PheromoneRemovalRunsOnItsScheduleAndLowersOddAmounts) {
  // Runs at the iteration when patch (10, 10), set to 3 before it, holds 2 after it.
  auto removes = [&](float clock) {
    f.run.pherGrid.Set(10, 10, 3);
    IterateAt(f, clock);
    return f.run.pherGrid.Get(10, 10) == 2;
  };
  EXPECT_FALSE(removes(142.0f));  // switched off
  EXPECT_FALSE(t.Said("removing pheromone..."));

  f.params.removePher = true;
  for (float clock : {141.5f, 142.0f, 142.5f, 283.5f}) EXPECT_TRUE(removes(clock)) << clock;
  for (float clock : {141.0f, 143.0f, 71.0f}) EXPECT_FALSE(removes(clock)) << clock;
  EXPECT_TRUE(t.Said("removing pheromone..."));
  EXPECT_TRUE(t.Said("Done with pheromone"));

  f.run.pherGrid.Set(1, 1, 1);
  f.run.pherGrid.Set(2, 2, 4);
  f.run.pherGrid.Set(700, 700, 1001);
  IterateAt(f, 142.0f);
  IterateAt(f, 142.0f);  // a second pass changes nothing more
  EXPECT_EQ(f.run.pherGrid.Get(1, 1), 0);
  EXPECT_EQ(f.run.pherGrid.Get(2, 2), 4);
  EXPECT_EQ(f.run.pherGrid.Get(700, 700), 1000);

  f.params.modelTimeStep = 1;  // one pass every 71 s
  EXPECT_TRUE(removes(71.0f));
  EXPECT_FALSE(removes(70.0f));
  f.params.modelTimeStep = 200;  // a step longer than the period: every iteration
  EXPECT_TRUE(removes(1.0f));
  EXPECT_TRUE(removes(201.0f));
}

TEST_F(ModelStep, AntsLeaveAfterTheirLeaveTimeAndBringTheirFoodInThen) {
  const int16_t k = t.AddAnt(340, 695, AntState::kAtHome);
  AntRecord& a = t.Ant(k);
  a.leaveTime = 2;
  a.hasFood = true;
  a.movesThisStep = true;
  f.run.modelTime = 1.0f;

  for (int step = 0; step < 2; ++step) {
    f.RunAnts();  // clock 1.5, then 2.0 equal to the leave time: still at home
    EXPECT_EQ(a.state, AntState::kAtHome) << f.run.modelTime;
  }
  EXPECT_EQ(f.readouts.colonyFood, 0);
  EXPECT_EQ(t.PixelAt(340, 695), RGB(200, 0, 0));

  f.RunAnts();  // clock 2.5: released, food counted, no move yet
  EXPECT_EQ(a.state, AntState::kOutbound);
  EXPECT_TRUE(a.justLeft);
  EXPECT_FALSE(a.hasFood);
  EXPECT_EQ(f.readouts.colonyFood, 1);
  EXPECT_EQ(f.panel.txtlColonyFoodAmt.text(), "1");
  EXPECT_EQ(a.yPos, 695);
  EXPECT_EQ(t.PixelAt(340, 695), RGB(200, 0, 0));
  EXPECT_EQ(f.readouts.antsOut, 0);

  f.RunAnts();  // its first outbound move
  EXPECT_LT(a.yPos, 695);
  EXPECT_EQ(f.readouts.antsOut, 1);
  EXPECT_EQ(t.PixelAt(a.xPos, a.yPos), RGB(200, 0, 0));
  EXPECT_EQ(f.readouts.colonyFood, 1);

  // A stopped ant is not drawn, but tracking marks it and shows its position.
  a.state = AntState::kStopped;
  f.RunAnts();
  EXPECT_EQ(t.NonBackgroundPixels(), 0);
  f.params.trackAnt = true;
  f.params.antNumber = k;
  f.RunAnts();
  EXPECT_EQ(t.LastMessage(), FormatSingle(a.xPos) + "  " + FormatSingle(a.yPos));
  EXPECT_GT(t.NonBackgroundPixels(), 0);
}

// The width is that of the outbound ants' extremes, each compared strictly
// with extremes that start at the nest (x = 350), on every second step.
TEST_F(ModelStep, SwarmWidthSpansTheOutboundExtremesOnEverySecondStep) {
  struct Case {
    std::vector<std::pair<float, AntState>> ants;
    std::vector<std::string> shown;  // the texts txtSwarmWidth takes
  };
  const AntState out = AntState::kOutbound;
  const Case kCases[] = {
      {{{340, out}, {355, out}, {345, out}}, {"10 cm", "15 cm"}},
      {{{355, out}, {340, out}}, {"5 cm", "15 cm"}},
      {{{340, out}, {345, out}}, {"10 cm"}},  // none right of the nest
      {{{360, out}}, {"10 cm"}},              // none left of it
      {{{350, out}, {337.5f, AntState::kReturning}, {362.5f, AntState::kStopped}}, {"0 cm"}},
      {{{337.5f, out}, {363.5f, out}}, {"12 cm", "26 cm"}},  // rounded half to even
  };
  for (const Case& c : kCases) {
    ModelForm t;
    MainForm& f = t.form;
    f.SetVariables();  // as a start does: the extremes start at the nest
    t.BuildWorld();
    f.params.antsPerPatch = 0;  // every patch is full: the ants stand still
    for (auto [x, state] : c.ants) t.AddAnt(x, 400, state);
    std::vector<std::string> shown;
    f.panel.txtSwarmWidth.onChange = [&] { shown.push_back(f.panel.txtSwarmWidth.text()); };
    f.panel.txtSwarmWidth.SetText("-");
    f.RunAnts();  // the first step after the window opened does not measure
    EXPECT_EQ(f.panel.txtSwarmWidth.text(), "-");
    shown.clear();
    f.RunAnts();
    EXPECT_EQ(shown, c.shown) << c.ants.size() << " ants, the first at " << c.ants[0].first;
    EXPECT_EQ(f.readouts.swarmWidth, 0);  // the next measurement starts afresh
    EXPECT_EQ(f.readouts.swarmMinX, 350);
    EXPECT_EQ(f.readouts.swarmMaxX, 350);
  }
}

// A frame saved on a step between two measurements shows the last width.
// Should a period that rounds to no step get through (the panel refuses it:
// see the parameter load tests), no frame is saved and nothing divides by
// it. Which steps save frames: tests/scenarios/frames.script and
// tests/sim/image_series_test.cpp.
TEST_F(ModelStep, ASavedFrameShowsTheLastWidthAndAPeriodOfNoStepSavesNone) {
  const testing::TempFolder dir;
  f.SetVariables();  // as a start does: the extremes start at the nest
  t.BuildWorld();
  f.params.antsPerPatch = 0;
  t.AddAnt(340, 400);
  f.RunAnts();
  f.RunAnts();
  f.panel.txtSwarmWidth.SetText("-");
  f.params.saveFilePath = dir.str() + "/";
  f.params.saveImages = true;
  f.RunAnts();  // clock 2.5
  EXPECT_EQ(f.panel.txtSwarmWidth.text(), "10 cm");
  EXPECT_TRUE(fs::exists(dir.path() / "TrackAnts0.bmp"));
  f.params.saveInterval = 0.4;
  for (int i = 0; i < 4; ++i) f.RunAnts();
  EXPECT_EQ(f.run.frameNumber, 1);
}

// Besides the invariants of every state (ant counts, ants out, no negative
// food), a run keeps its food books: every unit taken is carried or
// delivered, and items leave the count only with their last unit.
TEST(ModelRun, AWholeRunBringsFoodHomeAndKeepsItsBooksStraight) {
  ModelForm t(11);
  MainForm& f = t.form;
  int checks = 0, itemsLessPatches = -1;
  std::set<AntState> statesSeen;
  t.host.onDoEvents = [&] {
    if (t.host.passes == 3000) f.panel.cmdPause.Click();
    if (t.host.passes % 250 != 2) return;
    ++checks;
    EXPECT_EQ(CheckInvariants(f), "") << t.host.passes;
    int64_t food = 0, patches = 0;
    for (int16_t v : f.run.foodGrid.cells()) {
      food += v;
      patches += v > 0;
    }
    EXPECT_EQ(f.readouts.totalFood, food);
    if (itemsLessPatches < 0) itemsLessPatches = static_cast<int>(f.readouts.numFoodItems - patches);
    EXPECT_EQ(f.readouts.numFoodItems - patches, itemsLessPatches);
    for (int32_t v : f.run.pherGrid.cells()) EXPECT_TRUE(v >= 0 && v <= 1000);
    int carried = 0;
    for (size_t k = 1; k < f.run.ants.size(); ++k) {
      carried += f.run.ants[k].hasFood;
      statesSeen.insert(f.run.ants[k].state);
    }
    EXPECT_EQ(f.readouts.colonyFood + carried, 4900 - f.readouts.totalFood);
  };
  f.panel.cmdStartProgram.Click();
  EXPECT_EQ(checks, 12);
  EXPECT_EQ(f.run.modelTime, 1.0f + 3001 * 0.5f);
  EXPECT_GT(f.readouts.colonyFood, 0);
  EXPECT_GT(f.readouts.maxDistTraveled, 300.0f);
  EXPECT_EQ(f.panel.txtlColonyFoodAmt.text(), FormatInt(f.readouts.colonyFood));
  EXPECT_EQ(f.panel.lblTotalFood.caption(), "TotalFood: " + FormatInt(f.readouts.totalFood));
  EXPECT_EQ(statesSeen,
            (std::set<AntState>{AntState::kAtHome, AntState::kOutbound, AntState::kReturning, AntState::kStopped}));
}

}  // namespace
}  // namespace antraid::modeltest
