// The largest worlds: what the panel accepts is built, what cannot be held
// is refused with a message, and neither ends the program.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "sim/test_form.h"
#include "sim/params/limits.h"
#include "platform/headless/invariants.h"

#if defined(__SANITIZE_ADDRESS__)
#define ANTRAID_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ANTRAID_ASAN 1
#endif
#endif

namespace antraid {
namespace {

using testing::LoadedForm;

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The figure, in kB, that a line "KEY: N kB" of a /proc file gives (-1 when
// none): MemAvailable of /proc/meminfo, VmSize of /proc/self/status.
long ProcKb(const char* file, const std::string& key) {
  std::ifstream info(file);
  std::string line;
  while (std::getline(info, line))
    if (line.rfind(key + ":", 0) == 0) return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
  return -1;
}

TEST(BigWorlds, TheLargestWorldThePanelAcceptsIsBuiltAndRuns) {
  // Its layers take 4 GB. Where the system promises memory it does not have,
  // touching it ends the process instead of failing the allocation.
  if (ProcKb("/proc/meminfo", "MemAvailable") < 6L * 1024 * 1024) GTEST_SKIP() << "less than 6 GB of memory available";
  LoadedForm t;
  t.p.txtWorldXinM.SetText("200");
  t.p.txtWorldYinM.SetText("200");
  ASSERT_EQ(int64_t{t.form.params.worldXinCm} * t.form.params.worldYinCm, kMaxPatches) << t.p.txtDebugMsg.text();
  t.p.txtNumAnts.SetText("50");
  t.StartAndRun(3);
  if (!t.form.run.antsCreated) {
    // A machine without 4 GB to spare refuses it, with a message.
    EXPECT_TRUE(Contains(t.p.txtDebugMsg.text(), "do not fit in memory")) << t.p.txtDebugMsg.text();
    EXPECT_FALSE(t.form.run.pherGrid.exists());
    return;
  }
  EXPECT_EQ(t.form.run.pherGrid.width(), 20000);
  EXPECT_EQ(t.form.run.antCountGrid.height(), 20000);
  EXPECT_EQ(t.form.params.homeYPos, 19995);
  EXPECT_GT(t.form.run.modelTime, 1.0f);
  EXPECT_EQ(CheckInvariants(t.form), "");
}

TEST(BigWorlds, AWorldWithMorePatchesThanFitIsRefusedByThePanelAndByStart) {
  LoadedForm t;
  t.p.txtWorldXinM.SetText("201");
  t.p.txtWorldYinM.SetText("200");  // one metre too many
  EXPECT_TRUE(Contains(t.p.txtDebugMsg.text(), "more patches than fit in memory")) << t.p.txtDebugMsg.text();
  EXPECT_EQ(t.form.params.worldYinM, 7);
  t.p.txtWorldXinM.SetText("100000");
  EXPECT_EQ(t.form.params.worldXinM, 201);

  // Start reads both boxes again, refuses them and builds the world it holds.
  t.StartAndRun(3);
  EXPECT_TRUE(t.form.run.antsCreated);
  EXPECT_EQ(t.form.run.pherGrid.width(), 20100);
  EXPECT_EQ(t.form.run.pherGrid.height(), 700);
  EXPECT_EQ(CheckInvariants(t.form), "");
}

#ifndef ANTRAID_ASAN
// Run in a child process whose address space ends 600 MB above what it
// uses: a 100 m x 100 m world (two layers of 400 MB) cannot be had there.
// Exit status 0 when it was refused with a message and a smaller world then
// ran.
int RefusesAWorldBeyondTheMemoryAtHand() {
  LoadedForm t;
  t.p.txtWorldXinM.SetText("100");
  t.p.txtWorldYinM.SetText("100");
  const long used = ProcKb("/proc/self/status", "VmSize");
  const rlim_t limit = static_cast<rlim_t>(used + 600 * 1024) * 1024;
  const rlimit r{limit, limit};
  if (used < 0 || setrlimit(RLIMIT_AS, &r) != 0) return 3;
  t.StartAndRun(3);
  const bool refused = !t.form.run.antsCreated && !t.form.run.pherGrid.exists() && !t.form.run.antCountGrid.exists() &&
                       Contains(t.p.txtDebugMsg.text(), "do not fit in memory") && !t.form.run.programStarted;
  t.p.txtWorldXinM.SetText("7");
  t.p.txtWorldYinM.SetText("7");
  t.StartAndRun(3);
  return refused && t.form.run.antsCreated && CheckInvariants(t.form).empty() ? 0 : 1;
}
#endif

TEST(BigWorldsDeathTest, AWorldBeyondTheMemoryAtHandIsRefusedWithAMessage) {
#ifdef ANTRAID_ASAN
  GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::_Exit(RefusesAWorldBeyondTheMemoryAtHand()), ::testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
}  // namespace antraid
