// Sessions kept and replayed: parameter files through the File menu, a
// recorded session that antraid-script replays exactly, a seed fixed from
// the Run menu, and frames that stop before the disk fills.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/session_recorder.h"
#include "platform/headless/script_runner.h"
#include "platform/qt/message_log.h"
#include "platform/qt/window_fixture.h"

using namespace antraid;
using namespace antraid::testing;

namespace {

QString ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A file without its comment lines (the header names the date and time).
QString WithoutComments(const QString& text) {
  QStringList kept;
  for (const QString& line : text.split('\n'))
    if (!line.startsWith('#')) kept << line;
  return kept.join('\n');
}

// Every control as it stands: text, caption or value, and whether it is enabled.
std::vector<std::string> PanelState(MainForm& form) {
  std::vector<std::string> state;
  for (Control* c : form.panel.all()) {
    std::string shown;
    if (auto* t = dynamic_cast<TextBox*>(c)) shown = t->text();
    else if (auto* l = dynamic_cast<Label*>(c)) shown = l->caption();
    else if (auto* b = dynamic_cast<Button*>(c)) shown = b->caption();
    else if (auto* k = dynamic_cast<CheckBox*>(c)) shown = FormatInt(k->value());
    else if (auto* s = dynamic_cast<ScrollBar*>(c)) shown = FormatInt(s->value());
    state.push_back(c->name() + " " + (c->enabled() ? "on " : "off ") + shown);
  }
  return state;
}

void TypeKeys(Session& s, const char* box, const char* text) {
  auto* edit = s.Widget<QLineEdit>(box);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

}  // namespace

class SessionTest : public QObject {
  Q_OBJECT

