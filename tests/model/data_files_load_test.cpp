// Loading the program folder at start: every step, its messages and its damaged-file cases.
#include <gtest/gtest.h>

#include "data_files_folder.h"

namespace kelvara {
namespace {

using testing_folder::DataFolderTest;
using testing_folder::Int;
using testing_folder::Real;
using testing_folder::Text;
using fixture::Values;

using Str = std::string;
using I = std::int64_t;

// ---- Options (step 1) ----------------------------------------------------------------------

using OptionsLoad = DataFolderTest;

void ExpectDefaultBands(const Table& rxT) {
  ASSERT_EQ(rxT.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Text(rxT, i, "NameE"), "Edge No " + std::to_string(i + 1));
}

TEST_F(OptionsLoad, AbsentFileGivesDefaultsAndTheNotFoundMessage) {
  FolderSession& s = Load();
  const auto& st = s.ui.statuses;
  ASSERT_FALSE(st.empty());
  EXPECT_EQ(st[0].text, NotFound("Kelvara3.opt"));
  EXPECT_EQ(st[0].icon, kIconError);
  EXPECT_EQ(st[0].seconds, 20);
  EXPECT_EQ(s.options.Language, 2);
  EXPECT_EQ(s.options.CalcLevel, 1);
  EXPECT_EQ(s.options.UnitsName, "mm.");
  EXPECT_EQ(s.options.PartsLinearFactor, 1);
  EXPECT_EQ(s.options.PartsAreaFactor, 1000000);
  EXPECT_EQ(s.options.SheetsLinearFactor, 1000);
  EXPECT_EQ(s.options.SheetsAreaFactor, 1000000);
  EXPECT_EQ(s.options.PartsLinearDecimals, 0);
  EXPECT_EQ(s.options.PartsAreaDecimals, 3);
  ExpectDefaultBands(s.tables.rxT);
  EXPECT_GE(s.ui.bandsChanged, 1);
  EXPECT_EQ(s.files.dialogFolder, s.tables.programFolder);
}

TEST_F(OptionsLoad, FileShorterThanARecordGivesDefaultsWithoutMessage) {
  Write("Kelvara3.opt", fixture::Bytes(600, 'G'));
  FolderSession& s = Load();
  for (const auto& t : Statuses()) EXPECT_EQ(t.find("Kelvara3.opt"), std::string::npos) << t;
  EXPECT_EQ(s.options.CalcLevel, 1);
  ExpectDefaultBands(s.tables.rxT);
}

TEST_F(OptionsLoad, ExtraByteAfterTheRecordIsIgnored) {
  fixture::Bytes b = fixture::Record(fixture::OptionsLayout(),
                                     {{"Kind", Str("G")}, {"UnitsName", Str("cm.")}, {"Decimals", I{2}}, {"PageWidth", 21000.0}});
  b.push_back('T');
  ASSERT_EQ(b.size(), 665u);
  Write("Kelvara3.opt", b);
  FolderSession& s = Load();
  EXPECT_FALSE(HasStatus(NotFound("Kelvara3.opt")));
  EXPECT_EQ(s.options.UnitsName, "cm.");
  EXPECT_EQ(s.options.Decimals, 2);
  ExpectDefaultBands(s.tables.rxT);  // no "T" record: three default bands
}

TEST_F(OptionsLoad, BandRecordsFillTheBandTableInOrder) {
  WriteOptions({{"PageWidth", 21000.0}}, {"PVC 2", "\xCA\xF0\xE0\xE9", "ABS"});  // "Край"
  FolderSession& s = Load();
  ASSERT_EQ(s.tables.rxT.Count(), 3);
  EXPECT_EQ(Text(s.tables.rxT, 0, "NameE"), "PVC 2");
  EXPECT_EQ(Text(s.tables.rxT, 1, "NameE"), "Край");
  EXPECT_EQ(Text(s.tables.rxT, 2, "NameE"), "ABS");
}

TEST_F(OptionsLoad, RecordOfAnotherKindIsIgnored) {
  fixture::Bytes all = fixture::Concat({fixture::Record(fixture::OptionsLayout(), {{"Kind", Str("X")}, {"Decimals", I{3}}}),
                                        fixture::Record(fixture::BandLayout(), {{"Kind", Str("t")}, {"Name", Str("no")}})});
  Write("Kelvara3.opt", all);
  FolderSession& s = Load();
  EXPECT_EQ(s.options.Decimals, 0);
  ExpectDefaultBands(s.tables.rxT);
}

TEST_F(OptionsLoad, StoredValuesAreSettledAsTheyAreRead) {
  struct Case {
    const char* what;
    Values g;
    std::function<void(const Options&, const std::string& dialogFolder)> check;
  };
  const std::vector<Case> cases = {
      {"page width 800 gives A4, margins as stored",
       {{"PageWidth", 800.0}, {"PageHeight", 500.0}, {"MarginLeft", 250.0}, {"MarginBottom", 0.0}},
       [](const Options& o, const std::string&) {
         EXPECT_EQ(o.PageWidth, 21000);
         EXPECT_EQ(o.PageHeight, 29700);
         EXPECT_EQ(o.MarginLeft, 250);
         EXPECT_EQ(o.MarginBottom, 0);
       }},
      {"page width 1001 is taken",
       {{"PageWidth", 1001.0}, {"PageHeight", 2000.0}},
       [](const Options& o, const std::string&) {
         EXPECT_EQ(o.PageWidth, 1001);
         EXPECT_EQ(o.PageHeight, 2000);
       }},
      {"empty or blank font name counts as Arial",
       {{"PageWidth", 21000.0}, {"PrintFontName", Str("   ")}},
       [](const Options& o, const std::string&) { EXPECT_EQ(o.PrintFontName, "Arial"); }},
      {"unit names with \"=\" as fourth character fall back to their defaults",
       {{"PageWidth", 21000.0},
        {"PartsLinearUnit", Str("mm.=1")},
        {"PartsAreaUnit", Str("sqm=")},
        {"SheetsLinearUnit", Str("abc=")},
        {"SheetsAreaUnit", Str("m=")}},
       [](const Options& o, const std::string&) {
         EXPECT_EQ(o.PartsLinearUnit, "mm.");
         EXPECT_EQ(o.PartsAreaUnit, "sq.m.");
         EXPECT_EQ(o.SheetsLinearUnit, "m.");
         EXPECT_EQ(o.SheetsAreaUnit, "m=");  // "=" second: kept
       }},
      {"fourth character counts characters, not bytes",
       {{"PageWidth", 21000.0}, {"PartsLinearUnit", Str("\xEC\xEC.=")}},  // "мм.="
       [](const Options& o, const std::string&) { EXPECT_EQ(o.PartsLinearUnit, "mm."); }},
      {"trimmed program folder is the dialogs' folder",
       {{"PageWidth", 21000.0}, {"ProgramFolder", Str("  /home/jobs ")}},
       [](const Options& o, const std::string& dialogFolder) {
         EXPECT_EQ(o.ProgramFolder, "  /home/jobs ");
         EXPECT_EQ(dialogFolder, "/home/jobs");
       }},
      {"print style read rounded",
       {{"PageWidth", 21000.0}, {"PrintStyle", 1.6}},
       [](const Options& o, const std::string&) { EXPECT_EQ(o.PrintStyle, 2); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteOptions(c.g);
    FolderSession& s = Load();
    c.check(s.options, s.files.dialogFolder);
  }
}

// ---- Material names and saw widths (steps 3 to 5) --------------------------------------------

using MaterialsLoad = DataFolderTest;

std::string Lines(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string s;
  for (const auto& l : lines) s += l + end;
  return s;
}

std::vector<std::string> NumberedNames(int n) {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) v.push_back("M" + std::to_string(i));
  return v;
}

TEST_F(MaterialsLoad, AbsentNamesFileGivesBuiltInAndPictureNamesAndSkipsSawWidths) {
  AddPicture("walnut.jpg");
  AddPicture("oak.light.jpg");
  Write("Kelvara3.mkw", fixture::Record(fixture::SawWidthLayout(), {{"KW", 4.0}, {"Mat", Str("Cherry")}}));
  FolderSession& s = Load();
  EXPECT_TRUE(HasStatus(NotFound("Kelvara3.mtn")));
  EXPECT_FALSE(HasStatus(NotFound("Kelvara3.mkw")));
  const Table& om = s.tables.rxOM;
  ASSERT_EQ(om.Count(), 27);
  ASSERT_EQ(s.tables.MaterialCount(), 27);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(Text(om, i, "Mat"), MaterialList::BuiltInNames()[i]);
    EXPECT_EQ(Int(om, i, "NC"), i + 1);
    EXPECT_EQ(Real(om, i, "KW"), 0.0);
  }
  EXPECT_EQ(Text(om, 25, "Mat"), "oak");
  EXPECT_EQ(Text(om, 26, "Mat"), "walnut");
  EXPECT_EQ(Int(om, 26, "NC"), 27);
}

TEST_F(MaterialsLoad, EmptyNamesFileCountsAsAbsent) {
  WriteText("Kelvara3.mtn", "");
  FolderSession& s = Load();
  EXPECT_TRUE(HasStatus(NotFound("Kelvara3.mtn")));
  EXPECT_EQ(s.tables.rxOM.Count(), 25);
}

TEST_F(MaterialsLoad, AlwaysOneRowPerMaterialWhateverTheLineCount) {
  AddPicture("walnut.jpg");
  struct Case {
    int lines;
    const char* end;
  };
  for (const Case c : {Case{3, "\r\n"}, Case{25, "\r\n"}, Case{30, "\r\n"}, Case{4, "\n"}}) {
    SCOPED_TRACE(c.lines);
    WriteText("Kelvara3.mtn", Lines(NumberedNames(c.lines), c.end));
    FolderSession& s = Load();
    EXPECT_FALSE(HasStatus(NotFound("Kelvara3.mtn")));
    const Table& om = s.tables.rxOM;
    ASSERT_EQ(om.Count(), 26);
    for (int i = 0; i < 25; ++i) {
      const std::string want = i < c.lines ? "M" + std::to_string(i) : MaterialList::BuiltInNames()[i];
      EXPECT_EQ(Text(om, i, "Mat"), want) << i;
      EXPECT_EQ(Int(om, i, "NC"), i + 1);
    }
    EXPECT_EQ(Text(om, 25, "Mat"), "walnut");
    EXPECT_EQ(Int(om, 25, "NC"), 26);
    // The material boxes hold the same names in the same order.
    for (int i = 0; i < 26; ++i) EXPECT_EQ(s.tables.materials.Name(i), Text(om, i, "Mat"));
  }
}

TEST_F(MaterialsLoad, NamesInCodePage1251AndLastLineWithoutLineEnd) {
  WriteText("Kelvara3.mtn", "\xC4\xD1\xCF\r\nOak");
  FolderSession& s = Load();
  EXPECT_EQ(Text(s.tables.rxOM, 0, "Mat"), "ДСП");
  EXPECT_EQ(Text(s.tables.rxOM, 1, "Mat"), "Oak");
  EXPECT_EQ(s.tables.MaterialIndex("ДСП"), 0);
}

TEST_F(MaterialsLoad, SawWidthsByNameRoundedToDecimals) {
  WriteOptions({{"PageWidth", 21000.0}, {"Decimals", I{1}}});
  WriteText("Kelvara3.mtn", Lines(NumberedNames(25)));
  Write("Kelvara3.mkw", fixture::Concat({
                            fixture::Record(fixture::SawWidthLayout(), {{"KW", 3.26}, {"Mat", Str("M2")}}),
                            fixture::Record(fixture::SawWidthLayout(), {{"KW", 9.0}, {"Mat", Str("Nowhere")}}),
                            fixture::Record(fixture::SawWidthLayout(), {{"KW", 4.0}, {"Mat", Str("M0")}}),
                        }));
  FolderSession& s = Load();
  EXPECT_FALSE(HasStatus(NotFound("Kelvara3.mkw")));
  EXPECT_DOUBLE_EQ(Real(s.tables.rxOM, 2, "KW"), 3.3);
  EXPECT_DOUBLE_EQ(Real(s.tables.rxOM, 0, "KW"), 4.0);
  EXPECT_DOUBLE_EQ(Real(s.tables.rxOM, 1, "KW"), 0.0);
}

TEST_F(MaterialsLoad, SawWidthFileAbsentOrEmptyGivesTheNotFoundMessage) {
  WriteText("Kelvara3.mtn", Lines(NumberedNames(25)));
  for (bool present : {false, true}) {
    SCOPED_TRACE(present);
    if (present) Write("Kelvara3.mkw", fixture::Bytes(55, 0));  // shorter than one record
    FolderSession& s = Load();
    EXPECT_TRUE(HasStatus(NotFound("Kelvara3.mkw")));
    for (int i = 0; i < s.tables.rxOM.Count(); ++i) EXPECT_EQ(Real(s.tables.rxOM, i, "KW"), 0.0);
  }
}

TEST_F(MaterialsLoad, StoredCurrentMaterialOutsideTheListIsBroughtIntoRange) {
  WriteOptions({{"PageWidth", 21000.0}, {"CurrentMaterial", I{200}}});
  FolderSession& s = Load();  // no job file: nothing moves CurrentMaterial
  EXPECT_LT(s.options.CurrentMaterial, s.tables.MaterialCount());
  // A new row names an existing material.
  s.tables.rxM.Append();
  s.tables.rxM.Post();
  EXPECT_EQ(Text(s.tables.rxM, 0, "Name"), s.tables.MaterialName(static_cast<int>(Int(s.tables.rxM, 0, "Num"))));
  EXPECT_FALSE(Text(s.tables.rxM, 0, "Name").empty());
}

// ---- Job (step 6) --------------------------------------------------------------------------

using JobLoad = DataFolderTest;

TEST_F(JobLoad, AbsentAndEmptyFiles) {
  FolderSession& a = Load();
  EXPECT_TRUE(HasStatus(NotFound("Kelvara3.dat")));
  EXPECT_TRUE(a.tables.rxM.Empty());
  Write("Kelvara3.dat", fixture::Bytes(839, 'M'));
  FolderSession& b = Load();
  EXPECT_TRUE(HasStatus(Destroyed("Kelvara3.dat")));
  EXPECT_TRUE(b.tables.rxM.Empty());
  EXPECT_TRUE(b.tables.rxD.Empty());
}

TEST_F(JobLoad, SheetRecordFieldsRoundedToDecimals) {
  WriteOptions({{"PageWidth", 21000.0}, {"Decimals", I{1}}});
  WriteText("Kelvara3.mtn", Lines(NumberedNames(25)));
  Write("Kelvara3.mkw", fixture::Record(fixture::SawWidthLayout(), {{"KW", 4.4}, {"Mat", Str("M3")}}));
  Write("Kelvara3.dat", Sheet({{"X", 2750.56},
                               {"Y", 1830.44},
                               {"Q", I{4}},
                               {"Num", I{17}},  // not read back: the name decides
                               {"Name", Str("M3")},
                               {"Note", Str("left")},
                               {"PT", I{9}},
                               {"PRT", I{2}},
                               {"TL", 10.06},
                               {"TT", 0.0},
                               {"TR", 12.0},
                               {"TB", 5.55}}));
  FolderSession& s = Load();
  EXPECT_FALSE(HasStatus(NotFound("Kelvara3.dat")));
  const Table& m = s.tables.rxM;
  ASSERT_EQ(m.Count(), 1);
  EXPECT_DOUBLE_EQ(Real(m, 0, "X"), 2750.6);
  EXPECT_DOUBLE_EQ(Real(m, 0, "Y"), 1830.4);
  EXPECT_EQ(Int(m, 0, "Q"), 4);
  EXPECT_EQ(Int(m, 0, "Num"), 3);
  EXPECT_EQ(Text(m, 0, "Name"), "M3");
  EXPECT_EQ(Text(m, 0, "Note"), "left");
  EXPECT_EQ(Int(m, 0, "PT"), 9);
  EXPECT_EQ(Int(m, 0, "PRT"), 2);
  EXPECT_DOUBLE_EQ(Real(m, 0, "TL"), 10.1);
  EXPECT_DOUBLE_EQ(Real(m, 0, "TT"), 0.0);
  EXPECT_DOUBLE_EQ(Real(m, 0, "TR"), 12.0);
  EXPECT_DOUBLE_EQ(Real(m, 0, "TB"), 5.6);
  EXPECT_DOUBLE_EQ(Real(m, 0, "KW"), 4.4);  // SawWidthOf its material
  EXPECT_EQ(Text(m, 0, "Pr"), "L");
  EXPECT_EQ(s.options.CurrentMaterial, 3);
}

TEST_F(JobLoad, CommonSawWidthGoesToEverySheet) {
  WriteOptions({{"PageWidth", 21000.0}, {"CommonSawWidth", 3.2}});
  Write("Kelvara3.dat", Sheet({{"X", 100.0}, {"Y", 100.0}, {"Q", I{1}}, {"Name", Str("Cherry")}}));
  FolderSession& s = Load();
  ASSERT_EQ(s.tables.rxM.Count(), 1);
  EXPECT_FLOAT_EQ(static_cast<float>(Real(s.tables.rxM, 0, "KW")), 3.2f);
}

TEST_F(JobLoad, PartRecordFields) {
  Write("Kelvara3.dat",
        Part({{"PD", Str("A")},      {"X", 600.4},           {"Y", 400.6},          {"Q", I{2}},
              {"Num", I{9}},         {"Rotation", I{1}},     {"Fold", I{4242}},     {"EL", I{1}},
              {"ET", I{0}},          {"ER", I{1}},           {"EB", I{0}},          {"Name", Str("Brett")},
              {"Note", Str("door")}, {"NameE", Str("xyz")},  {"NF", Str("/d/a.dxf")}, {"SetZ", I{1}},
              {"Zakaz", Str("Z-1")}, {"NoteG", Str("AB")},   {"Dist1", Str("frame")}, {"NameEL", Str("PVC")},
              {"NameET", Str("")},   {"NameER", Str("   ")}, {"NameEB", Str("ABS")}}));
  FolderSession& s = Load();
  const Table& d = s.tables.rxD;
  ASSERT_EQ(d.Count(), 1);
  EXPECT_EQ(Text(d, 0, "PD"), "A");
  EXPECT_DOUBLE_EQ(Real(d, 0, "X"), 600.0);  // Decimals 0
  EXPECT_DOUBLE_EQ(Real(d, 0, "Y"), 401.0);
  EXPECT_EQ(Int(d, 0, "Q"), 2);
  EXPECT_EQ(Int(d, 0, "Num"), 1);
  EXPECT_EQ(Int(d, 0, "Rotation"), 1);
  EXPECT_EQ(Int(d, 0, "Fold"), 4242);
  EXPECT_EQ(Int(d, 0, "EL"), 1);
  EXPECT_EQ(Int(d, 0, "ET"), 0);
  EXPECT_EQ(Int(d, 0, "ER"), 1);
  EXPECT_EQ(Int(d, 0, "EB"), 0);
  EXPECT_EQ(Text(d, 0, "Name"), "Brett");
  EXPECT_EQ(Text(d, 0, "Note"), "door");
  EXPECT_EQ(Text(d, 0, "NameE"), "");  // never taken from the file
  EXPECT_EQ(Text(d, 0, "NF"), "/d/a.dxf");
  EXPECT_EQ(Int(d, 0, "SetZ"), 1);
  EXPECT_EQ(Text(d, 0, "Zakaz"), "Z-1");
  EXPECT_EQ(Text(d, 0, "NoteG"), "AB");
  EXPECT_EQ(Text(d, 0, "Dist1"), "frame");
  EXPECT_EQ(Text(d, 0, "NameEL"), "PVC");
  EXPECT_EQ(Text(d, 0, "NameET"), "-");  // empty
  EXPECT_EQ(Text(d, 0, "NameER"), "-");  // blank
  EXPECT_EQ(Text(d, 0, "NameEB"), "ABS");
  EXPECT_EQ(s.tables.LastRotation, 1);
  EXPECT_EQ(s.tables.LastOrderNo, "");
}

TEST_F(JobLoad, RecordsOfUnknownMaterialsAreDroppedAndTheLastRowSetsCurrentMaterial) {
  Write("Kelvara3.dat", fixture::Concat({
                            Sheet({{"X", 100.0}, {"Y", 200.0}, {"Q", I{1}}, {"Name", Str("Cherry")}}),
                            Sheet({{"X", 300.0}, {"Y", 400.0}, {"Q", I{1}}, {"Name", Str("Gone")}}),
                            Part({{"X", 10.0}, {"Y", 20.0}, {"Q", I{3}}, {"Name", Str("Gone")}, {"Rotation", I{5}}}),
                            Part({{"X", 30.0}, {"Y", 40.0}, {"Q", I{1}}, {"Name", Str("Maple")}, {"Rotation", I{5}}}),
                            Sheet({{"X", 500.0}, {"Y", 600.0}, {"Q", I{2}}, {"Name", Str("Kiefer")}}),
                        }));
  FolderSession& s = Load();
  EXPECT_FALSE(HasStatus(Destroyed("Kelvara3.dat")));
  const Table& m = s.tables.rxM;
  ASSERT_EQ(m.Count(), 2);
  EXPECT_EQ(Text(m, 0, "Name"), "Cherry");
  EXPECT_EQ(Text(m, 1, "Name"), "Kiefer");
  const Table& d = s.tables.rxD;
  ASSERT_EQ(d.Count(), 1);
  EXPECT_EQ(Text(d, 0, "Name"), "Maple");
  EXPECT_EQ(Int(d, 0, "Rotation"), 2);  // above 2 is stored as 2
  EXPECT_EQ(s.tables.LastRotation, 2);
  EXPECT_EQ(s.options.CurrentMaterial, s.tables.MaterialIndex("Kiefer"));
  EXPECT_EQ(s.tables.MaterialName(s.options.CurrentMaterial), "Kiefer");
}

TEST_F(JobLoad, IncompleteLastRecordIsIgnored) {
  fixture::Bytes b = Sheet({{"X", 100.0}, {"Y", 200.0}, {"Q", I{1}}, {"Name", Str("Cherry")}});
  fixture::Bytes half = Sheet({{"X", 300.0}, {"Y", 400.0}, {"Q", I{1}}, {"Name", Str("Cherry")}});
  half.resize(500);
  Write("Kelvara3.dat", fixture::Concat({b, half}));
  FolderSession& s = Load();
  EXPECT_EQ(s.tables.rxM.Count(), 1);
}

TEST_F(JobLoad, NegativeRotationOfTheLastPartLeavesLastRotationZero) {
  Write("Kelvara3.dat", Part({{"X", 10.0}, {"Y", 20.0}, {"Q", I{1}}, {"Name", Str("Maple")}, {"Rotation", I{-3}}}));
  FolderSession& s = Load();
  ASSERT_EQ(s.tables.rxD.Count(), 1);
  EXPECT_EQ(s.tables.LastRotation, 0);
}

TEST_F(JobLoad, NumbersThatAreNoNumbersReadAsZero) {
  Write("Kelvara3.dat", Sheet({{"X", std::nan("")}, {"Y", 1e39}, {"Q", I{1}}, {"Name", Str("Cherry")}, {"TL", -1e39}}));
  FolderSession& s = Load();
  ASSERT_EQ(s.tables.rxM.Count(), 1);
  EXPECT_EQ(Real(s.tables.rxM, 0, "X"), 0.0);
  EXPECT_EQ(Real(s.tables.rxM, 0, "Y"), 0.0);
  EXPECT_EQ(Real(s.tables.rxM, 0, "TL"), 0.0);
}

// ---- Storehouse (step 7) -------------------------------------------------------------------

using StorehouseLoad = DataFolderTest;

fixture::Bytes Store(Values v) { return fixture::Record(fixture::StoreLayout(), v); }

TEST_F(StorehouseLoad, AbsentAndEmptyFiles) {
  FolderSession& a = Load();
  EXPECT_TRUE(HasStatus(NotFound("Kelvara3.mat")));
  EXPECT_TRUE(a.tables.rxMat.Empty());
  Write("Kelvara3.mat", fixture::Bytes(100, 1));
  Load();
  EXPECT_TRUE(HasStatus(Destroyed("Kelvara3.mat")));
}

TEST_F(StorehouseLoad, RecordFieldsAndQuantityToLoadNeverAboveQuantity) {
  WriteOptions({{"PageWidth", 21000.0}, {"Decimals", I{1}}});
  Write("Kelvara3.mat", fixture::Concat({Store({{"X", 1200.55},
                                                {"Y", 600.0},
                                                {"Q", I{3}},
                                                {"QM", I{2}},
                                                {"Num", I{0}},
                                                {"Material", Str("Maple")},
                                                {"N", Str("R17")}}),
                                         Store({{"X", 10.0}, {"Y", 20.0}, {"Q", I{1}}, {"QM", I{5}}, {"Material", Str("Cherry")}})}));
  FolderSession& s = Load();
  const Table& m = s.tables.rxMat;
  ASSERT_EQ(m.Count(), 2);
  EXPECT_DOUBLE_EQ(Real(m, 0, "X"), 1200.6);
  EXPECT_DOUBLE_EQ(Real(m, 0, "Y"), 600.0);
  EXPECT_EQ(Int(m, 0, "Q"), 3);
  EXPECT_EQ(Int(m, 0, "QM"), 2);
  EXPECT_EQ(Int(m, 0, "Num"), s.tables.MaterialIndex("Maple"));
  EXPECT_EQ(Text(m, 0, "N"), "R17");
  EXPECT_EQ(Int(m, 1, "QM"), 1);
  EXPECT_EQ(Int(m, 1, "Num"), s.tables.MaterialIndex("Cherry"));
  EXPECT_EQ(s.tables.storehouseMaterial, 0);
}

TEST_F(StorehouseLoad, ManyMaterialRule) {
  Write("Kelvara3.mat", fixture::Concat({Store({{"X", 10.0}, {"Y", 20.0}, {"Q", I{1}}, {"Material", Str("removed pic")}}),
                                         Store({{"X", 30.0}, {"Y", 40.0}, {"Q", I{1}}, {"Material", Str("Maple")}})}));
  // Without the value the unknown material's record becomes a row of material 0.
  FolderSession& a = Load();
  ASSERT_EQ(a.tables.rxMat.Count(), 2);
  EXPECT_EQ(Int(a.tables.rxMat, 0, "Num"), 0);
  // After a program end the value is "1": the record is dropped.
  settings.WriteString("ManyMaterial", "1");
  FolderSession& b = Load();
  ASSERT_EQ(b.tables.rxMat.Count(), 1);
  EXPECT_EQ(Int(b.tables.rxMat, 0, "Num"), b.tables.MaterialIndex("Maple"));
  EXPECT_FALSE(HasStatus(Destroyed("Kelvara3.mat")));
}

// ---- Outlines and notes (steps 8, 9) ---------------------------------------------------------

using OutlinesAndNotesLoad = DataFolderTest;

TEST_F(OutlinesAndNotesLoad, OutlineFileCases) {
  FolderSession& a = Load();
  EXPECT_TRUE(HasStatus(NotFound("Kelvara3.dac")));
  EXPECT_TRUE(a.shapeList.empty());
  Write("Kelvara3.dac", fixture::Bytes(43, 0));
  Load();
  EXPECT_TRUE(HasStatus(Destroyed("Kelvara3.dac")));
  Write("Kelvara3.dac", fixture::Concat({
                            fixture::Record(fixture::ShapeLayout(), {{"W", 300.0}, {"H", 200.0}, {"X1", -1.0}, {"Kind", Str("b")}, {"Fold", I{55}}}),
                            fixture::Record(fixture::ShapeLayout(), {{"X1", 0.0}, {"Y1", 0.0}, {"X2", 300.0}, {"Y2", std::nan("")}, {"Kind", Str("1")}, {"Fold", I{55}}}),
                            fixture::Bytes(20, 0),  // incomplete last record
                        }));
  FolderSession& c = Load();
  EXPECT_FALSE(HasStatus(Destroyed("Kelvara3.dac")));
  ASSERT_EQ(c.shapeList.size(), 2u);
  EXPECT_EQ(c.shapeList[0].W, 300.0f);
  EXPECT_EQ(c.shapeList[0].H, 200.0f);
  EXPECT_EQ(c.shapeList[0].X1, -1.0f);
  EXPECT_EQ(c.shapeList[0].Kind, 'b');
  EXPECT_EQ(c.shapeList[0].Id, 55);
  EXPECT_EQ(c.shapeList[1].X2, 300.0f);
  EXPECT_EQ(c.shapeList[1].Y2, -1.0f);
  EXPECT_EQ(c.shapeList[1].Kind, '1');
}

TEST_F(OutlinesAndNotesLoad, NotesFileCases) {
  for (const char* content : {static_cast<const char*>(nullptr), ""}) {
    if (content) WriteText("Kelvara3.nte", content);
    FolderSession& s = Load();
    EXPECT_TRUE(HasStatus(NotFound("Kelvara3.nte")));
    ASSERT_EQ(s.tables.rxN.Count(), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Text(s.tables.rxN, i, "NameN"), "Note " + std::to_string(i));
      EXPECT_EQ(Int(s.tables.rxN, i, "NC"), i + 1);
    }
  }
  WriteText("Kelvara3.nte", "glue\r\n\xF1\xF2\xE5\xEA\xEB\xEE\nlast");  // "стекло"
  FolderSession& s = Load();
  EXPECT_FALSE(HasStatus(NotFound("Kelvara3.nte")));
  ASSERT_EQ(s.tables.rxN.Count(), 3);
  EXPECT_EQ(Text(s.tables.rxN, 0, "NameN"), "glue");
  EXPECT_EQ(Text(s.tables.rxN, 1, "NameN"), "стекло");
  EXPECT_EQ(Text(s.tables.rxN, 2, "NameN"), "last");
  EXPECT_EQ(Int(s.tables.rxN, 2, "NC"), 3);
}

// ---- Order of the messages, and the grid widths (step 10) ------------------------------------

using LoadOrder = DataFolderTest;

TEST_F(LoadOrder, EmptyFolderReportsEveryFileInLoadOrder) {
  Load();
  EXPECT_EQ(Statuses(), (std::vector<std::string>{NotFound("Kelvara3.opt"), NotFound("Kelvara3.mtn"),
                                                  NotFound("Kelvara3.dat"), NotFound("Kelvara3.mat"),
                                                  NotFound("Kelvara3.dac"), NotFound("Kelvara3.nte")}));
}

TEST_F(LoadOrder, LoadingTwiceGivesTheSameTables) {
  WriteText("Kelvara3.nte", "a\r\nb\r\n");
  WriteOptions({{"PageWidth", 21000.0}}, {"PVC"});
  Write("Kelvara3.dat", Sheet({{"X", 100.0}, {"Y", 200.0}, {"Q", I{1}}, {"Name", Str("Cherry")}}));
  FolderSession& s = Load();
  s.files.LoadAll();
  EXPECT_EQ(s.tables.rxT.Count(), 1);
  EXPECT_EQ(s.tables.rxN.Count(), 2);
  EXPECT_EQ(s.tables.rxM.Count(), 1);
  EXPECT_EQ(s.tables.rxOM.Count(), s.tables.MaterialCount());
}

using GridWidthsLoad = DataFolderTest;

TEST_F(GridWidthsLoad, FirstMissingValueEndsTheReading) {
  auto all = [&] {
    for (int i = 0; i < 8; ++i) settings.WriteInteger("GMW" + std::to_string(i), 10 + i);
    for (int i = 0; i < 12; ++i) settings.WriteInteger("GDW" + std::to_string(i), 30 + i);
  };
  struct Case {
    const char* missing;
    int sheetsRead;
    int partsRead;
  };
  for (const Case c : {Case{"", 8, 12}, Case{"GMW3", 3, 0}, Case{"GMW7", 7, 12}, Case{"GDW5", 8, 5}, Case{"GMW0", 0, 0}}) {
    SCOPED_TRACE(c.missing);
    settings = MemorySettingsStore{};
    all();
    if (*c.missing) settings.Remove(c.missing);
    FolderSession& s = Load();
    s.files.LoadGridWidths();
    const GridWidths& g = s.files.gridWidths;
    for (int i = 0; i < 8; ++i) {
      if (i < c.sheetsRead) {
        ASSERT_TRUE(g.sheets[i].has_value()) << i;
        EXPECT_EQ(*g.sheets[i], 10 + i);
      } else {
        EXPECT_FALSE(g.sheets[i].has_value()) << i;
      }
    }
    for (int i = 0; i < 12; ++i) {
      if (i < c.partsRead) {
        ASSERT_TRUE(g.parts[i].has_value()) << i;
        EXPECT_EQ(*g.parts[i], 30 + i);
      } else {
        EXPECT_FALSE(g.parts[i].has_value()) << i;
      }
    }
  }
}

}  // namespace
}  // namespace kelvara

