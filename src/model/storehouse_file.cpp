// Kelvara3.mat: the material storehouse, every material.
#include "model/data_file_values.h"
#include "model/data_files.h"
#include "model/data_records.h"

namespace kelvara {

void DataFiles::LoadStorehouse() {
  // Material 0 is selected in the storehouse, the view is filtered by the window afterwards.
  t_.storehouseMaterial = 0;
  t_.FilterStorehouse(false);
  t_.rxMat.Clear();
  const RecordFile file = ReadRecordFile(Path(kStorehouseFileName), kStoreRecordSize);
  if (file.status == FileStatus::NotFound) {
    ReportNotFound(kStorehouseFileName);
    return;
  }
  // A read error keeps the whole records read before it.
  // A 0-byte file is what saving an empty storehouse writes: nothing to report.
  if (file.status == FileStatus::IoError || file.Truncated()) ReportDestroyed(kStorehouseFileName);
  if (file.Count() == 0) return;
  const auto many = settings_.ReadString(kKeyManyMaterial);
  const bool dropUnknown = many && *many == "1";
  for (std::size_t i = 0; i < file.Count(); ++i) {
    const StoreRecord s = DecodeStoreRecord(file.At(i));
    const int num = t_.MaterialIndex(s.Material);
    if (num < 0 && dropUnknown) continue;
    Table& m = t_.rxMat;
    m.Append();
    m.Set("X", Rounded(s.X));
    m.Set("Y", Rounded(s.Y));
    m.Set("Q", std::int64_t{s.Q});
    m.Set("QM", std::int64_t{s.QM});
    m.Set("Num", std::int64_t{num < 0 ? 0 : num});
    m.Set("N", s.N);
    m.Post();
  }
}

bool DataFiles::SaveStorehouse() {
  settings_.WriteString(kKeyManyMaterial, "1");
  const bool wasFiltered = t_.rxMat.Filtered();
  t_.FilterStorehouse(false);
  Bytes all;
  const Table& m = t_.rxMat;
  for (int i = 0; i < m.Count(); ++i) {
    StoreRecord s;
    s.X = ForFile(data_values::FloatOf(m.GetAt(i, "X")));
    s.Y = ForFile(data_values::FloatOf(m.GetAt(i, "Y")));
    s.Q = data_values::Int32Of(m.GetAt(i, "Q"));
    s.QM = data_values::Int32Of(m.GetAt(i, "QM"));
    s.Num = data_values::Int32Of(m.GetAt(i, "Num"));
    s.Material = t_.MaterialName(s.Num);
    s.N = data_values::TextOf(m.GetAt(i, "N"));
    const Bytes b = EncodeStoreRecord(s);
    all.insert(all.end(), b.begin(), b.end());
  }
  const bool ok = WriteFileAtomic(Path(kStorehouseFileName), all);
  if (wasFiltered) t_.FilterStorehouse(true);
  return ok;
}

}  // namespace kelvara
