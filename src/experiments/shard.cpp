#include "experiments/shard.h"

#include <charconv>
#include <optional>

namespace antraid::experiments {

namespace {

std::optional<int64_t> Whole(std::string_view s) {
  int64_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
  return v;
}

std::optional<int64_t> Variable(const EnvReader& env, const char* name) {
  const char* v = env(name);
  return v ? Whole(v) : std::nullopt;
}

constexpr const char* kHowToSubmit =
    "submit a range (sbatch --array=1-N, or A-B:S with a step), or give each task its shard with --shard I/N";

ShardReading Refuse(std::string message) { return {{}, std::move(message)}; }

// The ids of a range A-B:S are MIN, MIN + STEP, ..., MAX, COUNT of them.
// Slurm describes a list (1,3,5,7) by the same variables, with a STEP of 1
// or that of its last part, which no longer lead from MIN to MAX in COUNT ids:
// its task's rank cannot be known then. Without STEP (older releases) the
// step is 1.
ShardReading ReadSlurm(const EnvReader& env) {
  const char* idText = env("SLURM_ARRAY_TASK_ID");
  const char* countText = env("SLURM_ARRAY_TASK_COUNT");
  if (!idText || !countText)
    return Refuse(
        "--shard slurm needs SLURM_ARRAY_TASK_ID and SLURM_ARRAY_TASK_COUNT (run it inside a Slurm job array, "
        "sbatch --array=1-N)");
  const auto id = Whole(idText), count = Whole(countText);
  const auto min = env("SLURM_ARRAY_TASK_MIN") ? Variable(env, "SLURM_ARRAY_TASK_MIN") : std::optional<int64_t>(1);
  const auto max = env("SLURM_ARRAY_TASK_MAX") ? Variable(env, "SLURM_ARRAY_TASK_MAX") : std::nullopt;
  const auto step = env("SLURM_ARRAY_TASK_STEP") ? Variable(env, "SLURM_ARRAY_TASK_STEP") : std::optional<int64_t>(1);
  const std::string described = "--shard slurm: SLURM_ARRAY_TASK_ID=" + std::string(idText) +
                                " and SLURM_ARRAY_TASK_COUNT=" + countText;
  if (!id || !count || !min || !step || *count < 1 || *step < 1 || (env("SLURM_ARRAY_TASK_MAX") && !max))
    return Refuse(described + " do not name a task of a job array");
  const int64_t last = max ? *max : *min + (*count - 1) * *step;
  if (last - *min != (*count - 1) * *step)
    return Refuse("--shard slurm: the array's " + std::to_string(*count) + " task ids from " + std::to_string(*min) +
                  " to " + std::to_string(last) + " are not a range A-B:S (a list such as 1,3,5,7 is not), so this " +
                  "task's shard is unknown; " + kHowToSubmit);
  const int64_t offset = *id - *min;
  if (offset < 0 || *id > last || offset % *step != 0)
    return Refuse(described + " do not name a task of the array (ids " + std::to_string(*min) + " to " +
                  std::to_string(last) + (*step > 1 ? " in steps of " + std::to_string(*step) : std::string()) + ")");
  return {{offset / *step + 1, *count}, {}};
}

}  // namespace

ShardReading ReadShard(std::string_view text, const EnvReader& env) {
  if (text == "slurm") return ReadSlurm(env);
  std::optional<int64_t> i, n;
  if (const size_t slash = text.find('/'); slash != std::string_view::npos) {
    i = Whole(text.substr(0, slash));
    n = Whole(text.substr(slash + 1));
  }
  if (!i || !n || *n < 1 || *i < 1 || *i > *n)
    return Refuse("--shard needs I/N with 1 <= I <= N, or slurm, not \"" + std::string(text) + "\"");
  return {{*i, *n}, {}};
}

}  // namespace antraid::experiments
