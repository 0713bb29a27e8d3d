#include "engine/layout_model.h"

#include <utility>

#include "engine/quick_sort.h"

namespace kelvara {

void LayoutSlot::Reset(int materials) {
  LayoutSheets.assign(materials, {});
  LayoutDetails.assign(materials, {});
  MaterialActive.assign(materials, 0);
  OffcutLists.clear();
  ShapeLists.clear();
}

LayoutModel::LayoutModel() {
  for (auto& s : slots_) s = std::make_unique<LayoutSlot>();
}

namespace {

double KeyOf(const Detail& d, int key) {
  switch (key) {
    case kKeyX: return d.X;
    case kKeyY: return d.Y;
    case kKeyNum: return d.Num;
    case kKeyNC: return d.NC;
    case kKeySpare68: return d.Spare68;
    case kKeyArea: return d.Area;
    case kKeySheet: return d.Sheet;
    case kKeyPosX: return d.PosX;
    case kKeyPosY: return d.PosY;
    case kKeySpare96: return d.Spare96;
    default: return 0;
  }
}

}  // namespace

void SortDetails(std::vector<Detail>& records, int lo, int hi, int key) {
  if (lo < 0 || hi >= static_cast<int>(records.size()) || lo >= hi) return;
  HoareQuickSort(records.data(), lo, hi, [key](const Detail& d) { return KeyOf(d, key); });
}

}  // namespace kelvara
