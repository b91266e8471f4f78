// antraid-sweep EXPERIMENT.toml [--out DIR] [--jobs N] [--shard I/N | --shard slurm] [--fresh] [--list] [--quiet]
// antraid-sweep merge DIR
// antraid-sweep --controls [--markdown] | --measures
// Runs a parameter study on every core (or one shard of it) and builds its
// tables. See docs/experiments.md.
#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "experiments/listings.h"
#include "experiments/sweep.h"

namespace {

using antraid::experiments::kSweepError;

std::optional<int64_t> Whole(std::string_view s) {
  int64_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// I and N of --shard I/N, or of --shard slurm from the job array's variables
// (SLURM_ARRAY_TASK_MIN shifts arrays that do not start at 1). An error
// message when they cannot be had.
std::string ReadShard(const std::string& text, int64_t& index, int64_t& count) {
  std::optional<int64_t> i, n;
  if (text == "slurm") {
    const char* id = std::getenv("SLURM_ARRAY_TASK_ID");
    const char* total = std::getenv("SLURM_ARRAY_TASK_COUNT");
    if (!id || !total)
      return "--shard slurm needs SLURM_ARRAY_TASK_ID and SLURM_ARRAY_TASK_COUNT (run it inside a Slurm job array, "
             "sbatch --array=1-N)";
    i = Whole(id);
    n = Whole(total);
    if (const char* min = std::getenv("SLURM_ARRAY_TASK_MIN"); i && min) {
      const auto first = Whole(min);
      i = first ? std::optional<int64_t>(*i - *first + 1) : std::nullopt;
    }
    if (!i || !n || *n < 1 || *i < 1 || *i > *n)
      return "--shard slurm: SLURM_ARRAY_TASK_ID=" + std::string(id) + " and SLURM_ARRAY_TASK_COUNT=" + total +
             " do not name a task 1 to N";
  } else {
    const size_t slash = text.find('/');
    if (slash != std::string::npos) {
      i = Whole(std::string_view(text).substr(0, slash));
      n = Whole(std::string_view(text).substr(slash + 1));
    }
    if (!i || !n || *n < 1 || *i < 1 || *i > *n)
      return "--shard needs I/N with 1 <= I <= N, or slurm, not \"" + text + "\"";
  }
  index = *i;
  count = *n;
  return {};
}

std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    if (i > 0) line += ' ';
    line += a.find_first_of(" \t'\"") == std::string::npos ? a : "'" + a + "'";
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  antraid::experiments::SweepOptions o;
  std::string shard, mergeDir;
  CLI::App app{"Runs a parameter study of antraid: every run an antraid-script session with its own seed."};
  app.name("antraid-sweep");
  app.add_option("EXPERIMENT", o.experimentFile, "the experiment file (TOML); see docs/experiments.md");
  app.add_option("--out", o.outDir, "results folder (default: <experiment name>-results)");
  app.add_option("--jobs", o.jobs, "runs at once (default: the number of cores)")->check(CLI::Range(1, 4096));
  app.add_option("--shard", shard, "only the runs k with (k - 1) mod N = I - 1: I/N, or slurm");
  app.add_flag("--fresh", o.fresh, "remove earlier results from the folder first");
  app.add_flag("--list", o.list, "print the runs (number, repetition, seed, settings) and stop");
  app.add_flag("--quiet", o.quiet, "no progress on standard error");
  bool controls = false, measures = false, markdown = false;
  app.add_flag("--controls", controls, "print the controls an experiment may set (CSV) and stop");
  app.add_flag("--measures", measures, "print the measures with their meaning and unit (CSV) and stop");
  app.add_flag("--markdown", markdown, "with --controls: print both tables as docs/controls.md");
  CLI::App* merge = app.add_subcommand("merge", "build table.csv, runs.csv and summary.csv of DIR");
  merge->add_option("DIR", mergeDir, "the results folder")->required();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);
    std::cerr << "antraid-sweep: " << e.what() << "\nRun antraid-sweep --help for the options.\n";
    return kSweepError;
  }
  try {
    if (merge->parsed()) return antraid::experiments::MergeSweep(mergeDir, std::cerr);
    if (controls || measures) {
      if (controls && measures) {
        std::cerr << "antraid-sweep: --controls or --measures, not both\n";
        return kSweepError;
      }
      std::cout << (measures ? antraid::experiments::MeasuresCsv()
                             : markdown ? antraid::experiments::ControlsMarkdown()
                                        : antraid::experiments::ControlsCsv());
      return 0;
    }
    if (o.experimentFile.empty()) {
      std::cerr << "antraid-sweep: no EXPERIMENT file given\nRun antraid-sweep --help for the options.\n";
      return kSweepError;
    }
    if (!shard.empty()) {
      if (std::string problem = ReadShard(shard, o.shardIndex, o.shardCount); !problem.empty()) {
        std::cerr << "antraid-sweep: " << problem << '\n';
        return kSweepError;
      }
      if (o.fresh && o.shardCount > 1) {
        std::cerr << "antraid-sweep: --fresh would remove the other shards' results; empty the folder once before "
                     "the shards start\n";
        return kSweepError;
      }
    }
    o.commandLine = CommandLine(argc, argv);
    return antraid::experiments::RunSweep(o, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "antraid-sweep: internal error: " << e.what() << '\n';
    return kSweepError;
  }
}
