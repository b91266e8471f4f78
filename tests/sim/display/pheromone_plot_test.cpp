// The pheromone plot. The shades of the default 900 ants (1, 10 and 300
// units and more) are printed by tests/scenarios/pheromone_plot.script.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "sim/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;
using Raster = std::vector<uint32_t>;
using testing::Snapshot;

// Before the first start the plot does nothing, not even a pass of events.
// A level is the amount times 255 / (ants / 3) in double precision, rounded
// half to even and capped at 255; cells holding nothing are left as drawn.
TEST(PheromonePlot, LevelsScaleWithAThirdOfTheAntsWhateverTheirNumber) {
  LoadedForm t;
  MainForm& f = t.form;
  const Raster before = Snapshot(f.pctWorld);
  t.p.cmdPlotPher.Click();
  EXPECT_EQ(t.p.txtDebugMsg.text(), "");
  EXPECT_EQ(t.host.passes, 0);
  EXPECT_TRUE(Snapshot(f.pctWorld) == before);

  t.StartAndRun(2);
  const std::tuple<int32_t, int32_t, int> kCases[] = {
      {1, 1, 255}, {2, 1, 255},  {4, 1, 191},  {4, 2, 255},  {5, 1, 153},
      {10, 1, 76}, {10, 3, 230}, {899, 10, 9}, {901, 10, 8}, {1000, 2000000000, 255}};  // ants, units, level
  for (auto [ants, units, level] : kCases) {
    f.params.numAnts = ants;  // only the plot reads it here
    f.run.pherGrid.cells().assign(f.run.pherGrid.cells().size(), 0);
    f.run.pherGrid.Set(140, 140, units);
    f.run.pherGrid.Set(280, 140, -7);
    t.p.cmdClearScreen.Click();
    f.pctWorld.PSet(420, 140, RGB(0, 0, 250));
    t.p.cmdPlotPher.Click();
    EXPECT_EQ(f.pctWorld.Pixel(100, 100), RGB(255, 255 - level, 255 - level)) << ants << " ants, " << units;
    EXPECT_EQ(f.pctWorld.Pixel(200, 100), f.pctWorld.BackColor());
    EXPECT_EQ(f.pctWorld.Pixel(300, 100), RGB(0, 0, 250));
  }
}

TEST(PheromonePlot, AZoomDrawsTheVisiblePartWithItsPen) {
  LoadedForm t;
  MainForm& f = t.form;
  t.p.txtNumAnts.SetText("1");
  t.StartAndRun(2);
  f.run.pherGrid.cells().assign(f.run.pherGrid.cells().size(), 0);
  for (int32_t xy : {10, 20, 30, 40, 690}) f.run.pherGrid.Set(xy, xy, 1);
  for (int k = 0; k < 3; ++k) f.pctWorld_MouseDown(1, 0, 10, 10);  // 405 cm wide, pen 2
  ASSERT_EQ(f.drawing.drawWidth, 2);
  t.p.cmdClearScreen.Click();
  t.p.cmdPlotPher.Click();
  const Canvas& c = f.pctWorld;
  EXPECT_EQ(testing::CountPixels(c, RGB(255, 0, 0)), 4 * 2 * 2);  // four cells in view, 2 x 2 pixels each; 690 is not
  const int px = static_cast<int>(30 * 500 / c.ScaleWidth());
  EXPECT_EQ(c.Pixel(px, px), RGB(255, 0, 0));
}

// The trails picture is what Clear Screen and Plot Pheromone show in the
// window, made without touching the world canvas.
TEST(PheromonePlot, TheTrailsPictureIsThePlotOnAClearedCopyOfTheWorld) {
  LoadedForm t;
  MainForm& f = t.form;
  const Raster blank = Snapshot(f.TrailsPicture());
  EXPECT_EQ(testing::CountPixels(f.TrailsPicture(), f.pctWorld.BackColor()), 500 * 500);  // before any run
  t.StartAndRun(3);
  f.run.pherGrid.cells().assign(f.run.pherGrid.cells().size(), 0);
  f.run.pherGrid.Set(140, 140, 100);  // 100 x 255 / 300 = 85: RGB(255, 170, 170)
  f.run.pherGrid.Set(280, 140, 400);  // beyond a third of the 900 ants: full red
  const Raster world = Snapshot(f.pctWorld);
  const uint64_t version = f.pctWorld.version();
  const Canvas trails = f.TrailsPicture();
  EXPECT_TRUE(Snapshot(f.pctWorld) == world);
  EXPECT_EQ(f.pctWorld.version(), version);
  EXPECT_EQ(trails.Pixel(100, 100), RGB(255, 170, 170));
  EXPECT_EQ(trails.Pixel(200, 100), RGB(255, 0, 0));
  EXPECT_EQ(trails.Pixel(300, 100), f.pctWorld.BackColor());
  EXPECT_FALSE(Snapshot(trails) == blank);

  t.p.cmdClearScreen.Click();
  t.p.cmdPlotPher.Click();
  EXPECT_TRUE(Snapshot(trails) == Snapshot(f.pctWorld));
}

}  // namespace
}  // namespace antraid
