// The script runner's reading of lines, its passes and the user's actions.
#include "platform/headless/script_runner.h"

#include <charconv>
#include <ostream>
#include <utility>

#include "sim/main_form.h"
#include "app/measure_items.h"
#include "app/movie_recorder.h"
#include "platform/headless/script_words.h"

namespace antraid {

using namespace script;  // the words every script line is read with

ScriptRunner::ScriptRunner(std::ostream& out, std::ostream& err, ScriptOptions options)
    : out_(out), err_(err), options_(std::move(options)) {
  appPath = options_.appPath;
}

ScriptRunner::~ScriptRunner() {
  movie_.reset();
  if (form_ && !ownForm_) form_->Unsubscribe(*this);
}

int ScriptRunner::Run(std::string_view script) {
  lines_ = SplitLines(script);
  ownForm_ = std::make_unique<MainForm>(*this);
  form_ = ownForm_.get();
  form_->pctWorld.SetRasterOn(options_.picture);
  if (options_.seed) form_->rng.SetFixedSeed(*options_.seed);
  CountEffortIfRead(script);
  form_->Subscribe(*this);
  form_->Form_Load();
  Pass(false);
  StopMovie();  // the end of the script finishes the movie
  for (auto& r : recordings_) r->stream.close();
  effort_.reset();  // before the form it listens to
  out_.flush();
  return failed_ ? 2 : 0;
}

void ScriptRunner::CountEffortIfRead(std::string_view script) {
  // The effort costs a walk over the ants every step: counted only for
  // scripts that read it. It hears each step before the recordings do.
  if (script.find("antSteps") != std::string_view::npos || script.find("foodPerAntStep") != std::string_view::npos)
    effort_ = std::make_unique<EffortCounter>(*form_);
}

void ScriptRunner::Perform(MainForm& form, std::string_view script, std::function<void()> ended) {
  lines_ = SplitLines(script);
  form_ = &form;
  ended_ = std::move(ended);
  CountEffortIfRead(script);
  form_->Subscribe(*this);
  Pass(false);
}

std::optional<bool> ScriptRunner::TakeAnswer(std::string_view text) {
  if (stopped_ || answers.empty()) return std::nullopt;
  Print("msgbox: " + std::string(text));
  const bool a = answers.front();
  answers.pop_front();
  return a;
}

void ScriptRunner::DoEvents() {
  ++passes;
  if (stopped_ || !form_) return;
  if (until_) {
    if (!until_->done) return;
    // A condition held: the run is over for the script.
    if (!until_->held.empty()) {
      Print("stopped at step " + FormatInt(stepsSinceStart_) + ": " + until_->held);
      runEnded_ = true;
    }
    until_.reset();
  }
  if (pendingWait_ > 0) {
    --pendingWait_;
    return;
  }
  if (depth_ >= kMaxDepth) {
    Fail(CurrentLine(), "run loops nested more than " + FormatInt(kMaxDepth) +
                            " deep (each click that resumes or restarts a run inside a run nests one)");
    return;
  }
  ++depth_;
  Pass(true);
  --depth_;
}

void ScriptRunner::Pass(bool inRunLoop) {
  while (!stopped_) {
    if (!ownForm_ && form_->unloaded) {  // the window performing the script has closed
      Close();
      return;
    }
    if (next_ >= lines_.size()) {
      Close();
      return;
    }
    const int number = static_cast<int>(next_) + 1;
    if (options_.beforeLine && !options_.beforeLine(number)) {
      Close();
      return;
    }
    const std::string_view text = lines_[next_++];
    lastLine_ = number;
    Tokens words(text);
    const auto action = words.Next();
    if (!action || action->front() == '#') continue;

    if (*action == "wait") {
      int64_t n = 0;
      try {
        const std::string_view what = words.Need("number of passes");
        if (what == "until") {
          StartUntil(number, words);
          if (inRunLoop && !runEnded_) return;  // steps go by until a condition holds
          until_.reset();
          continue;
        }
        n = Whole(what, 0, INT64_C(1000000000000000));
        words.End();
      } catch (const ScriptError& e) {
        Fail(number, e.message);
        return;
      }
      // No run loop, or a run a condition ended: no pass will go by.
      if (!inRunLoop || n == 0 || runEnded_) continue;
      pendingWait_ = n - 1;
      return;  // this pass is the first of the n
    }

    performing_.push_back(number);
    Perform(number, *action, words);
    performing_.pop_back();
    if (stopped_) return;
    if (!inRunLoop) {
      pendingWait_ = 0;  // the run that was to go on has stopped
      until_.reset();
    } else if (pendingWait_ > 0) {
      --pendingWait_;  // the action's return ends this pass
      return;
    }
  }
}

void ScriptRunner::Perform(int line, std::string_view action, Tokens& args) {
  try {
    if (action == "type") DoType(args);
    else if (action == "keys") DoKeys(args);
    else if (action == "click") DoClick(args);
    else if (action == "scroll") DoScroll(args, false);
    else if (action == "drag") DoScroll(args, true);
    else if (action == "release") DoRelease(args);
    else if (action == "seed") DoSeed(args);
    else if (action == "mouse") DoMouse(args);
    else if (action == "answer") DoAnswer(args);
    else if (action == "print") DoPrint(args);
    else if (action == "set") DoSet(args);
    else if (action == "pixel") DoPixel(args);
    else if (action == "snapshot") DoSnapshot(args);
    else if (action == "picture") DoPicture(args);
    else if (action == "record") DoRecord(line, args);
    else if (action == "movie") DoMovie(args);
    else if (action == "step") {
      args.End();
      form_->actions.Step();
    } else if (action == "halt") {
      args.End();
      form_->actions.Halt();
    }
    else if (action == "close") {
      args.End();
      if (ownForm_) form_->actions.Close();
      Close();
    } else {
      Throw("unknown action " + Shown(action));
    }
  } catch (const ScriptError& e) {
    Fail(line, e.message);
  }
}

void ScriptRunner::Fail(int line, std::string_view message) {
  if (stopped_) return;  // the session has ended: nothing more to report
  out_.flush();
  err_ << "antraid-script: line " << line << ": " << message << '\n';
  err_.flush();
  failed_ = true;
  Close();
}

void ScriptRunner::Close() {
  if (stopped_) return;
  stopped_ = true;
  StopMovie();
  // Every run loop returns at once; nothing more is read.
  if (!ownForm_) {
    if (ended_) ended_();
  } else if (form_ && !form_->unloaded) {
    form_->Form_Unload();
  }
}

void ScriptRunner::Print(std::string_view line) {
  out_ << line << '\n';
  out_.flush();
}

bool ScriptRunner::AskYesNo(std::string_view text) {
  ++questions;
  lastQuestion.assign(text);
  if (stopped_) return false;
  Print("msgbox: " + std::string(text));
  if (answers.empty()) {
    Fail(CurrentLine(), "a Yes/No box opened with no answer queued (add `answer Yes` or `answer No` before the action)");
    return false;
  }
  const bool a = answers.front();
  answers.pop_front();
  form_->actions.Answered(a);
  return a;
}

void ScriptRunner::Beep() {
  ++beeps;
  if (!stopped_) Print("beep");
}

// ---- User actions --------------------------------------------------------------

TextBox* ScriptRunner::NeedTextBox(Tokens& args) {
  const std::string_view name = args.Need("text box name");
  TextBox* box = form_->panel.FindTextBox(name);
  if (!box) {
    if (Control* c = form_->panel.Find(name)) Throw(std::string(name) + " is " + KindOf(c) + ", not a text box");
    Throw("unknown control " + Shown(name));
  }
  return box;
}

void ScriptRunner::DoType(Tokens& args) {
  TextBox* box = NeedTextBox(args);
  const std::string text(args.RestOfLine());
  form_->actions.Type(*box, text);
}

void ScriptRunner::DoKeys(Tokens& args) {
  TextBox* box = NeedTextBox(args);
  const std::string text(args.RestOfLine());
  if (text.size() > kMaxKeys)
    Throw("keys types at most " + FormatInt(static_cast<long long>(kMaxKeys)) + " characters; use type for longer texts");
  // The first key replaces the selected text; each later key adds one. A key
  // may open a box or start a run, which reads the lines that follow.
  for (size_t n = 1; n <= text.size() && !stopped_; ++n) {
    if (!box->enabled()) break;
    form_->actions.Type(*box, std::string_view(text).substr(0, n));
  }
}

void ScriptRunner::DoClick(Tokens& args) {
  const std::string_view name = args.Need("control name");
  args.End();
  if (name == "Form") {
    form_->actions.ClickForm();
    return;
  }
  Control* c = form_->panel.Find(name);
  if (!c) Throw("unknown control " + Shown(name));
  if (auto* b = dynamic_cast<Button*>(c)) {
    form_->actions.Click(*b);
  } else if (auto* k = dynamic_cast<CheckBox*>(c)) {
    form_->actions.Click(*k);
  } else {
    Throw(std::string(name) + " is " + KindOf(c) + "; click needs a button, a check box or Form");
  }
}

ScrollBar& ScriptRunner::NeedScrollBar(Tokens& args) {
  const std::string_view name = args.Need("scroll bar name");
  ScrollBar* bar = form_->panel.FindScrollBar(name);
  if (!bar) {
    if (Control* c = form_->panel.Find(name)) Throw(std::string(name) + " is " + KindOf(c) + ", not a scroll bar");
    Throw("unknown control " + Shown(name));
  }
  return *bar;
}

void ScriptRunner::DoScroll(Tokens& args, bool drag) {
  ScrollBar& bar = NeedScrollBar(args);
  const int v = static_cast<int>(Whole(args.Need("value"), INT32_MIN, INT32_MAX));
  args.End();
  // The bar stops at its ends.
  if (drag)
    form_->actions.Drag(bar, v);
  else
    form_->actions.Scroll(bar, v);
}

void ScriptRunner::DoRelease(Tokens& args) {
  ScrollBar& bar = NeedScrollBar(args);
  args.End();
  form_->actions.Release(bar);
}

void ScriptRunner::DoSeed(Tokens& args) {
  const std::string_view word = args.Need("seed");
  args.End();
  uint64_t seed = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), seed);
  if (ec != std::errc() || end != word.data() + word.size())
    Throw("malformed seed " + Shown(word) + " (a whole number from 0 to 18446744073709551615)");
  form_->actions.Seed(seed);
}

void ScriptRunner::DoMouse(Tokens& args) {
  const std::string_view kind = args.Need("down, move or up");
  if (kind != "down" && kind != "move" && kind != "up") Throw("mouse needs down, move or up, not " + Shown(kind));
  const int button = static_cast<int>(Whole(args.Need("button"), INT16_MIN, INT16_MAX));
  const int shift = static_cast<int>(Whole(args.Need("shift mask"), INT16_MIN, INT16_MAX));
  const float x = Single(args.Need("x"));
  const float y = Single(args.Need("y"));
  args.End();
  if (kind == "down")
    form_->actions.MouseDown(button, shift, x, y);
  else if (kind == "move")
    form_->actions.MouseMove(button, shift, x, y);
  else
    form_->actions.MouseUp(button, shift, x, y);
}

void ScriptRunner::DoAnswer(Tokens& args) {
  const std::string_view a = args.Need("Yes or No");
  args.End();
  if (a == "Yes")
    answers.push_back(true);
  else if (a == "No")
    answers.push_back(false);
  else
    Throw("answer needs Yes or No, not " + Shown(a));
}

}  // namespace antraid
