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
    seen.push_back(t.form.FieldText("numAnts").value_or("?") + " " + t.p.lblAntsPerStep.caption());
  }
  EXPECT_EQ(seen,
            (std::vector<std::string>{"1 (0 ants/sec)", "12 (0 ants/sec)", "120 (2 ants/sec)", "1200 (20 ants/sec)"}));
  t.p.txtNumAnts.SetText("-4");  // refused, but the caption is written again
  t.p.lblAntsPerStep.SetCaption("");
  t.p.txtNumAnts.SetText("0");
  EXPECT_EQ(t.form.numAnts, 1200);
  EXPECT_EQ(t.p.lblAntsPerStep.caption(), "(20 ants/sec)");
}

// Each rule's limits, typed into a freshly loaded panel, one step to either
// side: what the field holds afterwards and, for the rules that write a value
// back, what the box shows. The plain write-backs and echoes are printed by
// tests/scenarios/edit_rules.script; the number of ants once a run exists by
// tests/scenarios/ant_number_change.script.
TEST(EditRules, EachRuleTakesValuesUpToItsLimitsAndNoFurther) {
  struct Case {
    TextBox Panel::*box;
    const char *text, *field, *value;
    const char* shown = nullptr;  // the box afterwards, when not the text typed
  };
  const Case kCases[] = {
      {&Panel::txtNumAnts, "0", "numAnts", "900"},  // more than 0, at most 32767
      {&Panel::txtNumAnts, "1", "numAnts", "1"},
      {&Panel::txtNumAnts, "-0", "numAnts", "900"},
      {&Panel::txtNumAnts, "32767", "numAnts", "32767"},
      {&Panel::txtNumAnts, "32768", "numAnts", "900"},
      {&Panel::txtAntsPerPatch, "0", "antsPerPatch", "5"},  // more than 0
      {&Panel::txtAntsPerPatch, "1", "antsPerPatch", "1"},
      {&Panel::txtAntsPerPatch, "32767", "antsPerPatch", "32767"},
      {&Panel::txtAntsPerPatch, "32768", "antsPerPatch", "5"},
      {&Panel::txtEmptyNodeWeightOut, "0", "emptyNodeWeightOut", "5"},
      {&Panel::txtEmptyNodeWeightOut, "1", "emptyNodeWeightOut", "1"},
      {&Panel::txtFiftyPercProb, "0", "fiftyPercProb", "100"},
      {&Panel::txtFiftyPercProb, "1", "fiftyPercProb", "1"},
      {&Panel::txtLeaveInterval, "-0", "leaveInterval", "0"},
      {&Panel::txtLeaveInterval, "32768", "leaveInterval", "1"},
      {&Panel::txtPherToDropOut, "-2", "pherToDropOut", "-2"},
      {&Panel::txtPherToDropOut, "-32769", "pherToDropOut", "1"},
      {&Panel::txtMaxPherToSat, "-0", "maxPherToSat", "0"},  // at most 30000
      {&Panel::txtMaxPherToSat, "29999", "maxPherToSat", "29999"},
      {&Panel::txtMaxPherToSat, "30001", "maxPherToSat", "300", "300"},
      {&Panel::txtAntNumber, "0", "antNumber", "50"},  // not 0, at most the number of ants
      {&Panel::txtAntNumber, "", "antNumber", "50"},
      {&Panel::txtAntNumber, "-1", "antNumber", "-1"},
      {&Panel::txtAntNumber, "899", "antNumber", "899"},
      {&Panel::txtAntNumber, "900", "antNumber", "900"},
      {&Panel::txtAntNumber, "901", "antNumber", "900", "900"},
      {&Panel::txtWorldXinM, "0", "worldXinM", "7"},  // at least 1 m, at most 4e8 patches
      {&Panel::txtWorldXinM, "1", "worldXinCm", "100"},
      {&Panel::txtWorldXinM, "5714", "worldXinM", "5714"},
      {&Panel::txtWorldXinM, "5715", "worldXinM", "7"},
      {&Panel::txtWorldYinM, "0", "worldYinM", "7"},  // at most 327 m: the home row bar ends there
      {&Panel::txtWorldYinM, "1", "homeYPos", "95"},
      {&Panel::txtWorldYinM, "327", "worldYinCm", "32700"},
      {&Panel::txtWorldYinM, "328", "worldYinM", "7"},
      {&Panel::txtPercentFood, "-1", "percentFood", "3"},  // from 0 to 100
      {&Panel::txtPercentFood, "-0", "percentFood", "0"},
      {&Panel::txtPercentFood, "100", "totalFood", "24500000"},
      {&Panel::txtPercentFood, "100.5", "percentFood", "3"},
      {&Panel::txtFoodQuality, "-1", "foodQuality", "50"},  // not negative, totals within 32 bits
      {&Panel::txtFoodQuality, "-0", "totalFood", "0"},
      {&Panel::txtFoodQuality, "32767", "foodQuality", "32767"},
      {&Panel::txtModelTimeStep, "-0", "modelTimeStep", "0.5"},  // more than 0, at most 1e9 s
      {&Panel::txtModelTimeStep, "0.001", "maxVel", "0.007"},
      {&Panel::txtModelTimeStep, "1e9", "modelTimeStep", "1000000000"},
      {&Panel::txtModelTimeStep, "2e9", "modelTimeStep", "0.5"},
      {&Panel::txtMaxVel, "10", "maxVel", "5"},  // per step of 0.5 s
      {&Panel::txtMinVel, "2", "minVel", "1"},
      {&Panel::txtSaveTime, "0", "saveInterval", "2", "1"},  // more than half a step
      {&Panel::txtSaveTime, "0.25", "saveInterval", "2"},
      {&Panel::txtSaveTime, "0.26", "saveInterval", "0.52"},
      {&Panel::txtImageName, "", "imageName", "TrackAnts"},
  };
  for (const Case& c : kCases) {
    LoadedForm t;
    TextBox& box = t.p.*c.box;
    box.SetText(c.text);
    EXPECT_EQ(t.form.FieldText(c.field).value_or("no such field"), c.value) << box.name() << " \"" << c.text << "\"";
    EXPECT_EQ(box.text(), c.shown ? c.shown : c.text) << box.name() << " \"" << c.text << "\"";
    EXPECT_EQ(t.host.questions, 0);
  }
}

