#include "app/parameter_file.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "sim/main_form.h"
#include "app/script_line.h"
#include "common/host.h"
#include "common/version.h"

namespace antraid {

namespace {

std::optional<double> Value(const TextBox& box) {
  const ParsedNumber n = ParseNumber(box.text());
  if (!n.ok()) return std::nullopt;
  return n.value;
}

// a comes before b when a's number is smaller than b's.
bool Smaller(const std::optional<double>& a, const std::optional<double>& b) { return a && b && *a < *b; }

// The panel's settings in the order the file writes them.
std::vector<const Control*> InOrder(const Panel& p, const Panel& fresh) {
  // A world height below a fresh window's goes first, so that neither size
  // is ever checked against a larger partner than the two it ends with.
  const bool heightFirst = Smaller(Value(p.txtWorldYinM), Value(fresh.txtWorldYinM));
  // The tracked ant's number is checked against the number of ants.
  const bool trackedFirst = Smaller(Value(p.txtNumAnts), Value(p.txtAntNumber));
  std::vector<const ControlSpec*> specs;
  for (const ControlSpec& c : PanelControls())
    if (c.fileOrder > 0) specs.push_back(&c);
  std::ranges::sort(specs, {}, &ControlSpec::fileOrder);
  std::vector<const Control*> order;
  for (const ControlSpec* c : specs) order.push_back(p.Find(c->name));
  auto swap = [&order](const Control& a, const Control& b) {
    std::iter_swap(std::find(order.begin(), order.end(), &a), std::find(order.begin(), order.end(), &b));
  };
  if (heightFirst) swap(p.txtWorldXinM, p.txtWorldYinM);
  if (trackedFirst) swap(p.txtNumAnts, p.txtAntNumber);
  return order;
}

// The panel as a freshly opened window shows it.
Panel& Fresh() {
  static Panel fresh;
  return fresh;
}

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// One line of a parameter file, read and checked but not yet performed.
struct Setting {
  enum Kind { kType, kScroll, kClick } kind;
  Control* control;
  std::string_view text;  // kType: the box's new text
  int value = 0;          // kScroll: the bar's new value
};

// The setting a line holds; nullopt when it is not a panel setting.
std::optional<Setting> ReadSetting(Panel& p, std::string_view line) {
  LineWords words(line);
  const auto action = words.Next();
  const auto name = words.Next();
  if (!action || !name) return std::nullopt;
  if (*action == "type") {
    TextBox* box = p.FindTextBox(*name);
    if (!box || !box->onChange) return std::nullopt;
    return Setting{Setting::kType, box, words.RestOfLine(), 0};
  }
  if (*action == "scroll") {
    ScrollBar* bar = p.FindScrollBar(*name);
    const auto word = words.Next();
    if (!bar || !word || words.Next()) return std::nullopt;
    const ParsedNumber n = ParseNumber(*word);
    if (!n.ok() || n.value != static_cast<double>(static_cast<int64_t>(n.value)) || n.value < INT32_MIN ||
        n.value > INT32_MAX)
      return std::nullopt;
    return Setting{Setting::kScroll, bar, {}, static_cast<int>(n.value)};
  }
  if (*action == "click") {
    CheckBox* box = p.FindCheckBox(*name);
    if (!box || words.Next()) return std::nullopt;
    return Setting{Setting::kClick, box, {}, 0};
  }
  return std::nullopt;
}

// A check box's state in a freshly opened window.
int FreshValue(const CheckBox& box) { return Fresh().FindCheckBox(box.name())->value(); }

}  // namespace

std::string ParameterText(const MainForm& form, std::string_view date) {
  const Panel& panel = form.panel;
  std::string text = "# antraid ";
  text += kVersion;
  text += " parameters, saved ";
  text += date;
  text += "\n# Panel settings for a freshly opened window: File > Open parameters..., or antraid-script FILE\n";
  const Panel& fresh = Fresh();
  for (const Control* c : InOrder(panel, fresh)) {
    if (auto* box = dynamic_cast<const TextBox*>(c)) {
      if (box == &panel.txtWorldYinM) {
        const auto v = Value(*box);
        const auto held = v ? ToInt32(*v) : std::nullopt;
        if (held != form.params.worldYinM)
          text += "type " + box->name() + " " + FormatInt(form.params.worldYinM) + "\n";
      }
      text += "type " + box->name() + " " + OneLine(box->text()) + "\n";
    } else if (auto* bar = dynamic_cast<const ScrollBar*>(c)) {
      text += "scroll " + bar->name() + " " + FormatInt(bar->value()) + "\n";
    } else if (auto* check = dynamic_cast<const CheckBox*>(c)) {
      if (check->value() != Fresh().FindCheckBox(check->name())->value()) text += "click " + check->name() + "\n";
    }
  }
  return text;
}

std::string LocalDateText() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];
  const size_t n = std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", &local);
  return std::string(buf, n);
}

