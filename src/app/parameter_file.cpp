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

// Performs one line; false when it is not a panel setting.
bool PerformLine(MainForm& form, std::string_view line) {
  LineWords words(line);
  const auto action = words.Next();
  const auto name = words.Next();
  if (!action || !name) return false;
  Panel& p = form.panel;
  if (*action == "type") {
    TextBox* box = p.FindTextBox(*name);
    if (!box || !box->onChange) return false;
    form.actions.Type(*box, words.RestOfLine());
    return true;
  }
  if (*action == "scroll") {
    ScrollBar* bar = p.FindScrollBar(*name);
    const auto word = words.Next();
    if (!bar || !word || words.Next()) return false;
    const ParsedNumber n = ParseNumber(*word);
    if (!n.ok() || n.value != static_cast<double>(static_cast<int64_t>(n.value)) || n.value < INT32_MIN ||
        n.value > INT32_MAX)
      return false;
    form.actions.Scroll(*bar, static_cast<int>(n.value));
    return true;
  }
  if (*action == "click") {
    CheckBox* box = p.FindCheckBox(*name);
    if (!box || words.Next()) return false;
    form.actions.Click(*box);
    return true;
  }
  return false;
}

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
        if (held != form.worldYinM) text += "type " + box->name() + " " + FormatInt(form.worldYinM) + "\n";
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

bool SaveParameters(MainForm& form, const std::string& path) {
  const std::string text = ParameterText(form, LocalDateText());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (file) return true;
  form.Message("Parameters not saved: " + FileName(path) + " cannot be written");
  return false;
}

bool OpenParameters(MainForm& form, const std::string& path) {
  std::error_code ec;
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

bool PerformParameters(MainForm& form, std::string_view text, std::string_view fileName) {
  const std::vector<std::string_view> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (form.unloaded) return false;
    LineWords words(lines[i]);
    const auto first = words.Next();
    if (!first || first->front() == '#') continue;
    if (!PerformLine(form, lines[i])) {
      form.Message("Open parameters stopped at line " + FormatInt(static_cast<long long>(i + 1)) + " of " +
                   std::string(fileName) + ": " + ShownInMessage(lines[i]) + " is not a panel setting");
      return false;
    }
  }
  return !form.unloaded;
}

}  // namespace antraid
