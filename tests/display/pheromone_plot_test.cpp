#include <gtest/gtest.h>

#include <vector>

#include "app/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;

TEST(PheromonePlot, BeforeTheFirstStartNothingHappens) {
  LoadedForm t;
  const std::vector<uint32_t> before(t.form.pctWorld.pixels(), t.form.pctWorld.pixels() + 500 * 500);
  t.p.cmdPlotPher.Click();
  EXPECT_EQ(t.p.txtDebugMsg.text(), "");
  EXPECT_EQ(t.host.passes, 0);
  EXPECT_EQ(std::vector<uint32_t>(t.form.pctWorld.pixels(), t.form.pctWorld.pixels() + 500 * 500), before);
}

TEST(PheromonePlot, ShadesRunFromAlmostWhiteToRedAtAThirdOfTheAnts) {
  LoadedForm t;
  MainForm& f = t.form;
  t.StartAndRun(2);
  f.pherGrid.cells().assign(f.pherGrid.cells().size(), 0);
  f.pherGrid.Set(10, 10, 1);
  f.pherGrid.Set(20, 20, 10);
  f.pherGrid.Set(30, 30, 300);
  f.pherGrid.Set(40, 40, 2000000000);
  f.pherGrid.Set(50, 50, -7);  // never plotted
  t.p.cmdClearScreen.Click();
  f.pctWorld.PSet(60, 60, RGB(0, 0, 250));  // a dot on a cell without pheromone stays
  std::string shownWhilePlotting;
  t.host.onDoEvents = [&] { shownWhilePlotting = t.p.txtDebugMsg.text(); };
  t.p.cmdPlotPher.Click();
  EXPECT_EQ(shownWhilePlotting, "Plotting");
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Done");
  const Canvas& c = f.pctWorld;
  EXPECT_EQ(c.Pixel(7, 7), RGB(255, 254, 254));    // factor 0.85: level 1
  EXPECT_EQ(c.Pixel(14, 14), RGB(255, 247, 247));  // 8.5 rounds to 8
  EXPECT_EQ(c.Pixel(21, 21), RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(28, 28), RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(35, 35), c.BackColor());
  EXPECT_EQ(c.Pixel(42, 42), RGB(0, 0, 250));

}

TEST(PheromonePlot, WithOneAntOneUnitIsPureRedAndAZoomDrawsTheVisiblePartWithItsPen) {
  LoadedForm t;
  MainForm& f = t.form;
  t.p.txtNumAnts.SetText("1");
  t.StartAndRun(2);
  f.pherGrid.cells().assign(f.pherGrid.cells().size(), 0);
  for (int32_t xy : {10, 20, 30, 40, 690}) f.pherGrid.Set(xy, xy, 1);
  for (int k = 0; k < 3; ++k) f.pctWorld_MouseDown(1, 0, 10, 10);  // 405 cm wide, pen 2
  ASSERT_EQ(f.drawWidth, 2);
  t.p.cmdClearScreen.Click();
  t.p.cmdPlotPher.Click();
  const Canvas& c = f.pctWorld;
  int red = 0;
  for (int k = 0; k < c.width() * c.height(); ++k) red += c.pixels()[k] == ToArgb(RGB(255, 0, 0));
  EXPECT_EQ(red, 4 * 2 * 2);  // four cells in view, 2 x 2 pixels each; 690 is not
  const int px = static_cast<int>(30 * 500 / c.ScaleWidth());
  EXPECT_EQ(c.Pixel(px, px), RGB(255, 0, 0));
}

}  // namespace
}  // namespace antraid
