// Kelvara3.mtn (names of the built-in materials) and Kelvara3.mkw (saw widths of all materials).
#include <algorithm>

#include "model/data_file_values.h"
#include "model/data_files.h"
#include "model/data_records.h"

namespace kelvara {
namespace {

// The name a material has before any renaming: its built-in name or its picture's name.
std::string OriginalName(const MaterialList& m, int i) {
  if (i < MaterialList::kBuiltIn && i < static_cast<int>(MaterialList::BuiltInNames().size()))
    return MaterialList::BuiltInNames()[i];
  const std::string& file = m.PictureFile(i);
  if (file.empty()) return m.Name(i);
  return file.substr(0, file.find('.'));
}

}  // namespace

void DataFiles::ClearMaterialBoxes() { t_.materialBoxesFilled = false; }

bool DataFiles::LoadMaterialNames() {
  // The rename rules must not run while the rows are built.
  t_.materialBoxesFilled = false;
  t_.rxOM.Clear();
  const FileBytes file = ReadWholeFile(Path(kMaterialNamesFileName));
  std::vector<std::string> lines;
  if (file.status == FileStatus::Ok) lines = SplitTextLines(file.bytes);
  const bool fromFile = file.status == FileStatus::Ok && !lines.empty();
  if (!fromFile) ReportNotFound(kMaterialNamesFileName);
  // Always one row per material in material order: a line the file lacks leaves the built-in
  // name, lines past the built-in materials are not used.
  const int count = t_.MaterialCount();
  for (int i = 0; i < count; ++i) {
    std::string name = OriginalName(t_.materials, i);
    if (fromFile && i < MaterialList::kBuiltIn && i < static_cast<int>(lines.size())) name = lines[i];
    t_.rxOM.Append();
    t_.rxOM.Set("NC", std::int64_t{i + 1});
    t_.rxOM.Set("Mat", name);
    t_.rxOM.Set("KW", 0.0);
    t_.rxOM.Post();
  }
  return fromFile;
}

void DataFiles::LoadSawWidths() {
  const RecordFile file = ReadRecordFile(Path(kSawWidthsFileName), kSawWidthRecordSize);
  if (file.status != FileStatus::Ok || file.Count() == 0) {
    ReportNotFound(kSawWidthsFileName);
    return;
  }
  for (std::size_t i = 0; i < file.Count(); ++i) {
    const SawWidthRecord rec = DecodeSawWidthRecord(file.At(i));
    for (int pos = 0; pos < t_.rxOM.Count(); ++pos) {
      if (data_values::TextOf(t_.rxOM.GetAt(pos, "Mat")) == rec.Mat) {
        t_.rxOM.SetAt(pos, "KW", Rounded(rec.KW));
        break;
      }
    }
  }
}

void DataFiles::FillMaterialBoxes() {
  const int n = std::min(t_.rxOM.Count(), t_.MaterialCount());
  for (int i = 0; i < n; ++i) t_.materials.SetName(i, data_values::TextOf(t_.rxOM.GetAt(i, "Mat")));
  t_.materialBoxesFilled = true;
  if (t_.options.CurrentMaterial >= t_.MaterialCount())
    t_.options.CurrentMaterial = static_cast<std::uint8_t>(t_.CurrentMaterial());
}

bool DataFiles::SaveMaterialNames() {
  std::vector<std::string> lines;
  const int n = std::min(t_.rxOM.Count(), MaterialList::kBuiltIn);
  for (int i = 0; i < n; ++i) lines.push_back(data_values::TextOf(t_.rxOM.GetAt(i, "Mat")));
  return WriteFileAtomic(Path(kMaterialNamesFileName), std::string_view(JoinTextLines(lines)));
}

bool DataFiles::SaveSawWidths() {
  Bytes all;
  for (int i = 0; i < t_.rxOM.Count(); ++i) {
    const Bytes b = EncodeSawWidthRecord(
        {ForFile(data_values::FloatOf(t_.rxOM.GetAt(i, "KW"))), data_values::TextOf(t_.rxOM.GetAt(i, "Mat"))});
    all.insert(all.end(), b.begin(), b.end());
  }
  return WriteFileAtomic(Path(kSawWidthsFileName), all);
}

}  // namespace kelvara
