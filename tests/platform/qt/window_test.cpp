// The desktop window driven as a user drives it: clicks, keys, drags and
// the Yes/No box, on the offscreen platform.
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "app/rtf_reader.h"
#include "platform/qt/help_window.h"
#include "platform/qt/main_window.h"
#include "platform/qt/world_view.h"

using namespace antraid;

namespace {

QColor Rgb(int r, int g, int b) { return QColor(r, g, b); }

// A freshly loaded program with its window on screen.
struct Session : WindowProgram {
  Session() {
    form.rng.SetFixedSeed(11);
    form.Form_Load();
    window.SyncAll();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) qWarning("window not exposed");
  }
  template <typename W>
  W* Widget(const char* name) {
    return window.findChild<W*>(name);
  }
  QString Text(const char* name) {
    if (auto* e = Widget<QLineEdit>(name)) return e->text();
    if (auto* l = Widget<QLabel>(name)) return l->text();
    if (auto* b = Widget<QPushButton>(name)) return b->text();
    return {};
  }
  // The canvas as shown, one image pixel per raster pixel.
  QImage Canvas() {
    QImage shown = window.worldView()->grab().toImage();
    const qreal dpr = shown.devicePixelRatio();
    const QRect r = window.worldView()->rasterRect();
    return shown.copy(QRect(r.topLeft() * dpr, r.size() * dpr))
        .scaled(form.pctWorld.width(), form.pctWorld.height());
  }
  // A widget position over the raster pixel (px, py).
  QPoint OverPixel(int px, int py) {
    const QRect r = window.worldView()->rasterRect();
    return {r.x() + px * r.width() / form.pctWorld.width(), r.y() + py * r.height() / form.pctWorld.height()};
  }
  void Click(const char* name, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(Widget<QWidget>(name), Qt::LeftButton, mods);
  }
};

int CountColour(const QImage& image, QColor c) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == c) ++n;
  return n;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void windowShowsEveryControlWithItsCaption();
  void responseGraphAndCanvasShowTheirPictures();
  void editsRunTheirRuleOnceAndMirrorBack();
  void scrollBarsFollowKeysAndDrags();
  void checkBoxesRunTheirHandlerAndShowItsVerdict();
  void startPauseAndGoThroughClicks();
  void startDuringARunAsksInAModalBox();
  void canvasClicksZoomAroundThePointer();
  void altDragDrawsAndRemovesTheRectangle();
  void bareBackgroundClickIsTheFormsClick();
  void viewHelpKeepsOneWindow();
  void helpViewerRendersRunsAndFollowsTheWindowSize();
  void closingTheWindowEndsARunAtOnce();
};

