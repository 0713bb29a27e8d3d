// Project files (".spc" + ".spca"): written and read field by field against the test's own
// writer and reader, the extension and overwrite rules, outline keys, orphan outlines and
// damaged files.
#include "io/project_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "io_tables_fixture.h"

namespace kelvara {
namespace {

using test::ByteVec;
using test::Rec;
using test::View;

constexpr std::size_t kJob = 840;
constexpr std::size_t kShape = 44;

struct SheetFields {
  float X = 2800, Y = 2070;
  int Q = 2, Num = 3, PT = 5, PRT = 7;
  std::string Name = "Chipboard", Note = "stock";
  float TL = 10, TT = 0, TR = 12.5f, TB = 0;
};

Rec SheetRecord840(const SheetFields& s) {
  Rec r(kJob);
  r.ch(0, 'M').f32(4, s.X).f32(8, s.Y).i32(12, s.Q).i32(16, s.Num).str(32, s.Name).str(83, s.Note);
  r.i32(240, s.PT).i32(244, s.PRT).f32(280, s.TL).f32(284, s.TT).f32(288, s.TR).f32(292, s.TB);
  return r;
}

struct PartFields {
  char PD = 'D';
  float X = 600, Y = 400;
  int Q = 3, Num = 3, Rotation = 1, Fold = 0;
  int EL = 1, ET = 0, ER = 1, EB = 0;
  std::string Name = "Chipboard", Note = "door", NameE = "band", NF = "";
  int SetZ = 1;
  std::string Zakaz = "Z-9", NoteG = "AB", Dist1 = "frame 16";
  std::string NameEL = "ABS", NameET = "", NameER = "PVC", NameEB = "  ";
};

Rec PartRecord840(const PartFields& p) {
  Rec r(kJob);
  r.ch(0, 'D').ch(1, p.PD).f32(4, p.X).f32(8, p.Y).i32(12, p.Q).i32(16, p.Num).i32(20, p.Rotation);
  r.i32(24, p.Fold).u8(28, p.EL).u8(29, p.ET).u8(30, p.ER).u8(31, p.EB).str(32, p.Name).str(83, p.Note);
  r.str(134, p.NameE).str(185, p.NF).u8(236, p.SetZ).str(320, p.Zakaz).str(422, p.NoteG).str(473, p.Dist1);
  r.str(626, p.NameEL).str(677, p.NameET).str(728, p.NameER).str(779, p.NameEB);
  return r;
}

Rec ShapeRecord44(int id, char kind, float first = -1) {
  Rec r(kShape);
  for (int k = 0; k < 9; ++k) r.f32(4 * k, k == 0 ? first : -1.0f);
  r.ch(36, kind).i32(40, id);
  return r;
}

class ProjectFile : public test::TablesTest {
 protected:
  void AddSheetRow(double x, double y) {
    tables.rxM.Append();
    tables.rxM.Set("X", x);
    tables.rxM.Set("Y", y);
    tables.rxM.Set("Q", std::int64_t{4});
    tables.rxM.Set("PRT", std::int64_t{2});
    tables.rxM.Set("PT", std::int64_t{9});
    tables.rxM.Set("TL", 10.04);
    tables.rxM.Set("TT", 0.0);
    tables.rxM.Set("TR", 0.0);
    tables.rxM.Set("TB", 20.06);
    tables.rxM.Set("Note", std::string("sheet note"));
    tables.rxM.Post();
  }
  void AddPartRow() {
    Table& t = tables.rxD;
    t.Append();
    t.Set("X", 600.04);
    t.Set("Y", 399.96);
    t.Set("Q", std::int64_t{5});
    t.Set("Rotation", std::int64_t{2});
    t.Set("NameE", std::string("band type"));
    t.Set("EL", std::int64_t{1});
    t.Set("EB", std::int64_t{1});
    t.Set("PD", std::string("A"));
    t.Set("Note", std::string("part note"));
    t.Set("Fold", std::int64_t{4242});
    t.Set("NF", std::string("c:/drawings/a.dxf"));
    t.Set("SetZ", std::int64_t{1});
    t.Set("Zakaz", std::string("order 5"));
    t.Set("NoteG", std::string("XY"));
    t.Set("NameEL", std::string("ABS 2"));
    t.Set("NameET", std::string("-"));
    t.Set("NameER", std::string("-"));
    t.Set("NameEB", std::string("PVC 1"));
    t.Set("Dist1", std::string(70, 'd'));
    t.Post();
  }
  std::vector<ShapeRecord> shapes;
};

TEST_F(ProjectFile, SaveWritesEveryFieldAtItsOffset) {
  options.Decimals = 1;
  AddSheetRow(2800.56, 2070.04);
  AddPartRow();
  ShapeRecord s;
  s.W = 600;
  s.H = 400;
  s.X1 = std::nanf("");
  s.Radius = 3.5f;
  s.Kind = 'b';
  s.Id = 4242;
  shapes = {s};
  const std::string path = SaveProject(dir / "job", tables, shapes);
  ASSERT_EQ(path, dir / "job.spc");
  const ByteVec b = test::ReadBytes(path);
  ASSERT_EQ(b.size(), 2 * kJob);
  const View m(b, 0, kJob);
  EXPECT_EQ(m.ch(0), 'M');
  EXPECT_EQ(m.f32(4), 2800.6f);
  EXPECT_EQ(m.f32(8), 2070.0f);
  EXPECT_EQ(m.i32(12), 4);
  EXPECT_EQ(m.i32(16), 0);
  EXPECT_EQ(m.str(32), tables.MaterialName(0));
  EXPECT_EQ(m.str(83), "sheet note");
  EXPECT_EQ(m.i32(240), 9);
  EXPECT_EQ(m.i32(244), 2);
  EXPECT_EQ(m.f32(280), 10.0f);
  EXPECT_EQ(m.f32(284), 0.0f);
  EXPECT_EQ(m.f32(288), 0.0f);
  EXPECT_EQ(m.f32(292), 20.1f);
  const View d(b, kJob, kJob);
  EXPECT_EQ(d.ch(0), 'D');
  EXPECT_EQ(d.ch(1), 'A');
  EXPECT_EQ(d.f32(4), 600.0f);
  EXPECT_EQ(d.f32(8), 400.0f);
  EXPECT_EQ(d.i32(12), 5);
  EXPECT_EQ(d.i32(16), 0);
  EXPECT_EQ(d.i32(20), 2);
  EXPECT_EQ(d.i32(24), 4242);
  EXPECT_EQ(d.u8(28), 1u);
  EXPECT_EQ(d.u8(29), 0u);
  EXPECT_EQ(d.u8(30), 0u);
  EXPECT_EQ(d.u8(31), 1u);
  EXPECT_EQ(d.str(32), tables.MaterialName(0));
  EXPECT_EQ(d.str(83), "part note");
  EXPECT_EQ(d.str(134), "band type");
  EXPECT_EQ(d.str(185), "c:/drawings/a.dxf");
  EXPECT_EQ(d.u8(236), 1u);
  EXPECT_EQ(d.str(320), "order 5");
  EXPECT_EQ(d.str(422), "XY");
  EXPECT_EQ(d.str(473), std::string(50, 'd'));  // Dist1 cut to 50 characters
  EXPECT_EQ(d.str(626), "ABS 2");
  EXPECT_EQ(d.str(677), "-");
  EXPECT_EQ(d.str(728), "-");
  EXPECT_EQ(d.str(779), "PVC 1");

  const ByteVec o = test::ReadBytes(dir / "job.spca");
  ASSERT_EQ(o.size(), kShape);
  const View v(o, 0, kShape);
  EXPECT_EQ(v.f32(0), 600.0f);
  EXPECT_EQ(v.f32(4), 400.0f);
  EXPECT_EQ(v.f32(8), -1.0f);  // not a number
  EXPECT_EQ(v.f32(32), 3.5f);
  EXPECT_EQ(v.ch(36), 'b');
  EXPECT_EQ(v.i32(40), 4242);

  EXPECT_EQ(ui.last().text, "Project \"" + path + "\"  is saved");
  EXPECT_EQ(ui.last().icon, kIconSuccess);
  EXPECT_EQ(ui.last().seconds, 20);
}

TEST_F(ProjectFile, ExtensionRule) {
  EXPECT_EQ(ProjectFileName("a"), "a.spc");
  EXPECT_EQ(ProjectFileName("a.spc"), "a.spc");
  EXPECT_EQ(ProjectFileName("a.SPC"), "a.SPC.spc");
  EXPECT_EQ(OutlineFileName("a.spc"), "a.spca");
  AddSheetRow(100, 100);
  EXPECT_EQ(SaveProject(dir / "b.SPC", tables, shapes), dir / "b.SPC.spc");
  EXPECT_TRUE(std::filesystem::exists(dir / "b.SPC.spca"));
}

TEST_F(ProjectFile, NothingIsSavedWhenBothTablesAreEmpty) {
  EXPECT_EQ(SaveProject(dir / "empty", tables, shapes), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "empty.spc"));
  EXPECT_TRUE(ui.statuses.empty());
}

TEST_F(ProjectFile, OnlySheetsGiveAnEmptyOutlineFile) {
  AddSheetRow(100, 100);
  const std::string path = SaveProject(dir / "sheets", tables, shapes);
  EXPECT_EQ(test::ReadBytes(path).size(), kJob);
  ASSERT_TRUE(std::filesystem::exists(dir / "sheets.spca"));
  EXPECT_EQ(std::filesystem::file_size(dir / "sheets.spca"), 0u);
}

TEST_F(ProjectFile, SavingOverAProjectAsksFirst) {
  AddSheetRow(100, 100);
  test::WriteText(dir / "p.spc", "old");
  ui.answer = false;
  EXPECT_EQ(SaveProject(dir / "p.spc", tables, shapes), "");
  ASSERT_EQ(ui.asked.size(), 1u);
  EXPECT_EQ(ui.asked[0], "Such File Exists. To Rewrite");
  EXPECT_EQ(test::ReadBytes(dir / "p.spc").size(), 3u);
  EXPECT_FALSE(std::filesystem::exists(dir / "p.spca"));
  ui.answer = true;
  EXPECT_EQ(SaveProject(dir / "p", tables, shapes), dir / "p.spc");
  EXPECT_EQ(test::ReadBytes(dir / "p.spc").size(), kJob);
}

TEST_F(ProjectFile, AddReadsEveryFieldFromAnotherWriter) {
  options.Decimals = 1;
  SetMaterialKW(3, 3.2);
  tables.rxM.Append();
  tables.rxM.Set("X", 1.0);
  tables.rxM.Set("Y", 1.0);
  tables.rxM.Post();  // a row on screen stays first
  options.CurrentMaterial = 7;
  ByteVec file;
  SheetFields s;
  s.Name = tables.MaterialName(3);
  s.X = 2800.56f;
  SheetRecord840(s).AppendTo(file);
  PartFields p;
  p.Name = tables.MaterialName(3);
  p.X = 600.04f;
  PartRecord840(p).AppendTo(file);
  test::WriteBytes(dir / "in.spc", file);

  const ImportResult r = AddProject(dir / "in.spc", tables, shapes);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.sheetsAdded, 1);
  EXPECT_EQ(r.partsAdded, 1);
  const Table& m = tables.rxM;
  ASSERT_EQ(m.Count(), 2);
  EXPECT_EQ(F(m, 1, "X"), 2800.6);
  EXPECT_EQ(F(m, 1, "Y"), 2070);
  EXPECT_EQ(F(m, 1, "TL"), 10);
  EXPECT_EQ(F(m, 1, "TR"), 12.5);
  EXPECT_EQ(I(m, 1, "Q"), 2);
  EXPECT_EQ(I(m, 1, "PT"), 5);
  EXPECT_EQ(I(m, 1, "PRT"), 7);
  EXPECT_EQ(I(m, 1, "Num"), 3);
  EXPECT_EQ(S(m, 1, "Name"), tables.MaterialName(3));
  EXPECT_EQ(F(m, 1, "KW"), 3.2);
  EXPECT_EQ(S(m, 1, "Note"), "stock");
  EXPECT_EQ(S(m, 1, "Pr"), "L");  // new-row defaults first
  const Table& d = tables.rxD;
  ASSERT_EQ(d.Count(), 1);
  EXPECT_EQ(F(d, 0, "X"), 600);
  EXPECT_EQ(F(d, 0, "Y"), 400);
  EXPECT_EQ(I(d, 0, "Q"), 3);
  EXPECT_EQ(I(d, 0, "Num"), 3);
  EXPECT_EQ(S(d, 0, "Name"), tables.MaterialName(3));
  EXPECT_EQ(S(d, 0, "Note"), "door");
  EXPECT_EQ(I(d, 0, "Rotation"), 1);
  EXPECT_EQ(S(d, 0, "NameE"), "band");
  EXPECT_EQ(I(d, 0, "EL"), 1);
  EXPECT_EQ(I(d, 0, "ET"), 0);
  EXPECT_EQ(I(d, 0, "ER"), 1);
  EXPECT_EQ(I(d, 0, "EB"), 0);
  EXPECT_EQ(S(d, 0, "NameEL"), "ABS");
  EXPECT_EQ(S(d, 0, "NameET"), "-");  // saved empty
  EXPECT_EQ(S(d, 0, "NameER"), "PVC");
  EXPECT_EQ(S(d, 0, "NameEB"), "-");  // blank after trimming
  EXPECT_EQ(S(d, 0, "PD"), "D");
  EXPECT_EQ(I(d, 0, "SetZ"), 1);
  EXPECT_EQ(S(d, 0, "Zakaz"), "Z-9");
  EXPECT_EQ(S(d, 0, "NoteG"), "AB");
  EXPECT_EQ(S(d, 0, "Dist1"), "frame 16");
  EXPECT_EQ(I(d, 0, "Fold"), 0);

