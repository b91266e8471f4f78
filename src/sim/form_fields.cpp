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
#define F(name) {#name, [](const MainForm& f) { return Txt(f.name); }}
#define I(name) {#name, [](const MainForm& f) { return Txt(static_cast<int64_t>(f.name)); }}
  static const std::map<std::string, Getter, std::less<>> fields = {
      I(numAnts), I(antsPerPatch), I(emptyNodeWeightOut), I(emptyNodeWeightIn), I(colonyWidth),
      I(leaveInterval), I(pathColorOut), I(pathColorIn), I(pherToDropOut), F(pherToDropIn),
      F(removePher), I(fiftyPercProb), F(modelTimeStep), I(worldXinM), I(worldYinM), F(useVel),
      F(maxVel), F(minVel), I(maxPherToSat), F(usePm), F(trackAnt), I(antNumber), F(showAnts),
      F(plotFood), F(percentFood), I(foodQuality), F(saveImages), F(saveInterval), F(saveFilePath),
      F(imageName), I(cmPerM), I(worldXinCm), I(worldYinCm), I(homeXPos), I(homeYPos), F(velSlope),
      F(curVel), I(pherThresholdOut), I(pherThresholdIn), I(drawWidth), F(zoomEnabled), F(zoomFactor),
      F(zoomSelecting), F(worldAspect), F(running), F(programStarted), F(antsCreated), F(foodMade),
      F(modelTime), F(videoFrameNumber), I(antsOut), I(colonyFood), I(totalFood), I(numFoodItems),
      I(foodOnGround), F(maxDistTraveled), F(swarmPass), F(swarmMinX), F(swarmMaxX), F(swarmWidth),
      F(lastSwarmWidth), F(frameNumber),
      I(antNum), F(antXPos), F(antYPos), F(boxStartX), F(boxStartY), F(boxEndX), F(boxEndY),
      I(savedDrawMode), F(helpPath),
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
  for (size_t k = 1; k < ants.size(); ++k) n += ants[k].state == AntState::kReturning;
  return n;
}

std::vector<std::string> FormFieldNames() {
  std::vector<std::string> names;
  for (const auto& [name, get] : Fields()) names.push_back(name);
  return names;
}

}  // namespace antraid
