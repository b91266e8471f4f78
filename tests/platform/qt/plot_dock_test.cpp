// The plot dock on the offscreen platform: its curves follow the run's
// figures, stay bounded however long the run, start afresh with a new run,
// and save what `record` writes.
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QPointF>
#include <QTest>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/test_form.h"
#include "platform/headless/script_runner.h"
#include "platform/qt/plot_dock.h"

using namespace antraid;
using antraid::testing::ReadFile;

namespace {

// A loaded form with the plot dock on screen. The form runs on the headless
// host, so the test decides when the dock copies the samples.
struct DockSession {
  testing::LoadedForm t;
  PlotDock dock{t.form, [](const std::function<void()>& handler) { handler(); }};

  DockSession() {
    dock.show();
    if (!QTest::qWaitForWindowExposed(&dock)) qWarning("dock not exposed");
  }
  // Runs the first start for exactly `steps` model steps.
  void Run(int steps) {
    const int last = t.host.passes + steps;
    t.host.onDoEvents = [this, last] {
      if (t.host.passes == last) t.form.running = false;
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
        expected[f].emplace_back(s.t.form.modelTime / 60.0, PlotFigures()[f].read(s.t.form));
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
    QCOMPARE(s.dock.series().interval(), int64_t{64});
    QCOMPARE(s.dock.curve(5)->count(), 100000 / 64);
    QCOMPARE(s.dock.curve(5)->points().last().x(), (1.0 + 0.5 * (100000 / 64) * 64) / 60.0);
  }

  void aNewRunClearsTheCurves() {
    DockSession s;
    s.Run(50);
    s.dock.Refresh();
    QCOMPARE(s.dock.curve(2)->count(), 50);
    s.t.host.answers = {true};
    s.t.PauseOnPass(3);
    s.t.p.cmdStartProgram.Click();
    s.dock.Refresh();
    QVERIFY(s.dock.curve(2)->count() < 10);
    QCOMPARE(s.dock.curve(2)->points().first().x(), 1.5 / 60.0);
  }

  void savedDataIsWhatRecordWritesAndPicturesArePng() {
    testing::TempFolder folder;
    const std::string all = folder.str() + "/all.csv", ants = folder.str() + "/ants.csv";
    {
      std::ostringstream out, err;
      ScriptOptions options;
      options.seed = 11;
      ScriptRunner runner(out, err, options);
      const std::string script = "record 4 " + all +
                                 " colonyFood foodOnGround antsOut antsReturning lastSwarmWidth maxDistTraveled\n"
                                 "record 4 " + ants + " antsOut antsReturning\n"
                                 "click cmdStartProgram\nwait 4500\n";
      QCOMPARE(runner.Run(script), 0);
    }
    DockSession s;  // seed 11, as the script
    s.Run(4500);
    const QString folderName = QString::fromStdString(folder.str());
    QVERIFY(s.dock.SaveCsv(folderName + "/dock-all.csv"));
    QVERIFY(s.dock.SaveCsv(folderName + "/dock-ants.csv", 1));
    const std::string recorded = ReadFile(all);
    QCOMPARE(std::count(recorded.begin(), recorded.end(), '\n'), 1 + 4500 / 4);
    QCOMPARE(ReadFile(folder.str() + "/dock-all.csv"), recorded);
    QCOMPARE(ReadFile(folder.str() + "/dock-ants.csv"), ReadFile(ants));

    QVERIFY(s.dock.SavePng(folderName + "/food.png", 0));
    QVERIFY(s.dock.SavePng(folderName + "/plots.png"));
    const QImage food(folderName + "/food.png"), plots(folderName + "/plots.png");
    QVERIFY(!food.isNull() && !plots.isNull());
    QVERIFY(plots.width() > food.width());

    // A file that cannot be written is said in the Messages box.
    const QString missing = folderName + "/missing/plot.csv";
    QVERIFY(!s.dock.SaveCsv(missing));
    QCOMPARE(QString::fromStdString(s.t.p.txtDebugMsg.text()), "Plot data not saved: cannot write " + missing);
    QVERIFY(!QFile::exists(missing));
  }
};

QTEST_MAIN(PlotDockTest)
#include "plot_dock_test.moc"
