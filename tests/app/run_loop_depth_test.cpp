// Restarts during a run open run loops inside one another; however many the
// user asks for, the stack holds and the run goes on.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/test_form.h"
#include "platform/headless/invariants.h"

namespace antraid {
namespace {

TEST(RunLoopDepth, TwentyThousandRestartsDuringARunNeitherExhaustTheStackNorStopTheRun) {
  testing::LoadedForm t;
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
  EXPECT_FALSE(t.form.running);
  EXPECT_EQ(t.p.cmdPause.caption(), "Go");
  EXPECT_EQ(CheckInvariants(t.form), "");

  // Go resumes as usual.
  t.PauseOnPass(5);
  t.p.cmdPause.Click();
  EXPECT_FALSE(t.form.running);
  EXPECT_EQ(CheckInvariants(t.form), "");
}

}  // namespace
}  // namespace antraid
