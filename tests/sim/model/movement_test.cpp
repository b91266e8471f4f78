// The turns of single ants: the outbound choice and the border, the food
// pick-up, homing and the two pheromone deposits.
#include <array>
#include <tuple>

#include "sim/model/model_fixture.h"

namespace antraid::modeltest {
namespace {

using ModelFoodPickUp = BuiltWorld;
using ModelHoming = BuiltWorld;
using ModelOutbound = BuiltWorld;
using ModelPheromone = BuiltWorld;

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

TEST_F(ModelOutbound, CandidatesAreChosenInProportionToTheirOpenWeights) {
  constexpr int kTurns = 30000;
  auto share = [](const std::array<int, 4>& n, int c) { return static_cast<double>(n[c]) / kTurns; };
  auto n = OutboundTurns(t, kTurns);  // no pheromone ahead: a third each
  for (int c : {kLeft, kStraight, kRight}) EXPECT_NEAR(share(n, c), 1 / 3.0, 0.012);
  // Pheromone 0, 5, 15 with k = 5: weights 25, 100, 400.
  f.run.pherGrid.Set(351, 399, 15);
  f.run.pherGrid.Set(350, 399, 5);
  n = OutboundTurns(t, kTurns);
  EXPECT_NEAR(share(n, kLeft), 25 / 525.0, 0.006);
  EXPECT_NEAR(share(n, kStraight), 100 / 525.0, 0.01);
  EXPECT_NEAR(share(n, kRight), 400 / 525.0, 0.01);

  // Four ants straight ahead leave that patch open; the fifth closes it and
  // the other two share in 25 : 400.
  f.run.antCountGrid.Add(350, 399, 4);
  EXPECT_GT(OutboundTurns(t, 300)[kStraight], 0);
  f.run.antCountGrid.Add(350, 399, 1);
  n = OutboundTurns(t, kTurns);
  EXPECT_EQ(n[kStraight], 0);
  EXPECT_NEAR(share(n, kLeft), 25 / 425.0, 0.006);

  // k = 0 and no pheromone ahead: the weights sum to 0, taken as equal.
  f.run.pherGrid.Set(351, 399, 0);
  f.run.pherGrid.Set(350, 399, 0);
  f.run.antCountGrid.Set(350, 399, 0);
  f.params.emptyNodeWeightOut = 0;
  n = OutboundTurns(t, 6000);
  for (int c : {kLeft, kStraight, kRight}) EXPECT_NEAR(n[c] / 6000.0, 1 / 3.0, 0.03);
}

TEST_F(ModelOutbound, CandidatePatchesRoundHalvesToEven) {
  // From x = 10.5 the left and straight candidates are both patch 10.
  t.form.run.antCountGrid.Add(10, 399, 5);
  EXPECT_EQ(OutboundTurns(t, 300, 10.5f)[kRight], 300);
  // From x = 11.5 the straight and right candidates are both patch 12.
  t.form.run.antCountGrid.Add(12, 299, 5);
  EXPECT_EQ(OutboundTurns(t, 300, 11.5f, 300)[kLeft], 300);
  // All three closed: the ant stays, lays nothing and still looks for food.
  t.form.run.antCountGrid.Add(11, 399, 5);
  t.form.run.antCountGrid.Add(12, 399, 5);
  const int16_t k = t.AddAnt(11, kY);
  t.form.run.foodGrid.Allocate(700, 700);
  t.form.run.foodGrid.Set(11, 400, 1);
  t.form.readouts.totalFood = 1;
  t.form.DeneubourghMove(k);
  EXPECT_EQ(t.Ant(k).yPos, kY);
  EXPECT_EQ(t.form.run.pherGrid.Get(11, 400), 0);
  EXPECT_EQ(t.Ant(k).state, AntState::kReturning);

  // An ant whose open candidates carry no more than 0.00001 of the weight of
  // all three stays: with the side patches closed at 1113 units the empty
  // patch ahead carries 1.00005e-5 of it, at 1114 units 0.99826e-5.
  for (auto [sides, moves] : {std::pair{1113, true}, {1114, false}}) {
    t.form.run.pherGrid.Set(99, 99, sides);
    t.form.run.pherGrid.Set(101, 99, sides);
    t.form.run.antCountGrid.Set(99, 99, 5);
    t.form.run.antCountGrid.Set(101, 99, 5);
    EXPECT_EQ(OutboundTurns(t, 20, 100, 100)[kStraight], moves ? 20 : 0) << sides;
  }
}

// The move leaves the trail and the ant count on the patch the ant leaves;
// the food search looks where the ant stood when its turn began.
TEST_F(ModelOutbound, AMoveLaysTheTrailWhereTheAntWasAndLooksForFoodThere) {
  f.params.pherToDropOut = 5;
  f.params.useVel = false;  // steps of 1 cm
  f.run.foodGrid.Allocate(700, 700);
  for (int x = 349; x <= 351; ++x) f.run.foodGrid.Set(x, 399, 1);  // food on every patch ahead
  f.readouts.totalFood = f.readouts.numFoodItems = 3;
  const int16_t k = t.AddAnt(kX, kY);
  f.DeneubourghMove(k);
  const int64_t x = MainForm::PatchOf(t.Ant(k).xPos);
  EXPECT_EQ(t.Ant(k).yPos, kY - 1);
  EXPECT_EQ(f.run.pherGrid.Get(350, 400), 5);
  EXPECT_EQ(f.run.pherGrid.Get(x, 399), 0);
  EXPECT_EQ(f.run.antCountGrid.Get(350, 400), 0);
  EXPECT_EQ(f.run.antCountGrid.Get(x, 399), 1);
  EXPECT_EQ(t.Ant(k).state, AntState::kOutbound);
  f.DeneubourghMove(k);
  EXPECT_EQ(t.Ant(k).state, AntState::kReturning);
  EXPECT_EQ(f.run.foodGrid.Get(x, 399), 0);
  EXPECT_EQ(f.run.pherGrid.Get(x, 399), 5);
}

TEST_F(ModelOutbound, MoveGateLetsTheFirstTurnMoveAndThenAboutOneTurnInEight) {
  f.params.usePm = true;
  const int16_t k = t.AddAnt(kX, kY);
  t.Ant(k).movesThisStep = true;  // as CreateAnts leaves it
  f.DeneubourghMove(k);
  EXPECT_LT(t.Ant(k).yPos, kY);
  EXPECT_FALSE(t.Ant(k).movesThisStep);
  t.MoveBack(k, kX, kY, AntState::kOutbound);

  const double pm = (1 + std::tanh(-1.0)) / 2;  // no pheromone level enters the gate
  for (int16_t scale : {100, 0}) {              // a scale of 0 gives the same gate, without dividing by it
    f.params.fiftyPercProb = scale;
    auto n = Turns(t, k, kX, kY, AntState::kOutbound, 20000, [&] { f.DeneubourghMove(k); });
    EXPECT_NEAR(1 - n[kStill] / 20000.0, pm, 0.008) << scale;
  }
}

TEST_F(ModelOutbound, StepLengthFollowsThePheromoneOfTheChosenPatch) {
  f.params.velSlope = 0.01f;
  const int16_t k = t.AddAnt(kX, kY);
  auto turnOn = [&](int32_t pheromone) {
    for (int x = 349; x <= 351; ++x) f.run.pherGrid.Set(x, 399, pheromone);
    t.MoveBack(k, kX, kY, AntState::kOutbound);
    f.DeneubourghMove(k);
    return t.Ant(k).yPos;
  };
  EXPECT_FLOAT_EQ(turnOn(100), kY - 1.6f);
  EXPECT_FLOAT_EQ(f.run.curVel, 1.6f);
  EXPECT_EQ(turnOn(1000), kY - 3.5f);  // capped at Max. Vel.
  f.params.useVel = false;             // without the velocity rule the last length stays in force
  EXPECT_EQ(turnOn(0), kY - 3.5f);
}

// An ant within 5 cm of the border is stopped after this turn. The distance to
// the bottom edge is rounded half to even first (4.5 rounds to 4), the others
// are not rounded.
TEST_F(ModelOutbound, TheBorderStopsAntsAfterTheirLastTurnOnEachSide) {
  const std::tuple<float, float, bool> kCases[] = {
      {4.5f, kY, true},    {5, kY, false},      {5.5f, kY, false},   // left
      {694.5f, kY, false}, {695, kY, false},    {695.4f, kY, true},  // right
      {kX, 4.5f, true},    {kX, 5, false},      {kX, 5.5f, false},   // top
      {kX, 695.0f, false}, {kX, 695.4f, false}, {kX, 695.5f, true},  // bottom
  };
  for (auto [x, y, stops] : kCases) {
    const int16_t k = t.AddAnt(x, y);
    f.DeneubourghMove(k);
    EXPECT_EQ(t.Ant(k).state, stops ? AntState::kStopped : AntState::kOutbound) << x << ", " << y;
    EXPECT_LT(t.Ant(k).yPos, y) << "the last turn still moves";
  }

  // The last turn may still pick up the food where the ant stood.
  f.run.foodGrid.Allocate(700, 700);
  f.run.foodGrid.Set(350, 5, 1);
  f.readouts.totalFood = f.readouts.numFoodItems = 1;
  const int16_t fed = t.AddAnt(350, 4.9f);
  f.DeneubourghMove(fed);
  EXPECT_EQ(t.Ant(fed).state, AntState::kReturning);
  EXPECT_TRUE(t.Ant(fed).hasFood);

  // A step long enough to leave the lattice stops the ant where it stands.
  f.params.minVel = 3.0;
  f.params.velSlope = 0;
  const int16_t fast = t.AddAnt(100, 3.0f);
  f.DeneubourghMove(fast);
  EXPECT_EQ(t.Ant(fast).yPos, 3.0f);
  EXPECT_EQ(t.Ant(fast).state, AntState::kStopped);
  EXPECT_EQ(f.run.antCountGrid.Get(100, 3), 1);
  EXPECT_NE(t.LastMessage().find("stopped"), std::string::npos);
  // A nest row moved to the top edge: no patch ahead exists, the ant stays.
  const int16_t edge = t.AddAnt(300, 1);
  f.DeneubourghMove(edge);
  EXPECT_EQ(t.Ant(edge).yPos, 1.0f);
}

TEST_F(ModelOutbound, FirstTurnCountsTheAntAndTheRaidFrontIsShown) {
  const int16_t k = t.AddAnt(kX, 680);
  t.Ant(k).justLeft = true;
  f.run.modelTime = 10;
  f.DeneubourghMove(k);
  f.DeneubourghMove(k);
  EXPECT_EQ(f.readouts.antsOut, 1);
  EXPECT_FALSE(t.Ant(k).justLeft);
  EXPECT_NEAR(f.readouts.maxDistTraveled, 15.6, 1e-4);  // measured where each turn began
  t.MoveBack(k, kX, 680, AntState::kOutbound);
  f.readouts.maxDistTraveled = 0;
  f.DeneubourghMove(k);
  EXPECT_EQ(f.panel.lblTravelVel.caption(), "Travel Vel.: 1.5cm/sec");
  EXPECT_EQ(f.panel.lblDistTraveled.caption(), "Dist. Traveled: 15cm");
  t.MoveBack(k, kX, 690, AntState::kOutbound);  // the farthest distance only grows
  f.DeneubourghMove(k);
  EXPECT_EQ(f.readouts.maxDistTraveled, 15.0f);
}

// Each deposit is tested against its threshold before it is made; none is
// laid by an ant whose y is exactly the nest row's (695), though one just
// off it stands on the same patch.
TEST_F(ModelPheromone, DepositsStopAtTheirThresholdsAndOnTheNestRowOnly) {
  f.params.pherToDropOut = 5;
  // Outbound or inbound, where the ant is, the patch's amount before and after.
  const std::tuple<bool, float, int32_t, int32_t> kCases[] = {
      {true, 400, 999, 1004}, {true, 400, 1000, 1000}, {true, 400, 1001, 1001}, {false, 400, 299, 309},
      {false, 400, 300, 300}, {false, 400, 301, 301},  {true, 694.9f, 0, 5},    {true, 695, 0, 0},
      {true, 695.1f, 0, 5},   {false, 694.9f, 0, 10},  {false, 695, 0, 0},      {false, 695.1f, 0, 10},
  };
  const int16_t k = t.AddAnt(100, 400);
  for (auto [out, at, before, after] : kCases) {
    t.Ant(k).yPos = at;
    const int64_t y = MainForm::PatchOf(at);
    f.run.pherGrid.Set(100, y, before);
    out ? f.DropPherOut(k) : f.DropPherIn(k);
    EXPECT_EQ(f.run.pherGrid.Get(100, y), after) << (out ? "out at " : "in at ") << at << " on " << before;
  }
  // The inbound amount is the box's text; the sum is rounded half to even.
  t.Ant(k).yPos = 400;
  auto in = [&](int32_t before) {
    f.run.pherGrid.Set(100, 400, before);
    f.DropPherIn(k);
    return f.run.pherGrid.Get(100, 400);
  };
  f.panel.txtPherToDropIn.SetText("2.5");
  EXPECT_EQ(in(4), 6);
  EXPECT_EQ(in(5), 8);
  // An amount that is not a number is never laid: at most the last number is.
  f.panel.txtPherToDropIn.SetText("lots");
  f.SetVariables();
  const int32_t after = in(4);
  EXPECT_TRUE(after == 4 || after == 6) << after;
  EXPECT_TRUE(t.Said("not a number"));
}

TEST_F(ModelFoodPickUp, OneUnitIsTakenFromThePatchUnderTheAnt) {
  f.run.foodGrid.Allocate(700, 700);
  f.run.foodGrid.Set(10, 20, 1);
  f.run.foodGrid.Set(12, 20, 50);
  f.readouts.totalFood = 51;
  f.readouts.numFoodItems = 2;
  const int16_t a = t.AddAnt(10.5f, 20.5f);
  const int16_t b = t.AddAnt(11.5f, 20.5f);

  f.LookForFood(a, 10.5f, 20.5f);  // patch (10, 20): emptied
  EXPECT_EQ(f.run.foodGrid.Get(10, 20), 0);
  EXPECT_EQ(f.panel.lblTotalFood.caption(), "TotalFood: 50");
  EXPECT_EQ(f.panel.lblTotalFoodItems.caption(), "Food Items: 1");
  EXPECT_TRUE(t.Ant(a).hasFood);
  EXPECT_EQ(t.Ant(a).state, AntState::kReturning);
  EXPECT_EQ(f.pctWorld.Pixel(0, 0), kSand);  // no pick-up marker

  f.panel.lblTotalFoodItems.SetCaption("-");
  f.LookForFood(b, 11.5f, 20.5f);  // patch (12, 20): one of 50
  EXPECT_EQ(f.run.foodGrid.Get(12, 20), 49);
  EXPECT_EQ(f.readouts.totalFood, 49);
  EXPECT_EQ(f.readouts.numFoodItems, 1);
  EXPECT_EQ(f.panel.lblTotalFoodItems.caption(), "-");

  // The last unit of the totals is found; with none left nothing is, nor off
  // the food layer.
  const int16_t c = t.AddAnt(12, 20);
  f.readouts.totalFood = 1;
  f.LookForFood(c, 12, 20);
  EXPECT_EQ(t.Ant(c).state, AntState::kReturning);
  t.Ant(c).state = AntState::kOutbound;
  f.LookForFood(c, 12, 20);
  EXPECT_EQ(f.run.foodGrid.Get(12, 20), 48);
  EXPECT_EQ(t.Ant(c).state, AntState::kOutbound);
  f.readouts.totalFood = 10;
  f.run.foodGrid.Allocate(100, 100);
  f.LookForFood(c, 500, 500);
  EXPECT_EQ(t.Ant(c).state, AntState::kOutbound);
}

// Home is closer than the colony width (15) to the nest's x and closer than
// 2 to its row, both strictly; the nest lies at (350, 695). A homing ant in
// the band 2 cm wide along the border (its inner edge included) stays where
// it is, in its state, turn after turn.
TEST_F(ModelHoming, ArrivalAndTheBorderBandNeedTheirStrictLimitsOnEverySide) {
  enum Outcome { kWalks, kHome, kHeld };
  const std::tuple<float, float, Outcome> kCases[] = {
      {334, 694, kWalks}, {335, 694, kWalks}, {336, 694, kHome},   // left of the nest
      {364, 694, kHome},  {365, 694, kWalks}, {366, 694, kWalks},  // right of it
      {350, 692, kWalks}, {350, 693, kWalks}, {350, 694, kHome},   // above its row
      {350, 696, kHome},  {350, 697, kWalks}, {350, 698, kHeld},   // below it (698: in the border band)
      {1, kY, kHeld},     {2, kY, kHeld},     {3, kY, kWalks},     // left border
      {697, kY, kWalks},  {698, kY, kHeld},   {699, kY, kHeld},    // right
      {kX, 1, kHeld},     {kX, 2, kHeld},     {kX, 3, kWalks},     // top
      {100, 697, kWalks}, {100, 698, kHeld},  {100, 699, kHeld},   // bottom
  };
  for (auto [x, y, outcome] : kCases) {
    const int16_t k = t.AddAnt(x, y, AntState::kReturning);
    f.ReturningAnt(k);
    EXPECT_EQ(t.Ant(k).state, outcome == kHome ? AntState::kAtHome : AntState::kReturning) << x << ", " << y;
    EXPECT_EQ(t.Ant(k).yPos != y, outcome == kWalks) << x << ", " << y;
  }

  f.readouts.antsOut = 3;
  f.run.modelTime = 10.5f;
  const int16_t home = t.AddAnt(340, 694, AntState::kReturning);
  t.Ant(home).hasFood = true;
  f.ReturningAnt(home);
  EXPECT_EQ(t.Ant(home).leaveTime, 10);  // 10.5 rounds to even
  EXPECT_TRUE(t.Ant(home).hasFood);      // counted when it leaves again
  EXPECT_EQ(f.readouts.colonyFood, 0);
  EXPECT_EQ(f.panel.txtAntsOut.text(), "Ants out: 2");
  EXPECT_EQ(t.Ant(home).yPos, 694);
  f.run.modelTime = 11.5f;
  t.MoveBack(home, 340, 695, AntState::kReturning);
  f.ReturningAnt(home);
  EXPECT_EQ(t.Ant(home).leaveTime, 12);
}

TEST_F(ModelHoming, AntsWalkDownTowardsTheStrongestTrail) {
  const int16_t k = t.AddAnt(kX, kY, AntState::kReturning);
  auto walk = [&](int a, int b, int c, int turns) {
    f.run.pherGrid.Set(349, 401, a);
    f.run.pherGrid.Set(350, 401, b);
    f.run.pherGrid.Set(351, 401, c);
    return Turns(t, k, kX, kY, AntState::kReturning, turns, [&] { f.ReturningAnt(k); });
  };
  auto n = walk(0, 0, 0, 30000);
  for (int c : {kLeft, kStraight, kRight}) EXPECT_NEAR(n[c] / 30000.0, 1 / 3.0, 0.012);
  n = walk(4, 7, 7, 4000);
  EXPECT_EQ(n[kLeft], 0);
  EXPECT_NEAR(n[kRight] / 4000.0, 0.5, 0.04);
  EXPECT_EQ(walk(9, 7, 7, 100)[kLeft], 100);
  n = walk(7, 3, 7, 4000);
  EXPECT_EQ(n[kStraight], 0);
  EXPECT_NEAR(n[kRight] / 4000.0, 0.5, 0.04);

  // Each step lays the inbound trail on the patch left and moves the ant count.
  t.MoveBack(k, 200, 300, AntState::kReturning);
  f.ReturningAnt(k);
  EXPECT_EQ(f.run.pherGrid.Get(200, 300), 10);
  EXPECT_EQ(f.run.antCountGrid.Get(200, 300), 0);
  EXPECT_EQ(f.run.antCountGrid.Get(MainForm::PatchOf(t.Ant(k).xPos), 301), 1);
}

}  // namespace
}  // namespace antraid::modeltest
