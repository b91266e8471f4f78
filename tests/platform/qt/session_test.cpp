// Sessions kept and replayed: a recorded session that antraid-script
// replays exactly, and a seed fixed from the Run menu (parameter files from
// the File menu: the usability tests).
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "platform/qt/window_fixture.h"

using namespace antraid;
using namespace antraid::testing;

class SessionTest : public QObject {
  Q_OBJECT

 private slots:
  // The contract of a recorded session: replayed by the script runner with
  // the same seed, it leaves every field, control and raster pixel as the
  // window left them, whatever the speed and the waits of the window.
  void aRecordedSessionReplaysExactly() {
    constexpr uint64_t kSeed = 7;
    Session s(kSeed);
    FakeClock clock;
    s.host.SetClock(clock.Clock());
    s.window.SetSpeed(30);
    s.TypeKeys("txtNumAnts", "300");
    int steps = 0;
    StepListener counter(s.form, [&] { ++steps; });
    int done = 0;  // actions performed during the run, in order
    clock.duringWait = [&] {
      if (done == 0 && steps >= 5) {
        ++done;
        QTest::mouseClick(s.window.worldView(), Qt::LeftButton, {}, s.OverPixel(260, 420));
      } else if (done == 1 && steps >= 12) {
        ++done;
        s.Click("cmdPause");
      } else if (done == 3 && steps >= 20) {
        ++done;
        s.Click("cmdPause");
      }
    };
    s.Click("cmdStartProgram");
    QCOMPARE(done, 2);
    ++done;
    s.Click("cmdPause");  // Go, paused again at step 20
    QCOMPARE(done, 4);
    QVERIFY(!s.form.run.running);

    QTemporaryDir dir;
    const QString path = dir.filePath("session.script");
    s.window.dialogs.saveFile = [&](auto&&...) { return path; };
    s.Trigger("actionSaveSession");
    const std::string script = ReadFile(path.toStdString());
    QVERIFY(script.find("\n# Seed 7, fixed at start-up") != std::string::npos);
    QVERIFY(script.find("\nmouse down 1 0 ") != std::string::npos);

    ExpectExactReplay(s, kSeed, script);

    // --session writes the same session when the window closes, `close` last.
    s.window.SetSessionFile(dir.filePath("closed.script").toStdString());
    s.window.close();
    QCOMPARE(ReadFile(dir.filePath("closed.script").toStdString()), script);
  }

  void aSeedFixedFromTheMenuTakesEffectAtTheNextStart() {
    Session s;
    HeardActions heard(s.form);
    auto* seed = s.window.statusBar()->findChild<QLabel*>("statusSeed");
    s.window.dialogs.text = [](auto&&...) { return std::optional<QString>(" 42 "); };
    s.Trigger("actionFixedSeed");
    QCOMPARE(seed->text(), QString("Seed 42 from the next Start"));
    QCOMPARE(heard.lines, std::vector<std::string>{"seed 42"});
    s.PauseOnPass(1);
    s.Click("cmdStartProgram");
    QCOMPARE(seed->text(), QString("Seed 42"));
    // A text that is not a seed changes nothing and says why.
    s.window.dialogs.text = [](auto&&...) { return std::optional<QString>("-1"); };
    s.Trigger("actionFixedSeed");
    QCOMPARE(s.Text("txtDebugMsg"), QString("Fixed seed: \"-1\" refused, not a whole number from 0 to 18446744073709551615"));
    QCOMPARE(heard.lines.size(), size_t{3});
  }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
