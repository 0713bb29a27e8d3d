#include "ui/main/table_commands.h"

#include <algorithm>

namespace kelvara {

const char* SortField(SortColumn column) {
  switch (column) {
    case SortColumn::Material: return "Num";
    case SortColumn::X: return "X";
    case SortColumn::Y: return "Y";
    case SortColumn::Quantity: return "Q";
    case SortColumn::Rotation: return "Rotation";
  }
  return "NC";
}

int TrimMask(double left, double top, double right, double bottom) {
  return (left > 0 ? 1 : 0) | (top > 0 ? 2 : 0) | (right > 0 ? 4 : 0) | (bottom > 0 ? 8 : 0);
}

TableCommands::TableCommands(JobTables& tables, std::vector<ShapeRecord>& shapeList)
    : t_(tables), shapes_(shapeList) {}

std::array<bool, 5>& TableCommands::Directions(const Table& t) {
  return &t == &t_.rxD ? partsAscending_ : sheetsAscending_;
}

bool TableCommands::Ascending(const Table& t, SortColumn column) const {
  const auto& d = &t == &t_.rxD ? partsAscending_ : sheetsAscending_;
  return d[static_cast<std::size_t>(column)];
}

void TableCommands::Sort(Table& table, SortColumn column) {
  if (column == SortColumn::Rotation && &table != &t_.rxD) return;
  bool& ascending = Directions(table)[static_cast<std::size_t>(column)];
  table.Sort(SortField(column), ascending);
  ascending = !ascending;
  t_.Renumber(table);
}

template <class F>
void TableCommands::ForRows(Table& t, const Marks& marks, F&& f) {
  if (marks.empty()) {
    f(t);  // on an empty table the first field set starts a new row
    t.Post();
    return;
  }
  const Table::Bookmark keep = t.GetBookmark();
  for (Table::Bookmark b : marks) {
    if (!t.GotoBookmark(b)) continue;
    f(t);
    t.Post();
  }
  if (keep) t.GotoBookmark(keep);
}

void TableCommands::RemoveOutlines(std::int64_t fold) {
  shapes_.erase(std::remove_if(shapes_.begin(), shapes_.end(), [fold](const ShapeRecord& s) { return s.Id == fold; }),
                shapes_.end());
}

int TableCommands::DeleteRows(Table& t, const Marks& marks, bool removeOutlines) {
  if (t.state() != TableState::Browse) t.Post();
  int deleted = 0;
  for (Table::Bookmark b : marks) {
    if (!t.GotoBookmark(b)) continue;
    if (removeOutlines && t.AsString("PD") == "A") RemoveOutlines(t.AsInt("Fold"));
    t.Delete();
    ++deleted;
  }
  return deleted;
}

int TableCommands::DeleteSheetRows(const Marks& marks) {
  const int n = DeleteRows(t_.rxM, marks, false);
  t_.Renumber(t_.rxM);
  return n;
}

int TableCommands::DeletePartRows(const Marks& marks) {
  Table& d = t_.rxD;
  if (d.Empty()) return 0;
  Marks rows = marks;
  if (rows.empty()) rows.push_back(d.GetBookmark());
  const int n = DeleteRows(d, rows, true);
  t_.Renumber(d);
  return n;
}

int TableCommands::DeleteBandRows(const Marks& marks) {
  Table& b = t_.rxT;
  if (b.Empty()) return 0;
  std::vector<std::string> names;
  for (Table::Bookmark m : marks)
    if (b.GotoBookmark(m)) names.push_back(b.AsString("NameE"));
  const int n = DeleteRows(b, marks, false);
  for (int i = 0; i < t_.rxD.Count(); ++i) {
    const std::string band = Table::ValueText(t_.rxD.GetAt(i, "NameE"));
    if (std::find(names.begin(), names.end(), band) != names.end()) t_.rxD.SetAt(i, "NameE", std::string());
  }
  t_.Renumber(b);
  b.First();
  t_.ui.BandsChanged();
  return n;
}

int TableCommands::DeleteListRows(Table& table, const Marks& marks) {
  if (table.Empty()) return 0;
  const int n = DeleteRows(table, marks, false);
  t_.Renumber(table);
  table.First();
  return n;
}

int TableCommands::DeleteMarkedJobRows(const Marks& sheets, const Marks& parts) {
  int n = 0;
  for (auto [table, marks] : {std::pair{&t_.rxM, &sheets}, std::pair{&t_.rxD, &parts}}) {
    if (table->Empty()) continue;
    n += DeleteRows(*table, *marks, false);
    t_.Renumber(*table);
    table->First();
  }
  return n;
}

void TableCommands::ClearTable(Table& table) {
  table.Clear();
  if (&table == &t_.rxD) shapes_.clear();
  if (&table == &t_.rxT) {
    for (int i = 0; i < t_.rxD.Count(); ++i) t_.rxD.SetAt(i, "NameE", std::string());
    t_.ui.BandsChanged();
  }
}

void TableCommands::ClearTables() {
  t_.rxM.Clear();
  t_.rxD.Clear();
  shapes_.clear();
}

void TableCommands::MultiplyQuantities(const Marks& marks, int n) {
  if (t_.rxD.Empty()) return;
  ForRows(t_.rxD, marks, [n](Table& t) { t.Set("Q", t.AsInt("Q") * n); });
}

void TableCommands::SetRotation(const Marks& marks, int rule) {
  if (t_.rxD.Empty()) return;
  ForRows(t_.rxD, marks, [rule](Table& t) { t.Set("Rotation", static_cast<std::int64_t>(rule)); });
}

void TableCommands::ApplyTrims(const Marks& marks, const Trims& tr) {
  ForRows(t_.rxM, marks, [&tr](Table& t) {
    t.Set("TL", tr.left);
    t.Set("TT", tr.top);
    t.Set("TR", tr.right);
    t.Set("TB", tr.bottom);
    t.Set("PT", static_cast<std::int64_t>(TrimMask(tr.left, tr.top, tr.right, tr.bottom)));
  });
}

bool TableCommands::ApplyBands(const Marks& marks, const SideBands& bands) {
  Table& d = t_.rxD;
  if (d.Empty()) return false;
  if (marks.empty() && d.AsString("PD") != "D") return false;
  auto apply = [&bands](Table& t) {
    if (t.AsString("PD") != "D") return;  // AutoCAD parts keep their sides
    static constexpr std::array<const char*, 4> kNames{"NameEL", "NameET", "NameER", "NameEB"};
    static constexpr std::array<const char*, 4> kFlags{"EL", "ET", "ER", "EB"};
    for (std::size_t i = 0; i < 4; ++i) {
      const std::string name = bands[i].empty() ? std::string("-") : bands[i];
      t.Set(kNames[i], name);
      t.Set(kFlags[i], static_cast<std::int64_t>(name != "-" ? 1 : 0));
    }
  };
  ForRows(d, marks, apply);
  return true;
}

void TableCommands::ApplyMaterial(Table& table, const Marks& marks, int material) {
  const std::string name = t_.MaterialName(material);
  const bool sheets = &table == &t_.rxM;
  const double kw = t_.SawWidthOf(name);
  ForRows(table, marks, [&](Table& t) {
    t.Set("Num", static_cast<std::int64_t>(material));
    t.Set("Name", name);
    if (sheets) t.Set("KW", kw);
  });
}

}  // namespace kelvara
