// Sobol' sensitivity indices from Saltelli's design. Two matrices A and B of
// `n` points each come from one Sobol' low-discrepancy sequence of dimension
// 2k (A its first k coordinates, B the others); AB_i is A with its column i
// taken from B. The design runs, for every base point j: A_j, AB_1j .. AB_kj,
// B_j, that is n (k + 2) combinations.
//   S1_i = mean(f(B) (f(AB_i) - f(A))) / V     (Saltelli et al. 2010)
//   ST_i = mean((f(A) - f(AB_i))^2) / (2 V)    (Jansen 1999)
// with V the variance (over n) of the 2n outputs of A and B. The 95 %
// intervals are percentiles of the same estimates over bootstrap resamples
// of the n base points (leaving out the resamples whose outputs do not vary).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "experiments/latin_hypercube.h"

namespace antraid::experiments {

// points[c][d] is combination c's value in range d, in design order. Reals are
// rounded to the program's 15 significant digits; whole ranges [a, b] give
// a + floor(u (b - a + 1)).
std::vector<std::vector<double>> SaltelliDesign(int64_t n, const std::vector<SampleRange>& ranges);

struct SobolIndex {
  double s1 = 0, s1Low = 0, s1High = 0;
  double st = 0, stLow = 0, stHigh = 0;
};

// The indices of each of the k parameters from the n (k + 2) outputs of the
// design, in design order. The bootstrap draws `resamples` resamples from a
// source seeded with `seed`. NaN everywhere when the outputs do not vary.
std::vector<SobolIndex> SaltelliIndices(const std::vector<double>& outputs, int64_t n, size_t k, uint64_t seed,
                                        int resamples = 1000);

}  // namespace antraid::experiments
