// The search's optimisers and bookkeeping with a known function in place of
// the model (the same code the sweep runs), and the mistakes a [search]
// table can hold.
#include "experiments/search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "common/numbers.h"
#include "experiments/parse_problem.h"

namespace antraid::experiments {
namespace {

double Num(const std::string& s) { return ParseNumber(s).value; }

const std::string kHead = "[experiment]\nsteps = 5\nseed = 11\nmeasures = [\"antsOut\", \"colonyFood\"]\n[search]\n";

Experiment Search(const std::string& table) { return ParseExperiment(kHead + table, "opt.toml"); }

// A hill with its top 10 at food = 1.5, quality = -2, ants = 37.
std::vector<double> Hill(const std::vector<std::string>& v) {
  const double a = Num(v[0]) - 1.5, b = Num(v[1]) + 2, n = (Num(v[2]) - 37) / 10;
  return {10 - a * a - b * b - n * n};
}

TEST(SearchOptimisers, EveryOneObjectiveAlgorithmClimbsAKnownHillToItsTop) {
  for (const char* algorithm : {"cmaes", "sga", "de", "pso"}) {
    const Experiment e = Search(std::string("algorithm = \"") + algorithm +
                                "\"\nmaximize = \"colonyFood\"\npopulation = 20\ngenerations = 100\n"
                                "txtPercentFood = [-5.0, 5.0]\ntxtFoodQuality = [-5.0, 5.0]\ntxtNumAnts = [1, 100]\n");
    const SearchTrace t = SearchModel(e, Hill);
    const Evaluation* best = &t.evaluations.front();
    for (const Evaluation& ev : t.evaluations) {
      if (ev.means[0] > best->means[0]) best = &ev;
      // Whole ranges stay whole, and every value stays in its range.
      EXPECT_EQ(Num(ev.values[2]), std::round(Num(ev.values[2]))) << algorithm;
      EXPECT_GE(Num(ev.values[2]), 1) << algorithm;
      EXPECT_LE(Num(ev.values[2]), 100) << algorithm;
      EXPECT_LE(std::abs(Num(ev.values[0])), 5) << algorithm;
    }
    EXPECT_GT(best->means[0], 9.9) << algorithm;
    EXPECT_NEAR(Num(best->values[0]), 1.5, 0.3) << algorithm;
    EXPECT_NEAR(Num(best->values[1]), -2, 0.3) << algorithm;
    EXPECT_NEAR(Num(best->values[2]), 37, 3) << algorithm;
  }
}

TEST(SearchOptimisers, MinimizingFindsTheBottomAndTheSameFileGivesTheSameCandidates) {
  const Experiment e = Search("algorithm = \"de\"\nminimize = \"antsOut\"\npopulation = 10\ngenerations = 30\n"
                              "txtPercentFood = [-5.0, 5.0]\n");
  auto bowl = [](const std::vector<std::string>& v) { return std::vector<double>{(Num(v[0]) - 2) * (Num(v[0]) - 2) + 3}; };
  const SearchTrace t = SearchModel(e, bowl), again = SearchModel(e, bowl);
  double lowest = 1e9;
  for (const Evaluation& ev : t.evaluations) lowest = std::min(lowest, ev.means[0]);
  EXPECT_NEAR(lowest, 3, 1e-3);
  ASSERT_EQ(t.evaluations.size(), again.evaluations.size());
  for (size_t i = 0; i < t.evaluations.size(); ++i) EXPECT_EQ(t.evaluations[i].values, again.evaluations[i].values);
  // The first population is generation 0, candidates 1 to 10; numbers follow
  // the order of first proposal, and the marks count the candidates so far.
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(t.evaluations[i].generation, 0);
    EXPECT_EQ(t.evaluations[i].candidate, static_cast<int64_t>(i) + 1);
    EXPECT_EQ(t.evaluations[i].number, static_cast<int64_t>(i) + 1);
  }
  ASSERT_EQ(t.generations.size(), 31u);
  EXPECT_EQ(t.generations[0].evaluations, 10);
  for (size_t g = 1; g < t.generations.size(); ++g) {
    EXPECT_GE(t.generations[g].evaluations, t.generations[g - 1].evaluations);
    EXPECT_LE(t.generations[g].evaluations, t.generations[g - 1].evaluations + 10);
  }
  std::set<std::vector<std::string>> distinct;
  for (const Evaluation& ev : t.evaluations) EXPECT_TRUE(distinct.insert(ev.values).second);  // each setting runs once
}

TEST(SearchOptimisers, Nsga2FindsTheParetoSetOfTwoBowls) {
  // f1 = x^2 and f2 = (x - 2)^2: the non-dominated set is x in [0, 2].
  const Experiment e = Search("algorithm = \"nsga2\"\nminimize = [\"antsOut\", \"colonyFood\"]\npopulation = 24\n"
                              "generations = 30\ntxtPercentFood = [-5.0, 5.0]\n");
  const SearchTrace t = SearchModel(e, [](const std::vector<std::string>& v) {
    const double x = Num(v[0]);
    return std::vector<double>{x * x, (x - 2) * (x - 2)};
  });
  const std::vector<const Evaluation*> front = NonDominated(t.evaluations, t.evaluations.size());
  ASSERT_GE(front.size(), 10u);
  double low = 9, high = -9;
  for (const Evaluation* ev : front) {
    const double x = Num(ev->values[0]);
    EXPECT_GE(x, -0.05);  // a finite set: its front may reach a little past the true one
    EXPECT_LE(x, 2.05);
    low = std::min(low, x);
    high = std::max(high, x);
  }
  EXPECT_LT(low, 0.2);
  EXPECT_GT(high, 1.8);
  for (size_t i = 1; i < front.size(); ++i) EXPECT_LE(front[i - 1]->means[0], front[i]->means[0]);  // by f1
}

TEST(SearchOptimisers, FailedCandidatesNeverCountAsBestAndTwoOfThreeByHandFormTheFront) {
  // A hand-made set of four: (1, 5), (2, 2), (3, 3) beaten by (2, 2), and a failure.
  std::vector<Evaluation> ev(4);
  const double f[4][2] = {{1, 5}, {2, 2}, {3, 3}, {0, 0}};
  for (size_t i = 0; i < 4; ++i) {
    ev[i].number = static_cast<int64_t>(i) + 1;
    ev[i].ok = i != 3;
    ev[i].fitness = {f[i][0], f[i][1]};
  }
  const auto front = NonDominated(ev, 4);
  ASSERT_EQ(front.size(), 2u);
  EXPECT_EQ(front[0]->number, 1);
  EXPECT_EQ(front[1]->number, 2);
  EXPECT_EQ(NonDominated(ev, 1).size(), 1u);
}

TEST(SearchFile, MistakesAreReportedWithTheirPlace) {
  auto error = [](const std::string& table) { return ParseProblem(kHead + table, "opt.toml"); };
  const std::string ranges = "txtNumAnts = [10, 90]\n";
  EXPECT_EQ(error("algorithm = \"bfgs\"\nmaximize = \"antsOut\"\npopulation = 8\ngenerations = 2\n" + ranges),
            "opt.toml:6:13: unknown algorithm \"bfgs\" (the algorithms are \"cmaes\", \"sga\", \"de\", \"pso\" and \"nsga2\")");
  EXPECT_EQ(error("algorithm = \"de\"\npopulation = 8\ngenerations = 2\n" + ranges),
            "opt.toml:5:1: de needs one objective: maximize = \"MEASURE\" or minimize = \"MEASURE\"");
  EXPECT_EQ(error("algorithm = \"de\"\nmaximize = \"foodPile\"\npopulation = 8\ngenerations = 2\n" + ranges),
            "opt.toml:7:12: objective \"foodPile\" is not one of the measures or final measures of [experiment]");
  EXPECT_EQ(error("algorithm = \"cmaes\"\nmaximize = \"antsOut\"\npopulation = 4\ngenerations = 2\n" + ranges),
            "opt.toml:8:14: cmaes needs a population of at least 5, not 4");
  EXPECT_EQ(error("algorithm = \"nsga2\"\nmaximize = \"antsOut\"\nminimize = \"colonyFood\"\npopulation = 10\n"
                  "generations = 2\n" + ranges),
            "opt.toml:9:14: nsga2 needs a population of at least 8 and a multiple of 4, not 10");
  EXPECT_EQ(error("algorithm = \"nsga2\"\nmaximize = \"antsOut\"\npopulation = 8\ngenerations = 2\n" + ranges),
            "opt.toml:7:12: nsga2 needs two objectives (maximize and minimize, each a measure or a list), not 1");
  EXPECT_EQ(error("algorithm = \"sga\"\nmaximize = \"antsOut\"\npopulation = 8\n" + ranges),
            "opt.toml:5:1: [search] needs generations");
  EXPECT_EQ(error("algorithm = \"sga\"\nmaximize = \"antsOut\"\npopulation = 8\ngenerations = 2\n"),
            "opt.toml:5:1: [search] needs at least one range, such as txtNumAnts = [100, 2000]");
  EXPECT_EQ(error("algorithm = \"sga\"\nmaximize = \"antsOut\"\npopulation = 8\ngenerations = 2\n" + ranges +
                  "[vary]\ntxtPercentFood = [1, 2]\n"),
            "opt.toml:5:1: a file has [search] or [vary], not both");
  EXPECT_EQ(error("algorithm = \"sga\"\nmaximize = \"antsOut\"\npopulation = 8\ngenerations = 2\nchkUsePm = [0, 1]\n"),
            "opt.toml:10:1: chkUsePm is a check box; [search] takes ranges of numbers");
}

}  // namespace
}  // namespace antraid::experiments
