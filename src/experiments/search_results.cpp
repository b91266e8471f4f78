#include "experiments/search_results.h"

#include <algorithm>

#include "app/measure_items.h"
#include "common/csv.h"
#include "common/numbers.h"
#include "experiments/result_files.h"

namespace antraid::experiments {

namespace {

bool Dominates(const Evaluation& a, const Evaluation& b) {
  bool smaller = false;
  for (size_t j = 0; j < a.fitness.size(); ++j) {
    if (a.fitness[j] > b.fitness[j]) return false;
    smaller = smaller || a.fitness[j] < b.fitness[j];
  }
  return smaller;
}

// The best of the first `upTo` candidates in objective j: the first one with
// the smallest fitness; nothing when none succeeded.
const Evaluation* Best(const std::vector<Evaluation>& evaluations, size_t upTo, size_t j) {
  const Evaluation* best = nullptr;
  for (size_t i = 0; i < upTo; ++i)
    if (evaluations[i].ok && (!best || evaluations[i].fitness[j] < best->fitness[j])) best = &evaluations[i];
  return best;
}

std::string Cells(const std::vector<std::string>& cells) {
  std::string s;
  for (const std::string& c : cells) s += "," + CsvCell(c);
  return s;
}

std::string Names(const Experiment& e) {
  std::string s;
  for (const Range& r : e.search.ranges) s += "," + CsvCell(r.control);
  return s;
}

std::string ObjectiveNames(const Experiment& e) {
  std::string s;
  for (const Objective& o : e.search.objectives) s += "," + CsvCell(ColumnName(MeasuredItems(e)[o.measure]));
  return s;
}

std::string SearchCsv(const Experiment& e, const std::vector<Evaluation>& evaluations,
                      const std::vector<GenerationMark>& generations) {
  const bool two = e.search.objectives.size() == 2;
  std::string csv = "generation,evaluations" + std::string(two ? ",front" : "") + ObjectiveNames(e) +
                    (two ? "" : Names(e)) + "\n";
  for (const GenerationMark& g : generations) {
    const auto upTo = static_cast<size_t>(g.evaluations);
    csv += FormatInt(g.generation) + "," + FormatInt(g.evaluations);
    if (two) csv += "," + FormatInt(static_cast<int64_t>(NonDominated(evaluations, upTo).size()));
    for (size_t j = 0; j < e.search.objectives.size(); ++j) {
      const Evaluation* best = Best(evaluations, upTo, j);
      csv += "," + (best ? FormatDouble(best->means[j]) : std::string());
    }
    if (!two) {
      const Evaluation* best = Best(evaluations, upTo, 0);
      csv += best ? Cells(best->values) : std::string(e.search.ranges.size(), ',');
    }
    csv += "\n";
  }
  return csv;
}

std::string FrontCsv(const Experiment& e, const std::vector<Evaluation>& evaluations) {
  std::string csv = "generation,candidate" + Names(e) + ObjectiveNames(e) + "\n";
  for (const Evaluation* ev : NonDominated(evaluations, evaluations.size())) {
    csv += FormatInt(ev->generation) + "," + FormatInt(ev->candidate) + Cells(ev->values);
    for (double m : ev->means) csv += "," + FormatDouble(m);
    csv += "\n";
  }
  return csv;
}

// A value as TOML: a number when it reads as one, else a string.
std::string TomlValue(const std::string& v) {
  const bool number = !v.empty() && v.find_first_not_of("0123456789.-") == std::string::npos &&
                      std::isdigit(static_cast<unsigned char>(v.back())) && v.find('.') != 0;
  if (number) return v;
  std::string s = "\"";
  for (char c : v) s += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
  return s + "\"";
}

std::string BestToml(const Experiment& e, const std::vector<Evaluation>& evaluations) {
  const Evaluation* best = Best(evaluations, evaluations.size(), 0);
  const std::string measure = MeasuredItems(e)[e.search.objectives[0].measure];
  std::string toml = "# The best settings the search" + (e.name.empty() ? std::string() : " \"" + e.name + "\"") +
                     " found, ready for another experiment's [set].\n";
  if (!best) return toml + "# No candidate's runs succeeded.\n[set]\n";
  toml += "# " + std::string(e.search.objectives[0].maximize ? "Largest" : "Smallest") + " mean " + measure + ": " +
          FormatDouble(best->means[0]) + " over " + FormatInt(e.repetitions) + " runs (generation " +
          FormatInt(best->generation) + ", candidate " + FormatInt(best->candidate) + ", runs " +
          FormatInt((best->number - 1) * e.repetitions + 1) + " to " + FormatInt(best->number * e.repetitions) + ").\n";
  if (e.search.objectives.size() == 2)
    toml += "# Of the non-dominated set (front.csv), the candidate best in " + measure + "; its " +
            MeasuredItems(e)[e.search.objectives[1].measure] + ": " + FormatDouble(best->means[1]) + ".\n";
  toml += "[set]\n";
  for (size_t d = 0; d < best->values.size(); ++d) toml += e.search.ranges[d].control + " = " + TomlValue(best->values[d]) + "\n";
  return toml;
}

}  // namespace

std::vector<const Evaluation*> NonDominated(const std::vector<Evaluation>& evaluations, size_t upTo) {
  std::vector<const Evaluation*> front;
  for (size_t i = 0; i < upTo; ++i) {
    if (!evaluations[i].ok) continue;
    bool beaten = false;
    for (size_t j = 0; j < upTo && !beaten; ++j) beaten = evaluations[j].ok && Dominates(evaluations[j], evaluations[i]);
    if (!beaten) front.push_back(&evaluations[i]);
  }
  std::stable_sort(front.begin(), front.end(),
                   [](const Evaluation* a, const Evaluation* b) { return a->fitness[0] < b->fitness[0]; });
  return front;
}

void WriteSearchResults(const std::string& dir, const Experiment& e, const RunPlan& plan,
                        const std::vector<Evaluation>& evaluations, const std::vector<GenerationMark>& generations) {
  const std::string suffix = TemporarySuffix();
  const std::string header = TableHeader(e, plan);
  AtomicFile table(dir + "/table.csv", suffix), runs(dir + "/runs.csv", suffix);
  table.Write(header);
  std::string runsHeader = "run,repetition,seed,generation,candidate" + Names(e) + ",status,message,steps,stopped";
  const std::vector<std::string> measured = MeasuredItems(e);
  for (const std::string& m : measured) runsHeader += "," + CsvCell(ColumnName(m));
  runs.Write(runsHeader + "\n");
  for (const Evaluation& ev : evaluations)
    for (int64_t r = 1; r <= e.repetitions; ++r) {
      const int64_t k = (ev.number - 1) * e.repetitions + r;
      const std::string rows = ReadFile(RunPath(dir, k, ".csv"));
      if (rows.compare(0, header.size(), header) != 0)
        throw IoError("cannot merge " + RunPath(dir, k, ".csv") + ": its header is not this experiment's");
      table.Write(std::string_view(rows).substr(header.size()));
      const std::optional<RunStatus> status = ReadRunStatus(dir, k, measured.size());
      if (!status) throw IoError("cannot read " + RunPath(dir, k, ".status") + ": it is gone");
      std::vector<std::string> finals = status->finals;
      finals.resize(measured.size());
      runs.Write(FormatInt(k) + "," + FormatInt(r) + "," + std::to_string(e.seed + static_cast<uint64_t>(r - 1)) + "," +
                 FormatInt(ev.generation) + "," + FormatInt(ev.candidate) + Cells(ev.values) + "," +
                 (status->ok ? "ok" : "failed") + "," + CsvCell(status->message) + "," + status->steps + "," +
                 CsvCell(status->stopped) + Cells(finals) + "\n");
    }
  table.Commit();
  runs.Commit();
  WriteFileAtomically(dir + "/search.csv", SearchCsv(e, evaluations, generations), suffix);
  if (e.search.objectives.size() == 2) WriteFileAtomically(dir + "/front.csv", FrontCsv(e, evaluations), suffix);
  WriteFileAtomically(dir + "/best.toml", BestToml(e, evaluations), suffix);
}

}  // namespace antraid::experiments
