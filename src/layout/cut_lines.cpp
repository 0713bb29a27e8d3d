#include "layout/cut_lines.h"

#include <algorithm>

#include "core/rounding.h"
#include "engine/quick_sort.h"
#include "layout/geometry3.h"

namespace kelvara {
namespace {

using namespace layout3;

struct Item {
  double x, y, w, h;
};

enum Side { kLeft, kTop, kRight, kBottom };

CutLine Line(double x, double y, double w, double h, Side side) {
  CutLine c;
  c.X = static_cast<float>(x);
  c.Y = static_cast<float>(y);
  c.W = static_cast<float>(w);
  c.H = static_cast<float>(h);
  c.SideL = side == kLeft;
  c.SideT = side == kTop;
  c.SideR = side == kRight;
  c.SideB = side == kBottom;
  return c;
}

bool Horizontal(const CutLine& c) { return c.SideT || c.SideB; }
double Length(const CutLine& c) { return Horizontal(c) ? c.W : c.H; }

// A line already in `cuts` on the same coordinate that starts at or before `start` and is at
// least `length` long. It must also reach to within one kerf of the new line's end: lines run
// on to the first-stage cut one kerf past the used block, while a line that stops short of that
// leaves part of the new line uncut.
bool Covered(const std::vector<CutLine>& cuts, bool horizontal, double coord, double start, double length, double k) {
  for (const CutLine& c : cuts) {
    if (Horizontal(c) != horizontal) continue;
    const double cCoord = horizontal ? c.Y : c.X;
    const double cStart = horizontal ? c.X : c.Y;
    const double cLength = horizontal ? c.W : c.H;
    if (Eq(cCoord, coord) && Le(cStart, start) && Ge(cLength, length) && Ge(cStart + cLength, start + length - k))
      return true;
  }
  return false;
}

struct Sheet {
  double X, Y, TL, TT, TR, TB;
};

// One of the four edge passes over the items in their current order.
void EdgePass(std::vector<CutLine>& cuts, const std::vector<Item>& items, const Sheet& s, double k, double aa,
              double ab, Side side) {
  const int n = static_cast<int>(items.size());
  for (int i = 0; i < n; ++i) {
    const Item& e = items[i];
    const bool horizontal = side == kTop || side == kBottom;
    // The edge and where the line starts along it.
    double edge = 0, start = 0;
    switch (side) {
      case kTop:
        if (Eq(e.y, s.TT)) continue;
        edge = e.y;
        start = e.x;
        break;
      case kBottom:
        if (Eq(e.y + e.h, s.Y - s.TB)) continue;
        edge = e.y + e.h;
        start = e.x;
        break;
      case kLeft:
        if (Eq(e.x, s.TL)) continue;
        edge = e.x;
        start = e.y;
        break;
      case kRight:
        if (Eq(e.x + e.w, s.X - s.TR)) continue;
        edge = e.x + e.w;
        start = e.y;
        break;
    }
    const double full = horizontal ? s.X : s.Y;
    double L = full - start;
    // The first later item that straddles the edge ahead of the line stops it.
    for (int j = i + 1; j < n; ++j) {
      const Item& l = items[j];
      const double lLo = horizontal ? l.y : l.x;
      const double lHi = horizontal ? l.y + l.h : l.x + l.w;
      const double lStart = horizontal ? l.x : l.y;
      if (Gt(lHi, edge) && Lt(lLo, edge) && Gt(start + L, lStart)) {
        L = lStart - start;
        break;
      }
    }
    if (Eq(start + L, full)) L -= full - (horizontal ? aa : ab);
    const double coord = (side == kBottom || side == kRight) ? edge + k : edge;
    if (Covered(cuts, horizontal, coord, start, L, k)) continue;
    if (full - start == L) L = full - start - (horizontal ? s.TR : s.TB);
    if (horizontal) cuts.push_back(Line(start, coord, L, 0, side));
    else cuts.push_back(Line(coord, start, 0, L, side));
  }
}

// Removes the lines along the reference edges and every line contained in another one that
// starts at the same point in the same direction.
void CleanUp(std::vector<CutLine>& cuts, const Sheet& s) {
  struct Entry {
    CutLine c;
    bool marked;
  };
  std::vector<Entry> list;
  list.reserve(cuts.size());
  for (const CutLine& c : cuts) list.push_back({c, false});

  auto walk = [&](bool byWidth) {
    std::stable_sort(list.begin(), list.end(), [byWidth](const Entry& a, const Entry& b) {
      return byWidth ? a.c.W < b.c.W : a.c.H < b.c.H;
    });
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
      if (list[i].marked) continue;
      const CutLine& c = list[i].c;
      bool remove;
      if (byWidth)
        remove = ((c.SideT || c.SideB) && (Eq(c.Y, 0) || Eq(c.Y, s.TT))) || (c.SideR && Eq(c.X + c.W, s.X)) ||
                 (c.SideB && Eq(c.Y + c.H, s.Y));
      else
        remove = (c.SideL || c.SideR) && (Eq(c.X, 0) || Eq(c.X, s.TL));
      if (remove) {
        list.erase(list.begin() + i);
        continue;
      }
      for (int j = 0; j < i; ++j) {
        const CutLine& d = list[j].c;
        if (!list[j].marked && Horizontal(d) == Horizontal(c) && Eq(d.X, c.X) && Eq(d.Y, c.Y) && Le(Length(d), Length(c)))
          list[j].marked = true;
      }
    }
  };
  walk(true);
  walk(false);
  cuts.clear();
  for (const Entry& e : list)
    if (!e.marked) cuts.push_back(e.c);
}

}  // namespace

