// Session recording: every user action on the main form and the
// event-processing passes between them, written as an antraid-script that
// replays the session.
//
// The recorder hears the form's user actions (MainForm::actions: the window's
// widgets, parameter files) and, from the host, the start and end of every
// event-processing pass. It writes each action as its script line, in order,
// an `answer Yes|No` line before the action that opened a Yes/No box, and
// after each pass a wait, so that antraid-script reads every action in the
// same pass as the window performed it: one `wait 1` per pass that ends,
// consecutive waits added up (`wait N` ends the pass that reads it and lets
// N - 1 more go by; an action that returns while a wait is pending counts as
// one of them, which is the pass of that action ending). Passes are counted,
// never timed, so the replay is the same whatever speed the window ran at.
//
// Contract: a session whose random source was fixed (`--seed N` on the
// window, set before Form_Load, or a `seed N` action before a run was built)
// replays exactly with `antraid-script --seed N FILE`: the same fields,
// captions and canvas pixels at every pass. Runs built while the clock seeded
// the random source cannot be replayed exactly; the header says from which
// line on the replay is exact (the line whose action built the first run
// from a fixed seed after them: read-outs that run has not yet rewritten may
// still differ), or that it is not. Frames saved to disk replay exactly only
// where the replay can write them as the window did (same program folder,
// room on the disk).
//
// What cannot be a script line makes the replay inexact from there on, and
// the header says so: a typed text holding a line break (written with a
// blank instead; the window keeps line breaks out of its line edits with
// OneLine, so that this does not happen), mouse coordinates that are not
// finite numbers (written as a comment), an action performed inside another
// action's handler outside any pass, an answer to a box no action opened,
// and passes nested deeper than antraid-script goes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/form_observer.h"
#include "sim/user_actions.h"

namespace antraid {

class MainForm;

class SessionRecorder final : private ActionListener, private FormObserver {
 public:
  // Listens to the form from now on: create it with the form, before the
  // first user action. startSeed: the seed the form's random source was
  // fixed to before Form_Load (the window's --seed), if any.
  SessionRecorder(MainForm& form, std::optional<uint64_t> startSeed);
  ~SessionRecorder();
  SessionRecorder(const SessionRecorder&) = delete;
  SessionRecorder& operator=(const SessionRecorder&) = delete;

  // The host calls PassBegins at the start and PassEnds at the end of every
  // call of Host::DoEvents (one event-processing pass, however long the host
  // waits in it and whatever it does), and at no other time. Passes of the
  // host outside any user action (none in the window) are not counted.
  void PassBegins();
  void PassEnds();

  // The session so far as a script: the header comments (program version,
  // seed, program folder, from which line the replay is exact), the actions
  // with the waits between them, and `close` last, also in the middle of a
  // session (the replay then closes where the session stands now).
  std::string Script() const;
  // True once any action has been recorded.
  bool HasActions() const { return !lines_.empty(); }
  // Writes Script() to path; false when the file cannot be written.
  bool Save(const std::string& path) const;

  // Passes nested deeper than this are beyond the script runner's reach.
  static constexpr int kMaxReplayDepth = 200;
  // Header comment lines: the first action is on the line after them.
  static constexpr int kHeaderLines = 4;

 private:
  struct OpenAction {
    size_t line;     // index of its line
    int passes = 0;  // its passes in progress
  };

  void ActionStarting(const UserAction& action) override;
  void ActionDone(const UserAction& action) override;
  void Answered(bool yes) override;
  void RunBuilt() override;

  void WritePendingWait();
  void Lose(size_t line, std::string reason);
  std::string Header() const;

  MainForm& form_;
  const std::optional<uint64_t> startSeed_;
  const std::string appPath_;
  std::vector<std::string> lines_;  // the script after the header
  int64_t pendingWait_ = 0;         // passes ended since the last line
  std::vector<OpenAction> open_;    // actions in progress, innermost last
  std::vector<int> passes_;         // passes in progress: index into open_ of their action, or -1
  bool closed_ = false;             // the window closed: nothing more is recorded

  // Exactness of the replay.
  enum class Replay { kExact, kClockRun, kLost };
  Replay replay_ = Replay::kExact;
  size_t exactFrom_ = 0;  // index of the first line replayed exactly
  size_t lostAt_ = 0;     // index of the line that made it inexact
  std::string lostWhy_;
};

}  // namespace antraid
