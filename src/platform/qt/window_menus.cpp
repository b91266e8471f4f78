// The main window's menus and shortcuts, and the dialogs behind them. A menu
// item that stands for a panel button clicks that button through the form's
// user actions (so a recorded session hears it) and is enabled exactly when
// the button is.
#include <QAction>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <iterator>
#include <string>

#include "app/parameter_file.h"
#include "app/script_line.h"
#include "app/session_recorder.h"
#include "common/version.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/main_window.h"
#include "platform/qt/message_log.h"
#include "platform/qt/pacer.h"
#include "platform/qt/plot_dock.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/window_options.h"

namespace antraid {

namespace {

// What the program uses, as the About box names it.
struct Licence {
  const char* what;
  const char* licence;
};
constexpr Licence kLicences[] = {
    {"Qt 6", "GNU LGPL v3"},
    {"Qt Charts", "GNU GPL v3"},
    {"stb_image_write", "public domain (or MIT)"},
    {"CLI11", "BSD 3-Clause"},
};

QAction* Item(QMenu* menu, const char* text, const char* name, QKeySequence key = {}) {
  QAction* a = menu->addAction(QString::fromUtf8(text));
  a->setObjectName(name);
  if (!key.isEmpty()) a->setShortcut(key);
  return a;
}

WindowDialogs QtDialogs(QWidget* parent) {
  WindowDialogs d;
  d.openFile = [parent](const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
  };
  d.saveFile = [parent](const QString& title, const QString& suggested, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
  };
  d.text = [parent](const QString& title, const QString& label) -> std::optional<QString> {
    bool ok = false;
    const QString t = QInputDialog::getText(parent, title, label, QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return t;
  };
  d.choice = [parent](const QString& title, const QString& label, const QStringList& items) -> std::optional<int> {
    bool ok = false;
    const QString item = QInputDialog::getItem(parent, title, label, items, 0, false, &ok);
    if (!ok) return std::nullopt;
    return static_cast<int>(items.indexOf(item));
  };
  return d;
}

}  // namespace

void MainWindow::BuildMenus() {
  dialogs = QtDialogs(this);
  Panel& p = form_.panel;
  fileMenu_ = menuBar()->addMenu("&File");
  fileMenu_->setObjectName("fileMenu");
  connect(Item(fileMenu_, "&Open parameters...", "actionOpenParameters", QKeySequence(Qt::CTRL | Qt::Key_O)),
          &QAction::triggered, this, [this] { OpenParameters(); });
  connect(Item(fileMenu_, "&Save parameters...", "actionSaveParameters", QKeySequence(Qt::CTRL | Qt::Key_S)),
          &QAction::triggered, this, [this] { SaveParameters(); });
  // The panel's first values, typed back through the rules like a file's.
  connect(Item(fileMenu_, "&Restore initial parameters", "actionRestoreParameters"), &QAction::triggered, this,
          [this] { RunHandler([this] { RestoreInitialParameters(form_); }); });
  fileMenu_->addSeparator();
  connect(Item(fileMenu_, "Save picture as &PNG...", "actionSavePicture"), &QAction::triggered, this,
          [this] { SavePicture(); });
  connect(Item(fileMenu_, "Save session as s&cript...", "actionSaveSession"), &QAction::triggered, this,
          [this] { SaveSession(); });
  fileMenu_->addAction(plots_->saveCsvAction());
  fileMenu_->addAction(plots_->savePngAction());
  fileMenu_->addSeparator();
  connect(Item(fileMenu_, "&Quit", "actionQuit", QKeySequence(Qt::CTRL | Qt::Key_Q)), &QAction::triggered, this,
          [this] { close(); });

  runMenu_ = menuBar()->addMenu("&Run");
  runMenu_->setObjectName("runMenu");
  widgets_->BindAction(p.cmdStartProgram, *Item(runMenu_, "&Start", "actionStart", QKeySequence(Qt::CTRL | Qt::Key_R)));
  pauseAction_ = Item(runMenu_, "&Pause/Go", "actionPause", QKeySequence(Qt::CTRL | Qt::Key_Space));
  widgets_->BindAction(p.cmdPause, *pauseAction_);
  runMenu_->addSeparator();
  QAction* faster = Item(runMenu_, "&Faster", "actionFaster");
  faster->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(faster, &QAction::triggered, this, [this] { SetSpeed(FasterSpeed(host_.speed())); });
  connect(Item(runMenu_, "S&lower", "actionSlower", QKeySequence(Qt::CTRL | Qt::Key_Minus)), &QAction::triggered,
          this, [this] { SetSpeed(SlowerSpeed(host_.speed())); });
  runMenu_->addSeparator();
  connect(Item(runMenu_, "Fixed &seed...", "actionFixedSeed"), &QAction::triggered, this, [this] { AskFixedSeed(); });

  viewMenu_ = menuBar()->addMenu("&View");
  viewMenu_->setObjectName("viewMenu");
  widgets_->BindAction(p.cmdPlotPher, *Item(viewMenu_, "&Plot pheromone", "actionPlotPheromone"));
  widgets_->BindAction(p.cmdClearScreen, *Item(viewMenu_, "&Clear screen", "actionClearScreen"));
  viewMenu_->addSeparator();
  QAction* logItem = log_->toggleViewAction();
  logItem->setText("&Message log");
  logItem->setObjectName("actionMessageLog");
  viewMenu_->addAction(logItem);
  viewMenu_->addAction(plots_->toggleViewAction());

  helpMenu_ = menuBar()->addMenu("&Help");
  helpMenu_->setObjectName("helpMenu");
  widgets_->BindAction(p.cmdViewHelp, *Item(helpMenu_, "&Model information", "actionModelInformation",
                                            QKeySequence(Qt::Key_F1)));
  connect(Item(helpMenu_, "&About antraid", "actionAbout"), &QAction::triggered, this, [this] { ShowAbout(); });
}

namespace {
constexpr const char* kScriptFiles = "antraid scripts (*.script);;All files (*)";
}  // namespace

void MainWindow::OpenParameters() {
  const QString path = dialogs.openFile("Open parameters", kScriptFiles);
  if (path.isEmpty()) return;
  // The whole file is checked first; its lines then act as the user's own:
  // every rule and refusal applies. A bad line is named in the Messages box.
  const std::string file = path.toStdString();
  RunHandler([this, &file] { antraid::OpenParameters(form_, file); });
}

void MainWindow::SaveParameters() {
  const QString path = dialogs.saveFile("Save parameters", "parameters.script", kScriptFiles);
  if (path.isEmpty()) return;
  const std::string file = path.toStdString();
  RunHandler([this, &file] { antraid::SaveParameters(form_, file); });
}

void MainWindow::SaveSession() {
  const QString path = dialogs.saveFile("Save session as script", "session.script", kScriptFiles);
  if (path.isEmpty()) return;
  if (!recorder_->Save(path.toStdString())) {
    const std::string text = "Session not saved: cannot write " + path.toStdString();
    RunHandler([this, &text] { form_.Message(text); });
  }
}

void MainWindow::SavePicture() {
  const QString path = dialogs.saveFile("Save picture as PNG", "world.png", "PNG images (*.png)");
  if (path.isEmpty()) return;
  // The raster at its own size or enlarged by a whole factor, each raster
  // pixel a square of pixels: no smoothing, every colour as drawn.
  const Canvas& c = form_.pctWorld;
  static constexpr int kScales[] = {1, 2, 4};
  QStringList sizes;
  for (int k : kScales) sizes << QString("%1 x %2 (%3x)").arg(k * c.width()).arg(k * c.height()).arg(k);
  const std::optional<int> pick = dialogs.choice("Save picture as PNG", "Size:", sizes);
  if (!pick || *pick < 0 || *pick >= static_cast<int>(std::size(kScales))) return;
  const int k = kScales[*pick];
  const QImage raster(reinterpret_cast<const uchar*>(c.pixels()), c.width(), c.height(),
                      c.width() * static_cast<int>(sizeof(uint32_t)), QImage::Format_RGB32);
  const QImage image = k == 1 ? raster : raster.scaled(k * c.width(), k * c.height(), Qt::IgnoreAspectRatio,
                                                       Qt::FastTransformation);
  if (!image.save(path, "PNG")) {
    const std::string text = "Picture not saved: cannot write " + path.toStdString();
    RunHandler([this, &text] { form_.Message(text); });
  }
}

void MainWindow::AskFixedSeed() {
  const auto text = dialogs.text("Fixed seed", "The random source restarts from this seed at the next Start.\n"
                                               "Seed (a whole number from 0 to 18446744073709551615):");
  if (!text) return;
  const std::string typed = text->trimmed().toStdString();
  const std::optional<uint64_t> seed = ParseSeed(typed);
  if (!seed) {
    const std::string refusal = "Fixed seed: " + ShownInMessage(typed) + " refused, not a whole number from 0 to " +
                                std::to_string(UINT64_MAX);
    RunHandler([this, &refusal] { form_.Message(refusal); });
    return;
  }
  seed_ = *seed;
  RunHandler([this, &seed] { form_.actions.Seed(*seed); });
}

void MainWindow::ShowAbout() {
  QString text = "<p><b>antraid " + QtText(kVersion) +
                 "</b></p><p>An interactive simulation of an ant colony's foraging raid on a lattice.</p>"
                 "<p>It uses:</p><ul>";
  for (const Licence& l : kLicences)
    text += QString("<li>%1 (%2)</li>").arg(QString::fromUtf8(l.what), QString::fromUtf8(l.licence));
  text += "</ul>";
  QMessageBox::about(this, "About antraid", text);
}

}  // namespace antraid
