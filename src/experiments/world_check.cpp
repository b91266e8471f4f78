#include "experiments/world_check.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "sim/main_form.h"
#include "sim/panel.h"
#include "common/numbers.h"

namespace antraid::experiments {

namespace {

// A world side in metres as the panel reads it: a number above 0, rounded to a whole one.
std::optional<int64_t> Metres(const std::string& text) {
  const ParsedNumber n = ParseNumber(text);
  if (!n.ok() || !(n.value > 0)) return std::nullopt;
  const std::optional<int32_t> v = ToInt32(n.value);
  if (!v || *v < 1) return std::nullopt;
  return *v;
}

// The smallest value the runs give the box, or nothing when one is unknown.
std::optional<int64_t> SmallestSide(const Experiment& e, const std::string& box) {
  Panel fresh;
  std::vector<std::string> values;
  bool everyRunSetsIt = false;
  for (const Setting& s : e.fixed)
    if (s.control == box) values.push_back(s.value), everyRunSetsIt = true;
  bool everyCase = !e.cases.empty();
  for (const auto& c : e.cases) {
    bool here = false;
    for (const Setting& s : c)
      if (s.control == box) values.push_back(s.value), here = true;
    everyCase = everyCase && here;
  }
  everyRunSetsIt = everyRunSetsIt || everyCase;
  for (const Factor& f : e.vary)
    if (f.control == box) values.insert(values.end(), f.values.begin(), f.values.end()), everyRunSetsIt = true;
  std::vector<Range> ranges = e.sample;
  ranges.insert(ranges.end(), e.search.ranges.begin(), e.search.ranges.end());
  for (const Range& r : ranges) {
    if (r.control != box) continue;
    if (!r.whole) return std::nullopt;
    values.push_back(FormatDouble(r.min));
    everyRunSetsIt = true;
  }
  if (!everyRunSetsIt) values.push_back(fresh.FindTextBox(box)->text());
  std::optional<int64_t> least;
  for (const std::string& v : values) {
    const std::optional<int64_t> m = Metres(v);
    if (!m) return std::nullopt;
    least = least ? std::min(*least, *m) : *m;
  }
  return least;
}

}  // namespace

std::optional<WorldSize> SmallestWorld(const Experiment& e) {
  const std::optional<int64_t> x = SmallestSide(e, "txtWorldXinM"), y = SmallestSide(e, "txtWorldYinM");
  if (!x || !y) return std::nullopt;
  // Start builds 100 patches a metre and puts the nest 5 patches above the bottom edge.
  constexpr int64_t kCmPerM = 100, kNestAboveBottom = 5;
  return WorldSize{*x * kCmPerM, *y * kCmPerM, *y * kCmPerM - kNestAboveBottom};
}

std::optional<std::string> MeasureOffWorld(const std::string& measure, const WorldSize& world) {
  std::istringstream in(measure);
  std::string name;
  in >> name;
  const MeasureItem* item = FindMeasureItem(name);
  if (!item || !item->offWorld) return std::nullopt;
  std::vector<int64_t> args;
  for (std::string w; in >> w;) {
    const ParsedNumber n = ParseNumber(w);
    if (!n.ok()) return std::nullopt;  // the item's own reading reports it
    args.push_back(static_cast<int64_t>(n.value));
  }
  if (args.size() != item->arguments.size()) return std::nullopt;
  return item->offWorld(args, world);
}

WorldSize WorldOf(const MainForm& form) {
  return WorldSize{form.run.pherGrid.width(), form.run.pherGrid.height(), form.params.homeYPos};
}

}  // namespace antraid::experiments
