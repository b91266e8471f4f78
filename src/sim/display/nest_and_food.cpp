// Drawing the nest and the food, and the three redraw commands.
#include "sim/main_form.h"

namespace antraid {

namespace {
constexpr int16_t kNestDotWidth = 3;  // pixels
constexpr uint32_t kNestColor = RGB(150, 0, 0);
}  // namespace

void MainForm::PlotHome() {
  pctWorld.Cls();
  panel.lblHomeYPos.SetCaption("Home Y Position = " + FormatInt(params.homeYPos));
  DrawNestDot();
}

void MainForm::DrawNestDot() {
  pctWorld.SetDrawWidth(kNestDotWidth);
  pctWorld.PSet(static_cast<float>(params.homeXPos), static_cast<float>(params.homeYPos), kNestColor);
  pctWorld.SetDrawWidth(drawing.drawWidth);
}

void MainForm::PlotFood() { PaintFood(pctWorld); }

void MainForm::PaintFood(Canvas& target) const {
  target.SetDrawWidth(drawing.drawWidth);
  target.Cls();
  // Patches beyond the food layer (none yet, or an older, smaller world)
  // hold no food. All dots share one colour, so the scan order is free.
  const int32_t W = std::min(params.worldXinCm, run.foodGrid.width());
  const int32_t H = std::min(params.worldYinCm, run.foodGrid.height());
  const int32_t stride = run.foodGrid.width();
  const int16_t* cells = run.foodGrid.cells().data();
  for (int32_t y = 1; y <= H; ++y) {
    const int16_t* rowCells = cells + static_cast<size_t>(y - 1) * stride;
    for (int32_t x = 1; x <= W; ++x)
      if (rowCells[x - 1] > 0) target.PSet(static_cast<float>(x), static_cast<float>(y), RGB(0, 0, 250));
  }
}

void MainForm::cmdClearScreen_Click() {
  pctWorld.Cls();
  if (run.foodMade && params.plotFood) PlotFood();
}

void MainForm::chkShowAnts_Click() {
  if (!panel.chkShowAnts.checked()) {
    params.showAnts = false;
    if (run.programStarted) {
      pctWorld.Cls();
      if (params.plotFood) PlotFood();
    }
  } else {
    params.showAnts = true;
  }
}

void MainForm::chkPlotFood_Click() {
  if (!panel.chkPlotFood.checked()) {
    params.plotFood = false;
    pctWorld.Cls();
  } else {
    params.plotFood = true;
  }
  if (run.foodMade && params.plotFood) PlotFood();
}

}  // namespace antraid
