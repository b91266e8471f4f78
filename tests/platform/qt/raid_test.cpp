// Watching a raid in the window: trails that leave the canvas alone, the
// raid's end that pauses as the Pause button, and Run > Step after it, whose
// steps replay exactly.
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <optional>
#include <string>

#include "app/raid_watch.h"
#include "sim/display/trail_layer.h"
#include "platform/qt/message_log.h"
#include "platform/qt/raid_controls.h"
#include "platform/qt/window_fixture.h"

using namespace antraid;
using namespace antraid::testing;

namespace {

QString State(const MainForm& form) { return QString::fromStdString(FormState(form, true)); }

// The movie's stream as ffprobe reads it.
QString Probe(const QString& file) {
  return QString::fromStdString(MovieProbe(file.toStdString(), QFileInfo(file).path().toStdString()));
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
    trails.Trigger("actionTrails");
    for (Session* s : {&plain, &trails}) {
      s->TypeKeys("txtNumAnts", "300");
      s->host.afterEvents = [s] {
        if (s->form.run.modelTime >= 100 && s->form.run.running) s->Click("cmdPause");
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

  void theRaidsEndPausesAsThePauseButtonAndItsStepsReplayExactly() {
    constexpr uint64_t kSeed = 3;
    Session s(kSeed, /*pauseAtRaidEnd=*/true);
    QVERIFY(s.Action("actionPauseWhenRaidOver")->isChecked());  // on by default
    const float loaded = s.form.run.modelTime;
    s.Trigger("actionStep");  // nothing to step yet
    QCOMPARE(s.form.run.modelTime, loaded);
    QCOMPARE(s.window.statusBar()->currentMessage(), QString("Step: start a run first"));
    HeardActions heard(s.form);
    s.TypeKeys("txtNumAnts", "60");
    s.Click("cmdStartProgram");  // returns when the raid's end pauses the run
    QVERIFY(!s.form.run.running);
    const RaidWatch& watch = s.window.raid().watch();
    QVERIFY(watch.over());
    QCOMPARE(heard.lines.back(), std::string("click cmdPause"));
    // The raid ended at the end of a step; Pause came in the next pass, as a
    // click does: its own iteration's step, then the one of the loop it paused.
    QCOMPARE(s.form.run.modelTime, watch.overAt() + 2 * s.form.params.modelTimeStep);
    const QString said = QString::fromStdString(watch.Message());
    QVERIFY2(said.startsWith("Raid over at ") && said.endsWith(": no ant has moved for 10 s"), qPrintable(said));
    QCOMPARE(s.window.statusBar()->currentMessage(), said);
    const QString log = s.window.messageLog()->view()->toPlainText();
    QCOMPARE(log.count(said), 1);
    // Run > Step and Ctrl+T step the paused run once each; all of it replays.
    const float paused = s.form.run.modelTime;
    s.Trigger("actionStep");
    QTest::keyClick(&s.window, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(s.form.run.modelTime, paused + 2 * s.form.params.modelTimeStep);
    QVERIFY(!s.form.run.running);
    ExpectExactReplay(s, kSeed);

    // Switched off, the run goes on after the raid's end, said once.
    Session on(kSeed, /*pauseAtRaidEnd=*/true);
    on.Trigger("actionPauseWhenRaidOver");
    on.TypeKeys("txtNumAnts", "60");
    on.host.afterEvents = [&] {
      if (on.form.run.running && on.window.raid().watch().over() &&
          on.form.run.modelTime >= on.window.raid().watch().overAt() + 20)
        on.Click("cmdPause");
    };
    on.Click("cmdStartProgram");
    QCOMPARE(on.form.run.modelTime, on.window.raid().watch().overAt() + 21.0f);
    QCOMPARE(on.window.messageLog()->view()->toPlainText().count("Raid over"), 1);
    on.Trigger("actionPauseWhenRaidOver");  // leaves the setting as it was
  }

  void aMovieOfTheViewIsFinishedOnStopAndOnClose() {
    QTemporaryDir dir;
    const QString file = dir.filePath("raid.mp4");
    Session s;
    int64_t suggested = 0;
    s.window.raid().askMovie = [&](int64_t every) {
      suggested = every;
      return std::optional<MovieChoice>(MovieChoice{file, 1});
    };
    s.Trigger("actionTrails");  // frames of the view, trails and all
    s.Trigger("actionRecordMovie");
    QCOMPARE(suggested, int64_t{6});  // 0.5 s steps: half an hour of raid in 600 frames
    QVERIFY(s.Action("actionStopRecording")->isEnabled());
    // Pause in the 299th pass: 298 steps before it, the two of the Pause.
    s.PauseOnPass(299);
    s.Click("cmdStartProgram");
    s.Trigger("actionStopRecording");
    QVERIFY(!s.Action("actionStopRecording")->isEnabled());
    QCOMPARE(Probe(file), QString("h264,500,500,300"));
    QVERIFY(s.window.messageLog()->view()->toPlainText().contains("Movie saved: " + file + " (300 frames)"));
    s.Trigger("actionTrails");

    // Closing the window in the 50th pass: 49 steps, and a complete file.
    const QString closed = dir.filePath("closed");  // no extension: .mp4 is added
    Session c;
    c.window.raid().askMovie = [&](int64_t) { return std::optional<MovieChoice>(MovieChoice{closed, 1}); };
    c.Trigger("actionRecordMovie");
    int passes = 0;
    c.host.afterEvents = [&] {
      if (++passes == 50) c.window.close();
    };
    c.Click("cmdStartProgram");
    QCOMPARE(Probe(closed + ".mp4"), QString("h264,500,500,49"));
  }

  void aSweepsRunPerformedInTheWindowEndsInTheStateTheScriptPrints() {
    const std::string run =
        "# antraid-sweep: food, run 3 (combination 2, repetition 1)\n"
        "# replay: antraid-script --seed 77 runs/00003.script\n"
        "type txtNumAnts 150\n"
        "type txtPercentFood 3\n"
        "click cmdStartProgram\n"
        "wait 40\n"
        "print modelTime colonyFood antsOut\n"
        "wait 60\n"
        "print modelTime colonyFood antsOut\n";
    QCOMPARE(RaidControls::HeaderSeed("# Seed 42, fixed at start-up: replay with antraid-script --seed 42 FILE\n"),
             std::optional<uint64_t>(42));
    QCOMPARE(RaidControls::HeaderSeed("type txtNumAnts 5\n# --seed 3\n"), std::optional<uint64_t>());

    Session s;
    ScriptSession headless(run, 77, s.host.AppPath());
    QCOMPARE(headless.rc, 0);
    QTemporaryDir dir;
    const QString file = dir.filePath("00003.script");
    std::ofstream(file.toStdString(), std::ios::binary) << run;
    s.window.raid().askRun = [&] { return file; };
    s.Trigger("actionOpenRun");
    QVERIFY(!s.window.raid().performing());
    // The log holds what the script printed, and the window stands where it printed it.
    const QString log = s.window.messageLog()->view()->toPlainText();
    for (const QString& line : QString::fromStdString(headless.out.str()).split('\n', Qt::SkipEmptyParts))
      QVERIFY2(log.contains("] " + line), qPrintable(line));
    for (std::string_view name : MainForm::FieldNames()) {
      if (name == "running" || name == "unloaded") continue;
      QCOMPARE(QString::fromStdString(*s.form.FieldText(name)),
               QString::fromStdString(*headless.form().FieldText(name)));
    }
    QVERIFY(Snapshot(s.form.pctWorld) == Snapshot(headless.form().pctWorld));
    // Paused there, ready to go on; the session so far replays exactly.
    QVERIFY(!s.form.run.running);
    QCOMPARE(s.Text("cmdPause"), QString("Go"));
    QVERIFY(s.window.recorder().Script().find("\nseed 77\n") != std::string::npos);
    QVERIFY(s.window.recorder().Script().find("\nhalt\n") != std::string::npos);
    s.PauseOnPass(5);
    const float end = s.form.run.modelTime;
    s.Click("cmdPause");
    QCOMPARE(s.form.run.modelTime, end + 6 * s.form.params.modelTimeStep);
    ExpectExactReplay(s, 11);
  }
};

QTEST_MAIN(RaidTest)
#include "raid_test.moc"
