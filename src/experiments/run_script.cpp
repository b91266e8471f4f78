#include "experiments/run_script.h"

#include <algorithm>
#include <filesystem>

#include "sim/panel.h"
#include "common/numbers.h"

namespace antraid::experiments {

namespace {
// A name as it may stand in a comment line.
std::string OneLine(const std::string& s) {
  std::string r;
  for (char c : s) r += (c == '\n' || c == '\r') ? ' ' : c;
  return r;
}
}  // namespace

std::string RunName(int64_t number) {
  std::string n = FormatInt(number);
  return n.size() < 5 ? std::string(5 - n.size(), '0') + n : n;
}

std::vector<int64_t> RowSteps(const Experiment& e) {
  std::vector<int64_t> steps;
  if (e.recordEvery > 0)
    for (int64_t s = e.recordEvery; s <= e.steps; s += e.recordEvery) steps.push_back(s);
  if (steps.empty() || steps.back() != e.steps) steps.push_back(e.steps);
  return steps;
}

std::vector<int64_t> PictureSteps(const Experiment& e) {
  std::vector<int64_t> steps;
  if (!e.pictures.any()) return steps;
  if (e.pictures.every > 0)
    for (int64_t s = e.pictures.every; s <= e.steps; s += e.pictures.every) steps.push_back(s);
  if (steps.empty() || steps.back() != e.steps) steps.push_back(e.steps);
  return steps;
}

std::vector<std::string_view> PictureLayers(const Experiment& e) {
  std::vector<std::string_view> layers;
  if (e.pictures.ants) layers.push_back("ants");
  if (e.pictures.trails) layers.push_back("trails");
  return layers;
}

std::string PictureFile(const Experiment& e, int64_t number, std::string_view layer, int64_t step) {
  std::string name = "runs/" + RunName(number) + "-" + std::string(layer);
  if (e.pictures.every > 0) {
    const std::string s = FormatInt(step);
    name += "-" + (s.size() < 6 ? std::string(6 - s.size(), '0') : std::string()) + s;
  }
  return name + ".png";
}

std::string MovieFile(int64_t number) { return "runs/" + RunName(number) + ".mp4"; }

int64_t MovieEvery(const Experiment& e) {
  constexpr int64_t kFrames = 600;  // 20 s at 30 frames a second
  if (e.pictures.movieEvery > 0) return e.pictures.movieEvery;
  return std::max<int64_t>(1, e.steps / kFrames);
}

RunScript MakeRunScript(const Experiment& e, const PlannedRun& run) {
  RunScript s;
  int line = 0;
  auto add = [&](const std::string& text) {
    s.text += text;
    s.text += '\n';
    return ++line;
  };
  add("# antraid-sweep: " + OneLine(e.name.empty() ? std::filesystem::path(e.file).filename().string() : e.name) + ", run " + FormatInt(run.number) +
      " (combination " + FormatInt(run.combination) + ", repetition " + FormatInt(run.repetition) + ")");
  add("# replay: antraid-script --seed " + std::to_string(run.seed) + " runs/" + RunName(run.number) + ".script");
  Panel fresh;  // the window as it opens: a check box is clicked only when it differs
  for (const Setting& set : run.settings) {
    switch (set.kind) {
      case ControlKind::TextBox:
        s.settingLines.push_back(add("type " + set.control + " " + set.value));
        break;
      case ControlKind::ScrollBar:
        s.settingLines.push_back(add("scroll " + set.control + " " + set.value));
        break;
      case ControlKind::CheckBox:
        if (FormatInt(fresh.FindCheckBox(set.control)->value()) == set.value)
          s.settingLines.push_back(add("# " + set.control + " is " + set.value + " already"));
        else
          s.settingLines.push_back(add("click " + set.control));
        break;
    }
  }
  s.startLine = add("click cmdStartProgram");
  if (e.pictures.movie) add("movie " + MovieFile(run.number) + " " + FormatInt(MovieEvery(e)));
  std::string print = "print modelTime";
  for (const std::string& m : e.measures) print += " " + m;
  s.rowSteps = RowSteps(e);
  // Rows and pictures in step order; at a step with both, the row first.
  const std::vector<int64_t> pictures = PictureSteps(e);
  std::vector<int64_t> steps = s.rowSteps;
  steps.insert(steps.end(), pictures.begin(), pictures.end());
  std::sort(steps.begin(), steps.end());
  steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
  int64_t at = 0;
  // With stop conditions each wait ends early when one holds; the waits
  // after it let no step go by, so the blocks still to come print that step
  // (and save their pictures of it).
  std::string until;
  for (const std::string& c : e.stop) until += (until.empty() ? "wait until " : " or ") + c;
  for (int64_t step : steps) {
    add(until.empty() ? "wait " + FormatInt(step - at) : until + " max " + FormatInt(step - at));
    if (std::binary_search(s.rowSteps.begin(), s.rowSteps.end(), step)) {
      if (step == s.rowSteps.back())
        for (const std::string& m : e.finals) print += " " + m;  // the final measures, in the last row only
      add(print);
    }
    if (std::binary_search(pictures.begin(), pictures.end(), step))
      for (std::string_view layer : PictureLayers(e))
        add("picture " + std::string(layer) + " " + PictureFile(e, run.number, layer, step));
    at = step;
  }
  if (e.pictures.movie) add("movie stop");
  return s;
}

}  // namespace antraid::experiments
