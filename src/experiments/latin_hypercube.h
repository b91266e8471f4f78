// Latin hypercube sampling: `count` points over several ranges such that,
// with each range split in `count` equal strata, every stratum of every range
// holds exactly one point. A whole range [a, b] is split as the span
// [a, b + 1) of its whole numbers a..b, and draws whole numbers. A range
// with min = max gives every point that value.
#pragma once

#include <cstdint>
#include <vector>

namespace antraid::experiments {

struct SampleRange {
  double min = 0, max = 0;
  bool whole = false;  // needs at least `count` whole numbers in [min, max], or min = max
};

// points[i][d] is point i's value in range d. Real values are rounded to the
// program's number format (15 significant digits) and still lie in their
// stratum. The same seed gives the same points.
std::vector<std::vector<double>> LatinHypercube(int64_t count, const std::vector<SampleRange>& ranges, uint64_t seed);

}  // namespace antraid::experiments
