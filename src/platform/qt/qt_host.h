// The Host of the desktop program: event processing through Qt, paced to
// the speed setting, the Yes/No box, the beep, the program's folder, the
// help window and the end of the program.
#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sim/form_observer.h"
#include "common/host.h"
#include "platform/qt/pacer.h"

namespace antraid {

class HelpWindow;
class MainWindow;
class ScriptRunner;
class SessionRecorder;

// The clock of the pacing. Tests give one of their own, so that pacing is
// exact and no test waits for real time.
struct PaceClock {
  std::function<int64_t()> now;  // ns, monotonic
  // Handles the user's events, waiting at most this many ns for one.
  std::function<void(int64_t)> waitForEvents;
};

class QtHost : public Host, private FormObserver {
 public:
  QtHost();
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  // The window that DoEvents keeps up to date and that owns the form.
  void Attach(MainWindow& window);

  // Waits, handling the user's events, until the speed setting lets the next
  // model step begin; mirrors the controls and repaints the canvas (at most
  // once per frame of the screen); then runs Qt's pending events.
  void DoEvents() override;
  bool AskYesNo(std::string_view text) override;
  void Beep() override;
  std::string AppPath() override;
  // Standard error and the window's message log.
  void Note(std::string_view line) override;
  // The file system's figure, or freeSpace when a test sets it.
  std::optional<uint64_t> FreeSpace(const std::string& path) override;
  // Closes the help window and asks Qt to leave its event loop; the run
  // loops unwind by themselves because the form is unloaded.
  void EndProgram() override;
  void ShowHelp(const std::string& path, bool load) override;

  // Model steps a second, or kFastest.
  int speed() const { return pacer_.speed(); }
  void SetSpeed(int speed);
  // Steps a second achieved lately.
  double MeasuredRate() const { return pacer_.MeasuredRate(); }
  void SetClock(PaceClock clock) { clock_ = std::move(clock); }
  // Hears where every event-processing pass begins and ends; nullptr: none.
  void SetRecorder(SessionRecorder* recorder) { recorder_ = recorder; }
  // A script performed in the window (File > Open run...) reads its lines in
  // every event-processing pass and answers the Yes/No boxes it queued
  // answers for; nullptr: none.
  void SetScript(ScriptRunner* script) { script_ = script; }
  std::optional<uint64_t> freeSpace;  // bytes; tests fix the figure here

  // The help window, or nullptr before the first "View help".
  HelpWindow* helpWindow() const { return help_.get(); }
  bool ended() const { return ended_; }
  int frameMs() const { return frameMs_; }

  // Runs after every event-processing pass of DoEvents; tools and the
  // benchmark drive a run from here.
  std::function<void()> afterEvents;

 private:
  void StepDone() override { pacer_.StepDone(clock_.now()); }
  void SyncIfFrameDue();
  void WaitForNextStep();

  MainWindow* window_ = nullptr;
  std::unique_ptr<HelpWindow> help_;
  Pacer pacer_;
  PaceClock clock_;
  SessionRecorder* recorder_ = nullptr;
  ScriptRunner* script_ = nullptr;
  QElapsedTimer frameClock_;
  int frameMs_ = 16;  // ms between two mirrors of the window
  bool ended_ = false;
};

}  // namespace antraid
