// `wait until`: steps go by until a condition holds at the end of a step (or
// max steps have), and the run is then over for the script.
#include <gtest/gtest.h>

#include <string>

#include "sim/test_form.h"

namespace antraid {
namespace {

// The clock starts at 1 s and a step is 0.5 s: after step S it reads 1 + S / 2.
TEST(WaitUntil, EndsAfterTheFirstStepAtWhoseEndAConditionHolds) {
  const struct {
    std::string script, out;
  } cases[] = {
      {"click cmdStartProgram\nwait until step == 3 max 10\nprint modelTime\n",
       "stopped at step 3: step == 3\nmodelTime=2.5\n"},
      // No condition held within max: the wait ends as `wait 4` does, and the run goes on.
      {"click cmdStartProgram\nwait until step > 100 max 4\nprint modelTime\nwait 2\nprint modelTime\n",
       "modelTime=3\nmodelTime=4\n"},
      // Conditions joined by or: the first that holds is named; and needs both.
      {"click cmdStartProgram\nwait until step >= 8 or step>=5 and modelTime>3 max 20\nprint modelTime\n",
       "stopped at step 5: step >= 5 and modelTime > 3\nmodelTime=3.5\n"},
      // A condition already true before the wait still lets one step go by.
      {"click cmdStartProgram\nwait 2\nwait until modelTime >= 1 max 9\nprint modelTime\n",
       "stopped at step 3: modelTime >= 1\nmodelTime=2.5\n"},
      // Once a condition held, no wait lets a step go by ...
      {"click cmdStartProgram\nwait until step == 2 max 9\nwait 5\nwait until step == 9 max 9\nprint modelTime\n",
       "stopped at step 2: step == 2\nmodelTime=2\n"},
      // ... until the next Start, which counts steps from 0 again.
      {"click cmdStartProgram\nwait until step == 2 max 9\nanswer Yes\nclick cmdStartProgram\nwait 3\nprint modelTime\n"
       "wait until step == 5 max 9\nprint modelTime\n",
       "stopped at step 2: step == 2\nmsgbox: Reset program? (clicking 'No' will pause)\nmodelTime=2.5\nstopped at step 5: step == 5\n"
       "modelTime=3.5\n"},
      // Outside a run loop it only checks its words.
      {"wait until antsOut == 0 max 3\nprint modelTime\n", "modelTime=1\n"},
  };
  for (const auto& c : cases) {
    const testing::CommandResult o = testing::ScriptOutput(c.script);
    EXPECT_EQ(o.status, 0) << c.script << o.err;
    EXPECT_EQ(o.out, c.out) << c.script;
  }
}

TEST(WaitUntil, BadConditionsAreErrorsOfTheirLine) {
  const struct {
    std::string script, err;
  } cases[] = {
      {"wait until step >= 3\n", "line 1: wait until needs a condition and max N at the end"},
      {"wait until max 5\n", "line 1: wait until needs a condition and max N at the end"},
      {"wait until step >= 3 max 0\n", "line 1: number \"0\" out of range (1 to"},
      {"wait until antsOut > max 5\n", "line 1: \"antsOut >\": one number must follow >"},
      {"wait until antsOut => 3 max 5\n", "line 1: \"antsOut => 3\": unknown operator \"=>\""},
      {"wait until antsOut 3 max 5\n", "line 1: \"antsOut 3\" compares nothing"},
      {"wait until antsOut == 1 and max 5\n", "line 1: an empty comparison"},
      {"wait until >= 3 max 5\n", "line 1: \">= 3\": no measure before >="},
      {"wait until antsOut == 1 == 2 max 5\n", "line 1: \"antsOut == 1 == 2\": more than one operator"},
      {"wait until antsOut == x max 5\n", "line 1: \"antsOut == x\": \"x\" is not a number"},
      {"wait until antsOot == 1 max 5\n", "line 1: unknown control or field \"antsOot\""},
      {"wait until ant 1 == 1 max 5\n", "line 1: \"ant 1 == 1\": ant N prints a whole line"},
      {"wait until pherGrid 1 == 1 max 5\n", "line 1: missing pherGrid y"},
      {"wait until antsOut running == 1 max 5\n", "line 1: \"antsOut running == 1\": \"antsOut running\" is not one item"},
      // Read at the end of a step: a value that is no number stops the session at the wait.
      {"click cmdStartProgram\nwait 2\nwait until running == 1 max 5\n",
       "line 3: \"running == 1\": running is not a number (\"True\")"},
      {"click cmdStartProgram\nwait until trailCount 900 > 1 max 5\n",
       "line 2: trailCount(900): the row 900 cm above the nest (row -205) lies off the world (700 cm high)"},
  };
  for (const auto& c : cases) {
    const testing::CommandResult o = testing::ScriptOutput(c.script);
    EXPECT_EQ(o.status, 2) << c.script;
    EXPECT_EQ(o.err.rfind("antraid-script: " + c.err, 0), 0u) << c.script << "\ngave: " << o.err;
  }
}

}  // namespace
}  // namespace antraid
