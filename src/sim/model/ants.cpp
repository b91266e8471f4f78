// The ant population at the nest.
#include <algorithm>

#include "sim/main_form.h"
#include "sim/params/limits.h"

namespace antraid {

void MainForm::CreateAnts() {
  const int32_t n = std::clamp(params.numAnts, 0, kMaxAnts);
  run.ants.assign(static_cast<size_t>(n) + 1, AntRecord{});  // index 0 unused
  // Writing the box runs its rule at once, which finds the number unchanged.
  panel.txtNumAnts.SetText(FormatInt(params.numAnts));
  if (unloaded) return;

  // Ants start on the lattice even when the nest lies partly off it.
  const int32_t W = run.antCountGrid.width(), H = run.antCountGrid.height();
  bool clamped = false;
  bool badInterval = false;
  // Each ant in index order: a leave time spread uniformly over the stagger
  // interval (the box is read anew for every ant, and may be fractional), a
  // place on the nest row between homeXPos - colonyWidth and homeXPos, both
  // rounded half to even, and one unit of pheromone on its start patch.
  for (int32_t k = 1; k <= n; ++k) {
    AntRecord& ant = run.ants[static_cast<size_t>(k)];
    ant.antNum = k;
    double interval = params.leaveInterval;
    ParsedNumber t = ParseNumber(panel.txtLeaveInterval.text());
    if (t.ok())
      interval = t.value;
    else
      badInterval = true;
    double r1 = rng.Next();
    double leave = RoundHalfEven(interval * r1 * kSecondsPerMinute);
    ant.leaveTime = ToInt32(leave).value_or(leave > 0 ? INT32_MAX : 0);
    double r2 = rng.Next();
    double x = RoundHalfEven(params.colonyWidth * r2 + (params.homeXPos - params.colonyWidth));
    double y = params.homeYPos;
    if (W > 0 && (x < 1 || x > W || y < 1 || y > H)) {
      x = std::clamp(x, 1.0, static_cast<double>(W));
      y = std::clamp(y, 1.0, static_cast<double>(H));
      clamped = true;
    }
    ant.xPos = static_cast<float>(x);
    ant.yPos = static_cast<float>(y);
    ant.state = AntState::kAtHome;
    ant.movesThisStep = true;
    ant.hasFood = false;
    ant.justLeft = true;
    run.antCountGrid.Add(PatchOf(ant.xPos), PatchOf(ant.yPos), 1);
    run.pherGrid.Add(PatchOf(ant.xPos), PatchOf(ant.yPos), 1);
  }
  if (badInterval) Refuse(panel.txtLeaveInterval, "not a number; used " + FormatInt(params.leaveInterval) + " min");
  if (clamped) Message("The nest lies partly off the world: ants start on the nearest patches");
  run.antsCreated = true;
}

}  // namespace antraid
