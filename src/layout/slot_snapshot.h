#pragma once
// A copy of what a hand edit may change in a slot, for undo and redo: the sheet and part
// arrays of one material (or of all) and the offcut list.
#include <vector>

#include "engine/layout_model.h"

namespace kelvara {

class SlotSnapshot {
 public:
  SlotSnapshot() = default;
  // The arrays of `material` and the offcut list (every edit of a drag, turn, clear or mark).
  static SlotSnapshot Take(const LayoutSlot& slot, int material);
  // The arrays of every material and the offcut list (the viewing modes).
  static SlotSnapshot TakeAll(const LayoutSlot& slot);

  // Puts the copied arrays and the offcut list back. Materials the slot no longer has are
  // skipped.
  void Restore(LayoutSlot& slot) const;
  bool Empty() const { return !taken_; }

 private:
  struct Material {
    int number = 0;
    std::vector<List> sheets;
    std::vector<Detail> details;
  };
  std::vector<Material> materials_;
  std::vector<RestM> offcuts_;
  bool taken_ = false;
};

}  // namespace kelvara
