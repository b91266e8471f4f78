// The panel's table of controls: every derived list agrees with the panel,
// and the facts the window, the parameter files and the sweep read from it.
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
  EXPECT_EQ(panel.all().size(), 56u);
  EXPECT_EQ(FindControl("txtNoSuchBox"), nullptr);
}

TEST(PanelControls, HandlersFitTheirControls) {
  int clicks = 0, changes = 0, scrolls = 0;
  for (const ControlSpec& c : PanelControls()) {
    switch (c.handler) {
      case HandlerKind::Click:
        ++clicks;
        EXPECT_TRUE(c.type == ControlType::Button || c.type == ControlType::CheckBox) << c.name;
        break;
      case HandlerKind::Change:
        ++changes;
        EXPECT_TRUE(c.type == ControlType::TextBox || c.type == ControlType::ScrollBar) << c.name;
        break;
      case HandlerKind::ChangeScroll:
        ++scrolls;
        EXPECT_EQ(c.type, ControlType::ScrollBar) << c.name;
        break;
      case HandlerKind::None:
        break;
    }
  }
  // Five buttons and seven check boxes; twenty boxes and two bars; the two
  // path colour bars also follow their thumb.
  EXPECT_EQ(clicks, 12);
  EXPECT_EQ(changes, 22);
  EXPECT_EQ(scrolls, 2);
}

TEST(PanelControls, CaptionsComeFromTheTable) {
  const ControlCaption* total = FindCaption("txtNumAnts");
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->shown, "Total #:");
  EXPECT_EQ(total->named, "Total #");
  const ControlCaption* height = FindCaption("txtWorldYinM");
  ASSERT_NE(height, nullptr);
  EXPECT_EQ(height->shown, "");
  EXPECT_EQ(height->named, "World height");
  EXPECT_EQ(FindCaption("lblHomeYPos"), nullptr);
  EXPECT_EQ(FindCaption("txtColonyWidth"), nullptr);
  EXPECT_EQ(ControlCaptions().size(), 28u);
  Panel panel;
  EXPECT_EQ(panel.CaptionOf(panel.txtColonyWidth), "txtColonyWidth");
  EXPECT_EQ(panel.CaptionOf(panel.txtMaxPherValue), "Max. pheromone shown");
}

TEST(PanelControls, ParameterFileOrderIsOneToThirtyOneOverTheSettings) {
  std::vector<std::string_view> byOrder(32);
  for (const ControlSpec& c : PanelControls()) {
    if (c.fileOrder == 0) continue;
    ASSERT_GE(c.fileOrder, 1);
    ASSERT_LE(c.fileOrder, 31);
    EXPECT_TRUE(byOrder[c.fileOrder].empty()) << c.fileOrder << " given twice";
    byOrder[c.fileOrder] = c.name;
    EXPECT_NE(c.type, ControlType::Label) << c.name;
    EXPECT_NE(c.type, ControlType::Button) << c.name;
  }
  // World sizes before the colony position, ants before the tracked ant,
  // the time step before the velocities, the path before the save box.
  EXPECT_EQ(byOrder[1], "txtWorldXinM");
  EXPECT_EQ(byOrder[3], "scrColonyYPos");
  EXPECT_EQ(byOrder[7], "txtNumAnts");
  EXPECT_EQ(byOrder[8], "txtAntNumber");
  EXPECT_EQ(byOrder[16], "txtModelTimeStep");
  EXPECT_EQ(byOrder[17], "txtMaxVel");
  EXPECT_EQ(byOrder[23], "txtSaveFilePath");
  EXPECT_EQ(byOrder[31], "chkSaveImages");
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

TEST(PanelControls, TabStopsRunDownTheMiddleColumnThenTheRightOne) {
  std::vector<const ControlSpec*> stops;
  for (const ControlSpec& c : PanelControls())
    if (c.place.tabStop) stops.push_back(&c);
  std::ranges::sort(stops, {}, [](const ControlSpec* c) { return c->place.order; });
  ASSERT_EQ(stops.size(), 36u);
  EXPECT_EQ(stops.front()->name, "cmdStartProgram");
  EXPECT_EQ(stops[5]->name, "chkPlotFood");
  // Inside the response graph, between the 50% box and the world size.
  EXPECT_EQ(stops[12]->name, "txtFiftyPercProb");
  EXPECT_EQ(stops[13]->name, "txtMaxPherValue");
  EXPECT_EQ(stops[14]->name, "txtWorldXinM");
  EXPECT_EQ(stops[16]->name, "chkUseVel");
  EXPECT_EQ(stops[21]->name, "txtNumAnts");
  EXPECT_EQ(stops.back()->name, "txtImageName");
}

}  // namespace
}  // namespace antraid
