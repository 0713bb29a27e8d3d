// Writing the program folder at program end (SaveAll), read back by the independent reader.
#include <gtest/gtest.h>

#include "data_files_folder.h"

namespace kelvara {
namespace {

using fixture::RecordView;
using fixture::Values;
using testing_folder::DataFolderTest;
using testing_folder::Int;
using testing_folder::Real;
using testing_folder::Text;

using Str = std::string;
using I = std::int64_t;

std::vector<std::string> FileLines(const fixture::Bytes& b) {
  std::vector<std::string> lines;
  std::string cur;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') {
      lines.push_back(cur);
      cur.clear();
      ++i;
    } else {
      cur += static_cast<char>(b[i]);
    }
  }
  EXPECT_TRUE(cur.empty()) << "last line without CR LF";
  return lines;
}

class SaveAllTest : public DataFolderTest {
 protected:
  // A complete program folder written by the independent writer.
  void WriteFullFolder() {
    AddPicture("walnut.jpg");
    WriteOptions({{"ReservedText", Str("xp")},
                  {"UnitsName", Str("cm.")},
                  {"CommonSawWidth", 0.0},
                  {"Reserved44", I{3}},
                  {"Reserved45", I{4}},
                  {"CalcLevel", I{2}},
                  {"Reserved57", I{5}},
                  {"Reserved58", I{6}},
                  {"Reserved59", I{7}},
                  {"Decimals", I{1}},
                  {"CurrentMaterial", I{2}},
                  {"Language", I{1}},
                  {"PageWidth", 29700.0},
                  {"PageHeight", 42000.0},
                  {"MarginTop", 700.0},
                  {"PrintStyle", 2.0},
                  {"CompanyName", Str("\xC0\xEB\xFC\xF4\xE0")},  // "Альфа"
                  {"PrintFontName", Str("Courier")},
                  {"Reserved552", Str("old")},
                  {"Reserved657", I{8}},
                  {"Reserved658", I{9}},
                  {"Reserved659", I{10}},
                  {"Reserved662", I{11}},
                  {"Reserved663", I{12}},
                  {"OrderNoOn", I{1}}},
                 {"PVC", "ABS"});
    std::string mtn;
    for (int i = 0; i < 25; ++i) mtn += (i == 1 ? std::string("\xC4\xD1\xCF") : "Mat" + std::to_string(i)) + "\r\n";
    WriteText("Kelvara3.mtn", mtn);
    Write("Kelvara3.mkw", fixture::Concat({fixture::Record(fixture::SawWidthLayout(), {{"KW", 3.2}, {"Mat", Str("Mat0")}}),
                                           fixture::Record(fixture::SawWidthLayout(), {{"KW", 4.8}, {"Mat", Str("walnut")}})}));
    Write("Kelvara3.dat",
          fixture::Concat({Sheet({{"X", 2750.0}, {"Y", 1830.5}, {"Q", I{4}}, {"Name", Str("Mat0")}, {"Note", Str("n1")},
                                  {"PT", I{5}}, {"PRT", I{2}}, {"TL", 10.0}, {"TR", 12.5}}),
                           Part({{"PD", Str("A")}, {"X", 600.0}, {"Y", 400.5}, {"Q", I{2}}, {"Rotation", I{1}},
                                 {"Fold", I{99}}, {"EL", I{1}}, {"EB", I{1}}, {"Name", Str("walnut")},
                                 {"Note", Str("door")}, {"NF", Str("a.dxf")}, {"SetZ", I{1}}, {"Zakaz", Str("Z7")},
                                 {"NoteG", Str("AB")}, {"Dist1", Str("frame")}, {"NameEL", Str("PVC")},
                                 {"NameEB", Str("ABS")}})}));
    Write("Kelvara3.mat", fixture::Record(fixture::StoreLayout(), {{"X", 1200.5},
                                                                    {"Y", 600.0},
                                                                    {"Q", I{3}},
                                                                    {"QM", I{2}},
                                                                    {"Material", Str("\xC4\xD1\xCF")},
                                                                    {"N", Str("R5")}}));
    Write("Kelvara3.dac",
          fixture::Concat({fixture::Record(fixture::ShapeLayout(), {{"W", 600.0}, {"H", 400.5}, {"X1", -1.0}, {"Y1", -1.0},
                                                                    {"X2", -1.0}, {"Y2", -1.0}, {"CX", -1.0}, {"CY", -1.0},
                                                                    {"Radius", -1.0}, {"Kind", Str("b")}, {"Fold", I{99}}}),
                           fixture::Record(fixture::ShapeLayout(), {{"W", -1.0}, {"H", -1.0}, {"X1", 0.0}, {"Y1", 0.0},
                                                                    {"X2", 600.0}, {"Y2", 0.0}, {"CX", -1.0}, {"CY", -1.0},
                                                                    {"Radius", -1.0}, {"Kind", Str("1")}, {"Fold", I{99}}})}));
    WriteText("Kelvara3.nte", "glue\r\nedge\r\n");
  }
};

