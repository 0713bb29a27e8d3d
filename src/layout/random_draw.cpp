#include "layout/random_draw.h"

#include <memory>

#include "engine/random_source.h"

namespace kelvara {

RandomDraw MakeRandomDraw(std::uint32_t seed) {
  auto source = std::make_shared<RandomSource>(seed);
  return [source](std::uint32_t n) { return source->Below(n); };
}

RandomDraw MakeRandomDraw() { return MakeRandomDraw(RandomSource::ClockSeed()); }

}  // namespace kelvara
