#include "engine/random_source.h"

#include <chrono>

namespace kelvara {

namespace {

constexpr int kM = 397;
constexpr std::uint32_t kMatrixA = 0x9908b0dfu;
constexpr std::uint32_t kUpper = 0x80000000u;
constexpr std::uint32_t kLower = 0x7fffffffu;

inline std::uint32_t Twist(std::uint32_t cur, std::uint32_t next, std::uint32_t far) {
  const std::uint32_t y = (cur & kUpper) | (next & kLower);
  return far ^ (y >> 1) ^ ((0u - (y & 1u)) & kMatrixA);
}

}  // namespace

RandomSource::RandomSource(std::uint32_t seed) : seed_(seed) {
  state_[0] = seed;
  for (int i = 1; i < kN; ++i) state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
}

std::uint32_t RandomSource::ClockSeed() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  const auto t = static_cast<std::uint64_t>(ticks);
  return static_cast<std::uint32_t>(t ^ (t >> 32));
}

// One twist of the whole state, split where the far word starts to be a new one, so that each
// loop has no short dependence and the compiler can vectorise it; then the tempering.
void RandomSource::Refill() {
  std::uint32_t* mt = state_.data();
  // Trip counts that are multiples of 4 (224 + 3, 396) keep the loops vectorisable at -O2.
  for (int i = 0; i < 224; ++i) mt[i] = Twist(mt[i], mt[i + 1], mt[i + kM]);
  for (int i = 224; i < kN - kM; ++i) mt[i] = Twist(mt[i], mt[i + 1], mt[i + kM]);
  for (int i = kN - kM; i < kN - 1; ++i) mt[i] = Twist(mt[i], mt[i + 1], mt[i + kM - kN]);
  mt[kN - 1] = Twist(mt[kN - 1], mt[0], mt[kM - 1]);
  for (int i = 0; i < kN; ++i) {
    std::uint32_t y = mt[i];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    y ^= y >> 18;
    out_[i] = y;
  }
  pos_ = 0;
}

}  // namespace kelvara
