// The turn of an outbound (searching) ant.
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/main_form.h"

namespace antraid {

void MainForm::ShowError(std::string_view msg) {
  host.Beep();
  std::string m = "Error! msg=";
  m.append(msg);
  Message(m);
}

void MainForm::DeneubourghMove(int16_t num) {
  AntRecord& ant = ants[static_cast<size_t>(num)];
  if (ant.justLeft) {  // 1
    ++antsOut;
    ant.justLeft = false;
  }
  antXPos = ant.xPos;  // 2
  antYPos = ant.yPos;
  const float x = antXPos, y = antYPos;

  const double W = worldXinCm, H = worldYinCm;  // 3: border
  if (std::fabs(x - W) < 5 || x < 5 || y < 5 || RoundHalfEven(std::fabs(y - H)) < 5) ant.state = AntState::kStopped;

  // 4: the three patches of the row ahead. Patches off the lattice count as
  // closed and hold no pheromone.
  const int64_t row = PatchOf(static_cast<double>(y) - 1);
  const int64_t col[3] = {PatchOf(static_cast<double>(x) - 1), PatchOf(x), PatchOf(static_cast<double>(x) + 1)};
  int32_t P[3];
  bool onLattice[3];
  for (int c = 0; c < 3; ++c) {
    onLattice[c] = pherGrid.Contains(col[c], row);
    P[c] = onLattice[c] ? pherGrid.Get(col[c], row) : 0;
  }

  if (usePm) {  // 5: move gate (sigma = 0)
    const double Pm = ResponseP(0.0, fiftyPercProb);
    rng.ReseedFromClock();
    if (rng.Next() < Pm) ant.movesThisStep = true;
  } else {
    ant.movesThisStep = true;
  }

  if (ant.movesThisStep) {  // 6
    // 7: weights. With k + P = 0 on all three the weights are taken as equal.
    const double k = emptyNodeWeightOut;
    double w[3];
    for (int c = 0; c < 3; ++c) w[c] = (k + P[c]) * (k + P[c]);
    double Wsum = w[0] + w[1] + w[2];
    if (Wsum == 0) {
      w[0] = w[1] = w[2] = 1;
      Wsum = 3;
    }
    double p[3];
    for (int c = 0; c < 3; ++c) {
      const bool closed = !onLattice[c] || antCountGrid.Get(col[c], row) >= antsPerPatch;
      p[c] = closed ? 0.0 : w[c] / Wsum;
    }
    const double sumOfProbs = p[0] + p[1] + p[2];  // 8
    if (sumOfProbs > 0.00001) {
      p[0] /= sumOfProbs;
      p[1] /= sumOfProbs;
      rng.ReseedFromClock();  // 9
      const double r = rng.Next();
      int choice = -1;
      if (r > 0 && r <= p[0])
        choice = 0;
      else if (r > p[0] && r <= p[0] + p[1])
        choice = 1;
      else if (r > p[0] + p[1] && r < 1)
        choice = 2;
      if (choice < 0) {
        ShowError("sumOfProbs is wacked");
      } else {
        // The step length of this move.
        float v = curVel;
        if (useVel) {
          // Capped in double: a huge Min. Vel. or slope times a strong trail
          // would become an infinite float step.
          double d = minVel + static_cast<double>(velSlope) * P[choice];
          if (!(d <= maxVel)) d = maxVel;
          v = static_cast<float>(std::max(d, -static_cast<double>(std::numeric_limits<float>::max())));
        }
        const float dx = choice == 0 ? -v : (choice == 1 ? 0.0f : v);
        const float nx = x + dx, ny = y - v;
        if (!antCountGrid.Contains(PatchOf(nx), PatchOf(ny))) {
          // A step this long would carry the ant off the lattice: it stops
          // where it stands, like an ant at the border.
          ant.state = AntState::kStopped;
          Message("Ant " + FormatInt(num) + " stopped: its step of " + FormatSingle(v) + " cm would leave the world");
        } else {
          antCountGrid.Add(PatchOf(x), PatchOf(y), -1);  // a
          if (showAnts) pctWorld.PSet(x, y, pctWorld.BackColor());  // b
          DropPherOut(num);  // c
          if (useVel) curVel = v;  // d
          ant.xPos = nx;  // e
          ant.yPos = ny;
          antCountGrid.Add(PatchOf(nx), PatchOf(ny), 1);  // f
          if (showAnts) pctWorld.PSet(nx, ny, RGB(pathColorOut, 0, 0));  // g
        }
      }
    }
    LookForFood(num, antXPos, antYPos);  // 10
  }
  ant.movesThisStep = false;  // 11

  const double d = std::fabs(static_cast<double>(homeYPos) - y);  // 12
  if (d > maxDistTraveled) maxDistTraveled = static_cast<float>(d);

  // 13: raid front captions, formatted only when their figures change.
  const float vel = maxDistTraveled / modelTime;
  const double velShown = RoundDecimals(vel, 1);
  panel.lblTravelVel.SetCachedDouble("Travel Vel.: ", velShown, "cm/sec");
  panel.lblDistTraveled.SetCachedInt("Dist. Traveled: ", static_cast<long long>(RoundHalfEven(maxDistTraveled)), "cm");
}

void MainForm::DropPherOut(int16_t num) {
  const AntRecord& ant = ants[static_cast<size_t>(num)];
  int32_t* cell = pherGrid.At(PatchOf(ant.xPos), PatchOf(ant.yPos));  // 1
  if (cell == nullptr) return;
  if (ant.yPos == static_cast<float>(homeYPos) || *cell >= pherThresholdOut) return;  // 2
  *cell = Layer<int32_t>::Saturate(static_cast<int64_t>(*cell) + pherToDropOut);  // 3
}

}  // namespace antraid
