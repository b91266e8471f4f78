// The homing step of an ant carrying food, and the inbound trail.
#include <cmath>

#include "app/main_form.h"

namespace antraid {

void MainForm::ReturningAnt(int16_t num) {
  AntRecord& ant = ants[static_cast<size_t>(num)];
  antXPos = ant.xPos;  // 1
  antYPos = ant.yPos;
  const double x = antXPos, y = antYPos;
  if (std::fabs(x - homeXPos) < colonyWidth && std::fabs(y - homeYPos) < 2) {  // 2: home
    ant.state = AntState::kAtHome;
    ant.leaveTime = ToInt32(modelTime).value_or(INT32_MAX);
    --antsOut;
    panel.txtAntsOut.SetCachedInt("Ants out: ", antsOut, "");
    return;
  }
  if (x <= 2 || x >= worldXinCm - 2 || y <= 2 || y >= worldYinCm - 2) return;  // 3: border band

  const int64_t row = PatchOf(y + 1);  // 4
  const int32_t A = pherGrid.Get(PatchOf(x - 1), row);
  const int32_t B = pherGrid.Get(PatchOf(x), row);
  const int32_t C = pherGrid.Get(PatchOf(x + 1), row);

  if (A > B && A > C) {  // 5
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
  } else {  // A = B = C
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
  AntRecord& ant = ants[static_cast<size_t>(num)];
  antCountGrid.Add(PatchOf(antXPos), PatchOf(antYPos), -1);  // 1
  if (showAnts) pctWorld.PSet(antXPos, antYPos, pctWorld.BackColor());  // 2
  DropPherIn(num);  // 3
  ant.xPos = antXPos + static_cast<float>(dx);  // 4
  ant.yPos = antYPos + 1.0f;
  antCountGrid.Add(PatchOf(ant.xPos), PatchOf(ant.yPos), 1);  // 5
  if (showAnts) pctWorld.PSet(ant.xPos, ant.yPos, RGB(0, pathColorIn, 0));  // 6
}

void MainForm::DropPherIn(int16_t num) {
  const AntRecord& ant = ants[static_cast<size_t>(num)];
  int32_t* cell = pherGrid.At(PatchOf(ant.xPos), PatchOf(ant.yPos));  // 1
  if (cell == nullptr) return;
  if (*cell >= pherThresholdIn || ant.yPos == static_cast<float>(homeYPos)) return;  // 2
  if (!pherToDropInIsNumber_) {
    Message("Pher. to drop - In: \"" + pherToDropIn.substr(0, 24) + "\" is not a number; no inbound trail is laid");
    return;
  }
  const double v = RoundHalfEven(static_cast<double>(*cell) + pherToDropInValue_);  // 3
  *cell = v >= INT32_MAX ? INT32_MAX : (v <= INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
}

}  // namespace antraid
