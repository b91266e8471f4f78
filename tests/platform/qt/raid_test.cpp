// Watching a raid in the window: trails that leave the canvas alone, the
// raid's end that pauses as the Pause button and replays exactly, and Run >
// Step, whose steps replay exactly.
#include <QAction>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <string>
#include <utility>

#include "app/raid_watch.h"
#include "app/session_recorder.h"
#include "app/test_form.h"
#include "display/trail_layer.h"
#include "platform/qt/message_log.h"
#include "platform/qt/raid_controls.h"
#include "platform/qt/window_fixture.h"

using namespace antraid;
using namespace antraid::testing;

namespace {

QString State(const MainForm& form) { return QString::fromStdString(FormState(form, true)); }

// Replays the window's session so far with antraid-script and compares every
// field, control and raster pixel.
void ExpectExactReplay(Session& s, uint64_t seed) {
  const std::string script = s.window.recorder().Script();
  ScriptSession replay(script, seed, s.host.AppPath());
  QCOMPARE(replay.rc, 0);
  QCOMPARE(QString::fromStdString(replay.err.str()), QString());
  QCOMPARE(State(replay.form()), State(s.form));
}

}  // namespace

class RaidTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
  }

  void trailsAreALayerOfTheViewOnly() {
    Session plain(5), trails(5);
    QVERIFY(!trails.Action("actionTrails")->isChecked());  // off at the first start
    QVERIFY(trails.window.toolBar()->actions().contains(trails.Action("actionTrails")));
    trails.Trigger("actionTrails");
    for (Session* s : {&plain, &trails}) {
      s->TypeKeys("txtNumAnts", "300");
      s->host.afterEvents = [s] {
        if (s->form.modelTime >= 100 && s->form.running) s->Click("cmdPause");
      };
      s->Click("cmdStartProgram");
    }
    // The canvas raster is the same pixel for pixel; the view differs only
    // where the canvas shows sand and the pheromone layer holds some.
    QVERIFY(Snapshot(trails.form.pctWorld) == Snapshot(plain.form.pctWorld));
    QCOMPARE(State(trails.form), State(plain.form));
    const QImage shown = trails.Canvas();
    const Canvas& c = trails.form.pctWorld;
    TrailLayer layer;
    const auto& expected = layer.Compose(trails.form);
    int differing = 0;
    for (int py = 0; py < c.height(); ++py)
      for (int px = 0; px < c.width(); ++px) {
        const uint32_t v = expected[static_cast<size_t>(py * c.width() + px)];
        QCOMPARE(shown.pixel(px, py), static_cast<QRgb>(v));
        differing += v != c.pixels()[py * c.width() + px];
      }
    QVERIFY2(differing > 100, qPrintable(QString::number(differing)));

    // The choice is remembered for the next start.
    { Session next; QVERIFY(next.Action("actionTrails")->isChecked()); }
    trails.Trigger("actionTrails");
    { Session next; QVERIFY(!next.Action("actionTrails")->isChecked()); }
  }

  void theRaidsEndPausesAsThePauseButtonAndReplaysExactly() {
    constexpr uint64_t kSeed = 3;
    Session s(kSeed);
    QVERIFY(s.Action("actionPauseWhenRaidOver")->isChecked());  // on by default
    HeardActions heard(s.form);
    s.TypeKeys("txtNumAnts", "60");
    s.Click("cmdStartProgram");  // returns when the raid's end pauses the run
    QVERIFY(!s.form.running);
    const RaidWatch& watch = s.window.raid().watch();
    QVERIFY(watch.over());
    QCOMPARE(heard.lines.back(), std::string("click cmdPause"));
    // The raid ended at the end of a step; Pause came in the next pass, as a
    // click does: its own iteration's step, then the one of the loop it paused.
    QCOMPARE(s.form.modelTime, watch.overAt() + 2 * s.form.modelTimeStep);
    const QString said = QString::fromStdString(watch.Message());
    QVERIFY2(said.startsWith("Raid over at ") && said.endsWith(": no ant has moved for 10 s"), qPrintable(said));
    QCOMPARE(s.window.statusBar()->currentMessage(), said);
    const QString log = s.window.messageLog()->view()->toPlainText();
    QCOMPARE(log.count(said), 1);
    ExpectExactReplay(s, kSeed);

    // Switched off, the run goes on after the raid's end, said once.
    Session on(kSeed);
    on.Trigger("actionPauseWhenRaidOver");
    on.TypeKeys("txtNumAnts", "60");
    on.host.afterEvents = [&] {
      if (on.form.running && on.window.raid().watch().over() &&
          on.form.modelTime >= on.window.raid().watch().overAt() + 20)
        on.Click("cmdPause");
    };
    on.Click("cmdStartProgram");
    QCOMPARE(on.form.modelTime, on.window.raid().watch().overAt() + 21.0f);
    QCOMPARE(on.window.messageLog()->view()->toPlainText().count("Raid over"), 1);
    on.Trigger("actionPauseWhenRaidOver");  // leaves the setting as it was
  }

  void stepsOfAPausedRunReplayExactly() {
    constexpr uint64_t kSeed = 9;
    Session s(kSeed);
    const float loaded = s.form.modelTime;
    s.Trigger("actionStep");  // nothing to step yet
    QCOMPARE(s.form.modelTime, loaded);
    QCOMPARE(s.window.statusBar()->currentMessage(), QString("Step: start a run first"));
    s.TypeKeys("txtNumAnts", "200");
    int passes = 0;
    s.host.afterEvents = [&] {
      if (++passes == 6) s.Click("cmdPause");
    };
    s.Click("cmdStartProgram");
    s.host.afterEvents = nullptr;
    const float paused = s.form.modelTime;
    s.Trigger("actionStep");
    QTest::keyClick(&s.window, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(s.form.modelTime, paused + 2 * s.form.modelTimeStep);
    QVERIFY(!s.form.running);
    ExpectExactReplay(s, kSeed);
  }
};

QTEST_MAIN(RaidTest)
#include "raid_test.moc"