namespace kelvara {
namespace {

// ---- Files whose reading fails with an input/output error --------------------------------

using UnreadableFiles = testing_folder::DataFolderTest;

TEST_F(UnreadableFiles, EachFileGivesItsMessageAndTheLoadGoesOn) {
  // Reading /proc/self/mem from its start fails with an input/output error.
  if (!std::filesystem::exists("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem";
  WriteText("Kelvara3.mtn", "A\r\nB\r\n");
  for (const char* f : {"Kelvara3.opt", "Kelvara3.mkw", "Kelvara3.dat", "Kelvara3.mat", "Kelvara3.dac"})
    std::filesystem::create_symlink("/proc/self/mem", Path(f));
  FolderSession& s = Load();
  EXPECT_EQ(Statuses(), (std::vector<std::string>{Destroyed("Kelvara3.opt"), NotFound("Kelvara3.mkw"),
                                                  Destroyed("Kelvara3.dat"), Destroyed("Kelvara3.mat"),
                                                  Destroyed("Kelvara3.dac"), NotFound("Kelvara3.nte")}));
  EXPECT_EQ(s.options.CalcLevel, 1);
  EXPECT_EQ(s.tables.rxT.Count(), 3);
  EXPECT_EQ(testing_folder::Text(s.tables.rxOM, 0, "Mat"), "A");
  EXPECT_TRUE(s.tables.rxM.Empty());
  EXPECT_TRUE(s.tables.rxMat.Empty());
  // An unreadable names file counts as absent.
  std::filesystem::remove(Path("Kelvara3.mtn"));
  std::filesystem::create_symlink("/proc/self/mem", Path("Kelvara3.mtn"));
  FolderSession& again = Load();
  EXPECT_TRUE(HasStatus(NotFound("Kelvara3.mtn")));
  EXPECT_EQ(again.tables.rxOM.Count(), 25);
}

}  // namespace
}  // namespace kelvara
