// The pheromone field painted over the canvas in shades of red.
#include "sim/main_form.h"

namespace antraid {

void MainForm::cmdPlotPher_Click() { PlotPheromone(); }

void MainForm::PlotPheromone() {
  if (!run.antsCreated) return;
  // The message shows before the plot; handlers may run meanwhile.
  Message("Plotting");
  host.DoEvents();
  if (unloaded || !run.antsCreated) return;
  PaintPheromone(pctWorld);
  Message("Done");
}

void MainForm::PaintPheromone(Canvas& target) const {
  // A patch holding a third as many units as there are ants is full red.
  const double factor = 255.0 / (params.numAnts / 3.0);
  // x outer, y inner: wide dots overlap, and the later one shows.
  for (int32_t x = 1; x <= params.worldXinCm; ++x) {
    for (int32_t y = 1; y <= params.worldYinCm; ++y) {
      const int32_t v = run.pherGrid.Get(x, y);
      if (v <= 0) continue;
      double level = RoundHalfEven(v * factor);
      if (!(level <= 255)) level = 255;
      const int l = static_cast<int>(level);
      target.PSet(static_cast<float>(x), static_cast<float>(y), RGB(255, 255 - l, 255 - l));
    }
  }
}

Canvas MainForm::TrailsPicture() const {
  Canvas picture = pctWorld;  // its scale and pen width; the run's own canvas is left alone
  picture.SetRasterOn(true);
  picture.Cls();  // Clear Screen
  if (run.foodMade && params.plotFood) PaintFood(picture);
  if (run.antsCreated) PaintPheromone(picture);  // Plot Pheromone
  return picture;
}

}  // namespace antraid
