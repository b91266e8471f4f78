// The world: canvas scale, food totals and the pheromone and ant-count layers.
#include <new>

#include "sim/main_form.h"
#include "sim/params/limits.h"

namespace antraid {

bool MainForm::CreateWorld() {
  // One canvas unit is one centimetre; the view's origin stays where the
  // zoom left it.
  pctWorld.SetScaleWidth(static_cast<float>(params.worldXinCm));
  pctWorld.SetScaleHeight(static_cast<float>(params.worldYinCm));
  WriteWorldSizeCaption();
  // The totals use the food quality held so far; the box's value is read
  // only afterwards, for the food about to be placed.
  WriteFoodTotals();
  if (auto v = ReadInt16(panel.txtFoodQuality)) {
    if (*v >= 0)
      params.foodQuality = *v;
    else
      Refuse(panel.txtFoodQuality, "food cannot be negative");
  }
  // A world that cannot be held is refused and no run starts.
  if (auto problem = WorldSizeProblem(params.worldXinM, params.worldYinM)) {
    Message(*problem);
    return false;
  }
  try {
    run.pherGrid.Allocate(params.worldXinCm, params.worldYinCm);
    run.antCountGrid.Allocate(params.worldXinCm, params.worldYinCm);
  } catch (const std::bad_alloc&) {
    run.pherGrid.Release();
    run.antCountGrid.Release();
    Message("World size refused: its patches do not fit in memory");
    return false;
  }
  DrawNestDot();
  return true;
}

}  // namespace antraid
