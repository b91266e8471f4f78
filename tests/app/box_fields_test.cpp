// The value in effect behind a text box: what the program holds when the
// box's text was refused, out of range, or left behind by another rule.
#include "app/box_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sim/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;

TEST(BoxFields, AFreshPanelAndAcceptedValuesAreInEffect) {
  LoadedForm t;
  auto expectAllInEffect = [&] {
    for (const Control* c : t.p.all()) {
      auto* box = dynamic_cast<const TextBox*>(c);
      EXPECT_TRUE(!box || !ValueInEffect(t.form, *box)) << c->name();
    }
  };
  expectAllInEffect();
  t.form.actions.Type(t.p.txtMaxVel, "3");
  t.form.actions.Type(t.p.txtNumAnts, "40");
  t.form.actions.Type(t.p.txtPercentFood, "2");
  t.form.actions.Type(t.p.txtSaveFilePath, "frames/");
  expectAllInEffect();
}

TEST(BoxFields, ARefusedOrClampedTextShowsTheValueInEffectInTheBoxsUnits) {
  LoadedForm t;
  UserActions& a = t.form.actions;
  // Out of range: the time step stays 0.5 s while the box keeps 1e30.
  a.Type(t.p.txtModelTimeStep, "1e30");
  EXPECT_EQ(t.p.txtModelTimeStep.text(), "1e30");
  EXPECT_EQ(t.form.params.modelTimeStep, 0.5f);
  EXPECT_EQ(ValueInEffect(t.form, t.p.txtModelTimeStep), std::optional<std::string>("0.5"));
  // A new time step leaves the frames' period at 2 steps: 0.5 s of 0.25 s
  // each are in effect where the box still says 1 s.
  a.Type(t.p.txtModelTimeStep, "0.25");
  EXPECT_EQ(ValueInEffect(t.form, t.p.txtModelTimeStep), std::nullopt);
  EXPECT_EQ(ValueInEffect(t.form, t.p.txtSaveTime), std::optional<std::string>("0.5"));
  a.Type(t.p.txtModelTimeStep, "0.5");
  EXPECT_EQ(ValueInEffect(t.form, t.p.txtSaveTime), std::nullopt);
  // Not a number: the count of ants stays 900.
  a.Type(t.p.txtNumAnts, "many");
  EXPECT_EQ(ValueInEffect(t.form, t.p.txtNumAnts), std::optional<std::string>("900"));
  // A speed held per step is said per second: 7 cm/s is 3.5 cm a 0.5 s step.
  a.Type(t.p.txtMaxVel, "fast");
  EXPECT_EQ(t.form.params.maxVel, 3.5f);
  EXPECT_EQ(ValueInEffect(t.form, t.p.txtMaxVel), std::optional<std::string>("7"));
  // A box that only Start reads has no value in effect before it.
  a.Type(t.p.txtEmptyNodeWeightIn, "nothing");
  EXPECT_EQ(ValueInEffect(t.form, t.p.txtEmptyNodeWeightIn), std::nullopt);
  // A read-out is not a setting.
  t.p.txtDebugMsg.SetText("anything");
  EXPECT_EQ(ValueInEffect(t.form, t.p.txtDebugMsg), std::nullopt);
}

}  // namespace
}  // namespace antraid
