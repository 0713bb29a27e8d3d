// The hand edits of the diagram view: dragging parts, turning, clearing sheets, marking,
// unmarking and naming offcuts, saving them, the viewing modes, and undo and redo of them all.
#include <QDrag>
#include <QMimeData>
#include <QScrollBar>

#include "layout/offcuts.h"
#include "layout/viewing_modes.h"
#include "ui/main/diagram_view.h"
#include "ui/main/drag_image.h"

namespace kelvara {
namespace {

enum : int {
  kMsgUnmarkAllOffcuts = 112,
  kMsgViewUnique = 268,
  kMsgViewAll = 269,
  kMsgSaveMarkedOffcuts = 239,
  kMsgMarkedOffcuts = 64,
  kMsgName = 297,
  kMsgRotation = 35,
  kMsgPart = 69,
  kMsgSheet = 106,
};

}  // namespace

QString DiagramView::UndoText(int msg) const {
  QString text = ctx_.Msg(msg).trimmed();
  if (text.endsWith(QLatin1Char(':'))) text.chop(1);
  return text;
}

bool DiagramView::Edit(const QString& text, int material, const std::function<bool()>& change) {
  const LayoutSlot& slot = ctx_.View();
  SlotState before{material >= 0 ? SlotSnapshot::Take(slot, material) : SlotSnapshot::TakeAll(slot),
                   AllDiagramsShown()};
  if (!change()) return false;
  SlotState after{material >= 0 ? SlotSnapshot::Take(slot, material) : SlotSnapshot::TakeAll(slot), AllDiagramsShown()};
  undo_.Record(ctx_.model.ViewSlot, text, std::move(before), std::move(after));
  UpdateCommandStates();
  return true;
}

void DiagramView::Undo() {
  if (drag_.source != DragSourceKind::None) return;
  undo_.FollowViewSlot();
  undo_.Undo();
}

void DiagramView::Redo() {
  if (drag_.source != DragSourceKind::None) return;
  undo_.FollowViewSlot();
  undo_.Redo();
}

void DiagramView::Restored(int slot, bool allDiagrams) {
  if (slot != ctx_.model.ViewSlot) return;
  CloseNameEditor();
  const bool modeChanged = allDiagrams != AllDiagramsShown();
  SetAllDiagramsShown(allDiagrams);
  // Sheets that now carry a layout of their own but have no picture, or pictures of sheets
  // that now repeat another one, need the page built again; otherwise the pictures follow in
  // place and sheets emptied by hand keep theirs.
  bool rebuild = modeChanged;
  const LayoutSlot& s = ctx_.View();
  for (int m = 0; m < s.MaterialCount() && !rebuild; ++m) {
    if (!s.Active(m)) continue;
    for (int k = 0; k < static_cast<int>(s.LayoutSheets[m].size()) && !rebuild; ++k)
      if (ShownSheet(s.LayoutSheets[m][k]) && !SheetPictureOf(m, k)) rebuild = true;
  }
  for (SheetPicture* p : sheets_) {
    const List* r = p->Record();
    if (!r || r->CopyOf >= 0) rebuild = true;
  }
  if (rebuild) {
    const int scroll = SBR->verticalScrollBar()->value();
    BuildDiagramPage(ZoomFactor);
    SBR->verticalScrollBar()->setValue(scroll);
  } else {
    RefreshSheets();
    BuildUnplacedPanel(ctx_.scale);
  }
  UpdateCommandStates();
}

// Dragging parts.

bool DiagramView::BeginDrag(PartPicture* part) {
  drag_ = DragState{};
  dragSource_ = nullptr;
  if (!part || Disposed(part)) return false;
  const PartCopy& c = part->copy();
  if (c.onSheet)
    drag_ = StartDragFromSheet(ctx_.View(), c.material, c.Serial, c.sheet, c.turned);
  else
    drag_ = StartDragFromPanel(c.material, c.Serial, c.unplacedCount, c.turned);
  dragSource_ = part;
  return drag_.source != DragSourceKind::None;
}

QPixmap DiagramView::DragImage() const {
  const PartPicture* part = dragSource_.data();
  if (!part) return QPixmap();
  return MakeDragImage(part->size(), drag_.copies, part->copy().NC, part->copy().turned);
}

void DiagramView::EndDrag() {
  PartPicture* part = dragSource_.data();
  drag_ = DragState{};
  dragSource_ = nullptr;
  if (part && Disposed(part)) part->deleteLater();
}

void DiagramView::PartDragStarted(PartPicture* part) {
  if (!BeginDrag(part)) {
    EndDrag();
    return;
  }
  auto* drag = new QDrag(this);
  auto* mime = new QMimeData;
  mime->setData(kPartMimeType, QByteArray::number(part->copy().Serial));
  drag->setMimeData(mime);
  drag->setPixmap(DragImage());
  drag->setHotSpot(QPoint(0, 0));
  drag->exec(Qt::MoveAction, Qt::MoveAction);
  drag->deleteLater();
  EndDrag();
}

bool DiagramView::DragOverSheet(SheetPicture* sheet, QPoint at) {
  if (drag_.source == DragSourceKind::None || !sheet || !(ctx_.scale > 0)) return false;
  const SheetPixel cursor{static_cast<double>(at.x()), static_cast<double>(at.y()), static_cast<double>(sheet->width()),
                          static_cast<double>(sheet->height()), ctx_.scale};
  return SheetAccepts(ctx_.View(), ctx_.model.MaterialKW, drag_, sheet->material(), sheet->index(), cursor);
}

bool DiagramView::DropOnSheet(SheetPicture* sheet, QPoint at) {
  if (!DragOverSheet(sheet, at)) return false;
  const DragState drag = drag_;
  DropResult result;
  const bool changed = Edit(UndoText(kMsgPart), drag.material, [&] {
    result = Drop(ctx_.model.View(), drag, DropTargetKind::Sheet, sheet->index(), ctx_.options.PartsLocation);
    return result.changed;
  });
  if (!changed) return false;
  if (PartPicture* dragged = dragSource_.data()) Dispose(dragged);
  if (result.takenOff)
    if (SheetPicture* from = SheetPictureOf(drag.material, result.fromSheet); from && from != sheet) FillSheet(from);
  FillSheet(sheet);
  if (drag.source == DragSourceKind::Panel) BuildUnplacedPanel(ctx_.scale);
  return true;
}

bool DiagramView::DragOverPanel() { return drag_.source != DragSourceKind::None; }

bool DiagramView::DropOnPanel() {
  if (drag_.source != DragSourceKind::Sheet) return drag_.source != DragSourceKind::None;
  const DragState drag = drag_;
  PartPicture* dragged = dragSource_.data();
  const float scale = dragged ? dragged->copy().scale : ctx_.scale;
  DropResult result;
  const bool changed = Edit(UndoText(kMsgPart), drag.material, [&] {
    result = Drop(ctx_.model.View(), drag, DropTargetKind::Panel, -1, ctx_.options.PartsLocation);
    return result.changed;
  });
  if (!changed) return true;
  BuildUnplacedPanel(scale);
  if (dragged) Dispose(dragged);
  if (SheetPicture* from = SheetPictureOf(drag.material, result.fromSheet)) FillSheet(from);
  return true;
}

// Turning and clearing.

void DiagramView::PartTurnPressed(PartPicture* part) {
  if (!part || part->copy().Rotation != 1) return;
  const PartCopy& c = part->copy();
  const bool turned = Edit(UndoText(kMsgRotation), c.material,
                           [&] { return TurnPart(ctx_.model.View(), c.material, c.Serial, c.turned); });
  if (turned) part->Turn();
  HoverPart(part);
}

void DiagramView::SheetAltRightPressed(SheetPicture* sheet) {
  if (!sheet) return;
  const int m = sheet->material(), k = sheet->index();
  if (!Edit(UndoText(kMsgSheet), m, [&] { return ClearSheet(ctx_.model.View(), m, k); })) return;
  CloseNameEditor();
  // The sheet picture stays, empty; the unplaced panel follows at "Refresh".
  FillSheet(sheet);
  HoverSheet(sheet);
}

// Offcuts.

void DiagramView::SheetClicked(SheetPicture* sheet, QPoint at) {
  if (!sheet || !(ctx_.scale > 0)) return;
  const List* record = sheet->Record();
  if (!record) return;
  const SheetPixel cursor{static_cast<double>(at.x()), static_cast<double>(at.y()), static_cast<double>(sheet->width()),
                          static_cast<double>(sheet->height()), ctx_.scale};
  if (!InsideUsableArea(*record, cursor)) return;
  const double px = PixelToLength(at.x(), ctx_.scale, 3);
  const double py = PixelToLength(at.y(), ctx_.scale, 3);
  const int m = sheet->material(), k = sheet->index();
  MarkResult mark;
  if (!Edit(UndoText(kMsgMarkedOffcuts), m, [&] {
        mark = MarkOffcut(ctx_.model.View(), ctx_.model.MaterialKW, ctx_.tables, draw_, m, k, px, py);
        return mark.marked;
      }))
    return;
  CloseNameEditor();
  FillSheet(sheet);
  HoverSheet(sheet);
  if (!mark.openNameEditor) return;
  for (OffcutPicture* o : OffcutPictures(sheet))
    if (o->copy().Id == mark.offcut.Id) OpenNameEditor(sheet, o);
}

void DiagramView::OffcutUnmarkPressed(OffcutPicture* offcut) {
  auto* sheet = offcut ? qobject_cast<SheetPicture*>(offcut->parentWidget()) : nullptr;
  if (!sheet) return;
  const OffcutCopy c = offcut->copy();
  Edit(UndoText(kMsgMarkedOffcuts), c.material, [&] { return UnmarkOffcut(ctx_.model.View(), c.material, c.sheet, c.Id); });
  CloseNameEditor();
  Dispose(offcut);
  FillSheet(sheet);
  HoverSheet(sheet);
}

void DiagramView::OffcutNamePressed(OffcutPicture* offcut) {
  if (auto* sheet = offcut ? qobject_cast<SheetPicture*>(offcut->parentWidget()) : nullptr)
    OpenNameEditor(sheet, offcut);
}

void DiagramView::OpenNameEditor(SheetPicture* sheet, OffcutPicture* offcut) {
  ERname->move(sheet->x() + offcut->x(), sheet->y() + offcut->y());
  ERname->raise();
  ERname->setText(QString::fromStdString(offcut->copy().Name));
  ERname->offcutId = offcut->copy().Id;
  ERname->show();
  ERname->setFocus(Qt::OtherFocusReason);
  ERname->selectAll();
}

void DiagramView::CloseNameEditor() {
  if (ERname->isVisible()) ERname->hide();
}

void DiagramView::ApplyName() {
  const std::int32_t id = ERname->offcutId;
  const std::string name = ERname->text().toStdString();
  OffcutPicture* target = nullptr;
  for (SheetPicture* s : sheets_)
    for (OffcutPicture* o : OffcutPictures(s))
      if (!target && o->copy().Id == id) target = o;
  if (target) target->SetName(name);
  bool same = false;
  for (const RestM& o : ctx_.View().OffcutLists)
    if (o.Id == id) {
      same = o.Name == name;
      break;
    }
  if (!same) {
    const int material = target ? target->copy().material : -1;
    Edit(UndoText(kMsgName), material, [&] { return RenameOffcut(ctx_.model.View(), id, name); });
  }
  ERname->hide();
  SBR->setFocus(Qt::OtherFocusReason);
}

void DiagramView::UnmarkAllOffcuts() {
  if (ctx_.View().OffcutLists.empty()) return;
  if (!Edit(UndoText(kMsgUnmarkAllOffcuts), -1, [&] { return kelvara::UnmarkAllOffcuts(ctx_.model.View(), ctx_.tables); }))
    return;
  CloseNameEditor();
  RefreshSheets();
}

void DiagramView::SaveMarkedOffcuts() {
  GBSR->GSR->FinishEditing();
  SaveOffcutsResult result;
  const bool unmarked = Edit(UndoText(kMsgUnmarkAllOffcuts), -1, [&] {
    result = kelvara::SaveMarkedOffcuts(ctx_.model.View(), ctx_.tables);
    return result.unmarked;
  });
  if (unmarked) {
    CloseNameEditor();
    RefreshSheets();
  }
  GBSR->GSR->FollowTable();
  if (result.stored > 0) emit storehouseChanged();
}

// Viewing modes.

void DiagramView::ViewUniqueDiagrams() {
  Edit(UndoText(kMsgViewUnique), -1, [&] {
    const int folded = MergeIdenticalSheets(ctx_.model.View());
    const bool modeChanged = AllDiagramsShown();
    SetAllDiagramsShown(false);
    return folded > 0 || modeChanged;
  });
  SetAllDiagramsShown(false);
  BuildDiagramPage(ZoomFactor);
}

void DiagramView::ViewAllDiagrams() {
  Edit(UndoText(kMsgViewAll), -1, [&] {
    const int split = SplitCopies(ctx_.model.View(), &ctx_.tables, draw_);
    const bool modeChanged = !AllDiagramsShown();
    SetAllDiagramsShown(true);
    return split > 0 || modeChanged;
  });
  SetAllDiagramsShown(true);
  BuildDiagramPage(ZoomFactor);
}

}  // namespace kelvara
