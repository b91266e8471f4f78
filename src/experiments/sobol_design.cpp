#include "experiments/sobol_design.h"

#include <algorithm>
#include <boost/random/sobol.hpp>
#include <cmath>
#include <limits>

#include "common/numbers.h"
#include "common/random.h"

namespace antraid::experiments {

namespace {

double Place(const SampleRange& r, double u) {
  if (r.whole) return std::min(r.max, r.min + std::floor(u * (r.max - r.min + 1)));
  return std::clamp(ParseNumber(FormatDouble(r.min + u * (r.max - r.min))).value, r.min, r.max);
}

// S1 and ST of every parameter from the base points listed in `base`.
void Estimate(const std::vector<double>& f, const std::vector<size_t>& base, size_t k, std::vector<double>& s1,
              std::vector<double>& st) {
  const size_t stride = k + 2;
  double sum = 0, squares = 0;
  for (size_t j : base) {
    sum += f[j * stride] + f[j * stride + k + 1];
  }
  const double count = 2.0 * static_cast<double>(base.size());
  const double mean = sum / count;
  for (size_t j : base) {
    const double a = f[j * stride] - mean, b = f[j * stride + k + 1] - mean;
    squares += a * a + b * b;
  }
  const double variance = squares / count;
  for (size_t i = 0; i < k; ++i) {
    double first = 0, total = 0;
    for (size_t j : base) {
      const double a = f[j * stride], ab = f[j * stride + 1 + i], b = f[j * stride + k + 1];
      first += b * (ab - a);
      total += (a - ab) * (a - ab);
    }
    const double n = static_cast<double>(base.size());
    s1[i] = variance > 0 ? first / n / variance : std::numeric_limits<double>::quiet_NaN();
    st[i] = variance > 0 ? total / n / (2 * variance) : std::numeric_limits<double>::quiet_NaN();
  }
}

// The nearest-rank percentile q of sorted values (q in (0, 1]).
double Percentile(const std::vector<double>& sorted, double q) {
  const auto rank = static_cast<size_t>(std::ceil(q * static_cast<double>(sorted.size())));
  return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace

std::vector<std::vector<double>> SaltelliDesign(int64_t n, const std::vector<SampleRange>& ranges) {
  const size_t k = ranges.size();
  std::vector<std::vector<double>> points;
  points.reserve(static_cast<size_t>(n) * (k + 2));
  if (k == 0) return points;
  // The sequence starts at (1/2, ..., 1/2): the origin is never drawn.
  boost::random::sobol sequence(2 * k);
  std::vector<double> u(2 * k);
  for (int64_t j = 0; j < n; ++j) {
    for (double& x : u) x = static_cast<double>(sequence()) * 0x1.0p-64;
    std::vector<double> a(k), b(k);
    for (size_t d = 0; d < k; ++d) {
      a[d] = Place(ranges[d], u[d]);
      b[d] = Place(ranges[d], u[k + d]);
    }
    points.push_back(a);
    for (size_t i = 0; i < k; ++i) {
      std::vector<double> ab = a;
      ab[i] = b[i];
      points.push_back(std::move(ab));
    }
    points.push_back(b);
  }
  return points;
}

std::vector<SobolIndex> SaltelliIndices(const std::vector<double>& outputs, int64_t n, size_t k, uint64_t seed,
                                        int resamples) {
  std::vector<size_t> base(static_cast<size_t>(n));
  for (size_t j = 0; j < base.size(); ++j) base[j] = j;
  std::vector<double> s1(k), st(k);
  Estimate(outputs, base, k, s1, st);
  std::vector<SobolIndex> indices(k);
  for (size_t i = 0; i < k; ++i) {
    indices[i].s1 = s1[i];
    indices[i].st = st[i];
  }
  std::vector<std::vector<double>> s1Draws(k), stDraws(k);
  Random rng;
  rng.SetFixedSeed(seed);
  for (int r = 0; r < resamples; ++r) {
    for (size_t& j : base) j = static_cast<size_t>(rng.Next() * static_cast<double>(n));
    Estimate(outputs, base, k, s1, st);
    for (size_t i = 0; i < k; ++i) {  // a resample whose outputs do not vary has no index
      if (!std::isnan(s1[i])) s1Draws[i].push_back(s1[i]);
      if (!std::isnan(st[i])) stDraws[i].push_back(st[i]);
    }
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (size_t i = 0; i < k; ++i) {
    auto interval = [&](std::vector<double>& draws, double& low, double& high) {
      if (draws.empty()) {
        low = high = nan;
        return;
      }
      std::sort(draws.begin(), draws.end());
      low = Percentile(draws, 0.025);
      high = Percentile(draws, 0.975);
    };
    interval(s1Draws[i], indices[i].s1Low, indices[i].s1High);
    interval(stDraws[i], indices[i].stLow, indices[i].stHigh);
  }
  return indices;
}

}  // namespace antraid::experiments
