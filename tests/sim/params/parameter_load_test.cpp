// The parameter load and the response curve it draws.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "sim/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;

TEST(ParameterLoad, DefaultsGiveTheDocumentedParametersAndCaptions) {
  LoadedForm t;
  t.host.appPath = "/opt/antraid";
  MainForm& f = t.form;
  EXPECT_EQ(f.readouts.swarmMinX, 0);  // the nest x before the first load
  f.SetVariables();
  EXPECT_EQ(f.readouts.swarmMaxX, 350);  // ... and before this one
  const std::pair<const char*, const char*> kFields[] = {
      {"worldXinCm", "700"}, {"worldYinCm", "700"}, {"homeXPos", "350"}, {"homeYPos", "695"},
      {"minVel", "0.6"}, {"maxVel", "3.5"}, {"velSlope", "0.009666666"}, {"saveInterval", "2"},
      {"modelTimeStep", "0.5"}, {"modelTime", "1"}, {"percentFood", "3"}, {"foodQuality", "50"},
      {"numAnts", "900"}, {"colonyWidth", "15"}, {"pherToDropIn", "10"}, {"fiftyPercProb", "100"},
      {"antNumber", "50"}, {"useVel", "True"}, {"showAnts", "True"}, {"usePm", "False"}, {"trackAnt", "False"},
      {"plotFood", "False"}, {"removePher", "False"}, {"saveImages", "False"}, {"drawWidth", "1"},
      {"zoomEnabled", "True"}, {"zoomFactor", "1.2"}, {"worldAspect", "1"}, {"curVel", "1"},
      {"saveFilePath", "/opt/antraid\\results\\"}, {"imageName", "TrackAnts"}, {"running", "False"}};
  for (auto [name, text] : kFields) EXPECT_EQ(f.FieldText(name).value_or("no such field"), text) << name;
  EXPECT_EQ(f.params.velSlope, static_cast<float>(2.9 / 300));
  // The home-row bar's range and caption: tests/tools/script_runner_test.cpp;
  // its value: tests/app/parameter_file_test.cpp.
  EXPECT_EQ(t.p.lblAntsPerStep.caption(), "(15 ants/sec)");
  EXPECT_EQ(t.p.lblWorldSizeInCm.caption(), "(700 cm x 700 cm)");
  EXPECT_EQ(t.p.lblWorldWidth.caption(), "Window Width: 700cm");
  EXPECT_EQ(t.p.lblTotalFood.caption(), "Total Food: ");
  // The canvas shows the whole world and only the nest (its pixels:
  // tests/scenarios/pheromone_plot.script).
  EXPECT_EQ(f.pctWorld.ScaleWidth(), 700);
  EXPECT_EQ(f.pctWorld.Pixel(100, 100), f.pctWorld.BackColor());
}

TEST(ParameterLoad, AntsPerSecondCaptionRoundsHalfToEvenAndNeedsAnInterval) {
  LoadedForm t;
  t.p.txtNumAnts.SetText("150");
  t.form.SetVariables();
  EXPECT_EQ(t.p.lblAntsPerStep.caption(), "(2 ants/sec)");  // 2.5
  t.p.txtNumAnts.SetText("900");
  t.p.txtLeaveInterval.SetText("2");
  t.form.SetVariables();
  EXPECT_EQ(t.p.lblAntsPerStep.caption(), "(8 ants/sec)");  // 7.5
  t.p.txtLeaveInterval.SetText("0");
  t.p.lblAntsPerStep.SetCaption("as it was");
  t.form.SetVariables();
  EXPECT_EQ(t.p.lblAntsPerStep.caption(), "as it was");
}

TEST(ParameterLoad, WorldSizeAndNestRowComeFromTheBoxesWhateverTheScrollBarShowed) {
  LoadedForm t;
  MainForm& f = t.form;
  t.p.scrColonyYPos.SetValue(300);
  EXPECT_EQ(f.params.homeYPos, 300);
  t.p.txtWorldXinM.SetText("3");
  t.p.txtWorldYinM.SetText("14");
  f.SetVariables();
  EXPECT_EQ(f.params.homeXPos, 150);
  EXPECT_EQ(f.params.homeYPos, 1395);
  EXPECT_EQ(t.p.scrColonyYPos.value(), 1395);
  EXPECT_EQ(t.p.scrColonyYPos.max(), 1395);
  EXPECT_EQ(f.drawing.worldAspect, 1400.0f / 300.0f);
  EXPECT_EQ(t.p.lblWorldWidth.caption(), "Window Width: 300cm");
  EXPECT_EQ(t.p.lblWorldSizeInCm.caption(), "(300 cm x 1400 cm)");
  // The load brings back the whole-world view and pen width 1 after a zoom,
  // and normal drawing after an unfinished or restarted zoom rectangle.
  f.pctWorld_MouseDown(1, 0, 150, 700);
  f.pctWorld_MouseDown(1, 0, 150, 700);
  f.pctWorld_MouseDown(1, 4, 100, 100);
  f.pctWorld_MouseDown(1, 4, 120, 100);  // restarted: invert mode saved as the mode to return to
  f.pctWorld_MouseMove(1, 4, 200, 300);
  f.pctWorld_MouseUp(1, 4, 200, 300);
  EXPECT_FALSE(f.drawing.zoomSelecting);
  f.SetVariables();
  EXPECT_EQ(f.pctWorld.DrawMode(), kDrawCopyPen);
  EXPECT_EQ(f.pctWorld.ScaleWidth(), 300);
  EXPECT_EQ(f.pctWorld.ScaleTop(), 0);
  EXPECT_EQ(f.drawing.drawWidth, 1);
}

