// antraid-sweep run as a user runs it, in a folder of the test's own: the
// files written there, the command's output, and a sweep killed part-way.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "sim/test_form.h"

namespace antraid::testing {

inline const std::string kSweep = ANTRAID_SWEEP_EXE;
inline const std::string kScript = ANTRAID_SCRIPT_EXE;

class SweepFolder : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }
  static std::string Read(const std::filesystem::path& p) { return ReadFile(p); }
  CommandResult Sweep(const std::string& args) { return RunCommand(kSweep + " " + args, dir_); }

  // Starts `antraid-sweep FILE --out OUT --jobs 1 --quiet` and kills it as
  // soon as OUT/runs/RUN.csv exists; true when it was killed before it ended.
  bool SweepKilledAt(const std::string& file, const std::string& out, const std::string& run) {
    const pid_t child = fork();
    if (child == 0) {
      ::chdir(dir_.c_str());
      ::execl(kSweep.c_str(), kSweep.c_str(), file.c_str(), "--out", out.c_str(), "--jobs", "1", "--quiet",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(dir_ / out / "runs" / (run + ".csv")) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status);
  }

  TempFolder folder_;
  const std::filesystem::path dir_ = folder_.path();
};

}  // namespace antraid::testing
