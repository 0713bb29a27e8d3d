// Saved layouts (".sl3" + ".kw3"): every record kind written and read field by field against a
// writer and a reader of the test's own, the earlier 352-byte records, the saw widths, the
// failure cases and the history slot rules.
#include "io/layout_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "io_test_support.h"
#include "layout_fixture.h"
#include "io/file_messages.h"
#include "io/layout_history.h"

namespace kelvara {
namespace {

using test::ByteVec;
using test::Rec;
using test::View;
using namespace test;  // the layout writer and the sample result

void ExpectSheetEq(const List& a, const List& b) {
  EXPECT_EQ(a.X, b.X);
  EXPECT_EQ(a.Y, b.Y);
  EXPECT_EQ(a.UseX, b.UseX);
  EXPECT_EQ(a.UseY, b.UseY);
  EXPECT_EQ(a.NC, b.NC);
  EXPECT_EQ(a.Num, b.Num);
  EXPECT_EQ(a.PRT, b.PRT);
  EXPECT_EQ(a.TL, b.TL);
  EXPECT_EQ(a.TT, b.TT);
  EXPECT_EQ(a.TR, b.TR);
  EXPECT_EQ(a.TB, b.TB);
  EXPECT_EQ(a.PlacedCount, b.PlacedCount);
  EXPECT_EQ(a.Used, b.Used);
  EXPECT_EQ(a.Note, b.Note);
  EXPECT_EQ(a.Area, b.Area);
  EXPECT_EQ(a.OffcutArea, b.OffcutArea);
  EXPECT_EQ(a.FreeArea, b.FreeArea);
  EXPECT_EQ(a.CutLength, b.CutLength);
  EXPECT_EQ(a.Copies, b.Copies);
  EXPECT_EQ(a.CopyOf, b.CopyOf);
  EXPECT_EQ(a.Pr, b.Pr);
  EXPECT_EQ(a.Transposed, b.Transposed);
  EXPECT_TRUE(a.Cuts.empty());
}

void ExpectPartEq(const Detail& a, const Detail& b, bool withBands = true) {
  EXPECT_EQ(a.X, b.X);
  EXPECT_EQ(a.Y, b.Y);
  EXPECT_EQ(a.Serial, b.Serial);
  EXPECT_EQ(a.Num, b.Num);
  EXPECT_EQ(a.PosX, b.PosX);
  EXPECT_EQ(a.PosY, b.PosY);
  EXPECT_EQ(a.NC, b.NC);
  EXPECT_EQ(a.Sheet, b.Sheet);
  EXPECT_EQ(a.Rotation, b.Rotation);
  EXPECT_EQ(a.Rotated, b.Rotated);
  EXPECT_EQ(a.Placed, b.Placed);
  EXPECT_EQ(a.Area, b.Area);
  EXPECT_EQ(a.NameE, b.NameE);
  EXPECT_EQ(a.EL, b.EL);
  EXPECT_EQ(a.ET, b.ET);
  EXPECT_EQ(a.ER, b.ER);
  EXPECT_EQ(a.EB, b.EB);
  if (withBands) {
    EXPECT_EQ(a.NameEL, b.NameEL);
    EXPECT_EQ(a.NameET, b.NameET);
    EXPECT_EQ(a.NameER, b.NameER);
    EXPECT_EQ(a.NameEB, b.NameEB);
  }
  EXPECT_EQ(a.PD, b.PD);
  EXPECT_EQ(a.Spare68, b.Spare68);
  EXPECT_EQ(a.Note, b.Note);
  EXPECT_EQ(a.NoteG, b.NoteG);
  EXPECT_EQ(a.Fold, b.Fold);
  EXPECT_EQ(a.SetZ, b.SetZ);
  EXPECT_EQ(a.Zakaz, b.Zakaz);
  EXPECT_EQ(a.Spare92, b.Spare92);
  EXPECT_EQ(a.Spare96, b.Spare96);
}

void ExpectShapeEq(const ShapeRecord& a, const ShapeRecord& b) {
  EXPECT_EQ(a.W, b.W);
  EXPECT_EQ(a.H, b.H);
  EXPECT_EQ(a.X1, b.X1);
  EXPECT_EQ(a.Y1, b.Y1);
  EXPECT_EQ(a.X2, b.X2);
  EXPECT_EQ(a.Y2, b.Y2);
  EXPECT_EQ(a.CX, b.CX);
  EXPECT_EQ(a.CY, b.CY);
  EXPECT_EQ(a.Radius, b.Radius);
  EXPECT_EQ(a.Kind, b.Kind);
  EXPECT_EQ(a.Id, b.Id);
}

// ---- writing ----

TEST(LayoutFileWrite, EveryRecordKindAtItsDocumentedOffsets) {
  const LayoutSlot slot = SampleSlot();
  const Bytes bytes = EncodeLayout(slot, kMaterials, 4.0f, "  Order 17 for the kitchen  ");
  // 6 material headers + 2 sheets, 6 parts headers + 2 parts, 1 offcut, 3 shapes.
  ASSERT_EQ(bytes.size(), (6 + 2 + 6 + 2 + 1 + 3) * kRec);
  std::vector<View> r;
  for (std::size_t i = 0; i < bytes.size() / kRec; ++i) r.emplace_back(bytes, i * kRec, kRec);

  std::string got;
  for (const View& v : r) got += v.ch(101);
  EXPECT_EQ(got, "1111" "1MM1" "2222" "2DD2" "RAAA");
  for (int m = 0; m < kMaterials; ++m) {
    const View& h = r[m <= 4 ? m : 7];
    EXPECT_EQ(h.u8(38), static_cast<unsigned>(m));
    EXPECT_EQ(h.i32(316), m == 4 ? 2 : 0);
    EXPECT_EQ(h.f32(0), 4.0f);
    EXPECT_EQ(h.str(102), "Order 17 for the kitchen");
    EXPECT_EQ(h.str(153), "");
  }
  EXPECT_EQ(r[8].u8(38), 0u);   // first parts header
  EXPECT_EQ(r[12].u8(38), 4u);  // parts header of material 4
  EXPECT_EQ(r[12].i32(316), 2);

  const View& s = r[5];
  const List e = SampleSheet(0);
  EXPECT_EQ(s.f32(0), e.X);
  EXPECT_EQ(s.f32(4), e.Y);
  EXPECT_EQ(s.f32(8), e.UseX);
  EXPECT_EQ(s.f32(12), e.UseY);
  EXPECT_EQ(s.u16(28), e.NC);
  EXPECT_EQ(s.u8(38), 4u);
  EXPECT_EQ(s.f32(40), e.TL);
  EXPECT_EQ(s.f32(44), e.TT);
  EXPECT_EQ(s.f32(48), e.TR);
  EXPECT_EQ(s.f32(52), e.TB);
  EXPECT_EQ(s.u16(56), e.PlacedCount);
  EXPECT_EQ(s.u8(58), 1u);
  EXPECT_EQ(s.i32(68), 9);
  EXPECT_EQ(s.f32(76), e.Area);
  EXPECT_EQ(s.f32(80), e.OffcutArea);
  EXPECT_EQ(s.f32(84), e.FreeArea);
  EXPECT_EQ(s.f32(88), e.CutLength);
  EXPECT_EQ(s.i32(92), 2);
  EXPECT_EQ(s.i32(96), -1);
  EXPECT_EQ(s.u8(100), 0u);
  EXPECT_EQ(s.str(102), "board A");
  EXPECT_EQ(s.i32(308), 4);
  EXPECT_EQ(s.i32(312), 0);
  EXPECT_EQ(s.u8(348), static_cast<unsigned>('L'));
  EXPECT_EQ(r[6].i32(312), 1);
  EXPECT_EQ(r[6].i32(96), 0);

  const View& d = r[13];
  const Detail p = SamplePart(0);
  EXPECT_EQ(d.f32(0), p.X);
  EXPECT_EQ(d.f32(4), p.Y);
  EXPECT_EQ(d.i32(16), 11);
  EXPECT_EQ(d.f32(20), p.PosX);
  EXPECT_EQ(d.f32(24), p.PosY);
  EXPECT_EQ(d.u16(28), 2u);
  EXPECT_EQ(d.i32(32), 0);
  EXPECT_EQ(d.u8(36), 2u);
  EXPECT_EQ(d.u8(37), 1u);
  EXPECT_EQ(d.u8(38), 4u);
  EXPECT_EQ(d.u8(58), 1u);
  EXPECT_EQ(d.u8(59), 1u);
  EXPECT_EQ(d.u8(60), 0u);
  EXPECT_EQ(d.u8(61), 1u);
  EXPECT_EQ(d.u8(62), 0u);
  EXPECT_EQ(d.ch(63), 'A');
  EXPECT_EQ(d.i32(64), 77);
  EXPECT_EQ(d.i32(68), 123456);
  EXPECT_EQ(d.u8(72), 1u);
  EXPECT_EQ(d.f32(76), p.Area);
  EXPECT_EQ(d.str(102), "door");
  EXPECT_EQ(d.str(153), "band");
  EXPECT_EQ(d.str(204), "Z-17");
  EXPECT_EQ(d.str(255), "AB");
  EXPECT_EQ(d.i32(308), 4);
  EXPECT_EQ(d.i32(312), 0);
  EXPECT_EQ(d.str(320), "spare of twenty ch");
  EXPECT_EQ(d.i32(344), 5);
  EXPECT_EQ(d.str(349), "ABS 2mm");
  EXPECT_EQ(d.str(400), "-");
  EXPECT_EQ(d.str(451), " pvc ");
  EXPECT_EQ(d.str(502), "-");

  const View& o = r[16];
  EXPECT_EQ(o.f32(0), 1210.0f);
  EXPECT_EQ(o.f32(4), 5.0f);
  EXPECT_EQ(o.f32(8), 250.0f);
  EXPECT_EQ(o.f32(12), 200.0f);
  EXPECT_EQ(o.u16(28), 4464u);  // 70000 modulo 65536
  EXPECT_EQ(o.i32(32), 0);
  EXPECT_EQ(o.u8(38), 4u);
  EXPECT_EQ(o.f32(76), 50000.0f);
  EXPECT_EQ(o.i32(92), 2);
  EXPECT_EQ(o.str(102), "left");

  const View& a = r[19];  // the arc
  EXPECT_EQ(a.f32(0), -1.0f);
  EXPECT_EQ(a.f32(4), -1.0f);
  EXPECT_EQ(a.f32(8), 600.5f);
  EXPECT_EQ(a.f32(12), 0.0f);
  EXPECT_EQ(a.f32(20), 200.0f);
  EXPECT_EQ(a.f32(40), 600.5f);
  EXPECT_EQ(a.f32(44), 200.0f);
  EXPECT_EQ(a.f32(48), 600.5f);
  EXPECT_EQ(a.f32(52), 400.0f);
  EXPECT_EQ(a.ch(63), '2');
  EXPECT_EQ(a.i32(68), 123456);
  EXPECT_EQ(r[17].f32(0), 600.5f);  // header W
  EXPECT_EQ(r[17].f32(4), 400.0f);
}

TEST(LayoutFileWrite, TextsAreTrimmedAndCutBandNamesKeptAsTheyAre) {
  LayoutSlot slot;
  slot.Reset(1);
  List s;
  s.Note = "   " + std::string(60, 'n') + "  ";
  slot.LayoutSheets[0] = {s};
  Detail d;
  d.Note = "  note  ";
  d.Spare92 = "  " + std::string(30, 's');
  d.NameEL = "  edge  ";
  slot.LayoutDetails[0] = {d};
  RestM o;
  o.Name = "  piece  ";
  slot.OffcutLists = {o};
  ShapeRecord nan;
  nan.W = std::nanf("");
  nan.Radius = std::nanf("");
  slot.ShapeLists = {nan};
  const Bytes b = EncodeLayout(slot, 1, 0, "");
  ASSERT_EQ(b.size(), 6 * kRec);
  EXPECT_EQ(View(b, 1 * kRec, kRec).str(102), std::string(50, 'n'));
  EXPECT_EQ(View(b, 3 * kRec, kRec).str(102), "note");
  EXPECT_EQ(View(b, 3 * kRec, kRec).str(320), std::string(20, 's'));
  EXPECT_EQ(View(b, 3 * kRec, kRec).str(349), "  edge  ");
  EXPECT_EQ(View(b, 4 * kRec, kRec).str(102), "piece");
  EXPECT_EQ(View(b, 5 * kRec, kRec).f32(0), -1.0f);
  EXPECT_EQ(View(b, 5 * kRec, kRec).f32(20), -1.0f);
}

TEST(LayoutFileWrite, OnlyMaterialFourActiveStillWritesEveryHeader) {
  const Bytes b = EncodeLayout(SampleSlot(), kMaterials, 0, "");
  int ones = 0, twos = 0;
  for (std::size_t i = 0; i < b.size() / kRec; ++i) {
    const char k = View(b, i * kRec, kRec).ch(101);
    ones += k == '1';
    twos += k == '2';
  }
  EXPECT_EQ(ones, kMaterials);
  EXPECT_EQ(twos, kMaterials);
}

TEST(LayoutFileWrite, HeadlineOf120CharactersSplits50_50_20AndComesBack) {
  std::string headline;
  for (int i = 0; i < 120; ++i) headline += static_cast<char>('a' + i % 26);
  const auto pieces = SplitHeadline("   " + headline + "  ");
  EXPECT_EQ(pieces[0], headline.substr(0, 50));
  EXPECT_EQ(pieces[1], headline.substr(50, 50));
  EXPECT_EQ(pieces[2], headline.substr(100, 20));
  EXPECT_EQ(pieces[3], "");
  const Bytes b = EncodeLayout(SampleSlot(), kMaterials, 0, "   " + headline + "  ");
  EXPECT_EQ(View(b, 0, kRec).str(204), headline.substr(100));
  LayoutFileData data;
  ASSERT_EQ(DecodeLayout(b, kMaterials, data), LayoutReadStatus::Ok);
  EXPECT_TRUE(data.hasHeadline);
  EXPECT_EQ(data.headline, headline);
}

TEST(LayoutFileWrite, HeadlineCountsCharactersNotBytes) {
  // 60 Cyrillic letters: two bytes each in memory, one in the file.
  std::string headline;
  for (int i = 0; i < 60; ++i) headline += "\xD0\x96";  // U+0416
  const auto pieces = SplitHeadline(headline);
  EXPECT_EQ(pieces[0].size(), 100u);
  EXPECT_EQ(pieces[1].size(), 20u);
  const Bytes b = EncodeLayout(SampleSlot(), kMaterials, 0, headline);
  EXPECT_EQ(View(b, 0, kRec).u8(102), 50u);
  EXPECT_EQ(View(b, 0, kRec).u8(103), 0xC6u);  // the letter in code page 1251
}

// ---- reading ----

TEST(LayoutFileRead, EveryRecordKindFromAnotherWriter) {
  const ByteVec file = SampleFile(4.0f, "Kitchen order");
  LayoutFileData data;
  ASSERT_EQ(DecodeLayout(Bytes(file.begin(), file.end()), kMaterials, data), LayoutReadStatus::Ok);
  EXPECT_EQ(data.recordSize, kRec);
  EXPECT_EQ(data.RecordedSawWidth, 4.0f);
  EXPECT_EQ(data.headline, "Kitchen order");
  ASSERT_EQ(data.slot.MaterialCount(), kMaterials);
  for (int m = 0; m < kMaterials; ++m) {
    EXPECT_EQ(data.slot.MaterialActive[m], m == 4) << m;
    EXPECT_EQ(data.SheetCounts[m], m == 4 ? 2 : 0);
    EXPECT_EQ(data.DetailCounts[m], m == 4 ? 2 : 0);
  }
  ASSERT_EQ(data.slot.LayoutSheets[4].size(), 2u);
  for (int k = 0; k < 2; ++k) {
    ExpectSheetEq(data.slot.LayoutSheets[4][k], SampleSheet(k));
    EXPECT_EQ(data.slot.LayoutSheets[4][k].Serial, k);  // running numbers, not stored
  }
  ASSERT_EQ(data.slot.LayoutDetails[4].size(), 2u);
  Detail expect = SamplePart(0);
  ExpectPartEq(data.slot.LayoutDetails[4][0], expect);
  ASSERT_EQ(data.slot.OffcutLists.size(), 1u);
  const RestM& o = data.slot.OffcutLists[0];
  EXPECT_EQ(o.Id, 4464);  // the 16 bits that were stored of 70000
  EXPECT_EQ(o.PosX, 1210.0f);
  EXPECT_EQ(o.PosY, 5.0f);
  EXPECT_EQ(o.W, 250.0f);
  EXPECT_EQ(o.H, 200.0f);
  EXPECT_EQ(o.Sheet, 0);
  EXPECT_EQ(o.Num, 4);
  EXPECT_EQ(o.Area, 50000.0f);
  EXPECT_EQ(o.Copies, 2);
  EXPECT_EQ(o.Name, "left");
  ASSERT_EQ(data.slot.ShapeLists.size(), 3u);
  for (int k = 0; k < 3; ++k) ExpectShapeEq(data.slot.ShapeLists[k], SampleShapes()[k]);
}

TEST(LayoutFileRead, TrimsTextsAndGivesBlankBandNamesADash) {
  ByteVec file;
  Header('1', 0, 1).AppendTo(file);
  List s;
  s.X = s.Y = 100;
  SheetRec(s, 0, 0).str(102, "  spaced  ").AppendTo(file);
  Header('2', 0, 1).AppendTo(file);
  Detail d;
  PartRec(d, 0, 0)
      .str(102, " n ")
      .str(153, " e ")
      .str(204, " z ")
      .str(255, " g ")
      .str(320, " s ")
      .str(349, "   ")
      .str(400, "")
      .str(451, " x ")
      .AppendTo(file);
  OffcutRec(RestM{}).str(102, "  rest  ").AppendTo(file);
  LayoutFileData data;
  ASSERT_EQ(DecodeLayout(Bytes(file.begin(), file.end()), 1, data), LayoutReadStatus::Ok);
  EXPECT_EQ(data.slot.LayoutSheets[0][0].Note, "spaced");
  const Detail& p = data.slot.LayoutDetails[0][0];
  EXPECT_EQ(p.Note, "n");
  EXPECT_EQ(p.NameE, "e");
  EXPECT_EQ(p.Zakaz, "z");
  EXPECT_EQ(p.NoteG, "g");
  EXPECT_EQ(p.Spare92, "s");
  EXPECT_EQ(p.NameEL, "-");
  EXPECT_EQ(p.NameET, "-");
  EXPECT_EQ(p.NameER, " x ");
  EXPECT_EQ(p.NameEB, "-");
  EXPECT_EQ(data.slot.OffcutLists[0].Name, "rest");
}

TEST(LayoutFileRead, ShapeValuesThatAreNotNumbersReadAsMinusOne) {
  ByteVec file;
  Header('1', 0, 0).AppendTo(file);
  ShapeRecord s;
  s.X1 = std::nanf("");
  s.CY = std::nanf("");
  s.Kind = '1';
  ShapeRec(s).AppendTo(file);
  LayoutFileData data;
  ASSERT_EQ(DecodeLayout(Bytes(file.begin(), file.end()), 1, data), LayoutReadStatus::Ok);
  ASSERT_EQ(data.slot.ShapeLists.size(), 1u);
  EXPECT_EQ(data.slot.ShapeLists[0].X1, -1.0f);
  EXPECT_EQ(data.slot.ShapeLists[0].CY, -1.0f);
}

TEST(LayoutFileRead, EarlierFileOf352ByteRecords) {
  const ByteVec file = SampleFile(2.5f, "", 352);
  LayoutFileData data;
  ASSERT_EQ(DecodeLayout(Bytes(file.begin(), file.end()), kMaterials, data), LayoutReadStatus::Ok);
  EXPECT_EQ(data.recordSize, 352u);
  EXPECT_FALSE(data.hasHeadline);
  EXPECT_EQ(data.RecordedSawWidth, 2.5f);
  ASSERT_EQ(data.slot.LayoutSheets[4].size(), 2u);
  List sheet = SampleSheet(0);
  sheet.PRT = 0;  // not read from these files
  ExpectSheetEq(data.slot.LayoutSheets[4][0], sheet);
  ASSERT_EQ(data.slot.LayoutDetails[4].size(), 2u);
  ExpectPartEq(data.slot.LayoutDetails[4][0], SamplePart(0), false);
  const Detail& p = data.slot.LayoutDetails[4][0];
  EXPECT_EQ(p.NameEL, "-");
  EXPECT_EQ(p.NameET, "-");
  EXPECT_EQ(p.NameER, "-");
  EXPECT_EQ(p.NameEB, "-");
  ASSERT_EQ(data.slot.OffcutLists.size(), 1u);
  EXPECT_EQ(data.slot.OffcutLists[0].Id, 4464);
  ASSERT_EQ(data.slot.ShapeLists.size(), 3u);
  ExpectShapeEq(data.slot.ShapeLists[2], SampleShapes()[2]);
  EXPECT_TRUE(data.slot.MaterialActive[4]);
}

TEST(LayoutFileRead, LayoutChosenByTheLastWhole556ByteRecord) {
  // 352-byte records whose last whole 556-byte block ends inside a record: byte 101 of that
  // block is an ordinary data byte, so the file is read in 352-byte records.
  ByteVec file = SampleFile(0, "", 352);
  const std::size_t lastBlock = file.size() / kRec - 1;
  ASSERT_FALSE(IsLayoutRecordKind(static_cast<char>(file[lastBlock * kRec + 101])));
  LayoutFileData data;
  ASSERT_EQ(DecodeLayout(Bytes(file.begin(), file.end()), kMaterials, data), LayoutReadStatus::Ok);
  EXPECT_EQ(data.recordSize, 352u);

  // 100 bytes after the last whole 556-byte record are ignored.
  ByteVec longer = SampleFile(0, "x");
  longer.insert(longer.end(), 100, 0x4D);
  ASSERT_EQ(DecodeLayout(Bytes(longer.begin(), longer.end()), kMaterials, data), LayoutReadStatus::Ok);
  EXPECT_EQ(data.recordSize, kRec);
  EXPECT_EQ(data.slot.ShapeLists.size(), 3u);
}

TEST(LayoutFileRead, RecordOfAnotherKindIsSkipped) {
  ByteVec file = SampleFile(0, "");
  Rec other(kRec);
  other.ch(101, 'Q').u8(38, 200);
  ByteVec withOther;
  other.AppendTo(withOther);
  withOther.insert(withOther.end(), file.begin(), file.end());
  LayoutFileData data;
  ASSERT_EQ(DecodeLayout(Bytes(withOther.begin(), withOther.end()), kMaterials, data), LayoutReadStatus::Ok);
  EXPECT_EQ(data.slot.LayoutSheets[4].size(), 2u);
}

TEST(LayoutFileRead, RoundTripThroughTheProgramsOwnWriter) {
  const LayoutSlot slot = SampleSlot();
  const Bytes b = EncodeLayout(slot, kMaterials, 3.5f, "round trip");
  LayoutFileData data;
  ASSERT_EQ(DecodeLayout(b, kMaterials, data), LayoutReadStatus::Ok);
  for (int k = 0; k < 2; ++k) {
    ExpectSheetEq(data.slot.LayoutSheets[4][k], slot.LayoutSheets[4][k]);
    ExpectPartEq(data.slot.LayoutDetails[4][k], slot.LayoutDetails[4][k]);
  }
  EXPECT_EQ(data.RecordedSawWidth, 3.5f);
}

// Damaged files: each gives Destroyed, never a crash.
struct Damage {
  const char* name;
  ByteVec bytes;
};

std::vector<Damage> DamagedFiles() {
  std::vector<Damage> cases;
  auto one = [](std::initializer_list<Rec> recs) {
    ByteVec out;
    for (const Rec& r : recs) r.AppendTo(out);
    return out;
  };
  List sheet;
  sheet.X = sheet.Y = 100;
  Detail part;
  cases.push_back({"empty file", {}});
  cases.push_back({"shorter than any record", ByteVec(300, 0x31)});
  cases.push_back({"no header at all", one({OffcutRec(RestM{})})});
  cases.push_back({"header of a material beyond the list", one({Header('1', 0, 0), Header('1', kMaterials, 0)})});
  cases.push_back({"parts header beyond the list", one({Header('1', 0, 0), Header('2', 200, 0)})});
  cases.push_back({"sheet before its header", one({Header('1', 1, 0), SheetRec(sheet, 0, 0)})});
  cases.push_back({"sheet index past the count", one({Header('1', 0, 1), SheetRec(sheet, 0, 1)})});
  cases.push_back({"negative sheet index", one({Header('1', 0, 1), SheetRec(sheet, 0, -1)})});
  cases.push_back({"sheet material beyond the list", one({Header('1', 0, 1), SheetRec(sheet, 77, 0)})});
  cases.push_back({"negative count", one({Header('1', 0, -3)})});
  cases.push_back({"count far beyond the file", one({Header('1', 0, 2000000000)})});
  cases.push_back({"part index past the count", one({Header('1', 0, 1), SheetRec(sheet, 0, 0), Header('2', 0, 1),
                                                      PartRec(part, 0, 5)})});
  Detail onMissingSheet;
  onMissingSheet.Sheet = 3;
  cases.push_back({"part on a sheet that does not exist",
                   one({Header('1', 0, 1), SheetRec(sheet, 0, 0), Header('2', 0, 1), PartRec(onMissingSheet, 0, 0)})});
  List badCopy = sheet;
  badCopy.CopyOf = 9;
  cases.push_back({"sheet repeating a sheet that does not exist", one({Header('1', 0, 1), SheetRec(badCopy, 0, 0)})});
  List nanSheet = sheet;
  nanSheet.X = std::nanf("");
  cases.push_back({"sheet size not a number", one({Header('1', 0, 1), SheetRec(nanSheet, 0, 0)})});
  Detail infPart;
  infPart.PosX = INFINITY;
  cases.push_back({"part position not finite",
                   one({Header('1', 0, 1), SheetRec(sheet, 0, 0), Header('2', 0, 1), PartRec(infPart, 0, 0)})});
  RestM strayOffcut;
  strayOffcut.Sheet = 4;
  cases.push_back({"offcut on a sheet that does not exist", one({Header('1', 0, 1), SheetRec(sheet, 0, 0),
                                                                  OffcutRec(strayOffcut)})});
  RestM foreignOffcut;
  foreignOffcut.Num = 30;
  cases.push_back({"offcut of a material beyond the list", one({Header('1', 0, 1), OffcutRec(foreignOffcut)})});
  cases.push_back({"saw width not a number", one({Header('1', 0, 0, std::nanf(""))})});
  Detail badNum;
  Rec badNumRec = PartRec(badNum, 0, 0);
  badNumRec.u8(38, 99);
  cases.push_back({"part's own material beyond the list",
                   one({Header('1', 0, 1), SheetRec(sheet, 0, 0), Header('2', 0, 1), badNumRec})});
  return cases;
}

TEST(LayoutFileRead, DamagedFilesAreDestroyed) {
  for (const Damage& c : DamagedFiles()) {
    LayoutFileData data;
    std::string reason;
    EXPECT_EQ(DecodeLayout(Bytes(c.bytes.begin(), c.bytes.end()), kMaterials, data, &reason),
              LayoutReadStatus::Destroyed)
        << c.name;
    EXPECT_FALSE(reason.empty()) << c.name;
  }
}

TEST(LayoutFileRead, EveryTruncationOfAGoodFileIsReadOrRefusedWithoutACrash) {
  const ByteVec file = SampleFile(1, "cut");
  for (std::size_t n = 0; n < file.size(); n += 37) {
    LayoutFileData data;
    const auto status = DecodeLayout(Bytes(file.begin(), file.begin() + static_cast<long>(n)), kMaterials, data);
    EXPECT_NE(status, LayoutReadStatus::NotFound);
  }
}

TEST(LayoutFileRead, RandomBytesNeverCrash) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    ByteVec file = SampleFile(1, "noise");
    for (int k = 0; k < 40; ++k) file[rng() % file.size()] = static_cast<std::uint8_t>(rng());
    LayoutFileData data;
    if (DecodeLayout(Bytes(file.begin(), file.end()), kMaterials, data) == LayoutReadStatus::Ok) {
      for (int m = 0; m < kMaterials; ++m)
        for (const Detail& d : data.slot.LayoutDetails[m])
          EXPECT_LT(d.Sheet, static_cast<int>(data.slot.LayoutSheets[m].size()));
    }
  }
}

