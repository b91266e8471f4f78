// The parameter load: the whole panel into the parameter set.
#include <cmath>

#include "app/main_form.h"
#include "params/limits.h"

namespace antraid {

void MainForm::SetVariables() {
  Panel& p = panel;
  // Invert mode belongs to the zoom rectangle alone. An unfinished rectangle,
  // or one restarted by a second ALT press (which saved invert mode as the mode
  // to return to), must not leave a new run drawing inverted.
  pctWorld.SetDrawMode(kDrawCopyPen);

  pctWorld.Cls();  // 1
  drawWidth = 1;
  pctWorld.SetDrawWidth(drawWidth);
  modelTime = 1.0f;  // 2
  running = false;
  p.lblTotalFood.SetCaption("Total Food: ");  // 3
  antsCreated = false;                        // 4
  PlotResponseCurve();                        // 5
  plotFood = p.chkPlotFood.checked();         // 6
  if (auto v = ReadInt16(p.txtLeaveInterval)) leaveInterval = *v;
  swarmMinX = homeXPos;  // 7
  swarmMaxX = homeXPos;
  if (auto v = ReadInt16(p.txtAntNumber)) antNumber = *v;  // 8
  trackAnt = p.chkTrackAnt.checked();
  removePher = p.chkRemovePher.checked();
  showAnts = p.chkShowAnts.checked();
  foodMade = false;                 // 9
  usePm = p.chkUsePm.checked();     // 10
  {                                 // 11
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
  homeXPos = static_cast<int32_t>(RoundHalfEven(worldXinCm / 2.0));  // 12
  homeYPos = worldYinCm - 5;
  colonyWidth = static_cast<int16_t>(p.scrColWidth.value());  // 13
  p.txtColonyWidth.SetText(FormatInt(colonyWidth));
  p.scrColonyYPos.SetMax(worldYinCm - 5);  // 14
  p.scrColonyYPos.SetValue(homeYPos);
  pctWorld.SetScaleWidth(static_cast<float>(worldXinCm));  // 15
  pctWorld.SetScaleHeight(static_cast<float>(worldYinCm));
  pctWorld.SetScaleLeft(0);
  pctWorld.SetScaleTop(0);
  WriteWindowWidthCaption();
  pathColorOut = static_cast<int16_t>(p.scrPathColorOut.value());  // 16
  p.txtPathColorOut.SetBackColor(RGB(pathColorOut, 0, 0));
  pathColorIn = static_cast<int16_t>(p.scrPathColorIn.value());
  p.txtPathColorIn.SetBackColor(RGB(0, pathColorIn, 0));
  percentFood = 3.0f;  // 17
  foodQuality = 50;
  curVel = 1.0f;
  if (auto v = ReadInt16(p.txtPherToDropOut)) pherToDropOut = *v;  // 18
  if (ReadValue(p.txtPherToDropIn)) SetPherToDropIn(p.txtPherToDropIn.text());
  pherThresholdOut = 1000;  // 19
  pherThresholdIn = 300;
  if (auto v = ReadSingle(p.txtModelTimeStep)) {  // 20
    if (auto problem = TimeStepProblem(*v))
      Message(*problem);
    else
      modelTimeStep = *v;
  }
  if (auto v = ReadValue(p.txtSaveTime)) {  // 21
    double steps = *v / modelTimeStep;
    if (auto problem = SaveIntervalProblem(steps))
      Message(*problem);
    else
      saveInterval = steps;
  }
  if (auto v = ReadValue(p.txtMinVel)) minVel = *v * modelTimeStep;  // 22
  if (auto v = ReadValue(p.txtMaxVel)) {
    float f = static_cast<float>(*v * modelTimeStep);
    if (std::isfinite(f)) maxVel = f;
  }
  if (auto v = ReadInt16(p.txtMaxPherToSat)) maxPherToSat = *v;  // 23
  if (maxPherToSat != 0) {
    float slope = static_cast<float>((maxVel - minVel) / maxPherToSat);
    if (std::isfinite(slope)) velSlope = slope;
  } else {
    Message("Ants to Saturation: 0 leaves the velocity slope as it was");
  }
  useVel = p.chkUseVel.checked();  // 24
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
  maxDistTraveled = 0;  // 25
  if (leaveInterval > 0) {
    char buf[kNumberBufSize];
    std::string c = "(";
    c += FormatIntTo(buf, static_cast<long long>(RoundHalfEven(static_cast<double>(numAnts) / leaveInterval / 60.0)));
    c += " ants/sec)";
    p.lblAntsPerStep.SetCaption(c);
  }
  antsOut = 0;  // 26
  frameNumber = 0;
  saveFilePath = host.AppPath() + p.txtSaveFilePath.text();  // 27
  imageName = p.txtImageName.text();
  saveImages = p.chkSaveImages.checked();
  PlotHome();               // 28
  WriteWorldSizeCaption();  // 29
  zoomSelecting = false;    // 30
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
