// The trails: the pheromone layer composed under the canvas's drawings, in
// the pheromone plot's colours, without touching the canvas.
#include "sim/display/trail_layer.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/model/model_fixture.h"

namespace antraid {
namespace {

using modeltest::BuiltWorld;
using modeltest::kSand;

constexpr uint32_t kRed = 0xFFFF0000u;

TEST(TrailColour, FollowsThePheromonePlotsScale) {
  // 300 ants: a third is 100 units, full red; each unit is 255 / 100 levels
  // of paleness in doubles (2.5499999999999998), rounded half to even.
  EXPECT_EQ(TrailLayer::Colour(100, 300), kRed);
  EXPECT_EQ(TrailLayer::Colour(1000, 300), kRed);
  EXPECT_EQ(TrailLayer::Colour(10, 300), 0xFFFFE5E5u);  // the product rounds to 25.5 -> 26: 255 - 26 = 229
  EXPECT_EQ(TrailLayer::Colour(50, 300), 0xFFFF8080u);  // 127.49999999999999 -> 127: 128
  EXPECT_EQ(TrailLayer::Colour(20, 300), 0xFFFFCCCCu);  // 51: 204
  EXPECT_EQ(TrailLayer::Colour(1, 3), kRed);            // one ant a third of one
  EXPECT_EQ(TrailLayer::Colour(1, 0), kRed);            // no ants: any trail is full red
}

class Trails : public BuiltWorld {
 protected:
  void SetUp() override {
    BuiltWorld::SetUp();
    f.run.antsCreated = true;
    f.params.numAnts = 300;
    f.pctWorld.Cls();
  }
  uint32_t At(const std::vector<uint32_t>& picture, int px, int py) const {
    return picture[static_cast<size_t>(py) * 500 + static_cast<size_t>(px)];
  }
  TrailLayer layer;
};

TEST_F(Trails, ShowThePheromoneWhereTheCanvasShowsSandAndTheStrongestPatchOfAPixel) {
  // 700 cm over 500 pixels: patch x lies in pixel floor(x * 500 / 700).
  f.run.pherGrid.Set(350, 350, 100);  // pixel (250, 250)
  f.run.pherGrid.Set(7, 7, 10);       // patches 7 and 8 both in pixel (5, 5)
  f.run.pherGrid.Set(8, 7, 100);
  f.run.pherGrid.Set(140, 140, 50);  // pixel (100, 100), under an ant's dot
  f.pctWorld.PSet(140, 140, RGB(0, 0, 0));
  const std::vector<uint32_t> canvas = testing::Snapshot(f.pctWorld);

  const std::vector<uint32_t>& shown = layer.Compose(f);
  EXPECT_EQ(At(shown, 250, 250), kRed);
  EXPECT_EQ(At(shown, 5, 5), kRed);
  EXPECT_EQ(At(shown, 100, 100), 0xFF000000u);  // the ant stays visible
  EXPECT_EQ(At(shown, 251, 250), ToArgb(kSand));
  int trailPixels = 0;
  for (size_t i = 0; i < shown.size(); ++i) trailPixels += shown[i] != canvas[i];
  EXPECT_EQ(trailPixels, 2);
  EXPECT_EQ(testing::Snapshot(f.pctWorld), canvas);  // the canvas is left as it was
}

TEST_F(Trails, ZoomedInEachPixelShowsThePatchAtItsCentre) {
  // World 100..350 over 500 pixels: half a centimetre a pixel. Pixel p's
  // centre is 100 + (p + 0.5) / 2, which rounds to patch 101 for p = 1 and 2.
  testing::SetScale(f.pctWorld, {100, 100, 250, 250});
  f.pctWorld.Cls();
  f.run.pherGrid.Set(101, 101, 100);
  const std::vector<uint32_t>& shown = layer.Compose(f);
  for (int p : {1, 2}) EXPECT_EQ(At(shown, p, p), kRed) << p;
  for (int p : {0, 3}) EXPECT_EQ(At(shown, p, p), ToArgb(kSand)) << p;
  EXPECT_EQ(At(shown, 1, 3), ToArgb(kSand));
}

TEST_F(Trails, BeforeAnyRunTheViewIsTheCanvas) {
  f.run.antsCreated = false;
  f.run.pherGrid.Set(350, 350, 100);
  EXPECT_EQ(layer.Compose(f), testing::Snapshot(f.pctWorld));
}

}  // namespace
}  // namespace antraid