  EXPECT_EQ(ui.last().text, "Project is Added \"" + (dir / "in.spc") + "\" .");
  EXPECT_EQ(ui.last().icon, kIconSuccess);
  EXPECT_EQ(tables.rxM.Position(), 1);  // the last rows are current
  EXPECT_EQ(tables.rxD.Position(), 0);
  EXPECT_EQ(options.CurrentMaterial, 7);
  EXPECT_EQ(options.Decimals, 1);
}

TEST_F(ProjectFile, RowsOfAMaterialOutsideTheListAreAddedAsStored) {
  ByteVec file;
  SheetFields s;
  s.Num = 40;
  s.Name = "Walnut from another folder";
  SheetRecord840(s).AppendTo(file);
  PartFields p;
  p.Num = -2;
  p.Name = "Unknown";
  PartRecord840(p).AppendTo(file);
  test::WriteBytes(dir / "far.spc", file);
  ASSERT_TRUE(AddProject(dir / "far.spc", tables, shapes).ok);
  EXPECT_EQ(I(tables.rxM, 0, "Num"), 40);
  EXPECT_EQ(S(tables.rxM, 0, "Name"), "Walnut from another folder");
  EXPECT_EQ(F(tables.rxM, 0, "KW"), 0);
  EXPECT_EQ(I(tables.rxD, 0, "Num"), -2);
  EXPECT_EQ(S(tables.rxD, 0, "Name"), "Unknown");
}

