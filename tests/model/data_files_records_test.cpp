// Record layouts of the program data files, checked against an independent writer and reader.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data_files_fixture.h"
#include "model/data_records.h"

namespace kelvara {
namespace {

using fixture::RecordView;
using fixture::Values;

// Options with a value differing from the default in every field.
Options DistinctOptions() {
  Options o;
  o.UnitsName = "cm.";
  o.CommonSawWidth = 3.2f;
  o.IndentValue = 1.5f;
  o.MinimalOffcut = 150.25f;
  o.CalcLevel = 2;
  o.FirstCutDirection = 1;
  o.EdgeBandOn = 0;
  o.Decimals = 2;
  o.CurrentMaterial = 7;
  o.OptionsListWidth = 111;
  o.SheetsPanelWidth = 222;
  o.StorehouseListWidth = 333;
  o.Language = 1;
  o.PartsLinearFactor = 10;
  o.PartsAreaFactor = 100;
  o.SheetsLinearFactor = 1;
  o.SheetsAreaFactor = 10000;
  o.PartsLinearDecimals = 1;
  o.PartsAreaDecimals = 2;
  o.SheetsLinearDecimals = 4;
  o.SheetsAreaDecimals = 5;
  o.PartsLinearUnit = "cm";
  o.PartsAreaUnit = "sq.cm";
  o.SheetsLinearUnit = "dm";
  o.SheetsAreaUnit = "sq.dm";
  o.CompanyName = "Acme";
  o.PrintFontName = "Courier";
  o.ProgramFolder = "/work";
  o.NormativeDocument = "GOST";
  o.PrintStyle = 3;
  o.PageWidth = 29700;
  o.PageHeight = 42000;
  o.MarginLeft = 500;
  o.MarginTop = 600;
  o.MarginRight = 700;
  o.MarginBottom = 800;
  o.FrameThickness2 = 12.5f;
  o.FrameThickness3 = 24.5f;
  o.GenerateG09 = 1;
  o.GenerateM02 = 1;
  o.PartsLocation = 1;
  o.OrderNoOn = 1;
  o.NameOffcuts = 1;
  o.reserved.text = "xp";
  o.reserved.at44 = {4, 5};
  o.reserved.at57 = {6, 7, 8};
  o.reserved.at657 = 9;
  o.reserved.at659 = 10;
  o.reserved.at662 = {11, 12};
  return o;
}

TEST(OptionsRecord, EveryFieldAtItsOffset) {
  const Options o = DistinctOptions();
  const fixture::Bytes b = EncodeOptionsRecord(o);
  ASSERT_EQ(b.size(), 664u);
  RecordView r{fixture::OptionsLayout(), b, 0};
  EXPECT_EQ(r.Str("Kind"), "G");
  EXPECT_EQ(r.Str("ReservedText"), "xp");
  EXPECT_EQ(r.Str("UnitsName"), "cm.");
  EXPECT_EQ(r.Float("CommonSawWidth"), 3.2f);
  EXPECT_EQ(r.Float("IndentValue"), 1.5f);
  EXPECT_EQ(r.Int("Reserved44"), 4);
  EXPECT_EQ(r.Int("Reserved45"), 5);
  EXPECT_EQ(r.Int("CalcLevel"), 2);
  EXPECT_EQ(r.Int("FirstCutDirection"), 1);
  EXPECT_EQ(r.Int("OptionsListWidth"), 111);
  EXPECT_EQ(r.Int("SheetsPanelWidth"), 222);
  EXPECT_EQ(r.Int("EdgeBandOn"), 0);
  EXPECT_EQ(r.Int("Reserved57"), 6);
  EXPECT_EQ(r.Int("Reserved58"), 7);
  EXPECT_EQ(r.Int("Reserved59"), 8);
  EXPECT_EQ(r.Int("Decimals"), 2);
  EXPECT_EQ(r.Int("CurrentMaterial"), 7);
  EXPECT_EQ(r.Int("StorehouseListWidth"), 333);
  EXPECT_EQ(r.Int("Language"), 1);
  EXPECT_EQ(r.Int("PartsLinearFactor"), 10);
  EXPECT_EQ(r.Int("PartsAreaFactor"), 100);
  EXPECT_EQ(r.Int("SheetsLinearFactor"), 1);
  EXPECT_EQ(r.Int("SheetsAreaFactor"), 10000);
  EXPECT_EQ(r.Int("PartsLinearDecimals"), 1);
  EXPECT_EQ(r.Int("PartsAreaDecimals"), 2);
  EXPECT_EQ(r.Int("SheetsLinearDecimals"), 4);
  EXPECT_EQ(r.Int("SheetsAreaDecimals"), 5);
  EXPECT_EQ(r.Float("MinimalOffcut"), 150.25f);
  EXPECT_EQ(r.Float("PrintStyle"), 3.0f);
  EXPECT_EQ(r.Float("PageWidth"), 29700.0f);
  EXPECT_EQ(r.Float("PageHeight"), 42000.0f);
  EXPECT_EQ(r.Float("MarginLeft"), 500.0f);
  EXPECT_EQ(r.Float("MarginTop"), 600.0f);
  EXPECT_EQ(r.Float("MarginRight"), 700.0f);
  EXPECT_EQ(r.Float("MarginBottom"), 800.0f);
  EXPECT_EQ(r.Float("FrameThickness2"), 12.5f);
  EXPECT_EQ(r.Float("FrameThickness3"), 24.5f);
  EXPECT_EQ(r.Str("PartsLinearUnit"), "cm");
  EXPECT_EQ(r.Str("PartsAreaUnit"), "sq.cm");
  EXPECT_EQ(r.Str("SheetsLinearUnit"), "dm");
  EXPECT_EQ(r.Str("SheetsAreaUnit"), "sq.dm");
  EXPECT_EQ(r.Str("CompanyName"), "Acme");
  EXPECT_EQ(r.Str("PrintFontName"), "Courier");
  EXPECT_EQ(r.Str("ProgramFolder"), "/work");
  EXPECT_EQ(r.Str("NormativeDocument"), "GOST");
  EXPECT_EQ(r.Str("Reserved552"), " ");
  EXPECT_EQ(r.Str("Reserved603"), " ");
  EXPECT_EQ(r.Int("GenerateG09"), 1);
  EXPECT_EQ(r.Int("GenerateM02"), 1);
  EXPECT_EQ(r.Int("PartsLocation"), 1);
  EXPECT_EQ(r.Int("Reserved657"), 9);
  EXPECT_EQ(r.Int("Reserved658"), 0);
  EXPECT_EQ(r.Int("Reserved659"), 10);
  EXPECT_EQ(r.Int("OrderNoOn"), 1);
  EXPECT_EQ(r.Int("NameOffcuts"), 1);
  EXPECT_EQ(r.Int("Reserved662"), 11);
  EXPECT_EQ(r.Int("Reserved663"), 12);
  // Unused bytes stay 0.
  for (std::size_t at : {33u, 34u, 35u, 62u, 63u}) EXPECT_EQ(b[at], 0) << at;
}

TEST(OptionsRecord, DecodesEveryStoredValue) {
  const Options want = DistinctOptions();
  const fixture::Bytes b = fixture::Record(
      fixture::OptionsLayout(),
      {{"Kind", std::string("G")},          {"ReservedText", std::string("xp")},
       {"UnitsName", std::string("cm.")},   {"CommonSawWidth", 3.2},
       {"IndentValue", 1.5},                {"Reserved44", std::int64_t{4}},
       {"Reserved45", std::int64_t{5}},     {"CalcLevel", std::int64_t{2}},
       {"FirstCutDirection", std::int64_t{1}}, {"OptionsListWidth", std::int64_t{111}},
       {"SheetsPanelWidth", std::int64_t{222}}, {"EdgeBandOn", std::int64_t{0}},
       {"Reserved57", std::int64_t{6}},     {"Reserved58", std::int64_t{7}},
       {"Reserved59", std::int64_t{8}},     {"Decimals", std::int64_t{2}},
       {"CurrentMaterial", std::int64_t{7}}, {"StorehouseListWidth", std::int64_t{333}},
       {"Language", std::int64_t{1}},       {"PartsLinearFactor", std::int64_t{10}},
       {"PartsAreaFactor", std::int64_t{100}}, {"SheetsLinearFactor", std::int64_t{1}},
       {"SheetsAreaFactor", std::int64_t{10000}}, {"PartsLinearDecimals", std::int64_t{1}},
       {"PartsAreaDecimals", std::int64_t{2}}, {"SheetsLinearDecimals", std::int64_t{4}},
       {"SheetsAreaDecimals", std::int64_t{5}}, {"MinimalOffcut", 150.25},
       {"PrintStyle", 2.6},                 {"PageWidth", 29700.4},
       {"PageHeight", 42000.0},             {"MarginLeft", 500.0},
       {"MarginTop", 600.0},                {"MarginRight", 700.0},
       {"MarginBottom", 799.5},             {"FrameThickness2", 12.5},
       {"FrameThickness3", 24.5},           {"PartsLinearUnit", std::string("cm")},
       {"PartsAreaUnit", std::string("sq.cm")}, {"SheetsLinearUnit", std::string("dm")},
       {"SheetsAreaUnit", std::string("sq.dm")}, {"CompanyName", std::string("Acme")},
       {"PrintFontName", std::string("Courier")}, {"ProgramFolder", std::string("/work")},
       {"NormativeDocument", std::string("GOST")}, {"GenerateG09", std::int64_t{1}},
       {"GenerateM02", std::int64_t{1}},    {"PartsLocation", std::int64_t{1}},
       {"Reserved657", std::int64_t{9}},    {"Reserved659", std::int64_t{10}},
       {"OrderNoOn", std::int64_t{1}},      {"NameOffcuts", std::int64_t{1}},
       {"Reserved662", std::int64_t{11}},   {"Reserved663", std::int64_t{12}}});
  Options o;
  DecodeOptionsRecord(RecordReader(b), o);
  // Integer options kept as singles are rounded (2.6 -> 3, 29700.4 -> 29700, 799.5 -> 800).
  EXPECT_EQ(o.PrintStyle, 3);
  EXPECT_EQ(o.PageWidth, 29700);
  EXPECT_EQ(o.MarginBottom, 800);
  // Re-encoding gives back every byte of the distinct options.
  EXPECT_EQ(EncodeOptionsRecord(o), EncodeOptionsRecord(want));
}

TEST(OptionsRecord, SingleThatIsNoNumberKeepsTheValue) {
  fixture::Bytes b = fixture::Record(fixture::OptionsLayout(), {{"Kind", std::string("G")},
                                                                {"CommonSawWidth", std::nan("")},
                                                                {"PrintStyle", 1e30}});
  Options o;
  o.CommonSawWidth = 4.0f;
  DecodeOptionsRecord(RecordReader(b), o);
  EXPECT_EQ(o.CommonSawWidth, 4.0f);
  EXPECT_EQ(o.PrintStyle, 1);
}

TEST(BandRecord, NameCutToTwentyCharacters) {
  const fixture::Bytes b = EncodeBandRecord("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
  ASSERT_EQ(b.size(), 664u);
  RecordView r{fixture::BandLayout(), b, 0};
  EXPECT_EQ(r.Str("Kind"), "T");
  EXPECT_EQ(r.Str("Name"), "ABCDEFGHIJKLMNOPQRST");
  // A damaged length byte above the capacity reads as 20 characters, not past the field.
  fixture::Bytes d = fixture::Record(fixture::BandLayout(), {{"Kind", std::string("T")}, {"Name", std::string(20, 'x')}});
  d[1] = 200;
  EXPECT_EQ(DecodeBandRecord(RecordReader(d)), std::string(20, 'x'));
}

TEST(SawWidthRecord, Layout) {
  const fixture::Bytes b = EncodeSawWidthRecord({2.8f, "Cherry"});
  ASSERT_EQ(b.size(), 56u);
  RecordView r{fixture::SawWidthLayout(), b, 0};
  EXPECT_EQ(r.Float("KW"), 2.8f);
  EXPECT_EQ(r.Str("Mat"), "Cherry");
  const SawWidthRecord s =
      DecodeSawWidthRecord(RecordReader(fixture::Record(fixture::SawWidthLayout(), {{"KW", 4.4}, {"Mat", std::string("Oak")}})));
  EXPECT_EQ(s.KW, 4.4f);
  EXPECT_EQ(s.Mat, "Oak");
}

TEST(JobRecords, SheetLayout) {
  SheetRecord s;
  s.X = 2750;
  s.Y = 1830.5f;
  s.Q = 4;
  s.Num = 3;
  s.PT = 5;
  s.PRT = 2;
  s.Name = "Cherry";
  s.Note = "left";
  s.TL = 10;
  s.TT = 11;
  s.TR = 12;
  s.TB = 13.5f;
  const fixture::Bytes b = EncodeSheetRecord(s);
  ASSERT_EQ(b.size(), 840u);
  RecordView r{fixture::SheetLayout(), b, 0};
  EXPECT_EQ(r.Str("Kind"), "M");
  EXPECT_EQ(r.Float("X"), 2750.0f);
  EXPECT_EQ(r.Float("Y"), 1830.5f);
  EXPECT_EQ(r.Int("Q"), 4);
  EXPECT_EQ(r.Int("Num"), 3);
  EXPECT_EQ(r.Str("Name"), "Cherry");
  EXPECT_EQ(r.Str("Note"), "left");
  EXPECT_EQ(r.Int("PT"), 5);
  EXPECT_EQ(r.Int("PRT"), 2);
  EXPECT_EQ(r.Float("TL"), 10.0f);
  EXPECT_EQ(r.Float("TT"), 11.0f);
  EXPECT_EQ(r.Float("TR"), 12.0f);
  EXPECT_EQ(r.Float("TB"), 13.5f);

  const SheetRecord d = DecodeSheetRecord(RecordReader(b));
  EXPECT_EQ(d.X, s.X);
  EXPECT_EQ(d.Y, s.Y);
  EXPECT_EQ(d.Q, s.Q);
  EXPECT_EQ(d.Num, s.Num);
  EXPECT_EQ(d.PT, s.PT);
  EXPECT_EQ(d.PRT, s.PRT);
  EXPECT_EQ(d.Name, s.Name);
  EXPECT_EQ(d.Note, s.Note);
  EXPECT_EQ(d.TL, s.TL);
  EXPECT_EQ(d.TT, s.TT);
  EXPECT_EQ(d.TR, s.TR);
  EXPECT_EQ(d.TB, s.TB);
}

TEST(JobRecords, PartLayout) {
  PartRecord p;
  p.PD = "A";
  p.X = 600;
  p.Y = 400.5f;
  p.Q = 2;
  p.Num = 1;
  p.Rotation = 2;
  p.Fold = 777;
  p.EL = true;
  p.ER = true;
  p.Name = "Brett";
  p.Note = "door";
  p.NameE = "band";
  p.NF = "/d/part.dxf";
  p.SetZ = true;
  p.Zakaz = "Z-17";
  p.NoteG = "AB";
  p.Dist1 = std::string(60, 'd');
  p.NameEL = "PVC";
  p.NameET = "-";
  p.NameER = "ABS";
  p.NameEB = "-";
  const fixture::Bytes b = EncodePartRecord(p);
  RecordView r{fixture::PartLayout(), b, 0};
  EXPECT_EQ(r.Str("Kind"), "D");
  EXPECT_EQ(r.Str("PD"), "A");
  EXPECT_EQ(r.Float("X"), 600.0f);
  EXPECT_EQ(r.Float("Y"), 400.5f);
  EXPECT_EQ(r.Int("Q"), 2);
  EXPECT_EQ(r.Int("Num"), 1);
  EXPECT_EQ(r.Int("Rotation"), 2);
  EXPECT_EQ(r.Int("Fold"), 777);
  EXPECT_EQ(r.Int("EL"), 1);
  EXPECT_EQ(r.Int("ET"), 0);
  EXPECT_EQ(r.Int("ER"), 1);
  EXPECT_EQ(r.Int("EB"), 0);
  EXPECT_EQ(r.Str("Name"), "Brett");
  EXPECT_EQ(r.Str("Note"), "door");
  EXPECT_EQ(r.Str("NameE"), "band");
  EXPECT_EQ(r.Str("NF"), "/d/part.dxf");
  EXPECT_EQ(r.Int("SetZ"), 1);
  EXPECT_EQ(r.Str("Zakaz"), "Z-17");
  EXPECT_EQ(r.Str("NoteG"), "AB");
  EXPECT_EQ(r.Str("Dist1"), std::string(50, 'd'));  // cut to 50
  EXPECT_EQ(r.Str("NameEL"), "PVC");
  EXPECT_EQ(r.Str("NameET"), "-");
  EXPECT_EQ(r.Str("NameER"), "ABS");
  EXPECT_EQ(r.Str("NameEB"), "-");

  const PartRecord d = DecodePartRecord(RecordReader(b));
  EXPECT_EQ(d.PD, "A");
  EXPECT_EQ(d.X, p.X);
  EXPECT_EQ(d.Y, p.Y);
  EXPECT_EQ(d.Rotation, 2);
  EXPECT_EQ(d.Fold, 777);
  EXPECT_TRUE(d.EL);
  EXPECT_FALSE(d.ET);
  EXPECT_TRUE(d.ER);
  EXPECT_FALSE(d.EB);
  EXPECT_EQ(d.NameE, "band");
  EXPECT_EQ(d.NF, p.NF);
  EXPECT_TRUE(d.SetZ);
  EXPECT_EQ(d.Zakaz, p.Zakaz);
  EXPECT_EQ(d.NoteG, p.NoteG);
  EXPECT_EQ(d.Dist1, std::string(50, 'd'));
  EXPECT_EQ(d.NameEL, "PVC");
  EXPECT_EQ(d.NameER, "ABS");
}

TEST(JobRecords, TextsAreCodePage1251) {
  // "ДСП" in code page 1251 and "№" (0xB9).
  const fixture::Bytes b =
      fixture::Record(fixture::SheetLayout(), {{"Kind", std::string("M")}, {"Name", std::string("\xC4\xD1\xCF")},
                                               {"Note", std::string("\xB9 5")}});
  const SheetRecord s = DecodeSheetRecord(RecordReader(b));
  EXPECT_EQ(s.Name, "ДСП");
  EXPECT_EQ(s.Note, "№ 5");
  SheetRecord back;
  back.Name = "ДСП";
  RecordView r{fixture::SheetLayout(), EncodeSheetRecord(back), 0};
  EXPECT_EQ(r.Str("Name"), "\xC4\xD1\xCF");
}

TEST(StoreRecord, Layout) {
  StoreRecord s{1200.5f, 600, 3, 2, 4, "Cherry", "R17"};
  const fixture::Bytes b = EncodeStoreRecord(s);
  ASSERT_EQ(b.size(), 124u);
  RecordView r{fixture::StoreLayout(), b, 0};
  EXPECT_EQ(r.Float("X"), 1200.5f);
  EXPECT_EQ(r.Float("Y"), 600.0f);
  EXPECT_EQ(r.Int("Q"), 3);
  EXPECT_EQ(r.Int("QM"), 2);
  EXPECT_EQ(r.Int("Num"), 4);
  EXPECT_EQ(r.Str("Material"), "Cherry");
  EXPECT_EQ(r.Str("N"), "R17");
  const StoreRecord d = DecodeStoreRecord(RecordReader(b));
  EXPECT_EQ(d.X, s.X);
  EXPECT_EQ(d.Y, s.Y);
  EXPECT_EQ(d.Q, 3);
  EXPECT_EQ(d.QM, 2);
  EXPECT_EQ(d.Num, 4);
  EXPECT_EQ(d.Material, "Cherry");
  EXPECT_EQ(d.N, "R17");
}

TEST(ShapeRecordLayout, FieldsAndNotANumber) {
  ShapeRecord s;
  s.X1 = 1;
  s.Y1 = 2;
  s.X2 = 3;
  s.Y2 = std::numeric_limits<float>::quiet_NaN();
  s.CX = 5;
  s.CY = 6;
  s.Radius = 7;
  s.Kind = '2';
  s.Id = 777999111;
  const fixture::Bytes b = EncodeShapeRecord(s);
  ASSERT_EQ(b.size(), 44u);
  RecordView r{fixture::ShapeLayout(), b, 0};
  EXPECT_EQ(r.Float("W"), -1.0f);
  EXPECT_EQ(r.Float("H"), -1.0f);
  EXPECT_EQ(r.Float("X1"), 1.0f);
  EXPECT_EQ(r.Float("Y1"), 2.0f);
  EXPECT_EQ(r.Float("X2"), 3.0f);
  EXPECT_EQ(r.Float("Y2"), -1.0f);  // not a number -> -1
  EXPECT_EQ(r.Float("CX"), 5.0f);
  EXPECT_EQ(r.Float("CY"), 6.0f);
  EXPECT_EQ(r.Float("Radius"), 7.0f);
  EXPECT_EQ(r.Str("Kind"), "2");
  EXPECT_EQ(r.Int("Fold"), 777999111);
  EXPECT_EQ(b[37] | b[38] | b[39], 0);

  const ShapeRecord d = DecodeShapeRecord(RecordReader(fixture::Record(
      fixture::ShapeLayout(),
      {{"W", 300.0}, {"H", std::nan("")}, {"Radius", 2.5}, {"Kind", std::string("b")}, {"Fold", std::int64_t{-5}}})));
  EXPECT_EQ(d.W, 300.0f);
  EXPECT_EQ(d.H, -1.0f);
  EXPECT_EQ(d.X1, 0.0f);
  EXPECT_EQ(d.Radius, 2.5f);
  EXPECT_EQ(d.Kind, 'b');
  EXPECT_EQ(d.Id, -5);
}

TEST(TextLines, CrLfOrLfAndCodePage) {
  auto bytes = [](std::string s) { return Bytes(s.begin(), s.end()); };
  EXPECT_EQ(SplitTextLines(bytes("a\r\nb\r\n")), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitTextLines(bytes("a\nb")), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitTextLines(bytes("a\r\n\r\nc")), (std::vector<std::string>{"a", "", "c"}));
  EXPECT_EQ(SplitTextLines(bytes("\xC4\xD1\xCF\r\n")), (std::vector<std::string>{"ДСП"}));
  EXPECT_TRUE(SplitTextLines(bytes("")).empty());
  EXPECT_EQ(JoinTextLines({"ДСП", "b"}), "\xC4\xD1\xCF\r\nb\r\n");
  // A line break inside a name would split the line: it becomes a blank.
  EXPECT_EQ(JoinTextLines({"a\r\nb"}), "a  b\r\n");
}

}  // namespace
}  // namespace kelvara
