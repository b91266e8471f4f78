// Scripted sessions: the program runs headless and a script plays the user.
//
// The script is read line by line from inside the form's event processing:
// every DoEvents call of the program (one pass) reads and performs lines
// until a `wait` ends the pass. Actions that enter a run loop read the lines
// that follow from inside that loop, exactly as a user's clicks would happen
// between model steps. The script's end, or `close`, closes the main window.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/form_observer.h"
#include "common/controls.h"
#include "platform/headless/headless_host.h"

namespace antraid {

class MainForm;
class EffortCounter;
struct MeasureItem;
class MovieRecorder;

struct ScriptOptions {
  // Fixes the random source for the whole session (clock reseeds included).
  std::optional<uint64_t> seed;
  // The program's folder (App.Path).
  std::string appPath = ".";
  // The folder that relative file names of `record`, `snapshot` and
  // `picture` are taken in; empty: the current folder. A sweep performs many
  // runs at once in one process, each in its results folder.
  std::string fileFolder;
  // False: the world canvas draws nothing (runs nobody looks at, as in a
  // sweep); every field, caption and message stays as with the picture on.
  bool picture = true;
  // Called just before each line of the script is read, with its number
  // from 1; returning false closes the window there, as `close` does.
  std::function<bool(int line)> beforeLine;
};

class ScriptRunner : public HeadlessHost, private FormObserver {
 public:
  // Normal output goes to out, errors to err ("antraid-script: line N: ...").
  ScriptRunner(std::ostream& out, std::ostream& err, ScriptOptions options = {});
  ~ScriptRunner() override;

  // Creates the main form, performs the script and closes the form. Returns
  // the exit status: 0 after `close` or the end of the script, 2 after an
  // error. Call once per runner.
  int Run(std::string_view script);

  // Performs the script on a form that lives elsewhere, with its own host
  // (the window's File > Open run...): lines are read here until the first
  // pass that waits, then from the form's host, which calls DoEvents() of
  // this runner from each of its event-processing passes. The end of the
  // script, `close` or an error does not close the form: `ended` runs
  // instead (the window halts the run there). Answers queued by the script
  // are taken with TakeAnswer.
  void Perform(MainForm& form, std::string_view script, std::function<void()> ended);
  // The next queued answer for a Yes/No box the form opened ("msgbox: " and
  // the text are printed); nullopt when none is queued or the script ended.
  std::optional<bool> TakeAnswer(std::string_view text);
  bool stopped() const { return stopped_; }

  // The form of the session (null before Run).
  MainForm* form() { return form_; }

  void DoEvents() override;
  bool AskYesNo(std::string_view text) override;
  void Beep() override;

  // Run loops entered from inside run loops, as deep as a script may go: each
  // level holds a few stack frames of the program.
  static constexpr int kMaxDepth = 200;
  // `keys` types one change per character; longer texts belong to `type`.
  static constexpr size_t kMaxKeys = 10000;

 private:
  struct Probe;
  struct Recording;
  struct Until;
  class Tokens;

  // Reads and performs lines until the pass ends (a wait, or an action that
  // returns while a wait is pending) or the session stops. Outside any run
  // loop the pass lasts until the session stops.
  void Pass(bool inRunLoop);
  void Perform(int line, std::string_view action, Tokens& args);
  void Fail(int line, std::string_view message);
  void Close();
  int CurrentLine() const { return performing_.empty() ? lastLine_ : performing_.back(); }

  TextBox* NeedTextBox(Tokens& args);  // the text box named next, or an error
  void DoType(Tokens& args);
  void DoKeys(Tokens& args);
  void DoClick(Tokens& args);
  ScrollBar& NeedScrollBar(Tokens& args);  // the scroll bar named next, or an error
  void DoScroll(Tokens& args, bool drag);
  void DoRelease(Tokens& args);
  void DoSeed(Tokens& args);
  void DoMouse(Tokens& args);
  void DoAnswer(Tokens& args);
  void DoPrint(Tokens& args);
  void DoSet(Tokens& args);
  void DoPixel(Tokens& args);
  void DoSnapshot(Tokens& args);
  void DoPicture(Tokens& args);
  std::string InFileFolder(std::string name) const;
  void DoRecord(int line, Tokens& args);
  void DoMovie(Tokens& args);
  void StopMovie();
  void CountEffortIfRead(std::string_view script);
  void StepDone() override;  // writes the rows of the recordings, tests a `wait until`
  void RunBuilt() override;  // a new run: steps count from 0, waits let steps go by again
  // Reads `wait until CONDITION [or CONDITION...] max N` after its `until`.
  void StartUntil(int line, Tokens& args);
  // True when a condition of the pending `wait until` holds now.
  bool UntilHolds();

  std::vector<Probe> ReadProbes(Tokens& args, bool forRecord);
  Probe ItemProbe(const MeasureItem& item, Tokens& args);
  Probe AntProbe(Tokens& args);
  Probe NamedProbe(std::string_view item);
  void Print(std::string_view line);

  std::ostream& out_;
  std::ostream& err_;
  ScriptOptions options_;
  std::unique_ptr<MainForm> ownForm_;  // Run: the session's own form
  MainForm* form_ = nullptr;
  std::function<void()> ended_;        // Perform: the form lives on

  std::vector<std::string_view> lines_;
  size_t next_ = 0;           // index of the next line to read
  int lastLine_ = 0;          // number of the last line read
  std::vector<int> performing_;  // lines whose actions are in progress, innermost last
  int64_t pendingWait_ = 0;   // passes still to go by before the next line is read
  int depth_ = 0;             // DoEvents calls in progress
  bool stopped_ = false;      // closed, ended or failed: no more lines are read
  bool failed_ = false;
  std::vector<std::unique_ptr<Recording>> recordings_;
  std::unique_ptr<MovieRecorder> movie_;  // from the first `movie` line on
  // Counts the colony's effort when the script reads it (antSteps, foodPerAntStep).
  std::unique_ptr<EffortCounter> effort_;
  std::unique_ptr<Until> until_;  // the `wait until` in progress
  int64_t stepsSinceStart_ = 0;   // model steps since the run was built
  bool runEnded_ = false;         // a `wait until` condition held: no wait lets a step go by
};

}  // namespace antraid
