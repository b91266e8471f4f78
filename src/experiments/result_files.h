// The files of a sweep's folder. Every file is written under a temporary
// name of its process's own (host and process id), flushed to disk and then
// renamed, the only step that publishes it, so a sweep killed at any moment
// (SIGKILL, power loss) leaves no file that looks complete, and two processes
// that happen to perform the same run (a resubmitted task beside a running
// one) never touch each other's temporary files:
//   runs/NNNNN.script   the run's antraid-script session
//   runs/NNNNN.status   "ok" or "failed", the message, the final measures
//   runs/NNNNN.csv      the run's rows; written last, it marks the run complete
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "experiments/experiment.h"
#include "experiments/run_plan.h"
#include "experiments/run_script.h"
#include "experiments/run_session.h"

namespace antraid::experiments {

// A file that cannot be written or read: what() names it and says why.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// ".part-HOST-PID": the end of this process's temporary file names.
std::string TemporarySuffix();

// A file written under `path` + `suffix` and renamed to `path` by Commit();
// dropped when destroyed uncommitted. Throws IoError.
class AtomicFile {
 public:
  AtomicFile(std::string path, std::string_view suffix);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  void Write(std::string_view text);
  void Commit();
  // Commit() unless `path` exists already, which then stays as it is and this
  // file is dropped: false. Atomic: of two processes committing at once, one
  // publishes and the other finds the first one's file.
  bool CommitUnlessPresent();

 private:
  void Flush();
  void Close();
  std::string path_, temp_;
  int fd_ = -1;
  std::string buffer_;
};

void WriteFileAtomically(const std::string& path, std::string_view text, std::string_view suffix);
// The whole file; IoError when it cannot be read.
std::string ReadFile(const std::string& path);

// "run,repetition,seed,<varied names>,step,modelTime,<measures>" and a line break.
std::string TableHeader(const Experiment& experiment, const RunPlan& plan);

struct RunStatus {
  bool ok = false;
  std::string message;
  std::vector<std::string> finals;  // the last row's measures (none for a failed run)
  std::string steps;    // model steps the run made (empty for a failed run)
  std::string stopped;  // the stop condition that ended it, or empty
};

std::string RunPath(const std::string& dir, int64_t number, std::string_view extension);
// Writes the run's script, status and rows, the rows last. When another
// process has completed the run meanwhile, its files stay and this one's are
// dropped (a run gives the same files in every process).
void WriteRunFiles(const std::string& dir, const Experiment& experiment, const RunPlan& plan, const PlannedRun& run,
                   const RunScript& script, const RunResult& result);
// True once the run's files are all written (whether or not they are sound).
bool RunComplete(const std::string& dir, int64_t number);
// The status of a complete run; nothing when the run is not complete.
// Throws IoError when it does not parse.
std::optional<RunStatus> ReadRunStatus(const std::string& dir, int64_t number, size_t measures);
// Removes the rows and status of a run whose files are damaged, so that it
// is no longer complete and is run again.
void DiscardRun(const std::string& dir, int64_t number);

// What a folder holds of one run. Files are written atomically, so a damaged
// file comes from outside the sweep (a disk that filled up under a copy, a
// file cut short by hand or by a tool): the run is then run again.
struct RunFiles {
  enum class State { Missing, Complete, Damaged };
  State state = State::Missing;
  std::string problem;  // why the files are damaged, naming the file
  RunStatus status;     // of a complete run
  std::string rows;     // of a complete run: its .csv without the header
};

// Reads and checks the run's .status and .csv: the status parses, the .csv
// has this experiment's header, whole rows of the right number of cells, all
// of this run, one per expected row (none for a failed run), and its last row
// holds the final measures of the status, and a run that succeeded has its
// pictures. Throws IoError when a file that
// exists cannot be read.
RunFiles InspectRun(const std::string& dir, const Experiment& experiment, const RunPlan& plan, int64_t number);

}  // namespace antraid::experiments
