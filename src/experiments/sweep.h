// A whole sweep: the experiment file read and checked, the runs of this shard
// that have no complete results performed side by side (one thread per run,
// each with its own form, host and random source; the threads share only the
// queue of run numbers), every run's files written as it ends, and the tables
// merged at the end when the sweep is not sharded.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace antraid::experiments {

struct SweepOptions {
  std::string experimentFile;
  std::string outDir;        // empty: "<file name without .toml>-results"
  int jobs = 0;              // runs at once; 0: one per core
  int64_t shardIndex = 1;    // this shard, 1 to shardCount
  int64_t shardCount = 1;
  bool fresh = false;        // remove earlier results first
  bool list = false;         // print the runs and stop
  bool quiet = false;        // no progress
  std::string commandLine;   // as typed, for about.txt
};

// Exit statuses: 0 every run succeeded, 1 some run failed, 2 the sweep could
// not run (a mistake in the file, a folder that cannot be written).
inline constexpr int kAllRunsOk = 0;
inline constexpr int kSomeRunFailed = 1;
inline constexpr int kSweepError = 2;

int RunSweep(const SweepOptions& options, std::ostream& out, std::ostream& err);
// Builds the tables of DIR from its per-run files and its experiment.toml.
int MergeSweep(const std::string& dir, std::ostream& err);

}  // namespace antraid::experiments
