// One model step of a paused run: when it may be taken, what it does, how a
// session hears it and how a script repeats it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;
using testing::ScriptSession;

TEST(Step, OnlyAPausedBuiltRunStepsAndEachStepIsOneIterationOfTheLoop) {
  LoadedForm t;
  testing::HeardActions heard(t.form);
  const float loaded = t.form.run.modelTime;
  t.form.actions.Step();  // before the first start: nothing, unheard
  EXPECT_EQ(t.form.run.modelTime, loaded);
  EXPECT_EQ(t.host.passes, 0);
  EXPECT_TRUE(heard.lines.empty());

  t.StartAndRun(4);  // a run's clock starts at 1 s
  ASSERT_FALSE(t.form.run.running);
  EXPECT_EQ(t.form.run.modelTime, 3.0f);  // 4 steps of 0.5 s
  const int passes = t.host.passes;
  t.form.actions.Step();
  t.form.actions.Step();
  EXPECT_EQ(t.form.run.modelTime, 4.0f);
  EXPECT_EQ(t.host.passes, passes + 2);  // one event-processing pass each
  EXPECT_FALSE(t.form.run.running);
  EXPECT_EQ(t.p.cmdPause.caption(), "Go");
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Framenumber = 120");
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"step", "step"}));
}

TEST(Step, AScriptStepsAPausedRunAndIgnoresAStepWhileItRuns) {
  // A step's own pass reads the lines after it: `wait 1` lets the step come
  // first, as a recorded session writes it.
  ScriptSession<> s(
      "type txtNumAnts 20\nstep\n"             // not started: nothing
      "click cmdStartProgram\nwait 3\nstep\n"  // running: nothing
      "click cmdPause\nwait 1\nprint modelTime\n"
      "step\nwait 1\nprint modelTime\n"
      "step\nwait 1\nstep\nwait 1\nprint modelTime\n"
      "step now\n",  // line 17
      1);
  EXPECT_EQ(s.rc, 2);
  // From 1 s: three steps of the run, the one Pause makes, then one and two more.
  EXPECT_EQ(s.out.str(), "modelTime=3\nmodelTime=3.5\nmodelTime=4.5\n");
  EXPECT_EQ(s.err.str(), "antraid-script: line 17: unexpected \"now\" at the end of the line\n");
}

}  // namespace
}  // namespace antraid
