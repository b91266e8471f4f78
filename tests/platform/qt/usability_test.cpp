// The window as a new user meets it: boxes that mark a value not in effect,
// the panel at every size, the message log, the picture at a chosen size,
// parameter files from the File menu (the help window's ways out: the window
// tests).
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>
#include <string>

#include "platform/qt/message_log.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/window_fixture.h"

using namespace antraid;
using namespace antraid::testing;

namespace {
// A widget's rectangle in the window's coordinates.
QRect InWindow(const QWidget* w, const QWidget* window) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); }

QColor BaseOf(QLineEdit* e) { return e->palette().color(QPalette::Base); }
}  // namespace

class UsabilityTest : public QObject {
  Q_OBJECT

 private slots:
  void aBoxWhoseTextIsNotInEffectIsTintedAndSaysTheValueInEffect() {
    Session s;
    auto* step = s.Widget<QLineEdit>("txtModelTimeStep");
    const QColor own = BaseOf(step);
    QCOMPARE(own, ColorOf(s.form.panel.txtModelTimeStep.backColor()));
    QCOMPARE(step->toolTip(), QString());
    s.TypeKeys("txtModelTimeStep", "1e30");
    s.window.SyncAll();
    QCOMPARE(step->text(), QString("1e30"));
    QVERIFY(BaseOf(step) != own);
    QCOMPARE(step->toolTip(), QString("In effect: 1000 (the text in the box was not taken)"));
    // The tint is the window's: the box's own colour, and the rules, are as before.
    QCOMPARE(s.form.panel.txtModelTimeStep.backColor(), kWindowColor);
    QCOMPARE(s.form.params.modelTimeStep, 1000.0f);
    // Other boxes are not marked; a taken value clears the mark.
    QCOMPARE(BaseOf(s.Widget<QLineEdit>("txtMaxVel")), ColorOf(s.form.panel.txtMaxVel.backColor()));
    s.TypeKeys("txtModelTimeStep", "0.25");
    s.window.SyncAll();
    QCOMPARE(BaseOf(step), own);
    QCOMPARE(step->toolTip(), QString());
    // A speed out of step with a new time step reads back in cm/s.
    s.TypeKeys("txtMaxVel", "x");
    s.window.SyncAll();
    QCOMPARE(s.Widget<QLineEdit>("txtMaxVel")->toolTip(), QString("In effect: 7 (the text in the box was not taken)"));
  }

  // At every size from the first to 2560 x 1440, wide or tall, the picture is
  // a square, the read-outs start 3 px under it and the controls 8 px beside
  // it, at their first height (how large the square is: the window tests).
  void thePanelKeepsItsPlaceNextToThePictureAtEverySize() {
    Session s;
    QWidget* world = s.window.worldView();
    auto* readOuts = s.window.findChild<QGroupBox*>("readOuts");
    QWidget* commands = nullptr;
    for (auto* g : s.window.findChildren<QGroupBox*>())
      if (g->title() == "Program Commands:") commands = g;
    QVERIFY(readOuts && commands);
    const QSize first = s.window.size();
    const QRect firstCommands = InWindow(commands, &s.window);
    for (const QSize& size : {first, QSize(1280, 800), QSize(1400, 1050), QSize(1920, 1080), QSize(2560, 1440),
                              QSize(1160, 1400), QSize(2560, 760), first}) {
      s.window.resize(size);
      QTRY_COMPARE(s.window.size(), size);
      QApplication::processEvents();
      const QRect pic = InWindow(world, &s.window), ro = InWindow(readOuts, &s.window),
                  cmd = InWindow(commands, &s.window);
      const QByteArray at = QString("%1x%2").arg(size.width()).arg(size.height()).toUtf8();
      QVERIFY2(pic.width() == pic.height() && ro.top() == pic.bottom() + 1 + 3 && ro.left() == pic.left(), at);
      QVERIFY2(cmd.left() == std::max(pic.right(), ro.right()) + 1 + 8 && cmd.top() == firstCommands.top(), at);
      if (size == QSize(2560, 1440)) QVERIFY(pic.width() > 1000);
    }
    QCOMPARE(world->size(), QSize(502, 502));
    QCOMPARE(InWindow(commands, &s.window), firstCommands);
  }

