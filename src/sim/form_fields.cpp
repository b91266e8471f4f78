// The form's fields by name, as text in the program's number rules (for
// scripted sessions and tests).
#include <functional>
#include <map>

#include "sim/form_fields.h"
#include "sim/main_form.h"

namespace antraid {

namespace {
using Getter = std::function<std::string(const MainForm&)>;

std::string Txt(int64_t v) { return FormatInt(v); }
std::string Txt(float v) { return FormatSingle(v); }
std::string Txt(double v) { return FormatDouble(v); }
std::string Txt(bool v) { return FormatBool(v); }
std::string Txt(const std::string& v) { return v; }

const std::map<std::string, Getter, std::less<>>& Fields() {
#define F(group, name) {#name, [](const MainForm& f) { return Txt(f.group.name); }}
#define I(group, name) {#name, [](const MainForm& f) { return Txt(static_cast<int64_t>(f.group.name)); }}
  static const std::map<std::string, Getter, std::less<>> fields = {
      I(params, numAnts), I(params, antsPerPatch), I(params, emptyNodeWeightOut), I(params, emptyNodeWeightIn),
      I(params, colonyWidth), I(params, leaveInterval), I(params, pathColorOut), I(params, pathColorIn),
      I(params, pherToDropOut), F(params, pherToDropIn), F(params, removePher), I(params, fiftyPercProb),
      F(params, modelTimeStep), I(params, worldXinM), I(params, worldYinM), F(params, useVel), F(params, maxVel),
      F(params, minVel), I(params, maxPherToSat), F(params, usePm), F(params, trackAnt), I(params, antNumber),
      F(params, showAnts), F(params, plotFood), F(params, percentFood), I(params, foodQuality),
      F(params, saveImages), F(params, saveInterval), F(params, saveFilePath), F(params, imageName),
      I(params, cmPerM), I(params, worldXinCm), I(params, worldYinCm), I(params, homeXPos), I(params, homeYPos),
      F(params, velSlope), I(params, pherThresholdOut), I(params, pherThresholdIn),
      F(run, running), F(run, programStarted), F(run, antsCreated), F(run, foodMade), F(run, modelTime),
      F(run, videoFrameNumber), F(run, frameNumber), F(run, curVel),
      // The values handed between procedures keep the names scripts know.
      {"antNum", [](const MainForm& f) { return Txt(static_cast<int64_t>(f.run.antInTurn)); }},
      {"antXPos", [](const MainForm& f) { return Txt(f.run.lastMoveFromX); }},
      {"antYPos", [](const MainForm& f) { return Txt(f.run.lastMoveFromY); }},
      I(readouts, antsOut), I(readouts, colonyFood), I(readouts, totalFood), I(readouts, numFoodItems),
      I(readouts, foodOnGround), F(readouts, maxDistTraveled), F(readouts, swarmPass), F(readouts, swarmMinX),
      F(readouts, swarmMaxX), F(readouts, swarmWidth), F(readouts, lastSwarmWidth),
      I(drawing, drawWidth), F(drawing, zoomEnabled), F(drawing, zoomFactor), F(drawing, zoomSelecting),
      F(drawing, worldAspect), F(drawing, boxStartX), F(drawing, boxStartY), F(drawing, boxEndX),
      F(drawing, boxEndY), I(drawing, savedDrawMode), F(help, helpPath),
      // Figures derived from the state, computed when read.
      {"antsReturning", [](const MainForm& f) { return Txt(static_cast<int64_t>(f.AntsReturning())); }},
  };
#undef F
#undef I
  return fields;
}
}  // namespace

std::vector<std::string_view> MainForm::FieldNames() {
  std::vector<std::string_view> names;
  for (const auto& [name, getter] : Fields()) names.emplace_back(name);
  return names;
}

std::optional<std::string> MainForm::FieldText(std::string_view name) const {
  const auto& fields = Fields();
  auto it = fields.find(name);
  if (it == fields.end()) return std::nullopt;
  return it->second(*this);
}

int32_t MainForm::AntsReturning() const {
  int32_t n = 0;
  for (size_t k = 1; k < run.ants.size(); ++k) n += run.ants[k].state == AntState::kReturning;
  return n;
}

std::vector<std::string> FormFieldNames() {
  std::vector<std::string> names;
  for (const auto& [name, get] : Fields()) names.push_back(name);
  return names;
}

}  // namespace antraid
