// The words of a script line, the checks on them and the read-out items,
// shared by the script runner's actions and its print, record and set.
#pragma once

#include <cmath>
#include <fstream>
#include <functional>
#include <vector>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/condition.h"
#include "app/script_line.h"
#include "common/controls.h"
#include "common/numbers.h"
#include "platform/headless/script_runner.h"

namespace antraid::script {

// A script error: reported with the line number, then the session stops.
struct ScriptError {
  std::string message;
};

[[noreturn]] inline void Throw(std::string message) { throw ScriptError{std::move(message)}; }

// A script's word as it may be shown in a message.
inline std::string Shown(std::string_view word) { return ShownInMessage(word); }

// A whole number within lo..hi.
inline int64_t Whole(std::string_view word, int64_t lo, int64_t hi) {
  ParsedNumber n = ParseNumber(word);
  if (!n.ok() || n.value != std::trunc(n.value)) Throw("malformed number " + Shown(word) + " (a whole number is needed)");
  if (n.value < static_cast<double>(lo) || n.value > static_cast<double>(hi))
    Throw("number " + Shown(word) + " out of range (" + FormatInt(lo) + " to " + FormatInt(hi) + ")");
  return static_cast<int64_t>(n.value);
}

// A real that fits a 32-bit float.
inline float Single(std::string_view word) {
  ParsedNumber n = ParseNumber(word);
  if (!n.ok()) Throw("malformed number " + Shown(word));
  const float f = static_cast<float>(n.value);
  if (!std::isfinite(f)) Throw("number " + Shown(word) + " out of range");
  return f;
}

inline bool Boolean(std::string_view word) {
  if (word == "True" || word == "1") return true;
  if (word == "False" || word == "0") return false;
  Throw("malformed truth value " + Shown(word) + " (True or False)");
}

inline const char* KindOf(const Control* c) {
  if (dynamic_cast<const TextBox*>(c)) return "a text box";
  if (dynamic_cast<const Button*>(c)) return "a button";
  if (dynamic_cast<const Label*>(c)) return "a label";
  if (dynamic_cast<const CheckBox*>(c)) return "a check box";
  if (dynamic_cast<const ScrollBar*>(c)) return "a scroll bar";
  return "a control";
}


}  // namespace antraid::script

namespace antraid {

// The words of one line after the action, with the checks that stop a
// script at a missing or surplus word.
class ScriptRunner::Tokens : public LineWords {
 public:
  using LineWords::LineWords;

  std::string_view Need(std::string_view what) {
    auto w = Next();
    if (!w) script::Throw("missing " + std::string(what));
    return *w;
  }
  void End() {
    if (auto w = Next()) script::Throw("unexpected " + script::Shown(*w) + " at the end of the line");
  }
};

// A value the script can print or record. read() throws a ScriptError when
// the value cannot be had (an ant or patch that no longer exists).
struct ScriptRunner::Probe {
  std::string label;
  std::string column;  // the item's column in a CSV file: pherGrid_1_595
  std::function<std::string()> read;
  bool wholeLine = false;  // read() gives the whole printed line (`ant N`)
};

// A `wait until` in progress: it ends after the first step at whose end a
// condition holds, or after `max` steps.
struct ScriptRunner::Until {
  int line = 0;
  int64_t max = 0, steps = 0;
  std::vector<Condition> conditions;
  std::vector<std::vector<Probe>> probes;  // per condition and comparison; no read(): `step`
  bool done = false;
  std::string held;  // the condition that held, or empty
};

struct ScriptRunner::Recording {
  int line = 0;
  int64_t every = 1;
  int64_t steps = 0;
  std::string file;
  std::ofstream stream;
  std::vector<Probe> probes;
};

}  // namespace antraid
