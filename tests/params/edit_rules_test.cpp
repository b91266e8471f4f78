// Edit rules: what one change in the panel does between two full loads.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;

TEST(EditRules, TypingTheNumberOfAntsFollowsEveryKeystrokeBeforeAStart) {
  LoadedForm t;
  std::vector<std::string> seen;
  for (const char* text : {"1", "12", "120", "1200"}) {
    t.p.txtNumAnts.SetText(text);
    seen.push_back(*t.form.FieldText("numAnts") + " " + t.p.lblAntsPerStep.caption());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"1 (0 ants/sec)", "12 (0 ants/sec)", "120 (2 ants/sec)",
                                            "1200 (20 ants/sec)"}));
  t.p.txtNumAnts.SetText("-4");  // refused, but the caption is written again
  t.p.lblAntsPerStep.SetCaption("");
  t.p.txtNumAnts.SetText("0");
  EXPECT_EQ(t.form.numAnts, 1200);
  EXPECT_EQ(t.p.lblAntsPerStep.caption(), "(20 ants/sec)");
  t.p.txtNumAnts.SetText("40000");
  EXPECT_EQ(t.form.numAnts, 1200);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Total # refused: at most 32767 ants");
  EXPECT_EQ(t.host.questions, 0);
}

TEST(EditRules, ChangingTheNumberOfAntsAfterAStartAsksFirst) {
  LoadedForm t;
  t.StartAndRun(3);
  ASSERT_FALSE(t.form.running);
  t.p.txtNumAnts.SetText("1");  // No: the old number comes back and nothing more is asked
  EXPECT_EQ(t.host.questions, 1);
  EXPECT_EQ(t.host.lastQuestion,
            "Changing the number of ants will reset the program are you sure you want to do this? Reset program? ");
  EXPECT_EQ(t.p.txtNumAnts.text(), "900");
  EXPECT_EQ(t.form.numAnts, 900);
  EXPECT_EQ(t.form.modelTime, 2.5f);

  t.host.answers = {true};  // Yes: a new run with the new number, until paused
  t.PauseOnPass(5);
  t.p.txtNumAnts.SetText("3");
  EXPECT_EQ(t.host.questions, 2);
  EXPECT_EQ(t.form.numAnts, 3);
  EXPECT_EQ(t.form.ants.size(), 4u);
  EXPECT_TRUE(t.form.programStarted);
  EXPECT_FALSE(t.form.running);
  EXPECT_EQ(t.form.modelTime, 1.0f + 6 * 0.5f);  // fresh clock, six steps
  EXPECT_EQ(t.p.lblAntsPerStep.caption(), "(0 ants/sec)");
}

