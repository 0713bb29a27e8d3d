#pragma once
// Undo and redo of the hand edits of a shown layout: one QUndoStack per history slot, each
// command holding the slot's state before and after its edit.
#include <QObject>
#include <QUndoGroup>
#include <QUndoStack>
#include <array>

#include "engine/layout_model.h"
#include "layout/slot_snapshot.h"

namespace kelvara {

// The state of a slot that an edit may change: its arrays and offcuts, and which viewing mode
// the page is in for it.
struct SlotState {
  SlotSnapshot snapshot;
  bool allDiagrams = false;
};

class LayoutUndo : public QObject {
  Q_OBJECT
 public:
  LayoutUndo(LayoutModel& model, QObject* parent);

  QUndoGroup& group() { return group_; }
  // The stack of slot i, made on first use.
  QUndoStack* Stack(int slot);
  // The viewed slot's stack becomes the one Undo and Redo work on. A slot filled anew since its
  // stack was made loses its edits.
  void FollowViewSlot();
  // Slot i has been filled by a calculation or a loaded layout: its edits are gone.
  void ForgetSlot(int slot);

  // An edit of slot `slot` has been made; `before` was taken just before it, `after` just after.
  void Record(int slot, const QString& text, SlotState before, SlotState after);

  bool CanUndo() const;
  bool CanRedo() const;
  void Undo() { group_.undo(); }
  void Redo() { group_.redo(); }

 signals:
  // An undo or redo has put `state` back into slot `slot`.
  void restored(int slot, bool allDiagrams);

 private:
  friend class SlotEditCommand;
  // The slot still holds the result the stack was made for.
  bool SameResult(int slot) const;
  void Apply(int slot, const SlotState& state);

  LayoutModel& model_;
  QUndoGroup group_;
  std::array<QUndoStack*, LayoutModel::kSlots> stacks_{};
  std::array<const LayoutSlot*, LayoutModel::kSlots> results_{};
};

}  // namespace kelvara
