// Conditions on measures: `ITEM OP NUMBER [and ITEM OP NUMBER ...]`, OP one
// of < <= == != >= >, ITEM the words of a print item or `step` (model steps
// since Start). Several conditions are joined by `or`. They end a run: a
// script's `wait until` and a sweep's stop conditions read them at the end
// of every step.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace antraid {

enum class CompareOp { kLess, kLessEqual, kEqual, kNotEqual, kGreaterEqual, kGreater };

struct Comparison {
  std::string item;  // the item's words, one blank between them
  CompareOp op = CompareOp::kEqual;
  double value = 0;
  std::string text;  // "maxDistTraveled >= 600"
};

struct Condition {
  std::vector<Comparison> all;  // every one must hold
  std::string text;             // the comparisons joined by " and "
};

// A condition that cannot be read; what() says why.
class ConditionError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// The conditions of a text joined by `or`. Operators may stand apart or
// touch their neighbours ("step>100"). Throws ConditionError.
std::vector<Condition> ParseConditions(std::string_view text);

bool Holds(CompareOp op, double left, double right);

}  // namespace antraid
