#pragma once
// The commands that edit the job tables from the Data Preparing and Options pages: sorting,
// deleting marked rows, clearing, multiplying, rotation rules, trims, edge bands, materials.
// A command acts on the marked rows when any are given, else on the current row; afterwards
// the current row is where it was. Confirmations are asked by the window before calling.
#include <array>
#include <string>
#include <vector>

#include "model/job_tables.h"
#include "model/shape_record.h"

namespace kelvara {

using Marks = std::vector<Table::Bookmark>;

enum class SortColumn { Material, X, Y, Quantity, Rotation };
const char* SortField(SortColumn column);

// Bit 0 left > 0, bit 1 top > 0, bit 2 right > 0, bit 3 bottom > 0.
int TrimMask(double left, double top, double right, double bottom);

struct Trims {
  double left = 0, top = 0, right = 0, bottom = 0;
};

// Side band names in the order left, top, right, bottom; "-" is no band.
using SideBands = std::array<std::string, 4>;

class TableCommands {
 public:
  TableCommands(JobTables& tables, std::vector<ShapeRecord>& shapeList);

  // Sorts on the column in the table's current direction for it, which then flips; renumbers.
  void Sort(Table& table, SortColumn column);
  bool Ascending(const Table& table, SortColumn column) const;

  // "Delete Selected Rows" of the sheets (marked rows only), the parts (marked rows, else the
  // current one; outlines of AutoCAD parts go with them), and of edge bands, notes and distance
  // frames (marked rows only). Returns the number of rows deleted.
  int DeleteSheetRows(const Marks& marks);
  int DeletePartRows(const Marks& marks);
  int DeleteBandRows(const Marks& marks);
  int DeleteListRows(Table& table, const Marks& marks);  // rxN, RxDist
  // The main menu's "Delete Selected Rows": the marked rows of both job tables; outlines stay.
  int DeleteMarkedJobRows(const Marks& sheets, const Marks& parts);

  // "Clear Table" of one table and the main menu's "Clear Tables".
  void ClearTable(Table& table);
  void ClearTables();

  // Q = Q x n.
  void MultiplyQuantities(const Marks& marks, int n);
  // Rotation = 0, 1 or 2.
  void SetRotation(const Marks& marks, int rule);
  // TL, TT, TR, TB and the trim mask PT of the sheets.
  void ApplyTrims(const Marks& marks, const Trims& trims);
  // The side bands of ordinary parts ("D"); AutoCAD parts are left alone. False when nothing
  // was changed because the current part (no marks) is not an ordinary part.
  bool ApplyBands(const Marks& marks, const SideBands& bands);
  // Material number and name (sheets also their saw width) of the rows; on an empty table a
  // new row of that material.
  void ApplyMaterial(Table& table, const Marks& marks, int material);

 private:
  template <class F>
  void ForRows(Table& t, const Marks& marks, F&& f);
  int DeleteRows(Table& t, const Marks& marks, bool removeOutlines);
  void RemoveOutlines(std::int64_t fold);
  std::array<bool, 5>& Directions(const Table& t);

  JobTables& t_;
  std::vector<ShapeRecord>& shapes_;
  // Ascending flags: sheets by material, X, Y, quantity (and an unused fifth); parts by
  // material, X, Y, quantity, rotation.
  std::array<bool, 5> sheetsAscending_{true, true, true, true, true};
  std::array<bool, 5> partsAscending_{true, true, true, true, true};
};

}  // namespace kelvara
