// The table commands of the Data Preparing page: what its menus, buttons, keys and floating
// dialogs do, with their confirmations.
#include <algorithm>

#include "ui/main/data_page.h"

namespace kelvara {
namespace {
constexpr int kMsgDeleteSelectedRows = 13;
constexpr int kMsgClearTableQuestion = 83;

Trims TrimsOfRow(const Table& t, int row) {
  return {t.FloatAt(row, "TL"), t.FloatAt(row, "TT"), t.FloatAt(row, "TR"), t.FloatAt(row, "TB")};
}

}  // namespace

void DataPage::SortSheets(SortColumn column) {
  sheetsGrid->FinishEditing();
  if (ctx_.tables.rxM.Empty()) return;
  ctx_.commands.Sort(ctx_.tables.rxM, column);
  sheetsGrid->FollowTable();
  emit tablesChanged();
}

void DataPage::SortParts(SortColumn column) {
  partsGrid->FinishEditing();
  if (ctx_.tables.rxD.Empty()) return;
  ctx_.commands.Sort(ctx_.tables.rxD, column);
  partsGrid->FollowTable();
  emit tablesChanged();
}

void DataPage::SelectAll(JobGrid* grid) {
  grid->UnmarkAll();
  grid->MarkAll();
}

void DataPage::ClearTable(JobGrid* grid) {
  grid->FinishEditing();
  if (!ctx_.Ask(kMsgClearTableQuestion)) return;
  ctx_.commands.ClearTable(grid->table());
  grid->FollowTable();
  emit tablesChanged();
}

void DataPage::DeleteSelectedRows(JobGrid* grid) {
  grid->FinishEditing();
  const Marks marks = grid->MarkedBookmarks();
  if (grid == sheetsGrid) {
    if (marks.empty()) return;  // the sheets' command deletes marked rows only
    if (!ctx_.Ask(kMsgDeleteSelectedRows)) return;
    ctx_.commands.DeleteSheetRows(marks);
  } else {
    if (ctx_.tables.rxD.Empty()) return;
    if (!ctx_.Ask(kMsgDeleteSelectedRows)) return;
    ctx_.commands.DeletePartRows(marks);
  }
  grid->UnmarkAll();
  grid->FollowTable();
  emit tablesChanged();
}

void DataPage::OpenMultiplier() {
  partsGrid->FinishEditing();
  if (ctx_.tables.rxD.Empty()) return;
  multiplierDialog->Open(partsGrid);
}

void DataPage::ApplyMultiplier() {
  ctx_.commands.MultiplyQuantities(partsGrid->MarkedBookmarks(), multiplierDialog->factor());
  multiplierDialog->hide();
  partsGrid->FollowTable();
  emit tablesChanged();
}

void DataPage::SetRotationRule(int rule) {
  partsGrid->FinishEditing();
  ctx_.commands.SetRotation(partsGrid->MarkedBookmarks(), rule);
  partsGrid->FollowTable();
  emit tablesChanged();
}

void DataPage::OpenTrimsFromToolbar() {
  sheetsGrid->FinishEditing();
  const Table& m = ctx_.tables.rxM;
  trimsDialog->OpenOverGrid(sheetsGrid, m.Empty() ? Trims{} : TrimsOfRow(m, 0));
}

void DataPage::OpenTrimsForCell(const QModelIndex& index, const QPoint& globalPos) {
  sheetsGrid->FinishEditing();
  Table& m = ctx_.tables.rxM;
  if (!index.isValid() || index.row() >= m.Count()) return;
  m.MoveTo(index.row());
  trimsDialog->OpenAtMouse(globalPos, TrimsOfRow(m, index.row()));
}

void DataPage::ApplyTrims() {
  ctx_.commands.ApplyTrims(sheetsGrid->MarkedBookmarks(), trimsDialog->Result());
  trimsDialog->hide();
  sheetsGrid->FollowTable();
  emit tablesChanged();
}

void DataPage::OpenBandsFromToolbar() {
  partsGrid->FinishEditing();
  bandsDialog->OpenOverGrid(partsGrid);
}

void DataPage::OpenBandsForCell(const QModelIndex& index, const QPoint& globalPos) {
  partsGrid->FinishEditing();
  Table& d = ctx_.tables.rxD;
  if (!index.isValid() || index.row() >= d.Count()) return;
  d.MoveTo(index.row());
  if (d.AsString("PD") != "D") return;  // AutoCAD parts carry no bands
  bandsDialog->OpenAtMouse(globalPos, {d.AsString("NameEL"), d.AsString("NameET"), d.AsString("NameER"),
                                       d.AsString("NameEB")});
}

void DataPage::ApplyBands() {
  // With no marked rows on an AutoCAD part nothing changes and the dialog stays open.
  if (!ctx_.commands.ApplyBands(partsGrid->MarkedBookmarks(), bandsDialog->Result())) return;
  bandsDialog->hide();
  partsGrid->FollowTable();
  emit tablesChanged();
}

void DataPage::ChooseMaterial(JobGrid* grid, int material) {
  if (material < 0 || material >= ctx_.tables.MaterialCount()) return;
  grid->FinishEditing();
  ctx_.options.CurrentMaterial = static_cast<std::uint8_t>(std::min(material, 255));  // a byte option
  ctx_.commands.ApplyMaterial(grid->table(), grid->MarkedBookmarks(), material);
  grid->FollowTable();
  emit tablesChanged();
}

}  // namespace kelvara
