#include "layout/free_rect.h"

#include <algorithm>
#include <vector>

#include "core/rounding.h"
#include "layout/geometry3.h"

namespace kelvara {
namespace {

using namespace layout3;

struct Box {
  double x, y, w, h;
};

// Placed parts of the sheet first, then its marked offcuts.
std::vector<Box> Items(const LayoutSlot& slot, int sheet, int material) {
  std::vector<Box> items;
  for (const Detail& d : slot.LayoutDetails[material])
    if (d.Placed == 1 && d.Sheet == sheet) items.push_back({Round3(d.PosX), Round3(d.PosY), Round3(d.W()), Round3(d.H())});
  for (const RestM& o : slot.OffcutLists)
    if (o.Sheet == sheet && o.Num == material) items.push_back({Round3(o.PosX), Round3(o.PosY), Round3(o.W), Round3(o.H)});
  return items;
}

bool InBand(double v, double lo, double hi) { return Ge(v, lo) && Le(v, hi); }

}  // namespace

FreeRect FindFreeRect(const LayoutSlot& slot, int sheet, int material, double kw, double px, double py) {
  FreeRect none;
  if (material < 0 || material >= slot.MaterialCount()) return none;
  const auto& sheets = slot.LayoutSheets[material];
  if (sheet < 0 || sheet >= static_cast<int>(sheets.size())) return none;
  const List& s = sheets[sheet];

  const double k = Round3(kw);
  px = Round3(px);
  py = Round3(py);
  const double left = Round3(s.TL), top = Round3(s.TT);
  const double right = Round3(Round3(s.X) - Round3(s.TR)), bottom = Round3(Round3(s.Y) - Round3(s.TB));
  double x1 = left, y1 = top, x2 = right, y2 = bottom;

  // Offcuts count as well as parts: a sheet whose parts were all dragged away may still hold
  // marked offcuts, and the whole usable area would overlap them.
  const std::vector<Box> items = Items(slot, sheet, material);
  if (items.empty()) return {x1, y1, x2, y2, true};

  const double t = kFreeRectTolerance;
  for (const Box& b : items) {
    if (InBand(py, b.y - k - t, b.y + t) || InBand(py, b.y + b.h - t, b.y + b.h + k + t) ||
        InBand(px, b.x - k - t, b.x + t) || InBand(px, b.x + b.w - t, b.x + b.w + k + t))
      return none;
    const bool inColumn = Lt(b.x, px) && Lt(px, b.x + b.w);
    const bool inRow = Lt(b.y, py) && Lt(py, b.y + b.h);
    if (inColumn && inRow) return none;  // on the item itself
    if (inColumn) {
      if (Gt(py, b.y + b.h + k)) y1 = std::max(y1, b.y + b.h + k);
      if (Lt(py, b.y - k)) y2 = std::min(y2, b.y - k);
    }
    if (inRow) {
      if (Gt(px, b.x + b.w + k)) x1 = std::max(x1, b.x + b.w + k);
      if (Lt(px, b.x - k)) x2 = std::min(x2, b.x - k);
    }
  }

  if (Eq(y1, top) && Eq(y2, bottom)) {
    // Nothing above or below the point: a strip over the full usable height.
    x1 = left;
    x2 = right;
    for (const Box& b : items) {
      if (Gt(px, b.x + b.w + k)) x1 = std::max(x1, b.x + b.w + k);
      if (Lt(px, b.x - k)) x2 = std::min(x2, b.x - k);
    }
  } else if (Eq(x1, left) && Eq(x2, right)) {
    // Nothing left or right of the point: a strip over the full usable width.
    y1 = top;
    y2 = bottom;
    for (const Box& b : items) {
      if (Gt(py, b.y + b.h + k)) y1 = std::max(y1, b.y + b.h + k);
      if (Lt(py, b.y - k)) y2 = std::min(y2, b.y - k);
    }
  } else {
    // Corner cuts: every kerf-enlarged corner inside the rectangle cuts it along the corner's
    // horizontal or vertical line, keeping the larger part (the vertical one on a tie). A cut
    // that would leave the point outside is not taken; when neither keeps it, a later corner of
    // the same item does.
    for (const Box& b : items) {
      struct Corner {
        double cx, cy;
        bool top, left;  // the corner is the item's top / left one
      };
      const Corner corners[4] = {{b.x - k, b.y - k, true, true},
                                 {b.x + b.w + k, b.y - k, true, false},
                                 {b.x - k, b.y + b.h + k, false, true},
                                 {b.x + b.w + k, b.y + b.h + k, false, false}};
      for (const Corner& c : corners) {
        if (!(Lt(x1, c.cx) && Lt(c.cx, x2) && Lt(y1, c.cy) && Lt(c.cy, y2))) continue;
        // Horizontal cut: keep the part above a top corner, below a bottom corner.
        const double hArea = c.top ? (x2 - x1) * (c.cy - y1) : (x2 - x1) * (y2 - c.cy);
        const bool hKeeps = c.top ? Le(py, c.cy) : Ge(py, c.cy);
        // Vertical cut: keep the part left of a left corner, right of a right corner.
        const double vArea = c.left ? (c.cx - x1) * (y2 - y1) : (x2 - c.cx) * (y2 - y1);
        const bool vKeeps = c.left ? Le(px, c.cx) : Ge(px, c.cx);
        bool horizontal;
        if (hKeeps && vKeeps) horizontal = Gt(hArea, vArea);
        else if (hKeeps) horizontal = true;
        else if (vKeeps) horizontal = false;
        else continue;
        if (horizontal) {
          if (c.top) y2 = c.cy;
          else y1 = c.cy;
        } else {
          if (c.left) x2 = c.cx;
          else x1 = c.cx;
        }
      }
    }
  }
  return {Round3(x1), Round3(y1), Round3(x2), Round3(y2), true};
}

}  // namespace kelvara
