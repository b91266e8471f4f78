#include "app/raid_shape.h"

#include <algorithm>

namespace antraid {

int64_t TrailExtent(std::span<const int32_t> row) {
  auto marked = [](int32_t p) { return p >= 1; };
  const auto first = std::find_if(row.begin(), row.end(), marked);
  if (first == row.end()) return 0;
  const auto last = std::find_if(row.rbegin(), row.rend(), marked);
  return static_cast<int64_t>(row.rend() - last) - static_cast<int64_t>(first - row.begin());
}

double TrailWidth(std::span<const int32_t> row) {
  double sum = 0, squares = 0;
  for (int32_t p : row) {
    sum += p;
    squares += static_cast<double>(p) * p;
  }
  return sum == 0 ? 0.0 : sum * sum / squares;
}

int64_t TrailCount(std::span<const int32_t> row) {
  const int32_t m = row.empty() ? 0 : *std::max_element(row.begin(), row.end());
  if (m <= 0) return 0;
  const double threshold = m / 10.0;  // real division: 15 puts the line at 1.5
  int64_t trails = 0;
  int64_t lastOn = -1;  // index of the last patch on a trail
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i] < threshold) continue;
    const auto at = static_cast<int64_t>(i);
    // A new trail when no trail came before or the gap exceeds kTrailGap.
    if (lastOn < 0 || at - lastOn - 1 > kTrailGap) ++trails;
    lastOn = at;
  }
  return trails;
}

float SearchSpread(std::vector<float>& xs) {
  const size_t n = xs.size();
  if (n < 2) return 0.0f;
  std::sort(xs.begin(), xs.end());
  // Ranks from 1: ceil(0.95 n) and ceil(0.05 n), in whole numbers.
  const size_t high = (95 * n + 99) / 100, low = (5 * n + 99) / 100;
  return xs[high - 1] - xs[low - 1];
}

}  // namespace antraid
