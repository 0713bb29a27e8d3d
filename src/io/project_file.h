#pragma once
// Projects: the sheets and parts tables in a ".spc" file (the job file's 840-byte records) and
// the outlines of their AutoCAD parts in the ".spca" file beside it (44-byte shape records).
#include <string>
#include <vector>

#include "core/byte_record.h"
#include "io/import_result.h"
#include "model/job_tables.h"
#include "model/shape_record.h"

namespace kelvara {

// ".spc" is appended unless the name's last four characters are exactly ".spc".
std::string ProjectFileName(const std::string& name);
// The outline file: the project file's name with "a" appended.
std::string OutlineFileName(const std::string& projectPath);

// The records of the current tables: one "M" per sheet row, then one "D" per part row, sizes
// rounded to Decimals; and one shape record per entry of `shapeList`.
Bytes EncodeProject(const JobTables& tables);
Bytes EncodeOutlines(const std::vector<ShapeRecord>& shapeList);

// "Save Project" to the chosen name: nothing when both tables are empty; the extension rule;
// the question before an existing file is replaced; both files; "Project "name"  is saved".
// Returns the path written, "" when nothing was written (a write error ends quietly).
std::string SaveProject(const std::string& chosenName, const JobTables& tables,
                        const std::vector<ShapeRecord>& shapeList);

// `AddProject`: appends the project's rows to rxM and rxD after the rows on screen. Every
// AutoCAD part ("A") gets a fresh outline key and its outline records join `shapeList`; outline
// records no such row carries are dropped; rows of a material outside the list are added as
// stored. A damaged outline file or project file adds nothing. The last row of each table
// becomes current.
ImportResult AddProject(const std::string& path, JobTables& tables, std::vector<ShapeRecord>& shapeList);

}  // namespace kelvara
