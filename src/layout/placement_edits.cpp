#include "layout/placement_edits.h"

#include <algorithm>

#include "core/rounding.h"
#include "layout/free_rect.h"

namespace kelvara {
namespace {

bool ValidMaterial(const LayoutSlot& slot, int m) { return m >= 0 && m < slot.MaterialCount(); }

bool ValidSheet(const LayoutSlot& slot, int m, int s) {
  return ValidMaterial(slot, m) && s >= 0 && s < static_cast<int>(slot.LayoutSheets[m].size());
}

}  // namespace

bool InsideUsableArea(const List& sheet, const SheetPixel& p) {
  const double s = p.scale;
  return p.cx > sheet.TL * s && p.cx < p.width - sheet.TR * s && p.cy > sheet.TT * s && p.cy < p.height - sheet.TB * s;
}

double PixelToLength(double pixels, double scale, int decimals) {
  if (!(scale > 0)) return 0;
  return RoundTo(pixels / scale, decimals);
}

Detail* FindPart(LayoutSlot& slot, int material, std::int32_t serial) {
  if (!ValidMaterial(slot, material)) return nullptr;
  for (Detail& d : slot.LayoutDetails[material])
    if (d.Serial == serial) return &d;
  return nullptr;
}

const Detail* FindPart(const LayoutSlot& slot, int material, std::int32_t serial) {
  return FindPart(const_cast<LayoutSlot&>(slot), material, serial);
}

int UnplacedCount(const LayoutSlot& slot, int nc) {
  int n = 0;
  for (const auto& parts : slot.LayoutDetails)
    for (const Detail& d : parts)
      if (d.Placed == 0 && d.NC == nc) ++n;
  return n;
}

bool IsRepetitionOf(const std::vector<List>& sheets, int sheet, int t) {
  if (sheet == t || sheet < 0 || t < 0 || sheet >= static_cast<int>(sheets.size()) || t >= static_cast<int>(sheets.size()))
    return false;
  const List& r = sheets[sheet];
  return r.NC == sheets[t].NC && r.CopyOf == t && r.Used == 1 && r.PlacedCount == 0 && r.Copies == 0;
}

DragState StartDragFromSheet(const LayoutSlot& slot, int material, std::int32_t serial, int sheetIndex, bool pictureTurned) {
  DragState d;
  d.serial = serial;
  d.material = material;
  d.pictureTurned = pictureTurned;
  if (!ValidSheet(slot, material, sheetIndex)) return d;
  d.source = DragSourceKind::Sheet;
  d.sourceSheet = sheetIndex;
  d.copies = slot.LayoutSheets[material][sheetIndex].Copies;
  return d;
}

DragState StartDragFromPanel(int material, std::int32_t serial, int unplacedCount, bool pictureTurned) {
  DragState d;
  d.serial = serial;
  d.material = material;
  d.pictureTurned = pictureTurned;
  d.source = DragSourceKind::Panel;
  d.copies = unplacedCount;
  return d;
}

bool SheetAccepts(const LayoutSlot& slot, const std::vector<float>& materialKW, DragState& drag, int targetMaterial,
                  int targetSheet, const SheetPixel& cursor) {
  if (!(cursor.scale > 0) || targetMaterial != drag.material || !ValidSheet(slot, targetMaterial, targetSheet)) return false;
  const List& target = slot.LayoutSheets[targetMaterial][targetSheet];
  if (!InsideUsableArea(target, cursor)) return false;

  const double px = PixelToLength(cursor.cx, cursor.scale, 5);
  const double py = PixelToLength(cursor.cy, cursor.scale, 5);
  const double kw = targetMaterial < static_cast<int>(materialKW.size()) ? materialKW[targetMaterial] : 0.0;
  const FreeRect r = FindFreeRect(slot, targetSheet, targetMaterial, kw, px, py);
  drag.dropRect = {r.x1, r.y1, r.found ? r.Height() : 0.0};
  if (!r.found) return false;

  const Detail* part = FindPart(slot, drag.material, drag.serial);
  if (!part) return false;
  double w = part->W(), h = part->H();
  if (part->Rotation == 1) {
    w = drag.pictureTurned ? part->Y : part->X;
    h = drag.pictureTurned ? part->X : part->Y;
  }
  if (r.Width() < w || r.Height() < h) return false;

  switch (drag.source) {
    case DragSourceKind::Panel: return drag.copies >= target.Copies;
    case DragSourceKind::Sheet: return drag.copies == target.Copies;
    case DragSourceKind::None: return false;
  }
  return false;
}

TakeOffResult TakePartOff(LayoutSlot& slot, int material, int sheetNC, std::int32_t serial) {
  TakeOffResult result;
  if (!ValidMaterial(slot, material)) return result;
  auto& sheets = slot.LayoutSheets[material];
  auto& parts = slot.LayoutDetails[material];
  const int n = static_cast<int>(sheets.size());

  Detail* part = nullptr;
  int e = -1;
  for (int s = 0; s < n && !part; ++s) {
    const List& sh = sheets[s];
    if (sh.NC != sheetNC || sh.Used != 1 || sh.PlacedCount == 0 || sh.Copies == 0) continue;
    for (Detail& d : parts)
      if (d.Placed == 1 && d.Sheet == s && d.Serial == serial) {
        part = &d;
        e = s;
        break;
      }
  }
  if (!part) return result;

  List& sheet = sheets[e];
  sheet.PlacedCount = static_cast<std::uint16_t>(sheet.PlacedCount - 1);
  sheet.Used = sheet.PlacedCount > 0 ? 1 : 0;
  sheet.FreeArea += part->Area;
  part->Placed = 0;
  const std::uint8_t rotated = part->Rotated;
  const std::uint16_t nc = part->NC;
  result.changed = true;
  result.sheet = e;

  if (sheet.Copies >= 2)
    for (int r = 0; r < n; ++r) {
      if (!IsRepetitionOf(sheets, r, e)) continue;
      for (Detail& d : parts)
        if (d.Placed == 1 && d.Sheet == r && d.NC == nc) {
          d.Placed = 0;
          d.Rotated = rotated;
          ++result.repetitions;
          break;
        }
    }
  return result;
}

bool PutPartOn(LayoutSlot& slot, int material, std::int32_t serial, int t, const DropRect& rect, bool pictureTurned,
               std::uint8_t partsLocation) {
  if (!ValidSheet(slot, material, t) || rect.x1 < 0 || rect.y1 < 0) return false;
  Detail* part = FindPart(slot, material, serial);
  if (!part || part->Placed == 1) return false;
  auto& sheets = slot.LayoutSheets[material];
  auto& parts = slot.LayoutDetails[material];

  part->Placed = 1;
  if (part->Rotation == 1) part->Rotated = pictureTurned ? 1 : 0;
  part->Sheet = t;
  part->PosX = static_cast<float>(rect.x1);
  part->PosY = static_cast<float>(partsLocation == 1 ? rect.y1 + rect.height - part->H() : rect.y1);

  List& sheet = sheets[t];
  sheet.PlacedCount = static_cast<std::uint16_t>(sheet.PlacedCount + 1);
  sheet.Used = 1;
  sheet.FreeArea -= part->Area;

  const std::uint16_t nc = part->NC;
  for (int r = 0; r < static_cast<int>(sheets.size()); ++r) {
    if (!IsRepetitionOf(sheets, r, t)) continue;
    for (Detail& d : parts)
      if (d.Placed == 0 && d.NC == nc) {
        d.Placed = 1;
        d.Sheet = r;
        break;
      }
  }
  return true;
}

DropResult Drop(LayoutSlot& slot, const DragState& drag, DropTargetKind target, int targetSheet, std::uint8_t partsLocation) {
  DropResult result;
  const int m = drag.material;
  if (drag.source == DragSourceKind::Sheet && target == DropTargetKind::Panel) {
    if (!ValidSheet(slot, m, drag.sourceSheet)) return result;
    const TakeOffResult off = TakePartOff(slot, m, slot.LayoutSheets[m][drag.sourceSheet].NC, drag.serial);
    result.changed = result.takenOff = off.changed;
    result.fromSheet = off.sheet;
  } else if (drag.source == DragSourceKind::Panel && target == DropTargetKind::Sheet) {
    result.changed = result.putOn = PutPartOn(slot, m, drag.serial, targetSheet, drag.dropRect, drag.pictureTurned, partsLocation);
  } else if (drag.source == DragSourceKind::Sheet && target == DropTargetKind::Sheet) {
    // Both halves or neither: the target is checked before the part leaves its sheet.
    if (!ValidSheet(slot, m, drag.sourceSheet) || !ValidSheet(slot, m, targetSheet) || drag.dropRect.x1 < 0 ||
        drag.dropRect.y1 < 0)
      return result;
    const TakeOffResult off = TakePartOff(slot, m, slot.LayoutSheets[m][drag.sourceSheet].NC, drag.serial);
    if (!off.changed) return result;
    result.changed = result.takenOff = true;
    result.fromSheet = off.sheet;
    result.putOn = PutPartOn(slot, m, drag.serial, targetSheet, drag.dropRect, drag.pictureTurned, partsLocation);
  }
  return result;
}

bool TurnPart(LayoutSlot& slot, int material, std::int32_t serial, bool pictureTurned) {
  Detail* part = FindPart(slot, material, serial);
  if (!part || part->Rotation != 1) return false;
  part->Rotated = pictureTurned ? 0 : 1;
  return true;
}

bool ClearSheet(LayoutSlot& slot, int material, int t) {
  if (!ValidSheet(slot, material, t)) return false;
  auto& sheets = slot.LayoutSheets[material];
  auto& parts = slot.LayoutDetails[material];
  List& sheet = sheets[t];
  bool changed = sheet.PlacedCount != 0 || sheet.Used != 0 || sheet.FreeArea != sheet.Area || sheet.OffcutArea != 0;
  sheet.PlacedCount = 0;
  sheet.Used = 0;
  sheet.FreeArea = sheet.Area;
  sheet.OffcutArea = 0;

  auto release = [&](int s) {
    for (Detail& d : parts)
      if (d.Placed == 1 && d.Sheet == s) {
        d.Placed = 0;
        d.Rotated = 0;
        changed = true;
      }
  };
  release(t);
  if (sheet.Copies > 1)
    for (int r = 0; r < static_cast<int>(sheets.size()); ++r)
      if (IsRepetitionOf(sheets, r, t)) release(r);

  auto& offcuts = slot.OffcutLists;
  for (int i = static_cast<int>(offcuts.size()) - 1; i >= 0; --i)
    if (offcuts[i].Sheet == t && offcuts[i].Num == material) {
      offcuts.erase(offcuts.begin() + i);
      changed = true;
    }
  return changed;
}

}  // namespace kelvara
