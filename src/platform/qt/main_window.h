// The main window: the panel (one widget per control, laid out in group
// boxes beside the world picture), a tool bar with the speed control, menus
// and shortcuts, a status bar and docks (the message log). The widgets only
// mirror the form's controls; a user's action goes through the form's user
// actions, which run the form's handler.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "sim/main_form.h"
#include "platform/qt/qt_host.h"

class QAction;
class QCloseEvent;
class QEvent;
class QMenu;
class QMouseEvent;
class QToolBar;

namespace antraid {

class ControlWidgets;
class MessageLog;
class PlotDock;
class RaidControls;
class SessionRecorder;
class ResponseGraph;
class SpeedControl;
class StatusLine;
class WorldView;

// The window's questions to the user. Tests answer them without dialogs.
struct WindowDialogs {
  // A file to open or to save; empty when the user cancels.
  std::function<QString(const QString& title, const QString& filter)> openFile;
  std::function<QString(const QString& title, const QString& suggested, const QString& filter)> saveFile;
  // A line of text; nullopt when the user cancels.
  std::function<std::optional<QString>(const QString& title, const QString& label)> text;
  // One of several items, by its index; nullopt when the user cancels.
  std::function<std::optional<int>(const QString& title, const QString& label, const QStringList& items)> choice;
};

class MainWindow : public QMainWindow {
 public:
  MainWindow(MainForm& form, QtHost& host, QWidget* parent = nullptr);
  ~MainWindow() override;

  MainForm& form() { return form_; }
  QtHost& host() { return host_; }
  WorldView* worldView() const { return world_; }
  ControlWidgets& widgets() { return *widgets_; }
  MessageLog* messageLog() const { return log_; }
  PlotDock* plotDock() const { return plots_; }
  SpeedControl* speedControl() const { return speed_; }
  StatusLine& statusLine() { return *status_; }
  // Trails, Step, the raid's end, movies, Open run.
  RaidControls& raid() { return *raid_; }
  // Menus and the tool bar, for the window's other parts to extend.
  QMenu* fileMenu() const { return fileMenu_; }
  QMenu* runMenu() const { return runMenu_; }
  QMenu* viewMenu() const { return viewMenu_; }
  QMenu* helpMenu() const { return helpMenu_; }
  QToolBar* toolBar() const { return toolBar_; }

  WindowDialogs dialogs;

  // Model steps a second, or kFastest: the pace of runs from now on.
  void SetSpeed(int speed);
  // Fixes the random source before the form loads (--seed): the session
  // recorded from here replays exactly with antraid-script --seed.
  void FixSeedAtStart(uint64_t seed);
  // The session, as a script, goes to this file when the window closes.
  void SetSessionFile(std::string path) { sessionFile_ = std::move(path); }
  SessionRecorder& recorder() { return *recorder_; }

  // Copies every control whose version changed into its widget, with the
  // widget's signals blocked: mirroring never runs a handler.
  void SyncControls();
  // SyncControls, plus the pictures (canvas, response graph) and the status
  // bar when they changed.
  void SyncAll();
  // Runs a handler of the form on behalf of the user, then mirrors what it
  // changed.
  void RunHandler(const std::function<void()>& handler);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Space alone is Pause/Go wherever the focus is, but in a text box.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();  // window_menus.cpp
  void ShowStatus();
  void SavePicture();
  void OpenParameters();
  void SaveParameters();
  void SaveSession();
  void AskFixedSeed();
  void ShowAbout();

  MainForm& form_;
  QtHost& host_;
  std::unique_ptr<ControlWidgets> widgets_;
  std::unique_ptr<StatusLine> status_;
  std::unique_ptr<SessionRecorder> recorder_;
  std::optional<std::string> sessionFile_;
  WorldView* world_ = nullptr;
  ResponseGraph* graph_ = nullptr;
  MessageLog* log_ = nullptr;
  PlotDock* plots_ = nullptr;
  SpeedControl* speed_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* runMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  QAction* pauseAction_ = nullptr;
  RaidControls* raid_ = nullptr;  // a child of the window
  std::optional<uint64_t> seed_;  // the seed last fixed, for the status bar
  uint64_t shownCanvas_ = UINT64_MAX;
  bool backgroundPress_ = false;  // the last press landed on the panel's bare background
};

// The whole desktop program: the host, the form and its window, wired.
struct WindowProgram {
  WindowProgram() { host.Attach(window); }
  QtHost host;
  MainForm form{host};
  MainWindow window{form, host};
};

}  // namespace antraid
