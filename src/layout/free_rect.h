#pragma once
// The free rectangle of a sheet around a point, bounded by the placed parts, the marked
// offcuts and the saw width.
#include "engine/layout_model.h"

namespace kelvara {

struct FreeRect {
  double x1 = -1, y1 = -1, x2 = -1, y2 = -1;  // sheet coordinates; all -1 when none
  bool found = false;
  double Width() const { return x2 - x1; }
  double Height() const { return y2 - y1; }
};

// Fixed tolerance around every kerf band, in length units.
inline constexpr double kFreeRectTolerance = 2.0;

// The free rectangle of sheet `sheet` of material `material` around (px, py), with saw width
// `kw`. Inputs and item values are taken to 3 decimals. None when the point lies on or near a
// kerf band of an item (the bands reach across the whole sheet), inside an item, or when the
// sheet does not exist.
FreeRect FindFreeRect(const LayoutSlot& slot, int sheet, int material, double kw, double px, double py);

}  // namespace kelvara