void WindowTest::windowShowsEveryControlWithItsCaption() {
  Session s;
  QCOMPARE(s.window.windowTitle(), QString("788.348"));
  QCOMPARE(s.window.palette().color(QPalette::Window), Rgb(188, 188, 231));

  const QRect inside = s.window.rect();
  for (Control* c : s.form.panel.all()) {
    QWidget* w = s.Widget<QWidget>(c->name().c_str());
    QVERIFY2(w, c->name().c_str());
    QVERIFY2(w->isVisible(), c->name().c_str());
    QVERIFY2(inside.contains(w->geometry()), c->name().c_str());
  }
  QCOMPARE(s.Text("txtNumAnts"), QString("900"));
  QCOMPARE(s.Text("txtSaveFilePath"), QString("\\results\\"));
  QCOMPARE(s.Text("lblWorldWidth"), QString("Window Width: 700cm"));
  QCOMPARE(s.Text("lblHomeYPos"), QString("Home Y Position = 695"));
  QCOMPARE(s.Text("txtDeadAntCount"), QString("0"));
  QCOMPARE(s.Widget<QScrollBar>("scrColWidth")->value(), 15);
  QCOMPARE(s.Widget<QScrollBar>("scrColonyYPos")->maximum(), 695);
  QVERIFY(s.Widget<QCheckBox>("chkUseVel")->isChecked());
  QVERIFY(!s.Widget<QPushButton>("cmdPause")->isEnabled());
  QCOMPARE(s.Widget<QLineEdit>("txtPathColorOut")->palette().color(QPalette::Base), Rgb(200, 0, 0));
  QCOMPARE(s.Widget<QLineEdit>("txtPathColorIn")->palette().color(QPalette::Base), Rgb(0, 200, 0));
  QCOMPARE(s.Widget<QLineEdit>("txtDebugMsg")->palette().color(QPalette::Base), Rgb(255, 255, 255));
  auto* start = s.Widget<QPushButton>("cmdStartProgram");
  QVERIFY(start->text().isEmpty());
  QVERIFY(!start->icon().isNull());

  QStringList captions;
  for (QLabel* l : s.window.findChildren<QLabel*>()) captions << l->text();
  for (const char* c :
       {"Program Commands:", "Ants:", "Food:", "Pheromone:", "Movement:", "Track Ants:", "Images:", "Messages:",
        "Total #:", "Ants / patch:", "Empty Patch Weight:", "Out:", "In:", "Col. Width:", "Stagger Leave times:",
        "min(s)", "Path color:", "(Out)", "(In)", "Pher. to drop - Out:", "Pher. to drop - In:", "50% Probability:",
        "Timestep (in sec):", "Worldsize", "Width   Height", "(meters)", "Velocity (cm/s):", "Max:", "Min:",
        "Ants to Saturation:", "Ant to track:", "% Food:", "Food Quality:", "Save every            seconds.",
        "File Path", "Base Filename", "Run Time:", "Swarm Width:", "Food retrieved:", "Dead Ants:", "0", "1"})
    QVERIFY2(captions.contains(c), c);

  // Nothing covers anything else, but for the interval box that sits in the
  // blank of its caption.
  const QList<QWidget*> all = s.window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (int i = 0; i < all.size(); ++i) {
    for (int j = i + 1; j < all.size(); ++j) {
      if (!all[i]->geometry().intersects(all[j]->geometry())) continue;
      auto isCaption = [](QWidget* w) {
        auto* l = qobject_cast<QLabel*>(w);
        return l && l->text().startsWith("Save every");
      };
      const bool saveTime = all[i]->objectName() == "txtSaveTime" || all[j]->objectName() == "txtSaveTime";
      const bool yAxisTick = all[i]->objectName().startsWith("shp") || all[i]->objectName() == "Shape3";
      if (saveTime && (isCaption(all[i]) || isCaption(all[j]))) continue;
      if (yAxisTick && (all[j]->objectName().startsWith("shp") || all[j]->objectName() == "Shape3")) continue;
      QFAIL(qPrintable(QString("%1 overlaps %2").arg(all[i]->objectName(), all[j]->objectName())));
    }
  }
}

void WindowTest::responseGraphAndCanvasShowTheirPictures() {
  Session s;
  // The curve passes through one half at 100 pheromone units: x = 8520 +
  // 100 * 1815 / 500 twips, y = 5760 - 845 / 2 twips.
  const QImage window = s.window.grab().toImage();
  const qreal dpr = window.devicePixelRatio();
  const QPointF half((8520 + 100 * 1815.0 / 500) / 15, (5760 - 845 / 2.0) / 15);
  bool found = false;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      found |= window.pixelColor(QPoint(std::lround((half.x() + dx) * dpr), std::lround((half.y() + dy) * dpr))) ==
               Rgb(100, 100, 100);
  QVERIFY(found);

  // The nest: world (350, 695) lies on raster pixel (250, 496), a 3-pixel dot.
  QImage canvas = s.Canvas();
  QCOMPARE(canvas.pixelColor(250, 496), Rgb(150, 0, 0));
  QCOMPARE(canvas.pixelColor(251, 496), Rgb(150, 0, 0));
  QCOMPARE(canvas.pixelColor(250, 494), Rgb(238, 236, 162));
  QCOMPARE(canvas.pixelColor(10, 10), Rgb(238, 236, 162));

  // The window shows the raster as it is now, not a copy made earlier.
  s.form.pctWorld.PSet(140, 140, RGB(0, 0, 250));
  s.window.SyncAll();
  QCOMPARE(s.Canvas().pixelColor(100, 100), Rgb(0, 0, 250));
}

void WindowTest::editsRunTheirRuleOnceAndMirrorBack() {
  Session s;
  int runs = 0;
  TextBox& box = s.form.panel.txtAntsPerPatch;
  Handler rule = box.onChange;
  box.onChange = [&] {
    ++runs;
    rule();
  };
  auto* edit = s.Widget<QLineEdit>("txtAntsPerPatch");
  edit->setFocus();
  edit->end(false);
  QTest::keyClicks(edit, "7");
  QCOMPARE(runs, 1);
  QCOMPARE(s.form.antsPerPatch, int16_t{57});
  QCOMPARE(s.Text("txtDebugMsg"), QString("57"));
  s.window.SyncAll();
  QCOMPARE(runs, 1);

  // A write of the program runs the rule once and reaches the widget.
  box.SetText(FormatInt(8));
  s.window.SyncAll();
  QCOMPARE(runs, 2);
  QCOMPARE(edit->text(), QString("8"));

  // A refused text stays in the box; the field keeps its value.
  QTest::keyClicks(edit, "x");
  QCOMPARE(runs, 3);
  QCOMPARE(s.form.antsPerPatch, int16_t{8});
  QVERIFY(s.Text("txtDebugMsg").contains("refused"));
  QCOMPARE(edit->text(), QString("8x"));

  // A rule that rewrites its own box shows the rewritten text.
  auto* antNumber = s.Widget<QLineEdit>("txtAntNumber");
  antNumber->selectAll();
  QTest::keyClicks(antNumber, "5000");
  QCOMPARE(antNumber->text(), QString("900"));

  // Read-outs take no typing.
  auto* antsOut = s.Widget<QLineEdit>("txtAntsOut");
  QTest::keyClicks(antsOut, "12");
  QCOMPARE(s.form.panel.txtAntsOut.text(), std::string("Ants out:"));
}

