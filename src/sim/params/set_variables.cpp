// The parameter load: the whole panel into the parameter set.
#include <cmath>

#include "sim/main_form.h"
#include "sim/params/limits.h"

namespace antraid {

void MainForm::SetVariables() {
  Panel& p = panel;
  // Invert mode belongs to the zoom rectangle alone. An unfinished rectangle,
  // or one restarted by a second ALT press (which saved invert mode as the mode
  // to return to), must not leave a new run drawing inverted.
  pctWorld.SetDrawMode(kDrawCopyPen);

  // A new run starts on a clear canvas with a one-pixel pen, the clock at
  // 1 s and no loop running (a loop in progress ends at its next test).
  pctWorld.Cls();
  drawWidth = 1;
  pctWorld.SetDrawWidth(drawWidth);
  modelTime = 1.0f;
  running = false;
  p.lblTotalFood.SetCaption("Total Food: ");  // spelt apart here only; the totals write "TotalFood: "
  antsCreated = false;
  PlotResponseCurve();
  plotFood = p.chkPlotFood.checked();
  if (auto v = ReadInt16(p.txtLeaveInterval)) leaveInterval = *v;
  // The swarm extremes restart from the nest as it stood before this load
  // (0 at the first): the nest is placed anew only below.
  swarmMinX = homeXPos;
  swarmMaxX = homeXPos;
  if (auto v = ReadInt16(p.txtAntNumber)) antNumber = *v;
  trackAnt = p.chkTrackAnt.checked();
  removePher = p.chkRemovePher.checked();
  showAnts = p.chkShowAnts.checked();
  foodMade = false;
  usePm = p.chkUsePm.checked();
  // Width and height are checked as a pair; a world the program cannot hold
  // keeps the size in force.
  {
    int32_t x = worldXinM, y = worldYinM;
    if (auto v = ReadInt32(p.txtWorldXinM)) x = *v;
    if (auto v = ReadInt32(p.txtWorldYinM)) y = *v;
    if (auto problem = WorldSizeProblem(x, y)) {
      Message(*problem);
    } else {
      worldXinM = x;
      worldYinM = y;
    }
    worldXinCm = cmPerM * worldXinM;
    worldYinCm = cmPerM * worldYinM;
  }
  homeXPos = NestXOf(worldXinCm);
  homeYPos = NestRowOf(worldYinCm);
  colonyWidth = static_cast<int16_t>(p.scrColWidth.value());
  p.txtColonyWidth.SetText(FormatInt(colonyWidth));
  // The home-row bar ends at the nest's own row. Setting its value may run
  // its rule at once, which redraws the nest; the nest is drawn again at the
  // end either way.
  p.scrColonyYPos.SetMax(NestRowOf(worldYinCm));
  p.scrColonyYPos.SetValue(homeYPos);
  // The whole world in view, one canvas unit per centimetre.
  pctWorld.SetScaleWidth(static_cast<float>(worldXinCm));
  pctWorld.SetScaleHeight(static_cast<float>(worldYinCm));
  pctWorld.SetScaleLeft(0);
  pctWorld.SetScaleTop(0);
  WriteWindowWidthCaption();
  pathColorOut = static_cast<int16_t>(p.scrPathColorOut.value());
  p.txtPathColorOut.SetBackColor(RGB(pathColorOut, 0, 0));
  pathColorIn = static_cast<int16_t>(p.scrPathColorIn.value());
  p.txtPathColorIn.SetBackColor(RGB(0, pathColorIn, 0));
  // Fixed starting values, not the boxes': the food procedures read the
  // percentage and the quality from their boxes themselves.
  percentFood = 3.0f;
  foodQuality = 50;
  curVel = 1.0f;
  if (auto v = ReadInt16(p.txtPherToDropOut)) pherToDropOut = *v;
  if (ReadValue(p.txtPherToDropIn)) SetPherToDropIn(p.txtPherToDropIn.text());
  pherThresholdOut = 1000;
  pherThresholdIn = 300;
  // The time step first: the save period and the velocities are read in
  // seconds and converted with it into steps and cm per step.
  if (auto v = ReadSingle(p.txtModelTimeStep)) {
    if (auto problem = TimeStepProblem(*v))
      Message(*problem);
    else
      modelTimeStep = *v;
  }
  if (auto v = ReadValue(p.txtSaveTime)) {
    double steps = *v / modelTimeStep;
    if (auto problem = SaveIntervalProblem(steps))
      Message(*problem);
    else
      saveInterval = steps;
  }
  // minVel stays a 64-bit float; maxVel and the slope are stored as 32-bit.
  if (auto v = ReadValue(p.txtMinVel)) minVel = *v * modelTimeStep;
  if (auto v = ReadValue(p.txtMaxVel)) {
    float f = static_cast<float>(*v * modelTimeStep);
    if (std::isfinite(f)) maxVel = f;
  }
  if (auto v = ReadInt16(p.txtMaxPherToSat)) maxPherToSat = *v;
  if (maxPherToSat != 0) {
    float slope = static_cast<float>((maxVel - minVel) / maxPherToSat);
    if (std::isfinite(slope)) velSlope = slope;
  } else {
    Message("Ants to Saturation: 0 leaves the velocity slope as it was");
  }
  useVel = p.chkUseVel.checked();
  if (auto v = ReadInt16(p.txtEmptyNodeWeightOut)) emptyNodeWeightOut = *v;
  if (auto v = ReadInt16(p.txtEmptyNodeWeightIn)) emptyNodeWeightIn = *v;
  if (auto v = ReadInt32(p.txtNumAnts)) {
    if (auto problem = AntCountProblem(*v))
      Message(*problem);
    else
      numAnts = *v;
  }
  if (auto v = ReadInt16(p.txtAntsPerPatch)) antsPerPatch = *v;
  if (auto v = ReadInt16(p.txtFiftyPercProb)) fiftyPercProb = *v;
  maxDistTraveled = 0;
  // Without a positive interval the caption keeps its text (the edit rules
  // write the number of ants then).
  if (leaveInterval > 0) WriteAntsPerSecondCaption();
  antsOut = 0;
  frameNumber = 0;
  // Frames go below the program's folder (or, when this user cannot write
  // it, below the per-user data folder); an edit of the box later takes the
  // path as typed.
  saveFilePath = host.SaveFolder() + p.txtSaveFilePath.text();
  imageName = p.txtImageName.text();
  saveImages = p.chkSaveImages.checked();
  PlotHome();
  WriteWorldSizeCaption();
  zoomSelecting = false;
  zoomEnabled = true;
  zoomFactor = 1.2f;
  worldAspect = pctWorld.ScaleHeight() / pctWorld.ScaleWidth();
}

void MainForm::WriteWindowWidthCaption() {
  std::string c = "Window Width: ";
  c += FormatInt(static_cast<long long>(RoundHalfEven(pctWorld.ScaleWidth())));
  c += "cm";
  panel.lblWorldWidth.SetCaption(c);
}

void MainForm::WriteWorldSizeCaption() {
  std::string c = "(";
  c += FormatInt(worldXinCm);
  c += " cm x ";
  c += FormatInt(worldYinCm);
  c += " cm)";
  panel.lblWorldSizeInCm.SetCaption(c);
}

}  // namespace antraid