// A world edit moves the nest and the canvas scale but leaves the layers;
// a lower height pulls the home-row bar down and runs its rule.
TEST(EditRules, WorldEditsMoveTheNestAndTheView) {
  LoadedForm t;
  MainForm& f = t.form;
  t.p.txtWorldXinM.SetText("3");
  EXPECT_EQ(f.homeXPos, 150);
  EXPECT_EQ(f.pctWorld.ScaleWidth(), 300);
  t.p.txtWorldYinM.SetText("4");
  EXPECT_EQ(t.p.scrColonyYPos.max(), 395);
  EXPECT_EQ(f.homeYPos, 395);
  EXPECT_EQ(t.p.lblHomeYPos.caption(), "Home Y Position = 395");
  EXPECT_EQ(t.p.lblWorldSizeInCm.caption(), "(300 cm x 400 cm)");
  EXPECT_EQ(f.pctWorld.ScaleHeight(), 400);
  EXPECT_EQ(f.worldAspect, 1.0f);  // until the next full load
}

// Every text box against texts that are no usable value: empty or blank ones
// are ignored silently, anything else is refused with a message that names the
// box, and in both cases no field changes.
TEST(EditRules, EveryBoxRefusesTextsThatAreNoUsableValue) {
  static const char* const kFields[] = {
      "numAnts",       "leaveInterval", "antsPerPatch", "emptyNodeWeightOut", "pherToDropOut", "pherToDropIn",
      "fiftyPercProb", "modelTimeStep", "worldXinM",    "worldYinM",          "worldXinCm",    "worldYinCm",
      "maxVel",        "minVel",        "maxPherToSat", "antNumber",          "percentFood",   "foodQuality",
      "saveInterval",  "velSlope",      "homeXPos",     "homeYPos",           "totalFood",     "numFoodItems",
      "imageName",     "saveFilePath"};
  auto fields = [](const MainForm& f) {
    std::map<std::string, std::string> m;
    for (const char* name : kFields) m[name] = f.FieldText(name).value_or("no such field");
    return m;
  };
  const std::vector<std::string> blank = {"", "   "};
  const std::vector<std::string> hostile = {
      "abc", "1e999", "-1e999", "12abc", std::string(10000, '7'), std::string(10000, 'x')};
  LoadedForm t;
  t.StartAndRun(2);  // also with a run in place
  const auto before = fields(t.form);
  for (TextBox* box :
       {&t.p.txtNumAnts, &t.p.txtLeaveInterval, &t.p.txtAntsPerPatch, &t.p.txtEmptyNodeWeightOut, &t.p.txtPherToDropOut,
        &t.p.txtPherToDropIn, &t.p.txtFiftyPercProb, &t.p.txtMaxPherValue, &t.p.txtModelTimeStep, &t.p.txtWorldXinM,
        &t.p.txtWorldYinM, &t.p.txtMaxVel, &t.p.txtMinVel, &t.p.txtMaxPherToSat, &t.p.txtAntNumber, &t.p.txtPercentFood,
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

}  // namespace
}  // namespace antraid
