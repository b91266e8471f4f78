#include "app/box_fields.h"

#include <vector>

#include "common/numbers.h"
#include "sim/main_form.h"

namespace antraid {

namespace {
// The boxes of the panel's table that feed a field, in the panel's order.
const std::vector<Binding>& Bindings() {
  static const std::vector<Binding> bindings = [] {
    std::vector<Binding> b;
    for (const ControlSpec& c : PanelControls())
      if (c.binding.stores != Stores::None)
        b.push_back({c.name, c.binding.field, c.binding.stores, c.binding.readAtStart});
    return b;
  }();
  return bindings;
}
}  // namespace

const Binding* FindBinding(std::string_view control) {
  for (const Binding& b : Bindings())
    if (b.control == control) return &b;
  return nullptr;
}

std::optional<std::string> FieldTextFor(const MainForm& f, const Binding& b, const std::string& typed) {
  if (b.stores == Stores::Text) return typed;
  const ParsedNumber n = ParseNumber(typed);
  if (!n.ok()) return std::nullopt;
  switch (b.stores) {
    case Stores::Int16:
      if (auto v = ToInt16(n.value)) return FormatInt(*v);
      return std::nullopt;
    case Stores::Int32:
      if (auto v = ToInt32(n.value)) return FormatInt(*v);
      return std::nullopt;
    case Stores::Single:
      return FormatSingle(static_cast<float>(n.value));
    case Stores::SingleTimesStep:
      return FormatSingle(static_cast<float>(n.value * f.params.modelTimeStep));
    case Stores::DoubleTimesStep:
      return FormatDouble(n.value * f.params.modelTimeStep);
    case Stores::DoublePerStep:
      return FormatDouble(n.value / f.params.modelTimeStep);
    default:
      return std::nullopt;
  }
}

std::optional<std::string> ValueInEffect(const MainForm& f, const TextBox& box) {
  const Binding* b = FindBinding(box.name());
  if (!b || b->readAtStart || b->stores == Stores::GraphRedrawn) return std::nullopt;
  // Food is laid from the boxes themselves: their fields only check that
  // the food fits, and start from fixed values, not the boxes'.
  if (b->field == "percentFood" || b->field == "foodQuality") return std::nullopt;
  const std::string held = f.FieldText(b->field).value_or("");
  if (FieldTextFor(f, *b, box.text()) == held) return std::nullopt;
  // The frames' folder starts below the program's folder.
  if (b->field == "saveFilePath" && held == f.host.AppPath() + box.text()) return std::nullopt;
  // A field per step goes back to the box's unit per second (or seconds).
  const ParsedNumber n = ParseNumber(held);
  switch (b->stores) {
    case Stores::SingleTimesStep:
    case Stores::DoubleTimesStep:
      if (n.ok() && f.params.modelTimeStep != 0)
        return FormatSingle(static_cast<float>(n.value / f.params.modelTimeStep));
      break;
    case Stores::DoublePerStep:
      if (n.ok()) return FormatSingle(static_cast<float>(n.value * f.params.modelTimeStep));
      break;
    default:
      break;
  }
  return held;
}

}  // namespace antraid