TEST_F(SaveAllTest, EveryFileWrittenBackWithTheStoredValues) {
  WriteFullFolder();
  FolderSession& s = Load();
  const SaveReport report = s.files.SaveAll();
  EXPECT_TRUE(report.ok());

  // Options file: the "G" record, then one "T" per band.
  const fixture::Bytes opt = Read("Kelvara3.opt");
  ASSERT_EQ(opt.size(), 3u * 664u);
  RecordView g{fixture::OptionsLayout(), opt, 0};
  EXPECT_EQ(g.Str("Kind"), "G");
  EXPECT_EQ(g.Str("ReservedText"), "xp");
  EXPECT_EQ(g.Str("UnitsName"), "cm.");
  EXPECT_EQ(g.Int("Reserved44"), 3);
  EXPECT_EQ(g.Int("Reserved45"), 4);
  EXPECT_EQ(g.Int("CalcLevel"), 2);
  EXPECT_EQ(g.Int("Reserved57"), 5);
  EXPECT_EQ(g.Int("Reserved58"), 6);
  EXPECT_EQ(g.Int("Reserved59"), 7);
  EXPECT_EQ(g.Int("Decimals"), 1);
  EXPECT_EQ(g.Int("CurrentMaterial"), 25);  // moved to the material of the last job row
  EXPECT_EQ(g.Int("Language"), 1);
  EXPECT_EQ(g.Float("PageWidth"), 29700.0f);
  EXPECT_EQ(g.Float("PageHeight"), 42000.0f);
  EXPECT_EQ(g.Float("MarginTop"), 700.0f);
  EXPECT_EQ(g.Float("MarginLeft"), 0.0f);
  EXPECT_EQ(g.Float("PrintStyle"), 2.0f);
  EXPECT_EQ(g.Str("CompanyName"), "\xC0\xEB\xFC\xF4\xE0");
  EXPECT_EQ(g.Str("PrintFontName"), "Courier");
  EXPECT_EQ(g.Str("Reserved552"), " ");
  EXPECT_EQ(g.Str("Reserved603"), " ");
  EXPECT_EQ(g.Int("Reserved657"), 8);
  EXPECT_EQ(g.Int("Reserved658"), 0);
  EXPECT_EQ(g.Int("Reserved659"), 10);
  EXPECT_EQ(g.Int("Reserved662"), 11);
  EXPECT_EQ(g.Int("Reserved663"), 12);
  EXPECT_EQ(g.Int("OrderNoOn"), 1);
  RecordView t1{fixture::BandLayout(), opt, 1}, t2{fixture::BandLayout(), opt, 2};
  EXPECT_EQ(t1.Str("Kind"), "T");
  EXPECT_EQ(t1.Str("Name"), "PVC");
  EXPECT_EQ(t2.Str("Name"), "ABS");

  // Notes, then the 25 built-in names, in code page 1251 with CR LF.
  EXPECT_EQ(FileLines(Read("Kelvara3.nte")), (std::vector<std::string>{"glue", "edge"}));
  const auto names = FileLines(Read("Kelvara3.mtn"));
  ASSERT_EQ(names.size(), 25u);
  EXPECT_EQ(names[0], "Mat0");
  EXPECT_EQ(names[1], "\xC4\xD1\xCF");
  EXPECT_EQ(names[24], "Mat24");

  // Saw widths: one record per material, picture materials too.
  const fixture::Bytes mkw = Read("Kelvara3.mkw");
  ASSERT_EQ(mkw.size(), 26u * 56u);
  RecordView k0{fixture::SawWidthLayout(), mkw, 0}, k25{fixture::SawWidthLayout(), mkw, 25};
  EXPECT_EQ(k0.Str("Mat"), "Mat0");
  EXPECT_EQ(k0.Float("KW"), 3.2f);
  EXPECT_EQ(k25.Str("Mat"), "walnut");
  EXPECT_EQ(k25.Float("KW"), 4.8f);

  // Job: "M" records, then "D" records.
  const fixture::Bytes dat = Read("Kelvara3.dat");
  ASSERT_EQ(dat.size(), 2u * 840u);
  RecordView m{fixture::SheetLayout(), dat, 0};
  EXPECT_EQ(m.Str("Kind"), "M");
  EXPECT_EQ(m.Float("X"), 2750.0f);
  EXPECT_EQ(m.Float("Y"), 1830.5f);
  EXPECT_EQ(m.Int("Q"), 4);
  EXPECT_EQ(m.Int("Num"), 0);
  EXPECT_EQ(m.Str("Name"), "Mat0");
  EXPECT_EQ(m.Str("Note"), "n1");
  EXPECT_EQ(m.Int("PT"), 5);
  EXPECT_EQ(m.Int("PRT"), 2);
  EXPECT_EQ(m.Float("TL"), 10.0f);
  EXPECT_EQ(m.Float("TT"), 0.0f);
  EXPECT_EQ(m.Float("TR"), 12.5f);
  EXPECT_EQ(m.Float("TB"), 0.0f);
  RecordView d{fixture::PartLayout(), dat, 1};
  EXPECT_EQ(d.Str("Kind"), "D");
  EXPECT_EQ(d.Str("PD"), "A");
  EXPECT_EQ(d.Float("X"), 600.0f);
  EXPECT_EQ(d.Float("Y"), 400.5f);
  EXPECT_EQ(d.Int("Q"), 2);
  EXPECT_EQ(d.Int("Num"), 25);
  EXPECT_EQ(d.Int("Rotation"), 1);
  EXPECT_EQ(d.Int("Fold"), 99);
  EXPECT_EQ(d.Int("EL"), 1);
  EXPECT_EQ(d.Int("ET"), 0);
  EXPECT_EQ(d.Int("ER"), 0);
  EXPECT_EQ(d.Int("EB"), 1);
  EXPECT_EQ(d.Str("Name"), "walnut");
  EXPECT_EQ(d.Str("Note"), "door");
  EXPECT_EQ(d.Str("NameE"), "");
  EXPECT_EQ(d.Str("NF"), "a.dxf");
  EXPECT_EQ(d.Int("SetZ"), 1);
  EXPECT_EQ(d.Str("Zakaz"), "Z7");
  EXPECT_EQ(d.Str("NoteG"), "AB");
  EXPECT_EQ(d.Str("Dist1"), "frame");
  EXPECT_EQ(d.Str("NameEL"), "PVC");
  EXPECT_EQ(d.Str("NameET"), "-");
  EXPECT_EQ(d.Str("NameER"), "-");
  EXPECT_EQ(d.Str("NameEB"), "ABS");

  // Storehouse: the material name is that of the row's material.
  const fixture::Bytes mat = Read("Kelvara3.mat");
  ASSERT_EQ(mat.size(), 124u);
  RecordView st{fixture::StoreLayout(), mat, 0};
  EXPECT_EQ(st.Float("X"), 1200.5f);
  EXPECT_EQ(st.Float("Y"), 600.0f);
  EXPECT_EQ(st.Int("Q"), 3);
  EXPECT_EQ(st.Int("QM"), 2);
  EXPECT_EQ(st.Int("Num"), 1);
  EXPECT_EQ(st.Str("Material"), "\xC4\xD1\xCF");
  EXPECT_EQ(st.Str("N"), "R5");

  // Outlines byte for byte as they came.
  EXPECT_EQ(Read("Kelvara3.dac").size(), 88u);
  const fixture::Bytes dac = Read("Kelvara3.dac");
  RecordView s1{fixture::ShapeLayout(), dac, 1};
  EXPECT_EQ(s1.Float("X2"), 600.0f);
  EXPECT_EQ(s1.Float("CX"), -1.0f);
  EXPECT_EQ(s1.Str("Kind"), "1");
  EXPECT_EQ(s1.Int("Fold"), 99);

  EXPECT_EQ(settings.ReadString("ManyMaterial").value_or(""), "1");
}

