// The plot dock on the offscreen platform: its curves follow the run's
// figures, stay bounded however long the run, start afresh with a new run
// (with the trail chart's), and save what `record` writes; in the window,
// the File menu's entry and the charts' right-click menu save them.
#include <QApplication>
#include <QChartView>
#include <QContextMenuEvent>
#include <QMenu>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QPointF>
#include <QSpinBox>
#include <QTest>
#include <QValueAxis>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/plot_dock.h"
#include "platform/qt/trail_chart.h"
#include "platform/qt/window_fixture.h"

using namespace antraid;
using antraid::testing::ReadFile;

namespace {

// A loaded form with the plot dock on screen. The form runs on the headless
// host, so the test decides when the dock copies the samples.
struct DockSession {
  testing::LoadedForm t;
  PlotDock dock{t.form, [](const std::function<void()>& handler) { handler(); }};

  DockSession() {
    dock.resize(1600, 900);  // wide enough to draw every sample of a short run
    dock.show();
    if (!QTest::qWaitForWindowExposed(&dock)) qWarning("dock not exposed");
  }
  // Runs the first start for exactly `steps` model steps.
  void Run(int steps) {
    const int last = t.host.passes + steps;
    t.host.onDoEvents = [this, last] {
      if (t.host.passes == last) t.form.run.running = false;
    };
    t.p.cmdStartProgram.Click();
  }
};

}  // namespace

class PlotDockTest : public QObject {
  Q_OBJECT

 private slots:
  void curvesHoldTheFiguresOfEveryStep() {
    DockSession s;
    std::vector<std::vector<QPointF>> expected(kPlotFigureCount);
    StepListener each(s.t.form, [&] {
      for (size_t f = 0; f < kPlotFigureCount; ++f)
        expected[f].emplace_back(s.t.form.run.modelTime / 60.0, PlotFigures()[f].read(s.t.form));
    });
    s.Run(300);
    // The dock's own timer copies them while it is shown.
    QTRY_COMPARE(s.dock.curve(0)->count(), 300);
    for (size_t f = 0; f < kPlotFigureCount; ++f) {
      const QList<QPointF> points = s.dock.curve(f)->points();
      QCOMPARE(std::vector<QPointF>(points.begin(), points.end()), expected[f]);
    }
    QVERIFY(s.dock.curve(0)->points().last().y() > 0);  // food was retrieved
  }

