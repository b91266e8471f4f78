#include "experiments/search.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "common/csv.h"
#include "common/numbers.h"
#include "experiments/progress.h"
#include "experiments/run_pool.h"
#include "experiments/result_files.h"
#include "experiments/run_plan.h"
#include "experiments/run_script.h"
#include "experiments/run_session.h"
#include "experiments/search_optimiser.h"
#include "experiments/search_results.h"

namespace antraid::experiments {

namespace {

// A run a merge needs that has no results yet.
struct MissingRun {
  int64_t number;
};

OptimiserSpec SettingsOf(const Experiment& e) {
  return {e.search.algorithm, e.search.ranges.size(), e.search.objectives.size(), e.search.population,
          e.search.generations, e.seed};
}

// The settings a point of [0, 1]^k stands for, as typed: whole ranges round
// to the nearest whole number, reals keep 15 significant digits.
std::vector<std::string> Typed(const Experiment& e, const std::vector<double>& x) {
  std::vector<std::string> values;
  for (size_t d = 0; d < x.size(); ++d) {
    const Range& r = e.search.ranges[d];
    const double at = r.min + std::clamp(x[d], 0.0, 1.0) * (r.max - r.min);
    values.push_back(r.whole ? FormatDouble(std::clamp(std::round(at), r.min, r.max))
                             : FormatDouble(std::clamp(ParseNumber(FormatDouble(at)).value, r.min, r.max)));
  }
  return values;
}

class Searcher {
 public:
  Searcher(const Experiment& e, const SearchOptions& o, std::ostream& err, CandidateModel model = {})
      : e_(e), o_(o), plan_(e),
        progress_(err, (e.search.generations + 1) * e.search.population * e.repetitions, o.progress),
        model_(std::move(model)) {}

  std::vector<std::vector<double>> Evaluate(const std::vector<std::vector<double>>& xs, int64_t generation) {
    std::vector<size_t> picked;  // the evaluation of each candidate
    const size_t before = evaluations_.size();
    int64_t candidate = 0;
    for (const auto& x : xs) {
      std::vector<std::string> values = Typed(e_, x);
      auto [it, fresh] = byValues_.emplace(values, evaluations_.size());
      if (fresh) {
        Evaluation ev;
        ev.number = static_cast<int64_t>(evaluations_.size()) + 1;
        ev.generation = generation;
        ev.candidate = ++candidate;
        ev.values = std::move(values);
        evaluations_.push_back(std::move(ev));
      }
      picked.push_back(it->second);
    }
    if (model_) {
      for (size_t i = before; i < evaluations_.size(); ++i) Model(evaluations_[i]);
    } else {
      PerformRuns(before);
      for (size_t i = before; i < evaluations_.size(); ++i) Judge(evaluations_[i]);
    }
    std::vector<std::vector<double>> fitness;
    for (size_t i : picked) fitness.push_back(evaluations_[i].fitness);
    return fitness;
  }

  void GenerationDone(int64_t g) { generations_.push_back({g, static_cast<int64_t>(evaluations_.size())}); }

  void Finish() {
    progress_.Finish();
    WriteSearchResults(o_.dir, e_, plan_, evaluations_, generations_);
  }
  int64_t failedRuns() const { return failedRuns_; }
  SearchTrace Trace() && { return {std::move(evaluations_), std::move(generations_)}; }

 private:
  PlannedRun Run(const Evaluation& ev, int64_t repetition) const {
    PlannedRun run;
    run.number = (ev.number - 1) * e_.repetitions + repetition;
    run.combination = ev.number;
    run.repetition = repetition;
    run.seed = e_.seed + static_cast<uint64_t>(repetition - 1);
    run.settings = e_.fixed;
    for (size_t d = 0; d < ev.values.size(); ++d)
      run.settings.push_back({e_.search.ranges[d].control, e_.search.ranges[d].kind, ev.values[d]});
    run.columns = ev.values;
    return run;
  }

  // Performs the runs of evaluations `from`.. that have no results, on the
  // sweep's threads. The first file error stops every thread after its run.
  void PerformRuns(size_t from) {
    std::vector<PlannedRun> todo;
    for (size_t i = from; i < evaluations_.size(); ++i)
      for (int64_t r = 1; r <= e_.repetitions; ++r) {
        PlannedRun run = Run(evaluations_[i], r);
        if (RunComplete(o_.dir, run.number)) {
          progress_.Done();
          continue;
        }
        if (!o_.perform) throw MissingRun{run.number};
        todo.push_back(std::move(run));
      }
    experiments::PerformRuns(o_.dir, e_, plan_, todo.size(), [&](size_t i) { return todo[i]; }, o_.jobs, progress_);
  }