// ---- saw widths ----

TEST(LayoutSawWidths, FileNames) {
  EXPECT_EQ(LayoutFileName("job"), "job.sl3");
  EXPECT_EQ(LayoutFileName("job.sl3"), "job.sl3");
  EXPECT_EQ(LayoutFileName("job.SL3"), "job.SL3.sl3");  // the test is exact
  EXPECT_EQ(SawWidthFileName("job.SL3.sl3"), "job.SL3.kw3");
  EXPECT_EQ(SawWidthFileName("/a/b/job.sl3"), "/a/b/job.kw3");
}

TEST(LayoutSawWidths, OpenedWidthsKeepTheKerfTheLayoutWasCalculatedWith) {
  const std::vector<float> kw3 = {3.2f, 2.8f};
  // A common saw width recorded in the headers wins over the file (the earlier program wrote
  // the material table there even when the common width was used).
  EXPECT_EQ(OpenedSawWidths(4, kw3, 3), (std::vector<float>{4, 4, 4}));
  EXPECT_EQ(OpenedSawWidths(0.0004f, kw3, 3), (std::vector<float>{3.2f, 2.8f, 0.0004f}));
  EXPECT_EQ(OpenedSawWidths(0, kw3, 3), (std::vector<float>{3.2f, 2.8f, 0}));
  EXPECT_EQ(OpenedSawWidths(4, std::nullopt, 2), (std::vector<float>{4, 4}));
  EXPECT_EQ(OpenedSawWidths(0, std::nullopt, 2), (std::vector<float>{0, 0}));
  EXPECT_EQ(OpenedSawWidths(0, std::vector<float>{1, 2, 3, 4}, 2), (std::vector<float>{1, 2}));
}