TEST_F(SaveAllTest, SecondLoadAndSaveChangesNoByte) {
  WriteFullFolder();
  Load().files.SaveAll();
  const char* files[] = {"Kelvara3.opt", "Kelvara3.mtn", "Kelvara3.mkw", "Kelvara3.dat",
                         "Kelvara3.mat", "Kelvara3.dac", "Kelvara3.nte"};
  std::vector<fixture::Bytes> first;
  for (const char* f : files) first.push_back(Read(f));
  Load().files.SaveAll();
  for (std::size_t i = 0; i < std::size(files); ++i) EXPECT_EQ(Read(files[i]), first[i]) << files[i];
}

TEST_F(SaveAllTest, SizesRoundedToDecimalsOnWriting) {
  WriteOptions({{"PageWidth", 21000.0}, {"Decimals", I{1}}});
  FolderSession& s = Load();
  Table& m = s.tables.rxM;
  m.Append();
  m.Set("X", 1234.56);
  m.Set("Y", 99.94);
  m.Set("TB", 0.05);
  m.Post();
  s.tables.rxOM.SetAt(0, "KW", 3.26);
  s.tables.rxMat.Append();
  s.tables.rxMat.Set("X", 10.25);
  s.tables.rxMat.Post();
  s.files.SaveAll();
  RecordView r{fixture::SheetLayout(), Read("Kelvara3.dat"), 0};
  EXPECT_EQ(r.Float("X"), 1234.6f);
  EXPECT_EQ(r.Float("Y"), 99.9f);
  EXPECT_EQ(r.Float("TB"), 0.1f);
  EXPECT_EQ((RecordView{fixture::SawWidthLayout(), Read("Kelvara3.mkw"), 0}.Float("KW")), 3.3f);
  EXPECT_EQ((RecordView{fixture::StoreLayout(), Read("Kelvara3.mat"), 0}.Float("X")), 10.3f);
  // Reloaded, the sheet has the rounded length.
  FolderSession& again = Load();
  ASSERT_EQ(again.tables.rxM.Count(), 1);
  EXPECT_DOUBLE_EQ(Real(again.tables.rxM, 0, "X"), 1234.6);
}

