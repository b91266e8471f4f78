// Sobol' and Morris indices through the sweep's own path: the experiment file
// read, its plan drawn, every combination's output computed by a test
// function in place of the model, and sensitivity.csv made by the code that
// merge uses. Figures are checked against known and hand-worked values.
#include "experiments/sensitivity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <sstream>
#include <string>

#include "common/numbers.h"
#include "experiments/morris_design.h"
#include "experiments/parse_problem.h"
#include "experiments/sobol_design.h"
#include "sim/test_form.h"

namespace antraid::experiments {
namespace {

using Model = std::function<double(const std::vector<double>&)>;

// sensitivity.csv of `file` with each combination's output given by `model`
// of its varied values, as typed in its runs.
std::string Indices(const std::string& file, const Model& model, RunPlan** keep = nullptr) {
  static Experiment e;
  e = ParseExperiment(file, "study.toml");
  static std::unique_ptr<RunPlan> plan;
  plan = std::make_unique<RunPlan>(e);
  std::vector<std::vector<double>> outputs;
  for (int64_t c = 1; c <= plan->combinations(); ++c) {
    const PlannedRun run = plan->Run((c - 1) * e.repetitions + 1);
    std::vector<double> x;
    for (const std::string& v : run.columns) x.push_back(ParseNumber(v).value);
    outputs.push_back({model(x)});
  }
  if (keep) *keep = plan.get();
  return SensitivityCsv(e, *plan, outputs);
}

// "measure,parameter,..." rows by parameter, as numbers (NaN for an empty cell).
std::map<std::string, std::vector<double>> Rows(const std::string& csv) {
  std::map<std::string, std::vector<double>> rows;
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    const std::vector<std::string> cells = testing::CsvCells(line);
    std::vector<double>& row = rows[cells.at(1)];
    for (size_t i = 2; i < cells.size(); ++i) row.push_back(cells[i].empty() ? std::nan("") : ParseNumber(cells[i]).value);
  }
  return rows;
}

const char* kHead = "[experiment]\nsteps = 5\nseed = 7\nmeasures = [\"colonyFood\"]\n";

TEST(SobolIndices, IshigamiIndicesLieWithinTheirBootstrapIntervals) {
  const std::string file = std::string(kHead) +
                           "[sample]\nmethod = \"sobol\"\ncount = 2048\n"
                           "txtPercentFood = [-3.14159265358979, 3.14159265358979]\n"
                           "txtFoodQuality = [-3.14159265358979, 3.14159265358979]\n"
                           "txtMinVel = [-3.14159265358979, 3.14159265358979]\n";
  const Model ishigami = [](const std::vector<double>& x) {
    const double s2 = std::sin(x[1]);
    return std::sin(x[0]) + 7 * s2 * s2 + 0.1 * std::pow(x[2], 4) * std::sin(x[0]);
  };
  const std::string csv = Indices(file, ishigami);
  auto rows = Rows(csv);
  // The analytic indices of a = 7, b = 0.1 (Ishigami and Homma 1990).
  const std::map<std::string, std::pair<double, double>> known = {
      {"txtPercentFood", {0.3139, 0.5576}}, {"txtFoodQuality", {0.4424, 0.4424}}, {"txtMinVel", {0.0, 0.2437}}};
  for (const auto& [name, want] : known) {
    const std::vector<double>& r = rows.at(name);
    ASSERT_EQ(r.size(), 6u) << name;
    EXPECT_LE(r[1], want.first) << name;
    EXPECT_GE(r[2], want.first) << name;
    EXPECT_LE(r[4], want.second) << name;
    EXPECT_GE(r[5], want.second) << name;
    EXPECT_NEAR(r[0], want.first, 0.03) << name;
    EXPECT_NEAR(r[3], want.second, 0.03) << name;
    EXPECT_LT(r[2] - r[1], 0.2) << name;  // an interval that says something
  }
  // The same seed gives the same intervals.
  EXPECT_EQ(csv, Indices(file, ishigami));
}

TEST(SobolIndices, AdditiveModelSharesItsVarianceByHand) {
  // y = x1 + 2 x2 on [0, 1]^2: V = 1/12 + 4/12, so S1 = ST = 0.2 and 0.8;
  // an unused parameter has 0. The AB_i outputs differ from A's only in x_i.
  const std::string csv = Indices(std::string(kHead) +
                                      "[sample]\nmethod = \"sobol\"\ncount = 1024\n"
                                      "txtPercentFood = [0.0, 1.0]\ntxtFoodQuality = [0.0, 1.0]\ntxtMinVel = [0.0, 1.0]\n",
                                  [](const std::vector<double>& x) { return x[0] + 2 * x[1]; });
  auto rows = Rows(csv);
  EXPECT_NEAR(rows["txtPercentFood"][0], 0.2, 0.01);
  EXPECT_NEAR(rows["txtPercentFood"][3], 0.2, 0.01);
  EXPECT_NEAR(rows["txtFoodQuality"][0], 0.8, 0.01);
  EXPECT_NEAR(rows["txtFoodQuality"][3], 0.8, 0.01);
  EXPECT_EQ(rows["txtMinVel"][0], 0);
  EXPECT_EQ(rows["txtMinVel"][3], 0);
}

TEST(SobolIndices, DesignHasItsShapeAndAnOutputThatNeverVariesGivesEmptyCells) {
  RunPlan* plan = nullptr;
  const std::string csv = Indices(std::string(kHead) +
                                      "[sample]\nmethod = \"sobol\"\ncount = 4\ntxtPercentFood = [0.0, 8.0]\n"
                                      "txtNumAnts = [10, 13]\n",
                                  [](const std::vector<double>&) { return 5.0; }, &plan);
  ASSERT_EQ(plan->combinations(), 4 * (2 + 2));
  // Base point 1 of the sequence is (1/2, 1/2, 1/2, 1/2): A = (4, 12), B the same.
  EXPECT_EQ(plan->Run(1).columns, (std::vector<std::string>{"4", "12"}));
  EXPECT_EQ(plan->Run(4).columns, (std::vector<std::string>{"4", "12"}));
  // Point 2 is (3/4, 1/4, 1/4, 1/4): A = (6, 11), AB_1 = (2, 11), AB_2 = (6, 11), B = (2, 11).
  EXPECT_EQ(plan->Run(5).columns, (std::vector<std::string>{"6", "11"}));
  EXPECT_EQ(plan->Run(6).columns, (std::vector<std::string>{"2", "11"}));
  EXPECT_EQ(plan->Run(8).columns, (std::vector<std::string>{"2", "11"}));
  EXPECT_NE(csv.find("colonyFood,txtPercentFood,,,,,,\n"), std::string::npos) << csv;
}

TEST(MorrisEffects, LinearModelGivesItsSlopesTimesTheRanges) {
  // y = 3 x1 - 2 x2 + 0 x3: every elementary effect of x1 is 3 * 9 = 27
  // (range [0, 9], levels 0, 3, 6, 9), of x2 -2 * 4 = -8 (range [1, 5]), of x3 0.
  RunPlan* plan = nullptr;
  const std::string csv = Indices(std::string(kHead) +
                                      "[sample]\nmethod = \"morris\"\ntrajectories = 6\n"
                                      "txtPercentFood = [0.0, 9.0]\ntxtNumAnts = [1, 5]\ntxtMinVel = [-1.0, 1.0]\n",
                                  [](const std::vector<double>& x) { return 3 * x[0] - 2 * x[1]; }, &plan);
  ASSERT_EQ(csv.substr(0, csv.find('\n')), "measure,parameter,mu,mu_star,sigma");
  ASSERT_EQ(plan->combinations(), 6 * 4);
  auto rows = Rows(csv);
  EXPECT_EQ(rows["txtPercentFood"], (std::vector<double>{27, 27, 0}));
  EXPECT_EQ(rows["txtNumAnts"], (std::vector<double>{-8, 8, 0}));
  EXPECT_EQ(rows["txtMinVel"], (std::vector<double>{0, 0, 0}));
  // Every trajectory moves each parameter once, between levels two apart.
  for (int64_t t = 0; t < 6; ++t)
    for (int64_t s = 1; s <= 3; ++s) {
      int changed = 0;
      for (size_t d = 0; d < 3; ++d) changed += plan->points()[t * 4 + s][d] != plan->points()[t * 4 + s - 1][d];
      EXPECT_EQ(changed, 1);
    }
  for (const auto& p : plan->points()) {
    EXPECT_TRUE(p[0] == 0 || p[0] == 3 || p[0] == 6 || p[0] == 9) << p[0];
    EXPECT_TRUE(p[1] == 1 || p[1] == 2 || p[1] == 4 || p[1] == 5) << p[1];  // 1 + l * 4 / 3, rounded
  }
}

TEST(MorrisEffects, RanksParametersAndWorksMuStarAndSigmaByHand) {
  // Two trajectories of a hand-made design on [0, 1]: y = x1 * x2 + 0.1 x3.
  const std::vector<SampleRange> r(3, SampleRange{0, 1, false});
  const std::vector<std::vector<double>> points = {
      {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1},  // EE: x1 0, x2 1, x3 0.1
      {1, 1, 1}, {1, 0, 1}, {0, 0, 1}, {0, 0, 0}};  // EE: x2 1, x1 0, x3 0.1
  std::vector<double> y;
  for (const auto& p : points) y.push_back(p[0] * p[1] + 0.1 * p[2]);
  const std::vector<MorrisEffect> e = MorrisEffects(points, y, r);
  EXPECT_DOUBLE_EQ(e[0].mu, 0);
  EXPECT_DOUBLE_EQ(e[1].mu, 1);
  EXPECT_DOUBLE_EQ(e[1].sigma, 0);
  EXPECT_DOUBLE_EQ(e[2].muStar, 0.1);
  // A missing output leaves out the two moves that touch it.
  y[5] = std::nan("");
  const std::vector<MorrisEffect> g = MorrisEffects(points, y, r);
  EXPECT_DOUBLE_EQ(g[1].mu, 1);      // only the first trajectory's
  EXPECT_DOUBLE_EQ(g[0].mu, 0);      // 0 (first trajectory); the second's move from point 5 is gone
  EXPECT_TRUE(std::isnan(g[1].sigma));
  // A non-linear model ranks the strong interaction first: y = x1 x2 x2 + x3 / 100 on [0, 1].
  std::string csv = Indices(std::string(kHead) +
                                "[sample]\nmethod = \"morris\"\ntrajectories = 20\nlevels = 6\n"
                                "txtPercentFood = [0.0, 1.0]\ntxtFoodQuality = [0.0, 1.0]\ntxtMinVel = [0.0, 1.0]\n",
                            [](const std::vector<double>& x) { return 5 * x[0] * x[1] * x[1] + x[2] / 100; });
  auto rows = Rows(csv);
  EXPECT_GT(rows["txtFoodQuality"][1], rows["txtPercentFood"][1]);
  EXPECT_GT(rows["txtPercentFood"][1], rows["txtMinVel"][1]);
  EXPECT_DOUBLE_EQ(rows["txtMinVel"][1], 0.01);
  EXPECT_GT(rows["txtPercentFood"][2], 0);  // an interaction spreads the effects
}

TEST(SensitivityFile, MistakesInTheDesignAreReportedWithTheirPlace) {
  auto error = [](const std::string& sample) {
    return ParseProblem(std::string(kHead) + "[sample]\n" + sample, "s.toml");
  };
  EXPECT_EQ(error("method = \"saltelli\"\ncount = 4\ntxtNumAnts = [1, 9]\n"),
            "s.toml:6:10: unknown method \"saltelli\" (the methods are \"latin-hypercube\", \"sobol\", \"morris\")");
  EXPECT_EQ(error("method = \"sobol\"\ncount = 1\ntxtNumAnts = [1, 9]\n"), "s.toml:7:9: count must be from 2 to 10000000, not 1");
  EXPECT_EQ(error("method = \"sobol\"\ncount = 8\n"), "s.toml:5:1: [sample] needs at least one range for its indices");
  EXPECT_EQ(error("method = \"morris\"\ncount = 4\ntxtNumAnts = [1, 9]\n"),
            "s.toml:7:9: Morris screening takes trajectories, not count");
  EXPECT_EQ(error("method = \"morris\"\ntrajectories = 1\ntxtNumAnts = [1, 9]\n"),
            "s.toml:7:16: trajectories must be from 2 to 10000000, not 1");
  EXPECT_EQ(error("method = \"morris\"\ntrajectories = 3\ntxtNumAnts = [1, 3]\n"),
            "s.toml:8:14: txtNumAnts: [1, 3] holds fewer whole numbers than levels");
  EXPECT_EQ(error("method = \"morris\"\ntrajectories = 3\ntxtPercentFood = [2.0, 2.0]\n"),
            "s.toml:8:18: txtPercentFood: Morris screening needs a range with min < max");
  EXPECT_EQ(error("method = \"sobol\"\ncount = 4\nlevels = 3\ntxtNumAnts = [1, 9]\n"),
            "s.toml:8:10: levels belongs to method = \"morris\"");
  EXPECT_EQ(error("method = \"sobol\"\ncount = 4\ntxtNumAnts = [1, 9]\n[[case]]\nchkUsePm = 1\n"),
            "s.toml:9:1: [[case]] cannot be combined with Sobol' or Morris indices: make one file per case");
}

}  // namespace
}  // namespace antraid::experiments