TEST(ParameterLoad, UnusableBoxesKeepTheLastGoodValuesAndSaySo) {
  LoadedForm t;
  MainForm& f = t.form;
  // Boxes without a screening rule of their own, or texts their rule left
  // standing, are screened when the whole panel is read.
  t.p.txtEmptyNodeWeightIn.SetText("abc");
  f.SetVariables();
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Empty Patch Weight (In): \"abc\" refused, not a number");
  EXPECT_EQ(f.params.emptyNodeWeightIn, 5);
  t.p.txtEmptyNodeWeightIn.SetText("5");
  t.p.txtMaxPherToSat.SetText("0");  // accepted by its rule, but no slope can be made with it
  f.SetVariables();
  EXPECT_EQ(f.params.velSlope, static_cast<float>(2.9 / 300));
  t.p.txtMaxPherToSat.SetText("300");
  t.p.txtSaveTime.SetText("0.25");  // half a step rounds to no step at all
  EXPECT_EQ(f.params.saveInterval, 2);
  f.SetVariables();
  EXPECT_EQ(f.params.saveInterval, 2);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Save every refused: the period must be more than half a time step");
  t.p.txtSaveTime.SetText("0.26");
  t.p.txtNumAnts.SetText("0");  // its rule ignores 0 and leaves it in the box
  f.SetVariables();
  EXPECT_EQ(f.params.numAnts, 900);
  EXPECT_EQ(f.params.saveInterval, 0.52);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Total # refused: at least 1 ant");
}

TEST(ResponseCurve, FiveHundredPointsRiseThroughHalfHeightAtTheFiftyPercentAmount) {
  for (auto [n, scale, p] : {std::tuple{100.0, 100.0, 0.5}, {0.0, 100.0, 0.11920}, {200.0, 100.0, 0.88080},
                             {500.0, 100.0, 0.99966}, {2.0, 1.0, 0.88080}, {1e6, 1.0, 1.0}})  // saturates without overflow
    EXPECT_NEAR(MainForm::ResponseP(n, scale), p, 5e-6) << n << " / " << scale;

  LoadedForm t;
  const auto& pts = t.form.formSurface.points();
  ASSERT_EQ(pts.size(), 500u);
  EXPECT_FLOAT_EQ(pts.front().x, 8520 + 3.63f);
  EXPECT_NEAR(pts.front().y, 5760 - 845 * MainForm::ResponseP(1, 100), 1e-3);
  EXPECT_EQ(pts[99].x, 8520 + 100 * 3.63f);
  EXPECT_EQ(pts[99].y, 5760 - 845 * 0.5f);
  EXPECT_EQ(pts.back().x, 10335);
  EXPECT_EQ(pts.back().color, RGB(100, 100, 100));
  t.form.SetVariables();  // draws over the earlier curve without clearing it
  EXPECT_EQ(pts.size(), 1000u);

  t.p.txtFiftyPercProb.SetText("50");  // the edit rule clears the graph first
  ASSERT_EQ(pts.size(), 500u);
  EXPECT_EQ(pts[49].y, 5760 - 845 * 0.5f);
  t.p.txtMaxPherValue.SetText("250.5");
  ASSERT_EQ(pts.size(), 250u);
  EXPECT_FLOAT_EQ(pts.back().x, static_cast<float>(8520 + 250 * (1815 / 250.5)));
  t.p.txtMaxPherValue.SetText("0.4");
  EXPECT_TRUE(pts.empty());
  for (const char* refused : {"0", "-3", "", "abc"}) {
    t.p.txtMaxPherValue.SetText("500");
    t.p.txtMaxPherValue.SetText(refused);
    EXPECT_EQ(pts.size(), 500u) << refused;  // the graph stays as it was
  }
  t.p.txtFiftyPercProb.SetText("0");
  EXPECT_EQ(t.form.params.fiftyPercProb, 50);
  t.p.txtMaxPherValue.SetText("700");  // a scale of 0 draws nothing
  EXPECT_TRUE(pts.empty());
  t.p.txtFiftyPercProb.SetText("50");
  t.p.txtMaxPherValue.SetText("1e9");  // a huge range draws a bounded number of points
  EXPECT_LE(pts.size(), 20000u);
  EXPECT_GT(pts.size(), 0u);
}

}  // namespace
}  // namespace antraid
