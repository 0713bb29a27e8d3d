#pragma once
// The records of a calculation built from the rows of the sheets and parts tables: one List
// record per sheet unit and one Detail record per part unit, grouped by material number.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/layout_model.h"

namespace kelvara {

// The fields of one sheets-table row that a calculation reads.
struct SheetRow {
  int Num = 0;
  double X = 0, Y = 0;
  long long Q = 0;
  double TL = 0, TT = 0, TR = 0, TB = 0;
  long long NC = 0;
  long long PRT = 0;
  std::string Pr, Note;
};

// The fields of one parts-table row that a calculation reads (Q1 is the working quantity).
struct PartRow {
  int Num = 0;
  double X = 0, Y = 0;
  long long Q1 = 0;
  long long Rotation = 0;
  std::string NameE;
  bool EL = false, ET = false, ER = false, EB = false;
  std::string NameEL, NameET, NameER, NameEB;
  std::string PD, Note, NoteG;
  long long Fold = 0;
  bool SetZ = false;
  std::string Zakaz, Dist1;
  long long NC = 0;
};

struct InputCounts {
  std::vector<std::int32_t> SheetCounts;   // per material
  std::vector<std::int32_t> DetailCounts;  // per material
  std::int32_t TotalSheets = 0;
};

// Fills `slot` (resized to materialCount materials) with the sheet and part copies of the rows,
// in row order, serials running from 0; jointStart is the Rotated value of every joint-rotation
// part. Rows with a quantity below 1 or a material number outside the list give no copies.
InputCounts BuildInputSlot(const std::vector<SheetRow>& sheets, const std::vector<PartRow>& parts,
                           int materialCount, float indent, std::uint8_t jointStart, LayoutSlot& slot);

// True when some material has both sheet copies and part copies.
bool AnyMaterialActive(const LayoutSlot& slot);

// Saw width per material record: the common saw width when it is not 0 to 3 decimals, else the
// material's own.
std::vector<float> MaterialSawWidths(float commonSawWidth, const std::vector<double>& materialKW);

}  // namespace kelvara
