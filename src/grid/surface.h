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
    ++drawnSinceClear_;
    // Plots without a clear in between lie over each other; keep only the
    // newest so that a long session does not grow without bound. The oldest
    // go a batch at a time: dropping one per point moved the whole list for
    // every point once it was full.
    if (points_.size() > kMaxPoints + kMaxPoints / 4) points_.erase(points_.begin(), points_.end() - kMaxPoints);
  }
  void Cls() {
    points_.clear();
    ++version_;
    ++clears_;
    drawnSinceClear_ = 0;
  }
  const std::vector<SurfacePoint>& points() const { return points_; }
  uint64_t version() const { return version_; }
  // A viewer that keeps a picture of the surface draws only what is new: the
  // last (drawnSinceClear() - already drawn) points, unless clears() moved.
  uint64_t clears() const { return clears_; }
  uint64_t drawnSinceClear() const { return drawnSinceClear_; }

  static constexpr size_t kMaxPoints = 200000;  // kept at least; at most a quarter more

 private:
  std::vector<SurfacePoint> points_;
  uint64_t version_ = 0;
  uint64_t clears_ = 0;
  uint64_t drawnSinceClear_ = 0;  // points set since the last clear, dropped ones included
};

}  // namespace antraid
