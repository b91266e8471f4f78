// The turns of single ants: the outbound choice, the food pick-up, homing and
// the two pheromone deposits.
#include <array>

#include "model/model_fixture.h"

namespace antraid::modeltest {
namespace {

constexpr float kX = 350, kY = 400;  // a place far from every border and the nest
enum { kLeft, kStraight, kRight, kStill };

// Lets ant k take `turns` turns from (x, y), putting it back after each, and
// tells how often it went ahead-left, straight, ahead-right or stayed.
template <typename Turn>
std::array<int, 4> Turns(ModelForm& t, int16_t k, float x, float y, AntState state, int turns, Turn turn) {
  std::array<int, 4> n{};
  for (int i = 0; i < turns; ++i) {
    turn();
    const AntRecord& a = t.Ant(k);
    ++n[a.yPos == y ? kStill : a.xPos < x ? kLeft : a.xPos == x ? kStraight : kRight];
    t.MoveBack(k, x, y, state);
  }
  return n;
}

std::array<int, 4> OutboundTurns(ModelForm& t, int turns, float x = kX, float y = kY) {
  const int16_t k = t.AddAnt(x, y);
  return Turns(t, k, x, y, AntState::kOutbound, turns, [&] { t.form.DeneubourghMove(k); });
}

TEST(ModelOutbound, CandidatesAreChosenInProportionToTheirOpenWeights) {
  constexpr int kTurns = 30000;
  auto share = [](const std::array<int, 4>& n, int c) { return static_cast<double>(n[c]) / kTurns; };
  {
    ModelForm t;  // no pheromone ahead: a third each
    t.BuildWorld();
    auto n = OutboundTurns(t, kTurns);
    EXPECT_NEAR(share(n, kLeft), 1 / 3.0, 0.012);
    EXPECT_NEAR(share(n, kStraight), 1 / 3.0, 0.012);
    EXPECT_NEAR(share(n, kRight), 1 / 3.0, 0.012);
  }
  {
    ModelForm t;  // pheromone 0, 5, 15 with k = 5: weights 25, 100, 400
    t.BuildWorld();
    t.form.pherGrid.Set(351, 399, 15);
    t.form.pherGrid.Set(350, 399, 5);
    auto n = OutboundTurns(t, kTurns);
    EXPECT_NEAR(share(n, kLeft), 25 / 525.0, 0.006);
    EXPECT_NEAR(share(n, kStraight), 100 / 525.0, 0.01);
    EXPECT_NEAR(share(n, kRight), 400 / 525.0, 0.01);

    // Five ants straight ahead close that patch: the other two share in 25 : 400.
    t.form.antCountGrid.Add(350, 399, 5);
    n = OutboundTurns(t, kTurns);
    EXPECT_EQ(n[kStraight], 0);
    EXPECT_NEAR(share(n, kLeft), 25 / 425.0, 0.006);
  }
  {
    ModelForm t;  // k = 0 and no pheromone ahead: the weights sum to 0, taken as equal
    t.BuildWorld();
    t.form.emptyNodeWeightOut = 0;
    auto n = OutboundTurns(t, 6000);
    for (int c : {kLeft, kStraight, kRight}) EXPECT_NEAR(n[c] / 6000.0, 1 / 3.0, 0.03);
  }
}

TEST(ModelOutbound, CandidatePatchesRoundHalvesToEven) {
  ModelForm t;
  t.BuildWorld();
  // From x = 10.5 the left and straight candidates are both patch 10.
  t.form.antCountGrid.Add(10, 399, 5);
  auto n = OutboundTurns(t, 300, 10.5f);
  EXPECT_EQ(n[kRight], 300);
  // From x = 11.5 the straight and right candidates are both patch 12.
  t.form.antCountGrid.Add(12, 299, 5);
  n = OutboundTurns(t, 300, 11.5f, 300);
  EXPECT_EQ(n[kLeft], 300);
  // All three closed: the ant stays, lays nothing and still looks for food.
  t.form.antCountGrid.Add(11, 399, 5);
  t.form.antCountGrid.Add(12, 399, 5);
  const int16_t k = t.AddAnt(11, kY);
  t.form.foodGrid.Allocate(700, 700);
  t.form.foodGrid.Set(11, 400, 1);
  t.form.totalFood = 1;
  t.form.DeneubourghMove(k);
  EXPECT_EQ(t.Ant(k).yPos, kY);
  EXPECT_EQ(t.form.pherGrid.Get(11, 400), 0);
  EXPECT_EQ(t.Ant(k).state, AntState::kReturning);
}

TEST(ModelOutbound, MoveGateLetsTheFirstTurnMoveAndThenAboutOneTurnInEight) {
  ModelForm t;
  MainForm& f = t.form;
  t.BuildWorld();
  f.usePm = true;
  const int16_t k = t.AddAnt(kX, kY);
  t.Ant(k).movesThisStep = true;  // as CreateAnts leaves it
  f.DeneubourghMove(k);
  EXPECT_LT(t.Ant(k).yPos, kY);
  EXPECT_FALSE(t.Ant(k).movesThisStep);
  t.MoveBack(k, kX, kY, AntState::kOutbound);

  const double pm = (1 + std::tanh(-1.0)) / 2;  // no pheromone level enters the gate
  auto n = Turns(t, k, kX, kY, AntState::kOutbound, 20000, [&] { f.DeneubourghMove(k); });
  EXPECT_NEAR(1 - n[kStill] / 20000.0, pm, 0.008);
  // A scale of 0 gives the same gate, without dividing by it.
  f.fiftyPercProb = 0;
  n = Turns(t, k, kX, kY, AntState::kOutbound, 20000, [&] { f.DeneubourghMove(k); });
  EXPECT_NEAR(1 - n[kStill] / 20000.0, pm, 0.008);
}

TEST(ModelOutbound, StepLengthFollowsThePheromoneOfTheChosenPatch) {
  ModelForm t;
  MainForm& f = t.form;
  t.BuildWorld();
  f.velSlope = 0.01f;
  for (int x = 349; x <= 351; ++x) f.pherGrid.Set(x, 399, 100);
  const int16_t k = t.AddAnt(kX, kY);
  f.DeneubourghMove(k);
  EXPECT_FLOAT_EQ(f.curVel, 1.6f);
  EXPECT_FLOAT_EQ(t.Ant(k).yPos, kY - 1.6f);

  for (int x = 349; x <= 351; ++x) f.pherGrid.Set(x, 399, 1000);
  t.MoveBack(k, kX, kY, AntState::kOutbound);
  f.DeneubourghMove(k);
  EXPECT_EQ(f.curVel, 3.5f);

  // Without the velocity rule the last length stays in force.
  f.useVel = false;
  for (int x = 349; x <= 351; ++x) f.pherGrid.Set(x, 399, 0);
  t.MoveBack(k, kX, kY, AntState::kOutbound);
  f.DeneubourghMove(k);
  EXPECT_EQ(t.Ant(k).yPos, kY - 3.5f);
}

TEST(ModelOutbound, BorderStopsAntsAfterTheirLastTurn) {
  ModelForm t;
  MainForm& f = t.form;
  t.BuildWorld();
  f.foodGrid.Allocate(700, 700);
  f.foodGrid.Set(350, 5, 1);
  f.totalFood = 1;
  f.numFoodItems = 1;

  // Within 5 cm of the top: stopped, yet it moves and picks up the food where it stood.
  const int16_t fed = t.AddAnt(350, 4.9f);
  f.DeneubourghMove(fed);
  EXPECT_LT(t.Ant(fed).yPos, 4.9f);
  EXPECT_EQ(t.Ant(fed).state, AntState::kReturning);
  EXPECT_TRUE(t.Ant(fed).hasFood);
  EXPECT_EQ(f.totalFood, 0);

  const int16_t top = t.AddAnt(200, 4.9f);
  const int16_t right = t.AddAnt(696, 300);
  const int16_t clear = t.AddAnt(695, 300);
  for (int16_t k : {top, right, clear}) f.DeneubourghMove(k);
  EXPECT_EQ(t.Ant(top).state, AntState::kStopped);
  EXPECT_LT(t.Ant(top).yPos, 4.9f);
  EXPECT_EQ(t.Ant(right).state, AntState::kStopped);
  EXPECT_EQ(t.Ant(clear).state, AntState::kOutbound);

  // A stopped ant takes no further turn.
  const AntRecord before = t.Ant(top);
  f.RunAnts();
  EXPECT_EQ(t.Ant(top).yPos, before.yPos);
  EXPECT_EQ(t.Ant(top).xPos, before.xPos);

  // A step long enough to leave the lattice stops the ant where it stands.
  f.minVel = 3.0;
  f.velSlope = 0;
  const int16_t fast = t.AddAnt(100, 3.0f);
  f.DeneubourghMove(fast);
  EXPECT_EQ(t.Ant(fast).yPos, 3.0f);
  EXPECT_EQ(t.Ant(fast).state, AntState::kStopped);
  EXPECT_EQ(f.antCountGrid.Get(100, 3), 1);
  EXPECT_NE(t.LastMessage().find("stopped"), std::string::npos);

  // A nest row moved to the top edge: no patch ahead exists, the ant stays.
  const int16_t edge = t.AddAnt(300, 1);
  f.DeneubourghMove(edge);
  EXPECT_EQ(t.Ant(edge).yPos, 1.0f);
}

TEST(ModelOutbound, FirstTurnCountsTheAntAndTheRaidFrontIsShown) {
  ModelForm t;
  MainForm& f = t.form;
  t.BuildWorld();
  const int16_t k = t.AddAnt(kX, 680);
  t.Ant(k).justLeft = true;
  f.modelTime = 10;
  f.DeneubourghMove(k);
  f.DeneubourghMove(k);
  EXPECT_EQ(f.antsOut, 1);
  EXPECT_FALSE(t.Ant(k).justLeft);
  EXPECT_NEAR(f.maxDistTraveled, 15.6, 1e-4);
  t.MoveBack(k, kX, 680, AntState::kOutbound);
  f.maxDistTraveled = 0;
  f.DeneubourghMove(k);
  EXPECT_EQ(f.panel.lblTravelVel.caption(), "Travel Vel.: 1.5cm/sec");
  EXPECT_EQ(f.panel.lblDistTraveled.caption(), "Dist. Traveled: 15cm");
  // The farthest distance only grows.
  t.MoveBack(k, kX, 690, AntState::kOutbound);
  f.DeneubourghMove(k);
  EXPECT_EQ(f.maxDistTraveled, 15.0f);
}

TEST(ModelPheromone, DepositsStopAtTheirThresholdsAndNotOnTheNestRow) {
  ModelForm t;
  MainForm& f = t.form;
  t.BuildWorld();
  const int16_t k = t.AddAnt(100, 400);
  auto out = [&](int32_t before) {
    f.pherGrid.Set(100, 400, before);
    f.DropPherOut(k);
    return f.pherGrid.Get(100, 400);
  };
  f.pherToDropOut = 5;
  EXPECT_EQ(out(999), 1004);
  EXPECT_EQ(out(1000), 1000);
  auto in = [&](int32_t before) {
    f.pherGrid.Set(100, 400, before);
    f.DropPherIn(k);
    return f.pherGrid.Get(100, 400);
  };
  EXPECT_EQ(in(299), 309);
  EXPECT_EQ(in(300), 300);
  f.panel.txtPherToDropIn.SetText("2.5");
  EXPECT_EQ(in(4), 6);
  EXPECT_EQ(in(5), 8);
  // An amount that is not a number is never laid: at most the last number is.
  f.panel.txtPherToDropIn.SetText("lots");
  f.SetVariables();
  const int32_t after = in(4);
  EXPECT_TRUE(after == 4 || after == 6) << after;
  EXPECT_TRUE(t.Said("not a number"));

  // Ants leaving the nest row lay nothing on it, whichever way they go.
  const int16_t outbound = t.AddAnt(300, 695);
  const int16_t homing = t.AddAnt(200, 695, AntState::kReturning);
  f.DeneubourghMove(outbound);
  f.ReturningAnt(homing);
  EXPECT_LT(t.Ant(outbound).yPos, 695);
  EXPECT_EQ(t.Ant(homing).yPos, 696);
  EXPECT_EQ(f.pherGrid.Get(300, 695) + f.pherGrid.Get(200, 695), 0);
}

TEST(ModelFoodPickUp, OneUnitIsTakenFromThePatchUnderTheAnt) {
  ModelForm t;
  MainForm& f = t.form;
  t.BuildWorld();
  f.foodGrid.Allocate(700, 700);
  f.foodGrid.Set(10, 20, 1);
  f.foodGrid.Set(12, 20, 50);
  f.totalFood = 51;
  f.numFoodItems = 2;
  const int16_t a = t.AddAnt(10.5f, 20.5f);
  const int16_t b = t.AddAnt(11.5f, 20.5f);

  f.LookForFood(a, 10.5f, 20.5f);
  EXPECT_EQ(f.foodGrid.Get(10, 20), 0);
  EXPECT_EQ(f.totalFood, 50);
  EXPECT_EQ(f.numFoodItems, 1);
  EXPECT_EQ(f.panel.lblTotalFood.caption(), "TotalFood: 50");
  EXPECT_EQ(f.panel.lblTotalFoodItems.caption(), "Food Items: 1");
  EXPECT_TRUE(t.Ant(a).hasFood);
  EXPECT_EQ(t.Ant(a).state, AntState::kReturning);
  EXPECT_EQ(f.pctWorld.Pixel(0, 0), kSand);  // no pick-up marker

  f.LookForFood(b, 11.5f, 20.5f);
  EXPECT_EQ(f.foodGrid.Get(12, 20), 49);
  EXPECT_EQ(f.totalFood, 49);
  EXPECT_EQ(f.numFoodItems, 1);
  EXPECT_EQ(f.panel.lblTotalFoodItems.caption(), "Food Items: 1");

  // With no food left in the totals, nothing is found.
  const int16_t c = t.AddAnt(12, 20);
  f.totalFood = 0;
  f.LookForFood(c, 12, 20);
  EXPECT_EQ(f.foodGrid.Get(12, 20), 49);
  EXPECT_EQ(t.Ant(c).state, AntState::kOutbound);
  // Nor off the food layer.
  f.totalFood = 10;
  f.foodGrid.Allocate(100, 100);
  f.LookForFood(c, 500, 500);
  EXPECT_EQ(t.Ant(c).state, AntState::kOutbound);
}

TEST(ModelHoming, ArrivalNeedsBothStrictLimits) {
  ModelForm t;
  MainForm& f = t.form;
  t.BuildWorld();
  f.antsOut = 3;
  f.modelTime = 10.5f;
  const int16_t home = t.AddAnt(336, 694, AntState::kReturning);
  const int16_t wide = t.AddAnt(335, 694, AntState::kReturning);
  const int16_t low = t.AddAnt(350, 697, AntState::kReturning);
  t.Ant(home).hasFood = true;
  for (int16_t k : {home, wide, low}) f.ReturningAnt(k);
  EXPECT_EQ(t.Ant(home).state, AntState::kAtHome);
  EXPECT_EQ(t.Ant(home).leaveTime, 10);  // 10.5 rounds to even
  EXPECT_TRUE(t.Ant(home).hasFood);      // counted when it leaves again
  EXPECT_EQ(f.colonyFood, 0);
  EXPECT_EQ(f.antsOut, 2);
  EXPECT_EQ(f.panel.txtAntsOut.text(), "Ants out: 2");
  EXPECT_EQ(t.Ant(home).yPos, 694);
  EXPECT_EQ(t.Ant(wide).state, AntState::kReturning);
  EXPECT_EQ(t.Ant(wide).yPos, 695);
  EXPECT_EQ(t.Ant(low).yPos, 698);

  // Two rows above the bottom edge an ant never moves again.
  f.ReturningAnt(low);
  EXPECT_EQ(t.Ant(low).yPos, 698);
  EXPECT_EQ(t.Ant(low).state, AntState::kReturning);

  f.modelTime = 11.5f;
  t.MoveBack(home, 340, 695, AntState::kReturning);
  f.ReturningAnt(home);
  EXPECT_EQ(t.Ant(home).leaveTime, 12);
}

TEST(ModelHoming, AntsWalkDownTowardsTheStrongestTrail) {
  ModelForm t;
  MainForm& f = t.form;
  t.BuildWorld();
  const int16_t k = t.AddAnt(kX, kY, AntState::kReturning);
  auto walk = [&](int a, int b, int c, int turns) {
    f.pherGrid.Set(349, 401, a);
    f.pherGrid.Set(350, 401, b);
    f.pherGrid.Set(351, 401, c);
    return Turns(t, k, kX, kY, AntState::kReturning, turns, [&] { f.ReturningAnt(k); });
  };
  auto n = walk(0, 0, 0, 30000);
  for (int c : {kLeft, kStraight, kRight}) EXPECT_NEAR(n[c] / 30000.0, 1 / 3.0, 0.012);
  n = walk(4, 7, 7, 4000);
  EXPECT_EQ(n[kLeft], 0);
  EXPECT_NEAR(n[kRight] / 4000.0, 0.5, 0.04);
  n = walk(9, 7, 7, 100);
  EXPECT_EQ(n[kLeft], 100);
  n = walk(7, 3, 7, 4000);
  EXPECT_EQ(n[kStraight], 0);
  EXPECT_NEAR(n[kRight] / 4000.0, 0.5, 0.04);

  // Each step lays the inbound trail on the patch left and moves the ant count.
  t.MoveBack(k, 200, 300, AntState::kReturning);
  f.ReturningAnt(k);
  EXPECT_EQ(f.pherGrid.Get(200, 300), 10);
  EXPECT_EQ(f.antCountGrid.Get(200, 300), 0);
  EXPECT_EQ(f.antCountGrid.Get(MainForm::PatchOf(t.Ant(k).xPos), 301), 1);
}

}  // namespace
}  // namespace antraid::modeltest
