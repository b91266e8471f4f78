// Food placement and pick-up.
#include <new>
#include <string>

#include "sim/main_form.h"
#include "sim/params/limits.h"

namespace antraid {

void MainForm::MakeFood() {
  const int32_t W = params.worldXinCm, H = params.worldYinCm;
  // The percentage comes from the box itself, not from the parameter load. A
  // text that is not a usable number, or a percentage above 100, leaves the
  // percentage as it was, and the closing message says so. A negative
  // percentage places nothing, like 0 (and no food total can fall below 0).
  std::string refused;
  if (auto v = ReadSingle(panel.txtPercentFood)) {
    if (*v < 0)
      params.percentFood = 0;
    else if (auto problem = PercentFoodProblem(*v))
      refused = *problem + "; used " + FormatSingle(params.percentFood) + " %";
    else
      params.percentFood = *v;
  } else if (!panel.txtPercentFood.text().empty()) {
    refused = panel.txtDebugMsg.text() + "; used " + FormatSingle(params.percentFood) + " %";
  }
  // Without food to place only the total and its caption change: the item
  // count, its caption and the grid (with foodOnGround) keep what they held.
  const int32_t itemsHeld = readouts.numFoodItems;
  const std::string itemsCaption = panel.lblTotalFoodItems.caption();
  WriteFoodTotals();
  if (params.percentFood <= 0) {
    readouts.numFoodItems = itemsHeld;
    panel.lblTotalFoodItems.SetCaption(itemsCaption);
    run.foodMade = true;
    return;
  }
  // A new layout on an empty grid of the world's size. Even with no item to
  // place the grid is emptied, and made to the world's size when it is not.
  try {
    if (readouts.numFoodItems >= 1 || run.foodGrid.width() != W || run.foodGrid.height() != H)
      run.foodGrid.Allocate(W, H);
    else
      run.foodGrid.Zero();
  } catch (const std::bad_alloc&) {
    run.foodGrid.Release();
    readouts.foodOnGround = 0;
    Message("Food refused: the food layer does not fit in memory");
    run.foodMade = true;
    return;
  }
  // Every call makes a different layout. A draw that rounds to 0 or onto the
  // last column or row is drawn again, so the items land uniformly on the
  // other patches. Items on one patch add up.
  rng.ReseedFromClock();
  int64_t lost = 0;  // units beyond what one patch can hold
  for (int32_t item = 0; item < readouts.numFoodItems; ++item) {
    for (;;) {
      int64_t x = PatchOf(rng.Next() * W);
      int64_t y = PatchOf(rng.Next() * H);
      if (x >= 1 && x <= W - 1 && y >= 1 && y <= H - 1) {
        int16_t* cell = run.foodGrid.At(x, y);
        int32_t sum = *cell + params.foodQuality;
        if (sum > INT16_MAX) {
          lost += sum - INT16_MAX;
          sum = INT16_MAX;
        }
        *cell = static_cast<int16_t>(sum);
        break;
      }
    }
  }
  readouts.foodOnGround = static_cast<int64_t>(readouts.numFoodItems) * params.foodQuality - lost;
  std::string done = "Food Done.";
  if (!refused.empty()) done.append(" ").append(refused);
  if (lost > 0) {
    // A patch holds at most 32767 units; the total counts only what was laid.
    readouts.totalFood = static_cast<int32_t>(readouts.totalFood - lost < 0 ? 0 : readouts.totalFood - lost);
    panel.lblTotalFood.SetCaption("TotalFood: " + FormatInt(readouts.totalFood));
    done.append(" ").append(FormatInt(lost)).append(" units did not fit on their patches (32767 at most)");
  }
  Message(done);
  if (params.plotFood) PlotFood();
  run.foodMade = true;
}

void MainForm::LookForFood(int16_t num, float myAntXPos, float myAntYPos) {
  // Only the patch under the given position is searched, and not at all once
  // the world's food is used up (whatever the grid still holds).
  if (readouts.totalFood <= 0) return;
  int16_t* food = run.foodGrid.At(PatchOf(myAntXPos), PatchOf(myAntYPos));
  if (food == nullptr || *food <= 0) return;
  AntRecord& ant = run.ants[static_cast<size_t>(num)];
  --*food;
  --readouts.foodOnGround;
  --readouts.totalFood;
  ant.hasFood = true;
  panel.lblTotalFood.SetCachedInt("TotalFood: ", readouts.totalFood, "");
  if (*food == 0) {
    --readouts.numFoodItems;
    panel.lblTotalFoodItems.SetText("Food Items: " + FormatInt(readouts.numFoodItems));
  }
  ant.state = AntState::kReturning;
  // A pick-up draws no marker: nothing places one where the food was.
}

}  // namespace antraid