TEST(LayoutSawWidths, SavedWidthsAreThoseTheCalculationUsed) {
  EXPECT_EQ(SavedSawWidths({4, 4}, {3.2f, 0, 1}), (std::vector<float>{4, 4, 1}));
  EXPECT_EQ(SavedSawWidths({}, {3.2f, 0}), (std::vector<float>{3.2f, 0}));
  const Bytes b = EncodeSawWidths({3.2f, 4});
  ASSERT_EQ(b.size(), 8u);
  EXPECT_EQ(View(b, 0, 8).f32(0), 3.2f);
  EXPECT_EQ(View(b, 0, 8).f32(4), 4.0f);
}

TEST(LayoutSawWidths, ReadingTheKw3File) {
  test::TempDir dir;
  EXPECT_FALSE(ReadSawWidths(dir / "none.kw3"));
  ByteVec b;
  Rec(4).f32(0, 3.2f).AppendTo(b);
  Rec(4).f32(0, 0).AppendTo(b);
  b.push_back(1);  // an incomplete single is ignored
  test::WriteBytes(dir / "a.kw3", b);
  ASSERT_TRUE(ReadSawWidths(dir / "a.kw3"));
  EXPECT_EQ(*ReadSawWidths(dir / "a.kw3"), (std::vector<float>{3.2f, 0}));
  ByteVec bad;
  Rec(4).f32(0, std::nanf("")).AppendTo(bad);
  test::WriteBytes(dir / "b.kw3", bad);
  EXPECT_FALSE(ReadSawWidths(dir / "b.kw3"));
}

