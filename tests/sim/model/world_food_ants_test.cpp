// Building a run: the world layers, the food layout and the ants at the nest,
// and the food display commands.
#include <map>
#include <numeric>

#include "sim/model/model_fixture.h"

namespace antraid::modeltest {
namespace {

using ModelAnts = BuiltWorld;
using ModelFood = BuiltWorld;
using ModelFoodDisplay = BuiltWorld;

int64_t Sum(const std::vector<int16_t>& cells) { return std::accumulate(cells.begin(), cells.end(), int64_t{0}); }

TEST(ModelWorld, CreateWorldSizesTheLayersAndTakesTheNewFoodQualityAfterTheTotals) {
  ModelForm t;
  MainForm& f = t.form;
  f.panel.txtFoodQuality.SetText("2");
  f.SetVariables();  // holds the fixed 3 % and 50 again
  ASSERT_TRUE(f.CreateWorld());
  EXPECT_EQ(f.run.pherGrid.width(), 700);
  EXPECT_EQ(f.run.antCountGrid.height(), 700);
  // The totals use the quality held before the box is read.
  EXPECT_EQ(f.panel.lblTotalFood.caption(), "TotalFood: 735000");
  EXPECT_EQ(f.panel.lblTotalFoodItems.caption(), "Food Items: 14700");
  EXPECT_EQ(f.params.foodQuality, 2);

  // Rebuilding while ants exist clears pheromone and counts, not the food or the ants.
  t.AddAnt(100, 100);
  f.run.pherGrid.Set(100, 100, 7);
  f.run.foodGrid.Allocate(700, 700);
  f.run.foodGrid.Set(5, 5, 3);
  ASSERT_TRUE(f.CreateWorld());
  EXPECT_EQ(f.run.pherGrid.Get(100, 100), 0);
  EXPECT_EQ(f.run.antCountGrid.Get(100, 100), 0);
  EXPECT_EQ(f.run.foodGrid.Get(5, 5), 3);
  EXPECT_EQ(t.Ant(1).xPos, 100.0f);

  // A quality that is not a number is refused and the old one stays.
  f.panel.txtFoodQuality.SetText("lots");
  ASSERT_TRUE(f.CreateWorld());
  EXPECT_EQ(f.params.foodQuality, 2);
  EXPECT_NE(t.LastMessage().find("Food Quality: \"lots\" refused"), std::string::npos);
}

TEST_F(ModelFood, OnePercentOfQualityOneIsDrawnOnAClearedCanvasWhenShown) {
  f.params.plotFood = true;
  f.MakeFood();
  EXPECT_EQ(f.readouts.numFoodItems, 4900);
  EXPECT_EQ(f.readouts.totalFood, 4900);
  EXPECT_EQ(f.panel.lblTotalFood.caption(), "TotalFood: 4900");
  EXPECT_EQ(f.panel.lblTotalFoodItems.caption(), "Food Items: 4900");
  EXPECT_EQ(t.LastMessage(), "Food Done.");
  EXPECT_TRUE(f.run.foodMade);
  EXPECT_EQ(Sum(f.run.foodGrid.cells()), 4900);
  EXPECT_EQ(f.readouts.foodOnGround, 4900);
  EXPECT_GT(t.NonBackgroundPixels(), 4500);
  EXPECT_EQ(testing::CountPixels(f.pctWorld, RGB(0, 0, 250)), t.NonBackgroundPixels());  // the nest is gone
}

TEST_F(ModelFood, NoFoodToPlaceKeepsTheOldLayoutAndItemCount) {
  f.MakeFood();
  const std::vector<int16_t> layout = f.run.foodGrid.cells();

  // A new run with "% Food" at 0: the world's totals use the loaded 3 %.
  f.panel.txtPercentFood.SetText("0");
  f.SetVariables();
  ASSERT_TRUE(f.CreateWorld());
  EXPECT_EQ(f.readouts.numFoodItems, 14700);
  t.messages.clear();
  f.MakeFood();
  EXPECT_EQ(f.readouts.totalFood, 0);
  EXPECT_EQ(f.panel.lblTotalFood.caption(), "TotalFood: 0");
  EXPECT_EQ(f.readouts.numFoodItems, 14700);
  EXPECT_EQ(f.panel.lblTotalFoodItems.caption(), "Food Items: 14700");
  EXPECT_TRUE(f.run.foodGrid.cells() == layout);
  EXPECT_EQ(f.readouts.foodOnGround, Sum(layout));  // the food still lies there
  EXPECT_TRUE(f.run.foodMade);
  EXPECT_TRUE(t.messages.empty());

  // A negative share, which the edit rule would not take, places nothing
  // either, and the food total does not fall below 0.
  f.panel.txtPercentFood.SetText("-1");
  f.MakeFood();
  EXPECT_EQ(f.readouts.totalFood, 0);
  EXPECT_EQ(f.panel.lblTotalFood.caption(), "TotalFood: 0");
  EXPECT_TRUE(f.run.foodGrid.cells() == layout);

  // A share so small that no item is due clears the grid.
  f.panel.txtPercentFood.SetText("0.0001");
  f.MakeFood();
  EXPECT_EQ(f.readouts.numFoodItems, 0);
  EXPECT_EQ(Sum(f.run.foodGrid.cells()), 0);
  EXPECT_EQ(f.readouts.foodOnGround, 0);
  EXPECT_EQ(t.LastMessage(), "Food Done.");

  // A share that is not a number is refused; the loaded 3 % is used and the
  // closing message says so.
  f.SetVariables();
  f.panel.txtPercentFood.SetText("plenty");
  f.MakeFood();
  EXPECT_EQ(f.readouts.numFoodItems, 14700);
  EXPECT_EQ(t.LastMessage(), "Food Done. % Food: \"plenty\" refused, not a number; used 3 %");
}

// Items land on the patches from 1 to W - 1 and from 1 to H - 1: in a
// 1 m x 1 m world with 100 % of food, 10000 items on 99 x 99 patches.
TEST_F(ModelFood, ItemsLandUniformlyUpToTheLastColumnAndRowAndCapAt32767) {
  f.panel.txtWorldXinM.SetText("1");
  f.panel.txtWorldYinM.SetText("1");
  f.panel.txtPercentFood.SetText("100");
  f.SetVariables();
  ASSERT_TRUE(f.CreateWorld());
  f.MakeFood();
  ASSERT_EQ(f.run.foodGrid.width(), 100);
  ASSERT_EQ(f.run.foodGrid.height(), 100);
  EXPECT_EQ(f.readouts.numFoodItems, 10000);
  EXPECT_EQ(Sum(f.run.foodGrid.cells()), 10000);
  int columns[101] = {}, rows[101] = {};
  for (int x = 1; x <= 100; ++x)
    for (int y = 1; y <= 100; ++y) {
      columns[x] += f.run.foodGrid.Get(x, y);
      rows[y] += f.run.foodGrid.Get(x, y);
    }
  for (int edge : {1, 99}) {
    EXPECT_NEAR(columns[edge], 101, 40) << edge;
    EXPECT_NEAR(rows[edge], 101, 40) << edge;
  }
  EXPECT_EQ(columns[100] + rows[100], 0);
  EXPECT_NEAR(std::accumulate(columns + 1, columns + 50, 0), 4949, 250);  // the left half

  f.panel.txtFoodQuality.SetText("30000");
  ASSERT_TRUE(f.CreateWorld());
  f.MakeFood();
  const auto& cells = f.run.foodGrid.cells();
  EXPECT_EQ(*std::max_element(cells.begin(), cells.end()), 32767);
  EXPECT_GE(*std::min_element(cells.begin(), cells.end()), 0);
  EXPECT_EQ(f.readouts.totalFood, Sum(cells));  // only what was laid is counted
  EXPECT_EQ(f.readouts.foodOnGround, Sum(cells));
  EXPECT_EQ(f.panel.lblTotalFood.caption(), "TotalFood: " + FormatInt(f.readouts.totalFood));
  EXPECT_EQ(t.LastMessage().rfind("Food Done. ", 0), 0u);
  EXPECT_NE(t.LastMessage().find("32767"), std::string::npos);
}

TEST_F(ModelAnts, AntsStartOnTheNestRowWithStaggeredLeaveTimes) {
  f.params.numAnts = 30000;
  f.CreateAnts();
  ASSERT_EQ(f.run.ants.size(), 30001u);
  EXPECT_TRUE(f.run.antsCreated);
  std::map<int, int> xs, leaves;
  for (int k = 1; k <= 30000; ++k) {
    const AntRecord& a = f.run.ants[static_cast<size_t>(k)];
    ASSERT_TRUE(a.antNum == k && a.xPos == std::floor(a.xPos) && a.yPos == 695 && a.state == AntState::kAtHome &&
                a.justLeft && a.movesThisStep && !a.hasFood)
        << k;
    ++xs[static_cast<int>(a.xPos)];
    ++leaves[a.leaveTime];
  }
  // Whole positions from 335 to 350 and leave times from 0 to 60 s, each
  // start patch holding as many ants and pheromone units as ants started on
  // it; the two ends of each range come up half as often as the others.
  ASSERT_EQ(xs.size(), 16u);
  EXPECT_EQ(xs.begin()->first, 335);
  ASSERT_EQ(leaves.size(), 61u);
  EXPECT_EQ(leaves.begin()->first, 0);
  for (auto [x, n] : xs) {
    EXPECT_EQ(f.run.antCountGrid.Get(x, 695), n) << x;
    EXPECT_EQ(f.run.pherGrid.Get(x, 695), n) << x;
  }
  EXPECT_NEAR((xs[335] + xs[350]) / 2000.0 / 2.0, 0.5, 0.06);
  EXPECT_NEAR(xs[342] / 2000.0, 1.0, 0.1);
  EXPECT_NEAR((leaves[0] + leaves[60]) / 500.0 / 2.0, 0.5, 0.1);

  f.params.numAnts = 900;
  f.panel.txtLeaveInterval.SetText("0");
  ASSERT_TRUE(f.CreateWorld());
  f.CreateAnts();
  for (size_t k = 1; k < f.run.ants.size(); ++k) EXPECT_EQ(f.run.ants[k].leaveTime, 0);
}

TEST_F(ModelAnts, UnusableSettingsAreRefusedOrKeptOnTheLattice) {
  // A stagger interval that is not a number: the last accepted one (1 min) is used.
  f.panel.txtLeaveInterval.SetText("soon");
  f.CreateAnts();
  EXPECT_NE(t.LastMessage().find("Stagger Leave times: \"soon\" refused"), std::string::npos);
  int latest = 0;
  for (size_t k = 1; k < f.run.ants.size(); ++k) latest = std::max(latest, f.run.ants[k].leaveTime);
  EXPECT_GT(latest, 50);
  EXPECT_LE(latest, 60);

  // A nest partly off the world: every ant starts on a patch of the lattice.
  f.params.homeXPos = 5;
  ASSERT_TRUE(f.CreateWorld());
  f.CreateAnts();
  EXPECT_EQ(t.LastMessage(), "The nest lies partly off the world: ants start on the nearest patches");
  int64_t counted = 0;
  for (int x = 1; x <= 5; ++x) counted += f.run.antCountGrid.Get(x, 695);
  EXPECT_EQ(counted, 900);

  // More ants than the 16-bit ant pass can count are refused by the parameter load.
  f.panel.txtNumAnts.SetText("40000");
  f.SetVariables();
  EXPECT_EQ(f.params.numAnts, 900);
  EXPECT_TRUE(t.Said("Total # refused: at most 32767 ants"));
  // Should the field hold more anyway, the population stops at 32767.
  f.params.numAnts = 40000;
  ASSERT_TRUE(f.CreateWorld());
  f.CreateAnts();
  EXPECT_EQ(f.run.ants.size(), 32768u);
  f.RunAnts();
  EXPECT_EQ(f.run.modelTime, 1.5f);
}

// ---- Food display and the redraw commands ------------------------------------------

TEST_F(ModelFoodDisplay, RedrawCommandsShowExactlyTheFoodWhenAsked) {
  const uint32_t blue = RGB(0, 0, 250);
  EXPECT_EQ(t.PixelAt(350, 695), RGB(150, 0, 0));

  // Before any food: "Show Ants?" off changes only the flag, "Show Food:" on draws nothing.
  f.panel.chkShowAnts.Click();
  EXPECT_FALSE(f.params.showAnts);
  f.panel.chkPlotFood.Click();
  EXPECT_TRUE(f.params.plotFood);
  EXPECT_EQ(t.PixelAt(350, 695), RGB(150, 0, 0));
  f.panel.chkShowAnts.Click();
  EXPECT_TRUE(f.params.showAnts);
  f.panel.chkPlotFood.Click();  // off: clears
  EXPECT_EQ(t.NonBackgroundPixels(), 0);

  f.run.foodGrid.Allocate(700, 700);
  f.run.foodGrid.Set(350, 350, 3);
  f.run.foodGrid.Set(100, 600, 1);
  f.run.foodMade = true;
  f.PlotHome();
  f.cmdClearScreen_Click();
  EXPECT_EQ(t.NonBackgroundPixels(), 0);

  f.panel.chkPlotFood.Click();  // on, food made: exactly the food dots
  EXPECT_EQ(t.PixelAt(350, 350), blue);
  EXPECT_EQ(t.PixelAt(100, 600), blue);
  EXPECT_EQ(t.NonBackgroundPixels(), 2);
  f.PlotHome();
  f.cmdClearScreen_Click();
  EXPECT_EQ(t.PixelAt(350, 350), blue);
  EXPECT_EQ(t.NonBackgroundPixels(), 2);

  // After a start, hiding the ants redraws the canvas with the food only.
  f.run.programStarted = true;
  f.PlotHome();
  f.panel.chkShowAnts.Click();
  EXPECT_EQ(t.NonBackgroundPixels(), 2);
  EXPECT_EQ(t.PixelAt(350, 350), blue);

  // A food layer smaller than the world, or none at all, shows what it has.
  f.run.foodGrid.Allocate(100, 100);
  f.run.foodGrid.Set(50, 50, 1);
  f.PlotFood();
  EXPECT_EQ(t.NonBackgroundPixels(), 1);
  f.run.foodGrid.Release();
  f.PlotFood();
  EXPECT_EQ(t.NonBackgroundPixels(), 0);
}

}  // namespace
}  // namespace antraid::modeltest
