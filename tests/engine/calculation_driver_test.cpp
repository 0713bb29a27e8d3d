// The driver: repetitions, stop points, sheet priority, part orders and progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>

#include "engine/calculation_driver.h"
#include "engine/quick_sort.h"
#include "engine_fixtures.h"

namespace kelvara {
namespace {

using test::Calculate;
using test::Problem;

CalculationSettings Settings(int level, int direction = 0, float mo = 0, float kw = 0) {
  CalculationSettings s;
  s.CalcLevel = level;
  s.FirstCutDirection = direction;
  s.MinimalOffcut = mo;
  s.MaterialKW = {kw};
  return s;
}

int PartsOn(const LayoutSlot& slot, int sheet) {
  return static_cast<int>(std::count_if(slot.LayoutDetails[0].begin(), slot.LayoutDetails[0].end(),
                                        [&](const Detail& d) { return d.Sheet == sheet; }));
}

TEST(Repetitions, FiveIdenticalSheetsWhosePartsFitOnTheFirst) {
  Problem p;
  p.Sheet(1000, 1000, 5);
  p.Part(300, 300, 4);
  LayoutSlot slot = p.Build();
  Calculate(slot, Settings(0), 1);
  const auto& s = slot.LayoutSheets[0];
  EXPECT_EQ(s[0].Copies, 1);
  EXPECT_EQ(s[0].PlacedCount, 4);
  EXPECT_EQ(s[1].Used, 0);
  EXPECT_EQ(s[1].PlacedCount, 0);
  EXPECT_EQ(s[1].Copies, 3);
  for (int k = 2; k < 5; ++k) {
    EXPECT_EQ(s[k].CopyOf, 1) << k;
    EXPECT_EQ(s[k].Used, 1) << k;
    EXPECT_EQ(PartsOn(slot, k), 0) << k;
  }
  EXPECT_EQ(test::CheckInvariants(slot, 1), "");
}

TEST(Repetitions, TenCopiesWithThreeTimesWhatTheFirstSheetTakes) {
  Problem p;
  p.Sheet(1000, 1000, 10);
  p.Part(500, 500, 12, 0);
  LayoutSlot slot = p.Build();
  int reports = 0, last = 0;
  RandomSource random(3);
  CalculationSettings settings = Settings(1);
  CalculationDriver driver(slot, settings, random);
  driver.ReportProgress = [&](int done) {
    ++reports;
    EXPECT_EQ(done, last + 1);
    last = done;
  };
  EXPECT_TRUE(driver.CalculateLayouts());
  const auto& s = slot.LayoutSheets[0];
  EXPECT_EQ(s[0].PlacedCount, 4);
  EXPECT_EQ(s[0].Copies, 3);
  EXPECT_EQ(s[1].CopyOf, 0);
  EXPECT_EQ(s[2].CopyOf, 0);
  EXPECT_EQ(PartsOn(slot, 1), 4);
  EXPECT_EQ(PartsOn(slot, 2), 4);
  EXPECT_EQ(s[3].Used, 0);
  EXPECT_EQ(s[3].Copies, 6);
  for (int k = 4; k < 10; ++k) EXPECT_EQ(s[k].CopyOf, 3) << k;
  EXPECT_EQ(reports, 10);
  EXPECT_EQ(driver.SheetsDone(), 10);
  EXPECT_EQ(test::CheckInvariants(slot, 1), "");
}

TEST(Repetitions, PartsLargerThanEverySheetStayUnplaced) {
  Problem p;
  p.Sheet(1000, 500, 3);
  p.Sheet(800, 800, 2);
  p.Part(1200, 900, 5, 1);
  LayoutSlot slot = p.Build();
  Calculate(slot, Settings(1), 1);
  const auto& s = slot.LayoutSheets[0];
  EXPECT_EQ(s[0].Used, 0);
  EXPECT_EQ(s[0].Copies, 2);
  EXPECT_EQ(s[1].CopyOf, 0);
  EXPECT_EQ(s[2].CopyOf, 0);
  EXPECT_EQ(s[3].Copies, 1);
  EXPECT_EQ(s[4].CopyOf, 3);
  for (const Detail& d : slot.LayoutDetails[0]) EXPECT_EQ(d.Placed, 0);
  EXPECT_EQ(test::CheckInvariants(slot, 1), "");
}

TEST(Orientation, FixedPartsKeepTheirOrientationOnBothPasses) {
  Problem p;
  p.Sheet(1000, 2000, 2);
  p.Part(1500, 300, 1, 0);  // longer than the usable length; fits only turned: never placed
  p.Part(900, 1800, 1, 0);  // fits only as it is
  p.Part(1800, 90, 1, 1);   // may turn
  LayoutSlot slot = p.Build();
  Calculate(slot, Settings(0), 1);
  for (const Detail& d : slot.LayoutDetails[0]) {
    const int expectedPlaced = d.NC == 1 ? 0 : 1;
    EXPECT_EQ(d.Placed, expectedPlaced) << d.NC;
    if (d.NC == 3) {
      EXPECT_EQ(d.Placed, 1);
      EXPECT_EQ(d.Rotated, 1);
    }
    if (d.Rotation == 0) {
      EXPECT_EQ(d.Rotated, 0);
    }
  }
  EXPECT_EQ(test::CheckGeometry(slot, {0}), "");
}

TEST(Repetitions, TwoRowsOfEqualSizeDoNotRepeatEachOther) {
  Problem p;
  p.Sheet(1000, 1000, 1);
  p.Sheet(1000, 1000, 1);
  p.Part(500, 500, 8, 0);
  LayoutSlot slot = p.Build();
  Calculate(slot, Settings(0), 1);
  EXPECT_EQ(slot.LayoutSheets[0][1].CopyOf, -1);
  EXPECT_EQ(slot.LayoutSheets[0][1].PlacedCount, 4);
}

// A job of three sheets that needs all of them.
Problem ThreeSheetJob() {
  Problem p;
  p.Sheet(1000, 1000, 1);
  p.Sheet(1000, 900, 1);
  p.Sheet(1000, 800, 1);
  p.Part(450, 450, 9, 1);
  return p;
}

TEST(Stop, DuringPassZeroLeavesTheSheetUncommitted) {
  LayoutSlot slot = ThreeSheetJob().Build();
  std::atomic<bool> stop{false};
  RandomSource random(1);
  CalculationSettings settings = Settings(0);
  CalculationDriver driver(slot, settings, random);
  driver.Terminated = &stop;
  int ordersAfterStop = 0;
  driver.OnOrder = [&](int, int sheet, int pass, int order) {
    if (stop) ++ordersAfterStop;
    if (sheet == 1 && pass == 0 && order == 3) stop = true;
  };
  EXPECT_FALSE(driver.CalculateLayouts());
  EXPECT_EQ(ordersAfterStop, 0);
  const auto& s = slot.LayoutSheets[0];
  EXPECT_EQ(s[0].Used, 1);
  EXPECT_EQ(s[1].Used, 0);
  EXPECT_EQ(s[1].PlacedCount, 0);
  EXPECT_EQ(s[1].Transposed, 0);
  EXPECT_EQ(s[2].Used, 0);
  EXPECT_EQ(PartsOn(slot, 1), 0);
  EXPECT_EQ(driver.SheetsDone(), 1);
  EXPECT_EQ(test::CheckInvariants(slot, 1), "");
}

TEST(Stop, DuringPassOneFinishesAndCommitsTheSheet) {
  LayoutSlot slot = ThreeSheetJob().Build();
  std::atomic<bool> stop{false};
  RandomSource random(1);
  CalculationSettings settings = Settings(0);
  CalculationDriver driver(slot, settings, random);
  driver.Terminated = &stop;
  int ordersAfterStop = 0;
  driver.OnOrder = [&](int, int sheet, int pass, int order) {
    if (stop) ++ordersAfterStop;
    if (sheet == 1 && pass == 1 && order == 2) stop = true;
  };
  EXPECT_FALSE(driver.CalculateLayouts());
  EXPECT_EQ(ordersAfterStop, 5);  // orders 3..7 of pass 1
  const auto& s = slot.LayoutSheets[0];
  EXPECT_EQ(s[1].Used, 1);
  EXPECT_GT(s[1].PlacedCount, 0);
  EXPECT_EQ(s[1].Transposed, 0);
  EXPECT_EQ(s[2].Used, 0);
  EXPECT_EQ(driver.SheetsDone(), 2);
  EXPECT_EQ(test::CheckInvariants(slot, 1), "");
  EXPECT_EQ(test::CheckGeometry(slot, settings.MaterialKW), "");
}

TEST(Stop, BeforeTheFirstSheetPlacesNothing) {
  LayoutSlot slot = ThreeSheetJob().Build();
  std::atomic<bool> stop{true};
  RandomSource random(1);
  CalculationSettings settings = Settings(0);
  CalculationDriver driver(slot, settings, random);
  driver.Terminated = &stop;
  EXPECT_FALSE(driver.CalculateLayouts());
  for (const Detail& d : slot.LayoutDetails[0]) EXPECT_EQ(d.Placed, 0);
}

TEST(SheetPriority, HigherPriorityFirstEqualOnesInTableOrder) {
  std::vector<List> sheets(5);
  const int prt[] = {0, 5, 5, 9, 0};
  for (int i = 0; i < 5; ++i) sheets[i].PRT = static_cast<std::uint8_t>(prt[i]);
  EXPECT_EQ(SheetVisitOrder(sheets), (std::vector<int>{3, 1, 2, 0, 4}));

  Problem p;
  p.Sheet(1000, 1000, 1, 0, 0, 0);
  p.Sheet(1000, 1000, 1, 0, 0, 2);
  p.Part(500, 500, 4, 0);
  LayoutSlot slot = p.Build();
  Calculate(slot, Settings(0), 1);
  EXPECT_EQ(slot.LayoutSheets[0][1].PlacedCount, 4);
  EXPECT_EQ(slot.LayoutSheets[0][0].Used, 0);
  EXPECT_EQ(PartsOn(slot, 1), 4);  // sheet indexes stay record indexes
}

TEST(Levels, FastLevelDependsOnlyOnTheTableOrder) {
  Problem p;
  p.Sheet(2800, 2070, 20, 0, 10);
  p.Part(720, 560, 6, 1);
  p.Part(1200, 400, 9, 1);
  p.Part(600, 300, 11, 0);
  p.Part(2000, 100, 3, 1);
  p.settings = Settings(0, 0, 50, 4.4f);
  LayoutSlot a = p.Build(), b = p.Build();
  Calculate(a, p.settings, 1);
  Calculate(b, p.settings, 99);
  EXPECT_EQ(test::CompareSlots(a, b), "");
}

TEST(Levels, OrdersPerSheet) {
  EXPECT_EQ(OrdersForLevel(0), 7);
  EXPECT_EQ(OrdersForLevel(1), 50);
  EXPECT_EQ(OrdersForLevel(2), 150);
  for (int level = 0; level < 3; ++level) {
    for (int direction = 0; direction < 3; ++direction) {
      Problem p;
      p.Sheet(1000, 1000, 1);
      p.Part(300, 300, 1);
      LayoutSlot slot = p.Build();
      RandomSource random(1);
      CalculationSettings settings = Settings(level, direction);
      CalculationDriver driver(slot, settings, random);
      int orders = 0;
      driver.OnOrder = [&](int, int, int, int) { ++orders; };
      driver.CalculateLayouts();
      EXPECT_EQ(orders, 2 * OrdersForLevel(level));
    }
  }
}

TEST(PartOrders, CompactSortGivesTheOrderOfSortDetails) {
  std::mt19937 gen(11);
  for (int round = 0; round < 200; ++round) {
    const int n = 1 + static_cast<int>(gen() % 60);
    std::vector<Detail> records(n);
    std::vector<HotPart> hot(n);
    for (int i = 0; i < n; ++i) {
      Detail& d = records[i];
      d.X = float(100 + gen() % 5 * 100);  // few distinct keys: many ties
      d.Y = float(100 + gen() % 3 * 50);
      d.Area = d.X * d.Y;
      d.NC = static_cast<std::uint16_t>(1 + gen() % 4);
      d.Serial = i;
      hot[i] = HotPart{d.X, d.Y, d.Area, d.Serial, i, d.NC, 0, 0};
    }
    const int key = std::array<int, 4>{kKeyX, kKeyY, kKeyArea, kKeyNC}[round % 4];
    SortDetails(records, 0, n - 1, key);
    if (n > 1)
      HoareQuickSort(hot.data(), 0, n - 1, [key](const HotPart& p) {
        return key == kKeyX ? double(p.X) : key == kKeyY ? double(p.Y) : key == kKeyArea ? double(p.Area) : double(p.NC);
      });
    for (int i = 0; i < n; ++i) ASSERT_EQ(records[i].Serial, hot[i].Serial) << round << " at " << i;
  }
}

TEST(PartOrders, ShuffleIsAPermutationFixedByTheSeed) {
  std::vector<Detail> a(50), b;
  for (int i = 0; i < 50; ++i) a[i].Serial = i;
  b = a;
  RandomSource r1(5), r2(5);
  ShuffleDetails(a, r1);
  ShuffleDetails(b, r2);
  std::vector<int> sa, sb;
  for (int i = 0; i < 50; ++i) {
    sa.push_back(a[i].Serial);
    sb.push_back(b[i].Serial);
  }
  EXPECT_EQ(sa, sb);
  std::vector<int> sorted = sa;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < 50; ++i) EXPECT_EQ(sorted[i], i);
  EXPECT_FALSE(std::is_sorted(sa.begin(), sa.end()));
}

TEST(TurnSheet, ExchangesUsableSizesAndTheSizesOfUnplacedFixedParts) {
  List s = test::MakeSheet(1000, 500, 10, 20, 30, 40);
  std::vector<Detail> d(3);
  d[0].X = 100, d[0].Y = 50, d[0].Rotation = 0;
  d[1].X = 100, d[1].Y = 50, d[1].Rotation = 1;
  d[2].X = 100, d[2].Y = 50, d[2].Rotation = 0, d[2].Placed = 1;
  TurnSheet(s, d);
  EXPECT_EQ(s.UseX, 440);
  EXPECT_EQ(s.UseY, 960);
  EXPECT_EQ(s.Transposed, 1);
  EXPECT_EQ(d[0].X, 50);
  EXPECT_EQ(d[1].X, 100);
  EXPECT_EQ(d[2].X, 100);
  TurnSheet(s, d);  // already turned: nothing
  EXPECT_EQ(d[0].X, 50);
  UnturnSheet(s, d);
  EXPECT_EQ(s.UseX, 960);
  EXPECT_EQ(s.Transposed, 0);
  EXPECT_EQ(d[0].X, 100);
}

TEST(JointRotation, AllJointPartsOfAMaterialLieTheSameWay) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    Problem p;
    p.Sheet(1000, 700, 6);
    p.Part(650, 300, 5, 2);
    p.Part(300, 200, 7, 2);
    p.Part(900, 150, 3, 2);
    p.settings = Settings(1, seed % 3, 0, 3);
    LayoutSlot slot = p.Build();
    Calculate(slot, p.settings, seed);
    EXPECT_EQ(test::CheckGeometry(slot, p.settings.MaterialKW), "") << seed;
  }
}

}  // namespace
}  // namespace kelvara

namespace kelvara {
namespace {

TEST(RandomSource, GivesTheNumbersOfStdMt19937) {
  for (std::uint32_t seed : {0u, 1u, 5489u, 0xdeadbeefu}) {
    RandomSource r(seed);
    std::mt19937 reference(seed);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(r.Next(), reference()) << seed << " at " << i;
  }
  RandomSource r(9);
  for (int i = 0; i < 1000; ++i) {
    EXPECT_LT(r.Below(7), 7u);
    EXPECT_EQ(r.Below(0), 0u);
  }
}

}  // namespace
}  // namespace kelvara
