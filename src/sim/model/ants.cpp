// The ant population at the nest.
#include <algorithm>

#include "sim/main_form.h"
#include "sim/params/limits.h"

namespace antraid {

void MainForm::CreateAnts() {
  const int32_t n = std::clamp(numAnts, 0, kMaxAnts);
  ants.assign(static_cast<size_t>(n) + 1, AntRecord{});  // index 0 unused
  // Writing the box runs its rule at once, which finds the number unchanged.
  panel.txtNumAnts.SetText(FormatInt(numAnts));
  if (unloaded) return;

  // Ants start on the lattice even when the nest lies partly off it.
  const int32_t W = antCountGrid.width(), H = antCountGrid.height();
  bool clamped = false;
  bool badInterval = false;
  // Each ant in index order: a leave time spread uniformly over the stagger
  // interval (the box is read anew for every ant, and may be fractional), a
  // place on the nest row between homeXPos - colonyWidth and homeXPos, both
  // rounded half to even, and one unit of pheromone on its start patch.
  for (int32_t k = 1; k <= n; ++k) {
    AntRecord& ant = ants[static_cast<size_t>(k)];
    ant.antNum = k;
    double interval = leaveInterval;
    ParsedNumber t = ParseNumber(panel.txtLeaveInterval.text());
    if (t.ok())
      interval = t.value;
    else
      badInterval = true;
    double r1 = rng.Next();
    double leave = RoundHalfEven(interval * r1 * kSecondsPerMinute);
    ant.leaveTime = ToInt32(leave).value_or(leave > 0 ? INT32_MAX : 0);
    double r2 = rng.Next();
    double x = RoundHalfEven(colonyWidth * r2 + (homeXPos - colonyWidth));
    double y = homeYPos;
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
    antCountGrid.Add(PatchOf(ant.xPos), PatchOf(ant.yPos), 1);
    pherGrid.Add(PatchOf(ant.xPos), PatchOf(ant.yPos), 1);
  }
  if (badInterval)
    Refuse(panel.txtLeaveInterval, "not a number; used " + FormatInt(leaveInterval) + " min");
  if (clamped) Message("The nest lies partly off the world: ants start on the nearest patches");
  antsCreated = true;
}

}  // namespace antraid
