// Kelvara3.dat: the job on screen, sheets ("M" records) then parts ("D" records).
#include <algorithm>

#include "core/number_text.h"
#include "model/data_file_values.h"
#include "model/data_files.h"
#include "model/data_records.h"

namespace kelvara {
namespace {

using data_values::BoolOf;
using data_values::FloatOf;
using data_values::Int32Of;
using data_values::TextOf;

std::string BandOrNone(const std::string& name) { return Trim(name).empty() ? std::string("-") : name; }

}  // namespace

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
      Table& m = t_.rxM;
      m.Append();
      m.Set("X", Rounded(s.X));
      m.Set("Y", Rounded(s.Y));
      m.Set("TL", Rounded(s.TL));
      m.Set("TT", Rounded(s.TT));
      m.Set("TR", Rounded(s.TR));
      m.Set("TB", Rounded(s.TB));
      m.Set("PT", std::int64_t{s.PT});
      m.Set("Q", std::int64_t{s.Q});
      m.Set("Num", std::int64_t{num});
      m.Set("Name", s.Name);
      m.Set("PRT", std::int64_t{s.PRT});
      m.Set("Note", s.Note);
      m.Set("KW", t_.SawWidthOf(s.Name));
      m.Post();
    } else if (r.Char(0) == kPartKind) {
      const PartRecord p = DecodePartRecord(r);
      const int num = t_.MaterialIndex(p.Name);
      if (num < 0) continue;
      t_.options.CurrentMaterial = static_cast<std::uint8_t>(num);
      Table& d = t_.rxD;
      d.Append();
      d.Set("X", Rounded(p.X));
      d.Set("Y", Rounded(p.Y));
      d.Set("Q", std::int64_t{p.Q});
      d.Set("Num", std::int64_t{num});
      d.Set("Name", p.Name);
      d.Set("Note", p.Note);
      d.Set("Rotation", std::int64_t{p.Rotation});
      d.Set("NF", p.NF);
      d.Set("Fold", std::int64_t{p.Fold});
      d.Set("NameEL", BandOrNone(p.NameEL));
      d.Set("NameET", BandOrNone(p.NameET));
      d.Set("NameER", BandOrNone(p.NameER));
      d.Set("NameEB", BandOrNone(p.NameEB));
      d.Set("EL", std::int64_t{p.EL});
      d.Set("ET", std::int64_t{p.ET});
      d.Set("ER", std::int64_t{p.ER});
      d.Set("EB", std::int64_t{p.EB});
      if (!p.PD.empty()) d.Set("PD", p.PD);  // a 0 byte keeps the ordinary kind "D"
      d.Set("SetZ", std::int64_t{p.SetZ});
      d.Set("Zakaz", p.Zakaz);
      d.Set("NoteG", p.NoteG);
      d.Set("Dist1", p.Dist1);
      d.Post();
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
  const Table& m = t_.rxM;
  for (int i = 0; i < m.Count(); ++i) {
    SheetRecord s;
    s.X = ForFile(FloatOf(m.GetAt(i, "X")));
    s.Y = ForFile(FloatOf(m.GetAt(i, "Y")));
    s.Q = Int32Of(m.GetAt(i, "Q"));
    s.Num = Int32Of(m.GetAt(i, "Num"));
    s.PT = Int32Of(m.GetAt(i, "PT"));
    s.PRT = Int32Of(m.GetAt(i, "PRT"));
    s.Name = TextOf(m.GetAt(i, "Name"));
    s.Note = TextOf(m.GetAt(i, "Note"));
    s.TL = ForFile(FloatOf(m.GetAt(i, "TL")));
    s.TT = ForFile(FloatOf(m.GetAt(i, "TT")));
    s.TR = ForFile(FloatOf(m.GetAt(i, "TR")));
    s.TB = ForFile(FloatOf(m.GetAt(i, "TB")));
    add(EncodeSheetRecord(s));
  }
  const Table& d = t_.rxD;
  for (int i = 0; i < d.Count(); ++i) {
    PartRecord p;
    p.PD = TextOf(d.GetAt(i, "PD"));
    p.X = ForFile(FloatOf(d.GetAt(i, "X")));
    p.Y = ForFile(FloatOf(d.GetAt(i, "Y")));
    p.Q = Int32Of(d.GetAt(i, "Q"));
    p.Num = Int32Of(d.GetAt(i, "Num"));
    p.Rotation = Int32Of(d.GetAt(i, "Rotation"));
    p.Fold = Int32Of(d.GetAt(i, "Fold"));
    p.EL = BoolOf(d.GetAt(i, "EL"));
    p.ET = BoolOf(d.GetAt(i, "ET"));
    p.ER = BoolOf(d.GetAt(i, "ER"));
    p.EB = BoolOf(d.GetAt(i, "EB"));
    p.Name = TextOf(d.GetAt(i, "Name"));
    p.Note = TextOf(d.GetAt(i, "Note"));
    p.NameE = TextOf(d.GetAt(i, "NameE"));
    p.NF = TextOf(d.GetAt(i, "NF"));
    p.SetZ = BoolOf(d.GetAt(i, "SetZ"));
    p.Zakaz = TextOf(d.GetAt(i, "Zakaz"));
    p.NoteG = TextOf(d.GetAt(i, "NoteG"));
    p.Dist1 = TextOf(d.GetAt(i, "Dist1"));
    p.NameEL = TextOf(d.GetAt(i, "NameEL"));
    p.NameET = TextOf(d.GetAt(i, "NameET"));
    p.NameER = TextOf(d.GetAt(i, "NameER"));
    p.NameEB = TextOf(d.GetAt(i, "NameEB"));
    add(EncodePartRecord(p));
  }
  return WriteFileAtomic(Path(kJobFileName), all);
}

}  // namespace kelvara