TEST_F(ProjectFile, SawWidthOfAddedSheetsFollowsTheCommonSawWidth) {
  options.CommonSawWidth = 4;
  SetMaterialKW(0, 3.2);
  ByteVec file;
  SheetRecord840(SheetFields{}).AppendTo(file);
  test::WriteBytes(dir / "kw.spc", file);
  ASSERT_TRUE(AddProject(dir / "kw.spc", tables, shapes).ok);
  EXPECT_FLOAT_EQ(F(tables.rxM, 0, "KW"), 4);
}

// A project with two AutoCAD parts (keys 11 and 22) and an orphan outline (key 33).
ByteVec OutlineProject(const test::TempDir& dir, const std::string& name) {
  ByteVec file;
  PartFields a;
  a.PD = 'A';
  a.Fold = 11;
  PartRecord840(a).AppendTo(file);
  PartFields b = a;
  b.Fold = 22;
  PartRecord840(b).AppendTo(file);
  PartFields plain;
  PartRecord840(plain).AppendTo(file);
  test::WriteBytes(dir / name, file);
  ByteVec outline;
  for (int id : {11, 22, 33})
    for (char kind : {'b', '1', 'R', '1', 'E'}) ShapeRecord44(id, kind, static_cast<float>(id)).AppendTo(outline);
  test::WriteBytes(dir / (name + "a"), outline);
  return file;
}

