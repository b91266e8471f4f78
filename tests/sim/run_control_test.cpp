// Closing the window while the run loop processes events between model
// steps, and restarts that open run loops inside one another. Start,
// Pause/Go and Start while a run exists, with both answers, are printed by
// tests/scenarios/run_control.script.
#include <gtest/gtest.h>

#include <algorithm>

#include "sim/test_form.h"
#include "platform/headless/invariants.h"

namespace antraid {
namespace {

using testing::LoadedForm;

// Model steps done since the parameters were last read.
int Steps(const MainForm& f) { return static_cast<int>((f.run.modelTime - 1.0f) / f.params.modelTimeStep + 0.5f); }

// Closed from inside the loop of a Pause click, itself inside the run loop
// of Start (a close straight from the run loop: the window tests'
// closingTheWindowEndsARunAtOnce).
TEST(RunControl, ClosingTheWindowEndsTheRunWithoutAnotherStep) {
  LoadedForm t;
  t.host.onDoEvents = [&] {
    if (t.host.passes == 2) t.p.cmdPause.Click();
    if (t.host.passes == 3) t.form.Form_Unload();
  };
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(Steps(t.form), 1);  // neither loop finishes its step
  EXPECT_TRUE(t.host.ended);
  EXPECT_FALSE(t.form.run.running);
  t.p.cmdPause.Click();  // nothing runs any more
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(Steps(t.form), 1);
}

// However many restarts the user asks for during a run, the stack holds and
// the run goes on.
TEST(RunControl, TwentyThousandRestartsDuringARunNeitherExhaustTheStackNorStopTheRun) {
  LoadedForm t;
  t.p.txtWorldXinM.SetText("1");  // a small world keeps each restart cheap
  t.p.txtWorldYinM.SetText("1");
  t.p.txtNumAnts.SetText("20");
  t.host.onAsk = [](std::string_view) { return true; };  // "Reset program?" Yes
  constexpr int kRestarts = 20000;
  int restarts = 0, depth = 0, deepest = 0, steps = 0;
  StepListener counter(t.form, [&] { ++steps; });
  t.host.onDoEvents = [&] {
    deepest = std::max(deepest, ++depth);
    if (restarts < kRestarts) {
      ++restarts;
      t.p.cmdStartProgram.Click();
    } else if (restarts == kRestarts) {
      ++restarts;
      t.p.cmdPause.Click();
    }
    --depth;
  };
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(restarts, kRestarts + 1);
  EXPECT_LE(deepest, MainForm::kMaxRunLoopDepth + 1);
  EXPECT_GE(steps, kRestarts) << "the innermost loop stepped every restarted model";
  EXPECT_FALSE(t.form.run.running);
  EXPECT_EQ(t.p.cmdPause.caption(), "Go");
  EXPECT_EQ(CheckInvariants(t.form), "");

  // Go resumes as usual.
  t.PauseOnPass(5);
  t.p.cmdPause.Click();
  EXPECT_FALSE(t.form.run.running);
  EXPECT_EQ(CheckInvariants(t.form), "");
}

}  // namespace
}  // namespace antraid
