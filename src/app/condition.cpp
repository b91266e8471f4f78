#include "app/condition.h"

#include "common/numbers.h"

namespace antraid {

namespace {

bool IsOperatorChar(char c) { return c == '<' || c == '>' || c == '=' || c == '!'; }

// The words of the text, operators split from what touches them.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t') {
      ++i;
      continue;
    }
    size_t j = i;
    const bool op = IsOperatorChar(c);
    while (j < text.size() && text[j] != ' ' && text[j] != '\t' && IsOperatorChar(text[j]) == op) ++j;
    words.emplace_back(text.substr(i, j - i));
    i = j;
  }
  return words;
}

bool Operator(const std::string& w, CompareOp& op) {
  if (w == "<") op = CompareOp::kLess;
  else if (w == "<=") op = CompareOp::kLessEqual;
  else if (w == "==") op = CompareOp::kEqual;
  else if (w == "!=") op = CompareOp::kNotEqual;
  else if (w == ">=") op = CompareOp::kGreaterEqual;
  else if (w == ">") op = CompareOp::kGreater;
  else return false;
  return true;
}

Comparison ParseComparison(const std::vector<std::string>& words) {
  std::string shown;
  for (const std::string& w : words) shown += (shown.empty() ? "" : " ") + w;
  if (words.empty()) throw ConditionError("an empty comparison (a word before or after \"and\"/\"or\" is missing)");
  Comparison c;
  size_t at = words.size();
  for (size_t i = 0; i < words.size(); ++i) {
    if (!IsOperatorChar(words[i][0])) continue;
    if (!Operator(words[i], c.op))
      throw ConditionError("\"" + shown + "\": unknown operator \"" + words[i] + "\" (<, <=, ==, !=, >=, >)");
    if (at != words.size()) throw ConditionError("\"" + shown + "\": more than one operator");
    at = i;
  }
  if (at == words.size()) throw ConditionError("\"" + shown + "\" compares nothing (<, <=, ==, !=, >=, > and a number)");
  if (at == 0) throw ConditionError("\"" + shown + "\": no measure before " + words[at]);
  if (at + 2 != words.size()) throw ConditionError("\"" + shown + "\": one number must follow " + words[at]);
  const ParsedNumber n = ParseNumber(words.back());
  if (!n.ok()) throw ConditionError("\"" + shown + "\": \"" + words.back() + "\" is not a number");
  c.value = n.value;
  for (size_t i = 0; i < at; ++i) c.item += (i ? " " : "") + words[i];
  c.text = c.item + " " + words[at] + " " + words.back();
  return c;
}

}  // namespace

std::vector<Condition> ParseConditions(std::string_view text) {
  std::vector<Condition> conditions(1);
  std::vector<std::string> comparison;
  auto close = [&] {
    Condition& c = conditions.back();
    c.all.push_back(ParseComparison(comparison));
    c.text += (c.text.empty() ? "" : " and ") + c.all.back().text;
    comparison.clear();
  };
  for (const std::string& w : Words(text)) {
    if (w == "and") {
      close();
    } else if (w == "or") {
      close();
      conditions.emplace_back();
    } else {
      comparison.push_back(w);
    }
  }
  close();
  return conditions;
}

bool Holds(CompareOp op, double left, double right) {
  switch (op) {
    case CompareOp::kLess: return left < right;
    case CompareOp::kLessEqual: return left <= right;
    case CompareOp::kEqual: return left == right;
    case CompareOp::kNotEqual: return left != right;
    case CompareOp::kGreaterEqual: return left >= right;
    case CompareOp::kGreater: return left > right;
  }
  return false;
}

}  // namespace antraid