TEST_F(ProjectFile, OutlinesGetFreshKeysAndOrphansAreDropped) {
  OutlineProject(dir, "o.spc");
  ShapeRecord existing;
  existing.Kind = 'b';
  existing.Id = 5;
  shapes = {existing};
  ASSERT_TRUE(AddProject(dir / "o.spc", tables, shapes).ok);
  const long long k1 = I(tables.rxD, 0, "Fold");
  const long long k2 = I(tables.rxD, 1, "Fold");
  EXPECT_GE(k1, 1);
  EXPECT_LE(k1, 777999111);
  EXPECT_GE(k2, 1);
  EXPECT_NE(k1, k2);
  EXPECT_EQ(I(tables.rxD, 2, "Fold"), 0);
  ASSERT_EQ(shapes.size(), 1u + 10u);  // the orphan outline of key 33 is not added
  for (std::size_t i = 1; i < shapes.size(); ++i) {
    const bool first = i <= 5;
    EXPECT_EQ(shapes[i].Id, first ? k1 : k2);
    EXPECT_EQ(shapes[i].W, first ? 11.0f : 22.0f);
  }
  EXPECT_EQ(shapes[1].Kind, 'b');
  EXPECT_EQ(shapes[5].Kind, 'E');
}

TEST_F(ProjectFile, AddingTwiceDoublesRowsWithSeparateOutlines) {
  OutlineProject(dir, "twice.spc");
  ASSERT_TRUE(AddProject(dir / "twice.spc", tables, shapes).ok);
  ASSERT_TRUE(AddProject(dir / "twice.spc", tables, shapes).ok);
  ASSERT_EQ(tables.rxD.Count(), 6);
  std::set<long long> keys;
  for (int row : {0, 1, 3, 4}) keys.insert(I(tables.rxD, row, "Fold"));
  EXPECT_EQ(keys.size(), 4u);
  ASSERT_EQ(shapes.size(), 20u);
  // Removing the first copy's outlines keeps the second copy's.
  const long long gone = I(tables.rxD, 0, "Fold");
  std::erase_if(shapes, [&](const ShapeRecord& s) { return s.Id == gone; });
  EXPECT_EQ(shapes.size(), 15u);
  EXPECT_EQ(std::count_if(shapes.begin(), shapes.end(), [&](const ShapeRecord& s) { return s.Id == I(tables.rxD, 3, "Fold"); }), 5);
}

