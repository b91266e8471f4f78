// The world: canvas scale, food totals and the pheromone and ant-count layers.
#include <new>

#include "app/main_form.h"
#include "params/limits.h"

namespace antraid {

bool MainForm::CreateWorld() {
  pctWorld.SetScaleWidth(static_cast<float>(worldXinCm));  // 1
  pctWorld.SetScaleHeight(static_cast<float>(worldYinCm));
  WriteWorldSizeCaption();  // 2
  WriteFoodTotals();        // 3, 4 with the quality held so far
  if (auto v = ReadInt16(panel.txtFoodQuality)) {  // 5
    if (*v >= 0)
      foodQuality = *v;
    else
      Refuse(panel.txtFoodQuality, "food cannot be negative");
  }
  // 6: a world that cannot be held is refused and no run starts.
  if (auto problem = WorldSizeProblem(worldXinM, worldYinM)) {
    Message(*problem);
    return false;
  }
  try {
    pherGrid.Allocate(worldXinCm, worldYinCm);
    antCountGrid.Allocate(worldXinCm, worldYinCm);
  } catch (const std::bad_alloc&) {
    pherGrid.Release();
    antCountGrid.Release();
    Message("World size refused: its patches do not fit in memory");
    return false;
  }
  pctWorld.SetDrawWidth(3);  // 7
  pctWorld.PSet(static_cast<float>(homeXPos), static_cast<float>(homeYPos), RGB(150, 0, 0));
  pctWorld.SetDrawWidth(drawWidth);
  return true;
}

}  // namespace antraid
