// Jobs without the window: inputs by kind, a calculation saved as a layout and read back by the
// test's own reader, per-material summaries, rows of unknown materials, and the bench runner.
#include "io/batch_job.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "io/layout_file.h"
#include "io/project_file.h"
#include "io_tables_fixture.h"

namespace kelvara {
namespace {

using test::ByteVec;
using test::View;

class BatchJob : public test::TablesTest {
 protected:
  void Sheet(int num, double x, double y, int q, double trim = 0) {
    Table& t = tables.rxM;
    t.Append();
    t.Set("Num", std::int64_t{num});
    t.Set("Name", tables.MaterialName(num));
    t.Set("X", x);
    t.Set("Y", y);
    t.Set("Q", std::int64_t{q});
    for (const char* f : {"TL", "TT", "TR", "TB"}) t.Set(f, trim);
    t.Post();
  }
  void Part(int num, double x, double y, int q, int rotation = 1) {
    Table& t = tables.rxD;
    t.Append();
    t.Set("Num", std::int64_t{num});
    t.Set("Name", tables.MaterialName(num));
    t.Set("X", x);
    t.Set("Y", y);
    t.Set("Q", std::int64_t{q});
    t.Set("Rotation", std::int64_t{rotation});
    t.Post();
  }
  LayoutModel model;
};

struct FilePart {
  int m, index;
  float x, y, posX, posY;
  int sheet, rotated, placed, nc;
};
struct FileSheet {
  float x, y, tl, tt, tr, tb;
  int placedCount, copies, copyOf;
};

// The test's own reader of a layout file: sheets and parts by (material, index).
void ReadLayout(const ByteVec& b, std::map<std::pair<int, int>, FileSheet>& sheets, std::vector<FilePart>& parts) {
  ASSERT_EQ(b.size() % 556, 0u);
  for (std::size_t at = 0; at < b.size(); at += 556) {
    const View r(b, at, 556);
    if (r.ch(101) == 'M')
      sheets[{r.i32(308), r.i32(312)}] = {r.f32(0), r.f32(4), r.f32(40), r.f32(44), r.f32(48), r.f32(52),
                                          static_cast<int>(r.u16(56)), r.i32(92), r.i32(96)};
    if (r.ch(101) == 'D')
      parts.push_back({r.i32(308), r.i32(312), r.f32(0), r.f32(4), r.f32(20), r.f32(24), r.i32(32),
                       static_cast<int>(r.u8(37)), static_cast<int>(r.u8(58)), static_cast<int>(r.u16(28))});
  }
}

TEST_F(BatchJob, CalculatedLayoutReadBackShowsEveryPartWhereTheCalculationPutIt) {
  options.CommonSawWidth = 4;
  Sheet(0, 1000, 800, 3, 10);
  Sheet(2, 600, 500, 2);
  Part(0, 400, 300, 5);
  Part(0, 250, 180, 7);
  Part(0, 700, 120, 2, 0);
  Part(2, 200, 150, 6);
  Part(2, 590, 90, 1, 0);
  const CalcOutcome outcome = CalculateTables(tables, model, 7u);
  ASSERT_TRUE(outcome.ok);
  const std::string path = SaveLayout(dir / "job", model, "", model.MaterialKW, messages, ui);
  ASSERT_FALSE(path.empty());

  std::map<std::pair<int, int>, FileSheet> sheets;
  std::vector<FilePart> parts;
  ReadLayout(test::ReadBytes(path), sheets, parts);
  const LayoutSlot& slot = model.View();
  ASSERT_EQ(parts.size(), slot.LayoutDetails[0].size() + slot.LayoutDetails[2].size());
  EXPECT_EQ(parts.size(), 21u);
  int placed = 0;
  for (const FilePart& p : parts) {
    const Detail& d = slot.LayoutDetails[p.m][p.index];
    EXPECT_EQ(p.posX, d.PosX);
    EXPECT_EQ(p.posY, d.PosY);
    EXPECT_EQ(p.sheet, d.Sheet);
    EXPECT_EQ(p.rotated, d.Rotated);
    EXPECT_EQ(p.placed, d.Placed);
    EXPECT_EQ(p.nc, d.NC);
    placed += p.placed;
    if (!p.placed) continue;
    const FileSheet& s = sheets.at({p.m, p.sheet});
    if (s.copyOf >= 0) continue;  // drawn with the repeated sheet's layout
    const float w = p.rotated ? p.y : p.x;
    const float h = p.rotated ? p.x : p.y;
    EXPECT_GE(p.posX, s.tl - 0.001f);
    EXPECT_GE(p.posY, s.tt - 0.001f);
    EXPECT_LE(p.posX + w, s.x - s.tr + 0.001f);
    EXPECT_LE(p.posY + h, s.y - s.tb + 0.001f);
  }
  // Parts of one sheet layout never overlap.
  for (std::size_t i = 0; i < parts.size(); ++i)
    for (std::size_t j = i + 1; j < parts.size(); ++j) {
      const FilePart& a = parts[i];
      const FilePart& b = parts[j];
      if (!a.placed || !b.placed || a.m != b.m || a.sheet != b.sheet) continue;
      if (sheets.at({a.m, a.sheet}).copyOf >= 0) continue;
      const float aw = a.rotated ? a.y : a.x, ah = a.rotated ? a.x : a.y;
      const float bw = b.rotated ? b.y : b.x, bh = b.rotated ? b.x : b.y;
      const bool apart = a.posX + aw <= b.posX + 0.001f || b.posX + bw <= a.posX + 0.001f ||
                         a.posY + ah <= b.posY + 0.001f || b.posY + bh <= a.posY + 0.001f;
      EXPECT_TRUE(apart) << i << " " << j;
    }
  for (const auto& [key, s] : sheets) {
    const List& l = slot.LayoutSheets[key.first][key.second];
    EXPECT_EQ(s.placedCount, l.PlacedCount);
    EXPECT_EQ(s.copies, l.Copies);
    EXPECT_EQ(s.copyOf, l.CopyOf);
  }

  int summedPlaced = 0;
  for (const MaterialSummary& s : outcome.materials) summedPlaced += s.partsPlaced;
  EXPECT_EQ(summedPlaced, placed);
}

// The kerf a layout was calculated with comes back when it is opened, with or without the
// common saw width and with or without the ".kw3" file.
TEST_F(BatchJob, ReopenedLayoutKeepsTheKerfOfItsCalculation) {
  SetMaterialKW(0, 3.2);
  Sheet(0, 1000, 800, 1);
  Part(0, 300, 200, 4);
  for (float common : {4.0f, 0.0f}) {
    options.CommonSawWidth = common;
    const float used = common != 0 ? common : 3.2f;
    ASSERT_TRUE(CalculateTables(tables, model, 2u).ok);
    ASSERT_EQ(model.MaterialKW[0], used);
    const std::string path = SaveLayout(dir / "kerf", model, "", SavedSawWidths(model, tables), messages, ui);
    const ByteVec kw3 = test::ReadBytes(dir / "kerf.kw3");
    ASSERT_EQ(kw3.size(), 4u * tables.MaterialCount());
    EXPECT_EQ(View(kw3, 0, kw3.size()).f32(0), used);
    EXPECT_EQ(View(kw3, 0, kw3.size()).f32(4), common);  // material 1: 0 in the table

    // The material table changes after the calculation; the layout keeps its kerf.
    SetMaterialKW(0, 5);
    LayoutHistory history;
    std::string headline;
    model.MaterialKW.clear();
    ASSERT_TRUE(LoadLayoutFile(path, model, history, headline, messages, ui));
    EXPECT_EQ(model.MaterialKW[0], used);
    EXPECT_EQ(model.MaterialKW.size(), static_cast<std::size_t>(tables.MaterialCount()));
    SetMaterialKW(0, 3.2);
  }
}

TEST_F(BatchJob, SummaryPerActiveMaterial) {
  Sheet(0, 100, 100, 5);
  Part(0, 50, 50, 8);  // two sheets of four
  Sheet(1, 100, 100, 1);  // no parts: not active
  Part(3, 10, 10, 1);     // no sheets: not active
  const CalcOutcome o = CalculateTables(tables, model, 1u);
  ASSERT_TRUE(o.ok);
  EXPECT_TRUE(o.ranToEnd);
  ASSERT_EQ(o.materials.size(), 1u);
  const MaterialSummary& s = o.materials[0];
  EXPECT_EQ(s.material, 0);
  EXPECT_EQ(s.name, tables.MaterialName(0));
  EXPECT_EQ(s.sheetsOffered, 5);
  EXPECT_EQ(s.sheetsCut, 2);
  EXPECT_EQ(s.partsPlaced, 8);
  EXPECT_EQ(s.partsTotal, 8);
  EXPECT_NEAR(s.wasteArea, 0, 1e-6);

  std::ostringstream json;
  WriteCalcSummaryJson(json, o);
  EXPECT_NE(json.str().find("\"sheets_cut\": 2"), std::string::npos);
  EXPECT_NE(json.str().find("\"parts_total\": 8"), std::string::npos);
  EXPECT_NE(json.str().find("\"seconds\": "), std::string::npos);
  std::ostringstream text;
  WriteCalcSummaryText(text, o);
  EXPECT_NE(text.str().find("sheets offered 5, sheets cut 2, parts placed 8/8"), std::string::npos);
}

TEST_F(BatchJob, WasteAreaCountsEverySheetCut) {
  Sheet(0, 100, 100, 3);
  Part(0, 100, 60, 3, 0);  // one per sheet, 4000 left on each
  const CalcOutcome o = CalculateTables(tables, model, 1u);
  ASSERT_TRUE(o.ok);
  ASSERT_EQ(o.materials.size(), 1u);
  EXPECT_EQ(o.materials[0].sheetsCut, 3);
  EXPECT_NEAR(o.materials[0].wasteArea, 3 * 4000.0, 1e-3);
}

TEST_F(BatchJob, FailedInputCheckShowsItsMessage) {
  Part(0, 10, 10, 1);
  const CalcOutcome o = CalculateTables(tables, model, 1u);
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(ui.last().text, "No material is Assigned");
  EXPECT_EQ(ui.last().icon, kIconError);
}

TEST_F(BatchJob, RowsOfMaterialsOutsideTheListAreNeverIndexed) {
  test::Rec sheet(840);
  sheet.ch(0, 'M').f32(4, 100).f32(8, 100).i32(12, 2).i32(16, 40).str(32, "far");
  test::Rec part(840);
  part.ch(0, 'D').ch(1, 'D').f32(4, 10).f32(8, 10).i32(12, 3).i32(16, 40).str(32, "far");
  test::Rec negative = part;
  negative.i32(16, -7);
  ByteVec file;
  for (const test::Rec* r : {&sheet, &part, &negative}) r->AppendTo(file);
  test::WriteBytes(dir / "far.spc", file);
  std::string error;
  ASSERT_TRUE(AddJobInputs({dir / "far.spc"}, tables, model.ShapeList, error)) << error;
  // Only rows outside the list: nothing to calculate.
  EXPECT_FALSE(CalculateTables(tables, model, 1u).ok);
  EXPECT_EQ(ui.last().text, "Materials in Tables of Sheets and Parts do not Correspond");
  // Beside a real material they are skipped.
  Sheet(0, 100, 100, 1);
  Part(0, 50, 50, 1);
  const CalcOutcome o = CalculateTables(tables, model, 1u);
  ASSERT_TRUE(o.ok);
  ASSERT_EQ(o.materials.size(), 1u);
  EXPECT_EQ(o.materials[0].partsPlaced, 1);
  const std::string path = SaveLayout(dir / "far", model, "", model.MaterialKW, messages, ui);
  LayoutFileData data;
  EXPECT_EQ(ReadLayoutFile(path, model.MaterialCount, data), LayoutReadStatus::Ok);
}

TEST_F(BatchJob, InputsByKind) {
  EXPECT_EQ(InputKindOf("a.spc"), InputKind::Project);
  EXPECT_EQ(InputKindOf("A.SPC"), InputKind::Project);
  EXPECT_EQ(InputKindOf("b.Tc3"), InputKind::Text);
  EXPECT_EQ(InputKindOf("c.kelvara2"), InputKind::PreviousGeneration);
  EXPECT_EQ(InputKindOf("d.sl3"), InputKind::Unknown);
  EXPECT_EQ(InputKindOf("spc"), InputKind::Unknown);

  test::WriteText(dir / "a.tc3", "[Material]\n100 100 1 1\n[Detail]\n10 10 1 2\n");
  test::WriteText(dir / "b.tc3", "[Detail]\n20 20 1 1\n");
  std::string error;
  ASSERT_TRUE(AddJobInputs({dir / "a.tc3", dir / "b.tc3"}, tables, model.ShapeList, error));
  EXPECT_EQ(tables.rxM.Count(), 1);
  EXPECT_EQ(tables.rxD.Count(), 2);
  EXPECT_EQ(F(tables.rxD, 1, "X"), 20);  // in the order given

  EXPECT_FALSE(AddJobInputs({dir / "a.sl3"}, tables, model.ShapeList, error));
  EXPECT_NE(error.find("not a job file"), std::string::npos);
  EXPECT_FALSE(AddJobInputs({dir / "none.spc"}, tables, model.ShapeList, error));
  EXPECT_EQ(error, "File not Found \"" + (dir / "none.spc") + "\". Input Data Error");
  test::WriteText(dir / "bad.tc3", "[Detail]\n10,5 1 1\n");
  EXPECT_FALSE(AddJobInputs({dir / "bad.tc3"}, tables, model.ShapeList, error));
  EXPECT_EQ(error, "'10,5' is not a valid floating point value");
}

TEST(Bench, ClassOfAFile) {
  EXPECT_EQ(BenchClassOf("Class_01_100_1.tc3"), "Class_01");
  EXPECT_EQ(BenchClassOf("Class_10_80_9.tc3"), "Class_10");
  EXPECT_EQ(BenchClassOf("single_name.tc3"), "single_name.tc3");
  EXPECT_EQ(BenchClassOf("plain.tc3"), "plain.tc3");
}

TEST(Bench, BestKnownColumnsByName) {
  test::TempDir dir;
  test::WriteText(dir / "index.csv",
                  "best_known_oriented,file,best_known_rotation\r\n"
                  "5,a.tc3,4\r\n"
                  "x,b.tc3,y\r\n"
                  "7,c.tc3\r\n");
  const auto rotation = ReadBestKnown(dir / "index.csv", false);
  EXPECT_EQ(rotation, (std::map<std::string, long>{{"a.tc3", 4}}));
  const auto oriented = ReadBestKnown(dir / "index.csv", true);
  EXPECT_EQ(oriented, (std::map<std::string, long>{{"a.tc3", 5}, {"c.tc3", 7}}));
  EXPECT_TRUE(ReadBestKnown(dir / "none.csv", false).empty());
}

TEST(Bench, RunsEveryTextJobWithTheRotationRuleOfTheOptions) {
  test::TempDir dir;
  // The part fits its sheet only turned, whatever its own rotation field says.
  test::WriteText(dir / "K_01_1.tc3", "[Material]\n4 10 1 5\n[Detail]\n10 4 1 1 0\n");
  test::WriteText(dir / "K_01_2.tc3", "[Material]\n10 10 1 5\n[Detail]\n10 5 1 4 1\n");
  test::WriteText(dir / "K_02_1.tc3", "[Material]\n10 10 1 5\n[Detail]\n10 10 1 3\n");
  test::WriteText(dir / "notes.txt", "not a job");
  test::WriteText(dir / "index.csv", "file,best_known_rotation,best_known_oriented\nK_01_1.tc3,1,1\nK_01_2.tc3,2,2\n"
                                     "K_02_1.tc3,2,3\n");
  BenchOptions options;
  options.seed = 3;
  std::vector<std::string> seen;
  const BenchReport r = RunBench(dir.path().string(), options, [&](const BenchFile& f) { seen.push_back(f.file); });
  EXPECT_EQ(seen, (std::vector<std::string>{"K_01_1.tc3", "K_01_2.tc3", "K_02_1.tc3"}));
  ASSERT_EQ(r.files.size(), 3u);
  EXPECT_TRUE(r.files[0].ok);
  EXPECT_EQ(r.files[0].sheetsCut, 1);
  EXPECT_EQ(r.files[0].partsPlaced, 1);
  EXPECT_EQ(r.files[1].sheetsCut, 2);
  EXPECT_EQ(r.files[2].sheetsCut, 3);
  EXPECT_EQ(r.totalSheets, 6);
  ASSERT_TRUE(r.hasIndex);
  EXPECT_EQ(r.bestKnownTotal, 5);
  EXPECT_DOUBLE_EQ(r.ratio, 6.0 / 5.0);
  ASSERT_EQ(r.classes.size(), 2u);
  EXPECT_EQ(r.classes.at("K_01").sheets, 3);
  EXPECT_EQ(r.classes.at("K_01").bestKnown, 3);
  EXPECT_DOUBLE_EQ(r.classes.at("K_01").ratio, 1.0);
  EXPECT_DOUBLE_EQ(r.classes.at("K_02").ratio, 1.5);

  options.oriented = true;
  const BenchReport o = RunBench(dir.path().string(), options);
  EXPECT_EQ(o.files[0].partsPlaced, 0);
  EXPECT_EQ(o.files[0].sheetsCut, 0);
  EXPECT_EQ(o.bestKnownTotal, 6);

  std::ostringstream json;
  WriteBenchJson(json, r);
  EXPECT_NE(json.str().find("\"total_sheets\": 6"), std::string::npos);
  EXPECT_NE(json.str().find("\"best_known_total\": 5"), std::string::npos);
  EXPECT_NE(json.str().find("\"K_02\": {"), std::string::npos);
}

TEST(Bench, AFolderWithoutIndexHasNoRatio) {
  test::TempDir dir;
  test::WriteText(dir / "a.tc3", "[Material]\n10 10 1 1\n[Detail]\n5 5 1 1\n");
  test::WriteText(dir / "b.tc3", "[Detail]\n5,5 5 1 1\n");
  const BenchReport r = RunBench(dir.path().string(), BenchOptions{});
  EXPECT_FALSE(r.hasIndex);
  ASSERT_EQ(r.files.size(), 2u);
  EXPECT_TRUE(r.files[0].ok);
  EXPECT_FALSE(r.files[1].ok);
  EXPECT_EQ(r.files[1].error, "'5,5' is not a valid floating point value");
  std::ostringstream json;
  WriteBenchJson(json, r);
  EXPECT_EQ(json.str().find("ratio"), std::string::npos);
}

}  // namespace
}  // namespace kelvara
