#include "sim/display/trail_layer.h"

#include <algorithm>
#include <cmath>

#include "sim/main_form.h"

namespace antraid {

uint32_t TrailLayer::Colour(int32_t units, int32_t numAnts) {
  // The pheromone plot's scale, rounded the same way.
  const double factor = 255.0 / (numAnts / 3.0);
  double level = RoundHalfEven(units * factor);
  if (!(level <= 255)) level = 255;
  if (level < 0) level = 0;
  const int l = static_cast<int>(level);
  return ToArgb(RGB(255, 255 - l, 255 - l));
}

namespace {
// Patches whose pixel column (or row) lies in the raster, lo..hi within 1..last.
void VisiblePatches(double scaleStart, double scaleSize, int32_t last, int32_t& lo, int32_t& hi) {
  const double a = std::min(scaleStart, scaleStart + scaleSize), b = std::max(scaleStart, scaleStart + scaleSize);
  lo = static_cast<int32_t>(std::clamp(std::floor(a), 1.0, static_cast<double>(last) + 1));
  hi = static_cast<int32_t>(std::clamp(std::ceil(b), 0.0, static_cast<double>(last)));
}
}  // namespace

const std::vector<uint32_t>& TrailLayer::Compose(const MainForm& form) {
  const Canvas& c = form.pctWorld;
  const int n = c.width();
  const size_t size = static_cast<size_t>(n) * static_cast<size_t>(c.height());
  picture_.assign(c.pixels(), c.pixels() + size);
  if (!form.run.antsCreated || form.run.pherGrid.cells().empty()) return picture_;
  strongest_.assign(size, 0);

  const double w = c.ScaleWidth(), h = c.ScaleHeight();
  if (!(std::fabs(w) > 0) || !(std::fabs(h) > 0) || !std::isfinite(w) || !std::isfinite(h)) return picture_;
  const int32_t xs = form.params.worldXinCm, ys = form.params.worldYinCm;
  if (std::fabs(w) >= n && std::fabs(h) >= c.height()) {
    // A patch or more per pixel: each visible patch into the pixel that holds it.
    int32_t x0, x1, y0, y1;
    VisiblePatches(c.ScaleLeft(), w, xs, x0, x1);
    VisiblePatches(c.ScaleTop(), h, ys, y0, y1);
    columns_.clear();
    for (int32_t x = x0; x <= x1; ++x) {
      const double px = std::floor(c.ToPixelX(x));
      columns_.push_back(px >= 0 && px < n ? static_cast<int32_t>(px) : -1);
    }
    for (int32_t y = y0; y <= y1; ++y) {
      const double py = std::floor(c.ToPixelY(y));
      if (py < 0 || py >= c.height()) continue;
      int32_t* row = strongest_.data() + static_cast<size_t>(py) * static_cast<size_t>(n);
      for (int32_t x = x0; x <= x1; ++x) {
        const int32_t v = form.run.pherGrid.Get(x, y);
        const int32_t px = columns_[static_cast<size_t>(x - x0)];
        if (v <= 0 || px < 0) continue;
        row[px] = std::max(row[px], v);
      }
    }
  } else {
    // Zoomed in, a patch spans pixels: each pixel shows the patch at its centre.
    for (int py = 0; py < c.height(); ++py) {
      const int64_t y = MainForm::PatchOf(c.ToWorldY(py + 0.5));
      for (int px = 0; px < n; ++px) {
        const int64_t x = MainForm::PatchOf(c.ToWorldX(px + 0.5));
        strongest_[static_cast<size_t>(py) * static_cast<size_t>(n) + static_cast<size_t>(px)] =
            form.run.pherGrid.Get(x, y);
      }
    }
  }

  const uint32_t background = ToArgb(c.BackColor());
  for (size_t i = 0; i < size; ++i)
    if (strongest_[i] > 0 && picture_[i] == background) picture_[i] = Colour(strongest_[i], form.params.numAnts);
  return picture_;
}

}  // namespace antraid
