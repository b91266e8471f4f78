// The panel: every visible control of the main window, named as in the
// window, as the table in sim/panel_controls.h declares them. The window
// builds its widgets from these.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/controls.h"
#include "sim/panel_controls.h"

namespace antraid {

inline constexpr uint32_t kWindowColor = RGB(188, 188, 231);
inline constexpr uint32_t kWhite = RGB(255, 255, 255);

// The caption beside a control, as the window shows it ("Total #:"), and
// the name the form's messages give a box ("Total #"). Either may be empty:
// some boxes stand under a caption of their group, and read-outs are never
// named in a message.
struct ControlCaption {
  std::string_view control;
  std::string_view shown;
  std::string_view named;
};
// Every caption of the panel that belongs to one control.
std::span<const ControlCaption> ControlCaptions();
// The caption of a control; nullptr when it has none.
const ControlCaption* FindCaption(std::string_view control);

struct Panel {
  Panel();
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  // One field per control, named as the control (sim/panel_controls.h).
#define ANTRAID_PANEL_FIELD(type, name, initial, ...) type name{#name, ANTRAID_COLUMN initial};
  ANTRAID_PANEL_CONTROLS(ANTRAID_PANEL_FIELD)
#undef ANTRAID_PANEL_FIELD

  // Lookup by name; nullptr when there is no such control.
  Control* Find(std::string_view name);
  const Control* Find(std::string_view name) const;
  TextBox* FindTextBox(std::string_view name);
  ScrollBar* FindScrollBar(std::string_view name);
  CheckBox* FindCheckBox(std::string_view name);
  Button* FindButton(std::string_view name);
  Label* FindLabel(std::string_view name);
  const std::vector<Control*>& all() const { return all_; }

  // The name of an input box in messages: its caption's, else its own.
  std::string_view CaptionOf(const TextBox& box) const;

 private:
  std::vector<Control*> all_;
  std::map<std::string, Control*, std::less<>> byName_;
};

}  // namespace antraid
