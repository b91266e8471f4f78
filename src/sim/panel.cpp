#include "sim/panel.h"

namespace antraid {

Panel::Panel() {
#define ANTRAID_PANEL_ENTRY(type, name, ...) &name,
  all_ = {ANTRAID_PANEL_CONTROLS(ANTRAID_PANEL_ENTRY)};
#undef ANTRAID_PANEL_ENTRY
  for (Control* c : all_) byName_.emplace(c->name(), c);
  cmdPause.SetEnabled(false);
}

Control* Panel::Find(std::string_view name) {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}
const Control* Panel::Find(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}
TextBox* Panel::FindTextBox(std::string_view name) { return dynamic_cast<TextBox*>(Find(name)); }
ScrollBar* Panel::FindScrollBar(std::string_view name) { return dynamic_cast<ScrollBar*>(Find(name)); }
CheckBox* Panel::FindCheckBox(std::string_view name) { return dynamic_cast<CheckBox*>(Find(name)); }
Button* Panel::FindButton(std::string_view name) { return dynamic_cast<Button*>(Find(name)); }
Label* Panel::FindLabel(std::string_view name) { return dynamic_cast<Label*>(Find(name)); }

namespace {
#define ANTRAID_PLACE(group, order, shape, gap, tab) PanelPlace{PanelGroup::group, order, RowShape::shape, gap, tab}
#define ANTRAID_BINDING(field, stores, atStart, ...) \
  FieldBinding{field, Stores::stores, atStart, std::string_view{__VA_ARGS__}}
#define ANTRAID_SPEC(type, name, initial, captions, handler, place, file, binding)                          \
  ControlSpec{#name, ControlType::type, ANTRAID_COLUMN captions, HandlerKind::handler, ANTRAID_PLACE place, file, \
              ANTRAID_BINDING binding},
constexpr ControlSpec kControls[] = {ANTRAID_PANEL_CONTROLS(ANTRAID_SPEC)};
#undef ANTRAID_SPEC
#undef ANTRAID_BINDING
#undef ANTRAID_PLACE

// The captions of the controls that have one, in the panel's order.
const std::vector<ControlCaption>& Captions() {
  static const std::vector<ControlCaption> captions = [] {
    std::vector<ControlCaption> c;
    for (const ControlSpec& s : kControls)
      if (!s.shown.empty() || !s.named.empty()) c.push_back({s.name, s.shown, s.named});
    return c;
  }();
  return captions;
}
}  // namespace

std::span<const ControlSpec> PanelControls() { return kControls; }

const ControlSpec* FindControl(std::string_view name) {
  for (const ControlSpec& s : kControls)
    if (s.name == name) return &s;
  return nullptr;
}

std::span<const ControlCaption> ControlCaptions() { return Captions(); }

const ControlCaption* FindCaption(std::string_view control) {
  for (const ControlCaption& c : Captions())
    if (c.control == control) return &c;
  return nullptr;
}

std::string_view Panel::CaptionOf(const TextBox& box) const {
  const ControlCaption* c = FindCaption(box.name());
  return c && !c->named.empty() ? c->named : std::string_view(box.name());
}

}  // namespace antraid
