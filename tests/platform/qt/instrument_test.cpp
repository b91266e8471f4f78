// The window as an instrument: the message log, menus and shortcuts, the
// pace of a run against a clock of the test's own, the command line.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <optional>
#include <sstream>
#include <variant>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/message_log.h"
#include "platform/qt/window_fixture.h"
#include "platform/qt/window_options.h"

using namespace antraid;
using namespace antraid::testing;

class InstrumentTest : public QObject {
  Q_OBJECT

 private slots:
  void messagesShowTheirBeginningAndStayInTheLog() {
    Session s;
    auto* messages = s.Widget<QLineEdit>("txtDebugMsg");
    auto* log = s.window.messageLog();
    QVERIFY(!log->isVisible());
    s.Trigger("actionMessageLog");
    QVERIFY(log->isVisible());
    s.TypeKeys("txtEmptyNodeWeightOut", "lots and lots of ants");
    const QString refusal = QString::fromStdString(s.form.panel.txtDebugMsg.text());
    QVERIFY(refusal.startsWith("Empty Patch Weight (Out): \"lots and lots of ants") &&
            messages->fontMetrics().horizontalAdvance(refusal) > messages->width());
    QCOMPARE(messages->text(), refusal);
    QCOMPARE(messages->cursorPosition(), 0);
    QCOMPARE(messages->toolTip(), refusal);
    const QString refusedAt = QString::fromStdString(FormatSingle(s.form.run.modelTime));
    // The frame counter written on every step is not listed; messages keep
    // the model time they were written at.
    QTimer::singleShot(0, &s.window, [&] { s.Click("cmdPause"); });
    s.form.panel.txtEmptyNodeWeightOut.SetText("5");
    s.Click("cmdStartProgram");
    QVERIFY(messages->text().startsWith("Framenumber"));
    const QStringList lines = log->view()->toPlainText().split('\n');
    QVERIFY(lines.contains("[" + refusedAt + " s] " + refusal));
    QVERIFY(!log->view()->toPlainText().contains("Framenumber"));
    // The oldest lines go first.
    for (int i = 0; i < MessageLog::kMaxLines + 5; ++i) log->MessageShown("line " + std::to_string(i));
    QCOMPARE(log->view()->document()->blockCount(), MessageLog::kMaxLines);
    QCOMPARE(log->view()->document()->firstBlock().text(),
             "[" + QString::fromStdString(FormatSingle(s.form.run.modelTime)) + " s] line 5");
  }

  void menuItemsClickTheirButtonsAndFollowTheirState() {
    Session s;
    HeardActions heard(s.form);
    const std::pair<const char*, Button*> items[] = {
        {"actionStart", &s.form.panel.cmdStartProgram}, {"actionPause", &s.form.panel.cmdPause},
        {"actionPlotPheromone", &s.form.panel.cmdPlotPher}, {"actionClearScreen", &s.form.panel.cmdClearScreen},
        {"actionModelInformation", &s.form.panel.cmdViewHelp}};
    auto itemsFollowButtons = [&] {
      s.window.SyncAll();
      for (const auto& [name, button] : items)
        if (s.Action(name)->isEnabled() != button->enabled()) return false;
      return true;
    };
    QVERIFY(itemsFollowButtons() && !s.Action("actionPause")->isEnabled());
    // In the run: the items as their buttons, Pause enabled and so named, the
    // count of ants locked; after it, the count free again.
    bool asInRun = false;
    s.host.afterEvents = [&] {
      if (heard.lines.size() != 1) return;
      asInRun = itemsFollowButtons() && s.Action("actionPause")->isEnabled() && s.Text("cmdPause") == "Pause" &&
                !s.Widget<QLineEdit>("txtNumAnts")->isEnabled();
      s.Trigger("actionPause");
    };
    s.Trigger("actionStart");
    s.host.afterEvents = nullptr;
    QVERIFY(asInRun && s.Widget<QLineEdit>("txtNumAnts")->isEnabled());
    s.Trigger("actionClearScreen");
    QCOMPARE(heard.lines, (std::vector<std::string>{"click cmdStartProgram", "click cmdPause", "click cmdClearScreen"}));
    // The status bar tells the speed and the model time.
    QCOMPARE(s.window.statusBar()->findChild<QLabel*>("statusSpeed")->text(), QString("Speed fastest"));
    QCOMPARE(s.window.statusBar()->findChild<QLabel*>("statusTime")->text(),
             "Model time " + QString::fromStdString(FormatSingle(s.form.run.modelTime)) + " s");
  }

