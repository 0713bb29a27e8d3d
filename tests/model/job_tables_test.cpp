#include "model/job_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

struct RecordingUi : ModelUi {
  std::vector<std::string> status, warnings, infos;
  int switches = 0;
  void ShowStatus(const std::string& t, int icon, int) override {
    if (!t.empty()) status.push_back(t + (icon == kIconError ? " [error]" : ""));
  }
  void Warning(const std::string& t) override { warnings.push_back(t); }
  void Information(const std::string& t) override { infos.push_back(t); }
  void SwitchToDataPage() override { ++switches; }
};

class JobTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("kelvara-jt-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                          "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder / "Materials");
    jobs = std::make_unique<JobTables>(options, messages, ui);
    jobs->programFolder = folder.string() + "/";
  }
  void TearDown() override { fs::remove_all(folder); }

  void UseMaterials() {
    jobs->materials = MaterialList::Load(jobs->programFolder);
    jobs->ResetMaterialNames();
    jobs->materialBoxesFilled = true;
  }
  void Picture(const std::string& name) { std::ofstream(folder / "Materials" / name) << "jpg"; }
  void AddSheet(const std::string& material, Value x, Value y, Value q) {
    options.CurrentMaterial = static_cast<std::uint8_t>(jobs->MaterialIndex(material));
    jobs->rxM.Append();
    jobs->rxM.Set("X", x);
    jobs->rxM.Set("Y", y);
    jobs->rxM.Set("Q", q);
    jobs->rxM.Post();
  }

  fs::path folder;
  Options options;
  MessageTable messages;
  RecordingUi ui;
  std::unique_ptr<JobTables> jobs;
};

TEST(TableTest, EditOnEmptyStartsNewRowAndMovingPosts) {
  Table t("t", {{"NC", FieldType::Integer}, {"S", FieldType::String, 3}});
  int defaults = 0;
  t.onNewRecord = [&](Table&) { ++defaults; };
  t.Set("S", std::string("abcdef"));  // an edit on the empty table appends a row
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(t.Count(), 1);
  EXPECT_EQ(t.AsString("S"), "abc");  // cut to the capacity
  t.Append();
  EXPECT_EQ(t.state(), TableState::Insert);
  t.First();  // moving posts the new row
  EXPECT_EQ(t.state(), TableState::Browse);
  EXPECT_EQ(t.Count(), 2);
}

TEST(TableTest, SortIsCaseInsensitiveBothWaysAndKeepsCurrentRow) {
  Table t("t", {{"S", FieldType::String, 50}});
  for (const char* s : {"beta", "Alpha", "gamma", "ALPHA0", "Дуб", "акация"}) {
    t.Append();
    t.Set("S", std::string(s));
  }
  t.Post();
  t.MoveTo(2);
  const auto mark = t.GetBookmark();
  t.Sort("S", true);
  std::vector<std::string> got;
  for (int i = 0; i < t.Count(); ++i) got.push_back(Table::ValueText(t.GetAt(i, "S")));
  EXPECT_EQ(got, (std::vector<std::string>{"Alpha", "ALPHA0", "beta", "gamma", "акация", "Дуб"}));
  EXPECT_EQ(t.GetBookmark(), mark);
  t.Sort("S", false);
  EXPECT_EQ(Table::ValueText(t.GetAt(0, "S")), "Дуб");
}

TEST(TableTest, FilterLocateBookmarkAndCancel) {
  Table t("t", {{"N", FieldType::Integer}, {"X", FieldType::Float}});
  for (int i = 0; i < 6; ++i) {
    t.Append();
    t.Set("N", std::int64_t{i % 2});
    t.Set("X", std::string("1,5"));  // "," reads as "."
  }
  t.Post();
  EXPECT_DOUBLE_EQ(t.AsFloat("X"), 1.5);
  t.SetFilter([](const Row& r) { return std::get<std::int64_t>(r.values[0]) == 1; });
  EXPECT_EQ(t.Count(), 3);
  EXPECT_TRUE(t.Locate("N", std::int64_t{1}));
  EXPECT_FALSE(t.Locate("N", std::int64_t{0}));
  const auto mark = t.GetBookmark();
  t.ClearFilter();
  EXPECT_EQ(t.Count(), 6);
  EXPECT_TRUE(t.GotoBookmark(mark));
  EXPECT_EQ(t.Position(), 1);
  t.Edit();
  t.Set("X", 9.0);
  t.Cancel();  // an edit cancelled restores the row
  EXPECT_DOUBLE_EQ(t.AsFloat("X"), 1.5);
  t.Append();
  t.Cancel();  // a new row cancelled disappears
  EXPECT_EQ(t.Count(), 6);
}

