#include "common/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace antraid {
namespace {

// A write from outside (g++ 12 misreads the string copy when it sees both
// texts at once and warns about overlap).
[[gnu::noinline]] bool Write(TextBox& box, const std::string& text) { return box.SetText(text); }

TEST(Controls, AProgramWriteRunsTheChangeHandlerOnlyWhenTheValueDiffers) {
  TextBox box("txtA", "5", 0);
  std::vector<std::string> seen;
  box.onChange = [&] { seen.push_back(box.text()); };
  std::vector<bool> changed;
  for (const std::string& t : {std::string("5"), std::string("12"), std::string("12"), std::string()})
    changed.push_back(Write(box, t));
  EXPECT_EQ(changed, (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(seen, (std::vector<std::string>{"12", ""}));

  ScrollBar bar("scrB", 1, 100, 15);
  int changes = 0, scrolls = 0;
  bar.onChange = [&] { ++changes; };
  bar.onScroll = [&] { ++scrolls; };
  bar.SetValue(15);
  bar.SetValue(40);
  bar.SetValue(500);  // pulled to the maximum
  EXPECT_EQ(bar.value(), 100);
  bar.SetValue(-3);
  EXPECT_EQ(bar.value(), 1);
  EXPECT_EQ(changes, 3);
  bar.Drag(70);  // the thumb being dragged runs the scroll handler only
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(bar.value(), 70);
  bar.SetMax(995);  // a higher maximum leaves the value; a lower one pulls it down and runs the rule
  EXPECT_EQ(bar.value(), 70);
  bar.SetMax(50);
  EXPECT_EQ(bar.value(), 50);
  EXPECT_EQ(bar.max(), 50);
  EXPECT_EQ(changes, 4);
}

TEST(Controls, AHandlerThatWritesAnotherControlRunsItsHandlerFirst) {
  TextBox a("txtA", "first", 0), b("txtB", "second", 0);
  std::vector<std::string> order;
  a.onChange = [&] {
    order.push_back("a begins");
    b.SetText(a.text() + "!");
    order.push_back("a ends with b = " + b.text());
  };
  b.onChange = [&] { order.push_back("b sees " + b.text()); };
  Write(a, "x");
  EXPECT_EQ(order, (std::vector<std::string>{"a begins", "b sees x!", "a ends with b = x!"}));
}

TEST(Controls, ACheckBoxRunsItsHandlerOnAClickButNotWhenTheProgramSetsIt) {
  CheckBox box("chkC", "C?", 0);
  std::vector<int> seen;
  box.onClick = [&] { seen.push_back(box.value()); };
  box.SetValue(1);
  box.SetValue(0);
  EXPECT_TRUE(seen.empty());
  box.Click();
  box.Click();
  EXPECT_EQ(seen, (std::vector<int>{1, 0}));
  box.SetEnabled(false);
  box.Click();
  EXPECT_EQ(box.value(), 0);
  EXPECT_EQ(seen.size(), 2u);

  Button button("cmdB", "Go");
  int clicks = 0;
  button.onClick = [&] { ++clicks; };
  button.Click();
  button.SetEnabled(false);
  button.Click();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace antraid
