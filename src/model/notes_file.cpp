// Kelvara3.nte: the frequently used notes (rxN), one a line.
#include "model/data_file_values.h"
#include "model/data_files.h"
#include "model/data_records.h"

namespace kelvara {

void DataFiles::LoadNotes() {
  t_.rxN.Clear();
  const FileBytes file = ReadWholeFile(Path(kNotesFileName));
  std::vector<std::string> lines;
  if (file.status == FileStatus::Ok) lines = SplitTextLines(file.bytes);
  if (lines.empty()) {
    ReportNotFound(kNotesFileName);
    for (int k = 0; k < 3; ++k) lines.push_back("Note " + std::to_string(k));
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    t_.rxN.Append();
    t_.rxN.Set("NC", static_cast<std::int64_t>(i + 1));
    t_.rxN.Set("NameN", lines[i]);
    t_.rxN.Post();
  }
}

bool DataFiles::SaveNotes() {
  std::vector<std::string> lines;
  for (int i = 0; i < t_.rxN.Count(); ++i) lines.push_back(data_values::TextOf(t_.rxN.GetAt(i, "NameN")));
  return WriteFileAtomic(Path(kNotesFileName), std::string_view(JoinTextLines(lines)));
}

}  // namespace kelvara
