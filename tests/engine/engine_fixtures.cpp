#include "engine_fixtures.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "engine/random_source.h"

namespace kelvara::test {

std::vector<HotPart> MakeParts(const std::vector<PartSpec>& sizes) {
  std::vector<HotPart> parts;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    HotPart p;
    p.X = sizes[i].X;
    p.Y = sizes[i].Y;
    p.Area = sizes[i].X * sizes[i].Y;
    p.Serial = static_cast<int>(i);
    p.Record = static_cast<int>(i);
    p.NC = static_cast<std::uint16_t>(i + 1);
    p.Rotation = static_cast<std::uint8_t>(sizes[i].Rotation);
    parts.push_back(p);
  }
  AssignKinds(parts.data(), static_cast<int>(parts.size()));
  return parts;
}

List MakeSheet(float x, float y, float tl, float tt, float tr, float tb) {
  List s;
  s.X = x;
  s.Y = y;
  s.TL = tl;
  s.TT = tt;
  s.TR = tr;
  s.TB = tb;
  s.UseX = x - tl - tr;
  s.UseY = y - tt - tb;
  s.Area = x * y;
  s.FreeArea = s.Area;
  return s;
}

SheetRow& Problem::Sheet(double x, double y, long long q, int num, double trim, long long prt) {
  SheetRow r;
  r.Num = num;
  r.X = x;
  r.Y = y;
  r.Q = q;
  r.TL = r.TT = r.TR = r.TB = trim;
  r.NC = static_cast<long long>(sheets.size()) + 1;
  r.PRT = prt;
  r.Pr = "L";
  sheets.push_back(r);
  return sheets.back();
}

PartRow& Problem::Part(double x, double y, long long q, int rotation, int num) {
  PartRow r;
  r.Num = num;
  r.X = x;
  r.Y = y;
  r.Q1 = q;
  r.Rotation = rotation;
  r.NC = static_cast<long long>(parts.size()) + 1;
  r.PD = "D";
  parts.push_back(r);
  return parts.back();
}

LayoutSlot Problem::Build() const {
  LayoutSlot slot;
  BuildInputSlot(sheets, parts, materialCount, indent, jointStart, slot);
  return slot;
}

bool Calculate(LayoutSlot& slot, const CalculationSettings& settings, std::uint32_t seed) {
  RandomSource random(seed);
  CalculationDriver driver(slot, settings, random);
  return driver.CalculateLayouts();
}

namespace {

std::string Where(int m, int k) {
  std::ostringstream s;
  s << "material " << m << " sheet " << k << ": ";
  return s.str();
}

}  // namespace

