#include "app/session_recorder.h"

#include <cmath>
#include <fstream>

#include "sim/main_form.h"
#include "app/script_line.h"
#include "common/version.h"

namespace antraid {

SessionRecorder::SessionRecorder(MainForm& form, std::optional<uint64_t> startSeed)
    : form_(form), startSeed_(startSeed), appPath_(form.host.AppPath()) {
  form_.actions.Subscribe(*this);
  form_.Subscribe(*this);
}

SessionRecorder::~SessionRecorder() {
  form_.actions.Unsubscribe(*this);
  form_.Unsubscribe(*this);
}

void SessionRecorder::PassBegins() {
  if (closed_) return;
  const int owner = open_.empty() ? -1 : static_cast<int>(open_.size()) - 1;
  if (owner >= 0) ++open_.back().passes;
  passes_.push_back(owner);
  if (static_cast<int>(passes_.size()) > kMaxReplayDepth && !lines_.empty())
    Lose(lines_.size() - 1, "runs passes nested more than " + FormatInt(kMaxReplayDepth) +
                                " deep, deeper than antraid-script goes");
}

void SessionRecorder::PassEnds() {
  if (closed_ || passes_.empty()) return;
  const int owner = passes_.back();
  passes_.pop_back();
  if (owner < 0 || owner >= static_cast<int>(open_.size())) return;
  --open_[static_cast<size_t>(owner)].passes;
  ++pendingWait_;
}

void SessionRecorder::WritePendingWait() {
  if (pendingWait_ == 0) return;
  lines_.push_back("wait " + FormatInt(pendingWait_));
  pendingWait_ = 0;
}

void SessionRecorder::ActionStarting(const UserAction& action) {
  if (closed_) return;
  WritePendingWait();
  const size_t index = lines_.size();
  std::string line = action.ScriptLine();
  if (action.kind == UserAction::Kind::kType && HasLineBreak(action.text)) {
    line = "type " + action.control->name() + " " + OneLine(action.text);
    Lose(index, "typed a text with a line break, written here with a blank");
  }
  const bool mouse = action.kind == UserAction::Kind::kMouseDown || action.kind == UserAction::Kind::kMouseMove ||
                     action.kind == UserAction::Kind::kMouseUp;
  if (mouse && !(std::isfinite(action.x) && std::isfinite(action.y))) {
    line = "# " + line + " (no script line can repeat it)";
    Lose(index, "was a mouse event at coordinates that are not numbers");
  }
  if (!open_.empty() && open_.back().passes == 0)
    Lose(index, "was an action inside another action's handler, outside any event-processing pass");
  lines_.push_back(std::move(line));
  open_.push_back({index});
  if (action.kind == UserAction::Kind::kClose) closed_ = true;
}

void SessionRecorder::ActionDone(const UserAction&) {
  if (closed_ || open_.empty()) return;
  open_.pop_back();
}

void SessionRecorder::Answered(bool yes) {
  if (closed_) return;
  std::string line = yes ? "answer Yes" : "answer No";
  // The answer is read at the last point where the replay read a line
  // before the box opened: before the line read last.
  if (pendingWait_ > 0 || lines_.empty()) {
    lines_.push_back(std::move(line));
  } else {
    const size_t last = lines_.size() - 1;
    lines_.insert(lines_.end() - 1, std::move(line));
    for (OpenAction& a : open_)
      if (a.line == last) ++a.line;
    if (exactFrom_ != 0 && exactFrom_ == last) ++exactFrom_;  // exactFrom_ == 0 stands for the whole session
  }
  if (open_.empty()) Lose(lines_.size() - 1, "answered a box that no recorded action opened");
}

void SessionRecorder::RunBuilt() {
  if (closed_) return;
  const size_t line = open_.empty() ? lines_.size() : open_.back().line;
  if (!form_.rng.fixed()) {
    if (replay_ == Replay::kExact) replay_ = Replay::kClockRun;
  } else if (replay_ == Replay::kClockRun) {
    replay_ = Replay::kExact;
    exactFrom_ = line;
  }
}

void SessionRecorder::Lose(size_t line, std::string reason) {
  if (replay_ == Replay::kLost) return;
  replay_ = Replay::kLost;
  lostAt_ = line;
  lostWhy_ = std::move(reason);
}

std::string SessionRecorder::Header() const {
  auto number = [](size_t index) { return FormatInt(static_cast<long long>(index) + kHeaderLines + 1); };
  std::string h = "# antraid ";
  h += kVersion;
  h += " session, recorded by the window\n";
  if (startSeed_) {
    const std::string seed = std::to_string(*startSeed_);
    h += "# Seed " + seed + ", fixed at start-up: replay with antraid-script --seed " + seed + " FILE\n";
  } else {
    h += "# No seed fixed at start-up: the clock seeded the random source until a seed line fixed it\n";
  }
  h += "# Program folder " + OneLine(appPath_) + " (antraid-script --app-path gives the same file paths)\n";
  switch (replay_) {
    case Replay::kExact:
      h += "# The replay is exact from line " + number(exactFrom_) + " on\n";
      break;
    case Replay::kClockRun:
      h += "# The replay is not exact: runs were built while the clock seeded the random source\n";
      break;
    case Replay::kLost:
      h += "# The replay is not exact from line " + number(lostAt_) + " on: that line " + lostWhy_ + "\n";
      break;
  }
  return h;
}

std::string SessionRecorder::Script() const {
  std::string s = Header();
  for (const std::string& line : lines_) {
    s += line;
    s += '\n';
  }
  if (!closed_) {
    if (pendingWait_ > 0) s += "wait " + FormatInt(pendingWait_) + "\n";
    s += "close\n";
  }
  return s;
}

bool SessionRecorder::Save(const std::string& path) const {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << Script();
  file.close();
  return static_cast<bool>(file);
}

}  // namespace antraid
