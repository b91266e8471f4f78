#include "experiments/setting_check.h"

#include "sim/main_form.h"
#include "common/numbers.h"
#include "app/box_fields.h"

namespace antraid::experiments {

namespace {

// The control's text (text box) or value (scroll bar, check box).
std::string ControlState(MainForm& f, const Setting& s) {
  switch (s.kind) {
    case ControlKind::TextBox:
      return f.panel.FindTextBox(s.control)->text();
    case ControlKind::ScrollBar:
      return FormatInt(f.panel.FindScrollBar(s.control)->value());
    case ControlKind::CheckBox:
      return FormatInt(f.panel.FindCheckBox(s.control)->value());
  }
  return {};
}

std::string Named(const Setting& s) { return s.control + " = \"" + s.value + "\""; }

}  // namespace

SettingCheck::SettingCheck(const std::vector<Setting>& settings, const RunScript& script)
    : settings_(settings), script_(script) {}

bool SettingCheck::BeforeLine(MainForm& form, int line) {
  if (!subscribed_) {
    form.Subscribe(*this);
    subscribed_ = true;
  }
  if (pending_ >= 0) {
    failure_ = Refusal(form, settings_[static_cast<size_t>(pending_)]);
    pending_ = -1;
  } else if (line == script_.startLine + 1) {
    failure_ = CheckStart(form);
  }
  if (!failure_.empty()) return false;
  for (size_t i = 0; i < script_.settingLines.size(); ++i) {
    if (script_.settingLines[i] != line) continue;
    pending_ = static_cast<int>(i);
    Snapshot(form, settings_[i]);
  }
  if (line == script_.startLine) messages_.clear();
  return true;
}

void SettingCheck::Snapshot(MainForm& form, const Setting& s) {
  messages_.clear();
  controlBefore_ = ControlState(form, s);
  graphBefore_ = form.formSurface.version();
}

std::string SettingCheck::RefusedMessage() const {
  for (auto it = messages_.rbegin(); it != messages_.rend(); ++it)
    if (it->find("refused") != std::string::npos) return *it;
  return {};
}

std::string SettingCheck::Refusal(MainForm& form, const Setting& s) const {
  if (controlBefore_ == s.value) return {};  // nothing to do: the control held the value
  if (std::string m = RefusedMessage(); !m.empty()) return Named(s) + " refused: " + m;
  if (const std::string now = ControlState(form, s); now != s.value)
    return Named(s) + " refused: the " + (s.kind == ControlKind::ScrollBar ? "bar stops at " : "box shows ") + "\"" +
           now + "\"";
  const Binding* b = s.kind == ControlKind::TextBox ? FindBinding(s.control) : nullptr;
  if (!b || b->readAtStart) return {};
  if (b->stores == Stores::GraphRedrawn)
    return form.formSurface.version() != graphBefore_ ? std::string() : Named(s) + " refused: the graph was not redrawn";
  return FieldRefusal(form, s, *b);
}

std::string SettingCheck::FieldRefusal(const MainForm& form, const Setting& s, const Binding& b) {
  const std::string now = form.FieldText(b.field).value_or("");
  const auto want = FieldTextFor(form, b, s.value);
  if (want && *want == now) return {};
  return Named(s) + " refused: " + std::string(b.field) + " stays " + now;
}

std::string SettingCheck::CheckStart(MainForm& form) const {
  if (!runBuilt_) {
    std::string why = "Start built no run";
    if (!messages_.empty()) why += " (Messages: \"" + messages_.back() + "\")";
    return why;
  }
  if (std::string m = RefusedMessage(); !m.empty()) return "Start refused a setting: " + m;
  for (const Setting& s : settings_) {
    const Binding* b = s.kind == ControlKind::TextBox ? FindBinding(s.control) : nullptr;
    if (!b || !b->readAtStart) continue;
    if (std::string r = FieldRefusal(form, s, *b); !r.empty()) return r + " (at Start)";
  }
  return {};
}

}  // namespace antraid::experiments
