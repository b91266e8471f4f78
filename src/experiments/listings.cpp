#include "experiments/listings.h"

#include "app/measure_items.h"
#include "sim/panel.h"
#include "sim/panel_controls.h"
#include "common/csv.h"
#include "common/numbers.h"
#include "app/box_fields.h"

namespace antraid::experiments {

namespace {

// Beside the table of measure items, any control and any other field of the
// form is a measure too.
constexpr struct {
  const char *name, *meaning, *unit;
} kOtherMeasures[] = {
    {"NAME", "a control: the text of a text box, the caption of a label, 0 or 1 for a check box, a scroll bar's value",
     ""},
    {"NAME.PROPERTY", "a control's text, caption, value, min, max, enabled or backColor", ""},
    {"FIELD", "any other field of the form by its name (see docs/scripting.md)", ""},
};

std::string Row(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) line += (i ? "," : "") + CsvCell(cells[i]);
  return line + "\n";
}

// A Markdown table cell: pipes escaped, code in backticks when asked.
std::string Cell(const std::string& s, bool code = false) {
  std::string out;
  for (char c : s) out += c == '|' ? std::string("\\|") : std::string(1, c);
  return code && !out.empty() ? "`" + out + "`" : out;
}

}  // namespace

std::vector<ControlListing> SettableControls() {
  Panel panel;  // the values of a freshly opened window
  std::vector<ControlListing> list;
  for (const ControlSpec& c : PanelControls()) {
    const std::string name(c.name);
    ControlListing l{name, "", std::string(c.shown), "", ""};
    if (c.type == ControlType::ScrollBar) {
      const ScrollBar* bar = panel.FindScrollBar(name);
      l.kind = "scroll bar";
      l.initial = FormatInt(bar->value());
      l.takes = "a whole number from " + FormatInt(bar->min()) + " to " + FormatInt(bar->max());
      if (name == "scrColonyYPos") l.takes += " (Start puts the nest back on its row)";
    } else if (c.type == ControlType::CheckBox) {
      const CheckBox* box = panel.FindCheckBox(name);
      l.kind = "check box";
      if (l.caption.empty()) l.caption = box->caption();
      l.initial = FormatInt(box->value());
      l.takes = name == "chkSaveImages" ? "0 (a sweep's runs save no frames; see [pictures])" : "0 or 1";
    } else if (c.type == ControlType::TextBox && FindBinding(name)) {
      l.kind = "text box";
      l.initial = panel.FindTextBox(name)->text();
      l.takes = std::string(c.binding.takes);
    } else {
      continue;  // buttons, labels and read-outs are not settings
    }
    list.push_back(std::move(l));
  }
  return list;
}

std::vector<MeasureListing> Measures() {
  std::vector<MeasureListing> list;
  for (const MeasureItem& item : MeasureItems()) {
    if (item.name == "modelTime") continue;  // in every row already
    std::string name(item.name);
    for (const ItemArgument& a : item.arguments) name += " " + std::string(a.name);
    list.push_back({name, std::string(item.meaning), std::string(item.unit)});
  }
  for (const auto& m : kOtherMeasures) list.push_back({m.name, m.meaning, m.unit});
  return list;
}

std::string ControlsCsv() {
  std::string csv = "name,kind,caption,initial,takes\n";
  for (const ControlListing& c : SettableControls()) csv += Row({c.name, c.kind, c.caption, c.initial, c.takes});
  return csv;
}

std::string MeasuresCsv() {
  std::string csv = "name,meaning,unit\n";
  for (const MeasureListing& m : Measures()) csv += Row({m.name, m.meaning, m.unit});
  return csv;
}

std::string ControlsMarkdown() {
  std::string md =
      "# Controls and measures of a sweep\n\n"
      "<!-- Written by `make controls-doc` (antraid-sweep --controls --markdown); a test fails when it differs. -->\n\n"
      "The controls an experiment file may set in `[set]`, `[[case]]`, `[vary]` and `[sample]`\n"
      "(`antraid-sweep --controls` prints this table as CSV), with their values in a freshly\n"
      "opened window. See docs/experiments.md.\n\n"
      "| Name | Kind | Caption | Initial | Takes |\n|---|---|---|---|---|\n";
  for (const ControlListing& c : SettableControls())
    md += "| " + Cell(c.name, true) + " | " + c.kind + " | " + Cell(c.caption) + " | " + Cell(c.initial, true) + " | " +
          Cell(c.takes) + " |\n";
  md += "\nThe measures (`antraid-sweep --measures` prints this table as CSV):\n\n"
        "| Measure | Meaning | Unit |\n|---|---|---|\n";
  for (const MeasureListing& m : Measures())
    md += "| " + Cell(m.name, true) + " | " + Cell(m.meaning) + " | " + Cell(m.unit) + " |\n";
  return md;
}

}  // namespace antraid::experiments
