// The Host of the desktop program: event processing through Qt, the Yes/No
// box, the beep, the program's folder, the help window and the end of the
// program.
#pragma once

#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/host.h"

namespace antraid {

class HelpWindow;
class MainWindow;

class QtHost : public Host {
 public:
  QtHost();
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  // The window that DoEvents keeps up to date and that owns the form.
  void Attach(MainWindow& window);

  // Mirrors the controls and repaints the canvas (at most once per frame of
  // the screen), then runs Qt's pending events.
  void DoEvents() override;
  bool AskYesNo(std::string_view text) override;
  void Beep() override;
  std::string AppPath() override;
  // Closes the help window and asks Qt to leave its event loop; the run
  // loops unwind by themselves because the form is unloaded.
  void EndProgram() override;
  void ShowHelp(const std::string& path, bool load) override;

  // The help window, or nullptr before the first "View help".
  HelpWindow* helpWindow() const { return help_.get(); }
  bool ended() const { return ended_; }
  int frameMs() const { return frameMs_; }

  // Runs after every event-processing pass of DoEvents; tools and the
  // benchmark drive a run from here.
  std::function<void()> afterEvents;

 private:
  MainWindow* window_ = nullptr;
  std::unique_ptr<HelpWindow> help_;
  QElapsedTimer frameClock_;
  int frameMs_ = 16;  // ms between two mirrors of the window
  bool ended_ = false;
};

}  // namespace antraid
