// Start, Pause/Go and closing the window, driven through the buttons while
// the run loop processes events between model steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;

// Model steps done since the parameters were last read.
int Steps(const MainForm& f) { return static_cast<int>((f.modelTime - 1.0f) / f.modelTimeStep + 0.5f); }

TEST(RunControl, StartBuildsARunAndPauseTakesEffectAfterTwoFurtherSteps) {
  LoadedForm t;
  MainForm& f = t.form;
  EXPECT_FALSE(t.p.cmdPause.enabled());
  bool pauseOpenDuringRun = false, boxesOpenDuringRun = true;
  t.host.onDoEvents = [&] {
    if (t.host.passes == 1) {
      pauseOpenDuringRun = f.running && t.p.cmdPause.enabled() && t.p.cmdPause.caption() == "Pause";
      boxesOpenDuringRun = t.p.txtNumAnts.enabled() || t.p.txtWorldXinM.enabled() || t.p.txtWorldYinM.enabled();
    }
    if (t.host.passes == 4) t.p.cmdPause.Click();
  };
  t.p.cmdStartProgram.Click();
  EXPECT_TRUE(pauseOpenDuringRun);
  EXPECT_FALSE(boxesOpenDuringRun);
  EXPECT_TRUE(f.programStarted && f.antsCreated && f.foodMade);
  EXPECT_EQ(Steps(f), 5);  // three before the click, one inside it, one after it
  EXPECT_FALSE(f.running);
  EXPECT_EQ(t.p.cmdPause.caption(), "Go");
  EXPECT_TRUE(t.p.txtNumAnts.enabled());
  EXPECT_FALSE(t.p.txtWorldXinM.enabled() || t.p.txtWorldYinM.enabled());

  t.PauseOnPass(3);  // Go resumes until the next pause
  t.p.cmdPause.Click();
  EXPECT_EQ(Steps(f), 5 + 4);
  EXPECT_EQ(t.p.cmdPause.caption(), "Go");
  EXPECT_TRUE(t.p.txtNumAnts.enabled());
  EXPECT_FALSE(t.p.txtWorldXinM.enabled() || t.p.txtWorldYinM.enabled());
  EXPECT_EQ(t.host.questions, 0);
}

TEST(RunControl, StartWhileARunExistsAsksAndNoTogglesPause) {
  LoadedForm t;
  MainForm& f = t.form;
  t.host.onDoEvents = [&] {
    if (t.host.passes == 3) t.p.cmdStartProgram.Click();  // the queue answers No
  };
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(t.host.questions, 1);
  EXPECT_EQ(t.host.lastQuestion, "Reset program? (clicking 'No' will pause)");
  EXPECT_FALSE(f.running);
  EXPECT_EQ(t.p.cmdPause.caption(), "Go");
  EXPECT_EQ(Steps(f), 4);

  t.PauseOnPass(2);  // No while paused resumes
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(t.host.questions, 2);
  EXPECT_EQ(Steps(f), 4 + 3);
  EXPECT_EQ(t.p.cmdPause.caption(), "Go");
}

TEST(RunControl, AConfirmedRestartRunsInsideTheOldLoopWhichThenEndsToo) {
  LoadedForm t;
  MainForm& f = t.form;
  t.host.onDoEvents = [&] {
    if (t.host.passes == 3) {
      t.p.txtModelTimeStep.SetText("1");  // read by the new run
      t.host.answers = {true};
      t.p.cmdStartProgram.Click();
    }
    if (t.host.passes == 6) t.p.cmdPause.Click();
  };
  t.p.cmdStartProgram.Click();
  // New run: two steps, the Pause click's own step, the rest of the inner
  // iteration, and the rest of the outer iteration that was interrupted.
  EXPECT_EQ(f.modelTime, 1.0f + 5 * 1.0f);
  EXPECT_FALSE(f.running);
  EXPECT_TRUE(t.p.txtNumAnts.enabled());
  EXPECT_EQ(t.host.questions, 1);
}

TEST(RunControl, ClosingTheWindowEndsTheRunWithoutAnotherStep) {
  LoadedForm t;
  MainForm& f = t.form;
  t.host.onDoEvents = [&] {
    if (t.host.passes == 3) f.Form_Unload();
  };
  t.p.cmdStartProgram.Click();
  EXPECT_TRUE(t.host.ended);
  EXPECT_FALSE(f.running);
  EXPECT_EQ(Steps(f), 2);

  LoadedForm nested;  // also from inside the loop of a Pause click
  nested.host.onDoEvents = [&] {
    if (nested.host.passes == 2) nested.p.cmdPause.Click();
    if (nested.host.passes == 3) nested.form.Form_Unload();
  };
  nested.p.cmdStartProgram.Click();
  EXPECT_EQ(Steps(nested.form), 1);  // neither loop finishes its step
  EXPECT_TRUE(nested.host.ended);
  nested.p.cmdPause.Click();  // nothing runs any more
  nested.p.cmdStartProgram.Click();
  EXPECT_EQ(Steps(nested.form), 1);
}

TEST(RunControl, ABackgroundClickShowsThirty) {
  LoadedForm t;
  t.form.Form_Click();
  EXPECT_EQ(t.p.txtDebugMsg.text(), "30");
}

}  // namespace
}  // namespace antraid
