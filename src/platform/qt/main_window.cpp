#include "platform/qt/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QDockWidget>
#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <exception>
#include <iostream>
#include <string>

#include "app/session_recorder.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/message_log.h"
#include "platform/qt/panel_layout.h"
#include "platform/qt/plot_dock.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/raid_controls.h"
#include "platform/qt/response_graph.h"
#include "platform/qt/speed_control.h"
#include "platform/qt/status_line.h"
#include "platform/qt/world_view.h"

namespace antraid {

MainWindow::MainWindow(MainForm& form, QtHost& host, QWidget* parent)
    : QMainWindow(parent), form_(form), host_(host) {
  setObjectName("MainForm");
  setWindowTitle(QtText(MainForm::TitleText()));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ColorOf(kWindowColor));
  // Disabled text stays legible on the blue-grey boxes.
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    pal.setColor(QPalette::Disabled, role, QColor(100, 100, 110));
  setPalette(pal);

  const auto run = [this](const std::function<void()>& h) { RunHandler(h); };
  world_ = new WorldView(form_, run, nullptr);
  widgets_ = std::make_unique<ControlWidgets>(form_, run, this);
  graph_ = new ResponseGraph(form_.formSurface, *widgets_, nullptr);
  QFont f("DejaVu Sans Condensed");
  f.setPixelSize(11);
  setCentralWidget(BuildPanel(*widgets_, world_, graph_, f));

  toolBar_ = addToolBar("Speed");
  toolBar_->setObjectName("speedBar");
  speed_ = new SpeedControl([this](int s) { SetSpeed(s); }, toolBar_);
  toolBar_->addWidget(speed_);
  status_ = std::make_unique<StatusLine>(*statusBar());
  statusBar()->setSizeGripEnabled(true);
  log_ = new MessageLog(form_, this);
  addDockWidget(Qt::BottomDockWidgetArea, log_);
  log_->hide();
  // Shown, the log takes a third of the window's height at least, so that
  // it reads as a log and not as a few lines; its edge drags further.
  connect(log_->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
    if (shown && dockWidgetArea(log_) != Qt::NoDockWidgetArea && !log_->isFloating())
      resizeDocks({log_}, {std::max(log_->height(), height() / 3)}, Qt::Vertical);
  });
  plots_ = new PlotDock(form_, run, this);
  plots_->askSaveFile = [this](const QString& title, const QString& suggested, const QString& filter) {
    return dialogs.saveFile(title, suggested, filter);
  };
  addDockWidget(Qt::RightDockWidgetArea, plots_);
  resizeDocks({plots_}, {PlotDock::kWidthBeside}, Qt::Horizontal);

  recorder_ = std::make_unique<SessionRecorder>(form_, std::nullopt);
  host_.SetRecorder(recorder_.get());
  BuildMenus();
  raid_ = new RaidControls(*this);
  speed_->Show(host_.speed());
  qApp->installEventFilter(this);
  SyncAll();
  widgets_->Find("cmdStartProgram")->setFocus();
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  host_.SetRecorder(nullptr);
}

void MainWindow::FixSeedAtStart(uint64_t seed) {
  form_.rng.SetFixedSeed(seed);
  seed_ = seed;
  // Nothing has been recorded yet: the session starts afresh from the seed.
  recorder_ = std::make_unique<SessionRecorder>(form_, seed);
  host_.SetRecorder(recorder_.get());
}

void MainWindow::SetSpeed(int speed) {
  host_.SetSpeed(speed);
  speed_->Show(speed);
  ShowStatus();
}

// ---- Mirroring -----------------------------------------------------------------

void MainWindow::SyncControls() { widgets_->Sync(); }

void MainWindow::SyncAll() {
  SyncControls();
  graph_->Sync();
  if (form_.pctWorld.version() != shownCanvas_) {
    shownCanvas_ = form_.pctWorld.version();
    world_->update();
  }
  ShowStatus();
}

void MainWindow::ShowStatus() {
  StatusFacts f;
  f.modelTime = form_.run.modelTime;
  if (form_.run.running) f.achieved = host_.MeasuredRate();
  f.speed = host_.speed();
  if (form_.seedForNextRun()) {
    f.seed = *form_.seedForNextRun();
    f.seedPending = true;
  } else if (seed_ && form_.rng.fixed()) {
    f.seed = seed_;
  }
  if (form_.params.saveImages) f.frames = NativePath(form_.params.saveFilePath) + form_.params.imageName + "*.bmp";
  status_->Show(f);
}

void MainWindow::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    // The form's handlers do not throw; if one ever does, the window lives on.
    form_.panel.txtDebugMsg.SetText(std::string("Error: ") + e.what());
  } catch (...) {
    form_.panel.txtDebugMsg.SetText("Error");
  }
  SyncAll();
}

// ---- Window events ------------------------------------------------------------------

void MainWindow::mousePressEvent(QMouseEvent* event) {
  backgroundPress_ = IsPanelBackground(childAt(event->position().toPoint()));
  event->accept();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (backgroundPress_ && IsPanelBackground(childAt(pos))) RunHandler([this] { form_.actions.ClickForm(); });
  backgroundPress_ = false;
  event->accept();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  form_.actions.Close();
  if (sessionFile_ && !recorder_->Save(*sessionFile_))
    std::cerr << "antraid: the session could not be written to " << *sessionFile_ << '\n';
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return QMainWindow::eventFilter(watched, event);
  if (QApplication::activeWindow() != this || QApplication::activeModalWidget())
    return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
    const auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && !edit->isReadOnly()) return false;  // a blank typed into a box
    // Before the first start there is nothing to pause: Space does what it
    // does anywhere, e.g. presses the focused START button.
    if (!pauseAction_->isEnabled()) return QMainWindow::eventFilter(watched, event);
    // A focused button or check box would take the key for itself: Space
    // belongs to Pause/Go here, Return clicks them.
    if (type == QEvent::KeyPress && !key->isAutoRepeat()) pauseAction_->trigger();
    return true;
  }
  if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && type == QEvent::KeyPress) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button && centralWidget()->isAncestorOf(button)) {
      button->click();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace antraid
