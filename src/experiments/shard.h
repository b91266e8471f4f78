// Which runs one process of a sharded sweep takes: --shard I/N, or the task's
// place in a Slurm job array (--shard slurm).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace antraid::experiments {

struct Shard {
  int64_t index = 1;  // 1 to count
  int64_t count = 1;
};

// The shard named by `text` ("I/N" or "slurm"), or `problem` set to a message
// (without the program's name) saying why there is none. `env` reads an
// environment variable (nullptr when unset); for "slurm" the shard is the rank
// of SLURM_ARRAY_TASK_ID among the ids of a range A-B:S, which Slurm
// describes by SLURM_ARRAY_TASK_MIN, _MAX, _STEP and _COUNT; a list of ids is
// refused.
struct ShardReading {
  Shard shard;
  std::string problem;
};
using EnvReader = std::function<const char*(const char*)>;
ShardReading ReadShard(std::string_view text, const EnvReader& env);

}  // namespace antraid::experiments
