#include "grid/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include "sim/test_form.h"
#include "common/numbers.h"

namespace antraid {
namespace {

using Raster = std::vector<uint32_t>;
using testing::Snapshot;

// The default world: 700 cm on 500 pixels.
Canvas WorldCanvas() {
  Canvas c;
  testing::SetScale(c, {0, 0, 700, 700});
  return c;
}

TEST(Canvas, ADotRedrawnInTheBackColourLeavesTheRasterAsItWas) {
  Canvas c = WorldCanvas();
  EXPECT_EQ(c.Pixel(0, 0), RGB(238, 236, 162));
  c.PSet(100, 100, RGB(0, 0, 250));  // something else already drawn
  const Raster before = Snapshot(c);
  for (int16_t w : {1, 2, 3, 7}) {
    c.SetDrawWidth(w);
    c.PSet(350, 350, RGB(200, 0, 0));
    EXPECT_EQ(c.Pixel(250, 250), RGB(200, 0, 0)) << w;  // 350 cm is pixel 250
    c.PSet(350, 350, c.BackColor());
    EXPECT_TRUE(Snapshot(c) == before) << "width " << w;
  }
  // A call with no colour draws in the pen colour, which is not the background.
  c.PSet(10, 10);
  EXPECT_NE(c.Pixel(7, 7), c.BackColor());
  EXPECT_EQ(c.Pixel(7, 7), c.ForeColor());
}

// A dot of width w is a round dot w pixels across, over the pixel of its
// point and the w / 2 before it; a box outline is w pixels thick on each of
// its four sides, (w - 1) / 2 of them beyond the corner pixels.
TEST(Canvas, DotsAndOutlinesAreAsThickAsThePen) {
  for (auto [w, dotPixels] : {std::pair<int16_t, int>{1, 1}, {2, 4}, {3, 9}, {4, 12}}) {
    SCOPED_TRACE(::testing::Message() << "width " << w);
    Canvas c;  // one world unit per pixel
    c.SetDrawWidth(w);
    c.PSet(100.5f, 100.5f, RGB(1, 2, 3));
    int pixels = 0, minX = 500, maxX = -1, minY = 500, maxY = -1;
    for (int y = 90; y < 110; ++y)
      for (int x = 90; x < 110; ++x)
        if (c.Pixel(x, y) == RGB(1, 2, 3)) {
          ++pixels;
          minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    EXPECT_EQ(pixels, dotPixels);
    EXPECT_EQ(minX, 100 - w / 2);
    EXPECT_EQ(minY, 100 - w / 2);
    EXPECT_EQ(maxX - minX + 1, w);
    EXPECT_EQ(maxY - minY + 1, w);

    c.Cls();
    c.LineBox(200.5f, 200.5f, 300.5f, 260.5f);      // in the pen colour
    auto run = [&](int x, int y, int dx, int dy) {  // outline pixels from (x, y) on
      int n = 0;
      while (c.Pixel(x + n * dx, y + n * dy) == c.ForeColor()) ++n;
      return n;
    };
    const int before = w / 2, after = (w - 1) / 2;
    EXPECT_EQ(run(200 - before, 230, 1, 0), w) << "left";
    EXPECT_EQ(run(300 + after, 230, -1, 0), w) << "right";
    EXPECT_EQ(run(250, 200 - before, 0, 1), w) << "top";
    EXPECT_EQ(run(250, 260 + after, 0, -1), w) << "bottom";
    EXPECT_EQ(c.Pixel(199 - before, 230), c.BackColor());
    EXPECT_EQ(c.Pixel(301 + after, 230), c.BackColor());
    EXPECT_EQ(c.Pixel(200 - before, 200 - before), c.ForeColor());  // corners filled
    EXPECT_EQ(c.Pixel(300 + after, 260 + after), c.ForeColor());
  }
}

TEST(Canvas, InvertingABoxTwiceRestoresEveryPixelAtAnyPenWidth) {
  Canvas c = WorldCanvas();
  c.SetDrawWidth(3);
  for (int x = 300; x < 420; x += 6) c.PSet(static_cast<float>(x), 360, RGB(0, static_cast<int>(x) % 256, 9));
  const Raster before = Snapshot(c);
  // Large, single-point, reversed, partly clipped and tiny boxes.
  const std::array<float, 4> kBoxes[] = {
      {280, 300, 420, 420}, {350, 350, 350, 350}, {420, 400, 300, 330}, {-50, 650, 800, 760}, {300, 350, 301, 351}};
  c.SetDrawMode(kDrawInvert);
  for (int16_t w : {1, 2, 3, 4, 6}) {
    c.SetDrawWidth(w);
    for (const auto& box : kBoxes) {
      c.LineBox(box[0], box[1], box[2], box[3]);
      EXPECT_FALSE(Snapshot(c) == before) << "width " << w;
      c.LineBox(box[0], box[1], box[2], box[3]);
      EXPECT_TRUE(Snapshot(c) == before) << "width " << w << " box " << box[0] << "," << box[1];
    }
  }
  // Inversion flips the colour of every pixel under the outline: the corner of
  // a width-1 box over the background becomes the background's complement.
  c.SetDrawWidth(1);
  c.LineBox(7, 7, 70, 70);
  EXPECT_EQ(c.Pixel(5, 5), RGB(255 - 238, 255 - 236, 255 - 162));
  EXPECT_EQ(c.Pixel(20, 20), c.BackColor());  // the inside stays
  // A dot in invert mode ignores its colour and is undone by a second one.
  c.SetDrawMode(kDrawCopyPen);
  c.Cls();
  c.SetDrawMode(kDrawInvert);
  c.PSet(1, 1, RGB(1, 1, 1));
  EXPECT_EQ(c.Pixel(0, 0), RGB(255 - 238, 255 - 236, 255 - 162));
}

TEST(Canvas, PointsOutsideTheScaleWindowAreClippedAndTheFarEdgesAreDrawn) {
  Canvas c = WorldCanvas();
  testing::SetScale(c, {100, 200, 250, 250});
  const Raster clear = Snapshot(c);
  c.SetDrawWidth(1);
  for (float x : {50.0f, 99.9f, 351.0f}) c.PSet(x, 300, RGB(255, 0, 0));
  for (float y : {199.9f, 451.0f}) c.PSet(200, y, RGB(255, 0, 0));
  const float inf = std::numeric_limits<float>::infinity();
  c.PSet(inf, -inf, RGB(255, 0, 0));
  c.PSet(std::nanf(""), 300, RGB(255, 0, 0));
  c.PSet(3e38f, 3e38f, RGB(255, 0, 0));
  c.Circle(-1e30f, 300, 2, RGB(255, 0, 0));
  EXPECT_TRUE(Snapshot(c) == clear);
  // A wide pen just outside only reaches in by its radius.
  c.SetDrawWidth(5);
  c.PSet(99, 300, RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(0, 200), RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(1, 200), c.BackColor());
  // The left/top and the right/bottom edges of the window are both on the
  // canvas: a patch on the world's border lies on the border line.
  c.SetDrawWidth(1);
  c.PSet(100, 200, RGB(0, 0, 250));
  c.PSet(350, 450, RGB(0, 0, 250));
  EXPECT_EQ(c.Pixel(0, 0), RGB(0, 0, 250));
  EXPECT_EQ(c.Pixel(499, 499), RGB(0, 0, 250));
  // Scale width and height of 0 are refused: the mapping would divide by them.
  EXPECT_FALSE(c.SetScaleWidth(0));
  EXPECT_FALSE(c.SetScaleHeight(std::nanf("")));
  EXPECT_EQ(c.ScaleWidth(), 250);
}

TEST(Canvas, ASavedBitmapHoldsTheRastersPixels) {
  testing::TempFolder dir;
  Canvas c = WorldCanvas();
  c.SetDrawWidth(4);
  c.PSet(10, 10, RGB(200, 0, 0));
  c.PSet(690, 20, RGB(0, 200, 0));
  c.PSet(20, 690, RGB(0, 0, 250));
  c.SetDrawWidth(1);
  c.Circle(350, 350, 40, RGB(1, 2, 3));
  const std::string file = (dir.path() / "frame.bmp").string();
  ASSERT_TRUE(c.SavePicture(file));

  int w = 0, h = 0, n = 0;
  unsigned char* rgb = stbi_load(file.c_str(), &w, &h, &n, 3);
  ASSERT_NE(rgb, nullptr);
  ASSERT_EQ(w, c.width());
  ASSERT_EQ(h, c.height());
  int mismatches = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* q = rgb + 3 * (static_cast<size_t>(y) * w + x);
      if (RGB(q[0], q[1], q[2]) != c.Pixel(x, y)) ++mismatches;
    }
  stbi_image_free(rgb);
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(c.Pixel(7, 7), RGB(200, 0, 0));  // the picture is not all background

  EXPECT_FALSE(c.SavePicture((dir.path() / "missing" / "frame.bmp").string()));
}

}  // namespace
}  // namespace antraid