// ---- the commands ----

class LayoutCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    model.MaterialCount = kMaterials;
    model.MaterialKW.assign(kMaterials, 0);
  }
  // Puts the sample result into slot `slot` and views it.
  void Fill(int slot) {
    model.Slot(slot) = SampleSlot();
    model.ViewSlot = slot;
  }
  test::TempDir dir;
  LayoutModel model;
  LayoutHistory history;
  MessageTable messages;
  test::RecordingUi ui;
  std::string headline;
};

TEST_F(LayoutCommands, SaveAppliesTheExtensionRuleAndReportsSaved) {
  Fill(0);
  const std::string written = SaveLayout(dir / "job.SL3", model, "head", {1, 2, 3, 4, 5, 6}, messages, ui);
  EXPECT_EQ(written, dir / "job.SL3.sl3");
  EXPECT_TRUE(std::filesystem::exists(dir / "job.SL3.sl3"));
  EXPECT_TRUE(std::filesystem::exists(dir / "job.SL3.kw3"));
  EXPECT_FALSE(std::filesystem::exists(dir / "job.SL3"));
  EXPECT_EQ(ui.last().text, "Layout \"" + written + "\" saved");
  EXPECT_EQ(ui.last().icon, kIconSuccess);
  EXPECT_EQ(ui.last().seconds, 20);
  EXPECT_TRUE(ui.asked.empty());
  EXPECT_EQ(test::ReadBytes(dir / "job.SL3.kw3").size(), 24u);
}

