// Edit rules: what one change in the panel does between two full loads.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/test_form.h"

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
  EXPECT_EQ(t.form.params.numAnts, 1200);
  EXPECT_EQ(t.p.lblAntsPerStep.caption(), "(20 ants/sec)");
}

// Each rule's limits, typed into a freshly loaded panel, one step to either
// side: what the field holds afterwards and, for the rules that write a value
// back, what the box shows. The plain write-backs and echoes are printed by
// tests/scenarios/edit_rules.script; the number of ants once a run exists by
// tests/scenarios/ant_number_change.script.
TEST(EditRules, EachRuleTakesValuesUpToItsLimitsAndNoFurther) {
  struct Typed {
    const char *text, *value;     // value: of the box's field, or "field=value" of another
    const char* shown = nullptr;  // the box afterwards, when not the text typed
  };
  struct Case {
    TextBox Panel::*box;
    const char* field;
    std::vector<Typed> typed;
  };
  const Case kCases[] = {
      // more than 0, at most 32767
      {&Panel::txtNumAnts, "numAnts", {{"0", "900"}, {"1", "1"}, {"-0", "900"}, {"32767", "32767"}, {"32768", "900"}}},
      // more than 0
      {&Panel::txtAntsPerPatch, "antsPerPatch", {{"0", "5"}, {"1", "1"}, {"32767", "32767"}, {"32768", "5"}}},
      {&Panel::txtEmptyNodeWeightOut, "emptyNodeWeightOut", {{"0", "5"}, {"1", "1"}}},
      {&Panel::txtFiftyPercProb, "fiftyPercProb", {{"0", "100"}, {"1", "1"}}},
      {&Panel::txtLeaveInterval, "leaveInterval", {{"-0", "0"}, {"32768", "1"}}},
      {&Panel::txtPherToDropOut, "pherToDropOut", {{"-2", "-2"}, {"-32769", "1"}}},
      // at most 30000
      {&Panel::txtMaxPherToSat, "maxPherToSat", {{"-0", "0"}, {"29999", "29999"}, {"30001", "300", "300"}}},
      // not 0, at most the number of ants
      {&Panel::txtAntNumber, "antNumber", {{"0", "50"}, {"", "50"}, {"-1", "-1"}, {"899", "899"}, {"900", "900"},
          {"901", "900", "900"}}},
      // at least 1 m, at most 4e8 patches
      {&Panel::txtWorldXinM, "worldXinM", {{"0", "7"}, {"1", "worldXinCm=100"}, {"5714", "5714"}, {"5715", "7"}}},
      // at most 327 m: the home row bar ends there
      {&Panel::txtWorldYinM, "worldYinM", {{"0", "7"}, {"1", "homeYPos=95"}, {"327", "worldYinCm=32700"},
          {"328", "7"}}},
      // from 0 to 100
      {&Panel::txtPercentFood, "percentFood", {{"-1", "3"}, {"-0", "0"}, {"100", "totalFood=24500000"},
          {"100.5", "3"}}},
      // not negative, totals within 32 bits
      {&Panel::txtFoodQuality, "foodQuality", {{"-1", "50"}, {"-0", "totalFood=0"}, {"32767", "32767"}}},
      // more than 0, at most 1e9 s
      {&Panel::txtModelTimeStep, "modelTimeStep", {{"-0", "0.5"}, {"0.001", "maxVel=0.007"}, {"1e9", "1000000000"},
          {"2e9", "0.5"}}},
      // per step of 0.5 s
      {&Panel::txtMaxVel, "maxVel", {{"10", "5"}}},
      {&Panel::txtMinVel, "minVel", {{"2", "1"}}},
      // more than half a step
      {&Panel::txtSaveTime, "saveInterval", {{"0", "2", "1"}, {"0.25", "2"}, {"0.26", "0.52"}}},
      {&Panel::txtImageName, "imageName", {{"", "TrackAnts"}}},
  };
  for (const Case& c : kCases)
    for (const Typed& typed : c.typed) {
      LoadedForm t;
      TextBox& box = t.p.*c.box;
      box.SetText(typed.text);
      const std::string_view value = typed.value;
      const size_t eq = value.find('=');
      const std::string field = eq == value.npos ? c.field : std::string(value.substr(0, eq));
      EXPECT_EQ(t.form.FieldText(field).value_or("no such field"), eq == value.npos ? value : value.substr(eq + 1))
          << box.name() << " \"" << typed.text << "\"";
      EXPECT_EQ(box.text(), typed.shown ? typed.shown : typed.text) << box.name() << " \"" << typed.text << "\"";
      EXPECT_EQ(t.host.questions, 0);
    }
}

// A world edit moves the nest and the canvas scale but leaves the layers;
// a lower height pulls the home-row bar down and runs its rule.
TEST(EditRules, WorldEditsMoveTheNestAndTheView) {
  LoadedForm t;
  MainForm& f = t.form;
  t.p.txtWorldXinM.SetText("3");
  EXPECT_EQ(f.params.homeXPos, 150);
  EXPECT_EQ(f.pctWorld.ScaleWidth(), 300);
  t.p.txtWorldYinM.SetText("4");
  EXPECT_EQ(t.p.scrColonyYPos.max(), 395);
  EXPECT_EQ(f.params.homeYPos, 395);
  EXPECT_EQ(t.p.lblHomeYPos.caption(), "Home Y Position = 395");
  EXPECT_EQ(t.p.lblWorldSizeInCm.caption(), "(300 cm x 400 cm)");
  EXPECT_EQ(f.pctWorld.ScaleHeight(), 400);
  EXPECT_EQ(f.drawing.worldAspect, 1.0f);  // until the next full load
}

// Every text box against texts that are no usable value: empty or blank ones
// are ignored silently, anything else is refused with a message that names the
// box, and in both cases no field changes.
TEST(EditRules, EveryBoxRefusesTextsThatAreNoUsableValue) {
  auto fields = [](const MainForm& f) {
    std::map<std::string_view, std::string> m;
    for (std::string_view name : MainForm::FieldNames()) m[name] = *f.FieldText(name);
    return m;
  };
  const std::vector<std::string> blank = {"", "   "};
  const std::vector<std::string> hostile = {
      "abc", "1e999", "-1e999", "12abc", std::string(10000, '7'), std::string(10000, 'x')};
  LoadedForm t;
  t.StartAndRun(2);  // also with a run in place
  const auto before = fields(t.form);
  for (Control* c : t.p.all()) {
    auto* box = dynamic_cast<TextBox*>(c);
    // Every box with an edit rule but the two names, which take any text.
    if (!box || !box->onChange || box == &t.p.txtImageName || box == &t.p.txtSaveFilePath) continue;
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
  EXPECT_FALSE(t.form.run.running);
}

}  // namespace
}  // namespace antraid
