// Figures of a raid's shape, computed from plain values so that the script
// items, the window's trail chart and tests share one definition.
//   row:    pheromone units of the patches of one row, left to right
//   xs:     positions (cm) of the ants searching outward, in any order
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace antraid {

// Trails closer than this many patches apart count as one trail.
inline constexpr int64_t kTrailGap = 3;

// x_max - x_min + 1 over the patches holding at least one unit; 0 when none does.
int64_t TrailExtent(std::span<const int32_t> row);

// (sum p)^2 / sum p^2: how many patches the trail's pheromone effectively
// covers (one patch holding it all gives 1, n equal patches give n). 0 when
// the sum is 0.
double TrailWidth(std::span<const int32_t> row);

// The number of trails: patches holding at least a tenth of the row's
// maximum are on a trail, runs of them are trails, and trails with at most
// kTrailGap patches between them are one. A row whose maximum is 0 or less
// holds no trail.
int64_t TrailCount(std::span<const int32_t> row);

// The nearest-rank 95th percentile of the positions minus the 5th, as 32-bit
// reals; 0 for fewer than two ants. `xs` is sorted in place.
float SearchSpread(std::vector<float>& xs);

}  // namespace antraid
