#include "layout/offcuts.h"

#include <algorithm>
#include <set>

#include "core/rounding.h"
#include "layout/free_rect.h"
#include "layout/offcut_identity.h"
#include "model/job_tables.h"

namespace kelvara {
namespace {

constexpr int kMsgMaterialStorehouse = 6;
constexpr int kMsgDeleteSelectedRows = 13;
constexpr int kMsgClearTable = 83;
constexpr int kMsgNoMaterial = 94;
constexpr int kMsgUnmarkAll = 185;
constexpr int kMsgMoveToStorehouse = 186;

// Switches the storehouse filter off for a command that must see every material, and back to
// its former state at the end.
class AllStorehouseRows {
 public:
  explicit AllStorehouseRows(JobTables& t) : tables_(t), filtered_(t.rxMat.Filtered()) {
    if (filtered_) tables_.FilterStorehouse(false);
  }
  ~AllStorehouseRows() { Restore(); }
  void Restore() {
    if (filtered_) tables_.FilterStorehouse(true);
    filtered_ = false;
  }

 private:
  JobTables& tables_;
  bool filtered_;
};

// Deletes the first storehouse row of material `num` whose N is exactly `note`. An empty note
// names no saved offcut: it would hit any stock row without notes.
void DeleteStoredOffcut(Table& store, const std::string& note, std::int64_t num) {
  if (note.empty()) return;
  for (int i = 0; i < store.Count(); ++i)
    if (Table::ValueText(store.GetAt(i, "N")) == note && store.IntAt(i, "Num") == num) {
      store.MoveTo(i);
      store.Delete();
      return;
    }
}

void DeleteRows(Table& t, const std::vector<Table::Bookmark>& rows) {
  for (auto b : rows)
    if (t.GotoBookmark(b)) t.Delete();
}

}  // namespace

List* SheetOf(LayoutSlot& slot, int material, int sheet) {
  if (material < 0 || material >= slot.MaterialCount()) return nullptr;
  auto& sheets = slot.LayoutSheets[material];
  if (sheet < 0 || sheet >= static_cast<int>(sheets.size())) return nullptr;
  return &sheets[sheet];
}

bool ShownSheet(const List& s) { return s.Used == 1 && s.PlacedCount != 0 && s.Copies > 0; }

MarkResult MarkOffcut(LayoutSlot& slot, const std::vector<float>& materialKW, JobTables& tables, const RandomDraw& draw,
                      int material, int sheet, double px, double py) {
  MarkResult result;
  List* s = SheetOf(slot, material, sheet);
  if (!s) return result;
  const double kw = material < static_cast<int>(materialKW.size()) ? materialKW[material] : 0.0;
  const FreeRect r = FindFreeRect(slot, sheet, material, kw, Round3(px), Round3(py));
  if (!r.found || !(Round3(r.Width()) > 0) || !(Round3(r.Height()) > 0)) return result;

  RestM o;
  o.PosX = static_cast<float>(r.x1);
  o.PosY = static_cast<float>(r.y1);
  o.W = static_cast<float>(r.x2 - r.x1);
  o.H = static_cast<float>(r.y2 - r.y1);
  o.Area = o.W * o.H;
  o.Copies = s->Copies;
  o.Id = NewOffcutId(slot, draw);
  o.Sheet = sheet;
  o.Num = material;
  o.Name = NewOffcutName(slot, &tables, draw);
  slot.OffcutLists.push_back(o);

  s->OffcutArea += o.Area;
  s->FreeArea -= o.Area;

  result.marked = true;
  result.index = static_cast<int>(slot.OffcutLists.size()) - 1;
  result.offcut = o;
  result.openNameEditor = tables.options.NameOffcuts == 1;
  return result;
}

bool UnmarkOffcut(LayoutSlot& slot, int material, int sheet, std::int32_t id) {
  auto& list = slot.OffcutLists;
  for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
    const RestM& o = list[i];
    if (o.Sheet != sheet || o.Id != id || o.Num != material) continue;
    if (List* s = SheetOf(slot, o.Num, o.Sheet)) {
      s->FreeArea += o.Area;
      s->OffcutArea -= o.Area;
    }
    list.erase(list.begin() + i);
    return true;
  }
  return false;
}

bool RenameOffcut(LayoutSlot& slot, std::int32_t id, const std::string& name) {
  for (RestM& o : slot.OffcutLists)
    if (o.Id == id) {
      o.Name = name;
      return true;
    }
  return false;
}

bool UnmarkAllOffcuts(LayoutSlot& slot, JobTables& tables) {
  if (slot.OffcutLists.empty()) return false;
  if (!tables.ui.Ask(tables.messages.Msg(kMsgUnmarkAll))) return false;
  std::set<std::pair<int, int>> touched;
  for (const RestM& o : slot.OffcutLists)
    if (List* s = SheetOf(slot, o.Num, o.Sheet)) {
      s->FreeArea += static_cast<float>(Round3(o.W) * Round3(o.H));
      touched.insert({o.Num, o.Sheet});
    }
  for (auto [m, k] : touched) SheetOf(slot, m, k)->OffcutArea = 0;
  for (int m = 0; m < slot.MaterialCount(); ++m)
    if (slot.Active(m))
      for (List& s : slot.LayoutSheets[m])
        if (ShownSheet(s)) s.OffcutArea = 0;
  slot.OffcutLists.clear();
  return true;
}