  void thinningKeepsTheCurvesBoundedOverAHundredThousandSteps() {
    DockSession s;
    s.t.p.txtNumAnts.SetText("20");
    s.t.p.txtWorldXinM.SetText("1");
    s.t.p.txtWorldYinM.SetText("1");
    int steps = 0;
    StepListener each(s.t.form, [&] {
      if (++steps % 10000 != 0) return;
      s.dock.Refresh();
      for (size_t f = 0; f < kPlotFigureCount; ++f) QVERIFY(s.dock.curve(f)->count() <= 2000);
      QVERIFY(s.dock.series().times().capacity() <= PlotSeries::kMaxSamples);
    });
    s.Run(100000);
    QCOMPARE(steps, 100000);
    s.dock.Refresh();
    const PlotSeries& series = s.dock.series();
    QCOMPARE(series.interval(), int64_t{64});
    QCOMPARE(series.size(), size_t{100000 / 64});
    QCOMPARE(series.times().back(), 1.0 + 0.5 * (100000 / 64) * 64);
    // Drawn: samples only, at most two in each pixel column, reaching the
    // extremes to within a pixel row, and the last sample.
    for (const auto& [f, c] : {std::pair<size_t, int>{1, 0}, {5, 2}}) {
      std::vector<QPointF> samples;
      for (size_t i = 0; i < series.size(); ++i) samples.emplace_back(series.times()[i] / 60.0, series.values(f)[i]);
      const QList<QPointF> drawn = s.dock.curve(f)->points();
      const QChart* chart = s.dock.chartView(c)->chart();
      const auto* y = static_cast<const QValueAxis*>(chart->axes(Qt::Vertical).first());
      const double row = (y->max() - y->min()) / chart->plotArea().height();
      QVERIFY(drawn.size() <= 2 * chart->plotArea().width() + 1);
      QVERIFY(std::includes(samples.begin(), samples.end(), drawn.begin(), drawn.end(),
                            [](QPointF a, QPointF b) { return a.x() < b.x(); }));
      for (const QPointF& p : drawn) QVERIFY(std::find(samples.begin(), samples.end(), p) != samples.end());
      QCOMPARE(drawn.last(), samples.back());
      const auto [low, high] = std::minmax_element(series.values(f).begin(), series.values(f).end());
      const auto [lowDrawn, highDrawn] =
          std::minmax_element(drawn.begin(), drawn.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
      QVERIFY(lowDrawn->y() - *low < row && *high - highDrawn->y() < row);
    }
  }

  // The trail chart, hidden at start, samples only while shown; its curves
  // are the trail items of the row, here prepared by hand: 5, 10, 1, 2 at
  // x = 10, 11, 15, 16 give extent 7, width 18^2 / 130 and one trail.
  void trailChartSamplesTheRowAtItsDistanceWhileShown() {
    DockSession s;
    TrailChart& chart = *s.dock.trailChart();
    QVERIFY(!chart.isVisible() && !chart.sampling());
    QCOMPARE(chart.distanceBox()->value(), 400);
    s.Run(5);
    s.dock.Refresh();
    QCOMPARE(chart.curve(0)->count(), 0);
    QCOMPARE(s.dock.curve(2)->count(), 5);

    s.dock.trailChartAction()->setChecked(true);
    QVERIFY(chart.isVisible());
    chart.distanceBox()->setValue(300);  // the nest's row is 695: row 395
    int steps = 0;
    StepListener prepare(s.t.form, [&] {
      if (++steps != 3) return;
      for (auto [x, p] : {std::pair{10, 5}, {11, 10}, {15, 1}, {16, 2}}) s.t.form.run.pherGrid.Set(x, 395, p);
    });
    s.t.host.answers = {true};
    s.Run(5);  // a new run: 5 samples, the prepared row from the 4th on
    s.dock.Refresh();
    QCOMPARE(chart.curve(0)->count(), 5);
    QCOMPARE(chart.curve(0)->at(2).y(), 0.0);
    QCOMPARE(chart.curve(0)->at(4).y(), 7.0);
    QCOMPARE(chart.curve(1)->at(4).y(), 324.0 / 130.0);
    QCOMPARE(chart.curve(2)->at(4).y(), 1.0);
    QCOMPARE(chart.curve(2)->at(4).x(), 3.5 / 60.0);  // clock 3.5 s, in minutes
    // The run's own curves start afresh with it too.
    QCOMPARE(s.dock.curve(2)->count(), 5);
    QCOMPARE(s.dock.curve(2)->points().first().x(), 1.5 / 60.0);

    s.dock.trailChartAction()->setChecked(false);
    QVERIFY(!chart.sampling() && !chart.isVisible());
  }

  void savedDataIsWhatRecordWritesAndPicturesArePng() {
    testing::TempFolder folder;
    const std::string all = folder.str() + "/all.csv", ants = folder.str() + "/ants.csv";
    const testing::ScriptSession<> script(
        "record 4 " + all + " colonyFood foodOnGround antsOut antsReturning lastSwarmWidth maxDistTraveled\n"
        "record 4 " + ants + " antsOut antsReturning\nclick cmdStartProgram\nwait 4500\n", 11);
    QCOMPARE(script.rc, 0);
    DockSession s;  // seed 11, as the script
    s.Run(4500);
    const QString folderName = QString::fromStdString(folder.str());
    QVERIFY(s.dock.SaveCsv(folderName + "/dock-all.csv"));
    QVERIFY(s.dock.SaveCsv(folderName + "/dock-ants.csv", 1));
    const std::string recorded = ReadFile(all);
    QCOMPARE(std::count(recorded.begin(), recorded.end(), '\n'), 1 + 4500 / 4);
    QCOMPARE(ReadFile(folder.str() + "/dock-all.csv"), recorded);
    QCOMPARE(ReadFile(folder.str() + "/dock-ants.csv"), ReadFile(ants));

    // Pictures at the size asked for: PNG, or SVG by the name.
    QVERIFY(s.dock.SavePicture(folderName + "/food.png", 0, QSize(800, 300)));
    QVERIFY(s.dock.SavePicture(folderName + "/plots.png"));
    const QImage food(folderName + "/food.png"), plots(folderName + "/plots.png");
    QCOMPARE(food.size(), QSize(800, 300));
    QCOMPARE(plots.size(), QSize(1600, 1200));
    // The three charts one above the other: each third holds dark curve or
    // axis pixels on a white ground.
    for (int third = 0; third < 3; ++third) {
      int dark = 0;
      for (int y = third * 400 + 20; y < third * 400 + 380; y += 2)
        for (int x = 0; x < 1600; x += 2) dark += qGray(plots.pixel(x, y)) < 128;
      QVERIFY2(dark > 200, qPrintable(QString::number(third)));
    }
    QCOMPARE(plots.pixel(1599, 0), qRgb(255, 255, 255));
    QVERIFY(s.dock.SavePicture(folderName + "/plots.svg", PlotDock::kAllCharts, QSize(1000, 900)));
    const std::string svg = ReadFile(folder.str() + "/plots.svg");
    QVERIFY(svg.find("<svg") != std::string::npos && svg.find("width=\"1000\"") != std::string::npos);
    QVERIFY(svg.find("Swarm (cm)") != std::string::npos);
    QVERIFY(!s.dock.SavePicture(folderName + "/missing/plots.svg"));
    QCOMPARE(QString::fromStdString(s.t.p.txtDebugMsg.text()),
             "Plot picture not saved: cannot write " + folderName + "/missing/plots.svg");

    // A file that cannot be written is said in the Messages box.
    const QString missing = folderName + "/missing/plot.csv";
    QVERIFY(!s.dock.SaveCsv(missing));
    QCOMPARE(QString::fromStdString(s.t.p.txtDebugMsg.text()), "Plot data not saved: cannot write " + missing);
    QVERIFY(!QFile::exists(missing));
  }

  // File > Save plot data as CSV... writes every series; the swarm chart's
  // right-click menu, its own two.
  void theWindowsMenusSaveThePlotData() {
    testing::Session program;
    program.host.afterEvents = [&] {
      if (program.form.run.modelTime >= 30) program.form.run.running = false;
    };
    program.Trigger("actionStart");
    testing::TempFolder folder;
    QString answer;
    program.window.dialogs.saveFile = [&](const QString&, const QString&, const QString&) { return answer; };

    answer = QString::fromStdString(folder.str()) + "/all.csv";
    program.Trigger("actionSavePlotCsv");
    const std::string all = ReadFile(folder.str() + "/all.csv");
    QCOMPARE(all.substr(0, all.find('\n')),
             std::string("modelTime,colonyFood,foodOnGround,antsOut,antsReturning,lastSwarmWidth,maxDistTraveled"));
    QCOMPARE(std::count(all.begin(), all.end(), '\n'), 1 + 59);  // steps from 1.5 s to 30.5 s

    QChartView* swarm = program.window.plotDock()->chartView(2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20), swarm->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(swarm->viewport(), &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    answer = QString::fromStdString(folder.str()) + "/swarm.csv";
    menu->actions().first()->trigger();
    menu->close();
    const std::string width = ReadFile(folder.str() + "/swarm.csv");
    QCOMPARE(width.substr(0, width.find('\n')), std::string("modelTime,lastSwarmWidth,maxDistTraveled"));
  }
};

QTEST_MAIN(PlotDockTest)
#include "plot_dock_test.moc"
