// The main window's own background as a drawing surface: points in twips
// (1/1440 inch, y downwards, origin at the top left of the window's inner
// area). Only the response graph draws on it.
#pragma once

#include <cstdint>
#include <vector>

namespace antraid {

struct SurfacePoint {
  float x, y;      // twips
  uint32_t color;  // RGB(r, g, b)
};

class Surface {
 public:
  void PSet(float x, float y, uint32_t rgb) {
    points_.push_back({x, y, rgb});
    ++version_;
    // Plots without a clear in between lie over each other; keep only the
    // newest few so that a long session does not grow without bound.
    if (points_.size() > kMaxPoints) points_.erase(points_.begin(), points_.begin() + (points_.size() - kMaxPoints));
  }
  void Cls() {
    points_.clear();
    ++version_;
  }
  const std::vector<SurfacePoint>& points() const { return points_; }
  uint64_t version() const { return version_; }

  static constexpr size_t kMaxPoints = 200000;

 private:
  std::vector<SurfacePoint> points_;
  uint64_t version_ = 0;
};

}  // namespace antraid