// The plain write-backs and echoes (ant number 1500, saturation 30001, save
// period 0 and 3, the food totals, the time step rescale, the colour bars,
// the check boxes) are printed by tests/scenarios/edit_rules.script.
TEST(EditRules, WriteBacksAndRefusalsTheScenarioDoesNotShow) {
  LoadedForm t;
  MainForm& f = t.form;
  t.p.txtAntNumber.SetText("12");
  t.p.txtDebugMsg.SetText("");
  t.p.txtAntNumber.SetText("");  // ignored silently
  EXPECT_EQ(f.antNumber, 12);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "");
  t.p.txtSaveTime.SetText("3");
  t.p.txtSaveTime.SetText("-2");
  EXPECT_EQ(t.p.txtSaveTime.text(), "3");
  t.p.txtSaveTime.SetText("0.2");  // rounds to no step at all
  EXPECT_EQ(f.saveInterval, 6);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Save every refused: the period must be more than half a time step");
  t.p.txtFoodQuality.SetText("-3");
  EXPECT_EQ(f.foodQuality, 50);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Food Quality: \"-3\" refused, food cannot be negative");
  t.p.txtPercentFood.SetText("0");
  t.p.txtPercentFood.SetText("1e8");  // totals beyond 32 bits
  EXPECT_EQ(f.percentFood, 0);
  EXPECT_EQ(t.p.lblTotalFood.caption(), "TotalFood: 0");

  t.p.txtMaxVel.SetText("10");
  t.p.txtMinVel.SetText("2");
  EXPECT_EQ(f.maxVel, 5.0f);  // per step of 0.5 s
  EXPECT_EQ(f.minVel, 1.0);
  EXPECT_EQ(f.velSlope, static_cast<float>(2.9 / 300));  // until the next full load
  t.p.txtWorldXinM.SetText("3");
  EXPECT_EQ(f.homeXPos, 150);
  EXPECT_EQ(f.pctWorld.ScaleWidth(), 300);
  t.p.txtWorldYinM.SetText("4");  // the home-row bar is pulled down and runs its rule
  EXPECT_EQ(t.p.scrColonyYPos.max(), 395);
  EXPECT_EQ(f.homeYPos, 395);
  EXPECT_EQ(t.p.lblHomeYPos.caption(), "Home Y Position = 395");
  EXPECT_EQ(t.p.lblWorldSizeInCm.caption(), "(300 cm x 400 cm)");
  EXPECT_EQ(f.worldAspect, 1.0f);
  t.p.txtWorldYinM.SetText("328");  // the home row would not fit its scroll bar
  EXPECT_EQ(f.worldYinM, 4);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "World height refused: at most 327 m (the home row scroll bar ends there)");

  t.p.txtEmptyNodeWeightOut.SetText("0");  // must be more than 0
  EXPECT_EQ(f.emptyNodeWeightOut, 5);
  t.p.txtPherToDropOut.SetText("-2");
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Drop out = -2");
  t.p.scrColWidth.SetValue(40);
  EXPECT_EQ(t.p.txtColonyWidth.text(), "40");
  t.p.txtDebugMsg.SetText("");
  t.p.scrPathColorIn.Drag(17);  // dragging updates the preview, without a message
  EXPECT_EQ(t.p.txtPathColorIn.backColor(), RGB(0, 17, 0));
  EXPECT_EQ(t.p.txtDebugMsg.text(), "");
  std::string shown;
  for (CheckBox* box : {&t.p.chkUseVel, &t.p.chkTrackAnt}) {
    box->Click();
    shown += t.p.txtDebugMsg.text() + " ";
  }
  EXPECT_EQ(shown, "False True ");
  EXPECT_TRUE(f.trackAnt && !f.useVel);
}

// Every text box against texts that are no usable value: empty or blank ones
// are ignored silently, anything else is refused with a message that names the
// box, and in both cases no field changes.
TEST(EditRules, EveryBoxRefusesTextsThatAreNoUsableValue) {
  static const char* const kFields[] = {
      "numAnts", "leaveInterval", "antsPerPatch", "emptyNodeWeightOut", "pherToDropOut", "pherToDropIn",
      "fiftyPercProb", "modelTimeStep", "worldXinM", "worldYinM", "worldXinCm", "worldYinCm", "maxVel",
      "minVel", "maxPherToSat", "antNumber", "percentFood", "foodQuality", "saveInterval", "velSlope",
      "homeXPos", "homeYPos", "totalFood", "numFoodItems", "imageName", "saveFilePath"};
  auto fields = [](const MainForm& f) {
    std::map<std::string, std::string> m;
    for (const char* name : kFields) m[name] = *f.FieldText(name);
    return m;
  };
  const std::vector<std::string> blank = {"", "   "};
  const std::vector<std::string> hostile = {"abc", "1e999", "-1e999", "12abc", std::string(10000, '7'),
                                            std::string(10000, 'x')};
  LoadedForm t;
  t.StartAndRun(2);  // also with a run in place
  const auto before = fields(t.form);
  for (TextBox* box : {&t.p.txtNumAnts, &t.p.txtLeaveInterval, &t.p.txtAntsPerPatch, &t.p.txtEmptyNodeWeightOut,
                       &t.p.txtPherToDropOut, &t.p.txtPherToDropIn, &t.p.txtFiftyPercProb, &t.p.txtMaxPherValue,
                       &t.p.txtModelTimeStep, &t.p.txtWorldXinM, &t.p.txtWorldYinM, &t.p.txtMaxVel,
                       &t.p.txtMinVel, &t.p.txtMaxPherToSat, &t.p.txtAntNumber, &t.p.txtPercentFood,
                       &t.p.txtFoodQuality, &t.p.txtSaveTime}) {
    const std::string caption(t.p.CaptionOf(*box));
    const std::string good = box->text();
    for (const std::string& text : blank) {
      t.p.txtDebugMsg.SetText("");
      box->SetText(text);
      EXPECT_EQ(t.p.txtDebugMsg.text(), "") << box->name() << " \"" << text << "\"";
      EXPECT_EQ(fields(t.form), before) << box->name() << " \"" << text << "\"";
    }
    for (const std::string& text : hostile) {
      t.p.txtDebugMsg.SetText("");
      box->SetText(text);
      EXPECT_EQ(t.p.txtDebugMsg.text().rfind(caption + ": \"", 0), 0u) << box->name() << " " << text.substr(0, 9);
      EXPECT_NE(t.p.txtDebugMsg.text().find(" refused, "), std::string::npos);
      EXPECT_LT(t.p.txtDebugMsg.text().size(), 120u);
      EXPECT_EQ(fields(t.form), before) << box->name() << " " << text.substr(0, 9);
      EXPECT_EQ(box->text(), text);  // the refused text stands in the box
    }
    box->SetText(good);
  }
  EXPECT_EQ(t.host.questions, 0);
  EXPECT_FALSE(t.form.running);
}