TEST_F(JobTablesTest, NewRowDefaultsAndCancelKeepsTheRow) {
  UseMaterials();
  options.CurrentMaterial = 3;
  options.OrderNoOn = 1;
  jobs->rxOM.MoveTo(3);
  jobs->rxOM.Set("KW", 4.4);
  jobs->rxOM.Post();

  jobs->rxM.Append();
  EXPECT_EQ(jobs->rxM.AsInt("NC"), 1);
  EXPECT_EQ(jobs->rxM.AsInt("Q"), 1);
  EXPECT_EQ(jobs->rxM.AsInt("Num"), 3);
  EXPECT_EQ(jobs->rxM.AsString("Name"), "Cherrywd");
  EXPECT_EQ(jobs->rxM.AsString("Pr"), "L");
  EXPECT_DOUBLE_EQ(jobs->rxM.AsFloat("KW"), 4.4);
  EXPECT_TRUE(jobs->rxM.IsNull("X"));
  jobs->rxM.Cancel();  // Esc on a new sheet row keeps it
  EXPECT_EQ(jobs->rxM.Count(), 1);

  jobs->rxD.Append();
  jobs->rxD.Set("Rotation", std::int64_t{5});
  jobs->rxD.Set("Zakaz", std::string("A-17"));
  jobs->rxD.Cancel();  // posted instead
  EXPECT_EQ(jobs->rxD.Count(), 1);
  EXPECT_EQ(jobs->rxD.AsInt("Rotation"), 2);
  jobs->rxD.Append();
  EXPECT_EQ(jobs->rxD.AsInt("Rotation"), 2);  // LastRotation
  EXPECT_EQ(jobs->rxD.AsString("Zakaz"), "A-17");  // LastOrderNo
  EXPECT_EQ(jobs->rxD.AsString("PD"), "D");
  EXPECT_TRUE(jobs->rxD.IsNull("NameEL"));  // not "-"
}

TEST_F(JobTablesTest, StorehouseQuantityRules) {
  UseMaterials();
  jobs->rxMat.Append();  // no material selected: refused
  EXPECT_EQ(jobs->rxMat.Count(), 0);
  jobs->storehouseMaterial = 2;
  jobs->rxMat.Append();
  EXPECT_EQ(jobs->rxMat.AsInt("Num"), 2);
  EXPECT_EQ(jobs->rxMat.AsInt("QM"), 1);
  jobs->rxMat.Set("Q", std::int64_t{3});
  EXPECT_EQ(jobs->rxMat.AsInt("QM"), 3);
  jobs->rxMat.Set("QM", std::int64_t{5});
  jobs->rxMat.Post();
  EXPECT_EQ(jobs->rxMat.AsInt("QM"), 3);
}

TEST_F(JobTablesTest, MaterialNamesTableNeverGrows) {
  UseMaterials();
  jobs->rxOM.Append();
  EXPECT_EQ(jobs->rxOM.Count(), jobs->MaterialCount());
}

TEST_F(JobTablesTest, SawWidthChangeFollowsIntoSheetsUnlessCommonIsSet) {
  UseMaterials();
  AddSheet("Maple", 2800.0, 2070.0, std::int64_t{1});
  AddSheet("Teal", 2800.0, 2070.0, std::int64_t{1});
  for (double common : {0.0, 3.2}) {
    options.CommonSawWidth = static_cast<float>(common);
    jobs->rxOM.MoveTo(jobs->MaterialIndex("Maple"));
    jobs->rxOM.Edit();
    jobs->rxOM.Set("KW", 5.5);
    jobs->rxOM.Post();
    const double want = common == 0 ? 5.5 : static_cast<double>(3.2f);
    EXPECT_DOUBLE_EQ(std::get<double>(jobs->rxM.GetAt(0, "KW")), want);
    EXPECT_DOUBLE_EQ(std::get<double>(jobs->rxM.GetAt(1, "KW")), 0.0);
  }
}

TEST_F(JobTablesTest, PictureMaterialRenameMovesItsFile) {
  Picture("ash.jpg");
  Picture("birch.jpg");
  Picture("oak.light.jpg");
  UseMaterials();
  ASSERT_EQ(jobs->MaterialCount(), 28);
  AddSheet("birch", 100.0, 100.0, std::int64_t{1});

  // Material 27 takes the name of an existing picture: a number is appended, the file follows.
  jobs->rxOM.MoveTo(26);
  jobs->rxOM.Edit();
  jobs->rxOM.Set("Mat", std::string("ash"));
  jobs->rxOM.Post();
  const std::string renamed = jobs->rxOM.AsString("Mat");
  ASSERT_EQ(renamed.rfind("ash", 0), 0u);
  const int suffix = std::stoi(renamed.substr(3));
  EXPECT_GE(suffix, 0);
  EXPECT_LE(suffix, 998);
  EXPECT_EQ(ui.warnings.size(), 1u);
  EXPECT_TRUE(fs::exists(folder / "Materials" / (renamed + ".jpg")));
  EXPECT_FALSE(fs::exists(folder / "Materials" / "birch.jpg"));
  EXPECT_EQ(jobs->materials.Name(26), renamed);
  EXPECT_EQ(std::get<std::string>(jobs->rxM.GetAt(0, "Name")), renamed);

  // oak.light.jpg gives the material "oak"; no oak.jpg exists, so nothing moves, the box still says so.
  jobs->rxOM.MoveTo(27);
  jobs->rxOM.Edit();
  jobs->rxOM.Set("Mat", std::string("walnut"));
  jobs->rxOM.Post();
  EXPECT_TRUE(fs::exists(folder / "Materials" / "oak.light.jpg"));
  EXPECT_EQ(ui.infos.size(), 2u);
  EXPECT_EQ(jobs->materials.Name(27), "walnut");
}

