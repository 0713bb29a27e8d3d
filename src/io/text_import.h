#pragma once
// "From Text File": sheets and parts of a ".tc3" text file appended to the job tables.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_record.h"
#include "io/import_result.h"
#include "model/job_tables.h"

namespace kelvara {

enum class TextSection { Sheets, Parts };

// One row line of a section, its fields split at single blanks (UTF-8).
struct TextImportLine {
  TextSection section = TextSection::Sheets;
  int lineNumber = 0;  // 1-based line of the file
  std::vector<std::string> fields;
};

// The row lines of a ".tc3" text (code page 1251, CR LF): runs of blanks become one blank,
// lines then empty are skipped, "[Material]" and "[Detail]" (exact) start the sections, lines
// before the first section are ignored.
std::vector<TextImportLine> ParseTextImport(const Bytes& bytes);

// The field conversions of the import: a decimal number with "." only, and a 32-bit integer.
// On failure `error` gets the conversion message ("'1,5' is not a valid floating point value").
std::optional<double> TextImportNumber(std::string_view field, std::string* error = nullptr);
std::optional<int> TextImportInteger(std::string_view field, std::string* error = nullptr);
// The message of a material number outside the material list.
std::string MaterialRangeError(long long materialNumber);

// Appends the rows of the lines to rxM and rxD. A field that does not convert, or a material
// number outside the list, stops at that line: the rows before it stay, and so does the row
// being filled with the fields set until then. Returns what was done; on failure `error` holds
// the message.
ImportResult ApplyTextImport(const std::vector<TextImportLine>& lines, JobTables& tables);

// The command: reads the whole file (and releases it) and applies it. A missing or unreadable
// file shows the file message in the status bar; a conversion or range error shows its message
// in an error box (tables.ui.Error).
ImportResult ImportTextFile(const std::string& path, JobTables& tables);

}  // namespace kelvara
