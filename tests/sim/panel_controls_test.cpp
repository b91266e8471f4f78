// The panel's table of controls: every row is one control of the panel, and
// the rows the window lays out together.
#include "sim/panel_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sim/panel.h"

namespace antraid {
namespace {

// The panel's members, their types, the table's rows and the handler wiring
// all come from ANTRAID_PANEL_CONTROLS, and the compiler only lets a click
// handler onto a button or check box and a change handler onto a box or bar:
// what is left to check is that every row is found by its name.
TEST(PanelControls, EveryRowIsFoundByItsNameOnThePanelAndInTheTable) {
  Panel panel;
  for (const ControlSpec& c : PanelControls()) {
    EXPECT_NE(panel.Find(c.name), nullptr) << c.name;
    EXPECT_EQ(FindControl(c.name), &c);
  }
  EXPECT_EQ(PanelControls().size(), panel.all().size());
  EXPECT_EQ(FindControl("txtNoSuchBox"), nullptr);
  // A box without a caption of its own is named in messages by its name (the
  // named captions: the messages the parameter load and model tests pin).
  EXPECT_EQ(panel.CaptionOf(panel.txtColonyWidth), "txtColonyWidth");
}

// A row that takes the controls after it must find them in its group.
TEST(PanelControls, RowsThatHoldSeveralControlsFindThemNextInTheirGroup) {
  auto followers = [](RowShape shape) -> std::vector<ControlType> {
    switch (shape) {
      case RowShape::WorldSize: return {ControlType::TextBox};
      case RowShape::EmptyWeights: return {ControlType::TextBox};
      case RowShape::BarWithBox: return {ControlType::TextBox};
      case RowShape::PathColors: return {ControlType::TextBox, ControlType::ScrollBar, ControlType::TextBox};
      default: return {};
    }
  };
  for (const ControlSpec& c : PanelControls()) {
    std::vector<const ControlSpec*> after;
    for (const ControlSpec& d : PanelControls())
      if (d.place.group == c.place.group && d.place.order > c.place.order) after.push_back(&d);
    std::ranges::sort(after, {}, [](const ControlSpec* d) { return d->place.order; });
    const std::vector<ControlType> want = followers(c.place.shape);
    ASSERT_GE(after.size(), want.size()) << c.name;
    for (size_t k = 0; k < want.size(); ++k) {
      EXPECT_EQ(after[k]->type, want[k]) << c.name << " + " << k + 1;
      EXPECT_EQ(after[k]->place.shape, RowShape::Own) << after[k]->name << " is laid out twice";
    }
  }
}

}  // namespace
}  // namespace antraid
