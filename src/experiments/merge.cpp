#include "experiments/merge.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "app/measure_items.h"
#include "common/csv.h"
#include "common/numbers.h"
#include "experiments/result_files.h"
#include "experiments/sensitivity.h"

namespace antraid::experiments {

std::vector<std::string> Summarize(const std::vector<std::string>& values) {
  std::vector<double> v;
  for (const std::string& s : values) {
    const ParsedNumber n = ParseNumber(s);
    if (!n.ok()) return {"", "", "", ""};
    v.push_back(n.value);
  }
  if (v.empty()) return {"", "", "", ""};
  double sum = 0;
  for (double x : v) sum += x;
  const double mean = sum / static_cast<double>(v.size());
  std::string sd;
  if (v.size() > 1) {
    double squares = 0;
    for (double x : v) squares += (x - mean) * (x - mean);
    sd = FormatDouble(std::sqrt(squares / static_cast<double>(v.size() - 1)));
  }
  return {FormatDouble(mean), sd, FormatDouble(*std::min_element(v.begin(), v.end())),
          FormatDouble(*std::max_element(v.begin(), v.end()))};
}

namespace {

std::string Cells(const std::vector<std::string>& cells) {
  std::string s;
  for (const std::string& c : cells) s += "," + CsvCell(c);
  return s;
}

// The final values of one combination's repetitions, gathered run by run.
class SummaryRows {
 public:
  SummaryRows(const Experiment& e, const RunPlan& plan, AtomicFile& out) : e_(e), out_(out) {
    std::string h = "combination";
    for (const std::string& n : plan.columnNames()) h += "," + CsvCell(n);
    h += ",runs,failed";
    for (const std::string& m : MeasuredItems(e))
      for (const char* stat : {"_mean", "_sd", "_min", "_max"}) h += "," + CsvCell(ColumnName(m) + stat);
    out_.Write(h + "\n");
  }

  void Add(const PlannedRun& run, const RunStatus& status) {
    if (run.combination != combination_) {
      Flush();
      combination_ = run.combination;
      columns_ = run.columns;
      finals_.assign(MeasuredItems(e_).size(), {});
    }
    if (!status.ok) {
      ++failed_;
      return;
    }
    ++ok_;
    for (size_t m = 0; m < finals_.size(); ++m) finals_[m].push_back(status.finals[m]);
  }

  void Flush() {
    if (combination_ == 0) return;
    std::string line = FormatInt(combination_) + Cells(columns_) + "," + FormatInt(ok_) + "," + FormatInt(failed_);
    for (const auto& values : finals_) line += Cells(Summarize(values));
    out_.Write(line + "\n");
    ok_ = failed_ = 0;
  }

 private:
  const Experiment& e_;
  AtomicFile& out_;
  int64_t combination_ = 0;
  std::vector<std::string> columns_;
  std::vector<std::vector<std::string>> finals_;  // per measure
  int64_t ok_ = 0, failed_ = 0;
};

}  // namespace

MergeOutcome MergeTables(const std::string& dir, const Experiment& e, const RunPlan& plan) {
  MergeOutcome outcome;
  for (int64_t k = 1; k <= plan.runs(); ++k) {
    const RunFiles f = InspectRun(dir, e, plan, k);
    if (f.state == RunFiles::State::Missing) outcome.missing.push_back(k);
    if (f.state == RunFiles::State::Damaged) outcome.damaged.emplace_back(k, f.problem);
  }
  if (!outcome.missing.empty() || !outcome.damaged.empty()) return outcome;

  // Several shards may merge into one folder at once: temporary names of their own.
  const std::string suffix = TemporarySuffix();
  AtomicFile table(dir + "/table.csv", suffix), runs(dir + "/runs.csv", suffix), summary(dir + "/summary.csv", suffix);
  table.Write(TableHeader(e, plan));
  std::string runsHeader = "run,repetition,seed";
  for (const std::string& n : plan.columnNames()) runsHeader += "," + CsvCell(n);
  runsHeader += ",status,message,steps,stopped";
  const std::vector<std::string> measured = MeasuredItems(e);
  for (const std::string& m : measured) runsHeader += "," + CsvCell(ColumnName(m));
  runs.Write(runsHeader + "\n");
  SummaryRows summaryRows(e, plan, summary);
  // Each combination's output for sensitivity.csv: the sum and count of its good final values.
  const bool sensitivity = HasSensitivity(e);
  std::vector<std::vector<double>> sums, counts;
  if (sensitivity) {
    sums.assign(static_cast<size_t>(plan.combinations()), std::vector<double>(measured.size(), 0.0));
    counts = sums;
  }

  for (int64_t k = 1; k <= plan.runs(); ++k) {
    const PlannedRun run = plan.Run(k);
    const RunFiles f = InspectRun(dir, e, plan, k);
    if (f.state != RunFiles::State::Complete)
      throw IoError("cannot merge run " + FormatInt(k) + ": its files changed while the tables were built");
    table.Write(f.rows);
    const RunStatus& status = f.status;
    if (!status.ok) ++outcome.failed;
    std::vector<std::string> finals = status.finals;
    finals.resize(measured.size());
    runs.Write(FormatInt(k) + "," + FormatInt(run.repetition) + "," + std::to_string(run.seed) + Cells(run.columns) +
               "," + (status.ok ? "ok" : "failed") + "," + CsvCell(status.message) + "," + status.steps + "," +
               CsvCell(status.stopped) + Cells(finals) + "\n");
    summaryRows.Add(run, status);
    if (sensitivity && status.ok)
      for (size_t m = 0; m < measured.size(); ++m) {
        const ParsedNumber v = ParseNumber(status.finals[m]);
        double& sum = sums[static_cast<size_t>(run.combination - 1)][m];
        sum = v.ok() ? sum + v.value : std::nan("");
        counts[static_cast<size_t>(run.combination - 1)][m] += 1;
      }
  }
  summaryRows.Flush();
  table.Commit();
  runs.Commit();
  summary.Commit();
  if (sensitivity) {
    for (size_t c = 0; c < sums.size(); ++c)
      for (size_t m = 0; m < measured.size(); ++m) sums[c][m] = counts[c][m] > 0 ? sums[c][m] / counts[c][m] : std::nan("");
    WriteFileAtomically(dir + "/sensitivity.csv", SensitivityCsv(e, plan, sums), suffix);
  }
  return outcome;
}

}  // namespace antraid::experiments
