// One per-patch layer of the world: a flat array indexed by patch (x, y),
// x = 1..width, y = 1..height, stored row after row. Reads off the layer give
// 0 and writes off the layer are dropped, so no position can index outside it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace antraid {

template <typename T>
class Layer {
 public:
  // Replaces the layer by width x height zeros. Throws std::bad_alloc when the
  // memory cannot be had; the old contents are gone either way.
  void Allocate(int32_t width, int32_t height) {
    cells_.clear();
    cells_.shrink_to_fit();
    width_ = height_ = 0;
    cells_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), T{0});
    width_ = width;
    height_ = height;
  }
  void Release() {
    cells_.clear();
    cells_.shrink_to_fit();
    width_ = height_ = 0;
  }
  void Zero() { std::fill(cells_.begin(), cells_.end(), T{0}); }

  bool exists() const { return !cells_.empty(); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  bool Contains(int64_t x, int64_t y) const { return x >= 1 && y >= 1 && x <= width_ && y <= height_; }

  // Pointer to the patch, or nullptr off the layer.
  T* At(int64_t x, int64_t y) {
    return Contains(x, y) ? &cells_[static_cast<size_t>(y - 1) * width_ + static_cast<size_t>(x - 1)] : nullptr;
  }
  // Hints that patch (x, y) and its row neighbours will be read soon.
  void Prefetch(int64_t x, int64_t y) const {
#if defined(__GNUC__)
    if (Contains(x, y)) __builtin_prefetch(&cells_[static_cast<size_t>(y - 1) * width_ + static_cast<size_t>(x - 1)]);
#endif
  }
  T Get(int64_t x, int64_t y) const {
    return Contains(x, y) ? cells_[static_cast<size_t>(y - 1) * width_ + static_cast<size_t>(x - 1)] : T{0};
  }
  void Set(int64_t x, int64_t y, T v) {
    if (T* p = At(x, y)) *p = v;
  }
  // Adds d, saturating at the type's limits.
  void Add(int64_t x, int64_t y, int64_t d) {
    if (T* p = At(x, y)) *p = Saturate(static_cast<int64_t>(*p) + d);
  }
  static T Saturate(int64_t v) {
    if (v > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
    if (v < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
    return static_cast<T>(v);
  }
  const std::vector<T>& cells() const { return cells_; }
  std::vector<T>& cells() { return cells_; }

 private:
  int32_t width_ = 0, height_ = 0;
  std::vector<T> cells_;
};

}  // namespace antraid
