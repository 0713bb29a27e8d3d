#pragma once
// The random numbers of the layout edits (offcut ids and names): a draw of 0..n-1 that tests
// replace with a fixed sequence.
#include <cstdint>
#include <functional>

namespace kelvara {

using RandomDraw = std::function<std::uint32_t(std::uint32_t n)>;

// A draw over its own Mersenne twister, seeded from the clock or with `seed`.
RandomDraw MakeRandomDraw();
RandomDraw MakeRandomDraw(std::uint32_t seed);

}  // namespace kelvara
