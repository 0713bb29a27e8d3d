// Kelvara3.opt: the options record and the edge band names.
#include "core/number_text.h"
#include "model/data_file_values.h"
#include "model/data_files.h"
#include "model/data_records.h"

namespace kelvara {
namespace {

// A unit name whose fourth character is "=" is a damaged one.
void UnitNameOrDefault(std::string& unit, const std::string& fallback) {
  const std::string_view u = unit;
  // Fourth character of the UTF-8 text: skip three code points.
  std::size_t at = 0;
  for (int k = 0; k < 3 && at < u.size(); ++k) {
    ++at;
    while (at < u.size() && (static_cast<unsigned char>(u[at]) & 0xC0) == 0x80) ++at;
  }
  if (at < u.size() && u[at] == '=') unit = fallback;
}

// What reading a "G" record does beyond taking its values.
void SettleReadOptions(Options& o) {
  const Options defaults;
  if (o.PageWidth <= 1000) {
    o.PageWidth = defaults.PageWidth;
    o.PageHeight = defaults.PageHeight;
  }
  if (Trim(o.PrintFontName).empty()) o.PrintFontName = defaults.PrintFontName;
  UnitNameOrDefault(o.PartsLinearUnit, defaults.PartsLinearUnit);
  UnitNameOrDefault(o.PartsAreaUnit, defaults.PartsAreaUnit);
  UnitNameOrDefault(o.SheetsLinearUnit, defaults.SheetsLinearUnit);
  UnitNameOrDefault(o.SheetsAreaUnit, defaults.SheetsAreaUnit);
}

}  // namespace

void DataFiles::AppendDefaultBands() {
  for (int k = 1; k <= 3; ++k) {
    t_.rxT.Append();
    t_.rxT.Set("NameE", std::string("Edge No ") + std::to_string(k));
    t_.rxT.Post();
  }
}

void DataFiles::LoadOptions() {
  Options& o = t_.options;
  DefaultOptions(o);
  t_.rxT.Clear();
  const RecordFile file = ReadRecordFile(Path(kOptionsFileName), kOptionsRecordSize);
  if (file.status == FileStatus::NotFound) {
    ReportNotFound(kOptionsFileName);
  } else if (file.status == FileStatus::IoError) {
    ReportDestroyed(kOptionsFileName);
  } else {
    // Shorter than one record: defaults without a message.
    for (std::size_t i = 0; i < file.Count(); ++i) {
      const RecordReader r = file.At(i);
      if (r.Char(0) == 'G') {
        DecodeOptionsRecord(r, o);
        SettleReadOptions(o);
      } else if (r.Char(0) == 'T') {
        t_.rxT.Append();
        t_.rxT.Set("NameE", DecodeBandRecord(r));
        t_.rxT.Post();
      }
    }
  }
  const std::string folder = Trim(o.ProgramFolder);
  dialogFolder = folder.empty() ? t_.programFolder : folder;
  if (t_.rxT.Empty()) AppendDefaultBands();
  t_.ui.BandsChanged();
}

bool DataFiles::SaveOptions() {
  Bytes all = EncodeOptionsRecord(t_.options);
  for (int i = 0; i < t_.rxT.Count(); ++i) {
    const Bytes b = EncodeBandRecord(data_values::TextOf(t_.rxT.GetAt(i, "NameE")));
    all.insert(all.end(), b.begin(), b.end());
  }
  return WriteFileAtomic(Path(kOptionsFileName), all);
}

}  // namespace kelvara