void WindowTest::scrollBarsFollowKeysAndDrags() {
  Session s;
  auto* width = s.Widget<QScrollBar>("scrColWidth");
  width->setFocus();
  QTest::keyClick(width, Qt::Key_Right);
  QCOMPARE(s.form.colonyWidth, int16_t{16});
  QCOMPARE(s.Text("txtColonyWidth"), QString("16"));

  // Dragging the home-row thumb changes the row when it is let go.
  auto* home = s.Widget<QScrollBar>("scrColonyYPos");
  home->setSliderDown(true);
  home->setSliderPosition(600);
  QCOMPARE(s.form.panel.scrColonyYPos.value(), 600);
  QCOMPARE(s.Text("lblHomeYPos"), QString("Home Y Position = 695"));
  home->setSliderDown(false);
  QCOMPARE(s.form.homeYPos, 600);
  QCOMPARE(s.Text("lblHomeYPos"), QString("Home Y Position = 600"));

  // The colour previews follow the thumb while it is dragged.
  auto* out = s.Widget<QScrollBar>("scrPathColorOut");
  out->setSliderDown(true);
  out->setSliderPosition(90);
  QCOMPARE(s.Widget<QLineEdit>("txtPathColorOut")->palette().color(QPalette::Base), Rgb(90, 0, 0));
  out->setSliderDown(false);
  QCOMPARE(s.form.pathColorOut, int16_t{90});

  // A program write moves the thumb without running anything more.
  int runs = 0;
  s.form.panel.scrColWidth.onChange = [&] { ++runs; };
  s.form.panel.scrColWidth.SetValue(40);
  s.window.SyncAll();
  QCOMPARE(width->value(), 40);
  QCOMPARE(runs, 1);
}

void WindowTest::checkBoxesRunTheirHandlerAndShowItsVerdict() {
  Session s;
  s.Click("chkPlotFood");
  QVERIFY(s.form.plotFood);
  QVERIFY(s.Widget<QCheckBox>("chkPlotFood")->isChecked());

  // Without a folder the box refuses to be checked.
  auto* path = s.Widget<QLineEdit>("txtSaveFilePath");
  path->selectAll();
  QTest::keyClick(path, Qt::Key_Backspace);
  QCOMPARE(s.form.saveFilePath, std::string());
  s.Click("chkSaveImages");
  QVERIFY(!s.Widget<QCheckBox>("chkSaveImages")->isChecked());
  QVERIFY(!s.form.saveImages);
  QCOMPARE(s.Text("txtDebugMsg"), QString("Please fill in a File Name and Directory"));
}

void WindowTest::startPauseAndGoThroughClicks() {
  Session s;
  int passes = 0;
  s.host.afterEvents = [&] { ++passes; };
  QString captionWhileRunning;
  bool antsBoxEnabledWhileRunning = true;
  QTimer::singleShot(300, &s.window, [&] {
    captionWhileRunning = s.Text("cmdPause");
    antsBoxEnabledWhileRunning = s.Widget<QLineEdit>("txtNumAnts")->isEnabled();
    s.Click("cmdPause");
  });
  s.Click("cmdStartProgram");  // returns when the run loop has stopped
  QCOMPARE(captionWhileRunning, QString("Pause"));
  QVERIFY(!antsBoxEnabledWhileRunning);
  QVERIFY(!s.form.running);
  QVERIFY(passes > 10);
  QCOMPARE(s.Text("cmdPause"), QString("Go"));
  QVERIFY(s.Widget<QLineEdit>("txtNumAnts")->isEnabled());
  QVERIFY(!s.Widget<QLineEdit>("txtWorldXinM")->isEnabled());
  QVERIFY(!s.Widget<QLineEdit>("txtWorldYinM")->isEnabled());
  QVERIFY(s.Text("txtAntsOut").startsWith("Ants out: "));
  QVERIFY(CountColour(s.Canvas(), Rgb(200, 0, 0)) > 0);  // ants

  // Go resumes the same run; Pause stops it again.
  const float paused = s.form.modelTime;
  QTimer::singleShot(100, &s.window, [&] { s.Click("cmdPause"); });
  s.Click("cmdPause");
  QVERIFY(s.form.modelTime > paused);
  QCOMPARE(s.Text("cmdPause"), QString("Go"));
}

