// The run loop: one event-processing pass, the run captions, the pheromone
// removal when due and one model step per iteration.
#include <cmath>

#include "app/main_form.h"

namespace antraid {

void MainForm::TestForAntCreation() {
  if (running) panel.cmdPause.SetCaption("Pause");  // 1
  // Past kMaxRunLoopDepth a handler opens no further loop: the innermost one
  // goes on stepping whatever the handler built, so thousands of restarts
  // during a run cannot exhaust the stack.
  if (runLoopDepth_ >= kMaxRunLoopDepth) return;
  struct Depth {
    int& d;
    explicit Depth(int& depth) : d(++depth) {}
    ~Depth() { --d; }
  } depth(runLoopDepth_);
  do {
    host.DoEvents();  // 2: handlers run here
    if (unloaded) return;
    const int32_t t = ToInt32(modelTime).value_or(0);  // 3
    if (t % 60 == 0) {
      char buf[TextControl::kTextBufSize];
      auto n = FormatIntTo(buf, static_cast<long long>(RoundHalfEven(static_cast<double>(modelTime) / 60.0 - 0.5)));
      std::string_view suffix = "min ";
      suffix.copy(buf + n.size(), suffix.size());
      panel.txtRunTimeMin.SetText(std::string_view(buf, n.size() + suffix.size()));
    }
    panel.txtAntsOut.SetCachedInt("Ants out: ", antsOut, "");  // 4
    // 5: steps per removal period. A time step of 142 s or more makes every
    // step a period of its own.
    const double period = RoundHalfEven(71.0 / modelTimeStep);
    const int32_t d = std::isfinite(period) && period >= 1 ? ToInt32(period).value_or(INT32_MAX) : 1;
    if (t % d == 0 && removePher) RemovePheromone();
    RunAnts();  // 6
    if (unloaded) return;
  } while (running);  // 7
}

void MainForm::RemovePheromone() {
  Message("removing pheromone...");
  // Each patch holding at least one unit is lowered by half a unit and
  // rounded half to even: odd amounts drop by one, even amounts stay.
  for (int32_t& v : pherGrid.cells())
    if (v >= 1 && (v & 1)) --v;
  Message("Done with pheromone");
}

}  // namespace antraid