 private slots:
  void parameterFilesGoRoundThroughTheMenus() {
    QTemporaryDir dir;
    const QString first = dir.filePath("first.script"), second = dir.filePath("second.script");
    Session changed;
    TypeKeys(changed, "txtNumAnts", "400");
    TypeKeys(changed, "txtWorldYinM", "5");
    TypeKeys(changed, "txtPherToDropIn", "12.5");
    changed.Click("chkPlotFood");
    changed.Widget<QScrollBar>("scrColWidth")->setValue(30);
    changed.window.dialogs.saveFile = [&](auto&&...) { return first; };
    changed.window.findChild<QAction*>("actionSaveParameters")->trigger();

    Session fresh;
    fresh.window.dialogs.openFile = [&](auto&&...) { return first; };
    fresh.window.findChild<QAction*>("actionOpenParameters")->trigger();
    QCOMPARE(PanelState(fresh.form), PanelState(changed.form));
    fresh.window.dialogs.saveFile = [&](auto&&...) { return second; };
    fresh.window.findChild<QAction*>("actionSaveParameters")->trigger();
    QCOMPARE(WithoutComments(ReadFile(second)), WithoutComments(ReadFile(first)));
    QVERIFY(ReadFile(first).contains("type txtNumAnts 400\n"));

    // A line that is not a panel setting stops the file there, named with
    // its line in the Messages box.
    QFile bad(dir.filePath("bad.script"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("# settings\ntype txtNumAnts 300\nclick cmdStartProgram\ntype txtNumAnts 200\n");
    bad.close();
    fresh.window.dialogs.openFile = [&](auto&&...) { return bad.fileName(); };
    fresh.window.findChild<QAction*>("actionOpenParameters")->trigger();
    QCOMPARE(fresh.form.panel.txtNumAnts.text(), std::string("300"));
    QVERIFY(!fresh.form.programStarted);
    const QString said = fresh.Text("txtDebugMsg");
    QVERIFY2(said.contains("bad.script") && said.contains("line 3"), qPrintable(said));
  }

  // The contract of a recorded session: replayed by the script runner with
  // the same seed, it leaves every field, control and raster pixel as the
  // window left them, whatever the speed and the waits of the window.
  void aRecordedSessionReplaysExactly() {
    constexpr uint64_t kSeed = 7;
    Session s(kSeed);
    FakeClock clock;
    s.host.SetClock(clock.Clock());
    s.window.SetSpeed(30);
    TypeKeys(s, "txtNumAnts", "300");
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
    QVERIFY(!s.form.running);

    QTemporaryDir dir;
    const QString path = dir.filePath("session.script");
    s.window.dialogs.saveFile = [&](auto&&...) { return path; };
    s.window.findChild<QAction*>("actionSaveSession")->trigger();
    const std::string script = ReadFile(path).toStdString();
    QVERIFY(script.find("# Seed 7") != std::string::npos);
    QVERIFY(script.find("\nmouse down 1 0 ") != std::string::npos && script.find("\nwait ") != std::string::npos);
    QVERIFY(script.size() > 6 && script.compare(script.size() - 6, 6, "close\n") == 0);

    std::ostringstream out, err;
    ScriptOptions options;
    options.seed = kSeed;
    options.appPath = s.host.AppPath();
    ScriptRunner replay(out, err, options);
    QCOMPARE(replay.Run(script), 0);
    QCOMPARE(QString::fromStdString(err.str()), QString());
    MainForm& again = *replay.form();
    QCOMPARE(PanelState(again), PanelState(s.form));
    for (std::string_view name : MainForm::FieldNames()) {
      QCOMPARE(QString::fromStdString(again.FieldText(name).value_or("?")),
               QString::fromStdString(s.form.FieldText(name).value_or("?")));
    }
    const Canvas& a = s.form.pctWorld;
    const Canvas& b = again.pctWorld;
    QVERIFY(a.width() == b.width() && a.height() == b.height());
    QVERIFY(std::memcmp(a.pixels(), b.pixels(), sizeof(uint32_t) * a.width() * a.height()) == 0);

    // --session writes the same session when the window closes, `close` last.
    s.window.SetSessionFile(dir.filePath("closed.script").toStdString());
    s.window.close();
    const QString closed = ReadFile(dir.filePath("closed.script"));
    QCOMPARE(closed, QString::fromStdString(script));
  }

  void aSeedFixedFromTheMenuTakesEffectAtTheNextStart() {
    Session s;
    HeardActions heard(s.form);
    auto* seed = s.window.statusBar()->findChild<QLabel*>("statusSeed");
    s.window.dialogs.text = [](auto&&...) { return std::optional<QString>(" 42 "); };
    s.window.findChild<QAction*>("actionFixedSeed")->trigger();
    QCOMPARE(seed->text(), QString("Seed 42 from the next Start"));
    QCOMPARE(heard.lines, std::vector<std::string>{"seed 42"});
    bool paused = false;
    s.host.afterEvents = [&] {
      if (!std::exchange(paused, true)) s.Click("cmdPause");
    };
    s.Click("cmdStartProgram");
    QCOMPARE(seed->text(), QString("Seed 42"));
    // A text that is not a seed changes nothing and says why.
    s.window.dialogs.text = [](auto&&...) { return std::optional<QString>("-1"); };
    s.window.findChild<QAction*>("actionFixedSeed")->trigger();
    QCOMPARE(s.Text("txtDebugMsg"), QString("Fixed seed: \"-1\" refused, not a whole number from 0 to 18446744073709551615"));
    QCOMPARE(heard.lines.size(), size_t{3});
  }

  void framesStopBeforeTheDiskFills() {
    Session s;
    QTemporaryDir frames(QCoreApplication::applicationDirPath() + "/framesXXXXXX");
    s.form.panel.txtSaveFilePath.SetText(QString("\\%1\\").arg(QDir(frames.path()).dirName()).toStdString());
    s.Click("chkSaveImages");
    s.host.freeSpace = (uint64_t{1} << 30) - 1;
    s.host.afterEvents = [&] {
      if (s.form.modelTime >= 10) s.Click("cmdPause");
    };
    s.Click("cmdStartProgram");
    QVERIFY(QDir(frames.path()).isEmpty(QDir::Files));
    QVERIFY(!s.form.saveImages && !s.Widget<QCheckBox>("chkSaveImages")->isChecked());
    QVERIFY(s.window.messageLog()->view()->toPlainText().contains(
        "Image saving switched off: less than 1 GiB free on " + frames.path() + "/"));
  }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