TEST_F(LayoutCommands, SavedIsInLowerCaseInEveryLanguage) {
  Fill(0);
  messages.SetLanguage(kRussian);
  const std::string path = SaveLayout(dir / "ru", model, "", {}, messages, ui);
  EXPECT_EQ(ui.last().text, messages.Msg(191) + " \"" + path + "\" \xD1\x81\xD0\xBE\xD1\x85\xD1\x80\xD0\xB0\xD0\xBD\xD0\xB5\xD0\xBD\xD0\xBE");
  EXPECT_EQ(Utf8Lower("SAVED \xC3\x89T\xC3\x89 \xC5\x81\xC3\x93" "D\xC5\xB9"), "saved \xC3\xA9t\xC3\xA9 \xC5\x82\xC3\xB3" "d\xC5\xBA");
}

TEST_F(LayoutCommands, SaveOverAnExistingFileAsksFirst) {
  Fill(0);
  test::WriteText(dir / "old.sl3", "keep");
  ui.answer = false;
  EXPECT_EQ(SaveLayout(dir / "old.sl3", model, "", {}, messages, ui), "");
  ASSERT_EQ(ui.asked.size(), 1u);
  EXPECT_EQ(ui.asked[0], "Such File Exists. To Rewrite");
  EXPECT_EQ(test::ReadBytes(dir / "old.sl3").size(), 4u);
  EXPECT_TRUE(ui.statuses.empty());
  ui.answer = true;
  EXPECT_EQ(SaveLayout(dir / "old", model, "", {}, messages, ui), dir / "old.sl3");
  EXPECT_EQ(test::ReadBytes(dir / "old.sl3").size() % kRec, 0u);
}

