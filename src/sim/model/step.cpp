// One model step: clock, canvas, every ant's turn in index order, the swarm
// width, and a saved frame when due.
#include <algorithm>

#include "sim/main_form.h"
#include "sim/params/limits.h"

namespace antraid {

namespace {
constexpr float kFramesPerSecond = 30.0f;  // frames of the frame counter per model second
constexpr int16_t kAtHomeDotWidth = 2;     // pixels
constexpr float kTrackMarkRadius = 2.0f;   // cm
}  // namespace

void MainForm::RunAnts() {
  // The clock advances first: the release test, the captions and the frame
  // saving of this step all see the new time. Sums stay in 32-bit floats.
  run.modelTime = run.modelTime + params.modelTimeStep;
  run.videoFrameNumber = run.modelTime * kFramesPerSecond;
  {
    char buf[TextControl::kTextBufSize];
    StepStatus(ComposeSingle(buf, "Framenumber = ", run.videoFrameNumber, ""));
  }
  pctWorld.Cls();
  if (run.foodMade && params.plotFood) PlotFood();

  // Every ant in index order, each completely and in place: what one ant
  // does to the layers and counters is seen by the ants after it. The bound
  // is taken once, in 16 bits, and never passes the ants that exist.
  const int32_t last =
      std::min<int32_t>(std::clamp(params.numAnts, 0, kMaxAnts), static_cast<int32_t>(run.ants.size()) - 1);
  for (run.antInTurn = 1; run.antInTurn <= last && run.antInTurn > 0; ++run.antInTurn) {
    const int16_t k = run.antInTurn;
    if (k + 2 <= last) {
      // Patches of an ant two turns ahead lie far apart in a large world:
      // start loading them now so they are in cache when its turn comes.
      const AntRecord& next = run.ants[static_cast<size_t>(k) + 2];
      const int64_t nx = PatchOf(next.xPos), ny = PatchOf(next.yPos);
      const int64_t ahead = next.state == AntState::kReturning ? ny + 1 : ny - 1;
      run.pherGrid.Prefetch(nx, ahead);
      run.pherGrid.Prefetch(nx, ny);
      run.antCountGrid.Prefetch(nx, ahead);
      run.antCountGrid.Prefetch(nx, ny);
      run.foodGrid.Prefetch(nx, ny);
    }
    // The turn follows the state the ant had before it.
    switch (run.ants[static_cast<size_t>(k)].state) {
      case AntState::kAtHome:
        AtHomeTurn(run.ants[static_cast<size_t>(k)]);
        break;
      case AntState::kOutbound:
        GoingOutAnt(k);
        break;
      case AntState::kReturning:
        ReturningAnt(k);
        break;
      default:  // stopped at the border: no turn
        break;
    }
    const AntRecord& ant = run.ants[static_cast<size_t>(k)];
    // The tracked ant is marked whatever its state, stopped ants included.
    if (params.trackAnt && k == params.antNumber) {
      MarkTrackedAnt(k);
      char buf[TextControl::kTextBufSize];
      const std::string_view x = ComposeSingle(buf, "", ant.xPos, "  ");
      const std::string_view y = FormatSingleTo(buf + x.size(), ant.yPos);
      StepStatus(std::string_view(buf, x.size() + y.size()));
    }
    // On a measuring step the swarm width grows with every outbound ant that
    // lies beyond the extremes seen so far (state and position after its
    // turn); the caption is rewritten for every ant.
    if (readouts.swarmPass) {
      if (ant.state == AntState::kOutbound && ant.xPos > readouts.swarmMaxX) {
        readouts.swarmMaxX = ant.xPos;
        if (readouts.swarmMaxX - readouts.swarmMinX > readouts.swarmWidth)
          readouts.swarmWidth = static_cast<float>(readouts.swarmMaxX - readouts.swarmMinX);
      } else if (ant.state == AntState::kOutbound && ant.xPos < readouts.swarmMinX) {
        readouts.swarmMinX = ant.xPos;
        if (readouts.swarmMaxX - readouts.swarmMinX > readouts.swarmWidth)
          readouts.swarmWidth = static_cast<float>(readouts.swarmMaxX - readouts.swarmMinX);
      }
      panel.txtSwarmWidth.SetCachedInt("", static_cast<long long>(RoundHalfEven(readouts.swarmWidth)), " cm");
    }
  }

  // Every second step measures the swarm width, each time afresh from the
  // nest; lastSwarmWidth keeps the width the measuring step reached.
  if (readouts.swarmPass) {
    readouts.lastSwarmWidth = readouts.swarmWidth;
    readouts.swarmPass = false;
    readouts.swarmMinX = params.homeXPos;
    readouts.swarmMaxX = params.homeXPos;
    readouts.swarmWidth = 0;
  } else {
    readouts.swarmPass = true;
  }

  // A frame when the clock and the save period, both rounded half to even,
  // divide evenly. A period that does not round to a usable whole number of
  // steps never saves.
  const auto t = ToInt32(run.modelTime);
  const auto period = ToInt32(params.saveInterval);
  const bool due = t && period && *period != 0 && (*t % *period) == 0;
  if (params.saveImages && due) SaveFrame();

  NotifyStepDone();
}

void MainForm::AtHomeTurn(AntRecord& ant) {
  // An ant at home is drawn at the nest, with a wider pen than the view's.
  const int16_t width = pctWorld.DrawWidth();
  pctWorld.SetDrawWidth(kAtHomeDotWidth);
  pctWorld.PSet(ant.xPos, ant.yPos, RGB(params.pathColorOut, 0, 0));
  // Released at the first step whose clock has passed its leave time; it
  // makes its first move in the next step. The food it carried home counts
  // only now.
  if (static_cast<double>(run.modelTime) > ant.leaveTime) {
    ant.state = AntState::kOutbound;
    ant.justLeft = true;
    if (ant.hasFood) {
      if (readouts.colonyFood < INT32_MAX) ++readouts.colonyFood;
      ant.hasFood = false;
    }
    panel.txtlColonyFoodAmt.SetCachedInt("", readouts.colonyFood, "");
  }
  pctWorld.SetDrawWidth(width);
}

void MainForm::GoingOutAnt(int16_t num) { DeneubourghMove(num); }

void MainForm::MarkTrackedAnt(int16_t num) {
  const AntRecord& ant = run.ants[static_cast<size_t>(num)];
  // Erases the mark around the position the last moved ant had before its
  // move (the tracked ant's, when it moved), then marks the tracked ant.
  pctWorld.Circle(run.lastMoveFromX, run.lastMoveFromY, kTrackMarkRadius, pctWorld.BackColor());
  pctWorld.Circle(ant.xPos, ant.yPos, kTrackMarkRadius);
}

}  // namespace antraid
