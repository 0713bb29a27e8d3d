#pragma once
// The test's own writer of layout records (".sl3", documented offsets) and a sample result:
// material 4 active with two sheets (the second repeating the first), two parts, an offcut
// whose Id is 70000 and a three-record outline.
#include <cmath>
#include <string>
#include <vector>

#include "engine/layout_model.h"
#include "io_test_support.h"

namespace kelvara::test {

constexpr std::size_t kRec = 556;
constexpr int kMaterials = 6;

// ---- the test's own writer of layout records (documented offsets) ----

inline Rec Header(char kind, int m, int count, float saw = 0, const std::string& headline = "", std::size_t size = kRec) {
  Rec r(size);
  r.ch(101, kind).u8(38, m).i32(316, count);
  if (kind == '1') {
    r.f32(0, saw);
    for (std::size_t k = 0; k < 4 && k * 50 < headline.size(); ++k) r.str(102 + 51 * k, headline.substr(k * 50, 50));
  }
  return r;
}

inline Rec SheetRec(const List& s, int m, int index, std::size_t size = kRec) {
  Rec r(size);
  r.f32(0, s.X).f32(4, s.Y).f32(8, s.UseX).f32(12, s.UseY).u16(28, s.NC).u8(38, s.Num);
  r.f32(40, s.TL).f32(44, s.TT).f32(48, s.TR).f32(52, s.TB).u16(56, s.PlacedCount).u8(58, s.Used);
  r.i32(68, s.PRT).f32(76, s.Area).f32(80, s.OffcutArea).f32(84, s.FreeArea).f32(88, s.CutLength);
  r.i32(92, s.Copies).i32(96, s.CopyOf).u8(100, s.Transposed).ch(101, 'M').str(102, s.Note);
  r.i32(308, m).i32(312, index).u8(348, s.Pr);
  return r;
}

inline Rec PartRec(const Detail& d, int m, int index, std::size_t size = kRec) {
  Rec r(size);
  r.f32(0, d.X).f32(4, d.Y).i32(16, d.Serial).f32(20, d.PosX).f32(24, d.PosY).u16(28, d.NC).i32(32, d.Sheet);
  r.u8(36, d.Rotation).u8(37, d.Rotated).u8(38, d.Num).u8(58, d.Placed);
  r.u8(59, d.EL).u8(60, d.ET).u8(61, d.ER).u8(62, d.EB).u8(63, d.PD).i32(64, d.Spare68).i32(68, d.Fold);
  r.u8(72, d.SetZ).f32(76, d.Area).ch(101, 'D').str(102, d.Note).str(153, d.NameE).str(204, d.Zakaz);
  r.str(255, d.NoteG).i32(308, m).i32(312, index).str(320, d.Spare92).i32(344, d.Spare96);
  if (size == kRec) r.str(349, d.NameEL).str(400, d.NameET).str(451, d.NameER).str(502, d.NameEB);
  return r;
}

inline Rec OffcutRec(const RestM& o, std::size_t size = kRec) {
  Rec r(size);
  r.f32(0, o.PosX).f32(4, o.PosY).f32(8, o.W).f32(12, o.H).u16(28, static_cast<unsigned>(o.Id) & 0xFFFF);
  r.i32(32, o.Sheet).u8(38, o.Num).f32(76, o.Area).i32(92, o.Copies).ch(101, 'R').str(102, o.Name);
  return r;
}

inline Rec ShapeRec(const ShapeRecord& s, std::size_t size = kRec) {
  Rec r(size);
  r.f32(0, s.W).f32(4, s.H).f32(8, s.X1).f32(12, s.Y1).f32(20, s.Radius).f32(40, s.CX).f32(44, s.CY);
  r.f32(48, s.X2).f32(52, s.Y2).ch(63, s.Kind).i32(68, s.Id).ch(101, 'A');
  return r;
}

// ---- sample result: material 4 active with two sheets, two parts, an offcut and an outline ----

inline List SampleSheet(int k) {
  List s;
  s.X = 2800;
  s.Y = 2070;
  s.UseX = 2780;
  s.UseY = 2050;
  s.NC = static_cast<std::uint16_t>(3 + k);
  s.Num = 4;
  s.PRT = 9;
  s.TL = 10;
  s.TT = 5;
  s.TR = 10;
  s.TB = 15;
  s.PlacedCount = k == 0 ? 2 : 0;
  s.Used = 1;
  s.Note = k == 0 ? "board A" : "";
  s.Area = 5796000;
  s.OffcutArea = 1000.5f;
  s.FreeArea = 4000000.5f;
  s.CutLength = 12345.5f;
  s.Copies = k == 0 ? 2 : 0;
  s.CopyOf = k == 0 ? -1 : 0;
  s.Pr = 'L';
  return s;
}

inline Detail SamplePart(int k) {
  Detail d;
  d.X = 600.5f;
  d.Y = 400;
  d.Serial = 11 + k;
  d.Num = 4;
  d.PosX = 10 + 600.5f * k;
  d.PosY = 5;
  d.NC = 2;
  d.Sheet = k;  // part 1 lies on the repeating sheet, without a position of its own
  d.Rotation = 2;
  d.Rotated = 1;
  d.Placed = 1;
  d.Area = 240200;
  d.NameE = "band";
  d.EL = 1;
  d.ER = 1;
  d.NameEL = "ABS 2mm";
  d.NameET = "-";
  d.NameER = " pvc ";  // band names travel as they are
  d.NameEB = "-";
  d.PD = 'A';
  d.Spare68 = 77;
  d.Note = "door";
  d.NoteG = "AB";
  d.Fold = 123456;
  d.SetZ = 1;
  d.Zakaz = "Z-17";
  d.Spare92 = "spare of twenty ch";
  d.Spare96 = 5;
  return d;
}

inline RestM SampleOffcut() {
  RestM o;
  o.Area = 50000;
  o.PosX = 1210;
  o.PosY = 5;
  o.W = 250;
  o.H = 200;
  o.Copies = 2;
  o.Id = 70000;
  o.Sheet = 0;
  o.Num = 4;
  o.Name = "left";
  return o;
}

inline std::vector<ShapeRecord> SampleShapes() {
  ShapeRecord b;
  b.W = 600.5f;
  b.H = 400;
  b.Kind = 'b';
  b.Id = 123456;
  ShapeRecord line;
  line.X1 = 0;
  line.Y1 = 0;
  line.X2 = 600.5f;
  line.Y2 = 0;
  line.Kind = '1';
  line.Id = 123456;
  ShapeRecord arc;
  arc.X1 = 600.5f;
  arc.Y1 = 0;
  arc.X2 = 600.5f;
  arc.Y2 = 400;
  arc.CX = 600.5f;
  arc.CY = 200;
  arc.Radius = 200;
  arc.Kind = '2';
  arc.Id = 123456;
  return {b, line, arc};
}

inline LayoutSlot SampleSlot() {
  LayoutSlot slot;
  slot.Reset(kMaterials);
  slot.LayoutSheets[4] = {SampleSheet(0), SampleSheet(1)};
  slot.LayoutDetails[4] = {SamplePart(0), SamplePart(1)};
  slot.MaterialActive[4] = 1;
  slot.OffcutLists = {SampleOffcut()};
  slot.ShapeLists = SampleShapes();
  return slot;
}

// The file the sample slot gives, built with the test's own writer.
inline ByteVec SampleFile(float saw, const std::string& headline, std::size_t size = kRec) {
  ByteVec out;
  for (int m = 0; m < kMaterials; ++m) {
    const int n = m == 4 ? 2 : 0;
    Header('1', m, n, saw, size == kRec ? headline : "", size).AppendTo(out);
    for (int k = 0; k < n; ++k) SheetRec(SampleSheet(k), m, k, size).AppendTo(out);
  }
  for (int m = 0; m < kMaterials; ++m) {
    const int n = m == 4 ? 2 : 0;
    Header('2', m, n, 0, "", size).AppendTo(out);
    for (int k = 0; k < n; ++k) PartRec(SamplePart(k), m, k, size).AppendTo(out);
  }
  OffcutRec(SampleOffcut(), size).AppendTo(out);
  for (const auto& s : SampleShapes()) ShapeRec(s, size).AppendTo(out);
  return out;
}

}  // namespace kelvara::test
