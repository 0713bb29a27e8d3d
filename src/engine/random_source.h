#pragma once
// The random source of one calculation: a seedable 32-bit Mersenne twister (the numbers of
// std::mt19937 for the same seed, made a block at a time) with a draw that gives the same numbers
// on every platform.
#include <array>
#include <cstdint>

namespace kelvara {

class RandomSource {
 public:
  RandomSource() : RandomSource(ClockSeed()) {}
  explicit RandomSource(std::uint32_t seed);

  // A seed taken from the clock.
  static std::uint32_t ClockSeed();

  std::uint32_t Seed() const { return seed_; }
  // The next number of the std::mt19937 sequence.
  std::uint32_t Next() {
    if (pos_ == kN) Refill();
    return out_[pos_++];
  }
  // A uniform integer in 0..n-1 (0 when n is 0).
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>((static_cast<std::uint64_t>(Next()) * n) >> 32); }

 private:
  static constexpr int kN = 624;
  void Refill();

  std::uint32_t seed_;
  int pos_ = kN;
  std::array<std::uint32_t, kN> state_;
  std::array<std::uint32_t, kN> out_;
};

}  // namespace kelvara
