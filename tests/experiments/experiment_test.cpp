// Mistakes in an experiment file are reported with their place in the file
// before anything runs.
#include "experiments/experiment.h"

#include <gtest/gtest.h>

#include <string>

#include "experiments/parse_problem.h"

namespace antraid::experiments {
namespace {

constexpr const char* kHead = "[experiment]\nsteps = 10\nmeasures = [\"colonyFood\"]\n";

TEST(ExperimentFile, EachMistakeIsNamedWithItsLineAndColumn) {
  const struct {
    std::string text, message;
  } cases[] = {
      {"[experiment\nsteps = 1\n", "exp.toml:1:"},
      {std::string(kHead) + "[set]\ntxtNumAnt = 5\n", "exp.toml:5:1: unknown control \"txtNumAnt\""},
      {std::string(kHead) + "[set]\nlblTotalFood = 5\n", "exp.toml:5:1: lblTotalFood is a button or a label"},
      {std::string(kHead) + "[set]\ntxtDebugMsg = \"x\"\n", "exp.toml:5:1: txtDebugMsg is a read-out"},
      {std::string(kHead) + "[set]\nchkUseVel = 2\n", "exp.toml:5:13: chkUseVel is a check box: it takes 0 or 1"},
      {std::string(kHead) + "[set]\nchkSaveImages = 1\n", "exp.toml:5:17: chkSaveImages: a sweep's runs draw no picture"},
      {std::string(kHead) + "[set]\nscrColWidth = 2.5\n", "exp.toml:5:15: scrColWidth is a scroll bar"},
      {"[experiment]\nsteps = 0\nmeasures = [\"colonyFood\"]\n", "exp.toml:2:9: steps must be from 1 to"},
      {"[experiment]\nmeasures = [\"colonyFood\"]\n", "exp.toml:1:1: [experiment] needs steps"},
      {"[experiment]\nsteps = 5\nmeasures = []\n", "exp.toml:3:12: measures is an empty list"},
      {"[experiment]\nsteps = 5\nmeasures = [\"colonyFod\"]\n",
       "exp.toml:3:13: measure \"colonyFod\": unknown control or field \"colonyFod\""},
      {"[experiment]\nsteps = 5\nmeasures = [\"pherGrid 3\"]\n", "measure \"pherGrid 3\" is not one print item"},
      {"[experiment]\nsteps = 5\nmeasures = [\"ant 3\"]\n", "ant N prints a whole line"},
      {"[experiment]\nsteps = 5\nstep = 3\nmeasures = [\"antsOut\"]\n", "exp.toml:3:1: unknown key \"step\" in [experiment]"},
      {std::string(kHead) + "[varry]\n", "exp.toml:4:2: unknown key \"varry\""},
      {std::string(kHead) + "[vary]\ntxtNumAnts = []\n", "exp.toml:5:14: txtNumAnts in [vary] is an empty list"},
      {std::string(kHead) + "[set]\ntxtNumAnts = 5\n[vary]\ntxtNumAnts = [1, 2]\n",
       "exp.toml:7:1: txtNumAnts is set in [set] and in [vary]"},
      {std::string(kHead) + "[sample]\ncount = 3\ntxtPercentFood = [5.0, 1.0]\n",
       "exp.toml:6:18: txtPercentFood: the range's min is more than its max"},
      {std::string(kHead) + "[sample]\ncount = 5\ntxtNumAnts = [10, 12]\n", "holds fewer whole numbers than count"},
      {std::string(kHead) + "[vary]\ntxtNumAnts = [1]\n[sample]\ncount = 2\n", "a file has [vary] or [sample], not both"},
      {std::string(kHead) + "seeds = \"paired\"\n", "exp.toml:4:9: seeds must be \"per-run\" or \"per-repetition\""},
      {std::string(kHead) + "[pictures]\nat = \"start\"\n", "exp.toml:5:6: at takes \"end\""},
      {std::string(kHead) + "[pictures]\nat = \"end\"\nevery = 5\n", "exp.toml:5:6: [pictures] has at or every, not both"},
      {std::string(kHead) + "[pictures]\nevery = 0\n", "exp.toml:5:9: every must be from 1 to"},
      {"[experiment]\nsteps = 100000\nmeasures = [\"antsOut\"]\n[pictures]\nevery = 9\n",
       "exp.toml:5:9: every gives more than 10000 pictures per run"},
      {std::string(kHead) + "[pictures]\nlayers = [\"ants\", \"food\"]\n", "exp.toml:5:19: a layer is \"ants\" or \"trails\""},
      {std::string(kHead) + "[pictures]\nlayers = [\"ants\", \"ants\"]\n", "layer \"ants\" is named twice"},
      {std::string(kHead) + "[pictures]\nlayers = []\n", "layers must be a list"},
      {std::string(kHead) + "[pictures]\nsize = 3\n", "exp.toml:5:1: unknown key \"size\" in [pictures]"},
      {std::string(kHead) + "[pictures]\nmovie = 1\n", "exp.toml:5:9: movie takes true or false"},
      {std::string(kHead) + "[pictures]\nmovie_every = 4\n", "exp.toml:5:15: movie_every needs movie = true"},
      {std::string(kHead) + "[pictures]\nmovie = true\nmovie_every = 0\n", "exp.toml:6:15: movie_every must be from 1 to"},
      {"[set]\ntxtNumAnts = 5\n", "the file needs an [experiment] table"},
  };
  for (const auto& c : cases)
    EXPECT_NE(ParseProblem(c.text).find(c.message), std::string::npos) << c.text << "\ngave: " << ParseProblem(c.text);
}

TEST(ExperimentFile, ValuesBecomeTheWordsAUserTypes) {
  const Experiment e = ParseExperiment(std::string(kHead) +
                                           "repetitions = 2\n"
                                           "[set]\ntxtPercentFood = 1.0\ntxtMinVel = 0.25\ntxtImageName = \"run 1\"\n"
                                           "chkUseVel = false\nscrColWidth = 30\n",
                                       "exp.toml");
  ASSERT_EQ(e.fixed.size(), 5u);
  const std::string typed[] = {"1", "0.25", "run 1", "0", "30"};  // file order, numbers as the program writes them
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(e.fixed[i].value, typed[i]) << e.fixed[i].control;
  EXPECT_EQ(e.fixed[0].control, "txtPercentFood");
  EXPECT_EQ(e.repetitions, 2);
}

}  // namespace
}  // namespace antraid::experiments
