#pragma once
// The two viewing modes of the diagram page. Both change the slot itself (copies, assignments
// of repetitions, offcuts), not only what is drawn.
#include "engine/layout_model.h"
#include "layout/random_draw.h"

namespace kelvara {

class JobTables;

// "View Unique Diagrams Only": every laid-out sheet b of the same sheet row as an earlier
// laid-out sheet a, carrying the same number of parts of every part row, becomes a repetition
// of a; a.Copies grows by what b stood for, a's offcuts count the new copies and b's offcuts
// are removed. Returns the number of sheets folded.
int MergeIdenticalSheets(LayoutSlot& slot);

// "View All Diagrams": every repetition of a sheet with Copies above 1 gets a layout of its own,
// the positions and turns of the repeated sheet's parts row by row, and a copy of each of its
// offcuts with Copies above 1 (new Id and name; names checked against the storehouse of
// `tables`, which may be null). Returns the number of sheets split off.
int SplitCopies(LayoutSlot& slot, JobTables* tables, const RandomDraw& draw);

}  // namespace kelvara
