#include "model/data_records.h"

#include <cmath>

#include "core/cp1251.h"

namespace kelvara {
namespace {

Bytes Take(const RecordWriter& w) { return w.bytes(); }

// Integer options kept as singles: written as the exact float of the integer.
void IntAsSingle(RecordWriter& w, std::size_t at, std::int32_t v) { w.F32(at, static_cast<float>(v)); }

void SingleAsInt(const RecordReader& r, std::size_t at, std::int32_t& v) {
  const float f = r.F32(at);
  if (std::isfinite(f) && std::fabs(f) < 2.0e9f) v = static_cast<std::int32_t>(std::lround(f));
}

void Single(const RecordReader& r, std::size_t at, float& v) {
  const float f = r.F32(at);
  if (std::isfinite(f)) v = f;
}

void PutByte(RecordWriter& w, std::size_t at, bool v) { w.U8(at, v ? 1 : 0); }

}  // namespace

Bytes EncodeOptionsRecord(const Options& o) {
  RecordWriter w(kOptionsRecordSize);
  w.Char(0, 'G');
  w.ShortString(1, 20, o.reserved.text);
  w.ShortString(22, 10, o.UnitsName);
  w.F32(36, o.CommonSawWidth);
  w.F32(40, o.IndentValue);
  w.U8(44, o.reserved.at44[0]);
  w.U8(45, o.reserved.at44[1]);
  w.U8(46, o.CalcLevel);
  w.U8(47, o.FirstCutDirection);
  w.I32(48, o.OptionsListWidth);
  w.I32(52, o.SheetsPanelWidth);
  w.U8(56, o.EdgeBandOn);
  for (int k = 0; k < 3; ++k) w.U8(57 + k, o.reserved.at57[k]);
  w.U8(60, o.Decimals);
  w.U8(61, o.CurrentMaterial);
  w.I32(64, o.StorehouseListWidth);
  w.I32(68, o.Language);
  w.I32(72, o.PartsLinearFactor);
  w.I32(76, o.PartsAreaFactor);
  w.I32(80, o.SheetsLinearFactor);
  w.I32(84, o.SheetsAreaFactor);
  w.I32(88, o.PartsLinearDecimals);
  w.I32(92, o.PartsAreaDecimals);
  w.I32(96, o.SheetsLinearDecimals);
  w.I32(100, o.SheetsAreaDecimals);
  w.F32(104, o.MinimalOffcut);
  IntAsSingle(w, 108, o.PrintStyle);
  IntAsSingle(w, 112, o.PageWidth);
  IntAsSingle(w, 116, o.PageHeight);
  IntAsSingle(w, 120, o.MarginLeft);
  IntAsSingle(w, 124, o.MarginTop);
  IntAsSingle(w, 128, o.MarginRight);
  IntAsSingle(w, 132, o.MarginBottom);
  w.F32(136, o.FrameThickness2);
  w.F32(140, o.FrameThickness3);
  w.ShortString(144, 50, o.PartsLinearUnit);
  w.ShortString(195, 50, o.PartsAreaUnit);
  w.ShortString(246, 50, o.SheetsLinearUnit);
  w.ShortString(297, 50, o.SheetsAreaUnit);
  w.ShortString(348, 50, o.CompanyName);
  w.ShortString(399, 50, o.PrintFontName);
  w.ShortString(450, 50, o.ProgramFolder);
  w.ShortString(501, 50, o.NormativeDocument);
  w.ShortString(552, 50, " ");
  w.ShortString(603, 50, " ");
  w.U8(654, o.GenerateG09);
  w.U8(655, o.GenerateM02);
  w.U8(656, o.PartsLocation);
  w.U8(657, o.reserved.at657);
  w.U8(658, 0);
  w.U8(659, o.reserved.at659);
  w.U8(660, o.OrderNoOn);
  w.U8(661, o.NameOffcuts);
  w.U8(662, o.reserved.at662[0]);
  w.U8(663, o.reserved.at662[1]);
  return Take(w);
}

void DecodeOptionsRecord(const RecordReader& r, Options& o) {
  o.reserved.text = r.ShortString(1, 20);
  o.UnitsName = r.ShortString(22, 10);
  Single(r, 36, o.CommonSawWidth);
  Single(r, 40, o.IndentValue);
  o.reserved.at44 = {r.U8(44), r.U8(45)};
  o.CalcLevel = r.U8(46);
  o.FirstCutDirection = r.U8(47);
  o.OptionsListWidth = r.I32(48);
  o.SheetsPanelWidth = r.I32(52);
  o.EdgeBandOn = r.U8(56);
  o.reserved.at57 = {r.U8(57), r.U8(58), r.U8(59)};
  o.Decimals = r.U8(60);
  o.CurrentMaterial = r.U8(61);
  o.StorehouseListWidth = r.I32(64);
  o.Language = r.I32(68);
  o.PartsLinearFactor = r.I32(72);
  o.PartsAreaFactor = r.I32(76);
  o.SheetsLinearFactor = r.I32(80);
  o.SheetsAreaFactor = r.I32(84);
  o.PartsLinearDecimals = r.I32(88);
  o.PartsAreaDecimals = r.I32(92);
  o.SheetsLinearDecimals = r.I32(96);
  o.SheetsAreaDecimals = r.I32(100);
  Single(r, 104, o.MinimalOffcut);
  SingleAsInt(r, 108, o.PrintStyle);
  SingleAsInt(r, 112, o.PageWidth);
  SingleAsInt(r, 116, o.PageHeight);
  SingleAsInt(r, 120, o.MarginLeft);
  SingleAsInt(r, 124, o.MarginTop);
  SingleAsInt(r, 128, o.MarginRight);
  SingleAsInt(r, 132, o.MarginBottom);
  Single(r, 136, o.FrameThickness2);
  Single(r, 140, o.FrameThickness3);
  o.PartsLinearUnit = r.ShortString(144, 50);
  o.PartsAreaUnit = r.ShortString(195, 50);
  o.SheetsLinearUnit = r.ShortString(246, 50);
  o.SheetsAreaUnit = r.ShortString(297, 50);
  o.CompanyName = r.ShortString(348, 50);
  o.PrintFontName = r.ShortString(399, 50);
  o.ProgramFolder = r.ShortString(450, 50);
  o.NormativeDocument = r.ShortString(501, 50);
  o.GenerateG09 = r.U8(654);
  o.GenerateM02 = r.U8(655);
  o.PartsLocation = r.U8(656);
  o.reserved.at657 = r.U8(657);
  o.reserved.at659 = r.U8(659);
  o.OrderNoOn = r.U8(660);
  o.NameOffcuts = r.U8(661);
  o.reserved.at662 = {r.U8(662), r.U8(663)};
}

Bytes EncodeBandRecord(std::string_view name) {
  RecordWriter w(kOptionsRecordSize);
  w.Char(0, 'T');
  w.ShortString(1, kBandNameCapacity, name);
  return Take(w);
}

std::string DecodeBandRecord(const RecordReader& r) { return r.ShortString(1, kBandNameCapacity); }

Bytes EncodeSawWidthRecord(const SawWidthRecord& s) {
  RecordWriter w(kSawWidthRecordSize);
  w.F32(0, s.KW);
  w.ShortString(4, 50, s.Mat);
  return Take(w);
}

SawWidthRecord DecodeSawWidthRecord(const RecordReader& r) { return {r.F32(0), r.ShortString(4, 50)}; }

Bytes EncodeSheetRecord(const SheetRecord& s) {
  RecordWriter w(kJobRecordSize);
  w.Char(0, kSheetKind);
  w.F32(4, s.X);
  w.F32(8, s.Y);
  w.I32(12, s.Q);
  w.I32(16, s.Num);
  w.ShortString(32, 50, s.Name);
  w.ShortString(83, 50, s.Note);
  w.I32(240, s.PT);
  w.I32(244, s.PRT);
  w.F32(280, s.TL);
  w.F32(284, s.TT);
  w.F32(288, s.TR);
  w.F32(292, s.TB);
  return Take(w);
}

SheetRecord DecodeSheetRecord(const RecordReader& r) {
  SheetRecord s;
  s.X = r.F32(4);
  s.Y = r.F32(8);
  s.Q = r.I32(12);
  s.Num = r.I32(16);
  s.Name = r.ShortString(32, 50);
  s.Note = r.ShortString(83, 50);
  s.PT = r.I32(240);
  s.PRT = r.I32(244);
  s.TL = r.F32(280);
  s.TT = r.F32(284);
  s.TR = r.F32(288);
  s.TB = r.F32(292);
  return s;
}

Bytes EncodePartRecord(const PartRecord& p) {
  RecordWriter w(kJobRecordSize);
  w.Char(0, kPartKind);
  const std::string pd = Utf8ToCp1251(p.PD);
  if (!pd.empty()) w.Char(1, pd[0]);
  w.F32(4, p.X);
  w.F32(8, p.Y);
  w.I32(12, p.Q);
  w.I32(16, p.Num);
  w.I32(20, p.Rotation);
  w.I32(24, p.Fold);
  PutByte(w, 28, p.EL);
  PutByte(w, 29, p.ET);
  PutByte(w, 30, p.ER);
  PutByte(w, 31, p.EB);
  w.ShortString(32, 50, p.Name);
  w.ShortString(83, 50, p.Note);
  w.ShortString(134, 50, p.NameE);
  w.ShortString(185, 50, p.NF);
  PutByte(w, 236, p.SetZ);
  w.ShortString(320, 50, p.Zakaz);
  w.ShortString(422, 50, p.NoteG);
  w.ShortString(473, 50, p.Dist1);
  w.ShortString(626, 50, p.NameEL);
  w.ShortString(677, 50, p.NameET);
  w.ShortString(728, 50, p.NameER);
  w.ShortString(779, 50, p.NameEB);
  return Take(w);
}

PartRecord DecodePartRecord(const RecordReader& r) {
  PartRecord p;
  const char pd = r.Char(1);
  if (pd != 0) p.PD = Cp1251ToUtf8(std::string(1, pd));
  p.X = r.F32(4);
  p.Y = r.F32(8);
  p.Q = r.I32(12);
  p.Num = r.I32(16);
  p.Rotation = r.I32(20);
  p.Fold = r.I32(24);
  p.EL = r.U8(28) != 0;
  p.ET = r.U8(29) != 0;
  p.ER = r.U8(30) != 0;
  p.EB = r.U8(31) != 0;
  p.Name = r.ShortString(32, 50);
  p.Note = r.ShortString(83, 50);
  p.NameE = r.ShortString(134, 50);
  p.NF = r.ShortString(185, 50);
  p.SetZ = r.U8(236) != 0;
  p.Zakaz = r.ShortString(320, 50);
  p.NoteG = r.ShortString(422, 50);
  p.Dist1 = r.ShortString(473, 50);
  p.NameEL = r.ShortString(626, 50);
  p.NameET = r.ShortString(677, 50);
  p.NameER = r.ShortString(728, 50);
  p.NameEB = r.ShortString(779, 50);
  return p;
}

Bytes EncodeStoreRecord(const StoreRecord& s) {
  RecordWriter w(kStoreRecordSize);
  w.F32(0, s.X);
  w.F32(4, s.Y);
  w.I32(8, s.Q);
  w.I32(12, s.QM);
  w.I32(16, s.Num);
  w.ShortString(20, 50, s.Material);
  w.ShortString(71, 50, s.N);
  return Take(w);
}

StoreRecord DecodeStoreRecord(const RecordReader& r) {
  StoreRecord s;
  s.X = r.F32(0);
  s.Y = r.F32(4);
  s.Q = r.I32(8);
  s.QM = r.I32(12);
  s.Num = r.I32(16);
  s.Material = r.ShortString(20, 50);
  s.N = r.ShortString(71, 50);
  return s;
}

namespace {

float NumberOrMinusOne(float v) { return std::isnan(v) ? -1.0f : v; }

}  // namespace

Bytes EncodeShapeRecord(const ShapeRecord& s) {
  RecordWriter w(kShapeRecordSize);
  const float values[9] = {s.W, s.H, s.X1, s.Y1, s.X2, s.Y2, s.CX, s.CY, s.Radius};
  for (int k = 0; k < 9; ++k) w.F32(4 * k, NumberOrMinusOne(values[k]));
  w.Char(36, s.Kind);
  w.I32(40, s.Id);
  return Take(w);
}

ShapeRecord DecodeShapeRecord(const RecordReader& r) {
  ShapeRecord s;
  float* values[9] = {&s.W, &s.H, &s.X1, &s.Y1, &s.X2, &s.Y2, &s.CX, &s.CY, &s.Radius};
  for (int k = 0; k < 9; ++k) *values[k] = NumberOrMinusOne(r.F32(4 * k));
  s.Kind = r.Char(36);
  s.Id = r.I32(40);
  return s;
}

std::vector<std::string> SplitTextLines(const Bytes& bytes) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t k = 0;
  while (k < bytes.size()) {
    const char c = static_cast<char>(bytes[k++]);
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(Cp1251ToUtf8(line));
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) {
    if (line.back() == '\r') line.pop_back();
    lines.push_back(Cp1251ToUtf8(line));
  }
  return lines;
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) {
    std::string b = Utf8ToCp1251(l);
    for (char& c : b)
      if (c == '\r' || c == '\n') c = ' ';
    out += b;
    out += "\r\n";
  }
  return out;
}

}  // namespace kelvara
