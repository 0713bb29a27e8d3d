#pragma once
// "From Project Kelvara 2": sheets and parts of a project file of the previous generation.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_record.h"
#include "io/import_result.h"
#include "model/job_tables.h"

namespace kelvara {

inline constexpr std::size_t kPreviousGenerationRecordSize = 156;
inline constexpr const char* kPreviousGenerationSheetsTag = "KelvaraMaterial";
inline constexpr const char* kPreviousGenerationPartsTag = "KelvaraDetail";

// The fields of one 156-byte record that are read.
struct PreviousGenerationRecord {
  std::string text;       // string[50] at 0, trimmed
  float X = 0, Y = 0;     // singles at 52, 56
  std::uint16_t Q = 0;    // at 60; in the sheets tag record the number of decimals
  std::uint8_t Rotation = 0;  // at 65
  std::string note;       // string[50] at 104, trimmed
};
PreviousGenerationRecord DecodePreviousGenerationRecord(const RecordReader& r);

// The size text of a value with `decimals` decimals read back as a number; empty when the
// value is not a finite number. More than 18 decimals count as 18.
std::optional<double> PreviousGenerationSize(float value, int decimals);

// Appends the rows of the whole records of `bytes`. A conversion error stops: the rows before
// stay (the failing record adds none). `error` is left empty; the caller names the file.
ImportResult ApplyPreviousGenerationImport(const Bytes& bytes, JobTables& tables);

// The command: reads the file (released at once), appends its rows and shows "Project is Added"
// or the damaged-file message ("File not Found" when it does not exist).
ImportResult ImportPreviousGenerationFile(const std::string& path, JobTables& tables);

}  // namespace kelvara