  void theLogCanBeTallListsNoBareLinesAndFiltersSavedFrames() {
    Session s;
    MessageLog* log = s.window.messageLog();
    s.window.resize(2560, 1440);
    QTRY_COMPARE(s.window.size(), QSize(2560, 1440));
    s.Trigger("actionMessageLog");
    // Shown, it takes a third of the window; dragged, more than half.
    QTRY_VERIFY(log->height() >= 1440 / 3 - 20);
    s.window.resizeDocks({log}, {800}, Qt::Vertical);
    QTRY_VERIFY(log->height() >= 720);

    // A bare number is named after the box it is about; an empty message is not listed.
    s.TypeKeys("txtAntsPerPatch", "3");
    s.form.Message("");
    const QStringList after = log->view()->toPlainText().split('\n');
    QVERIFY(after.last().endsWith(" s] Ants / patch: 3"));
    QVERIFY(!after.last().endsWith("] ") && after.size() == 1);

    // Frames: listed under their filter only, which is off at first. The
    // run is started and paused first, so that the folder typed is the
    // folder the frames go to.
    QTemporaryDir dir;
    QTimer::singleShot(0, &s.window, [&] { s.Click("cmdPause"); });
    s.Click("cmdStartProgram");
    s.TypeKeys("txtSaveFilePath", (dir.path() + "/").toUtf8().constData());
    s.Click("chkSaveImages");
    QVERIFY(s.form.params.saveImages);
    s.host.freeSpace = uint64_t{1} << 40;
    s.host.afterEvents = [&] {
      if (s.form.run.frameNumber >= 3 || s.form.run.modelTime > 60) s.form.run.running = false;
    };
    s.Click("cmdPause");
    s.host.afterEvents = nullptr;
    QCheckBox* frames = log->framesFilter();
    QVERIFY(!frames->isChecked());
    QCOMPARE(frames->text(), QString("Saved frames (4)"));  // frames 0 to 3
    QString text = log->view()->toPlainText();
    QVERIFY(!text.contains("Frame saved"));
    for (const QString& line : text.split('\n')) {
      const QString said = line.mid(line.indexOf("] ") + 2);
      bool number = false;
      said.toDouble(&number);
      QVERIFY2(!said.isEmpty() && !number && said != "True" && said != "False", qPrintable(line));
    }
    frames->click();
    text = log->view()->toPlainText();
    QCOMPARE(text.count("Frame saved: "), 4);
    QVERIFY(text.contains("Frame saved: " + dir.path() + "/TrackAnts1.bmp"));
    QVERIFY(text.indexOf("Ants / patch: 3") < text.indexOf("Frame saved"));
    frames->click();
    QVERIFY(!log->view()->toPlainText().contains("Frame saved"));
  }

  void thePictureIsSavedAtOneTwoOrFourTimesWithoutSmoothing() {
    Session s;
    QTemporaryDir dir;
    s.form.pctWorld.PSet(10.0f, 10.0f, 0x0000FF);  // a pixel that is not the background
    QString file;
    std::optional<int> pick;
    QStringList offered;
    s.window.dialogs.saveFile = [&](auto&&...) { return file; };
    s.window.dialogs.choice = [&](const QString&, const QString&, const QStringList& items) {
      offered = items;
      return pick;
    };
    const Canvas& c = s.form.pctWorld;
    for (int k : {1, 2, 4}) {
      file = dir.filePath(QString("world%1.png").arg(k));
      pick = k == 1 ? 0 : k == 2 ? 1 : 2;
      s.Trigger("actionSavePicture");
      const QImage image(file);
      QCOMPARE(image.size(), QSize(500 * k, 500 * k));
      // Every raster pixel is a k x k square of its own colour.
      for (int py = 0; py < 500; py += 7)
        for (int px = 0; px < 500; px += 7)
          for (int d : {0, k - 1})
            QCOMPARE(image.pixel(px * k + d, py * k + d) & 0xFFFFFF, c.pixels()[py * 500 + px] & 0xFFFFFF);
    }
    QCOMPARE(offered, QStringList({"500 x 500 (1x)", "1000 x 1000 (2x)", "2000 x 2000 (4x)"}));
    // Cancelled: nothing written.
    file = dir.filePath("none.png");
    pick.reset();
    s.Trigger("actionSavePicture");
    QVERIFY(!QFile::exists(file));
  }

  void parameterFilesFromTheFileMenu() {
    QTemporaryDir dir;
    Session s;
    s.TypeKeys("txtNumAnts", "120");
    s.Click("chkPlotFood");
    s.window.dialogs.saveFile = [&](auto&&...) { return dir.filePath("mine"); };
    s.Trigger("actionSaveParameters");
    QVERIFY(QFile::exists(dir.filePath("mine.script")));

    // Restore: every box back through the rules, recorded as the user's lines.
    s.TypeKeys("txtPercentFood", "2");
    s.Trigger("actionRestoreParameters");
    QCOMPARE(s.form.params.numAnts, 900);
    QCOMPARE(s.form.params.percentFood, 1.0f);
    QCOMPARE(s.form.panel.chkPlotFood.value(), Panel().chkPlotFood.value());
    QVERIFY(s.window.messageLog()->view()->toPlainText().endsWith(" s] Initial parameters restored"));
    const std::string session = s.window.recorder().Script();
    QVERIFY(session.find("\ntype txtNumAnts 900\n") != std::string::npos);
    QVERIFY(session.find("\nclick chkPlotFood\n", session.find("\ntype txtPercentFood 2\n")) != std::string::npos);

    // Open the file by its name without the extension: all of it comes back.
    s.window.dialogs.openFile = [&](auto&&...) { return dir.filePath("mine"); };
    s.Trigger("actionOpenParameters");
    QCOMPARE(s.form.params.numAnts, 120);
    QCOMPARE(s.form.panel.chkPlotFood.value(), 1 - Panel().chkPlotFood.value());
    QVERIFY(s.window.messageLog()->view()->toPlainText().contains("Parameters loaded from mine.script"));
  }
};

QTEST_MAIN(UsabilityTest)
#include "usability_test.moc"
