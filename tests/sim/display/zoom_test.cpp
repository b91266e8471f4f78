// The zoom view: clicks change the canvas window into the world; an ALT drag
// shows a rubber-band rectangle that keeps the world's aspect ratio. The plain
// and Ctrl clicks and the rectangle on the default world are printed by
// tests/scenarios/zoom.script.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>
#include <vector>

#include "sim/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;
using View = std::array<float, 4>;  // ScaleLeft, ScaleTop, ScaleWidth, ScaleHeight
using Raster = std::vector<uint32_t>;
using testing::SetScale;
using testing::Snapshot;

constexpr int kPlain = 0, kShift = 1, kCtrl = 2, kAlt = 4;  // modifier masks

void ExpectView(const Canvas& c, const View& v) {
  const View now = {c.ScaleLeft(), c.ScaleTop(), c.ScaleWidth(), c.ScaleHeight()};
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(now[k], v[k], 1e-3) << "scale value " << k;
}

// A plain click keeps the new window inside the current view on the right
// and bottom and inside the world on the left and top: from the view
// (100, 100) 480 x 480, whose right and bottom edges lie at 580, the new
// window is 400 x 400 and would reach an edge from 380 (right, bottom) and
// below 200 (left, top).
TEST(Zoom, APlainClickShiftsTheWindowAtEachEdgeOnly) {
  LoadedForm t;
  Canvas& c = t.form.pctWorld;
  // Where the click is, and the left and top of the new window.
  const std::array<float, 4> kCases[] = {{379, 300, 179, 100}, {380, 300, 180, 100}, {381, 300, 180, 100},  // right
                                         {300, 379, 100, 179}, {300, 380, 100, 180}, {300, 381, 100, 180},  // bottom
                                         {201, 300, 1, 100},   {200, 300, 0, 100},   {199, 300, 0, 100},    // left
                                         {300, 201, 100, 1},   {300, 200, 100, 0},   {300, 199, 100, 0}};   // top
  for (auto [x, y, left, top] : kCases) {
    SCOPED_TRACE(::testing::Message() << "click at " << x << ", " << y);
    SetScale(c, {100, 100, 480, 480});
    t.form.pctWorld_MouseDown(1, kPlain, x, y);
    ExpectView(c, {left, top, 400, 400});
    EXPECT_EQ(t.form.drawing.drawWidth, 2);  // 700 / 400 rounds to 2
    EXPECT_EQ(c.DrawWidth(), 2);
  }
}

// A Ctrl click centres the enlarged window (at most the world's size) on the
// point, unless from the current left or top edge it would reach the world's
// far edge: then it shows the whole world.
TEST(Zoom, ACtrlClickShowsTheWholeWorldOnceAnEdgeWouldReachTheEnd) {
  LoadedForm t;
  Canvas& c = t.form.pctWorld;
  // A click at (360, 340); 500 x 500 grows to 600 x 600, 600 x 600 to the world's 700 x 700.
  const View whole = {0, 0, 700, 700}, centred = {60, 40, 600, 600};
  const std::pair<View, View> kCases[] = {
      {{99, 50, 500, 500}, centred}, {{100, 50, 500, 500}, whole}, {{101, 50, 500, 500}, whole},  // left edge
      {{50, 99, 500, 500}, centred}, {{50, 100, 500, 500}, whole}, {{50, 101, 500, 500}, whole},  // top edge
      {{-100, -100, 600, 600}, {10, -10, 700, 700}},                                              // beyond it
      {whole, whole}};
  for (const auto& [from, to] : kCases) {
    SCOPED_TRACE(::testing::Message() << "from " << from[0] << ", " << from[1]);
    SetScale(c, from);
    t.form.drawing.drawWidth = 5;
    t.form.pctWorld_MouseDown(1, kCtrl, 360, 340);
    ExpectView(c, to);
    EXPECT_EQ(t.form.drawing.drawWidth, 1);
  }
  // Shift, and combinations of keys, only show the mask.
  for (int mask : {kShift, kShift + kCtrl, kCtrl + kAlt, kShift + kAlt}) {
    t.form.pctWorld_MouseDown(1, mask, 100, 100);
    EXPECT_EQ(t.p.txtDebugMsg.text(), std::to_string(mask));
    ExpectView(c, whole);
    EXPECT_FALSE(t.form.drawing.zoomSelecting);
  }
}

// On a world twice as wide as high a zoom in makes the view square in world
// units, the next one twice as high as wide; zooming out never shows more
// than the world, and a tall world behaves alike.
TEST(Zoom, ANonSquareWorldZoomsInAndOutWithinItsSize) {
  struct Step {
    int mask;
    float x, y;
    View view;
  };
  struct World {
    const char *width, *height;  // m
    std::vector<Step> steps;
  };
  const World kWorlds[] = {
      {"14", "7",
       {{kPlain, 700, 350, {116.6667f, 0, 1166.6666f, 1166.6666f}},
        {kPlain, 700, 350, {213.8889f, 0, 972.2222f, 1944.4443f}}, {kCtrl, 700, 350, {0, 0, 1400, 700}}}},
      {"7", "14",
       {{kPlain, 350, 700, {58.3333f, 408.3333f, 583.3333f, 583.3333f}},
        {kPlain, 100, 1300, {0, 748.611f, 486.1111f, 243.0555f}},
        {kCtrl, 100, 1300, {-191.6667f, 1008.3334f, 583.3333f, 583.3333f}}, {kCtrl, 350, 700, {0, 0, 700, 1400}}}}};
  for (const World& w : kWorlds) {
    LoadedForm t;
    t.p.txtWorldXinM.SetText(w.width);
    t.p.txtWorldYinM.SetText(w.height);
    t.form.SetVariables();
    for (const Step& s : w.steps) {
      SCOPED_TRACE(::testing::Message() << w.width << " x " << w.height << " m, mask " << s.mask << " at " << s.x
                                        << ", " << s.y);
      t.form.pctWorld_MouseDown(1, s.mask, s.x, s.y);
      ExpectView(t.form.pctWorld, s.view);
      EXPECT_EQ(t.form.drawing.drawWidth, 1);
    }
    // However the user zooms, a zoom out never shows more than the world.
    const float width = static_cast<float>(t.form.params.worldXinCm),
                height = static_cast<float>(t.form.params.worldYinCm);
    for (int k = 0; k < 60; ++k) {
      const float x = static_cast<float>((k * 263) % 1500) - 50, y = static_cast<float>((k * 377) % 1500) - 50;
      t.form.pctWorld_MouseDown(1, k % 5 < 2 ? kPlain : kCtrl, x, y);
      if (k % 5 < 2) continue;
      ASSERT_LE(t.form.pctWorld.ScaleWidth(), width) << k;
      ASSERT_LE(t.form.pctWorld.ScaleHeight(), height) << k;
    }
  }
}