std::string CheckInvariants(const LayoutSlot& slot, int materialCount) {
  if (slot.MaterialCount() != materialCount) return "material count";
  for (int m = 0; m < materialCount; ++m) {
    const auto& sheets = slot.LayoutSheets[m];
    const auto& details = slot.LayoutDetails[m];
    if (slot.MaterialActive[m] != (!sheets.empty() && !details.empty())) return "MaterialActive of " + std::to_string(m);
    const int ns = static_cast<int>(sheets.size());
    std::vector<int> onSheet(ns, 0), withPos(ns, 0), repeats(ns, 0);
    std::vector<std::map<int, int>> rows(ns);
    std::vector<double> partArea(ns, 0);
    std::map<int, int> jointRotated;
    for (const Detail& d : details) {
      if ((d.Placed == 1) != (d.Sheet >= 0)) return "Placed and Sheet disagree";
      if (d.Sheet >= ns) return "Sheet out of range";
      if (d.Sheet < 0) {
        if (d.PosX != -1.0f || d.PosY != -1.0f) return "unplaced part with a position";
        continue;
      }
      ++onSheet[d.Sheet];
      ++rows[d.Sheet][d.NC];
      if (d.PosX >= 0 && d.PosY >= 0) ++withPos[d.Sheet];
      partArea[d.Sheet] += d.Area;
    }
    for (int k = 0; k < ns; ++k) {
      const List& s = sheets[k];
      if (s.Transposed != 0) return Where(m, k) + "left transposed";
      if (s.CopyOf >= 0) {
        if (s.CopyOf >= ns || s.CopyOf == k) return Where(m, k) + "bad CopyOf";
        ++repeats[s.CopyOf];
      }
    }
    for (int k = 0; k < ns; ++k) {
      const List& s = sheets[k];
      if (s.PlacedCount > 0) {
        if (onSheet[k] != s.PlacedCount || withPos[k] != s.PlacedCount) return Where(m, k) + "PlacedCount";
        if (s.Used != 1 || s.CopyOf != -1 || s.Copies != 1 + repeats[k]) return Where(m, k) + "own layout fields";
        if (std::fabs((s.Area - partArea[k]) - s.FreeArea) > 1e-3 * s.Area) return Where(m, k) + "FreeArea";
      } else if (s.CopyOf >= 0) {
        const List& t = sheets[s.CopyOf];
        if (s.Used != 1 || s.Copies != 0 || t.NC != s.NC) return Where(m, k) + "repetition fields";
        if (t.CopyOf != -1) return Where(m, k) + "repeats a repetition";
        if (rows[k] != rows[s.CopyOf]) return Where(m, k) + "repetition part counts";
        if (withPos[k] != 0) return Where(m, k) + "repetition part with a position";
      } else {
        if (onSheet[k] != 0) return Where(m, k) + "parts on a sheet without layout";
        if (s.Used != 0 || s.Copies != repeats[k]) return Where(m, k) + "empty sheet fields";
        if (s.FreeArea != s.Area) return Where(m, k) + "empty sheet FreeArea";
      }
    }
  }
  return {};
}

bool GuillotineSeparable(std::vector<Box> boxes, double kerf) {
  if (boxes.size() <= 1) return true;
  const double tol = 0.0005;
  for (int axis = 0; axis < 2; ++axis) {
    auto lo = [axis](const Box& b) { return axis == 0 ? b.x0 : b.y0; };
    auto hi = [axis](const Box& b) { return axis == 0 ? b.x1 : b.y1; };
    std::sort(boxes.begin(), boxes.end(), [&](const Box& a, const Box& b) { return lo(a) < lo(b); });
    double reach = hi(boxes[0]);
    for (std::size_t i = 1; i < boxes.size(); ++i) {
      if (lo(boxes[i]) - reach >= kerf - tol) {
        std::vector<Box> left(boxes.begin(), boxes.begin() + i), right(boxes.begin() + i, boxes.end());
        return GuillotineSeparable(left, kerf) && GuillotineSeparable(right, kerf);
      }
      reach = std::max(reach, hi(boxes[i]));
    }
  }
  return false;
}

std::string CheckGeometry(const LayoutSlot& slot, const std::vector<float>& materialKW) {
  const double tol = 0.0005;
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    const auto& sheets = slot.LayoutSheets[m];
    const double kw = m < static_cast<int>(materialKW.size()) ? std::max(0.0f, materialKW[m]) : 0.0;
    std::vector<std::vector<Box>> boxes(sheets.size());
    int jointRotated = -1;
    for (const Detail& d : slot.LayoutDetails[m]) {
      if (d.Rotation == 0 && d.Rotated != 0) return "a part that keeps its orientation lies turned";
      if (d.Placed != 1 || sheets[d.Sheet].CopyOf >= 0) continue;
      if (d.Rotation == 2) {
        if (jointRotated >= 0 && d.Rotated != jointRotated) return "joint-rotation parts lie differently";
        jointRotated = d.Rotated;
      }
      const List& s = sheets[d.Sheet];
      Box b{d.PosX, d.PosY, d.PosX + static_cast<double>(d.W()), d.PosY + static_cast<double>(d.H())};
      if (b.x0 < s.TL - tol || b.y0 < s.TT - tol || b.x1 > s.X - s.TR + tol || b.y1 > s.Y - s.TB + tol)
        return Where(m, d.Sheet) + "part outside the usable area";
      boxes[d.Sheet].push_back(b);
    }
    for (std::size_t k = 0; k < boxes.size(); ++k) {
      const auto& bs = boxes[k];
      for (std::size_t i = 0; i < bs.size(); ++i)
        for (std::size_t j = i + 1; j < bs.size(); ++j) {
          const double gx = std::max(bs[j].x0 - bs[i].x1, bs[i].x0 - bs[j].x1);
          const double gy = std::max(bs[j].y0 - bs[i].y1, bs[i].y0 - bs[j].y1);
          if (std::max(gx, gy) < kw - tol) return Where(m, static_cast<int>(k)) + "parts overlap or closer than the saw width";
        }
      if (!GuillotineSeparable(bs, kw)) return Where(m, static_cast<int>(k)) + "not guillotine";
    }
  }
  return {};
}

