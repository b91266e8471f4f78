// The raid's end: every ant out of the nest once, then 20 model steps in
// which no ant changed its position or state; said once per run.
#include "app/raid_watch.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/model/model_fixture.h"

namespace antraid {
namespace {

using modeltest::BuiltWorld;

class RaidEnd : public BuiltWorld {
 protected:
  // Ants stopped at the border never move again: the raid's end is then a
  // matter of counting steps. The default time step is 0.5 s.
  void StoppedAnts(int n) {
    for (int k = 0; k < n; ++k) t.AddAnt(100.0f + static_cast<float>(10 * k), 5.0f, AntState::kStopped);
    f.run.antsCreated = true;
    f.run.modelTime = 0;
  }
  void Steps(int n) {
    for (int k = 0; k < n; ++k) f.RunAnts();
  }
  int heard = 0;
};

TEST_F(RaidEnd, IsOverAtTheEndOfTheTwentiethStepWithNoAntChanged) {
  StoppedAnts(3);
  RaidWatch watch(f, [&] { ++heard; });
  Steps(19);
  EXPECT_FALSE(watch.over());
  EXPECT_EQ(watch.stillSteps(), 19);
  EXPECT_EQ(watch.Message(), "");
  Steps(1);
  ASSERT_TRUE(watch.over());
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(watch.overAt(), 10.0f);  // 20 steps of 0.5 s
  EXPECT_EQ(watch.Message(), "Raid over at 10 s: no ant has moved for 10 s");
  Steps(30);
  EXPECT_EQ(heard, 1);  // said once
  EXPECT_EQ(watch.overAt(), 10.0f);
}

TEST_F(RaidEnd, AnAntThatMovesOrChangesStateStartsTheCountAgain) {
  const int16_t a = t.AddAnt(200, 5, AntState::kStopped);
  StoppedAnts(2);
  RaidWatch watch(f, [&] { ++heard; });
  Steps(19);
  t.MoveBack(a, 201, 5, AntState::kStopped);  // moved between two steps: seen at the end of the next
  Steps(1);
  EXPECT_EQ(watch.stillSteps(), 0);
  Steps(19);
  t.MoveBack(a, 201, 5, AntState::kReturning);  // same place, another state
  t.Ant(a).state = AntState::kStopped;          // and back before the step: no change seen
  Steps(1);
  ASSERT_TRUE(watch.over());
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(watch.overAt(), 20.0f);  // 40 steps
}

TEST_F(RaidEnd, WaitsForEveryAntToHaveLeftTheNestOnce) {
  StoppedAnts(2);
  const int16_t home =
      t.AddAnt(static_cast<float>(f.params.homeXPos), static_cast<float>(f.params.homeYPos), AntState::kAtHome);
  t.Ant(home).leaveTime = 1000000;
  RaidWatch watch(f, [&] { ++heard; });
  Steps(60);
  EXPECT_FALSE(watch.over());
  // Released at the next step (its clock passes the leave time), then put
  // out of play at the border: two steps with a change, then 20 still ones.
  t.Ant(home).leaveTime = 0;
  Steps(1);
  EXPECT_EQ(t.Ant(home).state, AntState::kOutbound);
  t.MoveBack(home, 300, 5, AntState::kStopped);
  Steps(20);
  EXPECT_FALSE(watch.over());
  Steps(1);
  ASSERT_TRUE(watch.over());
  EXPECT_EQ(watch.overAt(), 41.0f);  // 82 steps of 0.5 s
  EXPECT_EQ(watch.Message(), "Raid over at 41 s: no ant has moved for 10 s");
}

TEST_F(RaidEnd, ANewRunIsWatchedAfreshAndTheTimeStepSetsTheStillSpan) {
  StoppedAnts(1);
  RaidWatch watch(f, [&] { ++heard; });
  Steps(25);
  ASSERT_TRUE(watch.over());
  ASSERT_TRUE(f.BuildRun());  // the panel's ants, all at home until their leave time
  f.params.modelTimeStep = 6;
  EXPECT_FALSE(watch.over());
  EXPECT_EQ(watch.stillSteps(), 0);
  // The default colony: stop every ant where it stands once all are out.
  for (int k = 0; k < 2000 && f.readouts.antsOut < f.params.numAnts; ++k) f.RunAnts();
  ASSERT_EQ(f.readouts.antsOut, f.params.numAnts);
  f.RunAnts();  // the last ants released make their first move
  for (size_t k = 1; k < f.run.ants.size(); ++k) f.run.ants[k].state = AntState::kStopped;
  const float clock = f.run.modelTime;
  Steps(21);
  ASSERT_TRUE(watch.over());
  EXPECT_EQ(heard, 2);
  EXPECT_EQ(watch.overAt(), clock + 21 * 6.0f);
  EXPECT_NE(watch.Message().find(": no ant has moved for 2 min"), std::string::npos) << watch.Message();
}

TEST(ModelTimeText, SecondsThenWholeMinutesThenHours) {
  const std::pair<double, const char*> cases[] = {
      {0, "0 s"},          {10, "10 s"},         {2.5, "2.5 s"},        {59.5, "59.5 s"},
      {60, "1 min"},       {1708, "28 min"},     {1739.9, "28 min"},    {7199, "119 min"},
      {7200, "2 h 0 min"}, {11100, "3 h 5 min"}, {90000, "25 h 0 min"},
  };
  for (auto [s, text] : cases) EXPECT_EQ(ModelTimeText(s), text) << s;
}

}  // namespace
}  // namespace antraid
