// The zoom view: clicks change the canvas window into the world; an ALT drag
// shows a rubber-band rectangle that keeps the world's aspect ratio.
#include <gtest/gtest.h>

#include <vector>

#include "app/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;
using Raster = std::vector<uint32_t>;
Raster Snapshot(const Canvas& c) { return Raster(c.pixels(), c.pixels() + c.width() * c.height()); }

constexpr int kPlain = 0, kShift = 1, kCtrl = 2, kAlt = 4;  // modifier masks

TEST(Zoom, PlainClicksZoomInAroundThePointAndWidenThePen) {
  LoadedForm t;
  MainForm& f = t.form;
  const Canvas& c = f.pctWorld;
  f.pctWorld_MouseDown(1, kPlain, 350, 350);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "0");
  EXPECT_FLOAT_EQ(c.ScaleLeft(), 58.333333f);
  EXPECT_FLOAT_EQ(c.ScaleTop(), 58.333333f);
  EXPECT_FLOAT_EQ(c.ScaleWidth(), 583.33333f);
  EXPECT_FLOAT_EQ(c.ScaleHeight(), 583.33333f);
  std::vector<int> widths = {f.drawWidth};
  for (int k = 0; k < 5; ++k) {
    f.pctWorld_MouseDown(2, kPlain, 350, 350);
    widths.push_back(f.drawWidth);
  }
  EXPECT_EQ(widths, (std::vector<int>{1, 1, 2, 2, 2, 3}));
  EXPECT_EQ(c.DrawWidth(), 3);
  f.pctWorld_MouseUp(1, kPlain, 350, 350);  // any release shows the window's width
  EXPECT_EQ(t.p.lblWorldWidth.caption(), "Window Width: 234cm");

  // Zooming in and out at one point are inverses while no limit applies.
  const float left = c.ScaleLeft(), width = c.ScaleWidth();
  f.pctWorld_MouseDown(1, kPlain, 340, 360);
  f.pctWorld_MouseDown(1, kCtrl, 340, 360);
  EXPECT_FLOAT_EQ(c.ScaleWidth(), width);
  EXPECT_FLOAT_EQ(c.ScaleLeft(), left - 10);
  EXPECT_EQ(f.drawWidth, 3);
}

TEST(Zoom, TheNewWindowStaysInsideTheViewAndTheWorld) {
  LoadedForm t;
  MainForm& f = t.form;
  const Canvas& c = f.pctWorld;
  f.pctWorld_MouseDown(1, kPlain, 350, 350);  // view 58.3 .. 641.7
  f.pctWorld_MouseDown(1, kPlain, 630, 640);  // near its right and bottom edges
  EXPECT_FLOAT_EQ(c.ScaleLeft() + c.ScaleWidth(), 641.66667f);
  EXPECT_FLOAT_EQ(c.ScaleTop() + c.ScaleHeight(), 641.66667f);
  f.pctWorld_MouseDown(1, kPlain, 2, 3);  // near the world's top left corner
  EXPECT_EQ(c.ScaleLeft(), 0);
  EXPECT_EQ(c.ScaleTop(), 0);
  EXPECT_FLOAT_EQ(c.ScaleWidth(), 700 / (1.2f * 1.2f * 1.2f));

  // Ctrl-click: the enlarged window is centred on the point with no limit,
  // unless from the current left or top edge it would reach the world's end.
  f.pctWorld_MouseDown(1, kCtrl, 100, 100);
  EXPECT_FLOAT_EQ(c.ScaleLeft(), 100 - c.ScaleWidth() / 2);
  f.pctWorld_MouseDown(1, kCtrl, 0, 0);
  EXPECT_FLOAT_EQ(c.ScaleLeft(), -291.66666f);  // beyond the world's edge
  f.pctWorld_MouseDown(1, kCtrl, 650, 650);  // the width is capped at the world's
  EXPECT_EQ(c.ScaleLeft(), 300);
  EXPECT_EQ(c.ScaleWidth(), 700);
  f.pctWorld_MouseDown(1, kCtrl, 650, 650);  // 300 + 700 reaches 700: whole world
  EXPECT_EQ(c.ScaleLeft(), 0);
  EXPECT_EQ(c.ScaleTop(), 0);
  EXPECT_EQ(c.ScaleWidth(), 700);
  EXPECT_EQ(c.ScaleHeight(), 700);
  EXPECT_EQ(f.drawWidth, 1);
  f.pctWorld_MouseDown(1, kCtrl, 350, 350);  // on the whole world it stays whole
  EXPECT_EQ(c.ScaleWidth(), 700);
  EXPECT_EQ(f.drawWidth, 1);

  // Shift, and combinations of keys, only show the mask.
  for (int mask : {kShift, kShift + kCtrl, kCtrl + kAlt, kShift + kAlt}) {
    f.pctWorld_MouseDown(1, mask, 100, 100);
    EXPECT_EQ(t.p.txtDebugMsg.text(), std::to_string(mask));
    EXPECT_EQ(c.ScaleWidth(), 700);
    EXPECT_FALSE(f.zoomSelecting);
  }
}