TEST_F(ProjectFile, PartsSharingAnOutlineKeepSharingIt) {
  ByteVec file;
  PartFields a;
  a.PD = 'A';
  a.Fold = 11;
  PartRecord840(a).AppendTo(file);
  PartRecord840(a).AppendTo(file);
  test::WriteBytes(dir / "shared.spc", file);
  ByteVec outline;
  ShapeRecord44(11, 'b').AppendTo(outline);
  ShapeRecord44(11, 'E').AppendTo(outline);
  test::WriteBytes(dir / "shared.spca", outline);
  ASSERT_TRUE(AddProject(dir / "shared.spc", tables, shapes).ok);
  EXPECT_NE(I(tables.rxD, 0, "Fold"), 0);
  EXPECT_EQ(I(tables.rxD, 1, "Fold"), I(tables.rxD, 0, "Fold"));
  EXPECT_EQ(shapes.size(), 2u);
}

TEST_F(ProjectFile, AnAutoCadPartWithoutOutlineGetsKeyZero) {
  ByteVec file;
  PartFields a;
  a.PD = 'A';
  a.Fold = 11;
  PartRecord840(a).AppendTo(file);
  test::WriteBytes(dir / "bare.spc", file);  // no outline file at all
  ASSERT_TRUE(AddProject(dir / "bare.spc", tables, shapes).ok);
  EXPECT_EQ(I(tables.rxD, 0, "Fold"), 0);
  EXPECT_EQ(S(tables.rxD, 0, "PD"), "A");
  EXPECT_TRUE(shapes.empty());
}

