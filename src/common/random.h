// The program's one source of uniform random numbers.
#pragma once

#include <cstdint>

namespace antraid {

class Random {
 public:
  explicit Random(uint64_t seed = 0x853c49e6748fea9bULL) { Seed(seed); }

  // Restarts the sequence from a fixed seed; clock reseeds are then ignored so
  // that a session is reproducible.
  void SetFixedSeed(uint64_t seed) {
    Seed(seed);
    fixed_ = true;
  }
  bool fixed() const { return fixed_; }

  // Mixes the current clock into the state. It never replaces the state, so
  // draws made within one clock tick stay independent.
  void ReseedFromClock();

  // Uniform on [0, 1), 53 random bits.
  double Next() { return static_cast<double>(NextBits() >> 11) * 0x1.0p-53; }

  uint64_t NextBits() {  // xoshiro256**
    const uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
  }

 private:
  static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  void Seed(uint64_t seed);

  uint64_t s_[4];
  uint32_t reseeds_ = 0;  // calls of ReseedFromClock so far
  bool fixed_ = false;
};

}  // namespace antraid