TEST(Zoom, TheAltRectangleEndsOnlyWhenItIsAtLeastFortyWide) {
  LoadedForm t;
  MainForm& f = t.form;
  const Canvas& c = f.pctWorld;
  const Raster before = Snapshot(c);
  f.pctWorld_MouseDown(1, kAlt, 100, 100);
  EXPECT_EQ(t.p.txtDebugMsg.text(),
            "Hold down the ALT key while moving the mouse to select an area to zoom in to.");
  EXPECT_TRUE(f.zoomSelecting);
  EXPECT_EQ(c.DrawMode(), kDrawInvert);
  EXPECT_EQ(c.Pixel(71, 71), RGB(255 - 238, 255 - 236, 255 - 162));  // a single inverted dot
  f.pctWorld_MouseMove(0, 0, 130, 100);  // no button or key needed
  EXPECT_EQ(t.p.txtDebugMsg.text(), "30");
  f.pctWorld_MouseUp(1, 0, 130, 100);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "30");
  EXPECT_TRUE(f.zoomSelecting);
  const Raster outline30 = Snapshot(c);
  EXPECT_NE(outline30, before);
  f.pctWorld_MouseMove(0, 0, 150, 100);
  f.pctWorld_MouseUp(1, 0, 150, 100);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "50");
  EXPECT_FALSE(f.zoomSelecting);
  EXPECT_EQ(c.DrawMode(), kDrawCopyPen);
  EXPECT_EQ(Snapshot(c), before);  // the outline is gone
  EXPECT_EQ(c.ScaleWidth(), 700);  // and the view is unchanged
  EXPECT_EQ(t.p.lblWorldWidth.caption(), "Window Width: 700cm");

  // Beyond the right edge the corner stays and the outline alternately goes
  // and comes back.
  f.pctWorld_MouseDown(1, kAlt, 600, 300);
  f.pctWorld_MouseMove(0, 0, 630, 320);  // aspect 1: 30 x 30
  EXPECT_EQ(t.p.txtDebugMsg.text(), "30");
  const Raster shown = Snapshot(c);
  t.p.txtDebugMsg.SetText("");
  f.pctWorld_MouseMove(0, 0, 720, 320);
  EXPECT_EQ(f.boxEndX, 630);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "");
  EXPECT_NE(Snapshot(c), shown);
  f.pctWorld_MouseMove(0, 0, 720, 320);
  EXPECT_EQ(Snapshot(c), shown);
  // A drag to the left is as wide in absolute value.
  f.pctWorld_MouseMove(0, 0, 550, 300);
  f.pctWorld_MouseUp(1, 0, 550, 300);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "-50");
  EXPECT_FALSE(f.zoomSelecting);
}

TEST(Zoom, TheRectangleKeepsTheWorldsAspectRatio) {
  auto keep = [](float aspect, float dx, float dy) {
    MainForm::KeepAspectRatio(aspect, dx, dy);
    return std::pair{dx, dy};
  };
  EXPECT_EQ(keep(0.5f, 100, 10), std::pair(100.0f, 50.0f));   // grows in height
  EXPECT_EQ(keep(0.5f, 10, 100), std::pair(200.0f, 100.0f));  // grows in width
  EXPECT_EQ(keep(0.5f, -100, 10), std::pair(-100.0f, 50.0f));  // keeps the direction
  EXPECT_EQ(keep(0.5f, 10, -100), std::pair(200.0f, -100.0f));
  EXPECT_EQ(keep(0.5f, -10, -100), std::pair(-200.0f, -100.0f));
  EXPECT_EQ(keep(0.5f, 100, 0), std::pair(100.0f, 0.0f));  // flat stays flat
  EXPECT_EQ(keep(0.0f, 100, 10), std::pair(100.0f, 10.0f));

  LoadedForm t;  // a world twice as wide as high
  t.p.txtWorldXinM.SetText("14");
  t.form.SetVariables();
  ASSERT_EQ(t.form.worldAspect, 0.5f);
  t.form.pctWorld_MouseDown(1, kAlt, 300, 200);
  t.form.pctWorld_MouseMove(1, kAlt, 400, 210);
  EXPECT_EQ(t.form.boxEndY, 250);
  t.form.pctWorld_MouseMove(1, kAlt, 310, 300);
  EXPECT_EQ(t.form.boxEndX, 500);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "200");
}

}  // namespace
}  // namespace antraid
