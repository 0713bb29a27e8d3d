#include "io/previous_generation_import.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "io/file_messages.h"

namespace kelvara {
namespace {

constexpr int kMostDecimals = 18;

}  // namespace

PreviousGenerationRecord DecodePreviousGenerationRecord(const RecordReader& r) {
  PreviousGenerationRecord p;
  p.text = Trim(r.ShortString(0, 50));
  p.X = r.F32(52);
  p.Y = r.F32(56);
  p.Q = r.U16(60);
  p.Rotation = r.U8(65);
  p.note = Trim(r.ShortString(104, 50));
  return p;
}

std::optional<double> PreviousGenerationSize(float value, int decimals) {
  if (!std::isfinite(value)) return std::nullopt;
  return ParseNumber(FormatFixed(value, std::clamp(decimals, 0, kMostDecimals)));
}

ImportResult ApplyPreviousGenerationImport(const Bytes& bytes, JobTables& tables) {
  ImportResult result;
  result.ok = true;
  enum class Section { None, Sheets, Parts } section = Section::None;
  int decimals = 0;
  const std::size_t records = bytes.size() / kPreviousGenerationRecordSize;
  tables.rxM.DisableControls();
  tables.rxD.DisableControls();
  for (std::size_t i = 0; i < records; ++i) {
    const PreviousGenerationRecord r = DecodePreviousGenerationRecord(
        RecordReader(bytes.data() + i * kPreviousGenerationRecordSize, kPreviousGenerationRecordSize));
    if (r.text == kPreviousGenerationSheetsTag) {
      section = Section::Sheets;
      decimals = r.Q;
      continue;
    }
    if (r.text == kPreviousGenerationPartsTag) {
      section = Section::Parts;
      continue;
    }
    if (section == Section::None) continue;
    const auto x = PreviousGenerationSize(r.X, decimals);
    const auto y = PreviousGenerationSize(r.Y, decimals);
    if (!x || !y) {
      result.ok = false;
      break;
    }
    Table& t = section == Section::Sheets ? tables.rxM : tables.rxD;
    t.Append();
    t.Set("X", *x);
    t.Set("Y", *y);
    t.Set("Q", static_cast<std::int64_t>(r.Q));
    t.Set("Note", r.note);
    if (section == Section::Parts) {
      t.Set("Rotation", static_cast<std::int64_t>(r.Rotation));
      t.Set("SetZ", std::int64_t{0});
      t.Set("PD", std::string("D"));
      ++result.partsAdded;
    } else {
      ++result.sheetsAdded;
    }
    t.Post();
  }
  tables.rxM.EnableControls();
  tables.rxD.EnableControls();
  return result;
}

ImportResult ImportPreviousGenerationFile(const std::string& path, JobTables& tables) {
  const FileBytes file = ReadWholeFile(path);
  ImportResult result;
  if (file.status == FileStatus::Ok) result = ApplyPreviousGenerationImport(file.bytes, tables);
  if (!result.ok) {
    result.error = file.status == FileStatus::NotFound ? FileNotFoundText(tables.messages, path)
                                                       : FileDestroyedText(tables.messages, path);
    tables.ui.ShowStatus(result.error, kIconError, 20);
    return result;
  }
  tables.ui.ShowStatus(tables.messages.Msg(kIoMsgProjectAdded) + " " + Quoted(path) + " .", kIconSuccess, 20);
  return result;
}

}  // namespace kelvara
