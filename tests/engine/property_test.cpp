// Random jobs with a fixed seed: the result equals the literal reference implementation, every
// finished slot keeps the invariants of the model, and every layout is sound and guillotine.
#include <gtest/gtest.h>

#include <random>

#include "engine/calculation_driver.h"
#include "engine_fixtures.h"
#include "reference_engine.h"

namespace kelvara {
namespace {

using test::Problem;

Problem RandomProblem(std::mt19937& g) {
  auto pick = [&](int n) { return static_cast<int>(g() % n); };
  auto range = [&](int lo, int hi) { return lo + pick(hi - lo + 1); };
  Problem p;
  p.materialCount = 3;
  const float kws[] = {0, 3.2f, 4.4f, 4};
  const float offcuts[] = {0, 10, 50, 0.5f};
  p.settings.CalcLevel = pick(10) == 0 ? 1 : 0;
  p.settings.FirstCutDirection = pick(3);
  p.settings.MinimalOffcut = offcuts[pick(4)];
  p.settings.MaterialKW = {kws[pick(4)], kws[pick(4)], kws[pick(4)]};
  p.jointStart = static_cast<std::uint8_t>(pick(2));
  if (pick(5) == 0) p.indent = 2.5f;
  const int materials = 1 + pick(2);
  for (int m = 0; m < materials; ++m) {
    const int sheetRows = 1 + pick(3);
    for (int r = 0; r < sheetRows; ++r) {
      const double trims[] = {0, 10, 15.5};
      p.Sheet(range(400, 2800), range(300, 2070), range(1, 4), m, trims[pick(3)], pick(3));
    }
    const int partRows = 1 + pick(10);
    const int big = pick(4) == 0 ? 1500 : 700;
    for (int r = 0; r < partRows; ++r) {
      const int rotation = pick(4) == 0 ? 2 : pick(2);
      PartRow& row = p.Part(range(30, big) + pick(2) * 0.5, range(30, big), range(1, 6), rotation, m);
      row.SetZ = pick(6) == 0;
    }
  }
  if (pick(6) == 0) p.Sheet(1000, 1000, 2, 2);  // a material with sheets only
  return p;
}

TEST(RandomJobs, EqualTheReferenceAndKeepInvariantsAndGeometry) {
  std::mt19937 g(20240611);
  int placed = 0;
  for (int job = 0; job < 300; ++job) {
    Problem p = RandomProblem(g);
    const std::uint32_t seed = g();
    LayoutSlot fast = p.Build();
    LayoutSlot reference = p.Build();
    test::Calculate(fast, p.settings, seed);
    RandomSource random(seed);
    test::ReferenceCalculate(reference, p.settings, random);
    ASSERT_EQ(test::CompareSlots(fast, reference), "") << "job " << job;
    ASSERT_EQ(test::CheckInvariants(fast, p.materialCount), "") << "job " << job;
    ASSERT_EQ(test::CheckGeometry(fast, p.settings.MaterialKW), "") << "job " << job;
    for (const auto& ds : fast.LayoutDetails)
      for (const Detail& d : ds) placed += d.Placed;
  }
  EXPECT_GT(placed, 1000);  // the jobs do lay parts out
}

TEST(Guillotine, CheckerRefusesAPinwheel) {
  // Four rectangles around a centre square: no straight cut separates them.
  std::vector<test::Box> pinwheel{{0, 0, 2, 1}, {2, 0, 3, 2}, {1, 2, 3, 3}, {0, 1, 1, 3}};
  EXPECT_FALSE(test::GuillotineSeparable(pinwheel, 0));
  std::vector<test::Box> strips{{0, 0, 2, 1}, {2.004, 0, 3, 1}, {0, 1.004, 3, 2}};
  EXPECT_TRUE(test::GuillotineSeparable(strips, 4e-3));
  EXPECT_FALSE(test::GuillotineSeparable(strips, 5e-3));
}

}  // namespace
}  // namespace kelvara
