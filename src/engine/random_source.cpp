#include "engine/random_source.h"

#include <chrono>

namespace kelvara {

std::uint32_t RandomSource::ClockSeed() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  const auto t = static_cast<std::uint64_t>(ticks);
  return static_cast<std::uint32_t>(t ^ (t >> 32));
}

}  // namespace kelvara
