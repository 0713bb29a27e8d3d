#pragma once
// Sheet and part rows of the job tables as the records of the job and project files.
#include "model/data_records.h"
#include "model/job_tables.h"
#include "model/table.h"

namespace kelvara {

// Row `pos` of rxM / rxD; sizes and trims rounded to `decimals`, a size that is no finite
// number written as 0.
SheetRecord SheetRecordOfRow(const Table& rxM, int pos, int decimals);
PartRecord PartRecordOfRow(const Table& rxD, int pos, int decimals);

// Appends the record as a row of material `num`: sizes rounded to Decimals (no finite number:
// 0), the sheet's saw width by its material, empty side band names as "-". The part row takes
// PD, Fold and NameE as the record holds them (an empty NameE leaves the field empty).
void AppendSheetRow(JobTables& tables, const SheetRecord& s, int num);
void AppendPartRow(JobTables& tables, const PartRecord& p, int num);

}  // namespace kelvara