TEST_F(JobTablesTest, BandRenameRewritesPartsAppendChangesNone) {
  UseMaterials();
  jobs->rxT.Append();
  jobs->rxT.Set("NameE", std::string("PVC 2"));
  jobs->rxT.Post();
  jobs->rxD.Append();
  for (auto f : {"NameE", "NameEL", "NameEB"}) jobs->rxD.Set(f, std::string("PVC 2"));
  jobs->rxD.Set("NameET", std::string("-"));
  jobs->rxD.Post();

  jobs->rxT.Append();
  jobs->rxT.Set("NameE", std::string("ABS"));
  jobs->rxT.Post();
  EXPECT_EQ(jobs->rxD.AsString("NameEL"), "PVC 2");

  jobs->rxT.First();
  jobs->rxT.Edit();
  jobs->rxT.Set("NameE", std::string("PVC 0.4"));
  jobs->rxT.Post();
  for (auto f : {"NameE", "NameEL", "NameEB"}) EXPECT_EQ(jobs->rxD.AsString(f), "PVC 0.4") << f;
  EXPECT_EQ(jobs->rxD.AsString("NameET"), "-");
  EXPECT_EQ(jobs->SideBandItems(), (std::vector<std::string>{"-", "PVC 0.4", "ABS"}));
}

TEST_F(JobTablesTest, Validation) {
  UseMaterials();
  struct Case {
    const char* what;
    std::vector<std::array<Value, 3>> rows;  // X, Y, Q
    bool ok;
    std::string message;
    int rowsAfter;
  };
  const Value e{};
  const std::vector<Case> cases = {
      {"empty table", {}, false, "No material is Assigned", 0},
      {"0 x 0 row disappears", {{0.0, 0.0, std::int64_t{1}}, {100.0, 50.0, std::int64_t{2}}}, true, "", 1},
      {"empty row disappears", {{e, e, e}, {100.0, 50.0, std::int64_t{2}}, {e, e, e}}, true, "", 1},
      {"X 0 with Y 500 fails", {{0.0, 500.0, std::int64_t{1}}}, false, "Error in Dimensioning and Quantity of Materials", 1},
      {"empty quantity fails", {{10.0, 500.0, e}}, false, "Error in Dimensioning and Quantity of Materials", 1},
      {"quantity 0 passes", {{10.0, 500.0, std::int64_t{0}}}, true, "", 1},
      {"only empty rows", {{e, e, e}}, false, "No material is Assigned", 0},
  };
  for (const auto& c : cases) {
    jobs->rxM.Clear();
    ui.status.clear();
    for (const auto& r : c.rows) AddSheet("Maple", r[0], r[1], r[2]);
    EXPECT_EQ(jobs->ValidateSheets(), c.ok) << c.what;
    EXPECT_EQ(jobs->rxM.Count(), c.rowsAfter) << c.what;
    if (!c.ok) {
      ASSERT_FALSE(ui.status.empty()) << c.what;
      EXPECT_EQ(ui.status.back(), c.message + " [error]") << c.what;
    }
  }
  jobs->rxD.Append();
  jobs->rxD.Set("X", 100.0);
  jobs->rxD.Set("Y", 100.0);
  jobs->rxD.SetNull("Q");
  jobs->rxD.Post();
  EXPECT_FALSE(jobs->ValidateParts());
  EXPECT_EQ(ui.status.back(), "Error in Dimensioning and Quantity of Parts [error]");
}

TEST_F(JobTablesTest, KeyFiltersAndOutOfRangeCurrentMaterial) {
  UseMaterials();
  options.CurrentMaterial = 200;
  EXPECT_EQ(jobs->CurrentMaterial(), 0);
  jobs->rxD.Append();
  EXPECT_EQ(jobs->rxD.AsString("Name"), "Bkwalnut");
  EXPECT_FALSE(JobTables::KeyAllowed(jobs->FilterFor(jobs->rxD, "Rotation"), U'5'));
  EXPECT_FALSE(JobTables::KeyAllowed(jobs->FilterFor(jobs->rxD, "Rotation"), U'\b'));
  EXPECT_TRUE(JobTables::KeyAllowed(jobs->FilterFor(jobs->rxD, "Rotation"), U'2'));
  EXPECT_FALSE(JobTables::KeyAllowed(jobs->FilterFor(jobs->rxM, "X"), U'-'));
  jobs->rxD.Set("PD", std::string("A"));
  EXPECT_FALSE(JobTables::KeyAllowed(jobs->FilterFor(jobs->rxD, "X"), U'7'));
}

}  // namespace
}  // namespace kelvara
