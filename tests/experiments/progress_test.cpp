// A sweep's progress on standard error when it is not a terminal, against a
// clock of the test's own: how often a line comes, what it says, and the
// closing line.
#include "experiments/progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace antraid::experiments {
namespace {

using Clock = Progress::Clock;

struct TestClock {
  Clock::time_point t{};
  std::function<Clock::time_point()> Fn() {
    return [this] { return t; };
  }
};

// The lines shown while `runs` runs of `each` end one after the other (run
// `failing` fails), and the closing line for the folder "out".
std::vector<std::string> Shown(int runs, Clock::duration each, int failing = 0) {
  TestClock clock;
  std::ostringstream err;
  Progress p(err, runs, Progress::Shown::kLines, clock.Fn());
  for (int k = 1; k <= runs; ++k) {
    clock.t += each;
    p.Done(k != failing);
  }
  std::vector<std::string> lines;
  std::istringstream in(err.str());
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  lines.push_back(p.Summary("out"));
  return lines;
}

TEST(SweepProgress, ALineComesOncePerTwentiethOfTheRunsAndPerMinuteWhicheverIsRarer) {
  // 100 runs of one second: a twentieth comes every 5 s, a minute is rarer.
  // One line, at 60 runs after 60 s: 1 run/s, 40 runs left.
  EXPECT_EQ(Shown(100, std::chrono::seconds(1), 7),
            (std::vector<std::string>{"antraid-sweep: 60/100 runs (1 failed), 1 runs/s, 40 s left",
                                      "antraid-sweep: 100 runs (1 failed) in 100 s; results in out"}));
  // 40 runs of 45 s: a minute every 1.33 runs, a twentieth (2 runs) is rarer.
  const auto lines = Shown(40, std::chrono::seconds(45));
  ASSERT_EQ(lines.size(), 20u + 1);
  // 2 runs in 90 s: 1/45 run/s, 38 runs left take 1710 s.
  EXPECT_EQ(lines[0], "antraid-sweep: 2/40 runs, 0.02 runs/s, 28 min 30 s left");
  EXPECT_EQ(lines[19].rfind("antraid-sweep: 40/40 runs, ", 0), 0u);
  EXPECT_EQ(lines[20], "antraid-sweep: 40 runs (0 failed) in 1800 s; results in out");
  // 4 runs of 10 minutes: every run is a twentieth and more than a minute.
  EXPECT_EQ(Shown(4, std::chrono::minutes(10)).size(), 4u + 1);
}

TEST(SweepProgress, QuietShowsNothingButTheSummaryStillCounts) {
  TestClock clock;
  std::ostringstream err;
  Progress p(err, 3, Progress::Shown::kNothing, clock.Fn());
  for (int k = 1; k <= 3; ++k) {
    clock.t += std::chrono::minutes(5);
    p.Done(k == 2);
  }
  clock.t += std::chrono::milliseconds(200);
  p.Finish();
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(p.done(), 3);
  EXPECT_EQ(p.failed(), 2);
  EXPECT_EQ(p.Summary("r"), "antraid-sweep: 3 runs (2 failed) in 900.2 s; results in r");
  // Nothing to do (a sweep resumed after its last run): no progress at all.
  Progress none(err, 0, Progress::Shown::kLines, clock.Fn());
  none.Finish();
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(none.Summary("r"), "antraid-sweep: 0 runs (0 failed) in 0 s; results in r");
}

}  // namespace
}  // namespace antraid::experiments
