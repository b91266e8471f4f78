// The text boxes a user sets and the parameter field each one's edit rule
// stores into, as the panel's table declares them (sim/panel_controls.h),
// with how the box's text becomes the field's value. The window marks a box
// whose text is not what its field holds; a sweep checks after every setting
// that the field holds what the box says (that is how a rule that refuses a
// value without a word, an empty box or a value that must be more than 0, is
// noticed).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/panel_controls.h"

namespace antraid {

class MainForm;
class TextBox;

struct Binding {
  std::string_view control;
  std::string_view field;  // empty for GraphRedrawn
  Stores stores;
  bool readAtStart;  // no edit rule: only Start's parameter load reads the box
};

// The binding of a settable text box; nullptr for any other name.
const Binding* FindBinding(std::string_view control);

// What the field holds (as the form's field text) when its rule took `typed`;
// nothing when the text cannot become the field's value at all, and for
// GraphRedrawn.
std::optional<std::string> FieldTextFor(const MainForm& form, const Binding& b, const std::string& typed);

// The value in effect behind a box the user edits, in the box's own units
// ("0.5" behind a Timestep of "1e30"), when the box's text does not stand
// for what the field holds; nothing when it does, and for a box whose field
// only Start reads or that has none.
std::optional<std::string> ValueInEffect(const MainForm& form, const TextBox& box);

}  // namespace antraid
