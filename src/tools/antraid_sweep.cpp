// antraid-sweep EXPERIMENT.toml [--out DIR] [--jobs N] [--shard I/N | --shard slurm] [--fresh] [--list] [--quiet]
// antraid-sweep merge DIR
// antraid-sweep --controls [--markdown] | --measures
// Runs a parameter study on every core (or one shard of it) and builds its
// tables. See docs/experiments.md.
#include <CLI/CLI.hpp>

#include <cstdlib>
#include <iostream>
#include <string>

#include "common/version.h"
#include "experiments/listings.h"
#include "experiments/shard.h"
#include "experiments/sweep.h"

namespace {

using antraid::experiments::kSweepError;

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
  app.set_version_flag("--version", "antraid-sweep " + std::string(antraid::kVersion),
                       "print the program's version and exit");
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
      const auto reading = antraid::experiments::ReadShard(shard, [](const char* name) { return std::getenv(name); });
      if (!reading.problem.empty()) {
        std::cerr << "antraid-sweep: " << reading.problem << '\n';
        return kSweepError;
      }
      o.shardIndex = reading.shard.index;
      o.shardCount = reading.shard.count;
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