TEST(EditRules, ValuesBeyondTheirFieldAreRefusedAndZeroOnlyWhereItMeansSomething) {
  LoadedForm t;
  MainForm& f = t.form;
  for (TextBox* box : {&t.p.txtLeaveInterval, &t.p.txtAntsPerPatch, &t.p.txtEmptyNodeWeightOut,
                       &t.p.txtPherToDropOut, &t.p.txtFiftyPercProb, &t.p.txtFoodQuality}) {
    box->SetText("32768");
    EXPECT_EQ(t.p.txtDebugMsg.text(),
              std::string(t.p.CaptionOf(*box)) + ": \"32768\" refused, outside -32768 to 32767");
  }
  EXPECT_EQ(f.leaveInterval, 1);
  EXPECT_EQ(f.antsPerPatch, 5);
  EXPECT_EQ(f.fiftyPercProb, 100);
  t.p.txtWorldXinM.SetText("32768");  // 32768 m wide: too many patches
  EXPECT_EQ(f.worldXinM, 7);
  t.p.txtModelTimeStep.SetText("-0");
  EXPECT_EQ(f.modelTimeStep, 0.5f);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Timestep refused: it must be more than 0 seconds");
  t.p.txtModelTimeStep.SetText("1e39");  // beyond a 32-bit float
  EXPECT_EQ(f.modelTimeStep, 0.5f);
  t.p.txtMaxVel.SetText("1e300");
  EXPECT_EQ(f.maxVel, 3.5f);
  // -0 reads as 0: taken where the rule allows 0, ignored where it wants more.
  for (TextBox* box : {&t.p.txtPherToDropOut, &t.p.txtMaxPherToSat, &t.p.txtPercentFood, &t.p.txtFoodQuality,
                       &t.p.txtLeaveInterval, &t.p.txtAntsPerPatch, &t.p.txtAntNumber, &t.p.txtNumAnts})
    box->SetText("-0");
  EXPECT_EQ(f.pherToDropOut, 0);
  EXPECT_EQ(f.maxPherToSat, 0);
  EXPECT_EQ(f.percentFood, 0);
  EXPECT_EQ(f.foodQuality, 0);
  EXPECT_EQ(f.leaveInterval, 0);
  EXPECT_EQ(f.antsPerPatch, 5);
  EXPECT_EQ(f.antNumber, 50);
  EXPECT_EQ(f.numAnts, 900);
  // A run started from such a panel still runs.
  t.StartAndRun(3);
  EXPECT_EQ(f.modelTime, 2.5f);
  EXPECT_EQ(f.maxPherToSat, 0);
  EXPECT_EQ(f.velSlope, static_cast<float>(2.9 / 300));
}

}  // namespace
}  // namespace antraid
