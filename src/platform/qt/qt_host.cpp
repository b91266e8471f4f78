#include "platform/qt/qt_host.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QString>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "sim/main_form.h"
#include "app/session_recorder.h"
#include "common/program_folders.h"
#include "platform/headless/script_runner.h"
#include "platform/qt/help_window.h"
#include "platform/qt/main_window.h"
#include "platform/qt/message_log.h"

namespace antraid {

namespace {
constexpr int64_t kNsPerMs = 1'000'000;

PaceClock QtClock() {
  auto started = std::make_shared<QElapsedTimer>();
  started->start();
  return {[started] { return static_cast<int64_t>(started->nsecsElapsed()); },
          [](int64_t ns) {
            // A timer wakes the wait when no event comes first.
            QTimer wake;
            wake.setSingleShot(true);
            wake.setTimerType(Qt::PreciseTimer);
            wake.start(static_cast<int>(std::clamp<int64_t>((ns + kNsPerMs - 1) / kNsPerMs, 1, 1000)));
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
          }};
}
}  // namespace

QtHost::QtHost() : clock_(QtClock()) {}
QtHost::~QtHost() = default;

void QtHost::Attach(MainWindow& window) {
  window_ = &window;
  window.form().Subscribe(*this);
  // One mirror per frame of the screen; 60 Hz when the screen does not say.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double hz = screen && screen->refreshRate() >= 20 ? screen->refreshRate() : 60.0;
  frameMs_ = std::clamp(static_cast<int>(std::floor(1000.0 / hz)), 4, 50);
}

void QtHost::SetSpeed(int speed) { pacer_.SetSpeed(speed, clock_.now()); }

void QtHost::SyncIfFrameDue() {
  // The model writes some captions on every step: the widgets follow at the
  // rate the screen can show, not at the rate of the writes.
  if (window_ && (!frameClock_.isValid() || frameClock_.elapsed() >= frameMs_)) {
    window_->SyncAll();
    frameClock_.start();
  }
}

void QtHost::WaitForNextStep() {
  // The user's events are handled while waiting: a Pause, a new speed or the
  // window's close ends the wait at once.
  if (!window_ || pacer_.speed() == kFastest || !pacer_.PassBegins(clock_.now())) return;
  const MainForm& form = window_->form();
  while (form.run.running && !form.unloaded) {
    const auto next = pacer_.NextStart();
    if (!next) return;
    const int64_t now = clock_.now();
    if (now >= *next) return;
    SyncIfFrameDue();
    clock_.waitForEvents(std::min<int64_t>(*next - now, int64_t{frameMs_} * kNsPerMs));
  }
}

void QtHost::DoEvents() {
  // One pass, however long it waits: a recorded session counts passes, not time.
  if (recorder_) recorder_->PassBegins();
  WaitForNextStep();
  SyncIfFrameDue();
  QCoreApplication::processEvents();
  if (script_) script_->DoEvents();
  if (afterEvents) afterEvents();
  if (recorder_) recorder_->PassEnds();
}

bool QtHost::AskYesNo(std::string_view text) {
  if (script_) {
    if (const std::optional<bool> a = script_->TakeAnswer(text)) {
      if (window_) window_->form().actions.Answered(*a);
      return *a;
    }
  }
  if (window_) window_->SyncAll();  // the window behind the box shows the present state
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(std::string(MainForm::TitleText())),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Yes | QMessageBox::No, window_);
  box.setObjectName("msgYesNo");
  box.setDefaultButton(QMessageBox::Yes);
  const bool yes = box.exec() == QMessageBox::Yes;
  if (window_) window_->form().actions.Answered(yes);
  return yes;
}

void QtHost::Beep() { QApplication::beep(); }

std::string QtHost::AppPath() {
  // Beside the executable in the build folder, PREFIX/share/antraid when installed.
  return FindProgramFolder(QCoreApplication::applicationDirPath().toStdString());
}

void QtHost::Note(std::string_view line) {
  Host::Note(line);
  if (window_ && window_->messageLog()) window_->messageLog()->MessageShown(line);
}

std::optional<uint64_t> QtHost::FreeSpace(const std::string& path) {
  return freeSpace ? freeSpace : Host::FreeSpace(path);
}

void QtHost::EndProgram() {
  ended_ = true;
  if (help_) help_->close();
  // Leaves the application's event loop once control is back in it; the
  // nested run loops return first because the form is unloaded.
  QCoreApplication::quit();
}

void QtHost::ShowHelp(const std::string& path, bool load) {
  if (!help_) {
    help_ = std::make_unique<HelpWindow>([this] {
      if (window_) window_->form().frmHelpScreen_Closed();
    });
  }
  if (load) help_->Load(path);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

}  // namespace antraid
