#include "platform/qt/raid_controls.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeySequence>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "sim/main_form.h"
#include "app/movie_recorder.h"
#include "app/raid_watch.h"
#include "platform/qt/main_window.h"
#include "platform/qt/message_log.h"
#include "platform/qt/qt_text.h"
#include "platform/headless/script_runner.h"
#include "platform/qt/world_view.h"

namespace antraid {

namespace {
QAction* Checkable(QMenu* menu, const char* text, const char* name, bool on) {
  QAction* a = menu->addAction(QString::fromUtf8(text));
  a->setObjectName(name);
  a->setCheckable(true);
  a->setChecked(on);
  return a;
}
std::optional<MovieChoice> AskMovie(QWidget* parent, int64_t every) {
  MovieChoice c;
  c.file = QFileDialog::getSaveFileName(parent, "Record movie", "raid.mp4",
                                        "MP4 movies (*.mp4);;WebM movies (*.webm)");
  if (c.file.isEmpty()) return std::nullopt;
  bool ok = false;
  c.every = QInputDialog::getInt(parent, "Record movie",
                                 "One movie frame (30 a second) every how many model steps?",
                                 static_cast<int>(every), 1, 1000000, 1, &ok);
  if (!ok) return std::nullopt;
  return c;
}
}  // namespace

RaidControls::RaidControls(MainWindow& window) : QObject(&window), window_(window) {
  MainForm& form = window_.form();
  QSettings settings;

  // The raid's end is heard inside the model step; the window acts on it in
  // the next event-processing pass, where a user's click would land, so that
  // a recorded session holds the Pause as that click.
  watch_ = std::make_unique<RaidWatch>(form, [this] {
    QMetaObject::invokeMethod(this, [this] { RaidOver(); }, Qt::QueuedConnection);
  });

  // Frames come from the view: the canvas, with the trails when shown.
  movie_ = std::make_unique<MovieRecorder>(
      form, [this] { return window_.worldView()->Shown(); },
      [this](const std::string& why) {
        Say(why);
        stopMovie_->setEnabled(false);
      });
  askMovie = [this](int64_t every) { return AskMovie(&window_, every); };
  QMenu* file = window_.fileMenu();
  QAction* before = nullptr;  // above the menu's last group (Quit)
  for (QAction* a : file->actions())
    if (a->isSeparator()) before = a;
  recordMovie_ = new QAction("Record &movie...", file);
  recordMovie_->setObjectName("actionRecordMovie");
  stopMovie_ = new QAction("Stop &recording", file);
  stopMovie_->setObjectName("actionStopRecording");
  stopMovie_->setEnabled(false);
  file->insertActions(before, {recordMovie_, stopMovie_});
  connect(recordMovie_, &QAction::triggered, this, [this] {
    if (auto choice = askMovie(MovieRecorder::DefaultEvery(window_.form().params.modelTimeStep))) StartMovie(*choice);
  });
  connect(stopMovie_, &QAction::triggered, this, [this] { StopMovie(); });
  QAction* openRun = new QAction("Open r&un...", file);
  openRun->setObjectName("actionOpenRun");
  file->insertAction(recordMovie_, openRun);
  askRun = [this] {
    return QFileDialog::getOpenFileName(&window_, "Open run", QString(), "antraid scripts (*.script);;All files (*)");
  };
  connect(openRun, &QAction::triggered, this, [this] {
    const QString path = askRun();
    if (!path.isEmpty()) OpenRun(path);
  });

  window_.installEventFilter(this);
  QMenu* run = window_.runMenu();
  step_ = run->addAction("S&tep");
  step_->setObjectName("actionStep");
  step_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  connect(step_, &QAction::triggered, this, [this] { Step(); });
  pauseWhenOver_ = Checkable(run, "Pause when the raid is &over", "actionPauseWhenRaidOver",
                             settings.value(kPauseWhenOverKey, true).toBool());
  connect(pauseWhenOver_, &QAction::toggled, this,
          [](bool on) { QSettings().setValue(kPauseWhenOverKey, on); });

  // Off the first time the program starts.
  trails_ = Checkable(window_.viewMenu(), "&Trails", "actionTrails", settings.value(kTrailsKey, false).toBool());
  trails_->setToolTip("Show the pheromone trails under the ants (the picture itself is unchanged)");
  window_.toolBar()->addSeparator();
  window_.toolBar()->addAction(trails_);
  window_.worldView()->SetTrails(trails_->isChecked());
  connect(trails_, &QAction::toggled, this, [this](bool on) {
    window_.worldView()->SetTrails(on);
    QSettings().setValue(kTrailsKey, on);
  });
}

bool RaidControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Close) StopMovie();
  return QObject::eventFilter(watched, event);
}

RaidControls::~RaidControls() {
  // Closing the window mid-run finishes the movie.
  movie_.reset();
}

void RaidControls::Say(const std::string& text) {
  window_.statusBar()->showMessage(QtText(text));
  window_.messageLog()->MessageShown(text);
}

bool RaidControls::StartMovie(const MovieChoice& choice) {
  std::string file = choice.file.toStdString();
  if (!MovieWriter::KnownExtension(file)) file += ".mp4";
  if (movie_->recording()) StopMovie();
  if (!movie_->Start(file, choice.every)) {
    Say("Movie not started: " + movie_->error());
    return false;
  }
  stopMovie_->setEnabled(true);
  Say("Recording a movie to " + file + ": one frame every " + std::to_string(movie_->every()) + " model steps");
  return true;
}

void RaidControls::StopMovie() {
  if (!movie_->recording()) return;
  const int frames = movie_->frames();
  const std::string file = movie_->path();
  if (movie_->Stop())
    Say("Movie saved: " + file + " (" + std::to_string(frames) + " frames)");
  else
    Say("Movie stopped: " + movie_->error());
  stopMovie_->setEnabled(false);
}

void RaidControls::Step() {
  MainForm& form = window_.form();
  if (!form.CanStep()) {
    window_.statusBar()->showMessage(
        form.run.programStarted && form.run.running ? "Step: pause the run first" : "Step: start a run first", 5000);
    return;
  }
  window_.RunHandler([&form] { form.actions.Step(); });
}

void RaidControls::RaidOver() {
  MainForm& form = window_.form();
  if (!watch_->over() || form.unloaded) return;
  const std::string text = watch_->Message();
  window_.statusBar()->showMessage(QtText(text));
  window_.messageLog()->MessageShown(text);
  // Exactly what the Pause button does, heard as its click.
  if (pauseWhenOver_->isChecked() && form.run.running && form.panel.cmdPause.enabled()) {
    window_.RunHandler([&form] { form.actions.Click(form.panel.cmdPause); });
    StopMovie();
  }
}

}  // namespace antraid
