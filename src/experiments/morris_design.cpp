#include "experiments/morris_design.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

#include "common/numbers.h"
#include "common/random.h"

namespace antraid::experiments {

namespace {

double Level(const SampleRange& r, int64_t level, int64_t levels) {
  const double at = r.min + static_cast<double>(level) * (r.max - r.min) / static_cast<double>(levels - 1);
  return r.whole ? std::round(at) : ParseNumber(FormatDouble(at)).value;
}

}  // namespace

std::vector<std::vector<double>> MorrisDesign(int64_t trajectories, int64_t levels, const std::vector<SampleRange>& ranges,
                                              uint64_t seed) {
  const size_t k = ranges.size();
  const int64_t h = std::max<int64_t>(1, levels / 2);
  Random rng;
  rng.SetFixedSeed(seed);
  auto below = [&](int64_t n) { return static_cast<int64_t>(rng.Next() * static_cast<double>(n)); };
  std::vector<std::vector<double>> points;
  points.reserve(static_cast<size_t>(trajectories) * (k + 1));
  std::vector<int64_t> at(k);
  std::vector<size_t> order(k);
  for (int64_t t = 0; t < trajectories; ++t) {
    for (int64_t& l : at) l = below(levels);
    std::iota(order.begin(), order.end(), size_t{0});
    for (size_t i = k; i-- > 1;) std::swap(order[i], order[static_cast<size_t>(below(static_cast<int64_t>(i) + 1))]);
    auto point = [&] {
      std::vector<double> p(k);
      for (size_t d = 0; d < k; ++d) p[d] = Level(ranges[d], at[d], levels);
      points.push_back(std::move(p));
    };
    point();
    for (size_t d : order) {
      at[d] += at[d] + h <= levels - 1 ? h : -h;
      point();
    }
  }
  return points;
}

std::vector<MorrisEffect> MorrisEffects(const std::vector<std::vector<double>>& points, const std::vector<double>& outputs,
                                        const std::vector<SampleRange>& ranges) {
  const size_t k = ranges.size();
  std::vector<std::vector<double>> effects(k);
  for (size_t c = 0; c + 1 < points.size(); ++c) {
    if ((c + 1) % (k + 1) == 0) continue;  // the last point of a trajectory: the next one starts afresh
    for (size_t d = 0; d < k; ++d) {
      const double dx = points[c + 1][d] - points[c][d];
      if (dx == 0) continue;
      const double dy = outputs[c + 1] - outputs[c];
      if (!std::isnan(dy)) effects[d].push_back(dy * (ranges[d].max - ranges[d].min) / dx);
    }
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<MorrisEffect> result(k);
  for (size_t d = 0; d < k; ++d) {
    const std::vector<double>& e = effects[d];
    if (e.empty()) {
      result[d] = {nan, nan, nan};
      continue;
    }
    const double n = static_cast<double>(e.size());
    double sum = 0, absolute = 0;
    for (double x : e) {
      sum += x;
      absolute += std::abs(x);
    }
    const double mu = sum / n;
    double squares = 0;
    for (double x : e) squares += (x - mu) * (x - mu);
    result[d] = {mu, absolute / n, e.size() > 1 ? std::sqrt(squares / (n - 1)) : nan};
  }
  return result;
}

}  // namespace antraid::experiments
