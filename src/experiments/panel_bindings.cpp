#include "experiments/panel_bindings.h"

#include <vector>

namespace antraid::experiments {

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

}  // namespace antraid::experiments
