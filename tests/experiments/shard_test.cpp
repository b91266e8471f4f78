// The shard a process takes: from --shard I/N, and from a Slurm job array's
// variables (as Slurm 22.05 sets them) for ranges, stepped ranges, a list of
// consecutive ids and a single resubmitted task; lists, whose task's place
// cannot be known, are refused.
#include "experiments/shard.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace antraid::experiments {
namespace {

// The shard of a task whose Slurm variables are ID COUNT MIN MAX STEP, "-" for unset.
ShardReading FromSlurm(const char* id, const char* count, const char* min, const char* max, const char* step) {
  const std::map<std::string, std::string> vars = {{"SLURM_ARRAY_TASK_ID", id}, {"SLURM_ARRAY_TASK_COUNT", count},
      {"SLURM_ARRAY_TASK_MIN", min}, {"SLURM_ARRAY_TASK_MAX", max}, {"SLURM_ARRAY_TASK_STEP", step}};
  return ReadShard("slurm", [&](const char* name) -> const char* {
    auto it = vars.find(name);
    return it == vars.end() || it->second == "-" ? nullptr : it->second.c_str();
  });
}

TEST(Shard, IOverNIsTakenAsTypedAndRefusedOutsideOneToN) {
  const ShardReading r = ReadShard("3/4", [](const char*) { return nullptr; });
  EXPECT_EQ(r.problem, "");
  EXPECT_EQ(r.shard.index, 3);
  EXPECT_EQ(r.shard.count, 4);
  for (const char* bad : {"0/4", "5/4", "1/0", "4", "a/b", "1/", "/2", "1/2/3", "-1/2"}) {
    const ShardReading b = ReadShard(bad, [](const char*) { return nullptr; });
    EXPECT_EQ(b.problem, "--shard needs I/N with 1 <= I <= N, or slurm, not \"" + std::string(bad) + "\"") << bad;
  }
}

TEST(Shard, SlurmTaskIsItsRankAmongTheArraysIds) {
  const struct {
    const char *id, *count, *min, *max, *step;
    int64_t index, count_;
  } cases[] = {
      {"3", "4", "1", "4", "1", 3, 4},     // --array=1-4
      {"7", "4", "5", "8", "1", 3, 4},     // --array=5-8
      {"2", "4", "-", "-", "-", 2, 4},     // the variables of older Slurm releases: ids from 1
      {"6", "4", "5", "8", "-", 2, 4},     // no step named: steps of 1
      {"10", "4", "10", "16", "2", 1, 4},  // --array=10-17:2 is 10, 12, 14, 16
      {"14", "4", "10", "16", "2", 3, 4},
      {"16", "4", "10", "16", "2", 4, 4},
      {"7", "4", "1", "7", "2", 4, 4},     // --array=1-7:2
      {"3", "4", "1", "4", "1", 3, 4},     // --array=1,2,3,4 is the range 1-4
      {"2", "1", "2", "2", "1", 1, 1},     // --array=2 alone is a one-task array: every run
      {"9", "1", "9", "9", "-", 1, 1},
  };
  for (const auto& c : cases) {
    const ShardReading r = FromSlurm(c.id, c.count, c.min, c.max, c.step);
    EXPECT_EQ(r.problem, "") << c.id << " of " << c.min << "-" << c.max << ":" << c.step;
    EXPECT_EQ(r.shard.index, c.index) << c.id << " of " << c.min << "-" << c.max << ":" << c.step;
    EXPECT_EQ(r.shard.count, c.count_) << c.id;
  }
}

TEST(Shard, SlurmArraysWhoseTaskPlaceIsUnknownAreRefusedWithHowToSubmit) {
  // --array=1,3,5,7: Slurm gives the list a step of 1.
  const ShardReading list = FromSlurm("5", "4", "1", "7", "1");
  EXPECT_EQ(list.problem,
            "--shard slurm: the array's 4 task ids from 1 to 7 are not a range A-B:S (a list such as 1,3,5,7 is "
            "not), so this task's shard is unknown; submit a range (sbatch --array=1-N, or A-B:S with a step), or "
            "give each task its shard with --shard I/N");
  EXPECT_EQ(FromSlurm("1", "4", "1", "7", "1").problem, list.problem);  // refused in every task
  // --array=1,2,5,9 and 1,5-9:2 (the step of its last part).
  EXPECT_NE(FromSlurm("5", "4", "1", "9", "-").problem.find("are not a range"), std::string::npos);
  EXPECT_NE(FromSlurm("7", "4", "1", "9", "2").problem.find("are not a range"), std::string::npos);
  // An id off the array's ids.
  EXPECT_EQ(FromSlurm("13", "4", "10", "16", "2").problem,
            "--shard slurm: SLURM_ARRAY_TASK_ID=13 and SLURM_ARRAY_TASK_COUNT=4 do not name a task of the array "
            "(ids 10 to 16 in steps of 2)");
  EXPECT_NE(FromSlurm("17", "4", "1", "4", "1").problem.find("do not name a task of the array (ids 1 to 4)"),
            std::string::npos);
  for (const ShardReading& r : {FromSlurm("x", "4", "1", "4", "1"), FromSlurm("1", "0", "1", "4", "1"),
                                FromSlurm("1", "4", "1", "4", "0"), FromSlurm("1", "4", "one", "4", "1")})
    EXPECT_NE(r.problem.find("do not name a task of a job array"), std::string::npos);
  EXPECT_NE(FromSlurm("1", "-", "1", "4", "1").problem.find("needs SLURM_ARRAY_TASK_ID and"), std::string::npos);
}

}  // namespace
}  // namespace antraid::experiments