std::string NoStoreMaterialText(const JobTables& tables) {
  return tables.messages.Msg(kMsgMaterialStorehouse) + ": " + tables.messages.Msg(kMsgNoMaterial);
}

SaveOffcutsResult SaveMarkedOffcuts(LayoutSlot& slot, JobTables& tables) {
  SaveOffcutsResult result;
  if (slot.OffcutLists.empty()) return result;
  // The storehouse takes new rows only while a material is chosen in it: refuse before the
  // question, so nothing is stored and the offcuts stay marked.
  if (tables.storehouseMaterial < 0) {
    tables.ui.ShowStatus(NoStoreMaterialText(tables), kIconError, 20);
    result.status = SaveOffcutsStatus::NoStoreMaterial;
    return result;
  }
  if (!tables.ui.Ask(tables.messages.Msg(kMsgMoveToStorehouse))) {
    result.status = SaveOffcutsStatus::Declined;
    return result;
  }

  Table& store = tables.rxMat;
  Table& saved = tables.rxSR;
  const int decimals = tables.options.Decimals;
  AllStorehouseRows all(tables);
  std::vector<Table::Bookmark> storeRows, savedRows;
  bool refused = false;
  for (const RestM& o : slot.OffcutLists) {
    const double x = RoundTo(o.W, decimals), y = RoundTo(o.H, decimals);
    store.Append();
    if (store.state() != TableState::Insert) {
      refused = true;
      break;
    }
    store.Set("X", x);
    store.Set("Y", y);
    store.Set("Q", static_cast<std::int64_t>(o.Copies));
    store.Set("QM", static_cast<std::int64_t>(o.Copies));
    store.Set("Num", static_cast<std::int64_t>(o.Num));
    store.Set("N", o.Name);
    store.Post();
    storeRows.push_back(store.GetBookmark());

    saved.Append();
    if (saved.state() != TableState::Insert) {
      refused = true;
      break;
    }
    saved.Set("X", x);
    saved.Set("Y", y);
    saved.Set("Q", static_cast<std::int64_t>(o.Copies));
    saved.Set("Num", static_cast<std::int64_t>(o.Num));
    saved.Set("Note", o.Name);
    saved.Post();
    savedRows.push_back(saved.GetBookmark());
  }
  if (refused) {
    // Nothing half-saved: the rows of this command go again.
    DeleteRows(store, storeRows);
    DeleteRows(saved, savedRows);
    all.Restore();
    tables.ui.ShowStatus(NoStoreMaterialText(tables), kIconError, 20);
    result.status = SaveOffcutsStatus::NoStoreMaterial;
    return result;
  }
  result.status = SaveOffcutsStatus::Saved;
  result.stored = static_cast<int>(storeRows.size());
  result.unmarked = UnmarkAllOffcuts(slot, tables);
  all.Restore();
  tables.RenumberStorehouse();
  saved.Post();
  return result;
}

bool DeleteSelectedSavedOffcuts(JobTables& tables, std::vector<int> selected) {
  Table& saved = tables.rxSR;
  if (saved.Empty()) return false;
  if (!tables.ui.Ask(tables.messages.Msg(kMsgDeleteSelectedRows))) return false;
  saved.Post();
  if (selected.empty()) selected.push_back(saved.Position());
  std::vector<int> rows;
  for (int p : selected)
    if (p >= 0 && p < saved.Count() && std::find(rows.begin(), rows.end(), p) == rows.end()) rows.push_back(p);

  {
    AllStorehouseRows all(tables);
    for (int p : rows)
      DeleteStoredOffcut(tables.rxMat, Table::ValueText(saved.GetAt(p, "Note")), saved.IntAt(p, "Num"));
  }
  std::sort(rows.rbegin(), rows.rend());
  for (int p : rows) {
    saved.MoveTo(p);
    saved.Delete();
  }
  tables.Renumber(saved);
  tables.RenumberStorehouse();
  return true;
}

bool DeleteAllSavedOffcuts(JobTables& tables) {
  Table& saved = tables.rxSR;
  if (saved.Empty()) return false;
  if (!tables.ui.Ask(tables.messages.Msg(kMsgClearTable))) return false;
  saved.Post();
  {
    AllStorehouseRows all(tables);
    for (int p = 0; p < saved.Count(); ++p)
      DeleteStoredOffcut(tables.rxMat, Table::ValueText(saved.GetAt(p, "Note")), saved.IntAt(p, "Num"));
  }
  tables.RenumberStorehouse();
  saved.Clear();
  return true;
}

void SortSavedOffcuts(JobTables& tables, SavedOffcutsOrder order) {
  const char* field = "Num";
  switch (order) {
    case SavedOffcutsOrder::Material: field = "Num"; break;
    case SavedOffcutsOrder::Length: field = "X"; break;
    case SavedOffcutsOrder::Height: field = "Y"; break;
    case SavedOffcutsOrder::Quantity: field = "Q"; break;
  }
  tables.rxSR.Sort(field, true);
  tables.Renumber(tables.rxSR);
}

}  // namespace kelvara