TEST_F(ProjectFile, ExtraBytesAfterTheLastRecordAreIgnored) {
  ByteVec file;
  SheetRecord840(SheetFields{}).AppendTo(file);
  PartRecord840(PartFields{}).AppendTo(file);
  file.insert(file.end(), 100, 'D');
  test::WriteBytes(dir / "extra.spc", file);
  ByteVec outline;
  ShapeRecord44(1, 'b').AppendTo(outline);
  outline.insert(outline.end(), 20, 1);
  test::WriteBytes(dir / "extra.spca", outline);
  const ImportResult r = AddProject(dir / "extra.spc", tables, shapes);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(tables.rxM.Count(), 1);
  EXPECT_EQ(tables.rxD.Count(), 1);
}

TEST_F(ProjectFile, RecordsOfAnotherKindAreIgnored) {
  ByteVec file;
  Rec other(kJob);
  other.ch(0, 'X');
  other.AppendTo(file);
  SheetRecord840(SheetFields{}).AppendTo(file);
  test::WriteBytes(dir / "other.spc", file);
  ASSERT_TRUE(AddProject(dir / "other.spc", tables, shapes).ok);
  EXPECT_EQ(tables.rxM.Count(), 1);
  EXPECT_EQ(tables.rxD.Count(), 0);
}

TEST_F(ProjectFile, DamagedOrMissingProjectsAddNothing) {
  test::WriteBytes(dir / "short.spc", ByteVec(500, 'M'));
  test::WriteBytes(dir / "empty.spc", ByteVec{});
  for (const auto& [file, message] : std::vector<std::pair<std::string, std::string>>{
           {"short.spc", "File is Destroyed"}, {"empty.spc", "File is Destroyed"}, {"none.spc", "File not Found"}}) {
    ui.statuses.clear();
    const ImportResult r = AddProject(dir / file, tables, shapes);
    EXPECT_FALSE(r.ok) << file;
    EXPECT_EQ(ui.last().text, message + std::string(" \"") + (dir / file) + "\". Input Data Error");
    EXPECT_EQ(ui.last().icon, kIconError);
    EXPECT_EQ(ui.last().seconds, 20);
  }
  EXPECT_EQ(tables.rxM.Count(), 0);
  EXPECT_EQ(tables.rxD.Count(), 0);
  EXPECT_TRUE(shapes.empty());
}

TEST_F(ProjectFile, SaveThenAddRestoresTheRows) {
  options.Decimals = 2;
  AddSheetRow(2800.5, 2070.25);
  AddPartRow();
  ShapeRecord s;
  s.Kind = 'b';
  s.Id = 4242;
  shapes = {s};
  const std::string path = SaveProject(dir / "rt", tables, shapes);
  tables.rxM.Clear();
  tables.rxD.Clear();
  shapes.clear();
  ASSERT_TRUE(AddProject(path, tables, shapes).ok);
  EXPECT_EQ(F(tables.rxM, 0, "X"), 2800.5);
  EXPECT_EQ(F(tables.rxM, 0, "TB"), 20.06);
  EXPECT_EQ(F(tables.rxD, 0, "X"), 600.04);
  EXPECT_EQ(S(tables.rxD, 0, "NameEB"), "PVC 1");
  EXPECT_EQ(S(tables.rxD, 0, "NF"), "c:/drawings/a.dxf");
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(shapes[0].Id, I(tables.rxD, 0, "Fold"));
  EXPECT_NE(shapes[0].Id, 4242);
}

}  // namespace
}  // namespace kelvara
