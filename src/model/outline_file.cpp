// Kelvara3.dac: the outlines of the job's AutoCAD parts (ShapeList).
#include "model/data_files.h"
#include "model/data_records.h"

namespace kelvara {

void DataFiles::LoadOutlines() {
  const RecordFile file = ReadRecordFile(Path(kOutlinesFileName), kShapeRecordSize);
  if (file.status == FileStatus::NotFound) {
    ReportNotFound(kOutlinesFileName);
    return;
  }
  // A 0-byte file is what saving an empty table writes: nothing to load, nothing to report.
  if (file.status == FileStatus::IoError || file.Truncated()) {
    ReportDestroyed(kOutlinesFileName);
    return;
  }
  shapes_.clear();
  shapes_.reserve(file.Count());
  for (std::size_t i = 0; i < file.Count(); ++i) shapes_.push_back(DecodeShapeRecord(file.At(i)));
}

bool DataFiles::SaveOutlines() {
  Bytes all;
  all.reserve(shapes_.size() * kShapeRecordSize);
  for (const ShapeRecord& s : shapes_) {
    const Bytes b = EncodeShapeRecord(s);
    all.insert(all.end(), b.begin(), b.end());
  }
  return WriteFileAtomic(Path(kOutlinesFileName), all);
}

}  // namespace kelvara
