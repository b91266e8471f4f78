#include "experiments/search_optimiser.h"

// pagmo's CMA-ES keeps Eigen vectors, which our inline copies of its state
// allocate and libpagmo frees (and the other way round), so both must agree
// on how Eigen allocates. libpagmo was built, as Eigen decides on 64-bit
// glibc, trusting malloc's 16-byte alignment; Eigen drops that trust under
// AddressSanitizer and would then free with an offset the library never
// wrote. Keep the library's choice in every build.
#ifndef EIGEN_MALLOC_ALREADY_ALIGNED
#define EIGEN_MALLOC_ALREADY_ALIGNED 1
#endif

#include <algorithm>
#include <map>
#include <pagmo/algorithm.hpp>
#include <pagmo/algorithms/cmaes.hpp>
#include <pagmo/algorithms/de.hpp>
#include <pagmo/algorithms/nsga2.hpp>
#include <pagmo/algorithms/pso_gen.hpp>
#include <pagmo/algorithms/sga.hpp>
#include <pagmo/population.hpp>
#include <pagmo/problem.hpp>
#include <stdexcept>
#include <utility>

#include "common/random.h"

namespace antraid::experiments {

namespace {

// What is known of the candidates so far, and which ones were asked for
// without being known.
struct Known {
  std::map<std::vector<double>, std::vector<double>> fitness;
  std::vector<std::vector<double>> asked;
  size_t objectives = 1;
};

// The problem as pagmo sees it: [0, 1]^k, answered from `known`.
struct KnownProblem {
  Known* known = nullptr;
  size_t dimensions = 1;

  std::vector<double> fitness(const std::vector<double>& x) const {
    auto it = known->fitness.find(x);
    if (it != known->fitness.end()) return it->second;
    if (std::find(known->asked.begin(), known->asked.end(), x) == known->asked.end()) known->asked.push_back(x);
    return std::vector<double>(known->objectives, kWorstFitness);
  }
  std::pair<std::vector<double>, std::vector<double>> get_bounds() const {
    return {std::vector<double>(dimensions, 0.0), std::vector<double>(dimensions, 1.0)};
  }
  pagmo::vector_double::size_type get_nobj() const { return known ? known->objectives : 1; }
  std::string get_name() const { return "antraid runs"; }
};

// One generation per evolve; the algorithms that adapt a state (CMA-ES's
// distribution, the swarm's velocities) keep it between calls. No tolerance
// ends a search early: it runs all its generations.
pagmo::algorithm MakeAlgorithm(const OptimiserSpec& s) {
  const auto seed = static_cast<unsigned>(s.seed);
  if (s.algorithm == "cmaes") return pagmo::algorithm(pagmo::cmaes(1u, -1, -1, -1, -1, 0.5, 0, 0, true, true, seed));
  if (s.algorithm == "sga")
    return pagmo::algorithm(pagmo::sga(1u, .90, 1., 0.02, 1., 2u, "exponential", "polynomial", "tournament", seed));
  if (s.algorithm == "de") return pagmo::algorithm(pagmo::de(1u, 0.8, 0.9, 2u, 0, 0, seed));
  if (s.algorithm == "pso")
    return pagmo::algorithm(pagmo::pso_gen(1u, 0.7298, 2.05, 2.05, 0.5, 5u, 2u, 4u, true, seed));
  if (s.algorithm == "nsga2") return pagmo::algorithm(pagmo::nsga2(1u, 0.95, 10., 0.01, 50., seed));
  throw std::invalid_argument("unknown algorithm " + s.algorithm);
}

}  // namespace

std::vector<std::vector<double>> FirstGeneration(const OptimiserSpec& settings) {
  Random rng;
  rng.SetFixedSeed(settings.seed);
  std::vector<std::vector<double>> xs(static_cast<size_t>(settings.population), std::vector<double>(settings.dimensions));
  for (auto& x : xs)
    for (double& v : x) v = rng.Next();
  return xs;
}

void Optimise(const OptimiserSpec& settings, const EvaluateBatch& evaluate, const std::function<void(int64_t)>& generationDone) {
  Known known;
  known.objectives = settings.objectives;
  pagmo::population pop(pagmo::problem(KnownProblem{&known, settings.dimensions}), 0u, static_cast<unsigned>(settings.seed));
  const std::vector<std::vector<double>> first = FirstGeneration(settings);
  const std::vector<std::vector<double>> firstFitness = evaluate(first, 0);
  for (size_t i = 0; i < first.size(); ++i) {
    known.fitness.emplace(first[i], firstFitness[i]);
    pop.push_back(first[i], firstFitness[i]);
  }
  generationDone(0);
  pagmo::algorithm algorithm = MakeAlgorithm(settings);
  for (int64_t g = 1; g <= settings.generations; ++g) {
    for (;;) {
      known.asked.clear();
      pagmo::algorithm trial = algorithm;
      pagmo::population next = trial.evolve(pop);
      if (known.asked.empty()) {
        algorithm = std::move(trial);
        pop = std::move(next);
        break;
      }
      const std::vector<std::vector<double>> asked = known.asked;
      const std::vector<std::vector<double>> fitness = evaluate(asked, g);
      for (size_t i = 0; i < asked.size(); ++i) known.fitness.emplace(asked[i], fitness[i]);
    }
    generationDone(g);
  }
}

}  // namespace antraid::experiments
