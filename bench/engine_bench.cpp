// Speed of the layout engine: single attempts and whole calculations on furniture jobs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "engine/calculation_driver.h"
#include "engine/input_records.h"
#include "engine/placement.h"

namespace kelvara {
namespace {

// A furniture job: sheets 2800 x 2070 with trims 10, saw width 4.4, minimal offcut 50, 40 part
// rows 100..2000 long and 100..800 wide, rotation allowed, `targetCopies` part copies.
struct FurnitureJob {
  std::vector<SheetRow> sheets;
  std::vector<PartRow> parts;
  CalculationSettings settings;
  int copies = 0;

  FurnitureJob(int targetCopies, int level) {
    std::mt19937 gen(2024);
    auto range = [&](int lo, int hi) { return lo + static_cast<int>(gen() % static_cast<unsigned>(hi - lo + 1)); };
    SheetRow s;
    s.X = 2800;
    s.Y = 2070;
    s.Q = 400;
    s.TL = s.TT = s.TR = s.TB = 10;
    s.NC = 1;
    sheets.push_back(s);
    const int rows = 40;
    for (int r = 0; r < rows; ++r) {
      PartRow p;
      p.X = range(100, 2000);
      p.Y = range(100, 800);
      // Quantities around the mean; the last row makes the total exact.
      const int mean = targetCopies / rows;
      p.Q1 = r + 1 < rows ? range(mean / 2, mean + mean / 2) : std::max(1, targetCopies - copies);
      p.Rotation = 1;
      p.NC = r + 1;
      copies += static_cast<int>(p.Q1);
      parts.push_back(p);
    }
    settings.CalcLevel = level;
    settings.FirstCutDirection = 0;
    settings.MinimalOffcut = 50;
    settings.MaterialKW = {4.4f};
  }

  LayoutSlot Build() const {
    LayoutSlot slot;
    BuildInputSlot(sheets, parts, 1, 0, 0, slot);
    return slot;
  }
};

void BM_LayoutStripsX(benchmark::State& state) {
  std::mt19937 gen(7);
  std::vector<HotPart> parts(200);
  for (int i = 0; i < 200; ++i) {
    HotPart& p = parts[i];
    p.X = static_cast<float>(100 + gen() % 1901);
    p.Y = static_cast<float>(100 + gen() % 701);
    p.Area = p.X * p.Y;
    p.Serial = i;
    p.Record = i;
    p.NC = static_cast<std::uint16_t>(i / 5 + 1);
    p.Rotation = 1;
  }
  AssignKinds(parts.data(), 200);
  List sheet;
  sheet.X = 2800;
  sheet.Y = 2070;
  sheet.UseX = 2780;
  sheet.UseY = 2050;
  sheet.Area = sheet.X * sheet.Y;
  auto engine = std::make_unique<PlacementEngine>();
  engine->Allocate(200, 200);
  engine->StartMaterial(4.4f, 50);
  engine->SetCandidates(parts.data(), 200);
  engine->StartSheet(0);
  int fill = 0;
  for (auto _ : state) {
    engine->EmptyAttempt(sheet.Area);
    engine->LayoutStripsX(sheet, 0, fill);
    fill ^= 1;
    benchmark::DoNotOptimize(engine->AttemptFreeArea);
  }
  state.counters["attempts/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LayoutStripsX);

void BM_Calculation(benchmark::State& state) {
  const FurnitureJob job(static_cast<int>(state.range(1)), static_cast<int>(state.range(0)));
  int sheetsUsed = 0, placed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    LayoutSlot slot = job.Build();
    RandomSource random(1);
    state.ResumeTiming();
    CalculationDriver driver(slot, job.settings, random);
    driver.CalculateLayouts();
    state.PauseTiming();
    sheetsUsed = 0;
    placed = 0;
    for (const List& s : slot.LayoutSheets[0]) sheetsUsed += s.PlacedCount > 0 ? s.Copies : 0;
    for (const Detail& d : slot.LayoutDetails[0]) placed += d.Placed;
    state.ResumeTiming();
  }
  state.counters["copies"] = job.copies;
  state.counters["placed"] = placed;
  state.counters["sheets"] = sheetsUsed;
}
// Levels 0, 1, 2 ("Fast", "Normal", "Perfect"), any first cut direction, ~400 and ~1000 copies.
BENCHMARK(BM_Calculation)
    ->ArgsProduct({{0, 1, 2}, {400, 1000}})
    ->ArgNames({"level", "copies"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace kelvara

BENCHMARK_MAIN();
