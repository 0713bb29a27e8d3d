#pragma once
// Small builders and checkers shared by the engine tests.
#include <string>
#include <vector>

#include "engine/calculation_driver.h"
#include "engine/input_records.h"
#include "engine/layout_model.h"
#include "engine/placement.h"

namespace kelvara::test {

struct PartSpec {
  float X, Y;
  int Rotation = 0;
};

// Hot parts with serials 0..n-1 in the given order.
std::vector<HotPart> MakeParts(const std::vector<PartSpec>& sizes);

// A sheet record without trims (or with the given ones).
List MakeSheet(float x, float y, float tl = 0, float tt = 0, float tr = 0, float tb = 0);

// A calculation problem of material 0 (materialCount 1 unless given) from rows.
struct Problem {
  std::vector<SheetRow> sheets;
  std::vector<PartRow> parts;
  int materialCount = 1;
  float indent = 0;
  std::uint8_t jointStart = 0;
  CalculationSettings settings;

  SheetRow& Sheet(double x, double y, long long q, int num = 0, double trim = 0, long long prt = 0);
  PartRow& Part(double x, double y, long long q, int rotation = 1, int num = 0);
  LayoutSlot Build() const;
};

// Runs the driver over a built slot; returns false when a stop ended it.
bool Calculate(LayoutSlot& slot, const CalculationSettings& settings, std::uint32_t seed);

// The invariants of a finished slot; empty when all hold, else a description of the first fault.
std::string CheckInvariants(const LayoutSlot& slot, int materialCount);

// The geometry of every sheet with its own layout: parts inside the usable area, no overlaps,
// at least the saw width between parts (to 3 decimals), rotation rules kept, the layout cut by
// guillotine cuts. Empty when all hold.
std::string CheckGeometry(const LayoutSlot& slot, const std::vector<float>& materialKW);

// Rectangles to check for guillotine separability.
struct Box {
  double x0, y0, x1, y1;
};
// True when the boxes can be separated by recursive straight cuts through the whole region,
// each cut at least `kerf` wide (to 3 decimals) and crossing no box.
bool GuillotineSeparable(std::vector<Box> boxes, double kerf);

// Field-by-field equality of two slots (records in order); empty when equal.
std::string CompareSlots(const LayoutSlot& a, const LayoutSlot& b);

}  // namespace kelvara::test
