#include "experiments/sweep.h"

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "common/csv.h"
#include "common/numbers.h"
#include "common/version.h"
#include "experiments/atlas.h"
#include "experiments/merge.h"
#include "experiments/progress.h"
#include "experiments/result_files.h"
#include "experiments/run_pool.h"
#include "experiments/run_session.h"
#include "experiments/search.h"
#include "experiments/sha256.h"

namespace antraid::experiments {

namespace fs = std::filesystem;

namespace {

struct Loaded {
  std::string text;
  Experiment experiment;
};

std::optional<Loaded> Load(const std::string& file, std::ostream& err) {
  try {
    Loaded l;
    l.text = ReadFile(file);
    l.experiment = ParseExperiment(l.text, file);
    return l;
  } catch (const std::exception& e) {
    err << "antraid-sweep: " << e.what() << '\n';
    return std::nullopt;
  }
}

std::string DefaultFolder(const std::string& file) {
  std::string stem = fs::path(file).filename().string();
  if (stem.size() > 5 && stem.ends_with(".toml")) stem.resize(stem.size() - 5);
  return stem + "-results";
}

std::string About(const SweepOptions& o, const std::string& text) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return "program: antraid-sweep " + std::string(kVersion) + "\ndate: " + date + "\ncommand: " + o.commandLine +
         "\nexperiment: " + o.experimentFile + "\nsha256: " + Sha256Hex(text) + "\n";
}

// The folder ready for this sweep's runs: emptied of an earlier sweep's files
// with --fresh, and refused when it holds another experiment's results.
void PrepareFolder(const std::string& dir, const SweepOptions& o, const std::string& text) {
  std::error_code ec;
  if (o.fresh) {
    for (const char* f : {"runs", "table.csv", "runs.csv", "summary.csv", "sensitivity.csv", "search.csv", "front.csv", "best.toml",
                          "experiment.toml", "about.txt", "atlas-ants.png", "atlas-trails.png"})
      fs::remove_all(fs::path(dir) / f, ec);
  }
  fs::create_directories(fs::path(dir) / "runs", ec);
  if (ec) throw IoError("cannot create " + dir + "/runs: " + ec.message());
  const std::string copy = dir + "/experiment.toml";
  if (fs::exists(copy, ec) && ReadFile(copy) != text)
    throw IoError(dir + " holds the results of another experiment (its experiment.toml differs); "
                  "use --fresh or another --out");
  const std::string suffix = TemporarySuffix();
  WriteFileAtomically(copy, text, suffix);
  WriteFileAtomically(dir + "/about.txt", About(o, text), suffix);
}

void ListRuns(const RunPlan& plan, const std::vector<int64_t>& runs, std::ostream& out) {
  out << "run,repetition,seed";
  for (const std::string& n : plan.columnNames()) out << ',' << CsvCell(n);
  out << '\n';
  for (int64_t k : runs) {
    const PlannedRun r = plan.Run(k);
    out << k << ',' << r.repetition << ',' << r.seed;
    for (const std::string& c : r.columns) out << ',' << CsvCell(c);
    out << '\n';
  }
}

// 0 when all runs succeeded, 1 when any failed.
int ReportMerge(const std::string& dir, const Experiment& e, const RunPlan& plan, std::ostream& err) {
  const MergeOutcome m = MergeTables(dir, e, plan);
  if (!m.missing.empty()) {
    err << "antraid-sweep: " << dir << ": " << m.missing.size() << " of " << plan.runs()
        << " runs have no results yet (the first: run " << m.missing.front() << "); run the missing shards first\n";
  }
  if (!m.damaged.empty())
    err << "antraid-sweep: " << dir << ": " << m.damaged.size() << " of " << plan.runs()
        << " runs have damaged files (the first: " << m.damaged.front().second
        << "); run the sweep again: it runs them again\n";
  if (!m.missing.empty() || !m.damaged.empty()) return kSweepError;
  if (const std::string why = WriteAtlases(dir, e, plan); !why.empty()) err << "antraid-sweep: " << why << '\n';
  if (m.failed > 0) {
    err << "antraid-sweep: " << m.failed << " of " << plan.runs() << " runs failed (see " << dir << "/runs.csv)\n";
    return kSomeRunFailed;
  }
  return kAllRunsOk;
}

int Jobs(const SweepOptions& o) {
  return o.jobs > 0 ? o.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// A search: one process (each generation needs the one before), its own files.
int SearchSweep(const SweepOptions& o, const Loaded& loaded, std::ostream& out, std::ostream& err) {
  if (o.shardCount > 1) {
    err << "antraid-sweep: a search cannot be sharded: each generation needs the results of the one before "
           "(run it in one process; --jobs sets its threads)\n";
    return kSweepError;
  }
  if (o.list) {
    ListSearch(loaded.experiment, out);
    return kAllRunsOk;
  }
  const std::string dir = o.outDir.empty() ? DefaultFolder(o.experimentFile) : o.outDir;
  try {
    PrepareFolder(dir, o, loaded.text);
  } catch (const IoError& ex) {
    err << "antraid-sweep: " << ex.what() << '\n';
    return kSweepError;
  }
  return RunSearch(loaded.experiment, {dir, Jobs(o), true, !o.quiet && ::isatty(2)}, err);
}

}  // namespace

int RunSweep(const SweepOptions& o, std::ostream& out, std::ostream& err) {
  std::optional<Loaded> loaded = Load(o.experimentFile, err);
  if (!loaded) return kSweepError;
  const Experiment& e = loaded->experiment;
  if (!e.search.algorithm.empty()) return SearchSweep(o, *loaded, out, err);
  const RunPlan plan(e);
  std::vector<int64_t> mine;
  for (int64_t k = 1; k <= plan.runs(); ++k)
    if ((k - 1) % o.shardCount == o.shardIndex - 1) mine.push_back(k);
  if (o.list) {
    ListRuns(plan, mine, out);
    return kAllRunsOk;
  }
  const std::string dir = o.outDir.empty() ? DefaultFolder(o.experimentFile) : o.outDir;
  try {
    PrepareFolder(dir, o, loaded->text);
    std::vector<int64_t> todo;
    int64_t failed = 0;
    for (int64_t k : mine) {
      const RunFiles f = InspectRun(dir, e, plan, k);
      if (f.state == RunFiles::State::Damaged) {
        err << "antraid-sweep: running run " << k << " again: " << f.problem << '\n';
        DiscardRun(dir, k);
      }
      if (f.state != RunFiles::State::Complete) todo.push_back(k);
      else if (!f.status.ok) ++failed;
    }
    const int jobs = Jobs(o);
    const Progress::Shown shown =
        o.quiet ? Progress::Shown::kNothing : ::isatty(2) ? Progress::Shown::kInPlace : Progress::Shown::kLines;
    Progress progress(err, static_cast<int64_t>(todo.size()), shown);
    // Whatever the ending, the last line says how many runs ended and
    // where; --quiet asks for silence.
    auto finished = [&](int status) {
      if (!o.quiet) err << progress.Summary(dir) << '\n';
      return status;
    };
    try {
      PerformRuns(dir, e, plan, todo.size(), [&](size_t i) { return plan.Run(todo[i]); }, jobs, progress);
    } catch (const IoError& ex) {
      progress.Finish();
      err << "antraid-sweep: " << ex.what() << " (the runs completed so far are kept)\n";
      return finished(kSweepError);
    }
    progress.Finish();
    if (o.shardCount == 1) return finished(ReportMerge(dir, e, plan, err));
    for (int64_t k : todo) {
      const RunFiles f = InspectRun(dir, e, plan, k);
      if (f.state == RunFiles::State::Complete && !f.status.ok) ++failed;
    }
    if (failed == 0) return finished(kAllRunsOk);
    err << "antraid-sweep: " << failed << " of this shard's " << mine.size() << " runs failed\n";
    return finished(kSomeRunFailed);
  } catch (const IoError& ex) {
    err << "antraid-sweep: " << ex.what() << " (the runs completed so far are kept)\n";
    return kSweepError;
  }
}

int MergeSweep(const std::string& dir, std::ostream& err) {
  std::optional<Loaded> loaded = Load(dir + "/experiment.toml", err);
  if (!loaded) return kSweepError;
  if (!loaded->experiment.search.algorithm.empty()) return RunSearch(loaded->experiment, {dir, 1, false, false}, err);
  try {
    const RunPlan plan(loaded->experiment);
    return ReportMerge(dir, loaded->experiment, plan, err);
  } catch (const IoError& ex) {
    err << "antraid-sweep: " << ex.what() << '\n';
    return kSweepError;
  }
}

}  // namespace antraid::experiments
