#include "common/random.h"

#include <chrono>
#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace antraid {

namespace {
uint64_t SplitMix(uint64_t& x) {
  uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

uint64_t ClockTicks() {
#if defined(__x86_64__) || defined(__i386__)
  return __rdtsc();  // a few ns; the model reseeds before every ant's draws
#else
  return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}
}  // namespace

void Random::Seed(uint64_t seed) {
  uint64_t x = seed;
  for (auto& s : s_) s = SplitMix(x);
}

void Random::ReseedFromClock() {
  if (fixed_) return;
  // The model reseeds before every ant's draws, far more often than a clock
  // worth mixing in ticks; reading it on every 64th call keeps the reseed
  // cheap and still stirs the clock into the sequence many times a step.
  if ((++reseeds_ & 63u) != 0) return;
  uint64_t x = ClockTicks();
  s_[0] ^= SplitMix(x);
  if ((s_[0] | s_[1] | s_[2] | s_[3]) == 0) s_[0] = 1;  // the all-zero state is a fixed point
}

}  // namespace antraid
