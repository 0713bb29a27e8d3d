#include "layout/viewing_modes.h"

#include <map>
#include <vector>

#include "layout/offcut_identity.h"

namespace kelvara {
namespace {

using RowCounts = std::map<std::uint16_t, int>;

// Placed parts of sheet s counted per part row.
RowCounts CountPerRow(const std::vector<Detail>& parts, int s) {
  RowCounts counts;
  for (const Detail& d : parts)
    if (d.Placed == 1 && d.Sheet == s) ++counts[d.NC];
  return counts;
}

}  // namespace

int MergeIdenticalSheets(LayoutSlot& slot) {
  int folded = 0;
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    auto& sheets = slot.LayoutSheets[m];
    if (!slot.Active(m) || sheets.empty()) continue;
    const auto& parts = slot.LayoutDetails[m];
    const int n = static_cast<int>(sheets.size());
    for (int a = 0; a < n; ++a) {
      if (sheets[a].PlacedCount == 0 || sheets[a].CopyOf != -1) continue;
      const RowCounts countsA = CountPerRow(parts, a);
      for (int b = 0; b < n; ++b) {
        List& sb = sheets[b];
        // A sheet that already repeats another is counted there once.
        if (b == a || sb.NC != sheets[a].NC || sb.Used != 1 || sb.CopyOf != -1) continue;
        if (CountPerRow(parts, b) != countsA) continue;
        // b stands for its own Copies sheets; its repetitions now repeat a.
        const int add = sb.Copies > 0 ? sb.Copies : 1;
        for (int c = 0; c < n; ++c)
          if (c != b && sheets[c].CopyOf == b) sheets[c].CopyOf = a;
        sb.Used = 1;
        sb.CopyOf = a;
        sb.PlacedCount = 0;
        sb.Copies = 0;
        sheets[a].Copies += add;
        auto& offcuts = slot.OffcutLists;
        for (int i = static_cast<int>(offcuts.size()) - 1; i >= 0; --i) {
          if (offcuts[i].Num != m) continue;
          if (offcuts[i].Sheet == a) offcuts[i].Copies += add;
          else if (offcuts[i].Sheet == b) offcuts.erase(offcuts.begin() + i);
        }
        ++folded;
      }
    }
  }
  return folded;
}

int SplitCopies(LayoutSlot& slot, JobTables* tables, const RandomDraw& draw) {
  int split = 0;
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    auto& sheets = slot.LayoutSheets[m];
    if (!slot.Active(m) || sheets.empty()) continue;
    auto& parts = slot.LayoutDetails[m];
    const int n = static_cast<int>(sheets.size());
    for (int a = 0; a < n; ++a) {
      if (sheets[a].Copies <= 1) continue;
      std::vector<int> pattern;  // parts placed on a
      for (int i = 0; i < static_cast<int>(parts.size()); ++i)
        if (parts[i].Placed == 1 && parts[i].Sheet == a) pattern.push_back(i);
      const RowCounts countsA = CountPerRow(parts, a);
      std::vector<int> offcutsA;
      for (int i = 0; i < static_cast<int>(slot.OffcutLists.size()); ++i)
        if (slot.OffcutLists[i].Num == m && slot.OffcutLists[i].Sheet == a) offcutsA.push_back(i);

      int kept = 0;  // repetitions that cannot take a's layout stay repetitions of a
      for (int b = 0; b < n; ++b) {
        if (b == a || sheets[b].CopyOf != a || sheets[b].Used != 1) continue;
        if (CountPerRow(parts, b) != countsA) {
          ++kept;
          continue;
        }
        std::vector<bool> used(pattern.size(), false);
        for (Detail& d : parts) {
          if (d.Placed != 1 || d.Sheet != b) continue;
          for (std::size_t p = 0; p < pattern.size(); ++p) {
            const Detail& from = parts[pattern[p]];
            if (used[p] || from.NC != d.NC) continue;
            const std::int32_t serial = d.Serial;
            d = from;
            d.Serial = serial;
            d.Sheet = b;
            used[p] = true;
            break;
          }
        }
        float offcutArea = 0;
        for (int i : offcutsA) {
          const RestM from = slot.OffcutLists[i];
          if (from.Copies <= 1) continue;
          RestM o;
          o.PosX = from.PosX;
          o.PosY = from.PosY;
          o.W = from.W;
          o.H = from.H;
          o.Area = from.Area;
          o.Num = from.Num;
          o.Sheet = b;
          o.Copies = 1;
          o.Id = NewOffcutId(slot, draw);
          o.Name = NewOffcutName(slot, tables, draw);
          slot.OffcutLists.push_back(o);
          offcutArea += o.Area;
        }
        // b takes a's record but stays itself: its Serial, its cut list, and the areas of the
        // offcuts it really got.
        List copy = sheets[a];
        copy.Serial = sheets[b].Serial;
        copy.Cuts = std::move(sheets[b].Cuts);
        copy.FreeArea = sheets[a].FreeArea + sheets[a].OffcutArea - offcutArea;
        copy.OffcutArea = offcutArea;
        copy.Copies = 1;
        copy.CopyOf = -1;
        sheets[b] = std::move(copy);
        ++split;
      }
      sheets[a].Copies = 1 + kept;
      sheets[a].CopyOf = -1;
      for (int i : offcutsA) slot.OffcutLists[i].Copies = sheets[a].Copies;
    }
  }
  return split;
}

}  // namespace kelvara
