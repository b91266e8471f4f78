#include "sim/user_actions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "sim/main_form.h"

namespace antraid {

std::string RoundTripSingle(float v) {
  if (!std::isfinite(v)) return FormatSingle(v);
  char buf[64];
  // The shortest text of the float; when ParseNumber's reading through a
  // double would land on a neighbour, the shortest text of the exact double.
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  std::string text(buf, r.ptr);
  const ParsedNumber back = ParseNumber(text);
  if (back.ok() && static_cast<float>(back.value) == v) return text;
  r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v));
  return std::string(buf, r.ptr);
}

namespace {
std::string Mouse(std::string_view kind, const UserAction& a) {
  std::string line = "mouse ";
  line += kind;
  line += ' ' + FormatInt(a.value) + ' ' + FormatInt(a.shift) + ' ' + RoundTripSingle(a.x) + ' ' +
          RoundTripSingle(a.y);
  return line;
}
}  // namespace

std::string UserAction::ScriptLine() const {
  const std::string name = control ? control->name() : std::string();
  switch (kind) {
    case Kind::kType:
      return "type " + name + " " + text;
    case Kind::kClick:
      return "click " + name;
    case Kind::kClickForm:
      return "click Form";
    case Kind::kScroll:
      return "scroll " + name + " " + FormatInt(value);
    case Kind::kDrag:
      return "drag " + name + " " + FormatInt(value);
    case Kind::kRelease:
      return "release " + name;
    case Kind::kMouseDown:
      return Mouse("down", *this);
    case Kind::kMouseMove:
      return Mouse("move", *this);
    case Kind::kMouseUp:
      return Mouse("up", *this);
    case Kind::kClose:
      return "close";
    case Kind::kSeed:
      return "seed " + std::to_string(static_cast<uint64_t>(value));
    case Kind::kStep:
      return "step";
    case Kind::kHalt:
      return "halt";
  }
  return {};
}

template <typename Run>
void UserActions::Perform(const UserAction& action, Run&& run) {
  for (ActionListener* l : listeners_) l->ActionStarting(action);
  run();
  for (ActionListener* l : listeners_) l->ActionDone(action);
}

void UserActions::Unsubscribe(ActionListener& listener) { std::erase(listeners_, &listener); }

void UserActions::Type(TextBox& box, std::string_view text) {
  if (!box.enabled()) return;
  UserAction a{.kind = UserAction::Kind::kType, .control = &box, .text = std::string(text)};
  Perform(a, [&] { box.SetText(text); });
}

void UserActions::Click(Button& button) {
  if (!button.enabled()) return;
  Perform({.kind = UserAction::Kind::kClick, .control = &button}, [&] { button.Click(); });
}

void UserActions::Click(CheckBox& box) {
  if (!box.enabled()) return;
  Perform({.kind = UserAction::Kind::kClick, .control = &box}, [&] { box.Click(); });
}

void UserActions::ClickForm() {
  Perform({.kind = UserAction::Kind::kClickForm}, [&] { form_.Form_Click(); });
}

void UserActions::Scroll(ScrollBar& bar, int value) {
  if (!bar.enabled()) return;
  Perform({.kind = UserAction::Kind::kScroll, .control = &bar, .value = value}, [&] { bar.SetValue(value); });
}

void UserActions::Drag(ScrollBar& bar, int value) {
  if (!bar.enabled()) return;
  dragStart_.try_emplace(&bar, bar.value());
  Perform({.kind = UserAction::Kind::kDrag, .control = &bar, .value = value}, [&] { bar.Drag(value); });
}

void UserActions::Release(ScrollBar& bar) {
  auto it = dragStart_.find(&bar);
  if (it == dragStart_.end()) return;  // no thumb held
  const int start = it->second;
  dragStart_.erase(it);
  Perform({.kind = UserAction::Kind::kRelease, .control = &bar}, [&] {
    if (bar.value() != start && bar.onChange) bar.onChange();
  });
}

void UserActions::MouseDown(int button, int shift, float x, float y) {
  Perform({.kind = UserAction::Kind::kMouseDown, .value = button, .shift = shift, .x = x, .y = y},
          [&] { form_.pctWorld_MouseDown(button, shift, x, y); });
}

void UserActions::MouseMove(int button, int shift, float x, float y) {
  Perform({.kind = UserAction::Kind::kMouseMove, .value = button, .shift = shift, .x = x, .y = y},
          [&] { form_.pctWorld_MouseMove(button, shift, x, y); });
}

void UserActions::MouseUp(int button, int shift, float x, float y) {
  Perform({.kind = UserAction::Kind::kMouseUp, .value = button, .shift = shift, .x = x, .y = y},
          [&] { form_.pctWorld_MouseUp(button, shift, x, y); });
}

void UserActions::Close() {
  if (form_.unloaded) return;
  Perform({.kind = UserAction::Kind::kClose}, [&] { form_.Form_Unload(); });
}

void UserActions::Seed(uint64_t seed) {
  Perform({.kind = UserAction::Kind::kSeed, .value = static_cast<int64_t>(seed)},
          [&] { form_.SetSeedForNextRun(seed); });
}

void UserActions::Step() {
  if (!form_.CanStep()) return;
  Perform({.kind = UserAction::Kind::kStep}, [&] { form_.Step(); });
}

void UserActions::Halt() {
  if (form_.unloaded || !form_.run.programStarted) return;
  Perform({.kind = UserAction::Kind::kHalt}, [&] { form_.Halt(); });
}

void UserActions::Answered(bool yes) {
  for (ActionListener* l : listeners_) l->Answered(yes);
}

}  // namespace antraid
