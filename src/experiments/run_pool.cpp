#include "experiments/run_pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "experiments/result_files.h"
#include "experiments/run_script.h"
#include "experiments/run_session.h"

namespace antraid::experiments {

void PerformRuns(const std::string& dir, const Experiment& experiment, const RunPlan& plan, size_t count,
                 const std::function<PlannedRun(size_t)>& runAt, int jobs, Progress& progress) {
  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex errorMutex;
  std::optional<IoError> error;
  auto worker = [&] {
    while (!stop) {
      const size_t i = next++;
      if (i >= count) return;
      const PlannedRun run = runAt(i);
      if (RunComplete(dir, run.number)) {  // another process on the same runs was quicker
        progress.Done();
        continue;
      }
      const RunScript script = MakeRunScript(experiment, run);
      const RunResult result = PerformRun(experiment, run, script, dir);
      try {
        WriteRunFiles(dir, experiment, plan, run, script, result);
      } catch (const std::exception& ex) {
        std::lock_guard<std::mutex> lock(errorMutex);
        if (!error) error = IoError(ex.what());
        stop = true;
        return;
      }
      progress.Done(result.ok);
    }
  };
  std::vector<std::thread> threads;
  const size_t n = std::min(count, static_cast<size_t>(std::max(1, jobs)));
  for (size_t t = 1; t < n; ++t) threads.emplace_back(worker);
  worker();
  for (auto& t : threads) t.join();
  if (error) throw *error;
}

}  // namespace antraid::experiments
