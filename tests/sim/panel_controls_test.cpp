// The panel's table of controls: every row is one control of the panel, its
// handler fits its kind, captions, and the rows the window lays out together.
#include "sim/panel_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "sim/panel.h"

namespace antraid {
namespace {

bool IsType(Control* c, ControlType type) {
  switch (type) {
    case ControlType::Button: return dynamic_cast<Button*>(c) != nullptr;
    case ControlType::TextBox: return dynamic_cast<TextBox*>(c) != nullptr;
    case ControlType::ScrollBar: return dynamic_cast<ScrollBar*>(c) != nullptr;
    case ControlType::CheckBox: return dynamic_cast<CheckBox*>(c) != nullptr;
    case ControlType::Label: return dynamic_cast<Label*>(c) != nullptr;
  }
  return false;
}

TEST(PanelControls, EveryRowIsOnePanelControlOfItsTypeAndEveryControlHasARow) {
  Panel panel;
  std::set<std::string_view> names;
  for (const ControlSpec& c : PanelControls()) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name << " declared twice";
    Control* control = panel.Find(c.name);
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_TRUE(IsType(control, c.type)) << c.name;
    EXPECT_EQ(FindControl(c.name), &c);
  }
  EXPECT_EQ(names.size(), panel.all().size());
  EXPECT_EQ(FindControl("txtNoSuchBox"), nullptr);
}

TEST(PanelControls, HandlersFitTheirControls) {
  for (const ControlSpec& c : PanelControls()) {
    const bool fits = c.handler == HandlerKind::Click    ? c.type == ControlType::Button || c.type == ControlType::CheckBox
                      : c.handler == HandlerKind::Change ? c.type == ControlType::TextBox || c.type == ControlType::ScrollBar
                      : c.handler == HandlerKind::ChangeScroll ? c.type == ControlType::ScrollBar
                                                               : true;
    EXPECT_TRUE(fits) << c.name;
  }
}

// A box's caption in messages may differ from the one shown beside it; a
// control without one is named by its name.
TEST(PanelControls, CaptionsComeFromTheTable) {
  const ControlCaption* height = FindCaption("txtWorldYinM");
  ASSERT_NE(height, nullptr);
  EXPECT_EQ(height->shown, "");
  EXPECT_EQ(height->named, "World height");
  Panel panel;
  EXPECT_EQ(panel.CaptionOf(panel.txtColonyWidth), "txtColonyWidth");
  EXPECT_EQ(panel.CaptionOf(panel.txtMaxPherValue), "Max. pheromone shown");
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
