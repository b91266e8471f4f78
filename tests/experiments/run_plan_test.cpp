// The order of a sweep's runs, their seeds and settings, and the strata of
// Latin hypercube samples.
#include "experiments/run_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "common/numbers.h"
#include "experiments/latin_hypercube.h"

namespace antraid::experiments {
namespace {

std::string Settings(const PlannedRun& r) {
  std::string s;
  for (const Setting& x : r.settings) s += x.control + "=" + x.value + " ";
  return s;
}

TEST(RunPlan, CasesThenCombinationsLastNameFastestThenRepetitions) {
  const Experiment e = ParseExperiment(
      "[experiment]\nsteps = 5\nrepetitions = 2\nseed = 10\nmeasures = [\"antsOut\"]\n"
      "[set]\ntxtNumAnts = 100\n"
      "[vary]\ntxtPercentFood = [1, 3]\ntxtFoodQuality = [1, 10, 20]\n"
      "[[case]]\ntxtLeaveInterval = 1\n[[case]]\nchkUsePm = 1\n",
      "exp.toml");
  const RunPlan plan(e);
  ASSERT_EQ(plan.runs(), 2 * 2 * 3 * 2);
  EXPECT_EQ(plan.columnNames(), (std::vector<std::string>{"txtLeaveInterval", "chkUsePm", "txtPercentFood", "txtFoodQuality"}));
  const PlannedRun first = plan.Run(1), second = plan.Run(2), third = plan.Run(3), last = plan.Run(24);
  EXPECT_EQ(Settings(first), "txtNumAnts=100 txtLeaveInterval=1 txtPercentFood=1 txtFoodQuality=1 ");
  EXPECT_EQ(Settings(second), Settings(first));  // the repetition varies fastest
  EXPECT_EQ(second.repetition, 2);
  EXPECT_EQ(Settings(third), "txtNumAnts=100 txtLeaveInterval=1 txtPercentFood=1 txtFoodQuality=10 ");
  EXPECT_EQ(Settings(last), "txtNumAnts=100 chkUsePm=1 txtPercentFood=3 txtFoodQuality=20 ");
  EXPECT_EQ(last.columns, (std::vector<std::string>{"", "1", "3", "20"}));
  EXPECT_EQ(first.seed, 10u);
  EXPECT_EQ(last.seed, 33u);
  EXPECT_EQ(last.combination, 12);
}

TEST(RunPlan, PairedSeedsGiveEveryCombinationTheSameSeedInItsRthRepetition) {
  const std::string head = "[experiment]\nsteps = 5\nrepetitions = 3\nseed = 10\nmeasures = [\"antsOut\"]\n";
  const std::string vary = "[vary]\ntxtPercentFood = [1, 3]\n[[case]]\nchkUseVel = 0\n[[case]]\nchkUseVel = 1\n";
  const Experiment perRun = ParseExperiment(head + "seeds = \"per-run\"\n" + vary, "exp.toml");
  const Experiment paired = ParseExperiment(head + "seeds = \"per-repetition\"\n" + vary, "exp.toml");
  const RunPlan a(perRun), b(paired);
  ASSERT_EQ(b.runs(), 12);
  // Runs 1..12: combination 1 holds runs 1-3, combination 4 runs 10-12.
  const uint64_t perRunSeeds[] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
  const uint64_t pairedSeeds[] = {10, 11, 12, 10, 11, 12, 10, 11, 12, 10, 11, 12};
  for (int64_t k = 1; k <= 12; ++k) {
    EXPECT_EQ(a.Run(k).seed, perRunSeeds[k - 1]) << k;
    EXPECT_EQ(b.Run(k).seed, pairedSeeds[k - 1]) << k;
    EXPECT_EQ(Settings(a.Run(k)), Settings(b.Run(k)));  // only the seed differs
  }
}

// The stratum of v when [lo, hi) is split in n equal parts.
int64_t Stratum(double v, double lo, double hi, int64_t n) {
  return std::min<int64_t>(n - 1, static_cast<int64_t>(std::floor((v - lo) * static_cast<double>(n) / (hi - lo))));
}

TEST(LatinHypercube, EveryStratumOfEveryRangeHoldsExactlyOneSample) {
  for (int64_t count : {1, 7, 50}) {
    const Experiment e = ParseExperiment(
        "[experiment]\nsteps = 5\nseed = 3\nmeasures = [\"antsOut\"]\n[sample]\ncount = " + std::to_string(count) +
            "\ntxtPercentFood = [0.1, 10.0]\ntxtNumAnts = [100, 5000]\nscrColWidth = [1, 50]\ntxtMinVel = [-2.5, 1e-3]\n",
        "exp.toml");
    const RunPlan plan(e);
    ASSERT_EQ(plan.runs(), count);
    // Whole ranges [a, b] are split as [a, b + 1).
    const double lo[] = {0.1, 100, 1, -2.5}, hi[] = {10.0, 5001, 51, 1e-3};
    for (size_t d = 0; d < 4; ++d) {
      std::set<int64_t> strata;
      for (int64_t k = 1; k <= count; ++k) {
        const std::string typed = plan.Run(k).columns[d];
        const double v = ParseNumber(typed).value;
        ASSERT_TRUE(v >= lo[d] && v < hi[d]) << typed;
        if (d == 1 || d == 2) {
          EXPECT_EQ(v, std::floor(v)) << typed;
        }
        strata.insert(Stratum(v, lo[d], hi[d], count));
      }
      EXPECT_EQ(static_cast<int64_t>(strata.size()), count) << "range " << d << ", count " << count;
    }
  }
}

TEST(LatinHypercube, WholeRangesDrawBothEndsAndARangeOfOneValueGivesIt) {
  // As many numbers as points: each stratum holds one number, so the points
  // are the numbers 3..7 in some order, whatever the seed.
  for (uint64_t seed : {1u, 2u, 99u}) {
    std::multiset<double> drawn;
    for (const auto& p : LatinHypercube(5, {{3, 7, true}}, seed)) drawn.insert(p[0]);
    EXPECT_EQ(drawn, (std::multiset<double>{3, 4, 5, 6, 7})) << seed;
  }
  // Two strata of [1, 11): 1..5 and 6..10. Over many seeds both ends come up.
  std::set<double> low, high;
  for (uint64_t seed = 1; seed <= 200; ++seed) {
    const auto points = LatinHypercube(2, {{1, 10, true}}, seed);
    const double a = std::min(points[0][0], points[1][0]), b = std::max(points[0][0], points[1][0]);
    ASSERT_TRUE(a >= 1 && a <= 5 && b >= 6 && b <= 10) << seed << ": " << a << ", " << b;
    low.insert(a);
    high.insert(b);
  }
  EXPECT_EQ(low, (std::set<double>{1, 2, 3, 4, 5}));
  EXPECT_EQ(high, (std::set<double>{6, 7, 8, 9, 10}));
  // min = max, whole or real: every point holds it.
  const Experiment e = ParseExperiment(
      "[experiment]\nsteps = 5\nmeasures = [\"antsOut\"]\n[sample]\ncount = 4\n"
      "txtNumAnts = [300, 300]\ntxtPercentFood = [2.5, 2.5]\ntxtLeaveInterval = [1, 4]\n",
      "exp.toml");
  const RunPlan plan(e);
  std::multiset<std::string> leave;
  for (int64_t k = 1; k <= 4; ++k) {
    EXPECT_EQ(plan.Run(k).columns[0], "300");
    EXPECT_EQ(plan.Run(k).columns[1], "2.5");
    leave.insert(plan.Run(k).columns[2]);
  }
  EXPECT_EQ(leave, (std::multiset<std::string>{"1", "2", "3", "4"}));
}

TEST(LatinHypercube, TheSeedFixesThePoints) {
  const std::vector<SampleRange> ranges = {{0, 1, false}, {5, 9, true}};
  EXPECT_EQ(LatinHypercube(5, ranges, 4), LatinHypercube(5, ranges, 4));
  EXPECT_NE(LatinHypercube(5, ranges, 4), LatinHypercube(5, ranges, 5));
}

}  // namespace
}  // namespace antraid::experiments