TEST_F(SaveAllTest, LongBandNameAndEmptySideNamesComeBackAfterARestart) {
  FolderSession& s = Load();
  s.tables.rxT.Append();
  s.tables.rxT.Set("NameE", Str("Band with thirty characters 30"));
  s.tables.rxT.Post();
  Table& d = s.tables.rxD;
  d.Append();
  d.Set("X", 100.0);
  d.Set("Y", 50.0);
  d.Set("NameE", Str("band type"));
  d.Post();
  EXPECT_TRUE(s.files.SaveAll().ok());
  FolderSession& again = Load();
  ASSERT_EQ(again.tables.rxT.Count(), 4);
  EXPECT_EQ(Text(again.tables.rxT, 3, "NameE"), "Band with thirty cha");
  ASSERT_EQ(again.tables.rxD.Count(), 1);
  EXPECT_EQ(Text(again.tables.rxD, 0, "NameEL"), "-");
  EXPECT_EQ(Text(again.tables.rxD, 0, "NameEB"), "-");
  EXPECT_EQ(Text(again.tables.rxD, 0, "NameE"), "");
}

TEST_F(SaveAllTest, NamesFileAlwaysHoldsTwentyFiveLines) {
  AddPicture("walnut.jpg");
  std::string mtn;
  for (int i = 0; i < 30; ++i) mtn += "N" + std::to_string(i) + "\n";
  WriteText("Kelvara3.mtn", mtn);
  Load().files.SaveAll();
  const auto names = FileLines(Read("Kelvara3.mtn"));
  ASSERT_EQ(names.size(), 25u);
  EXPECT_EQ(names[24], "N24");
  EXPECT_EQ(Read("Kelvara3.mkw").size(), 26u * 56u);
}

