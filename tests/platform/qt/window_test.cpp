// The desktop window driven as a user drives it: clicks, keys, drags and
// the Yes/No box, on the offscreen platform; the panel at its first size and
// larger.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "rtf/rtf_reader.h"
#include "platform/qt/help_window.h"
#include "platform/qt/response_graph.h"
#include "platform/qt/window_fixture.h"

using namespace antraid;
using namespace antraid::testing;

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void everyControlHasAVisibleWidgetInsideTheWindowUnderTheProgramsTitle() {
    Session s;
    // The window's own title (the message boxes' caption is the modal box test's).
    QCOMPARE(s.window.windowTitle(), QString("788.348"));
    for (Control* c : s.form.panel.all()) {
      QWidget* w = s.Widget<QWidget>(c->name().c_str());
      QVERIFY2(w && w->isVisible() && s.window.rect().contains(QRect(w->mapTo(&s.window, QPoint()), w->size())),
               c->name().c_str());
    }
  }

  void responseGraphAndCanvasShowTheirPictures() {
    Session s;
    // The curve passes through one half at 100 pheromone units: x = 8520 +
    // 100 * 1815 / 500 twips, y = 5760 - 845 / 2 twips of the form's window,
    // where the graph's corner is (514, 304) px.
    auto* graph = s.Widget<ResponseGraph>("responseGraph");
    const QImage window = graph->grab().toImage();
    const qreal dpr = window.devicePixelRatio();
    const QPointF half((8520 + 100 * 1815.0 / 500) / 15 - 514, (5760 - 845 / 2.0) / 15 - 304);
    bool found = false;
    for (int d = 0; d < 9; ++d)
      found |= window.pixelColor(QPoint(std::lround((half.x() + d % 3 - 1) * dpr),
                                        std::lround((half.y() + d / 3 - 1) * dpr))) == Rgb(100, 100, 100);
    QVERIFY(found);
    // The window shows the raster as it is now, not a copy made earlier.
    s.form.pctWorld.PSet(140, 140, RGB(0, 0, 250));
    s.window.SyncAll();
    QCOMPARE(s.Canvas().pixelColor(100, 100), Rgb(0, 0, 250));
  }

  void editsAndCheckBoxesRunTheirRuleOnceAndMirrorBack() {
    Session s;
    int runs = 0;
    TextBox& box = s.form.panel.txtAntsPerPatch;
    box.onChange = [&, rule = box.onChange] { ++runs, rule(); };
    auto* edit = s.Widget<QLineEdit>("txtAntsPerPatch");
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, "7");
    s.window.SyncAll();
    QCOMPARE(runs, 1);
    QCOMPARE(s.form.params.antsPerPatch, int16_t{57});
    // A write of the program runs the rule once and reaches the widget.
    box.SetText(FormatInt(8));
    s.window.SyncAll();
    QCOMPARE(runs, 2);
    QCOMPARE(edit->text(), QString("8"));
    // A refused text stays in the box; the field keeps its value.
    QTest::keyClicks(edit, "x");
    QCOMPARE(runs, 3);
    QCOMPARE(s.form.params.antsPerPatch, int16_t{8});
    QCOMPARE(edit->text(), QString("8x"));
    // A rule that rewrites its own box shows the rewritten text.
    s.TypeKeys("txtAntNumber", "5000");
    QCOMPARE(s.Text("txtAntNumber"), QString("900"));
    // Read-outs take no typing.
    QTest::keyClicks(s.Widget<QLineEdit>("txtAntsOut"), "12");
    QCOMPARE(s.form.panel.txtAntsOut.text(), std::string("Ants out:"));
    // A check box shows its handler's verdict: without a folder it stays clear.
    s.Click("chkPlotFood");
    QVERIFY(s.form.params.plotFood && s.Widget<QCheckBox>("chkPlotFood")->isChecked());
    s.Widget<QLineEdit>("txtSaveFilePath")->selectAll();
    QTest::keyClick(s.Widget<QLineEdit>("txtSaveFilePath"), Qt::Key_Backspace);
    s.Click("chkSaveImages");
    QVERIFY(!s.form.params.saveImages && !s.Widget<QCheckBox>("chkSaveImages")->isChecked());
  }

  void scrollBarsFollowKeysAndDrags() {
    Session s;
    auto* width = s.Widget<QScrollBar>("scrColWidth");
    width->setFocus();
    QTest::keyClick(width, Qt::Key_Right);
    QCOMPARE(s.Text("txtColonyWidth"), QString("16"));
    // Dragging the home-row thumb changes the row when it is let go.
    auto* home = s.Widget<QScrollBar>("scrColonyYPos");
    home->setSliderDown(true);
    home->setSliderPosition(600);
    QCOMPARE(s.Text("lblHomeYPos"), QString("Home Y Position = 695"));
    home->setSliderDown(false);
    QCOMPARE(s.Text("lblHomeYPos"), QString("Home Y Position = 600"));
    // The colour previews follow the thumb while it is dragged.
    auto* out = s.Widget<QScrollBar>("scrPathColorOut");
    out->setSliderDown(true);
    out->setSliderPosition(90);
    QCOMPARE(s.Widget<QLineEdit>("txtPathColorOut")->palette().color(QPalette::Base), Rgb(90, 0, 0));
  }

  void startDuringARunAsksInAModalBox() {
    Session s;
    int pauseRuns = 0;
    QString question;
    QTimer::singleShot(200, &s.window, [&] {
      // The box is shown from inside the run loop; it answers through a timer
      // of its own event loop.
      QTimer::singleShot(200, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        question = box->windowTitle() + ": " + box->text();
        // While the box is up the main window takes no clicks.
        Handler pause = s.form.panel.cmdPause.onClick;
        s.form.panel.cmdPause.onClick = [&] { ++pauseRuns; };
        auto* pauseButton = s.Widget<QPushButton>("cmdPause");
        QTest::mouseClick(s.window.windowHandle(), Qt::LeftButton, {},
                          pauseButton->mapTo(&s.window, pauseButton->rect().center()));
        s.form.panel.cmdPause.onClick = pause;
        box->button(QMessageBox::No)->click();
      });
      s.Click("cmdStartProgram");
    });
    s.Click("cmdStartProgram");
    QCOMPARE(question, QString("788.348: Reset program? (clicking 'No' will pause)"));
    QCOMPARE(pauseRuns, 0);
    QVERIFY(!s.form.run.running);
    QCOMPARE(s.Text("cmdPause"), QString("Go"));
  }

  void pictureIsOneToOneAtFirstAndGrowsSquareWithTheWindow() {
    Session s;
    WorldView* world = s.window.worldView();
    // At the first size each raster pixel is one pixel of the screen.
    QCOMPARE(world->rasterRect().size(), QSize(500, 500));
    const Canvas& c = s.form.pctWorld;
    const QImage raster(reinterpret_cast<const uchar*>(c.pixels()), c.width(), c.height(), QImage::Format_RGB32);
    QCOMPARE(world->grab().toImage().copy(world->rasterRect()).convertToFormat(QImage::Format_RGB32), raster);
    HeardActions heard(s.form);
    // The pointer (x, y) pixels into the picture at scale 1 or 2 is raster
    // point (x, y) / scale, whose world point the view of the moment tells.
    auto moveOver = [&](int x, int y, int scale) {
      const QRect r = world->rasterRect();
      QTest::mouseMove(world, r.topLeft() + QPoint(x, y));
      const UserAction& a = heard.actions.back();
      QCOMPARE(a.kind, UserAction::Kind::kMouseMove);
      QCOMPARE(a.x, float(c.ScaleLeft() + double(x) / scale * c.ScaleWidth() / 500));
      QCOMPARE(a.y, float(c.ScaleTop() + double(y) / scale * c.ScaleHeight() / 500));
    };
    moveOver(3, 490, 1);
    // A bare part of the window is the form's own click.
    QTest::mouseClick(&s.window, Qt::LeftButton, {}, s.window.centralWidget()->mapTo(&s.window, QPoint(910 - 4, 560)));
    QCOMPARE(s.Text("txtDebugMsg"), QString("30"));
    // 500 pixels more each way: the picture doubles, sharp and square.
    s.window.resize(s.window.size() + QSize(500, 500));
    QTRY_COMPARE(world->rasterRect().size(), QSize(1000, 1000));
    // The nest: world (350, 695) lies on raster pixel (250, 496), a 3-pixel
    // dot, here of 2 x 2 screen pixels each.
    const QImage big = world->grab().toImage();
    QCOMPARE(big.pixelColor(world->rasterRect().topLeft() + QPoint(251 * 2, 496 * 2)), Rgb(150, 0, 0));
    moveOver(7, 981, 2);
    QTest::mouseClick(world, Qt::LeftButton, {}, world->rasterRect().topLeft() + QPoint(560, 400));
    QCOMPARE(s.Text("lblWorldWidth"), QString("Window Width: 583cm"));
    moveOver(35, 501, 2);
    QTest::mouseClick(world, Qt::RightButton, Qt::ControlModifier, world->rasterRect().topLeft() + QPoint(560, 400));
    QCOMPARE(s.Text("lblWorldWidth"), QString("Window Width: 700cm"));
    // Wider than high: the square keeps its size, and so does the view.
    const int centralWidth = s.window.centralWidget()->width();
    s.window.resize(s.window.size() + QSize(300, 0));
    QTRY_COMPARE(s.window.centralWidget()->width(), centralWidth + 300);
    QCOMPARE(world->size(), QSize(1002, 1002));
    QCOMPARE(world->rasterRect().size(), QSize(1000, 1000));
    moveOver(999, 0, 2);
  }

  void tabFollowsTheColumnsReadOutsTakeNoFocusAndSpacePressesTheFocusedButton() {
    Session s;
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    s.Widget<QWidget>("cmdStartProgram")->setFocus();
    QStringList order{"cmdStartProgram"};
    for (int i = 0; i < 40 && order.size() == i + 1; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      const QString name = QApplication::focusWidget()->objectName();
      if (name != "cmdStartProgram") order << name;
    }
    // A disabled button (Pause before a run) is passed by.
    QCOMPARE(order, QStringList({"cmdStartProgram", "cmdClearScreen", "cmdPlotPher", "cmdViewHelp", "chkPlotFood",
                                "txtPercentFood", "txtFoodQuality", "txtPherToDropOut", "txtPherToDropIn",
                                "chkRemovePher", "txtModelTimeStep", "txtFiftyPercProb", "txtMaxPherValue",
                                "txtWorldXinM", "txtWorldYinM", "chkUseVel", "txtMaxVel", "txtMinVel",
                                "txtMaxPherToSat", "chkUsePm", "txtNumAnts", "txtAntsPerPatch", "txtEmptyNodeWeightOut",
                                "scrColonyYPos", "scrColWidth", "txtLeaveInterval", "scrPathColorOut", "scrPathColorIn",
                                "chkTrackAnt", "txtAntNumber", "chkShowAnts", "chkSaveImages", "txtSaveTime",
                                "txtSaveFilePath", "txtImageName", "speedSlider"}));
    for (Control* c : s.form.panel.all())
      if (auto* box = dynamic_cast<TextBox*>(c); box && !box->onChange)
        QVERIFY2(s.Widget<QWidget>(c->name().c_str())->focusPolicy() == Qt::NoFocus, c->name().c_str());
    // Before the first start there is nothing to pause: Space keeps its usual
    // meaning and presses the focused START button.
    s.PauseOnPass(1);
    s.Widget<QWidget>("cmdStartProgram")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(s.form.run.programStarted && !s.form.run.running);
  }

  void altDragDrawsAndRemovesTheRectangle() {
    Session s;
    WorldView* world = s.window.worldView();
    const QImage before = s.Canvas();
    const QColor inverted = Rgb(255 - 238, 255 - 236, 255 - 162);
    // An ALT drag shows the rectangle, square as the world; the release ends it.
    QTest::mousePress(world, Qt::LeftButton, Qt::AltModifier, s.OverPixel(100, 100));
    QTest::mouseMove(world, s.OverPixel(160, 130));
    QCOMPARE(s.Canvas().pixelColor(160, 150), inverted);
    QTest::mouseRelease(world, Qt::LeftButton, Qt::AltModifier, s.OverPixel(160, 130));
    QVERIFY(!s.form.drawing.zoomSelecting);
    QCOMPARE(s.Canvas(), before);
    // A Shift click only shows the mask. (Rectangles that stay after the
    // release and follow the pointer: the zoom tests and zoom.script; moves
    // with no button held reach the form: the resizing test.)
    QTest::mouseClick(world, Qt::LeftButton, Qt::ShiftModifier, s.OverPixel(160, 130));
    QCOMPARE(s.Text("txtDebugMsg"), QString("1"));
  }

  void viewHelpKeepsOneWindowClosesByItsButtonOrEscapeAndLoadsAgain() {
    Session s;
    s.Click("cmdViewHelp");
    s.Click("cmdViewHelp");
    QCOMPARE(s.form.help.helpLoads, 1);
    int shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) shown += w->objectName() == "frmHelpScreen" && w->isVisible();
    QCOMPARE(shown, 1);
    HelpWindow* help = s.host.helpWindow();
    // The document from the program's folder, as the reader reads it.
    const auto doc = LoadRtfFile(s.host.AppPath() + "/help.rtf", nullptr);
    QVERIFY(doc && !doc->paragraphs.empty() && !doc->paragraphs.front().runs.empty());
    QVERIFY(help->viewer()->toPlainText().startsWith(QString::fromStdString(doc->paragraphs.front().runs.front().text)));
    // Its Close button and Escape close it; the next click loads it again.
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QTest::mouseClick(help->closeButton(), Qt::LeftButton);
    QVERIFY(!help->isVisible() && !s.form.help.helpOpen);
    s.Click("cmdViewHelp");
    QCOMPARE(s.form.help.helpLoads, 2);
    QVERIFY(help->isVisible() && s.host.helpWindow() == help && s.form.help.helpOpen);
    help->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->viewer(), Qt::Key_Escape);
    QVERIFY(!help->isVisible() && !s.form.help.helpOpen);
  }

  void helpViewerRendersRunsAndFollowsTheWindowSize() {
    QTextDocument out;
    RenderRtf(ReadRtf("{\\rtf1{\\colortbl;\\red200\\green0\\blue0;}plain {\\b bold}{\\i\\fs40 big}"
                      "{\\cf1\\ul red}\\par\\par last}"),
              out);
    QCOMPARE(out.toPlainText(), QString("plain boldbigred\n\nlast"));
    auto formatAt = [&](int pos) {
      QTextCursor c(&out);
      c.setPosition(pos + 1);
      return c.charFormat();
    };
    QVERIFY(formatAt(0).fontWeight() == QFont::Normal && formatAt(6).fontWeight() == QFont::Bold);
    QVERIFY(formatAt(10).fontItalic() && formatAt(10).fontPointSize() == 20.0);
    QVERIFY(formatAt(13).fontUnderline() && formatAt(13).foreground().color() == Rgb(200, 0, 0));
    bool closed = false;
    HelpWindow help([&] { closed = true; });
    help.Load("/nonexistent folder/help.rtf");
    QVERIFY(help.viewer()->toPlainText().startsWith("The model information cannot be shown"));
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    help.resize(300, 200);
    QCOMPARE(help.viewer()->size(), QSize(287, 167));  // 200 and 500 twips less
    help.resize(10, 10);
    QCOMPARE(help.viewer()->size(), QSize(0, 0));
    help.close();
    QVERIFY(closed);
  }

  void closingTheWindowEndsARunAtOnce() {
    Session s;
    s.Click("cmdViewHelp");
    int passes = 0, passesAtClose = -1;
    float timeAtClose = 0;
    s.host.afterEvents = [&] { ++passes; };
    // As in the program: Start is clicked from the application's event loop,
    // and the close arrives inside the run loop nested in that click.
    QTimer::singleShot(0, &s.window, [&] { s.Click("cmdStartProgram"); });
    QTimer::singleShot(300, &s.window, [&] {
      passesAtClose = passes;
      timeAtClose = s.form.run.modelTime;
      s.window.close();
    });
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { qFatal("closing the window did not end the program"); });
    watchdog.start(30000);
    QCOMPARE(QApplication::exec(), 0);
    watchdog.stop();
    QVERIFY(passesAtClose > 0);
    // No further step after the pass that closed the window.
    QCOMPARE(passes, passesAtClose + 1);
    QCOMPARE(s.form.run.modelTime, timeAtClose);
    QVERIFY(s.form.unloaded && s.host.ended() && !s.host.helpWindow()->isVisible());
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
