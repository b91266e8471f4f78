// The plots' sampler: which steps it keeps as the run grows, what it reads
// there, and which actions start the curves afresh.
#include "app/plot_series.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "sim/test_form.h"
#include "common/numbers.h"
#include "platform/headless/invariants.h"

namespace antraid {
namespace {

using testing::LoadedForm;

// The row `record` writes after a step: the clock and every plot figure as
// print writes them.
std::string RecordRow(const MainForm& f) {
  std::string row = *f.FieldText("modelTime");
  for (const PlotFigure& figure : PlotFigures()) row += "," + *f.FieldText(figure.item);
  return row + "\n";
}

TEST(PlotSeries, KeepsEveryStepThenTheStepsOfADoublingIntervalWithTheFiguresRecordWouldWrite) {
  LoadedForm t;
  t.p.txtNumAnts.SetText("300");
  PlotSeries series(t.form);
  std::vector<std::string> rows;  // after every step
  StepListener each(t.form, [&] { rows.push_back(RecordRow(t.form)); });

  // Steps done, then the interval and size of the series: full at 2000; the
  // next due sample halves the series first.
  const std::tuple<int, int64_t, size_t> checkpoints[] = {{1, 1, 1},       {2000, 1, 2000}, {2001, 2, 1000},
                                                          {2002, 2, 1001}, {4000, 2, 2000}, {4002, 4, 1000},
                                                          {4500, 4, 1125}};
  std::string header = "modelTime";
  for (const PlotFigure& figure : PlotFigures()) header.append(",").append(figure.item);
  size_t next = 0;
  t.host.onDoEvents = [&] {
    const int done = t.host.passes - 1;  // steps before this pass
    if (next < std::size(checkpoints) && done == std::get<0>(checkpoints[next])) {
      const auto& [steps, interval, size] = checkpoints[next++];
      EXPECT_EQ(series.interval(), interval) << "after " << steps << " steps";
      EXPECT_EQ(series.size(), size) << "after " << steps << " steps";
      std::string expected = header + "\n";
      for (int s = static_cast<int>(interval); s <= done; s += static_cast<int>(interval))
        expected += rows[static_cast<size_t>(s - 1)];
      EXPECT_EQ(series.Csv(std::vector<size_t>{0, 1, 2, 3, 4, 5}), expected) << "after " << steps << " steps";
    }
    if (next == std::size(checkpoints)) t.form.run.running = false;  // one more step, then the run ends
  };
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(next, std::size(checkpoints));
  // Every figure moves during the run: none is a constant read by mistake.
  for (size_t f = 0; f < kPlotFigureCount; ++f) {
    const std::vector<double>& v = series.values(f);
    EXPECT_NE(std::find_if(v.begin(), v.end(), [&](double x) { return x != v.front(); }), v.end())
        << PlotFigures()[f].item;
  }
  // A chart's own columns.
  const std::vector<size_t> ants = {2, 3};
  EXPECT_EQ(series.Csv(ants).substr(0, series.Csv(ants).find('\n')), "modelTime,antsOut,antsReturning");
}

TEST(PlotSeries, ANewRunStartsTheCurvesAfreshWhilePauseAndGoKeepThem) {
  struct Case {
    const char* name;
    bool answer;
    std::function<void(LoadedForm&)> act;
    bool afresh;
  };
  const Case cases[] = {
      {"Start answered Yes", true, [](LoadedForm& t) { t.p.cmdStartProgram.Click(); }, true},
      {"new number of ants", true, [](LoadedForm& t) { t.p.txtNumAnts.SetText("250"); }, true},
      {"Start answered No", false, [](LoadedForm& t) { t.p.cmdStartProgram.Click(); }, false},
      {"Go", false, [](LoadedForm& t) { t.p.cmdPause.Click(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadedForm t;
    t.p.txtNumAnts.SetText("300");
    PlotSeries series(t.form);
    t.StartAndRun(2001);
    ASSERT_EQ(series.interval(), 2);
    ASSERT_EQ(series.size(), 1000u);
    const std::vector<double> before = series.times();
    t.host.answers = {c.answer};
    t.PauseOnPass(10);
    c.act(t);
    if (c.afresh) {
      EXPECT_EQ(series.interval(), 1);
      EXPECT_EQ(series.times().front(), 1.5);  // the clock's first step in a new run
      EXPECT_LT(series.size(), 20u);
    } else {
      ASSERT_GT(series.size(), before.size());
      EXPECT_TRUE(std::equal(before.begin(), before.end(), series.times().begin()));
      EXPECT_GT(series.times()[before.size()], before.back());
    }
  }
}

// An edit of % Food during a run rewrites the total for the next run; the
// food lying on the ground, the food layer's sum, stays what it was.
TEST(PlotSeries, FoodOnTheGroundStaysWhenTheFoodShareIsEditedDuringARun) {
  LoadedForm t;
  t.p.txtNumAnts.SetText("300");
  t.host.onDoEvents = [&] {
    if (t.host.passes != 400) return;
    const int64_t lying = t.form.readouts.foodOnGround;
    t.p.txtPercentFood.SetText("2");
    EXPECT_EQ(t.form.readouts.totalFood, 2 * 4900);
    EXPECT_EQ(t.form.readouts.foodOnGround, lying);
    t.form.run.running = false;
  };
  t.p.cmdStartProgram.Click();
  EXPECT_LT(t.form.readouts.foodOnGround, 4900);  // food was taken
  EXPECT_EQ(CheckInvariants(t.form), "");
}

}  // namespace
}  // namespace antraid
