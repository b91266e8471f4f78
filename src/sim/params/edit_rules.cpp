// Edit rules: what a change of one panel control does between two full
// parameter loads. A rule changes only what it names; a refused value leaves
// its field as it was (and the text standing in the box).
#include <cmath>

#include "sim/main_form.h"
#include "sim/params/limits.h"

namespace antraid {

namespace {
bool NonEmpty(const TextBox& box) { return !box.text().empty(); }
}  // namespace

// ---- Ants ---------------------------------------------------------------------

void MainForm::txtNumAnts_Change() {
  if (unloaded) return;
  TextBox& box = panel.txtNumAnts;
  ParsedNumber n = ParseNumber(box.text());
  if (n.status == ParseStatus::Empty) return;
  if (!n.ok()) {
    ReadValue(box);  // says why
    return;
  }
  // An equal number does nothing: writing numAnts back into the box (after a
  // No, or from CreateAnts) ends here.
  if (n.value == params.numAnts) return;
  if (n.value > 0) {
    auto v = ToInt32(n.value);
    if (!v || AntCountProblem(*v)) {
      Message(v ? *AntCountProblem(*v) : "Total # refused: at most 32767 ants");
      return;
    }
  }
  // Once ants exist a new number restarts the run, after the user agrees;
  // the new loop runs inside this rule until it is paused.
  if (run.antsCreated) {
    bool yes = host.AskYesNo(
        "Changing the number of ants will reset the program are you sure you want to do this? Reset program? ");
    if (unloaded) return;
    if (!yes) {
      box.SetText(FormatInt(params.numAnts));
      return;
    }
    if (!BuildRun()) return;
    run.running = true;
    TestForAntCreation();
    if (unloaded) return;
  }
  // The box as it reads now: the nested run may have changed it.
  ParsedNumber now = ParseNumber(box.text());
  if (now.ok() && now.value > 0) {
    auto v = ToInt32(now.value);
    if (v && !AntCountProblem(*v)) params.numAnts = *v;
  }
  // Rewritten also when the number was refused.
  if (NonEmpty(box)) WriteAntsPerSecondCaption();
}

// Ants leaving per second over the stagger interval, rounded half to even;
// without a positive interval the number of ants itself.
void MainForm::WriteAntsPerSecondCaption() {
  long long n = params.numAnts;
  if (params.leaveInterval >= 1)
    n = static_cast<long long>(
        RoundHalfEven(static_cast<double>(params.numAnts) / params.leaveInterval / kSecondsPerMinute));
  std::string c = "(";
  c += FormatInt(n);
  c += " ants/sec)";
  panel.lblAntsPerStep.SetCaption(c);
}

void MainForm::txtLeaveInterval_Change() {
  if (auto v = ReadInt16(panel.txtLeaveInterval)) {
    params.leaveInterval = *v;
    WriteAntsPerSecondCaption();
  }
}

void MainForm::txtAntsPerPatch_Change() {
  auto raw = ReadValue(panel.txtAntsPerPatch);
  if (!raw || !(*raw > 0)) return;
  if (auto v = ReadInt16(panel.txtAntsPerPatch)) {
    params.antsPerPatch = *v;
    Message(FormatInt(params.antsPerPatch));
  }
}

void MainForm::txtEmptyNodeWeightOut_Change() {
  auto raw = ReadValue(panel.txtEmptyNodeWeightOut);
  if (!raw || !(*raw > 0)) return;
  if (auto v = ReadInt16(panel.txtEmptyNodeWeightOut)) {
    params.emptyNodeWeightOut = *v;
    Message(FormatInt(params.emptyNodeWeightOut));
  }
}

void MainForm::txtAntNumber_Change() {
  TextBox& box = panel.txtAntNumber;
  auto raw = ReadValue(box);
  if (!raw || *raw == 0) return;
  if (*raw > params.numAnts) {
    box.SetText(FormatInt(params.numAnts));
    return;
  }
  if (auto v = ReadInt16(box)) {
    params.antNumber = *v;
    Message("Selected Ant = " + FormatInt(params.antNumber));
  }
}

void MainForm::scrColonyYPos_Change() {
  params.homeYPos = panel.scrColonyYPos.value();
  panel.lblHomeYPos.SetCaption("Home Y Position = " + FormatInt(params.homeYPos));
  PlotHome();
}

void MainForm::scrColWidth_Change() {
  params.colonyWidth = static_cast<int16_t>(panel.scrColWidth.value());
  panel.txtColonyWidth.SetText(FormatInt(params.colonyWidth));
}

void MainForm::scrPathColorOut_Change() {
  params.pathColorOut = static_cast<int16_t>(panel.scrPathColorOut.value());
  panel.txtPathColorOut.SetBackColor(RGB(params.pathColorOut, 0, 0));
  Message(FormatInt(params.pathColorOut));
}

void MainForm::scrPathColorIn_Change() {
  params.pathColorIn = static_cast<int16_t>(panel.scrPathColorIn.value());
  panel.txtPathColorIn.SetBackColor(RGB(0, params.pathColorIn, 0));
}

// ---- Pheromone --------------------------------------------------------------------

void MainForm::txtPherToDropOut_Change() {
  if (auto v = ReadInt16(panel.txtPherToDropOut)) {
    params.pherToDropOut = *v;
    Message("Drop out = " + FormatInt(params.pherToDropOut));
  }
}

void MainForm::txtPherToDropIn_Change() {
  // The text is kept as typed, but only a number can be laid as a trail.
  const std::string& t = panel.txtPherToDropIn.text();
  if (!ReadValue(panel.txtPherToDropIn)) return;
  SetPherToDropIn(t);
  Message("Drop in = " + t);
}

void MainForm::txtFiftyPercProb_Change() {
  auto raw = ReadValue(panel.txtFiftyPercProb);
  if (!raw || !(*raw > 0)) return;
  if (auto v = ReadInt16(panel.txtFiftyPercProb)) {
    params.fiftyPercProb = *v;
    formSurface.Cls();
    PlotResponseCurve();
  }
}

void MainForm::txtMaxPherValue_Change() {
  auto raw = ReadValue(panel.txtMaxPherValue);
  if (!raw || !(*raw > 0)) return;
  formSurface.Cls();
  PlotResponseCurve();
}

void MainForm::txtModelTimeStep_Change() {
  auto v = ReadSingle(panel.txtModelTimeStep);
  if (!v) return;
  if (auto problem = TimeStepProblem(*v)) {
    Message(*problem);
    return;
  }
  params.modelTimeStep = *v;
  if (auto m = ParseNumber(panel.txtMinVel.text()); m.ok()) params.minVel = m.value * params.modelTimeStep;
  if (auto m = ParseNumber(panel.txtMaxVel.text()); m.ok()) {
    float f = static_cast<float>(m.value * params.modelTimeStep);
    if (std::isfinite(f)) params.maxVel = f;
  }
}

void MainForm::txtMaxVel_Change() {
  auto v = ReadValue(panel.txtMaxVel);
  if (!v) return;
  float f = static_cast<float>(*v * params.modelTimeStep);
  if (!std::isfinite(f)) {
    Refuse(panel.txtMaxVel, "too large");
    return;
  }
  params.maxVel = f;
}

void MainForm::txtMinVel_Change() {
  if (auto v = ReadValue(panel.txtMinVel)) params.minVel = *v * params.modelTimeStep;
}

void MainForm::txtMaxPherToSat_Change() {
  constexpr double kMostAntsToSaturation = 30000;  // pheromone units; more brings the old value back
  TextBox& box = panel.txtMaxPherToSat;
  auto raw = ReadValue(box);
  if (!raw) return;
  if (*raw > kMostAntsToSaturation) {
    box.SetText(FormatInt(params.maxPherToSat));
    return;
  }
  if (auto v = ReadInt16(box)) params.maxPherToSat = *v;
}

// ---- World size ---------------------------------------------------------------------

// The whole metres of one side of the world, when they are positive and make,
// with the other side as it stands, a world the program can hold (a world it
// cannot hold is refused with a message). The layers keep their size until
// the next run is built.
std::optional<int32_t> MainForm::ReadWorldSide(const TextBox& box, bool width) {
  auto raw = ReadValue(box);
  if (!raw || !(*raw > 0)) return std::nullopt;
  auto v = ReadInt32(box);
  if (!v) return std::nullopt;
  if (auto problem = width ? WorldSizeProblem(*v, params.worldYinM) : WorldSizeProblem(params.worldXinM, *v)) {
    Message(*problem);
    return std::nullopt;
  }
  return v;
}

void MainForm::txtWorldXinM_Change() {
  auto v = ReadWorldSide(panel.txtWorldXinM, true);
  if (!v) return;
  params.worldXinM = *v;
  params.worldXinCm = params.cmPerM * params.worldXinM;
  WriteWorldSizeCaption();
  pctWorld.SetScaleWidth(static_cast<float>(params.worldXinCm));
  params.homeXPos = NestXOf(params.worldXinCm);
  PlotHome();
}

void MainForm::txtWorldYinM_Change() {
  // In a world this tall or taller the home-row bar keeps its maximum.
  constexpr int32_t kTallestBarWorld = 32000;  // cm
  auto v = ReadWorldSide(panel.txtWorldYinM, false);
  if (!v) return;
  params.worldYinM = *v;
  params.worldYinCm = params.cmPerM * params.worldYinM;
  WriteWorldSizeCaption();
  pctWorld.SetScaleHeight(static_cast<float>(params.worldYinCm));
  if (params.worldYinCm < kTallestBarWorld) panel.scrColonyYPos.SetMax(NestRowOf(params.worldYinCm));
  params.homeYPos = NestRowOf(params.worldYinCm);
  PlotHome();
}

// ---- Food ---------------------------------------------------------------------------------

void MainForm::WriteFoodTotals() {
  const double area = static_cast<double>(static_cast<int64_t>(params.worldXinCm) * params.worldYinCm);
  const double items = static_cast<double>(params.percentFood) / 100.0 * area;
  const double units = items * params.foodQuality;
  readouts.totalFood = ToInt32(units).value_or(units > 0 ? INT32_MAX : 0);
  readouts.numFoodItems = ToInt32(items).value_or(items > 0 ? INT32_MAX : 0);
  panel.lblTotalFood.SetCaption("TotalFood: " + FormatInt(readouts.totalFood));
  panel.lblTotalFoodItems.SetCaption("Food Items: " + FormatInt(readouts.numFoodItems));
}

namespace {
// A food setting whose totals do not fit the 32-bit counters.
bool FoodTotalsFit(double percent, int quality, int32_t w, int32_t h) {
  double items = percent / 100.0 * static_cast<double>(static_cast<int64_t>(w) * h);
  return ToInt32(items).has_value() && ToInt32(items * quality).has_value();
}
}  // namespace

void MainForm::txtPercentFood_Change() {
  auto raw = ReadValue(panel.txtPercentFood);
  if (!raw || !(*raw >= 0)) return;
  auto v = ReadSingle(panel.txtPercentFood);
  if (!v) return;
  if (auto problem = PercentFoodProblem(*v)) {
    Message(*problem);
    return;
  }
  if (!FoodTotalsFit(*v, params.foodQuality, params.worldXinCm, params.worldYinCm)) {
    Refuse(panel.txtPercentFood, "the food totals would not fit");
    return;
  }
  params.percentFood = *v;
  WriteFoodTotals();
}

void MainForm::txtFoodQuality_Change() {
  auto v = ReadInt16(panel.txtFoodQuality);
  if (!v) return;
  if (*v < 0) {
    Refuse(panel.txtFoodQuality, "food cannot be negative");
    return;
  }
  if (!FoodTotalsFit(params.percentFood, *v, params.worldXinCm, params.worldYinCm)) {
    Refuse(panel.txtFoodQuality, "the food totals would not fit");
    return;
  }
  params.foodQuality = *v;
  WriteFoodTotals();
}

// ---- Movement and tracking check boxes ------------------------------------------------------------

void MainForm::chkUseVel_Click() {
  params.useVel = panel.chkUseVel.checked();
  Message(FormatBool(params.useVel));
}

void MainForm::chkRemovePher_Click() {
  params.removePher = panel.chkRemovePher.checked();
  Message(FormatBool(params.removePher));
}

void MainForm::chkTrackAnt_Click() {
  params.trackAnt = panel.chkTrackAnt.checked();
  Message(FormatBool(params.trackAnt));
}

void MainForm::chkUsePm_Click() {
  params.usePm = panel.chkUsePm.checked();
  run.curVel = 1.0f;
}

// ---- Images --------------------------------------------------------------------------------------

void MainForm::txtSaveTime_Change() {
  if (!(params.saveInterval > 0)) return;
  TextBox& box = panel.txtSaveTime;
  auto v = ReadValue(box);
  if (!v) return;
  if (*v <= 0) {
    box.SetText(FormatDouble(params.saveInterval * params.modelTimeStep));
    return;
  }
  double steps = *v / params.modelTimeStep;
  if (auto problem = SaveIntervalProblem(steps)) {
    Message(*problem);
    return;
  }
  params.saveInterval = steps;
}

void MainForm::txtSaveFilePath_Change() { params.saveFilePath = panel.txtSaveFilePath.text(); }

void MainForm::txtImageName_Change() {
  if (!panel.txtImageName.text().empty()) params.imageName = panel.txtImageName.text();
}

}  // namespace antraid
