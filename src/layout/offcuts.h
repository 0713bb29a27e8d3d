#pragma once
// Marking offcuts on a shown layout, naming and unmarking them, and saving them into the
// storehouse with the list of saved offcuts (rxSR).
#include <cstdint>
#include <string>
#include <vector>

#include "engine/layout_model.h"
#include "layout/random_draw.h"

namespace kelvara {

class JobTables;

// Sheet k of material m, or nullptr.
List* SheetOf(LayoutSlot& slot, int material, int sheet);
// A sheet that the diagram page shows: Used, its own layout, Copies above 0.
bool ShownSheet(const List& sheet);

struct MarkResult {
  bool marked = false;
  int index = -1;              // position of the new record in OffcutLists
  RestM offcut;                // the new record
  bool openNameEditor = false; // NameOffcuts is 1
};

// Marks the free rectangle around (px, py) of sheet `sheet` (length units, taken to 3
// decimals) as an offcut: a new RestM with a random Id, the sheet's Copies and a name "R" +
// number that no storehouse row and no offcut of the slot holds; its area moves from the sheet's
// FreeArea to its OffcutArea. Nothing happens where FindFreeRect finds no rectangle.
MarkResult MarkOffcut(LayoutSlot& slot, const std::vector<float>& materialKW, JobTables& tables, const RandomDraw& draw,
                      int material, int sheet, double px, double py);

// Unmarks the last offcut of the list with this material, sheet index and Id; its area goes
// back to the sheet's FreeArea. False when there is none.
bool UnmarkOffcut(LayoutSlot& slot, int material, int sheet, std::int32_t id);

// The first offcut with this Id takes the name (any text). False when there is none.
bool RenameOffcut(LayoutSlot& slot, std::int32_t id, const std::string& name);

// "Unmark All Offcuts": after the confirmation, every offcut's W x H (to 3 decimals) goes back
// to its sheet's FreeArea, OffcutArea becomes 0 on those sheets and on every shown sheet, and the
// list is emptied. False when the list was empty or the answer was No.
bool UnmarkAllOffcuts(LayoutSlot& slot, JobTables& tables);

enum class SaveOffcutsStatus {
  NothingToSave,    // the offcut list is empty
  NoStoreMaterial,  // no material is selected in the storehouse: nothing stored, status shown
  Declined,         // the confirmation was answered No
  Saved,
};

struct SaveOffcutsResult {
  SaveOffcutsStatus status = SaveOffcutsStatus::NothingToSave;
  int stored = 0;        // storehouse rows (and rxSR rows) added
  bool unmarked = false; // "Unmark All Offcuts" was confirmed afterwards
};

// "Save Marked Offcuts": one storehouse row and one rxSR row per offcut, sizes rounded to
// Decimals, Q = QM = Copies; then "Unmark All Offcuts" with its own confirmation. All rows or
// none are stored; the storehouse filter and current row are restored.
SaveOffcutsResult SaveMarkedOffcuts(LayoutSlot& slot, JobTables& tables);

// "Delete Selected Rows" of the saved offcuts: after the confirmation, for each selected rxSR
// row (positions; none selected means the current row) the first storehouse row of its material
// whose N equals the row's Note is deleted, then the rows themselves; rxSR and the storehouse
// view are renumbered. False when rxSR is empty or the answer was No.
bool DeleteSelectedSavedOffcuts(JobTables& tables, std::vector<int> selected);

// "Delete All Saved Offcuts of this Layout": the same for every rxSR row, then rxSR is emptied.
bool DeleteAllSavedOffcuts(JobTables& tables);

enum class SavedOffcutsOrder { Material, Length, Height, Quantity };  // Num, X, Y, Q
// "Sort by...": rxSR ascending on the field, renumbered.
void SortSavedOffcuts(JobTables& tables, SavedOffcutsOrder order);

// The status text of a refused save: "Material Storehouse: No material is Assigned" in the
// current language.
std::string NoStoreMaterialText(const JobTables& tables);

}  // namespace kelvara