TEST_F(LayoutCommands, SaveIntoAMissingFolderEndsWithoutAMessage) {
  Fill(0);
  EXPECT_EQ(SaveLayout(dir / "no/such/folder/x.sl3", model, "", {}, messages, ui), "");
  EXPECT_TRUE(ui.statuses.empty());
}

TEST_F(LayoutCommands, SaveWritesTheSlotOnViewNotTheWriteSlot) {
  Fill(3);
  model.WriteSlot = 4;
  const std::string path = SaveLayout(dir / "v", model, "", {}, messages, ui);
  LayoutFileData data;
  ASSERT_EQ(ReadLayoutFile(path, kMaterials, data), LayoutReadStatus::Ok);
  EXPECT_EQ(data.slot.LayoutDetails[4].size(), 2u);
}

TEST_F(LayoutCommands, OpenFillsWriteSlotViewsItAndAddsAnREntry) {
  test::WriteBytes(dir / "a.sl3", SampleFile(0, "Opened headline"));
  headline = "before";
  model.WriteSlot = 2;
  ASSERT_TRUE(LoadLayoutFile(dir / "a.sl3", model, history, headline, messages, ui));
  EXPECT_EQ(model.ViewSlot, 2);
  EXPECT_EQ(model.WriteSlot, 3);
  EXPECT_EQ(headline, "Opened headline");
  EXPECT_EQ(model.Slot(2).LayoutDetails[4].size(), 2u);
  EXPECT_TRUE(model.Slot(2).MaterialActive[4]);
  EXPECT_EQ(model.SheetCounts[4], 2);
  EXPECT_EQ(model.DetailCounts[4], 2);
  ASSERT_EQ(history.selected(), 2);
  const std::string text = history.entries()[2];
  ASSERT_EQ(text.size(), 10u);  // "hh:mm:ss R"
  EXPECT_EQ(text.substr(8), " R");
  EXPECT_EQ(text[2], ':');
  EXPECT_EQ(ui.last().text, "Open Layout \"" + (dir / "a.sl3") + "\"");
  EXPECT_EQ(ui.last().icon, kIconSuccess);
  EXPECT_EQ(ui.last().seconds, 20);
}

