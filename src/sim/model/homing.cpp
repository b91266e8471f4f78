// The homing step of an ant carrying food, and the inbound trail.
#include <cmath>

#include "sim/main_form.h"

namespace antraid {

namespace {
constexpr int kHomeRowReach = 2;     // cm; home when closer than this to the nest row
constexpr int kBorderBand = 2;       // cm; a returning ant this close to a border stays put
}  // namespace

void MainForm::ReturningAnt(int16_t num) {
  AntRecord& ant = run.ants[static_cast<size_t>(num)];
  run.lastMoveFromX = ant.xPos;
  run.lastMoveFromY = ant.yPos;
  const double x = run.lastMoveFromX, y = run.lastMoveFromY;
  // Home within the nest band (both limits strict): the ant keeps its place
  // and its food, which counts when it leaves again.
  if (std::fabs(x - params.homeXPos) < params.colonyWidth && std::fabs(y - params.homeYPos) < kHomeRowReach) {
    ant.state = AntState::kAtHome;
    ant.leaveTime = ToInt32(run.modelTime).value_or(INT32_MAX);
    --readouts.antsOut;
    panel.txtAntsOut.SetCachedInt("Ants out: ", readouts.antsOut, "");
    return;
  }
  // In the border band it waits, still returning, and is tested again next step.
  if (x <= kBorderBand || x >= params.worldXinCm - kBorderBand || y <= kBorderBand ||
      y >= params.worldYinCm - kBorderBand)
    return;

  // One row down, towards the most pheromone of the three patches below;
  // ties are drawn at random.
  const int64_t row = PatchOf(y + 1);
  const int32_t A = run.pherGrid.Get(PatchOf(x - 1), row);
  const int32_t B = run.pherGrid.Get(PatchOf(x), row);
  const int32_t C = run.pherGrid.Get(PatchOf(x + 1), row);

  if (A > B && A > C) {
    MoveDownLeft(num);
  } else if (B > A && B > C) {
    MoveDown(num);
  } else if (C > A && C > B) {
    MoveDownRight(num);
  } else if (A == B && A > C) {
    if (rng.Next() <= 0.5) MoveDownLeft(num); else MoveDown(num);
  } else if (A == C && A > B) {
    if (rng.Next() <= 0.5) MoveDownRight(num); else MoveDownLeft(num);
  } else if (B == C && B > A) {
    if (rng.Next() <= 0.5) MoveDownRight(num); else MoveDown(num);
  } else {  // A = B = C: thirds, cut at six decimals
    const double r = rng.Next();
    if (r <= 0.333333)
      MoveDownRight(num);
    else if (r <= 0.666666)
      MoveDown(num);
    else
      MoveDownLeft(num);
  }
}

void MainForm::MoveDownBy(int16_t num, int dx) {
  AntRecord& ant = run.ants[static_cast<size_t>(num)];
  run.antCountGrid.Add(PatchOf(run.lastMoveFromX), PatchOf(run.lastMoveFromY), -1);
  if (params.showAnts) pctWorld.PSet(run.lastMoveFromX, run.lastMoveFromY, pctWorld.BackColor());
  // The trail goes on the patch the ant leaves: its record still holds the
  // old position.
  DropPherIn(num);
  ant.xPos = run.lastMoveFromX + static_cast<float>(dx);
  ant.yPos = run.lastMoveFromY + 1.0f;
  run.antCountGrid.Add(PatchOf(ant.xPos), PatchOf(ant.yPos), 1);
  if (params.showAnts) pctWorld.PSet(ant.xPos, ant.yPos, RGB(0, params.pathColorIn, 0));
}

void MainForm::DropPherIn(int16_t num) {
  const AntRecord& ant = run.ants[static_cast<size_t>(num)];
  int32_t* cell = run.pherGrid.At(PatchOf(ant.xPos), PatchOf(ant.yPos));
  if (cell == nullptr) return;
  // Nothing on the nest row itself. The threshold is tested before the
  // deposit, so a patch may end up to one deposit above it.
  if (*cell >= params.pherThresholdIn || ant.yPos == static_cast<float>(params.homeYPos)) return;
  if (!pherToDropInIsNumber_) {
    Message("Pher. to drop - In: \"" + params.pherToDropIn.substr(0, kQuotedChars) +
            "\" is not a number; no inbound trail is laid");
    return;
  }
  // The amount may be fractional: the sum is rounded half to even.
  const double v = RoundHalfEven(static_cast<double>(*cell) + pherToDropInValue_);
  *cell = v >= INT32_MAX ? INT32_MAX : (v <= INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
}

}  // namespace antraid
