// Drawing the nest and the food, and the three redraw commands.
#include "sim/main_form.h"

namespace antraid {

namespace {
constexpr int16_t kNestDotWidth = 3;  // pixels
constexpr uint32_t kNestColor = RGB(150, 0, 0);
}  // namespace

void MainForm::PlotHome() {
  pctWorld.Cls();
  panel.lblHomeYPos.SetCaption("Home Y Position = " + FormatInt(homeYPos));
  DrawNestDot();
}

void MainForm::DrawNestDot() {
  pctWorld.SetDrawWidth(kNestDotWidth);
  pctWorld.PSet(static_cast<float>(homeXPos), static_cast<float>(homeYPos), kNestColor);
  pctWorld.SetDrawWidth(drawWidth);
}

void MainForm::PlotFood() { PaintFood(pctWorld); }

void MainForm::PaintFood(Canvas& target) const {
  target.SetDrawWidth(drawWidth);
  target.Cls();
  // Patches beyond the food layer (none yet, or an older, smaller world)
  // hold no food. All dots share one colour, so the scan order is free.
  const int32_t W = std::min(worldXinCm, foodGrid.width());
  const int32_t H = std::min(worldYinCm, foodGrid.height());
  const int32_t stride = foodGrid.width();
  const int16_t* cells = foodGrid.cells().data();
  for (int32_t y = 1; y <= H; ++y) {
    const int16_t* rowCells = cells + static_cast<size_t>(y - 1) * stride;
    for (int32_t x = 1; x <= W; ++x)
      if (rowCells[x - 1] > 0) target.PSet(static_cast<float>(x), static_cast<float>(y), RGB(0, 0, 250));
  }
}

void MainForm::cmdClearScreen_Click() {
  pctWorld.Cls();
  if (foodMade && plotFood) PlotFood();
}

void MainForm::chkShowAnts_Click() {
  if (!panel.chkShowAnts.checked()) {
    showAnts = false;
    if (programStarted) {
      pctWorld.Cls();
      if (plotFood) PlotFood();
    }
  } else {
    showAnts = true;
  }
}

void MainForm::chkPlotFood_Click() {
  if (!panel.chkPlotFood.checked()) {
    plotFood = false;
    pctWorld.Cls();
  } else {
    plotFood = true;
  }
  if (foodMade && plotFood) PlotFood();
}

}  // namespace antraid
