// The run loop: one event-processing pass, the run captions, the pheromone
// removal when due and one model step per iteration.
#include <cmath>

#include "sim/main_form.h"

namespace antraid {

namespace {
constexpr double kRemovalPeriod = 71.0;  // s; over the time step, the divisor of the removal test
}  // namespace

void MainForm::TestForAntCreation() {
  if (run.running) panel.cmdPause.SetCaption("Pause");
  // Past kMaxRunLoopDepth a handler opens no further loop: the innermost one
  // goes on stepping whatever the handler built, so thousands of restarts
  // during a run cannot exhaust the stack.
  if (runLoopDepth_ >= kMaxRunLoopDepth) return;
  struct Depth {
    int& d;
    int& halt;
    Depth(int& depth, int& haltDepth) : d(++depth), halt(haltDepth) {}
    ~Depth() {
      --d;
      if (halt > d) halt = d;  // the halted loops are gone up to here
    }
  } depth(runLoopDepth_, haltDepth_);
  const int level = runLoopDepth_;
  do {
    // Handlers run here and only here (and after a saved frame): a click may
    // pause, edit or enter a nested loop between two steps, never inside one.
    host.DoEvents();
    if (unloaded || level <= haltDepth_) return;
    // t is the clock at the end of the last step, rounded half to even. The
    // minutes caption is refreshed when t is a whole minute; its figure is
    // rounded half to even too, so 59.5 to 60.5 s read 0, 0 and 1.
    const int32_t t = ToInt32(run.modelTime).value_or(0);
    if (t % kSecondsPerMinute == 0) {
      char buf[TextControl::kTextBufSize];
      const double minutes = RoundHalfEven(static_cast<double>(run.modelTime) / kSecondsPerMinute - 0.5);
      panel.txtRunTimeMin.SetText(ComposeInt(buf, "", static_cast<long long>(minutes), "min "));
    }
    panel.txtAntsOut.SetCachedInt("Ants out: ", readouts.antsOut, "");
    // Pheromone removal when t is a multiple of d, the number of steps in one
    // removal period. d divides the clock in seconds, not a count of steps:
    // with 0.5 s steps d is 142, and the three iterations whose clock rounds
    // to a multiple of 142 s remove. With a step of 142 s or more d would round
    // to zero: every step is then a period of its own.
    const double period = RoundHalfEven(kRemovalPeriod / params.modelTimeStep);
    const int32_t d = std::isfinite(period) && period >= 1 ? ToInt32(period).value_or(INT32_MAX) : 1;
    if (t % d == 0 && params.removePher) RemovePheromone();
    RunAnts();
    if (unloaded) return;
  } while (run.running);
}

void MainForm::RemovePheromone() {
  Message("removing pheromone...");
  // Each patch holding at least one unit is lowered by half a unit and
  // rounded half to even: odd amounts drop by one, even amounts stay.
  for (int32_t& v : run.pherGrid.cells())
    if (v >= 1 && (v & 1)) --v;
  Message("Done with pheromone");
}

}  // namespace antraid
