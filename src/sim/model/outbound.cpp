// The turn of an outbound (searching) ant.
#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/main_form.h"

namespace antraid {

namespace {
// An outbound ant this close to any border is stopped for good: with steps
// shorter than 2.25 cm its last move cannot leave the lattice.
constexpr int kBorderBand = 5;  // cm
// Open candidates holding no more than this share of the three weights
// leave the ant where it is.
constexpr double kBlockedShare = 0.00001;
}  // namespace

void MainForm::ShowError(std::string_view msg) {
  host.Beep();
  std::string m = "Error! msg=";
  m.append(msg);
  Message(m);
}

void MainForm::DeneubourghMove(int16_t num) {
  AntRecord& ant = run.ants[static_cast<size_t>(num)];
  // A released ant counts as out from its first outbound turn.
  if (ant.justLeft) {
    ++readouts.antsOut;
    ant.justLeft = false;
  }
  // The turn works from the position the ant had at its start; the food
  // search and the tracked-ant mark read it afterwards.
  run.lastMoveFromX = ant.xPos;
  run.lastMoveFromY = ant.yPos;
  const float x = run.lastMoveFromX, y = run.lastMoveFromY;

  // Stopped near the border, yet this turn still moves and searches (a
  // pick-up turns the ant into a returning one). Only the distance to the
  // bottom edge is rounded.
  const double W = params.worldXinCm, H = params.worldYinCm;
  if (std::fabs(x - W) < kBorderBand || x < kBorderBand || y < kBorderBand ||
      RoundHalfEven(std::fabs(y - H)) < kBorderBand)
    ant.state = AntState::kStopped;

  // The three patches of the row ahead: ahead-left, straight, ahead-right,
  // each coordinate rounded on its own. Patches off the lattice count as
  // closed and hold no pheromone.
  const int64_t row = PatchOf(static_cast<double>(y) - 1);
  const int64_t col[3] = {PatchOf(static_cast<double>(x) - 1), PatchOf(x), PatchOf(static_cast<double>(x) + 1)};
  int32_t P[3];
  bool onLattice[3];
  for (int c = 0; c < 3; ++c) {
    onLattice[c] = run.pherGrid.Contains(col[c], row);
    P[c] = onLattice[c] ? run.pherGrid.Get(col[c], row) : 0;
  }

  // The move gate. The response is taken at a pheromone level of 0, so a
  // gated ant moves with a fixed probability of about 0.12. An ant's first
  // turn after the ants were created moves whatever it draws.
  if (params.usePm) {
    const double Pm = ResponseP(0.0, params.fiftyPercProb);
    rng.ReseedFromClock();
    if (rng.Next() < Pm) ant.movesThisStep = true;
  } else {
    ant.movesThisStep = true;
  }

  if (ant.movesThisStep) {
    // Weight (k + P)^2 per candidate; a candidate holding antsPerPatch ants
    // is closed. With k + P = 0 on all three the weights are taken as equal.
    const double k = params.emptyNodeWeightOut;
    double w[3];
    for (int c = 0; c < 3; ++c) w[c] = (k + P[c]) * (k + P[c]);
    double Wsum = w[0] + w[1] + w[2];
    if (Wsum == 0) {
      w[0] = w[1] = w[2] = 1;
      Wsum = 3;
    }
    double p[3];
    for (int c = 0; c < 3; ++c) {
      const bool closed = !onLattice[c] || run.antCountGrid.Get(col[c], row) >= params.antsPerPatch;
      p[c] = closed ? 0.0 : w[c] / Wsum;
    }
    const double sumOfProbs = p[0] + p[1] + p[2];
    if (sumOfProbs > kBlockedShare) {
      p[0] /= sumOfProbs;
      p[1] /= sumOfProbs;
      // A draw of exactly 0 falls in none of the three ranges.
      rng.ReseedFromClock();
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
        float v = run.curVel;
        if (params.useVel) {
          // Capped in double: a huge Min. Vel. or slope times a strong trail
          // would become an infinite float step.
          double d = params.minVel + static_cast<double>(params.velSlope) * P[choice];
          if (!(d <= params.maxVel)) d = params.maxVel;
          v = static_cast<float>(std::max(d, -static_cast<double>(std::numeric_limits<float>::max())));
        }
        const float dx = choice == 0 ? -v : (choice == 1 ? 0.0f : v);
        const float nx = x + dx, ny = y - v;
        if (!run.antCountGrid.Contains(PatchOf(nx), PatchOf(ny))) {
          // A step this long would carry the ant off the lattice: it stops
          // where it stands, like an ant at the border.
          ant.state = AntState::kStopped;
          Message("Ant " + FormatInt(num) + " stopped: its step of " + FormatSingle(v) + " cm would leave the world");
        } else {
          // The deposit goes on the patch the ant leaves: its record still
          // holds the old position. Without velocity, curVel keeps the last
          // length it was given.
          run.antCountGrid.Add(PatchOf(x), PatchOf(y), -1);
          if (params.showAnts) pctWorld.PSet(x, y, pctWorld.BackColor());
          DropPherOut(num);
          if (params.useVel) run.curVel = v;
          ant.xPos = nx;
          ant.yPos = ny;
          run.antCountGrid.Add(PatchOf(nx), PatchOf(ny), 1);
          if (params.showAnts) pctWorld.PSet(nx, ny, RGB(params.pathColorOut, 0, 0));
        }
      }
    }
    // Food is looked for where the ant stood at the start of the turn,
    // whether it moved or not.
    LookForFood(num, run.lastMoveFromX, run.lastMoveFromY);
  }
  ant.movesThisStep = false;

  // The raid front, from the position at the start of the turn; it runs
  // also when the gate kept the ant still.
  const double d = std::fabs(static_cast<double>(params.homeYPos) - y);
  if (d > readouts.maxDistTraveled) readouts.maxDistTraveled = static_cast<float>(d);

  // Raid front captions, formatted only when their figures change.
  const float vel = readouts.maxDistTraveled / run.modelTime;
  const double velShown = RoundDecimals(vel, 1);
  panel.lblTravelVel.SetCachedDouble("Travel Vel.: ", velShown, "cm/sec");
  panel.lblDistTraveled.SetCachedInt(
      "Dist. Traveled: ", static_cast<long long>(RoundHalfEven(readouts.maxDistTraveled)), "cm");
}

void MainForm::DropPherOut(int16_t num) {
  const AntRecord& ant = run.ants[static_cast<size_t>(num)];
  int32_t* cell = run.pherGrid.At(PatchOf(ant.xPos), PatchOf(ant.yPos));
  if (cell == nullptr) return;
  // Nothing on the nest row itself. The threshold is tested before the
  // deposit, so a patch may end up to one deposit above it.
  if (ant.yPos == static_cast<float>(params.homeYPos) || *cell >= params.pherThresholdOut) return;
  *cell = Layer<int32_t>::Saturate(static_cast<int64_t>(*cell) + params.pherToDropOut);
}

}  // namespace antraid
