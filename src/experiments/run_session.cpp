#include "experiments/run_session.h"

#include <exception>
#include <sstream>

#include "common/numbers.h"
#include "experiments/setting_check.h"
#include "experiments/world_check.h"
#include "platform/headless/script_runner.h"

namespace antraid::experiments {

namespace {

RunResult Failed(std::string message) {
  for (char& c : message)
    if (c == '\n' || c == '\r') c = ' ';
  while (!message.empty() && message.back() == ' ') message.pop_back();
  RunResult r;
  r.ok = false;
  r.message = std::move(message);
  return r;
}

constexpr std::string_view kStoppedAt = "stopped at step ";

// The print blocks of the output: each line is ITEM=VALUE; the beeps the
// program makes on the way are printed between them. Every row but the last
// holds `perRow` values; the last holds `finals` more. The rows come out as
// wide as the last, the final measures blank before it.
std::vector<std::vector<std::string>> Rows(const std::string& output, size_t perRow, size_t finals, size_t count) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(kStoppedAt)) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;  // "beep"
    row.push_back(line.substr(eq + 1));
    const bool last = rows.size() + 1 == count;
    if (row.size() == perRow + (last ? finals : 0)) {
      row.resize(perRow + finals);
      rows.push_back(std::move(row));
      row.clear();
    }
  }
  return rows;
}

}  // namespace

std::vector<int64_t> RowStepsOf(const RunResult& result, const RunScript& script) {
  std::vector<int64_t> steps(script.rowSteps.begin(), script.rowSteps.begin() + static_cast<std::ptrdiff_t>(result.rows.size()));
  if (result.stoppedAt > 0 && !steps.empty()) steps.back() = result.stoppedAt;
  return steps;
}

int64_t StepsOf(const RunResult& result, const RunScript& script) {
  return result.stoppedAt > 0 ? result.stoppedAt : (script.rowSteps.empty() ? 0 : script.rowSteps.back());
}

RunResult PerformRun(const Experiment& e, const PlannedRun& run, const RunScript& script, const std::string& folder) {
  try {
    SettingCheck check(run.settings, script);  // outlives the runner's form
    std::ostringstream out, err;
    ScriptOptions options;
    options.seed = run.seed;
    options.picture = e.pictures.ants || e.pictures.movie;  // nobody looks at the others
    options.fileFolder = folder;
    ScriptRunner* runner = nullptr;
    std::string offWorld;  // a measure the run's world does not hold
    options.beforeLine = [&](int line) {
      if (!check.BeforeLine(*runner->form(), line)) return false;
      if (line != script.startLine + 1) return true;
      // Right after Start, before the first step: every measure lies in this world.
      for (const std::string& m : e.measures)
        if (auto problem = MeasureOffWorld(m, WorldOf(*runner->form()))) {
          offWorld = "measure \"" + m + "\": " + *problem;
          return false;
        }
      return true;
    };
    ScriptRunner session(out, err, options);
    runner = &session;
    const int status = session.Run(script.text);
    if (!check.failure().empty()) return Failed(check.failure());
    if (!offWorld.empty()) return Failed(offWorld);
    if (status != 0) return Failed("the session stopped: " + err.str());
    RunResult result;
    result.rows = Rows(out.str(), e.measures.size() + 1, e.finals.size(), script.rowSteps.size());
    if (result.rows.size() != script.rowSteps.size())
      return Failed("the session printed " + FormatInt(static_cast<long long>(result.rows.size())) + " of " +
                    FormatInt(static_cast<long long>(script.rowSteps.size())) + " rows");
    // After a stop condition held, no step went by: the blocks still to come
    // printed the state of that step, the last of them with the final
    // measures, which becomes the run's last row.
    const std::string text = out.str();
    if (const size_t at = text.find(kStoppedAt); at != std::string::npos) {
      const size_t colon = text.find(": ", at);
      const size_t eol = text.find('\n', at);
      result.stoppedAt = std::stoll(text.substr(at + kStoppedAt.size(), colon - at - kStoppedAt.size()));
      result.stopped = text.substr(colon + 2, eol - colon - 2);
      size_t kept = 0;
      while (kept < script.rowSteps.size() && script.rowSteps[kept] < result.stoppedAt) ++kept;
      result.rows[kept] = std::move(result.rows.back());
      result.rows.resize(kept + 1);
    }
    return result;
  } catch (const std::exception& ex) {
    return Failed(std::string("internal error: ") + ex.what());
  }
}

}  // namespace antraid::experiments