void WindowTest::startDuringARunAsksInAModalBox() {
  Session s;
  int pauseRuns = 0;
  QString title, question;
  QTimer::singleShot(200, &s.window, [&] {
    // The box is shown from inside the run loop; it answers through a timer
    // of its own event loop.
    QTimer::singleShot(200, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      title = box->windowTitle();
      question = box->text();
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
  QCOMPARE(title, QString("788.348"));
  QCOMPARE(question, QString("Reset program? (clicking 'No' will pause)"));
  QCOMPARE(pauseRuns, 0);
  QVERIFY(!s.form.running);
  QCOMPARE(s.Text("cmdPause"), QString("Go"));
}

void WindowTest::canvasClicksZoomAroundThePointer() {
  Session s;
  WorldView* world = s.window.worldView();
  QTest::mouseClick(world, Qt::LeftButton, {}, s.OverPixel(250, 250));
  QCOMPARE(s.Text("lblWorldWidth"), QString("Window Width: 583cm"));
  QCOMPARE(s.Text("txtDebugMsg"), QString("0"));

  QTest::mouseClick(world, Qt::RightButton, Qt::ControlModifier, s.OverPixel(250, 250));
  QCOMPARE(s.Text("lblWorldWidth"), QString("Window Width: 700cm"));
  QCOMPARE(s.Text("txtDebugMsg"), QString("2"));

  // The view centres on the world point under the pointer: pixel 280 of 500
  // on the 700 cm world is 392 cm; the new view is 583.3 cm wide.
  QTest::mouseClick(world, Qt::LeftButton, {}, s.OverPixel(280, 200));
  QVERIFY(std::fabs(s.form.pctWorld.ScaleLeft() - (392 - 700 / 1.2f / 2)) < 0.01f);
  QCOMPARE(s.form.pctWorld.ScaleTop(), 0.0f);  // 280 cm is too near the top
  QTest::mouseClick(world, Qt::LeftButton, Qt::ControlModifier, s.OverPixel(280, 200));

  QTest::mouseClick(world, Qt::LeftButton, Qt::ShiftModifier, s.OverPixel(300, 200));
  QCOMPARE(s.Text("txtDebugMsg"), QString("1"));
  QCOMPARE(s.Text("lblWorldWidth"), QString("Window Width: 700cm"));
}

void WindowTest::altDragDrawsAndRemovesTheRectangle() {
  Session s;
  WorldView* world = s.window.worldView();
  const QImage before = s.Canvas();
  const QColor inverted = Rgb(255 - 238, 255 - 236, 255 - 162);

  // An ALT drag shows the rectangle, square as the world; the release ends it.
  QTest::mousePress(world, Qt::LeftButton, Qt::AltModifier, s.OverPixel(100, 100));
  QTest::mouseMove(world, s.OverPixel(160, 130));
  QImage shown = s.Canvas();
  QCOMPARE(shown.pixelColor(150, 100), inverted);
  QCOMPARE(shown.pixelColor(160, 150), inverted);
  QCOMPARE(shown.pixelColor(100, 150), inverted);
  QCOMPARE(shown.pixelColor(130, 130), Rgb(238, 236, 162));
  QTest::mouseRelease(world, Qt::LeftButton, Qt::AltModifier, s.OverPixel(160, 130));
  QVERIFY(!s.form.zoomSelecting);
  QCOMPARE(s.Canvas(), before);
  QCOMPARE(s.Text("txtDebugMsg"), QString("84"));  // cm

  // A rectangle 15 pixels (21 cm) wide stays after the release ...
  QTest::mousePress(world, Qt::LeftButton, Qt::AltModifier, s.OverPixel(100, 100));
  QTest::mouseMove(world, s.OverPixel(110, 115));
  QTest::mouseRelease(world, Qt::LeftButton, Qt::AltModifier, s.OverPixel(110, 115));
  QVERIFY(s.form.zoomSelecting);
  shown = s.Canvas();
  QCOMPARE(shown.pixelColor(108, 100), inverted);
  QCOMPARE(shown.pixelColor(115, 108), inverted);

  // ... follows the pointer with no button held ...
  QTest::mouseMove(world, s.OverPixel(160, 130));
  shown = s.Canvas();
  QCOMPARE(shown.pixelColor(150, 100), inverted);
  QCOMPARE(shown.pixelColor(115, 108), Rgb(238, 236, 162));

  // ... and a release once it is wide enough removes it.
  QTest::mouseClick(world, Qt::LeftButton, Qt::ShiftModifier, s.OverPixel(160, 130));
  QVERIFY(!s.form.zoomSelecting);
  QCOMPARE(s.Canvas(), before);
}

void WindowTest::bareBackgroundClickIsTheFormsClick() {
  Session s;
  const QPoint bare(910 - 4, 560);
  QVERIFY(!s.window.childAt(bare));
  auto* caption = s.window.childAt(QPoint(720, 30));
  QVERIFY(qobject_cast<QLabel*>(caption));
  QTest::mouseClick(caption, Qt::LeftButton);
  QCOMPARE(s.Text("txtDebugMsg"), QString(""));
  QTest::mouseClick(&s.window, Qt::LeftButton, {}, bare);
  QCOMPARE(s.Text("txtDebugMsg"), QString("30"));
}

void WindowTest::viewHelpKeepsOneWindow() {
  Session s;
  s.Click("cmdViewHelp");
  s.Click("cmdViewHelp");
  QCOMPARE(s.form.helpLoads, 1);
  HelpWindow* help = s.host.helpWindow();
  QVERIFY(help && help->isVisible());
  int shown = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmHelpScreen" && w->isVisible()) ++shown;
  QCOMPARE(shown, 1);
  QCOMPARE(help->windowTitle(), QString("Model Information"));
  QCOMPARE(help->palette().color(QPalette::Window), Rgb(192, 192, 192));
  QCOMPARE(help->size(), QSize(612, 595));
  QTextEdit* viewer = help->findChild<QTextEdit*>("rtxHelp");
  QVERIFY(viewer && viewer->isReadOnly());
  QCOMPARE(viewer->pos(), QPoint(8, 8));
  // The document from the program's folder, as the reader reads it.
  const auto doc = LoadRtfFile(s.host.AppPath() + "/help.rtf", nullptr);
  QVERIFY(doc && !doc->paragraphs.empty() && !doc->paragraphs.front().runs.empty());
  QVERIFY(viewer->toPlainText().startsWith(QString::fromStdString(doc->paragraphs.front().runs.front().text)));

  // Closed and asked for again: the document is loaded once more.
  help->close();
  QVERIFY(!s.form.helpOpen);
  s.Click("cmdViewHelp");
  QCOMPARE(s.form.helpLoads, 2);
  QVERIFY(help->isVisible());
  QCOMPARE(s.host.helpWindow(), help);
}

void WindowTest::helpViewerRendersRunsAndFollowsTheWindowSize() {
  QTextDocument out;
  RenderRtf(ReadRtf("{\\rtf1{\\colortbl;\\red200\\green0\\blue0;}plain {\\b bold}{\\i\\fs40 big}"
                    "{\\cf1\\ul red}\\par\\par last}"),
            out);
  QCOMPARE(out.blockCount(), 3);
  QCOMPARE(out.toPlainText(), QString("plain boldbigred\n\nlast"));
  auto formatAt = [&](int pos) {
    QTextCursor c(&out);
    c.setPosition(pos + 1);
    return c.charFormat();
  };
  QCOMPARE(formatAt(0).fontWeight(), int(QFont::Normal));
  QCOMPARE(formatAt(6).fontWeight(), int(QFont::Bold));
  QVERIFY(formatAt(10).fontItalic());
  QCOMPARE(formatAt(10).fontPointSize(), 20.0);
  QVERIFY(formatAt(13).fontUnderline());
  QCOMPARE(formatAt(13).foreground().color(), Rgb(200, 0, 0));

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

void WindowTest::closingTheWindowEndsARunAtOnce() {
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
    timeAtClose = s.form.modelTime;
    s.window.close();
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { qFatal("closing the window did not end the program"); });
  watchdog.start(30000);
  QCOMPARE(QApplication::exec(), 0);
  watchdog.stop();
  QVERIFY(passesAtClose > 0);
  // No further step after the pass that closed the window.
  QCOMPARE(passes, passesAtClose + 1);
  QCOMPARE(s.form.modelTime, timeAtClose);
  QVERIFY(s.form.unloaded);
  QVERIFY(s.host.ended());
  QVERIFY(!s.host.helpWindow()->isVisible());
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
