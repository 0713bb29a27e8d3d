// Kelvara3.dat: the job on screen, sheets ("M" records) then parts ("D" records).
#include <algorithm>

#include "core/number_text.h"
#include "model/data_file_values.h"
#include "model/data_files.h"
#include "model/data_records.h"
#include "model/job_rows.h"

namespace kelvara {
using data_values::Int32Of;

void DataFiles::LoadJob() {
  t_.rxM.Clear();
  t_.rxD.Clear();
  const RecordFile file = ReadRecordFile(Path(kJobFileName), kJobRecordSize);
  if (file.status == FileStatus::NotFound) {
    ReportNotFound(kJobFileName);
    return;
  }
  // A 0-byte file is what saving an empty table writes: nothing to load, nothing to report.
  if (file.status == FileStatus::IoError || file.Truncated()) {
    ReportDestroyed(kJobFileName);
    return;
  }
  for (std::size_t i = 0; i < file.Count(); ++i) {
    const RecordReader r = file.At(i);
    if (r.Char(0) == kSheetKind) {
      const SheetRecord s = DecodeSheetRecord(r);
      const int num = t_.MaterialIndex(s.Name);
      if (num < 0) continue;  // a material no longer in the list
      t_.options.CurrentMaterial = static_cast<std::uint8_t>(num);
      AppendSheetRow(t_, s, num);
    } else if (r.Char(0) == kPartKind) {
      PartRecord p = DecodePartRecord(r);
      const int num = t_.MaterialIndex(p.Name);
      if (num < 0) continue;
      t_.options.CurrentMaterial = static_cast<std::uint8_t>(num);
      if (p.PD.empty()) p.PD.assign(1, 'D');  // a 0 byte keeps the ordinary kind
      p.NameE.clear();                // the band type is not taken from the job file
      AppendPartRow(t_, p, num);
    }
  }
  // The default rotation of new parts: that of the last part loaded, never negative; the
  // remembered order number starts empty.
  t_.LastOrderNo.clear();
  t_.LastRotation = 0;
  if (!t_.rxD.Empty())
    t_.LastRotation = std::max<std::int32_t>(0, Int32Of(t_.rxD.GetAt(t_.rxD.Count() - 1, "Rotation")));
}

bool DataFiles::SaveJob() {
  Bytes all;
  auto add = [&all](const Bytes& b) { all.insert(all.end(), b.begin(), b.end()); };
  const int decimals = t_.options.Decimals;
  for (int i = 0; i < t_.rxM.Count(); ++i) add(EncodeSheetRecord(SheetRecordOfRow(t_.rxM, i, decimals)));
  for (int i = 0; i < t_.rxD.Count(); ++i) add(EncodePartRecord(PartRecordOfRow(t_.rxD, i, decimals)));
  return WriteFileAtomic(Path(kJobFileName), all);
}

}  // namespace kelvara
