#include "model/job_rows.h"

#include <cmath>

#include "core/number_text.h"
#include "core/rounding.h"
#include "model/data_file_values.h"

namespace kelvara {
namespace {

using data_values::BoolOf;
using data_values::FloatOf;
using data_values::Int32Of;
using data_values::TextOf;

class RowReader {
 public:
  RowReader(const Table& t, int pos, int decimals) : t_(t), pos_(pos), decimals_(decimals) {}
  float Size(const char* f) const {
    const double v = FloatOf(t_.GetAt(pos_, f));
    return std::isfinite(v) ? static_cast<float>(RoundTo(v, decimals_)) : 0.0f;
  }
  std::int32_t Int(const char* f) const { return Int32Of(t_.GetAt(pos_, f)); }
  bool Bool(const char* f) const { return BoolOf(t_.GetAt(pos_, f)); }
  std::string Text(const char* f) const { return TextOf(t_.GetAt(pos_, f)); }

 private:
  const Table& t_;
  int pos_;
  int decimals_;
};

double Rounded(float v, int decimals) { return std::isfinite(v) ? RoundTo(v, decimals) : 0.0; }

std::string BandOrNone(const std::string& name) { return Trim(name).empty() ? std::string("-") : name; }

}  // namespace

SheetRecord SheetRecordOfRow(const Table& t, int pos, int decimals) {
  const RowReader r(t, pos, decimals);
  SheetRecord s;
  s.X = r.Size("X");
  s.Y = r.Size("Y");
  s.TL = r.Size("TL");
  s.TT = r.Size("TT");
  s.TR = r.Size("TR");
  s.TB = r.Size("TB");
  s.Q = r.Int("Q");
  s.PT = r.Int("PT");
  s.PRT = r.Int("PRT");
  s.Num = r.Int("Num");
  s.Name = r.Text("Name");
  s.Note = r.Text("Note");
  return s;
}

PartRecord PartRecordOfRow(const Table& t, int pos, int decimals) {
  const RowReader r(t, pos, decimals);
  PartRecord p;
  p.PD = r.Text("PD");
  p.X = r.Size("X");
  p.Y = r.Size("Y");
  p.Q = r.Int("Q");
  p.Num = r.Int("Num");
  p.Rotation = r.Int("Rotation");
  p.Fold = r.Int("Fold");
  p.EL = r.Bool("EL");
  p.ET = r.Bool("ET");
  p.ER = r.Bool("ER");
  p.EB = r.Bool("EB");
  p.Name = r.Text("Name");
  p.Note = r.Text("Note");
  p.NameE = r.Text("NameE");
  p.NF = r.Text("NF");
  p.SetZ = r.Bool("SetZ");
  p.Zakaz = r.Text("Zakaz");
  p.NoteG = r.Text("NoteG");
  p.Dist1 = r.Text("Dist1");
  p.NameEL = r.Text("NameEL");
  p.NameET = r.Text("NameET");
  p.NameER = r.Text("NameER");
  p.NameEB = r.Text("NameEB");
  return p;
}

void AppendSheetRow(JobTables& tables, const SheetRecord& s, int num) {
  const int decimals = tables.options.Decimals;
  Table& m = tables.rxM;
  m.Append();
  m.Set("X", Rounded(s.X, decimals));
  m.Set("Y", Rounded(s.Y, decimals));
  m.Set("TL", Rounded(s.TL, decimals));
  m.Set("TT", Rounded(s.TT, decimals));
  m.Set("TR", Rounded(s.TR, decimals));
  m.Set("TB", Rounded(s.TB, decimals));
  m.Set("PT", std::int64_t{s.PT});
  m.Set("Q", std::int64_t{s.Q});
  m.Set("Num", std::int64_t{num});
  m.Set("Name", s.Name);
  m.Set("PRT", std::int64_t{s.PRT});
  m.Set("Note", s.Note);
  m.Set("KW", tables.SawWidthOf(s.Name));
  m.Post();
}

void AppendPartRow(JobTables& tables, const PartRecord& p, int num) {
  const int decimals = tables.options.Decimals;
  Table& d = tables.rxD;
  d.Append();
  d.Set("X", Rounded(p.X, decimals));
  d.Set("Y", Rounded(p.Y, decimals));
  d.Set("Q", std::int64_t{p.Q});
  d.Set("Num", std::int64_t{num});
  d.Set("Name", p.Name);
  d.Set("Note", p.Note);
  d.Set("Rotation", std::int64_t{p.Rotation});
  if (!p.NameE.empty()) d.Set("NameE", p.NameE);
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
  d.Set("PD", p.PD);
  d.Set("SetZ", std::int64_t{p.SetZ});
  d.Set("Zakaz", p.Zakaz);
  d.Set("NoteG", p.NoteG);
  d.Set("Dist1", p.Dist1);
  d.Post();
}

}  // namespace kelvara
