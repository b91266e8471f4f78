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

TEST(LatinHypercube, TheSeedFixesThePoints) {
  const std::vector<SampleRange> ranges = {{0, 1, false}, {5, 9, true}};
  EXPECT_EQ(LatinHypercube(5, ranges, 4), LatinHypercube(5, ranges, 4));
  EXPECT_NE(LatinHypercube(5, ranges, 4), LatinHypercube(5, ranges, 5));
}

}  // namespace
}  // namespace antraid::experiments
