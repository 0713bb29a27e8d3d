#include "layout/slot_snapshot.h"

namespace kelvara {

SlotSnapshot SlotSnapshot::Take(const LayoutSlot& slot, int material) {
  SlotSnapshot s;
  if (material >= 0 && material < slot.MaterialCount())
    s.materials_.push_back({material, slot.LayoutSheets[material], slot.LayoutDetails[material]});
  s.offcuts_ = slot.OffcutLists;
  s.taken_ = true;
  return s;
}

SlotSnapshot SlotSnapshot::TakeAll(const LayoutSlot& slot) {
  SlotSnapshot s;
  for (int m = 0; m < slot.MaterialCount(); ++m) s.materials_.push_back({m, slot.LayoutSheets[m], slot.LayoutDetails[m]});
  s.offcuts_ = slot.OffcutLists;
  s.taken_ = true;
  return s;
}

void SlotSnapshot::Restore(LayoutSlot& slot) const {
  if (!taken_) return;
  for (const Material& m : materials_) {
    if (m.number >= slot.MaterialCount()) continue;
    slot.LayoutSheets[m.number] = m.sheets;
    slot.LayoutDetails[m.number] = m.details;
  }
  slot.OffcutLists = offcuts_;
}

}  // namespace kelvara
