#include "engine/input_records.h"

#include <algorithm>
#include <limits>

#include "core/rounding.h"

namespace kelvara {

namespace {

std::uint8_t FirstChar(const std::string& s) { return s.empty() ? 0 : static_cast<std::uint8_t>(s[0]); }

template <class T>
T Clamped(long long v) {
  return static_cast<T>(std::clamp<long long>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

bool MaterialInRange(int num, int materialCount) { return num >= 0 && num < materialCount && num <= 255; }

}  // namespace

InputCounts BuildInputSlot(const std::vector<SheetRow>& sheets, const std::vector<PartRow>& parts,
                           int materialCount, float indent, std::uint8_t jointStart, LayoutSlot& slot) {
  if (materialCount < 0) materialCount = 0;
  InputCounts counts;
  counts.SheetCounts.assign(materialCount, 0);
  counts.DetailCounts.assign(materialCount, 0);
  for (const SheetRow& r : sheets)
    if (r.Q > 0 && MaterialInRange(r.Num, materialCount)) counts.SheetCounts[r.Num] += Clamped<std::int32_t>(r.Q);
  for (const PartRow& r : parts)
    if (r.Q1 > 0 && MaterialInRange(r.Num, materialCount)) counts.DetailCounts[r.Num] += Clamped<std::int32_t>(r.Q1);

  slot.Reset(materialCount);
  for (int m = 0; m < materialCount; ++m) {
    slot.LayoutSheets[m].reserve(counts.SheetCounts[m]);
    slot.LayoutDetails[m].reserve(counts.DetailCounts[m]);
  }

  std::int32_t serial = 0;
  for (const SheetRow& r : sheets) {
    if (r.Q <= 0 || !MaterialInRange(r.Num, materialCount)) continue;
    List s;
    s.X = static_cast<float>(r.X);
    s.Y = static_cast<float>(r.Y);
    s.UseX = static_cast<float>(r.X - r.TL - r.TR);
    s.UseY = static_cast<float>(r.Y - r.TT - r.TB);
    s.NC = Clamped<std::uint16_t>(r.NC);
    s.Num = static_cast<std::uint8_t>(r.Num);
    s.PRT = Clamped<std::uint8_t>(r.PRT);
    s.TL = static_cast<float>(r.TL);
    s.TT = static_cast<float>(r.TT);
    s.TR = static_cast<float>(r.TR);
    s.TB = static_cast<float>(r.TB);
    s.Note = r.Note;
    s.Pr = FirstChar(r.Pr);
    s.PlacedCount = 0;
    s.Used = 0;
    s.Area = static_cast<float>(r.X * r.Y);
    s.OffcutArea = 0;
    s.FreeArea = s.Area;
    s.Copies = 0;
    s.CopyOf = -1;
    s.Transposed = 0;
    auto& list = slot.LayoutSheets[r.Num];
    for (long long k = 0; k < r.Q; ++k) {
      s.Serial = serial++;
      list.push_back(s);
    }
  }
  counts.TotalSheets = 0;
  for (std::int32_t c : counts.SheetCounts) counts.TotalSheets += c;

  serial = 0;
  for (const PartRow& r : parts) {
    if (r.Q1 <= 0 || !MaterialInRange(r.Num, materialCount)) continue;
    Detail d;
    d.X = static_cast<float>(r.SetZ ? r.X + 2.0 * indent : r.X);
    d.Y = static_cast<float>(r.SetZ ? r.Y + 2.0 * indent : r.Y);
    d.Area = static_cast<float>(r.X * r.Y);
    d.Num = static_cast<std::uint8_t>(r.Num);
    d.NC = Clamped<std::uint16_t>(r.NC);
    d.Rotation = static_cast<std::uint8_t>(std::clamp<long long>(r.Rotation, 0, 2));
    d.NameE = r.NameE;
    d.EL = r.EL;
    d.ET = r.ET;
    d.ER = r.ER;
    d.EB = r.EB;
    d.NameEL = r.NameEL;
    d.NameET = r.NameET;
    d.NameER = r.NameER;
    d.NameEB = r.NameEB;
    d.Note = r.Note;
    d.NoteG = r.NoteG;
    d.Fold = Clamped<std::int32_t>(r.Fold);
    d.SetZ = r.SetZ;
    d.Zakaz = r.Zakaz;
    d.Dist1 = r.Dist1;
    d.PD = FirstChar(r.PD);
    d.PosX = -1.0f;
    d.PosY = -1.0f;
    d.Sheet = -1;
    d.Placed = 0;
    d.Spare96 = -1;
    d.Rotated = d.Rotation == 2 ? jointStart : 0;
    auto& list = slot.LayoutDetails[r.Num];
    for (long long k = 0; k < r.Q1; ++k) {
      d.Serial = serial++;
      list.push_back(d);
    }
  }

  for (int m = 0; m < materialCount; ++m)
    slot.MaterialActive[m] = counts.SheetCounts[m] != 0 && counts.DetailCounts[m] != 0;
  return counts;
}

bool AnyMaterialActive(const LayoutSlot& slot) {
  return std::any_of(slot.MaterialActive.begin(), slot.MaterialActive.end(), [](std::uint8_t a) { return a != 0; });
}

std::vector<float> MaterialSawWidths(float commonSawWidth, const std::vector<double>& materialKW) {
  std::vector<float> kw(materialKW.size());
  const bool common = !IsZero3(commonSawWidth);
  for (std::size_t i = 0; i < kw.size(); ++i) kw[i] = common ? commonSawWidth : static_cast<float>(materialKW[i]);
  return kw;
}

}  // namespace kelvara
