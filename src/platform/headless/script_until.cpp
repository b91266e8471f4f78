// The script runner's `wait until`: conditions on items read at the end of
// every model step.
#include "sim/main_form.h"
#include "platform/headless/script_words.h"

namespace antraid {

using namespace script;  // the words every script line is read with

void ScriptRunner::StartUntil(int line, Tokens& args) {
  std::vector<std::string> words;
  while (auto w = args.Next()) words.emplace_back(*w);
  if (words.size() < 3 || words[words.size() - 2] != "max")
    Throw("wait until needs a condition and max N at the end (wait until antsOut == 0 max 1000)");
  auto until = std::make_unique<Until>();
  until->line = line;
  until->max = Whole(words.back(), 1, INT64_C(1000000000000000));
  std::string text;
  for (size_t i = 0; i + 2 < words.size(); ++i) text += (i ? " " : "") + words[i];
  try {
    until->conditions = ParseConditions(text);
  } catch (const ConditionError& e) {
    Throw(e.what());
  }
  for (const Condition& c : until->conditions) {
    std::vector<Probe>& probes = until->probes.emplace_back();
    for (const Comparison& cmp : c.all) {
      if (cmp.item == "step") {
        probes.emplace_back();  // steps since Start, kept by the runner
        continue;
      }
      Tokens item(cmp.item);
      if (item.Need("item") == "ant") Throw("\"" + cmp.text + "\": ant N prints a whole line; compare single values");
      Tokens again(cmp.item);
      std::vector<Probe> read = ReadProbes(again, true);
      if (read.size() != 1) Throw("\"" + cmp.text + "\": \"" + cmp.item + "\" is not one item");
      probes.push_back(std::move(read.front()));
    }
  }
  until_ = std::move(until);
}

bool ScriptRunner::UntilHolds() {
  for (size_t c = 0; c < until_->conditions.size(); ++c) {
    const Condition& condition = until_->conditions[c];
    bool all = true;
    for (size_t i = 0; i < condition.all.size() && all; ++i) {
      const Comparison& cmp = condition.all[i];
      const Probe& probe = until_->probes[c][i];
      double value = static_cast<double>(stepsSinceStart_);
      if (probe.read) {
        const std::string text = probe.read();
        const ParsedNumber n = ParseNumber(text);
        if (!n.ok()) Throw("\"" + cmp.text + "\": " + probe.label + " is not a number (" + Shown(text) + ")");
        value = n.value;
      }
      all = Holds(cmp.op, value, cmp.value);
    }
    if (all) {
      until_->held = condition.text;
      return true;
    }
  }
  return false;
}

void ScriptRunner::RunBuilt() {
  stepsSinceStart_ = 0;
  runEnded_ = false;
}

}  // namespace antraid
