// Plays a sequence of user actions, decoded from arbitrary bytes, on a
// headless main form, and checks after every action the state the program
// must never reach. The action fuzzer and its regression test share it.
//
// Input: one action per line. The first byte of a line names the action, the
// rest of the line holds its arguments separated by single blanks. A line
// whose action is unknown, or whose arguments do not fit it, does nothing.
//
//   t NAME TEXT     types TEXT into the text box NAME, the whole text at once
//   k NAME TEXT     types TEXT after the text in the box, one key at a time
//   b NAME N        N backspaces in the text box NAME (0..64)
//   c NAME          clicks the button NAME
//   x NAME          clicks the check box NAME
//   v NAME N        sets the scroll bar NAME to N
//   d NAME N        drags the thumb of the scroll bar NAME to N
//   m E B S X Y     mouse event E (d press, m move, u release) with button B
//                   and modifier mask S at world position X, Y (any float,
//                   "nan" and "inf" included)
//   p E B S PX PY   the same at canvas pixel PX, PY, converted as the window
//                   converts it
//   y, n            the next Yes/No box will be answered Yes, No
//   w N             ends the event-processing pass; N - 1 further passes
//                   (model steps, in a run) go by without an action (N 1..8)
//   f               a click on the window background
//   h               the help window is closed
//   q               the main window is closed; the session ends
//
// NAME is a control's name; any other word picks a control of that kind by
// its hash, so every input means something. Like the window, the player
// types only into enabled boxes that have an edit rule.
//
// Actions are performed from inside the form's event processing, as a
// user's would be: a click that enters the run loop reads the lines that
// follow from inside that loop. When the input ends inside a run loop the
// main window is closed.
//
// Limits that keep one input cheap (each is a limit of the player, not of
// the program): at most kMaxSteps model steps, kMaxDepth nested event passes,
// kMaxActions actions and kMaxCpuSeconds of processor time per input (a
// thousand clicks on Plot Pher. are slow, not wrong), after which the window
// is closed; world sizes above
// kMaxWorldM metres are not typed (the largest worlds have tests of their
// own); save folders that begin with a separator or contain ".." are not
// typed, so that frames land under the current folder only.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "sim/main_form.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/invariants.h"

namespace antraid::fuzzing {

inline constexpr int kMaxSteps = 300;
inline constexpr int kMaxDepth = 40;
inline constexpr int kMaxActions = 1000;
inline constexpr double kMaxCpuSeconds = 3.0;
inline constexpr double kMaxWorldM = 12.0;

// Makes a folder the current one while it lives, so that the frames and
// folders the actions ask for land there.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& folder) : back_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~InFolder() {
    std::error_code ec;
    std::filesystem::current_path(back_, ec);
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::filesystem::path back_;
};

// One session: a fresh form on a headless host, the actions of one input, the
// invariants after each of them.
class ActionPlayer {
 public:
  explicit ActionPlayer(std::string_view input, uint64_t seed = 1) : input_(input) {
    form_.rng.SetFixedSeed(seed);
    host_.onDoEvents = [this] { Pass(); };
  }
  ActionPlayer(const ActionPlayer&) = delete;
  ActionPlayer& operator=(const ActionPlayer&) = delete;

  // Loads the form and performs the input. Returns the first broken
  // invariant with the line that led to it, or an empty text.
  std::string Play() {
    started_ = std::clock();
    form_.Form_Load();
    Check("load");
    while (!Stopped() && pos_ < input_.size()) PerformLine();
    Check("end");
    return failure_;
  }

  MainForm& form() { return form_; }
  HeadlessHost& host() { return host_; }
  int64_t actions() const { return actions_; }
  int64_t steps() const { return steps_; }

 private:
  bool Stopped() const { return form_.unloaded || !failure_.empty(); }

  void Check(std::string_view after) {
    if (!failure_.empty()) return;
    std::string problem = CheckInvariants(form_);
    if (problem.empty()) return;
    failure_ = "after " + std::string(after) + ": " + problem;
    form_.Form_Unload();  // every loop returns at once
  }

  bool OutOfTime() const {
    return static_cast<double>(std::clock() - started_) > kMaxCpuSeconds * CLOCKS_PER_SEC;
  }

  void Close() {
    if (!form_.unloaded) form_.Form_Unload();
  }

  // One event-processing pass of the program.
  void Pass() {
    if (Stopped()) return;
    ++depth_;
    Check("model step " + std::to_string(steps_));
    if (steps_ >= kMaxSteps || depth_ > kMaxDepth || OutOfTime()) Close();
    if (waiting_ > 0) {
      --waiting_;
    } else {
      passEnded_ = false;
      while (!Stopped() && !passEnded_ && pos_ < input_.size()) PerformLine();
      if (!passEnded_ && pos_ >= input_.size()) Close();  // input exhausted inside a run loop
    }
    --depth_;
  }

  void PerformLine() {
    const size_t end = std::min(input_.find('\n', pos_), input_.size());
    const std::string_view line = input_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++lineNumber_;
    if (line.empty()) return;
    if (++actions_ > kMaxActions || OutOfTime()) {
      --actions_;
      Close();
      return;
    }
    Perform(line);
    Check("line " + std::to_string(lineNumber_) + " \"" + std::string(line.substr(0, 60)) + "\"");
  }

