// The text boxes a sweep may set and the parameter field each one's edit rule
// stores into. A sweep checks after every setting that the field holds what
// the box says: that is how a rule that refuses a value without a word (an
// empty box, a value that must be more than 0) is noticed.
#pragma once

#include <string_view>

namespace antraid::experiments {

// How a box's text becomes its field's value.
enum class Stores {
  Int16,            // rounded half to even
  Int32,
  Single,           // a 32-bit real
  Text,             // the text as typed
  SingleTimesStep,  // value x modelTimeStep, as a 32-bit real (a speed per step)
  DoubleTimesStep,  // value x modelTimeStep
  DoublePerStep,    // value / modelTimeStep (a period in steps)
  GraphRedrawn,     // no field: the rule redraws the response graph
};

struct Binding {
  std::string_view control;
  std::string_view field;  // empty for GraphRedrawn
  Stores stores;
  bool readAtStart;  // no edit rule: only Start's parameter load reads the box
};

// The binding of a settable text box; nullptr for any other name.
const Binding* FindBinding(std::string_view control);

}  // namespace antraid::experiments
