// One model step: clock, canvas, every ant's turn in index order, the swarm
// width, and a saved frame when due.
#include <algorithm>
#include <cmath>

#include "app/main_form.h"

namespace antraid {

namespace {
// "<prefix><number><suffix>" into buf.
template <typename NumberFormat>
std::string_view Compose(char* buf, std::string_view prefix, NumberFormat&& number, std::string_view suffix) {
  prefix.copy(buf, prefix.size());
  std::string_view n = number(buf + prefix.size());
  suffix.copy(buf + prefix.size() + n.size(), suffix.size());
  return {buf, prefix.size() + n.size() + suffix.size()};
}
}  // namespace

void MainForm::RunAnts() {
  // 1: clock
  modelTime = modelTime + modelTimeStep;
  videoFrameNumber = modelTime * 30.0f;
  {
    char buf[TextControl::kTextBufSize];
    StepStatus(Compose(buf, "Framenumber = ", [&](char* b) { return FormatSingleTo(b, videoFrameNumber); }, ""));
  }
  // 2: canvas
  pctWorld.Cls();
  if (foodMade && plotFood) PlotFood();

  // 3: the ant pass. The bound is taken once, in 16 bits, and never passes
  // the ants that exist.
  const int32_t last = std::min<int32_t>(std::clamp(numAnts, 0, kMaxAnts), static_cast<int32_t>(ants.size()) - 1);
  for (antNum = 1; antNum <= last && antNum > 0; ++antNum) {
    const int16_t k = antNum;
    if (k + 2 <= last) {
      // Patches of an ant two turns ahead lie far apart in a large world:
      // start loading them now so they are in cache when its turn comes.
      const AntRecord& next = ants[static_cast<size_t>(k) + 2];
      const int64_t nx = PatchOf(next.xPos), ny = PatchOf(next.yPos);
      const int64_t ahead = next.state == AntState::kReturning ? ny + 1 : ny - 1;
      pherGrid.Prefetch(nx, ahead);
      pherGrid.Prefetch(nx, ny);
      antCountGrid.Prefetch(nx, ahead);
      antCountGrid.Prefetch(nx, ny);
      foodGrid.Prefetch(nx, ny);
    }
    switch (ants[static_cast<size_t>(k)].state) {
      case AntState::kAtHome:
        AtHomeTurn(ants[static_cast<size_t>(k)]);
        break;
      case AntState::kOutbound:
        GoingOutAnt(k);
        break;
      case AntState::kReturning:
        ReturningAnt(k);
        break;
      default:
        break;
    }
    const AntRecord& ant = ants[static_cast<size_t>(k)];
    if (trackAnt && k == antNumber) {  // b
      MarkTrackedAnt(k);
      char buf[TextControl::kTextBufSize];
      auto x = FormatSingleTo(buf, ant.xPos);
      std::string_view gap = "  ";
      gap.copy(buf + x.size(), gap.size());
      auto y = FormatSingleTo(buf + x.size() + gap.size(), ant.yPos);
      StepStatus(std::string_view(buf, x.size() + gap.size() + y.size()));
    }
    if (swarmPass) {  // c
      if (ant.state == AntState::kOutbound && ant.xPos > swarmMaxX) {
        swarmMaxX = ant.xPos;
        if (swarmMaxX - swarmMinX > swarmWidth) swarmWidth = static_cast<float>(swarmMaxX - swarmMinX);
      } else if (ant.state == AntState::kOutbound && ant.xPos < swarmMinX) {
        swarmMinX = ant.xPos;
        if (swarmMaxX - swarmMinX > swarmWidth) swarmWidth = static_cast<float>(swarmMaxX - swarmMinX);
      }
      panel.txtSwarmWidth.SetCachedInt("", static_cast<long long>(RoundHalfEven(swarmWidth)), " cm");
    }
  }

  // 4: swarm phase
  if (swarmPass) {
    lastSwarmWidth = swarmWidth;
    swarmPass = false;
    swarmMinX = homeXPos;
    swarmMaxX = homeXPos;
    swarmWidth = 0;
  } else {
    swarmPass = true;
  }

  // 5: frame saving. A period that does not round to a usable whole number of
  // steps never saves.
  const auto t = ToInt32(modelTime);
  const auto period = ToInt32(saveInterval);
  const bool due = t && period && *period != 0 && (*t % *period) == 0;
  if (saveImages && due) SaveFrame();

  NotifyStepDone();
}

void MainForm::AtHomeTurn(AntRecord& ant) {
  const int16_t width = pctWorld.DrawWidth();  // 1
  pctWorld.SetDrawWidth(2);
  pctWorld.PSet(ant.xPos, ant.yPos, RGB(pathColorOut, 0, 0));
  if (static_cast<double>(modelTime) > ant.leaveTime) {  // 2: release
    ant.state = AntState::kOutbound;
    ant.justLeft = true;
    if (ant.hasFood) {
      if (colonyFood < INT32_MAX) ++colonyFood;
      ant.hasFood = false;
    }
    panel.txtlColonyFoodAmt.SetCachedInt("", colonyFood, "");
  }
  pctWorld.SetDrawWidth(width);  // 3
}

void MainForm::GoingOutAnt(int16_t num) { DeneubourghMove(num); }

void MainForm::MarkTrackedAnt(int16_t num) {
  const AntRecord& ant = ants[static_cast<size_t>(num)];
  pctWorld.Circle(antXPos, antYPos, 2.0f, pctWorld.BackColor());
  pctWorld.Circle(ant.xPos, ant.yPos, 2.0f);
}

}  // namespace antraid
