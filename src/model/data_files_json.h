#pragma once
// A program folder's loaded state as one JSON object (what "kelvara3-cli inspect" prints).
#include <ostream>
#include <string>
#include <vector>

#include "core/json_writer.h"
#include "model/job_tables.h"
#include "model/shape_record.h"

namespace kelvara {

// Every option under its name.
void WriteOptionsJson(JsonWriter& w, const Options& o);
// The visible rows as objects keyed by field name: numbers as numbers, Booleans as true/false,
// texts as strings; an empty field or empty text as null.
void WriteTableJson(JsonWriter& w, const Table& t);
void WriteShapesJson(JsonWriter& w, const std::vector<ShapeRecord>& shapes);

// {"options", "materials", "tables": {"rxOM", "rxT", "rxN", "rxMat", "rxM", "rxD"}, "shapes",
// "status"}.
void WriteProgramFolderJson(std::ostream& out, const JobTables& tables, const std::vector<ShapeRecord>& shapes,
                            const std::vector<std::string>& status);

}  // namespace kelvara