namespace {

#define KV_CMP(field)                                                         \
  if (!(x.field == y.field)) {                                                \
    std::ostringstream o;                                                     \
    o << what << " " << i << " field " #field;                                \
    return o.str();                                                           \
  }

std::string CompareList(const List& x, const List& y, const char* what, int i) {
  KV_CMP(X) KV_CMP(Y) KV_CMP(UseX) KV_CMP(UseY) KV_CMP(Serial) KV_CMP(NC) KV_CMP(Num) KV_CMP(PRT) KV_CMP(TL) KV_CMP(TT)
  KV_CMP(TR) KV_CMP(TB) KV_CMP(PlacedCount) KV_CMP(Used) KV_CMP(Note) KV_CMP(Area) KV_CMP(OffcutArea) KV_CMP(FreeArea)
  KV_CMP(CutLength) KV_CMP(Copies) KV_CMP(CopyOf) KV_CMP(Pr) KV_CMP(FirstCut) KV_CMP(Transposed)
  return {};
}

std::string CompareDetail(const Detail& x, const Detail& y, const char* what, int i) {
  KV_CMP(X) KV_CMP(Y) KV_CMP(Serial) KV_CMP(Num) KV_CMP(PosX) KV_CMP(PosY) KV_CMP(NC) KV_CMP(Sheet) KV_CMP(Rotation)
  KV_CMP(Rotated) KV_CMP(Placed) KV_CMP(Area) KV_CMP(NameE) KV_CMP(EL) KV_CMP(ET) KV_CMP(ER) KV_CMP(EB) KV_CMP(PD)
  KV_CMP(Note) KV_CMP(Fold) KV_CMP(SetZ) KV_CMP(Zakaz) KV_CMP(Spare96) KV_CMP(Spare68) KV_CMP(Dist1)
  return {};
}

#undef KV_CMP

}  // namespace

std::string CompareSlots(const LayoutSlot& a, const LayoutSlot& b) {
  if (a.MaterialCount() != b.MaterialCount()) return "material count";
  for (int m = 0; m < a.MaterialCount(); ++m) {
    if (a.MaterialActive[m] != b.MaterialActive[m]) return "MaterialActive";
    const auto& sa = a.LayoutSheets[m];
    const auto& sb = b.LayoutSheets[m];
    if (sa.size() != sb.size()) return "sheet count";
    for (std::size_t i = 0; i < sa.size(); ++i) {
      std::string e = CompareList(sa[i], sb[i], "sheet", static_cast<int>(i));
      if (!e.empty()) return e;
    }
    const auto& da = a.LayoutDetails[m];
    const auto& db = b.LayoutDetails[m];
    if (da.size() != db.size()) return "part count";
    for (std::size_t i = 0; i < da.size(); ++i) {
      std::string e = CompareDetail(da[i], db[i], "part", static_cast<int>(i));
      if (!e.empty()) return e;
    }
  }
  return {};
}

}  // namespace kelvara::test
