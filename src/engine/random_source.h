#pragma once
// The random source of one calculation: a seedable Mersenne twister with a draw that gives the
// same numbers on every platform.
#include <cstdint>
#include <random>

namespace kelvara {

class RandomSource {
 public:
  RandomSource() : RandomSource(ClockSeed()) {}
  explicit RandomSource(std::uint32_t seed) : seed_(seed), gen_(seed) {}

  // A seed taken from the clock.
  static std::uint32_t ClockSeed();

  std::uint32_t Seed() const { return seed_; }
  // A uniform integer in 0..n-1 (0 when n is 0).
  std::uint32_t Below(std::uint32_t n) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(gen_()) * n) >> 32);
  }

 private:
  std::uint32_t seed_;
  std::mt19937 gen_;
};

}  // namespace kelvara