// The rectangle's corner may reach the right and bottom edges of the view
// but not pass them; the left and top edges are not tested. A release ends
// the selection once the rectangle is at least 40 wide either way.
TEST(Zoom, TheAltRectangleStopsAtTheRightAndBottomEdgesAndEndsFromFortyWide) {
  LoadedForm t;
  MainForm& f = t.form;
  // From a start to a corner, straight across so that the shape is kept; whether the corner is taken.
  const std::tuple<float, float, float, float, bool> kCases[] = {
      {600, 300, 699, 300, true}, {600, 300, 700, 300, true}, {600, 300, 701, 300, false},  // the right edge
      {300, 600, 300, 699, true}, {300, 600, 300, 700, true}, {300, 600, 300, 701, false},  // the bottom edge
      {100, 300, -50, 300, true}, {300, 100, 300, -50, true}};                              // left and up
  for (auto [startX, startY, x, y, taken] : kCases) {
    f.pctWorld_MouseDown(1, kAlt, startX, startY);
    f.pctWorld_MouseMove(0, 0, x, y);  // no button or key needed
    EXPECT_EQ(f.drawing.boxEndX == x && f.drawing.boxEndY == y, taken) << x << ", " << y;
    EXPECT_EQ(f.drawing.boxEndX == startX && f.drawing.boxEndY == startY, !taken) << x << ", " << y;
  }
  for (auto [width, ends] : {std::pair{39.0f, false}, {40.0f, true}, {41.0f, true}, {-39.0f, false}, {-40.0f, true}}) {
    f.pctWorld_MouseDown(1, kAlt, 300, 300);
    f.pctWorld_MouseMove(0, 0, 300 + width, 300);
    f.pctWorld_MouseUp(1, 0, 300 + width, 300);
    EXPECT_EQ(t.p.txtDebugMsg.text(), FormatSingle(width));
    EXPECT_EQ(f.drawing.zoomSelecting, !ends) << width;
  }

  // Beyond the right edge the stored outline alternately goes and comes back.
  f.pctWorld_MouseDown(1, kAlt, 600, 300);
  f.pctWorld_MouseMove(0, 0, 630, 320);  // aspect 1: 30 x 30
  const Raster shown = Snapshot(f.pctWorld);
  f.pctWorld_MouseMove(0, 0, 720, 320);
  EXPECT_EQ(f.drawing.boxEndX, 630);
  EXPECT_FALSE(Snapshot(f.pctWorld) == shown);
  f.pctWorld_MouseMove(0, 0, 720, 320);
  EXPECT_TRUE(Snapshot(f.pctWorld) == shown);
}

TEST(Zoom, TheRectangleKeepsTheWorldsAspectRatio) {
  auto keep = [](float aspect, float dx, float dy) {
    MainForm::KeepAspectRatio(aspect, dx, dy);
    return std::pair{dx, dy};
  };
  EXPECT_EQ(keep(0.5f, 100, 10), std::pair(100.0f, 50.0f));    // grows in height
  EXPECT_EQ(keep(0.5f, 10, 100), std::pair(200.0f, 100.0f));   // grows in width
  EXPECT_EQ(keep(0.5f, 100, 50), std::pair(100.0f, 50.0f));    // already in shape
  EXPECT_EQ(keep(0.5f, -100, 10), std::pair(-100.0f, 50.0f));  // keeps the direction
  EXPECT_EQ(keep(0.5f, 10, -100), std::pair(200.0f, -100.0f));
  EXPECT_EQ(keep(0.5f, -10, -100), std::pair(-200.0f, -100.0f));
  EXPECT_EQ(keep(0.5f, 100, 0), std::pair(100.0f, 0.0f));  // flat stays flat
  EXPECT_EQ(keep(0.0f, 100, 10), std::pair(100.0f, 10.0f));

  LoadedForm t;  // a world twice as wide as high
  t.p.txtWorldXinM.SetText("14");
  t.form.SetVariables();
  ASSERT_EQ(t.form.drawing.worldAspect, 0.5f);
  t.form.pctWorld_MouseDown(1, kAlt, 300, 200);
  t.form.pctWorld_MouseMove(1, kAlt, 400, 210);
  EXPECT_EQ(t.form.drawing.boxEndY, 250);
  t.form.pctWorld_MouseMove(1, kAlt, 310, 300);
  EXPECT_EQ(t.form.drawing.boxEndX, 500);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "200");
}

}  // namespace
}  // namespace antraid