  // The candidate's objectives: the means of its runs' final values; a run
  // that failed, or a value that is not a number, fails the candidate.
  void Judge(Evaluation& ev) {
    const size_t objectives = e_.search.objectives.size();
    std::vector<double> sums(objectives, 0.0);
    ev.ok = true;
    for (int64_t r = 1; r <= e_.repetitions; ++r) {
      const int64_t k = Run(ev, r).number;
      const std::optional<RunStatus> status = ReadRunStatus(o_.dir, k, MeasuredItems(e_).size());
      if (!status) throw IoError("cannot read " + RunPath(o_.dir, k, ".status") + ": it is gone");
      if (!status->ok) {
        ++failedRuns_;
        ev.ok = false;
        continue;
      }
      for (size_t j = 0; j < objectives; ++j) {
        const ParsedNumber v = ParseNumber(status->finals[e_.search.objectives[j].measure]);
        if (v.ok() && std::isfinite(v.value)) sums[j] += v.value;
        else ev.ok = false;
      }
    }
    ev.means.assign(objectives, std::nan(""));
    if (ev.ok)
      for (size_t j = 0; j < objectives; ++j) ev.means[j] = sums[j] / static_cast<double>(e_.repetitions);
    Score(ev);
  }

  void Model(Evaluation& ev) const {
    ev.means = model_(ev.values);
    ev.ok = std::none_of(ev.means.begin(), ev.means.end(), [](double m) { return std::isnan(m); });
    Score(ev);
  }

  // The fitness of a judged candidate: its means, negated where they are to be large.
  void Score(Evaluation& ev) const {
    ev.fitness.assign(ev.means.size(), kWorstFitness);
    if (!ev.ok) return;
    for (size_t j = 0; j < ev.means.size(); ++j)
      ev.fitness[j] = e_.search.objectives[j].maximize ? -ev.means[j] : ev.means[j];
  }

  const Experiment& e_;
  const SearchOptions& o_;
  const RunPlan plan_;
  Progress progress_;
  std::vector<Evaluation> evaluations_;
  std::map<std::vector<std::string>, size_t> byValues_;
  std::vector<GenerationMark> generations_;
  int64_t failedRuns_ = 0;
  CandidateModel model_;
};

}  // namespace

int RunSearch(const Experiment& e, const SearchOptions& o, std::ostream& err) {
  try {
    Searcher searcher(e, o, err);
    Optimise(
        SettingsOf(e), [&](const auto& xs, int64_t g) { return searcher.Evaluate(xs, g); },
        [&](int64_t g) { searcher.GenerationDone(g); });
    searcher.Finish();
    if (searcher.failedRuns() == 0) return 0;
    err << "antraid-sweep: " << searcher.failedRuns() << " runs of the search failed (see " << o.dir << "/runs.csv)\n";
    return 1;
  } catch (const MissingRun& m) {
    err << "antraid-sweep: " << o.dir << ": run " << m.number
        << " of the search has no results yet; run the search again to finish it\n";
    return 2;
  } catch (const IoError& ex) {
    err << "antraid-sweep: " << ex.what() << " (the runs completed so far are kept)\n";
    return 2;
  }
}

SearchTrace SearchModel(const Experiment& e, const CandidateModel& model) {
  std::ostringstream quiet;
  const SearchOptions o;
  Searcher searcher(e, o, quiet, model);
  Optimise(
      SettingsOf(e), [&](const auto& xs, int64_t g) { return searcher.Evaluate(xs, g); },
      [&](int64_t g) { searcher.GenerationDone(g); });
  return std::move(searcher).Trace();
}

void ListSearch(const Experiment& e, std::ostream& out) {
  out << "run,repetition,seed,generation,candidate";
  for (const Range& r : e.search.ranges) out << ',' << CsvCell(r.control);
  out << '\n';
  std::map<std::vector<std::string>, int64_t> seen;
  int64_t candidate = 0;
  for (const auto& x : FirstGeneration(SettingsOf(e))) {
    const std::vector<std::string> values = Typed(e, x);
    if (!seen.emplace(values, candidate + 1).second) continue;
    ++candidate;
    for (int64_t r = 1; r <= e.repetitions; ++r) {
      out << (candidate - 1) * e.repetitions + r << ',' << r << ',' << e.seed + static_cast<uint64_t>(r - 1) << ",0,"
          << candidate;
      for (const std::string& v : values) out << ',' << CsvCell(v);
      out << '\n';
    }
  }
}

}  // namespace antraid::experiments
