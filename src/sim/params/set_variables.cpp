// The parameter load: the whole panel into the parameter set.
#include <cmath>

#include "sim/main_form.h"
#include "sim/params/limits.h"

namespace antraid {

namespace {
// What every load starts from, whatever the panel says.
constexpr float kFirstModelTimeS = 1.0f;         // the clock of the first step, s
constexpr int16_t kFirstPenWidthPx = 1;          // pen width, pixels
constexpr float kFirstPercentFood = 3.0f;        // % of patches, until the food rules read the box
constexpr int16_t kFirstFoodQuality = 50;        // food units per item, likewise
constexpr float kFirstStepLengthCm = 1.0f;       // the moving ant's step, cm
constexpr int16_t kPherThresholdOutUnits = 1000;  // a patch at or above it takes no outbound deposit
constexpr int16_t kPherThresholdInUnits = 300;    // nor, at this one, a homeward deposit
}  // namespace

void MainForm::SetVariables() {
  Panel& p = panel;
  // Invert mode belongs to the zoom rectangle alone. An unfinished rectangle,
  // or one restarted by a second ALT press (which saved invert mode as the mode
  // to return to), must not leave a new run drawing inverted.
  pctWorld.SetDrawMode(kDrawCopyPen);

  // A new run starts on a clear canvas with a one-pixel pen, the clock at
  // 1 s and no loop running (a loop in progress ends at its next test).
  pctWorld.Cls();
  drawing.drawWidth = kFirstPenWidthPx;
  pctWorld.SetDrawWidth(drawing.drawWidth);
  run.modelTime = kFirstModelTimeS;
  run.running = false;
  p.lblTotalFood.SetCaption("Total Food: ");  // spelt apart here only; the totals write "TotalFood: "
  run.antsCreated = false;
  PlotResponseCurve();
  params.plotFood = p.chkPlotFood.checked();
  if (auto v = ReadInt16(p.txtLeaveInterval)) params.leaveInterval = *v;
  // The swarm extremes restart from the nest as it stood before this load
  // (0 at the first): the nest is placed anew only below.
  readouts.swarmMinX = params.homeXPos;
  readouts.swarmMaxX = params.homeXPos;
  if (auto v = ReadInt16(p.txtAntNumber)) params.antNumber = *v;
  params.trackAnt = p.chkTrackAnt.checked();
  params.removePher = p.chkRemovePher.checked();
  params.showAnts = p.chkShowAnts.checked();
  run.foodMade = false;
  params.usePm = p.chkUsePm.checked();
  // Width and height are checked as a pair; a world the program cannot hold
  // keeps the size in force.
  {
    int32_t x = params.worldXinM, y = params.worldYinM;
    if (auto v = ReadInt32(p.txtWorldXinM)) x = *v;
    if (auto v = ReadInt32(p.txtWorldYinM)) y = *v;
    if (auto problem = WorldSizeProblem(x, y)) {
      Message(*problem);
    } else {
      params.worldXinM = x;
      params.worldYinM = y;
    }
    params.worldXinCm = params.cmPerM * params.worldXinM;
    params.worldYinCm = params.cmPerM * params.worldYinM;
  }
  params.homeXPos = NestXOf(params.worldXinCm);
  params.homeYPos = NestRowOf(params.worldYinCm);
  params.colonyWidth = static_cast<int16_t>(p.scrColWidth.value());
  p.txtColonyWidth.SetText(FormatInt(params.colonyWidth));
  // The home-row bar ends at the nest's own row. Setting its value may run
  // its rule at once, which redraws the nest; the nest is drawn again at the
  // end either way.
  p.scrColonyYPos.SetMax(NestRowOf(params.worldYinCm));
  p.scrColonyYPos.SetValue(params.homeYPos);
  // The whole world in view, one canvas unit per centimetre.
  pctWorld.SetScaleWidth(static_cast<float>(params.worldXinCm));
  pctWorld.SetScaleHeight(static_cast<float>(params.worldYinCm));
  pctWorld.SetScaleLeft(0);
  pctWorld.SetScaleTop(0);
  WriteWindowWidthCaption();
  params.pathColorOut = static_cast<int16_t>(p.scrPathColorOut.value());
  p.txtPathColorOut.SetBackColor(RGB(params.pathColorOut, 0, 0));
  params.pathColorIn = static_cast<int16_t>(p.scrPathColorIn.value());
  p.txtPathColorIn.SetBackColor(RGB(0, params.pathColorIn, 0));
  // Fixed starting values, not the boxes': the food procedures read the
  // percentage and the quality from their boxes themselves.
  params.percentFood = kFirstPercentFood;
  params.foodQuality = kFirstFoodQuality;
  run.curVel = kFirstStepLengthCm;
  if (auto v = ReadInt16(p.txtPherToDropOut)) params.pherToDropOut = *v;
  if (ReadValue(p.txtPherToDropIn)) SetPherToDropIn(p.txtPherToDropIn.text());
  params.pherThresholdOut = kPherThresholdOutUnits;
  params.pherThresholdIn = kPherThresholdInUnits;
  // The time step first: the save period and the velocities are read in
  // seconds and converted with it into steps and cm per step.
  if (auto v = ReadSingle(p.txtModelTimeStep)) {
    if (auto problem = TimeStepProblem(*v))
      Message(*problem);
    else
      params.modelTimeStep = *v;
  }
  if (auto v = ReadValue(p.txtSaveTime)) {
    double steps = *v / params.modelTimeStep;
    if (auto problem = SaveIntervalProblem(steps))
      Message(*problem);
    else
      params.saveInterval = steps;
  }
  // minVel stays a 64-bit float; maxVel and the slope are stored as 32-bit.
  if (auto v = ReadValue(p.txtMinVel)) params.minVel = *v * params.modelTimeStep;
  if (auto v = ReadValue(p.txtMaxVel)) {
    float f = static_cast<float>(*v * params.modelTimeStep);
    if (std::isfinite(f)) params.maxVel = f;
  }
  if (auto v = ReadInt16(p.txtMaxPherToSat)) params.maxPherToSat = *v;
  if (params.maxPherToSat != 0) {
    float slope = static_cast<float>((params.maxVel - params.minVel) / params.maxPherToSat);
    if (std::isfinite(slope)) params.velSlope = slope;
  } else {
    Message("Ants to Saturation: 0 leaves the velocity slope as it was");
  }
  params.useVel = p.chkUseVel.checked();
  if (auto v = ReadInt16(p.txtEmptyNodeWeightOut)) params.emptyNodeWeightOut = *v;
  if (auto v = ReadInt16(p.txtEmptyNodeWeightIn)) params.emptyNodeWeightIn = *v;
  if (auto v = ReadInt32(p.txtNumAnts)) {
    if (auto problem = AntCountProblem(*v))
      Message(*problem);
    else
      params.numAnts = *v;
  }
  if (auto v = ReadInt16(p.txtAntsPerPatch)) params.antsPerPatch = *v;
  if (auto v = ReadInt16(p.txtFiftyPercProb)) params.fiftyPercProb = *v;
  readouts.maxDistTraveled = 0;
  // Without a positive interval the caption keeps its text (the edit rules
  // write the number of ants then).
  if (params.leaveInterval > 0) WriteAntsPerSecondCaption();
  readouts.antsOut = 0;
  run.frameNumber = 0;
  // Frames go below the program's folder (or, when this user cannot write
  // it, below the per-user data folder); an edit of the box later takes the
  // path as typed.
  params.saveFilePath = host.SaveFolder() + p.txtSaveFilePath.text();
  params.imageName = p.txtImageName.text();
  params.saveImages = p.chkSaveImages.checked();
  PlotHome();
  WriteWorldSizeCaption();
  drawing.zoomSelecting = false;
  drawing.zoomEnabled = true;
  drawing.zoomFactor = 1.2f;
  drawing.worldAspect = pctWorld.ScaleHeight() / pctWorld.ScaleWidth();
}

void MainForm::WriteWindowWidthCaption() {
  std::string c = "Window Width: ";
  c += FormatInt(static_cast<long long>(RoundHalfEven(pctWorld.ScaleWidth())));
  c += "cm";
  panel.lblWorldWidth.SetCaption(c);
}

void MainForm::WriteWorldSizeCaption() {
  std::string c = "(";
  c += FormatInt(params.worldXinCm);
  c += " cm x ";
  c += FormatInt(params.worldYinCm);
  c += " cm)";
  panel.lblWorldSizeInCm.SetCaption(c);
}

}  // namespace antraid