  void keysStartPauseAndChangeTheSpeed() {
    Session s;
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    HeardActions heard(s.form);
    // Space pauses from a check box; Ctrl+Space goes on; Space pauses again
    // from the pause button itself.
    auto pressSpaceOnce = [&](const char* focus) {
      return [&s, focus, pressed = false]() mutable {
        if (std::exchange(pressed, true)) return;
        s.Widget<QWidget>(focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
      };
    };
    s.host.afterEvents = pressSpaceOnce("chkShowAnts");
    QTest::keyClick(&s.window, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(!s.form.run.running && s.form.params.showAnts);
    s.host.afterEvents = pressSpaceOnce("cmdPause");
    QTest::keyClick(&s.window, Qt::Key_Space, Qt::ControlModifier);
    s.host.afterEvents = nullptr;
    QCOMPARE(heard.lines, (std::vector<std::string>{"click cmdStartProgram", "click cmdPause", "click cmdPause",
                                                    "click cmdPause"}));
    // In a text box a blank is typed.
    auto* name = s.Widget<QLineEdit>("txtImageName");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Space);
    QCOMPARE(s.form.panel.txtImageName.text(), std::string("TrackAnts "));
    // One stop faster or slower, shown in words.
    s.window.SetSpeed(30);
    QTest::keyClick(&s.window, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(s.host.speed(), 60);
    QTest::keyClick(&s.window, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&s.window, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(s.host.speed(), 20);
    QCOMPARE(s.window.findChild<QLabel*>("speedSetting")->text(), QString("20 steps/s"));
  }

  // At a set speed the n-th step begins n / speed seconds after the first,
  // whatever else runs between steps (saved frames make passes of their
  // own); a Pause ends the wait at once.
  void pacingLetsStepsThroughOnTime() {
    for (int speed : {10, 30}) {
      Session s;
      FakeClock clock;
      s.host.SetClock(clock.Clock());
      s.window.SetSpeed(speed);
      // Frames go to a folder of the program's folder.
      QTemporaryDir frames(QCoreApplication::applicationDirPath() + "/framesXXXXXX");
      s.form.panel.txtSaveFilePath.SetText(QString("\\%1\\").arg(QDir(frames.path()).dirName()).toStdString());
      s.Click("chkSaveImages");
      std::vector<int64_t> starts;
      StepListener steps(s.form, [&] { starts.push_back(clock.now); });
      clock.duringWait = [&] {
        if (starts.size() == 12 && s.form.run.running) s.Click("cmdPause");
      };
      s.Click("cmdStartProgram");
      // Pausing runs a step and the run loop one more.
      QCOMPARE(starts.size(), size_t{14});
      for (size_t n = 0; n < 12; ++n) QCOMPARE(starts[n], int64_t(n * 1'000'000'000 / speed));
      // The steps after the Pause did not wait for their time.
      QVERIFY(starts[13] < 12 * int64_t{1'000'000'000} / speed);
      QVERIFY(!QDir(frames.path()).isEmpty());
    }
  }

  void commandLineTakesSeedSpeedAndSessionOrEndsWithUsage() {
    struct Case {
      std::vector<const char*> args;
      int status;  // -1: the window opens
      std::optional<uint64_t> seed;
      int speed;
      const char* session;
      const char* said;  // the start of what goes to standard error
    };
    const Case cases[] = {
        {{}, -1, {}, kDefaultSpeed, nullptr, ""},
        {{"--seed", "18446744073709551615", "--speed", "fastest", "--session", "s.script"}, -1,
         UINT64_MAX, kFastest, "s.script", ""},
        {{"--speed", "1", "--seed", "0"}, -1, 0, 1, nullptr, ""},
        {{"--help"}, 0, {}, 0, nullptr, ""},
        {{"--bogus"}, 2, {}, 0, nullptr, "antraid: The following argument was not expected: --bogus"},
        {{"stray"}, 2, {}, 0, nullptr, "antraid: The following argument was not expected: stray"},
        {{"--seed", "-1"}, 2, {}, 0, nullptr, "antraid: --seed: a whole number from 0 to"},
        {{"--seed", "18446744073709551616"}, 2, {}, 0, nullptr, "antraid: --seed: a whole number"},
        {{"--speed", "0"}, 2, {}, 0, nullptr, "antraid: --speed: a whole number of steps a second"},
        {{"--session"}, 2, {}, 0, nullptr, "antraid: --session"},
    };
    for (const Case& c : cases) {
      std::vector<const char*> argv{"antraid"};
      argv.insert(argv.end(), c.args.begin(), c.args.end());
      std::ostringstream out, err;
      const auto read = ReadWindowOptions(static_cast<int>(argv.size()), argv.data(), out, err);
      const QString name = QString::fromStdString(err.str());
      if (c.status >= 0) {
        QVERIFY2(std::holds_alternative<int>(read) && std::get<int>(read) == c.status, qPrintable(name));
        // The usage follows every mistake; --help prints it alone.
        QVERIFY((c.status == 0 ? out : err).str().find("Usage: antraid") != std::string::npos);
        QVERIFY2(err.str().rfind(c.said, 0) == 0, qPrintable(name));
        continue;
      }
      QVERIFY2(std::holds_alternative<WindowOptions>(read), qPrintable(name));
      const auto& o = std::get<WindowOptions>(read);
      QCOMPARE(o.seed, c.seed);
      QCOMPARE(o.speed, c.speed);
      QCOMPARE(o.session, c.session ? std::optional<std::string>(c.session) : std::nullopt);
    }
    // Qt would take --session for its session manager: the window's options
    // leave the command line before Qt reads it, Qt's own stay for Qt.
    std::vector<std::string> words{"antraid", "-platform", "offscreen", "--session", "s.script", "--seed=3",
                                   "-style", "fusion", "--speed", "--session"};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    const SplitCommandLine split = SplitWindowOptions(static_cast<int>(argv.size()), argv.data());
    auto texts = [](const std::vector<char*>& v) { return std::vector<std::string>(v.begin(), v.end()); };
    QCOMPARE(texts(split.ours), (std::vector<std::string>{"antraid", "--session", "s.script", "--seed=3", "--speed",
                                                          "--session"}));
    QCOMPARE(texts(split.rest), (std::vector<std::string>{"antraid", "-platform", "offscreen", "-style", "fusion"}));
  }
};

QTEST_MAIN(InstrumentTest)
#include "instrument_test.moc"
