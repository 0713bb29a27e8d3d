#pragma once
// Calculation input: the first half of "Run Calculation (F9)". Checks and renumbers the sheets
// and parts tables and turns them into the records of one calculation.
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/calc_thread.h"
#include "engine/layout_model.h"
#include "model/job_tables.h"

namespace kelvara {

// Runs the input steps on the tables (their options give the minimal offcut, indent, common saw
// width, level and first cut direction; the settings page has put its edits there). On success
// returns the job to start (MyThread, or CalculateNow): its slot holds the sheet and part copies,
// and the model's job-wide values (MaterialCount, SheetCounts, DetailCounts, TotalSheets,
// MaterialKW, RecordedSawWidth) are set. WriteSlot itself is filled only when the calculation
// completes, so a slot on view is never half-rebuilt.
// On failure the message is shown through the tables' ShowStatus and nullptr returned; nothing is
// done while a calculation runs. `seed` fixes the random source (clock seed by default).
std::unique_ptr<CalculationJob> RunCalculation(JobTables& tables, LayoutModel& model,
                                               std::optional<std::uint32_t> seed = std::nullopt);

// Message of the failure when no material has both sheets and parts.
inline constexpr int kMsgMaterialsDoNotCorrespond = 81;

}  // namespace kelvara
