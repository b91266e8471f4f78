#include "experiments/run_plan.h"

#include <algorithm>

#include "common/numbers.h"
#include "experiments/latin_hypercube.h"
#include "experiments/morris_design.h"
#include "experiments/sobol_design.h"

namespace antraid::experiments {

RunPlan::RunPlan(const Experiment& experiment) : experiment_(experiment) {
  const Experiment& e = experiment_;
  cases_ = std::max<int64_t>(1, static_cast<int64_t>(e.cases.size()));
  for (const auto& c : e.cases)
    for (const Setting& s : c)
      if (std::find(columnNames_.begin(), columnNames_.end(), s.control) == columnNames_.end())
        columnNames_.push_back(s.control);
  for (const Factor& f : e.vary) {
    perCase_ *= static_cast<int64_t>(f.values.size());
    columnNames_.push_back(f.control);
  }
  if (!e.sample.empty() || e.sampleCount > 0) {
    perCase_ = SampleCombinations(e);
    std::vector<SampleRange> ranges;
    for (const Range& r : e.sample) {
      ranges.push_back({r.min, r.max, r.whole});
      columnNames_.push_back(r.control);
    }
    switch (e.sampleMethod) {
      case SampleMethod::LatinHypercube:
        points_ = LatinHypercube(e.sampleCount, ranges, e.seed);
        break;
      case SampleMethod::Sobol:
        points_ = SaltelliDesign(e.sampleCount, ranges);
        break;
      case SampleMethod::Morris:
        points_ = MorrisDesign(e.trajectories, e.levels, ranges, e.seed);
        break;
    }
    for (const auto& point : points_) {
      std::vector<std::string> typed;
      for (double v : point) typed.push_back(FormatDouble(v));
      samples_.push_back(std::move(typed));
    }
  }
  if (!e.search.algorithm.empty()) {
    perCase_ = 0;  // a search's runs follow from its results
    for (const Range& r : e.search.ranges) columnNames_.push_back(r.control);
  }
}

PlannedRun RunPlan::Run(int64_t number) const {
  const Experiment& e = experiment_;
  PlannedRun run;
  run.number = number;
  const int64_t index = number - 1;
  run.repetition = index % e.repetitions + 1;
  const int64_t combination = index / e.repetitions;
  run.combination = combination + 1;
  run.seed = e.seed + static_cast<uint64_t>(e.seeds == Experiment::Seeds::PerRepetition ? run.repetition - 1 : index);
  run.columns.assign(columnNames_.size(), "");
  auto put = [&](const Setting& s) {
    run.settings.push_back(s);
    auto it = std::find(columnNames_.begin(), columnNames_.end(), s.control);
    if (it != columnNames_.end()) run.columns[static_cast<size_t>(it - columnNames_.begin())] = s.value;
  };
  for (const Setting& s : e.fixed) put(s);
  if (!e.cases.empty())
    for (const Setting& s : e.cases[static_cast<size_t>(combination / perCase_)]) put(s);
  int64_t within = combination % perCase_;
  if (!samples_.empty()) {
    const auto& point = samples_[static_cast<size_t>(within)];
    for (size_t d = 0; d < e.sample.size(); ++d) put({e.sample[d].control, e.sample[d].kind, point[d]});
  } else {
    // Mixed radix, the last name fastest.
    std::vector<size_t> pick(e.vary.size());
    for (size_t i = e.vary.size(); i-- > 0;) {
      const auto n = static_cast<int64_t>(e.vary[i].values.size());
      pick[i] = static_cast<size_t>(within % n);
      within /= n;
    }
    for (size_t i = 0; i < e.vary.size(); ++i) put({e.vary[i].control, e.vary[i].kind, e.vary[i].values[pick[i]]});
  }
  return run;
}

}  // namespace antraid::experiments