  // Splits off the next blank-separated word.
  static std::string_view Word(std::string_view& rest) {
    const size_t blank = rest.find(' ');
    std::string_view w = rest.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1);
    return w;
  }
  static bool Int(std::string_view w, long long lo, long long hi, long long& out) {
    ParsedNumber n = ParseNumber(w);
    if (!n.ok() || !(n.value >= static_cast<double>(lo)) || !(n.value <= static_cast<double>(hi))) return false;
    out = static_cast<long long>(n.value);
    return true;
  }
  static bool Float(std::string_view w, float& out) {
    if (w.empty() || w.size() > 64) return false;
    std::string s(w);
    char* end = nullptr;
    out = std::strtof(s.c_str(), &end);
    return end == s.c_str() + s.size();
  }

  template <typename T>
  T* Pick(std::string_view name) {
    std::vector<T*> all;
    for (Control* c : form_.panel.all())
      if (T* t = dynamic_cast<T*>(c)) all.push_back(t);
    for (T* t : all)
      if (t->name() == name) return t;
    if (all.empty()) return nullptr;
    uint32_t h = 2166136261u;
    for (char ch : name) h = (h ^ static_cast<unsigned char>(ch)) * 16777619u;
    return all[h % all.size()];
  }

  // Whether the user may put this text into the box (limits of the player).
  bool MayType(const TextBox& box, std::string_view text) const {
    const Panel& p = form_.panel;
    if (&box == &p.txtWorldXinM || &box == &p.txtWorldYinM) {
      ParsedNumber n = ParseNumber(text);
      if (n.ok() && n.value > kMaxWorldM + 0.5) return false;
    }
    if (&box == &p.txtSaveFilePath) {
      std::string native = NativePath(text);
      if (!native.empty() && native.front() == '/') return false;
      if (native.find("..") != std::string::npos) return false;
    }
    return true;
  }

  TextBox* TypableBox(std::string_view name) {
    TextBox* box = Pick<TextBox>(name);
    if (box == nullptr || !box->enabled() || !box->onChange) return nullptr;
    return box;
  }

  void Perform(std::string_view line) {
    const char op = line[0];
    std::string_view rest = line.size() > 2 ? line.substr(2) : std::string_view{};
    long long n = 0;
    switch (op) {
      case 't': {
        TextBox* box = TypableBox(Word(rest));
        if (box && MayType(*box, rest)) box->SetText(rest);
        break;
      }
      case 'k':
      case 'b': {  // key by key: each character of the rest, or n backspaces
        TextBox* box = TypableBox(Word(rest));
        if (!box || (op == 'b' && !Int(rest, 0, 64, n))) break;
        const size_t keys = op == 'k' ? rest.size() : static_cast<size_t>(n);
        for (size_t i = 0; i < keys && !Stopped() && box->enabled(); ++i) {
          const std::string& now = box->text();
          if (op == 'b' && now.empty()) break;
          const std::string next = op == 'k' ? now + rest[i] : now.substr(0, now.size() - 1);
          if (!MayType(*box, next)) break;
          box->SetText(next);
        }
        break;
      }
      case 'c':
        if (Button* b = Pick<Button>(Word(rest))) b->Click();
        break;
      case 'x':
        if (CheckBox* b = Pick<CheckBox>(Word(rest))) b->Click();
        break;
      case 'v':
      case 'd': {
        ScrollBar* bar = Pick<ScrollBar>(Word(rest));
        if (!bar || !bar->enabled() || !Int(rest, -1000000, 1000000, n)) break;
        if (op == 'v')
          bar->SetValue(static_cast<int>(n));
        else
          bar->Drag(static_cast<int>(n));
        break;
      }
      case 'm':
      case 'p': {
        const std::string_view e = Word(rest);
        long long button = 0, shift = 0;
        float x = 0, y = 0;
        if (e.size() != 1 || !Int(Word(rest), 0, 7, button) || !Int(Word(rest), 0, 7, shift)) break;
        if (!Float(Word(rest), x) || !Float(Word(rest), y)) break;
        if (op == 'p') {
          if (!(std::fabs(x) <= 10000) || !(std::fabs(y) <= 10000)) break;
          x = form_.pctWorld.ToWorldX(x);
          y = form_.pctWorld.ToWorldY(y);
        }
        const int b = static_cast<int>(button), k = static_cast<int>(shift);
        if (e[0] == 'd') form_.pctWorld_MouseDown(b, k, x, y);
        if (e[0] == 'm') form_.pctWorld_MouseMove(b, k, x, y);
        if (e[0] == 'u') form_.pctWorld_MouseUp(b, k, x, y);
        break;
      }
      case 'y':
      case 'n':
        host_.answers.push_back(op == 'y');
        break;
      case 'w':
        if (!Int(rest, 1, 8, n)) n = 1;
        waiting_ = static_cast<int>(n) - 1;
        passEnded_ = true;
        break;
      case 'f':
        form_.Form_Click();
        break;
      case 'h':
        form_.frmHelpScreen_Closed();
        break;
      case 'q':
        Close();
        break;
      default:
        --actions_;  // not an action
        break;
    }
  }

  std::string_view input_;
  HeadlessHost host_;
  MainForm form_{host_};
  StepListener stepCounter_{form_, [this] { ++steps_; }};
  size_t pos_ = 0;
  int lineNumber_ = 0;
  int64_t actions_ = 0;
  int64_t steps_ = 0;
  int depth_ = 0;
  int waiting_ = 0;
  std::clock_t started_ = 0;
  bool passEnded_ = false;
  std::string failure_;
};

}  // namespace antraid::fuzzing