TEST_F(LayoutCommands, OpeningAnEarlierFileKeepsTheHeadline) {
  test::WriteBytes(dir / "e.sl3", SampleFile(0, "", 352));
  headline = "kept";
  ASSERT_TRUE(LoadLayoutFile(dir / "e.sl3", model, history, headline, messages, ui));
  EXPECT_EQ(headline, "kept");
  EXPECT_EQ(model.View().LayoutDetails[4][0].NameEL, "-");
}

TEST_F(LayoutCommands, FailedOpenChangesNothing) {
  Fill(5);
  model.WriteSlot = 5;
  model.MaterialKW = {7, 7, 7, 7, 7, 7};
  model.RecordedSawWidth = 1;
  history.Add(4, "10:00:00");
  headline = "mine";
  ByteVec bad = SampleFile(9, "bad");
  Header('1', 40, 0).AppendTo(bad);  // a file of a program with more materials
  test::WriteBytes(dir / "bad.sl3", bad);
  test::WriteBytes(dir / "bad.kw3", ByteVec(8, 0));
  EXPECT_FALSE(LoadLayoutFile(dir / "bad.sl3", model, history, headline, messages, ui));
  EXPECT_EQ(ui.last().text, "File is Destroyed \"" + (dir / "bad.sl3") + "\". Input Data Error");
  EXPECT_EQ(ui.last().icon, kIconError);
  EXPECT_EQ(ui.last().seconds, 20);
  EXPECT_EQ(model.WriteSlot, 5);
  EXPECT_EQ(model.ViewSlot, 5);
  EXPECT_EQ(model.Slot(5).LayoutDetails[4].size(), 2u);
  EXPECT_EQ(model.MaterialKW, (std::vector<float>{7, 7, 7, 7, 7, 7}));
  EXPECT_EQ(model.RecordedSawWidth, 1.0f);
  EXPECT_EQ(headline, "mine");
  EXPECT_EQ(history.entries().size(), 5u);
  EXPECT_EQ(history.selected(), 4);
}

TEST_F(LayoutCommands, EveryDamagedFileGivesTheDestroyedMessage) {
  for (const Damage& c : DamagedFiles()) {
    test::WriteBytes(dir / "d.sl3", c.bytes);
    ui.statuses.clear();
    EXPECT_FALSE(LoadLayoutFile(dir / "d.sl3", model, history, headline, messages, ui)) << c.name;
    EXPECT_EQ(ui.last().text, "File is Destroyed \"" + (dir / "d.sl3") + "\". Input Data Error") << c.name;
    EXPECT_EQ(model.WriteSlot, 0);
  }
}

TEST_F(LayoutCommands, NoOpeningWhileACalculationRuns) {
  test::WriteBytes(dir / "a.sl3", SampleFile(0, "h"));
  model.CalculationRunning = true;
  EXPECT_FALSE(LoadLayoutFile(dir / "a.sl3", model, history, headline, messages, ui));
  EXPECT_EQ(model.WriteSlot, 0);
  EXPECT_TRUE(model.Slot(0).LayoutDetails.empty());
  EXPECT_TRUE(history.entries().empty());
}

TEST_F(LayoutCommands, MissingFileIsNotFound) {
  EXPECT_FALSE(LoadLayoutFile(dir / "gone.sl3", model, history, headline, messages, ui));
  EXPECT_EQ(ui.last().text, "File not Found \"" + (dir / "gone.sl3") + "\". Input Data Error");
  EXPECT_EQ(model.WriteSlot, 0);
}