TEST_F(SaveAllTest, FilesAreWrittenAnew) {
  Write("Kelvara3.dat", fixture::Concat({Sheet({{"X", 1.0}, {"Y", 1.0}, {"Q", I{1}}, {"Name", Str("Gone")}}),
                                         Sheet({{"X", 1.0}, {"Y", 1.0}, {"Q", I{1}}, {"Name", Str("Gone")}})}));
  Load().files.SaveAll();
  EXPECT_TRUE(Read("Kelvara3.dat").empty());
}

TEST_F(SaveAllTest, FailureWithOneFileDoesNotStopTheOthers) {
  // A folder where the notes file should be: it cannot be replaced.
  std::filesystem::create_directories(Path("Kelvara3.nte") + "/keep");
  FolderSession& s = Load();
  const SaveReport report = s.files.SaveAll();
  EXPECT_EQ(report.failed, (std::vector<std::string>{"Kelvara3.nte"}));
  for (const char* f : {"Kelvara3.opt", "Kelvara3.mtn", "Kelvara3.mkw", "Kelvara3.dat", "Kelvara3.mat", "Kelvara3.dac"})
    EXPECT_TRUE(std::filesystem::is_regular_file(Path(f))) << f;
  EXPECT_TRUE(std::filesystem::is_directory(Path("Kelvara3.nte") + "/keep"));
  // No temporary file is left behind.
  for (const auto& e : std::filesystem::directory_iterator(Folder()))
    EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST_F(SaveAllTest, StorehouseWrittenWholeWhileFilteredAndTheFilterComesBack) {
  FolderSession& s = Load();
  Table& m = s.tables.rxMat;
  for (int material : {0, 1, 1}) {
    s.tables.storehouseMaterial = material;
    m.Append();
    m.Set("X", 100.0 + material);
    m.Post();
  }
  s.tables.storehouseMaterial = 1;
  s.tables.FilterStorehouse(true);
  ASSERT_EQ(m.Count(), 2);
  s.files.SaveAll();
  const fixture::Bytes mat = Read("Kelvara3.mat");
  ASSERT_EQ(mat.size(), 3u * 124u);
  EXPECT_EQ((RecordView{fixture::StoreLayout(), mat, 0}.Str("Material")), s.tables.MaterialName(0));
  EXPECT_EQ((RecordView{fixture::StoreLayout(), mat, 2}.Str("Material")), s.tables.MaterialName(1));
  EXPECT_TRUE(m.Filtered());
  EXPECT_EQ(m.Count(), 2);
}

TEST_F(SaveAllTest, GridWidthsAndManyMaterialGoToTheSettings) {
  FolderSession& s = Load();
  for (int i = 0; i < 8; ++i) s.files.gridWidths.sheets[i] = 40 + i;
  for (int i = 0; i < 12; ++i) s.files.gridWidths.parts[i] = 60 + i;
  s.files.SaveAll();
  EXPECT_EQ(settings.ReadString("ManyMaterial").value_or(""), "1");
  EXPECT_EQ(settings.ReadInteger("GMW7").value_or(-1), 47);
  EXPECT_EQ(settings.ReadInteger("GDW11").value_or(-1), 71);
  FolderSession& again = Load();
  again.files.LoadGridWidths();
  EXPECT_EQ(again.files.gridWidths.sheets[0].value_or(-1), 40);
  EXPECT_EQ(again.files.gridWidths.parts[11].value_or(-1), 71);
}

// Saving a job with no parts, no storehouse and no outlines writes empty files; the next start
// reads them as empty tables without calling them damaged. A stub of a record still is damaged.
TEST_F(SaveAllTest, EmptyTablesSavedComeBackWithoutMessages) {
  Load();
  Session().files.SaveAll();
  for (const char* f : {"Kelvara3.dat", "Kelvara3.mat", "Kelvara3.dac"}) EXPECT_TRUE(Read(f).empty()) << f;
  Load();
  for (const char* f : {"Kelvara3.dat", "Kelvara3.mat", "Kelvara3.dac"}) {
    EXPECT_FALSE(HasStatus(Destroyed(f))) << f;
    EXPECT_FALSE(HasStatus(NotFound(f))) << f;
  }
  Write("Kelvara3.dac", fixture::Bytes(10, 0));
  Load();
  EXPECT_TRUE(HasStatus(Destroyed("Kelvara3.dac")));
}


}  // namespace
}  // namespace kelvara
