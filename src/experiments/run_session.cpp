#include "experiments/run_session.h"

#include <exception>
#include <sstream>

#include "common/numbers.h"
#include "experiments/setting_check.h"
#include "platform/headless/script_runner.h"

namespace antraid::experiments {

namespace {

RunResult Failed(std::string message) {
  for (char& c : message)
    if (c == '\n' || c == '\r') c = ' ';
  while (!message.empty() && message.back() == ' ') message.pop_back();
  return {false, std::move(message), {}};
}

// The print blocks of the output: each line is ITEM=VALUE; the beeps the
// program makes on the way are printed between them.
std::vector<std::vector<std::string>> Rows(const std::string& output, size_t perRow) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;  // "beep"
    row.push_back(line.substr(eq + 1));
    if (row.size() == perRow) rows.push_back(std::move(row)), row.clear();
  }
  return rows;
}

}  // namespace

RunResult PerformRun(const Experiment& e, const PlannedRun& run, const RunScript& script, const std::string& folder) {
  try {
    SettingCheck check(run.settings, script);  // outlives the runner's form
    std::ostringstream out, err;
    ScriptOptions options;
    options.seed = run.seed;
    options.picture = e.pictures.ants;  // nobody looks at the others
    options.fileFolder = folder;
    ScriptRunner* runner = nullptr;
    options.beforeLine = [&](int line) { return check.BeforeLine(*runner->form(), line); };
    ScriptRunner session(out, err, options);
    runner = &session;
    const int status = session.Run(script.text);
    if (!check.failure().empty()) return Failed(check.failure());
    if (status != 0) return Failed("the session stopped: " + err.str());
    RunResult result;
    result.rows = Rows(out.str(), e.measures.size() + 1);
    if (result.rows.size() != script.rowSteps.size())
      return Failed("the session printed " + FormatInt(static_cast<long long>(result.rows.size())) + " of " +
                    FormatInt(static_cast<long long>(script.rowSteps.size())) + " rows");
    return result;
  } catch (const std::exception& ex) {
    return Failed(std::string("internal error: ") + ex.what());
  }
}

}  // namespace antraid::experiments
