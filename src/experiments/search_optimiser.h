// The optimisers of [search], from pagmo2: CMA-ES, a simple genetic
// algorithm, differential evolution, particle swarm (pagmo's generational
// variant) and NSGA-II. They see every parameter on [0, 1]; the caller maps
// those to the ranges and runs the candidates.
//
// pagmo's algorithms ask for one fitness at a time. To run a generation's
// candidates side by side, each generation is evolved first on a copy of the
// algorithm and population whose fitness answers from what is known and
// notes every new candidate; those are evaluated together, and the
// generation is evolved again, from the same state, with their fitness known.
// CMA-ES, the genetic algorithm, the swarm and NSGA-II choose all of a
// generation's candidates before judging any, so the second pass asks for
// nothing new. Differential evolution lets a trial judged early in a
// generation shape later ones; when the second pass asks for candidates the
// first did not, those are evaluated too and the pass repeated, until a pass
// asks for nothing unknown (the first pass's candidates that the final pass
// never asked for remain runs of that generation). The answer depends on the
// candidates and their fitness only, never on how they were run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace antraid::experiments {

struct OptimiserSpec {
  std::string algorithm;  // "cmaes", "sga", "de", "pso" or "nsga2"
  size_t dimensions = 1;
  size_t objectives = 1;  // 2 for nsga2
  int64_t population = 0;
  int64_t generations = 0;
  uint64_t seed = 1;
};

// The fitness (to be made small, one value per objective) of new candidates
// of generation g (0: the first population), in the order given.
using EvaluateBatch =
    std::function<std::vector<std::vector<double>>(const std::vector<std::vector<double>>& candidates, int64_t generation)>;

// A fitness worse than any a measure gives: a candidate whose runs failed.
inline constexpr double kWorstFitness = 1e300;

// The first population: `population` points drawn uniformly from [0, 1]^k by
// the program's random source seeded with `seed`.
std::vector<std::vector<double>> FirstGeneration(const OptimiserSpec& settings);

// Evaluates the first population, then evolves it `generations` times;
// `generationDone(g)` is called after generation g's candidates are known.
void Optimise(const OptimiserSpec& settings, const EvaluateBatch& evaluate, const std::function<void(int64_t)>& generationDone);

}  // namespace antraid::experiments
