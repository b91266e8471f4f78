#include "experiments/latin_hypercube.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "common/numbers.h"
#include "common/random.h"

namespace antraid::experiments {

namespace {

// A real drawn in stratum s of [min, max): min + (s + u) * width / count,
// kept inside the stratum once written with 15 significant digits.
double RealInStratum(const SampleRange& r, int64_t s, int64_t count, double u) {
  const double width = (r.max - r.min) / static_cast<double>(count);
  const double lo = r.min + static_cast<double>(s) * width;
  const double hi = s + 1 == count ? r.max : r.min + static_cast<double>(s + 1) * width;
  const double typed = ParseNumber(FormatDouble(lo + u * (hi - lo))).value;
  if (typed >= lo && (typed < hi || lo == hi)) return typed;
  return ParseNumber(FormatDouble(lo + 0.5 * (hi - lo))).value;
}

// A whole number drawn among those of stratum s: the strata split the span
// [a, b + 1) of the whole numbers a..b.
double WholeInStratum(const SampleRange& r, int64_t s, int64_t count, double u) {
  if (r.min == r.max) return r.min;    // one number: every point holds it
  const double n = r.max - r.min + 1;  // whole numbers in the range
  const double first = std::ceil(static_cast<double>(s) * n / static_cast<double>(count));
  const double end = std::ceil(static_cast<double>(s + 1) * n / static_cast<double>(count));  // one past the last
  return r.min + first + std::floor(u * (end - first));
}

}  // namespace

std::vector<std::vector<double>> LatinHypercube(int64_t count, const std::vector<SampleRange>& ranges, uint64_t seed) {
  Random rng;
  rng.SetFixedSeed(seed);
  std::vector<std::vector<double>> points(static_cast<size_t>(count), std::vector<double>(ranges.size()));
  std::vector<int64_t> strata(static_cast<size_t>(count));
  for (size_t d = 0; d < ranges.size(); ++d) {
    std::iota(strata.begin(), strata.end(), int64_t{0});
    for (int64_t i = count - 1; i > 0; --i) {  // a uniform permutation (Fisher-Yates)
      const auto j = static_cast<int64_t>(rng.Next() * static_cast<double>(i + 1));
      std::swap(strata[static_cast<size_t>(i)], strata[static_cast<size_t>(j)]);
    }
    for (int64_t i = 0; i < count; ++i) {
      const int64_t s = strata[static_cast<size_t>(i)];
      const double u = rng.Next();
      points[static_cast<size_t>(i)][d] =
          ranges[d].whole ? WholeInStratum(ranges[d], s, count, u) : RealInStratum(ranges[d], s, count, u);
    }
  }
  return points;
}

}  // namespace antraid::experiments