bool SaveParameters(MainForm& form, const std::string& named) {
  const std::string path = WithScriptExtension(named);
  const std::string text = ParameterText(form, LocalDateText());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (file) return true;
  form.Message("Parameters not saved: " + FileName(path) + " cannot be written");
  return false;
}

bool OpenParameters(MainForm& form, const std::string& named) {
  std::error_code ec;
  // A name typed without its extension finds the file saved under it.
  const std::string path = std::filesystem::exists(named, ec) ? named : WithScriptExtension(named);
  std::ifstream file;
  if (std::filesystem::is_regular_file(path, ec)) file.open(path, std::ios::binary);
  std::ostringstream text;
  if (file.is_open()) text << file.rdbuf();
  if (!file.is_open() || file.bad()) {
    form.Message("Parameters not opened: " + FileName(path) + " cannot be read");
    return false;
  }
  return PerformParameters(form, text.str(), FileName(path));
}

namespace {

// Performs a file's settings; the listeners hear `done` when all were (the
// Messages box is left as the rules left it: a recorded session, which holds
// the lines performed, replays to the same box).
bool Perform(MainForm& form, std::string_view text, std::string_view fileName, const std::string& done) {
  // The whole file is read first: a bad line anywhere leaves the panel as it was.
  const std::vector<std::string_view> lines = SplitLines(text);
  std::vector<Setting> settings;
  for (size_t i = 0; i < lines.size(); ++i) {
    LineWords words(lines[i]);
    const auto first = words.Next();
    if (!first || first->front() == '#') continue;
    const auto setting = ReadSetting(form.panel, lines[i]);
    if (!setting) {
      form.Message("Parameters not opened: line " + FormatInt(static_cast<long long>(i + 1)) + " of " +
                   std::string(fileName) + ": " + ShownInMessage(lines[i]) + " is not a panel setting");
      return false;
    }
    settings.push_back(*setting);
  }
  // A file names the check boxes that differ from a freshly opened window;
  // every other one goes back to its fresh state, first, so that opening a
  // file restores every control whatever the panel showed before.
  auto named = [&settings](const Control* c) {
    return std::any_of(settings.begin(), settings.end(), [c](const Setting& s) { return s.control == c; });
  };
  for (Control* c : form.panel.all()) {
    auto* box = dynamic_cast<CheckBox*>(c);
    if (!box || named(box) || box->value() == FreshValue(*box)) continue;
    if (form.unloaded) return false;
    form.actions.Click(*box);
  }
  for (const Setting& s : settings) {
    if (form.unloaded) return false;
    switch (s.kind) {
      // A control that holds the value already is left alone: the write
      // would run nothing, and a recorded session stays short.
      case Setting::kType:
        if (auto& box = *static_cast<TextBox*>(s.control); box.text() != s.text) form.actions.Type(box, s.text);
        break;
      case Setting::kScroll:
        if (auto& bar = *static_cast<ScrollBar*>(s.control); bar.value() != s.value) form.actions.Scroll(bar, s.value);
        break;
      case Setting::kClick: {
        // Clicked only while it still shows its fresh state: a file's click
        // means "not as in a fresh window", also in a window where it is so.
        auto& box = *static_cast<CheckBox*>(s.control);
        if (box.value() == FreshValue(box)) form.actions.Click(box);
        break;
      }
    }
  }
  if (form.unloaded) return false;
  form.Note(done);
  return true;
}

// A host that answers nothing: the form built for the initial values never
// runs, asks or draws on screen.
class SilentHost : public Host {
 public:
  void DoEvents() override {}
  bool AskYesNo(std::string_view) override { return false; }
  void Beep() override {}
  std::string AppPath() override { return "."; }
};

}  // namespace

bool PerformParameters(MainForm& form, std::string_view text, std::string_view fileName) {
  return Perform(form, text, fileName, "Parameters loaded from " + std::string(fileName));
}

const std::string& InitialParameterText() {
  static const std::string text = [] {
    SilentHost host;
    MainForm fresh(host);
    fresh.Form_Load();
    return ParameterText(fresh, "at start");
  }();
  return text;
}

bool RestoreInitialParameters(MainForm& form) {
  return Perform(form, InitialParameterText(), "the initial parameters", "Initial parameters restored");
}

std::string WithScriptExtension(const std::string& path) {
  return std::filesystem::path(path).has_extension() ? path : path + ".script";
}

}  // namespace antraid