// A layout calculated with a common saw width of 4 while the material table holds 3.2.
TEST_F(LayoutCommands, SawWidthOfAReopenedLayout) {
  Fill(0);
  model.RecordedSawWidth = 4;
  model.MaterialKW.assign(kMaterials, 4);  // what the calculation used
  const std::vector<float> table(kMaterials, 3.2f);
  const std::string path = SaveLayout(dir / "kerf", model, "", SavedSawWidths(model.MaterialKW, table), messages, ui);
  const ByteVec sl3 = test::ReadBytes(path);
  EXPECT_EQ(View(sl3, 0, kRec).f32(0), 4.0f);
  const ByteVec kw3 = test::ReadBytes(dir / "kerf.kw3");
  ASSERT_EQ(kw3.size(), 4u * kMaterials);
  EXPECT_EQ(View(kw3, 0, kw3.size()).f32(16), 4.0f);

  model.MaterialKW.assign(kMaterials, 0);
  ASSERT_TRUE(LoadLayoutFile(path, model, history, headline, messages, ui));
  EXPECT_EQ(model.MaterialKW, std::vector<float>(kMaterials, 4));
  std::filesystem::remove(dir / "kerf.kw3");
  ASSERT_TRUE(LoadLayoutFile(path, model, history, headline, messages, ui));
  EXPECT_EQ(model.MaterialKW, std::vector<float>(kMaterials, 4));
}

TEST_F(LayoutCommands, SawWidthsOfAMaterialTableLayoutComeFromTheKw3File) {
  Fill(0);
  model.RecordedSawWidth = 0;
  model.MaterialKW = {1, 2, 3, 4, 3.2f, 6};
  const std::string path = SaveLayout(dir / "table", model, "", model.MaterialKW, messages, ui);
  model.MaterialKW.clear();
  ASSERT_TRUE(LoadLayoutFile(path, model, history, headline, messages, ui));
  EXPECT_EQ(model.MaterialKW, (std::vector<float>{1, 2, 3, 4, 3.2f, 6}));
  std::filesystem::remove(dir / "table.kw3");
  ASSERT_TRUE(LoadLayoutFile(path, model, history, headline, messages, ui));
  EXPECT_EQ(model.MaterialKW, std::vector<float>(kMaterials, 0));
}

TEST_F(LayoutCommands, EarlierProgramsFileWithCommonSawWidthAndMaterialTableKw3) {
  test::WriteBytes(dir / "old.sl3", SampleFile(4, "", 352));
  ByteVec kw3;
  for (int m = 0; m < kMaterials; ++m) Rec(4).f32(0, 3.2f).AppendTo(kw3);
  test::WriteBytes(dir / "old.kw3", kw3);
  ASSERT_TRUE(LoadLayoutFile(dir / "old.sl3", model, history, headline, messages, ui));
  EXPECT_EQ(model.MaterialKW, std::vector<float>(kMaterials, 4));
}

TEST_F(LayoutCommands, AfterThe101stResultOpeningReplacesSlot100) {
  test::WriteBytes(dir / "a.sl3", SampleFile(0, "h"));
  for (int k = 0; k < 100; ++k) {
    history.Add(model.WriteSlot, "calc " + std::to_string(k));
    model.ViewSlot = model.WriteSlot;
    model.AdvanceWriteSlot();
  }
  ASSERT_EQ(model.WriteSlot, 100);
  history.Add(model.WriteSlot, "calc 100");  // the 101st result fills slot 100
  model.ViewSlot = 100;
  model.AdvanceWriteSlot();
  ASSERT_EQ(model.WriteSlot, 100);
  ASSERT_EQ(history.entries().size(), 100u);

  model.Slot(99) = SampleSlot();
  ASSERT_TRUE(LoadLayoutFile(dir / "a.sl3", model, history, headline, messages, ui));
  EXPECT_EQ(model.WriteSlot, 100);
  EXPECT_EQ(model.ViewSlot, 100);
  EXPECT_EQ(model.Slot(100).LayoutDetails[4].size(), 2u);
  EXPECT_EQ(history.entries().size(), 100u);
  EXPECT_EQ(history.selected(), 99);
  EXPECT_EQ(history.entries()[99], "calc 99");  // slot 99 keeps its result and its entry
  EXPECT_EQ(history.editText().substr(history.editText().size() - 2), " R");
  EXPECT_EQ(model.Slot(99).LayoutDetails[4].size(), 2u);

  // A failed open while slot 100 is on view leaves it as it was.
  test::WriteBytes(dir / "bad.sl3", ByteVec(10, 1));
  model.Slot(100).OffcutLists.clear();
  EXPECT_FALSE(LoadLayoutFile(dir / "bad.sl3", model, history, headline, messages, ui));
  EXPECT_EQ(model.Slot(100).LayoutDetails[4].size(), 2u);
  EXPECT_TRUE(model.Slot(100).OffcutLists.empty());
}

TEST(LayoutHistoryText, LongTimeAndOpenedMark) {
  std::tm t{};
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 7;
  EXPECT_EQ(HistoryEntryText(t, false), "09:05:07");
  EXPECT_EQ(HistoryEntryText(t, true), "09:05:07 R");
}

TEST(LayoutHistoryList, ChoosingAnEntryViewsItsSlot) {
  LayoutHistory h;
  h.Add(0, "a");
  h.Add(1, "b");
  EXPECT_EQ(h.Choose(0), 0);
  EXPECT_EQ(h.editText(), "a");
  EXPECT_EQ(h.Choose(-1), -1);  // closed with nothing chosen
  EXPECT_EQ(h.Choose(5), -1);
  EXPECT_EQ(h.selected(), 0);
}

}  // namespace
}  // namespace kelvara
