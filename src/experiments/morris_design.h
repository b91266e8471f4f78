// Morris screening: `r` one-at-a-time trajectories on a grid of `p` levels
// per range. A trajectory starts at a random grid point and moves each
// parameter once, in a random order, by h = floor(p / 2) levels (up when
// that stays on the grid, else down), so it has k + 1 points and the design
// r (k + 1) combinations. The elementary effect of a move is the change of
// the output over the change of the parameter as a fraction of its range,
// EE = (y' - y) (max - min) / (x' - x); each parameter gets the mean of its r
// effects (mu), the mean of their absolute values (mu_star) and their sample
// standard deviation (sigma, n - 1).
#pragma once

#include <cstdint>
#include <vector>

#include "experiments/latin_hypercube.h"

namespace antraid::experiments {

// points[c][d] is combination c's value in range d, trajectory after
// trajectory. Level l of [a, b] is a + l (b - a) / (p - 1), rounded to 15
// significant digits, or to the nearest whole number in a whole range (which
// needs at least p whole numbers). Every range needs min < max.
std::vector<std::vector<double>> MorrisDesign(int64_t trajectories, int64_t levels, const std::vector<SampleRange>& ranges,
                                              uint64_t seed);

struct MorrisEffect {
  double mu = 0, muStar = 0, sigma = 0;  // NaN when no effect could be had (sigma: fewer than two)
};

// The effects of each parameter from the design's points and their outputs
// (NaN where a combination has no output; the moves that touch it are left out).
std::vector<MorrisEffect> MorrisEffects(const std::vector<std::vector<double>>& points, const std::vector<double>& outputs,
                                        const std::vector<SampleRange>& ranges);

}  // namespace antraid::experiments