void BuildSheetCutLines(LayoutSlot& slot, int material, int sheet, double kw, std::uint8_t partsLocation) {
  if (material < 0 || material >= slot.MaterialCount()) return;
  auto& sheets = slot.LayoutSheets[material];
  if (sheet < 0 || sheet >= static_cast<int>(sheets.size())) return;
  List& rec = sheets[sheet];
  rec.Cuts.clear();
  rec.CutLength = 0;
  // A repetition carries no positions of its own: it is sawn as the sheet it repeats.
  if (rec.CopyOf >= 0) return;

  const Sheet s{rec.X, rec.Y, rec.TL, rec.TT, rec.TR, rec.TB};
  std::vector<Item> items;
  for (const Detail& d : slot.LayoutDetails[material])
    if (d.Placed == 1 && d.Sheet == sheet) items.push_back({d.PosX, d.PosY, d.W(), d.H()});
  if (items.empty()) return;
  for (const RestM& o : slot.OffcutLists)
    if (o.Sheet == sheet && o.Num == material) items.push_back({o.PosX, o.PosY, o.W, o.H});
  const bool bottomUp = partsLocation == 1;
  if (bottomUp)
    for (Item& it : items) it.y = (s.Y - s.TB) - (it.y - s.TT) - it.h;

  const double k = kw;
  // Far edges of the used block, one kerf included.
  double aa = 0, ab = 0;
  for (const Item& it : items) {
    aa = std::max(aa, it.x + it.w + k);
    ab = std::max(ab, it.y + it.h + k);
  }

  // A block that reaches the usable edge leaves no rest of the sheet on that side: no
  // first-stage cut there, and lines stop at the usable edge.
  const bool fullWidth = Ge(aa - k, s.X - s.TR), fullHeight = Ge(ab - k, s.Y - s.TB);
  if (fullWidth) aa = s.X - s.TR;
  if (fullHeight) ab = s.Y - s.TB;

  std::vector<CutLine>& cuts = rec.Cuts;
  if (!IsZero3(s.TT)) cuts.push_back(Line(0, s.TT, s.X, 0, kTop));
  if (!IsZero3(s.TB)) cuts.push_back(Line(0, s.Y - s.TB, s.X, 0, kBottom));
  if (!IsZero3(s.TL)) cuts.push_back(Line(s.TL, 0, 0, s.Y, kLeft));
  if (!IsZero3(s.TR)) cuts.push_back(Line(s.X - s.TR, 0, 0, s.Y, kRight));
  const std::size_t trimLines = cuts.size();

  // First-stage cuts: the used block off the rest of the sheet, the longer way first.
  const double ux = s.X - s.TL - s.TR, uy = s.Y - s.TT - s.TB;
  const double rx = ux > 0 ? aa / ux : 0, ry = uy > 0 ? ab / uy : 0;
  if (ry > rx) {
    if (!IsZero3(ab) && !fullWidth) cuts.push_back(Line(aa, s.TT, 0, uy, kRight));
    if (!IsZero3(aa) && !fullHeight) cuts.push_back(Line(s.TL, ab, aa - s.TL, 0, kBottom));
  } else {
    if (!IsZero3(aa) && !fullHeight) cuts.push_back(Line(s.TL, ab, ux, 0, kBottom));
    if (!IsZero3(ab) && !fullWidth) cuts.push_back(Line(aa, s.TT, 0, ab - s.TT, kRight));
  }

  const int last = static_cast<int>(items.size()) - 1;
  if (last > 0) HoareQuickSort(items.data(), 0, last, [](const Item& it) { return it.x; });
  EdgePass(cuts, items, s, k, aa, ab, kTop);
  EdgePass(cuts, items, s, k, aa, ab, kBottom);
  if (last > 0) HoareQuickSort(items.data(), 0, last, [](const Item& it) { return it.y; });
  EdgePass(cuts, items, s, k, aa, ab, kLeft);
  EdgePass(cuts, items, s, k, aa, ab, kRight);

  // Back to bottom-up form; the trim lines stay where they are.
  if (bottomUp)
    for (std::size_t i = trimLines; i < cuts.size(); ++i)
      cuts[i].Y = static_cast<float>((s.Y - s.TB) - (cuts[i].Y - s.TT) - cuts[i].H);

  CleanUp(cuts, s);
  double length = 0;
  for (const CutLine& c : cuts) length += c.W + c.H;
  rec.CutLength = static_cast<float>(length);
}

void BuildCutLines(LayoutSlot& slot, const std::vector<float>& materialKW, std::uint8_t partsLocation) {
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    if (!slot.Active(m) || slot.LayoutSheets[m].empty() || slot.LayoutDetails[m].empty()) continue;
    const double k = m < static_cast<int>(materialKW.size()) ? materialKW[m] : 0.0;
    for (int s = 0; s < static_cast<int>(slot.LayoutSheets[m].size()); ++s) BuildSheetCutLines(slot, m, s, k, partsLocation);
  }
}

}  // namespace kelvara
