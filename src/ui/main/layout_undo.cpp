#include "ui/main/layout_undo.h"

#include <QUndoCommand>

namespace kelvara {

class SlotEditCommand : public QUndoCommand {
 public:
  SlotEditCommand(LayoutUndo& owner, int slot, const QString& text, SlotState before, SlotState after)
      : QUndoCommand(text), owner_(owner), slot_(slot), before_(std::move(before)), after_(std::move(after)) {}

  void undo() override { owner_.Apply(slot_, before_); }
  void redo() override {
    // The edit itself has been made already when the command is pushed.
    if (first_) {
      first_ = false;
      return;
    }
    owner_.Apply(slot_, after_);
  }

 private:
  LayoutUndo& owner_;
  int slot_;
  SlotState before_, after_;
  bool first_ = true;
};

LayoutUndo::LayoutUndo(LayoutModel& model, QObject* parent) : QObject(parent), model_(model), group_(this) {}

QUndoStack* LayoutUndo::Stack(int slot) {
  if (slot < 0 || slot >= LayoutModel::kSlots) return nullptr;
  QUndoStack*& s = stacks_[static_cast<std::size_t>(slot)];
  if (!s) {
    s = new QUndoStack(&group_);
    results_[static_cast<std::size_t>(slot)] = &model_.Slot(slot);
  }
  return s;
}

bool LayoutUndo::SameResult(int slot) const {
  return results_[static_cast<std::size_t>(slot)] == &model_.Slot(slot);
}

void LayoutUndo::FollowViewSlot() {
  const int v = model_.ViewSlot;
  if (v < 0 || v >= LayoutModel::kSlots) return;
  if (stacks_[static_cast<std::size_t>(v)] && !SameResult(v)) ForgetSlot(v);
  group_.setActiveStack(Stack(v));
}

void LayoutUndo::ForgetSlot(int slot) {
  if (slot < 0 || slot >= LayoutModel::kSlots) return;
  if (QUndoStack* s = stacks_[static_cast<std::size_t>(slot)]) s->clear();
  results_[static_cast<std::size_t>(slot)] = &model_.Slot(slot);
}

void LayoutUndo::Record(int slot, const QString& text, SlotState before, SlotState after) {
  QUndoStack* s = Stack(slot);
  if (!s) return;
  if (!SameResult(slot)) ForgetSlot(slot);
  s->push(new SlotEditCommand(*this, slot, text, std::move(before), std::move(after)));
}

bool LayoutUndo::CanUndo() const { return group_.canUndo(); }
bool LayoutUndo::CanRedo() const { return group_.canRedo(); }

void LayoutUndo::Apply(int slot, const SlotState& state) {
  // Never put an old state into a slot that holds another result by now.
  if (!SameResult(slot)) return;
  state.snapshot.Restore(model_.Slot(slot));
  emit restored(slot, state.allDiagrams);
}

}  // namespace kelvara
