// The window's means of watching a raid: View > Trails (with its tool-bar
// toggle), Run > Step, the raid's end said in the status bar and the log
// (and Run > Pause when the raid is over), File > Record movie... and Stop
// recording, File > Open run....
//
// Choices the user makes here (trails shown, pause at the raid's end) are
// remembered from one start of the program to the next.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;

namespace antraid {

class MainWindow;
class MovieRecorder;
class RaidWatch;
class ScriptRunner;

// What File > Record movie... asks: the file and the model steps per frame.
struct MovieChoice {
  QString file;
  int64_t every = 1;
};

class RaidControls : public QObject {
 public:
  // Adds its items to the window's menus and tool bar.
  explicit RaidControls(MainWindow& window);
  ~RaidControls() override;

  QAction* trailsAction() const { return trails_; }
  QAction* stepAction() const { return step_; }
  QAction* pauseWhenOverAction() const { return pauseWhenOver_; }
  const RaidWatch& watch() const { return *watch_; }
  MovieRecorder& movie() { return *movie_; }

  // The window's questions; tests answer them without dialogs. askMovie
  // gets the suggested steps per frame; nullopt: cancelled.
  std::function<std::optional<MovieChoice>(int64_t every)> askMovie;

  // Starts a movie of the view (with the trails when shown); false, said in
  // the status bar and the log, when the file cannot be made.
  bool StartMovie(const MovieChoice& choice);
  // Finishes the movie in progress and says where it is.
  void StopMovie();

  // File > Open run...: the file to perform; empty: cancelled.
  std::function<QString()> askRun;
  // Performs a run's script (a sweep's runs/NNNNN.script or a recorded
  // session) in this window: the seed from its header, its lines read in the
  // window's passes at the speed set, its print lines in the message log; at
  // its end the run halts there, paused, ready to be explored. A window that
  // has been used already opens the run in a new window of its own. Returns
  // when the script has ended (or the run moved to another window).
  void OpenRun(const QString& file);
  // OpenRun once the application's event loop runs (the command line's --open-run).
  void OpenRunLater(const QString& file);
  bool performing() const { return script_ != nullptr; }

  // The seed a script's header names ("--seed N" in its first comment lines).
  static std::optional<uint64_t> HeaderSeed(const std::string& script);

 protected:
  // Closing the window finishes the movie in progress.
  bool eventFilter(QObject* watched, QEvent* event) override;

  // Settings keys.
  static constexpr const char* kTrailsKey = "view/trails";
  static constexpr const char* kPauseWhenOverKey = "run/pauseWhenRaidOver";

 private:
  void Step();
  void RaidOver();
  void Say(const std::string& text);  // status bar and message log

  MainWindow& window_;
  std::unique_ptr<RaidWatch> watch_;
  QAction* trails_ = nullptr;
  QAction* step_ = nullptr;
  QAction* pauseWhenOver_ = nullptr;
  QAction* recordMovie_ = nullptr;
  QAction* stopMovie_ = nullptr;
  std::unique_ptr<MovieRecorder> movie_;
  std::unique_ptr<ScriptRunner> script_;
};

}  // namespace antraid
