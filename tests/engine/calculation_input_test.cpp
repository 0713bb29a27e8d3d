// "Run Calculation (F9)" input steps on the job tables.
#include <gtest/gtest.h>

#include <set>

#include "engine/calculation_input.h"
#include "model/job_tables.h"

namespace kelvara {
namespace {

struct StatusUi : ModelUi {
  std::vector<std::string> status;
  void ShowStatus(const std::string& t, int icon, int seconds) override {
    if (!t.empty()) status.push_back(t + (icon == kIconError ? " [error " + std::to_string(seconds) + "]" : ""));
  }
};

class CalculationInput : public ::testing::Test {
 public:
  void SetUp() override {
    jobs = std::make_unique<JobTables>(options, messages, ui);
    jobs->ResetMaterialNames();
  }
  void Sheet(int num, Value x, Value y, Value q, double trim = 0, long long prt = 0) {
    options.CurrentMaterial = static_cast<std::uint8_t>(num);
    Table& t = jobs->rxM;
    t.Append();
    t.Set("X", x);
    t.Set("Y", y);
    t.Set("Q", q);
    t.Set("PRT", static_cast<std::int64_t>(prt));
    for (const char* f : {"TL", "TT", "TR", "TB"}) t.Set(f, trim);
    t.Post();
  }
  void Part(int num, Value x, Value y, Value q, long long rotation = 1) {
    options.CurrentMaterial = static_cast<std::uint8_t>(num);
    Table& t = jobs->rxD;
    t.Append();
    t.Set("X", x);
    t.Set("Y", y);
    t.Set("Q", q);
    t.Set("Rotation", static_cast<std::int64_t>(rotation));
    t.Post();
  }
  std::string LastStatus() const { return ui.status.empty() ? "" : ui.status.back(); }

  Options options;
  MessageTable messages;
  StatusUi ui;
  LayoutModel model;
  std::unique_ptr<JobTables> jobs;
};

TEST_F(CalculationInput, BuildsOneRecordPerUnitGroupedByMaterial) {
  options.CommonSawWidth = 0;
  jobs->rxOM.SetAt(3, "KW", 4.4);
  Sheet(3, 2800.0, 2070.0, std::int64_t{2}, 10, 1);
  Sheet(0, 1000.0, 500.0, std::int64_t{1});
  Sheet(3, 1500.0, 1000.0, std::int64_t{0});  // quantity 0: no copies
  Part(3, 600.0, 400.0, std::int64_t{3});
  Part(0, 100.0, 50.0, std::int64_t{2}, 0);
  Part(5, 100.0, 50.0, std::int64_t{1});  // parts without sheets: material 5 inactive
  jobs->rxM.SetAt(0, "NC", std::int64_t{7});  // renumbered before reading
  auto job = RunCalculation(*jobs, model, 1);
  ASSERT_TRUE(job);
  const LayoutSlot& slot = *job->Slot;
  ASSERT_EQ(slot.MaterialCount(), 25);
  ASSERT_EQ(slot.LayoutSheets[3].size(), 2u);
  const List& s = slot.LayoutSheets[3][1];
  EXPECT_EQ(s.Serial, 1);
  EXPECT_EQ(s.NC, 1);
  EXPECT_EQ(s.UseX, 2780);
  EXPECT_EQ(s.UseY, 2050);
  EXPECT_EQ(s.PRT, 1);
  EXPECT_EQ(s.Pr, 'L');
  EXPECT_EQ(s.Area, 2800.0f * 2070.0f);
  EXPECT_EQ(s.FreeArea, s.Area);
  EXPECT_EQ(s.CopyOf, -1);
  EXPECT_EQ(slot.LayoutSheets[0][0].Serial, 2);
  ASSERT_EQ(slot.LayoutDetails[3].size(), 3u);
  EXPECT_EQ(slot.LayoutDetails[0][1].Serial, 4);
  EXPECT_EQ(slot.LayoutDetails[0][1].NC, 2);
  EXPECT_EQ(slot.LayoutDetails[0][1].PD, 'D');
  EXPECT_EQ(slot.LayoutDetails[0][1].Spare96, -1);
  EXPECT_EQ(slot.LayoutDetails[0][1].PosX, -1.0f);
  EXPECT_EQ(slot.LayoutDetails[5].size(), 1u);
  EXPECT_TRUE(slot.MaterialActive[3]);
  EXPECT_TRUE(slot.MaterialActive[0]);
  EXPECT_FALSE(slot.MaterialActive[5]);
  EXPECT_EQ(model.TotalSheets, 3);
  EXPECT_EQ(model.SheetCounts[3], 2);
  EXPECT_EQ(model.DetailCounts[5], 1);
  EXPECT_EQ(model.MaterialKW.size(), 25u);
  EXPECT_FLOAT_EQ(model.MaterialKW[3], 4.4f);
  EXPECT_FLOAT_EQ(job->Settings.MaterialKW[3], 4.4f);
  EXPECT_EQ(model.MaterialKW[0], 0);
  // The model's slot is untouched until the calculation completes.
  EXPECT_TRUE(model.Slot(0).LayoutSheets.empty());
  for (int i = 0; i < jobs->rxD.Count(); ++i) {
    EXPECT_EQ(std::get<std::int64_t>(jobs->rxD.GetAt(i, "NC")), i + 1);
    EXPECT_EQ(jobs->rxD.GetAt(i, "Q1"), jobs->rxD.GetAt(i, "Q"));
  }
  EXPECT_EQ(std::get<std::int64_t>(jobs->rxM.GetAt(0, "NC")), 1);
  EXPECT_FALSE(jobs->rxM.ControlsDisabled());
  EXPECT_FALSE(jobs->rxD.ControlsDisabled());
  EXPECT_EQ(jobs->rxM.Position(), 0);
}

TEST_F(CalculationInput, CommonSawWidthOverridesEveryMaterial) {
  options.CommonSawWidth = 3.2f;
  jobs->rxOM.SetAt(3, "KW", 4.4);
  Sheet(0, 1000.0, 500.0, std::int64_t{1});
  Part(0, 100.0, 50.0, std::int64_t{1});
  ASSERT_TRUE(RunCalculation(*jobs, model, 1));
  EXPECT_FLOAT_EQ(model.MaterialKW[3], 3.2f);
  EXPECT_FLOAT_EQ(model.MaterialKW[0], 3.2f);
  EXPECT_FLOAT_EQ(model.RecordedSawWidth, 3.2f);
}

TEST_F(CalculationInput, IndentEnlargesThePartButNotItsArea) {
  options.IndentValue = 5;
  Sheet(0, 1000.0, 500.0, std::int64_t{1});
  Part(0, 600.0, 400.0, std::int64_t{1});
  jobs->rxD.SetAt(0, "SetZ", std::int64_t{1});
  auto job = RunCalculation(*jobs, model, 1);
  ASSERT_TRUE(job);
  const Detail& d = job->Slot->LayoutDetails[0][0];
  EXPECT_EQ(d.X, 610);
  EXPECT_EQ(d.Y, 410);
  EXPECT_EQ(d.Area, 240000);
  EXPECT_EQ(d.SetZ, 1);
}

TEST_F(CalculationInput, JointRotationPartsOfARunStartAlikeAndRunsMayDiffer) {
  Sheet(0, 1000.0, 500.0, std::int64_t{1});
  Part(0, 600.0, 400.0, std::int64_t{3}, 2);
  Part(0, 300.0, 200.0, std::int64_t{2}, 1);
  Part(0, 100.0, 200.0, std::int64_t{2}, 2);
  std::set<int> starts;
  for (std::uint32_t seed = 1; seed <= 16; ++seed) {
    auto job = RunCalculation(*jobs, model, seed);
    ASSERT_TRUE(job);
    std::set<int> rotated;
    for (const Detail& d : job->Slot->LayoutDetails[0]) {
      if (d.Rotation == 2) rotated.insert(d.Rotated);
      else EXPECT_EQ(d.Rotated, 0);
    }
    ASSERT_EQ(rotated.size(), 1u);
    starts.insert(*rotated.begin());
  }
  EXPECT_EQ(starts.size(), 2u);
}

TEST_F(CalculationInput, FailuresReportAndLeaveTheGridsUpdating) {
  struct Case {
    const char* what;
    std::function<void(CalculationInput&)> fill;
    const char* message;
  } cases[] = {
      {"no sheets", [](CalculationInput& f) { f.Part(0, 100.0, 100.0, std::int64_t{1}); }, "No material is Assigned"},
      {"sheet without width",
       [](CalculationInput& f) {
         f.Sheet(0, 0.0, 500.0, std::int64_t{1});
         f.Part(0, 100.0, 100.0, std::int64_t{1});
       },
       "Error in Dimensioning and Quantity of Materials"},
      {"no parts", [](CalculationInput& f) { f.Sheet(0, 1000.0, 500.0, std::int64_t{1}); }, "No Parts are Assigned"},
      {"part without quantity",
       [](CalculationInput& f) {
         f.Sheet(0, 1000.0, 500.0, std::int64_t{1});
         f.Part(0, 100.0, 100.0, Value{});
       },
       "Error in Dimensioning and Quantity of Parts"},
      {"materials do not correspond",
       [](CalculationInput& f) {
         f.Sheet(0, 1000.0, 500.0, std::int64_t{1});
         f.Part(1, 100.0, 100.0, std::int64_t{1});
       },
       "Materials in Tables of Sheets and Parts do not Correspond"},
  };
  for (const Case& c : cases) {
    SetUp();
    ui.status.clear();
    c.fill(*this);
    EXPECT_FALSE(RunCalculation(*jobs, model, 1)) << c.what;
    EXPECT_EQ(LastStatus(), std::string(c.message) + " [error 20]") << c.what;
    EXPECT_FALSE(jobs->rxM.ControlsDisabled()) << c.what;
    EXPECT_FALSE(jobs->rxD.ControlsDisabled()) << c.what;
    EXPECT_EQ(model.WriteSlot, 0);
    EXPECT_EQ(model.ViewSlot, 0);
  }
}

TEST_F(CalculationInput, EmptyRowsAreRemovedWithoutAMessage) {
  Sheet(0, Value{}, Value{}, std::int64_t{1});
  Sheet(0, 0.0, 0.0, std::int64_t{1});
  Sheet(0, 1000.0, 500.0, std::int64_t{2});
  Part(0, 100.0, 100.0, std::int64_t{0});  // passes, gives no copies
  Part(0, 100.0, 100.0, std::int64_t{1});
  auto job = RunCalculation(*jobs, model, 1);
  ASSERT_TRUE(job);
  EXPECT_EQ(jobs->rxM.Count(), 1);
  EXPECT_EQ(job->Slot->LayoutSheets[0].size(), 2u);
  EXPECT_EQ(job->Slot->LayoutDetails[0].size(), 1u);
  EXPECT_EQ(job->Slot->LayoutDetails[0][0].NC, 2);
  EXPECT_TRUE(ui.status.empty() || ui.status.back().find("[error") == std::string::npos);
}

TEST_F(CalculationInput, NoCorrespondenceRebuildsWriteSlotOnlyWhenItIsNotOnView) {
  Sheet(0, 1000.0, 500.0, std::int64_t{1});
  Part(1, 100.0, 100.0, std::int64_t{1});
  model.WriteSlot = 100;
  model.ViewSlot = 100;
  model.Slot(100).Reset(25);
  model.Slot(100).LayoutSheets[4].resize(3);  // the result on view
  EXPECT_FALSE(RunCalculation(*jobs, model, 1));
  EXPECT_EQ(model.Slot(100).LayoutSheets[4].size(), 3u);
  model.WriteSlot = 5;
  EXPECT_FALSE(RunCalculation(*jobs, model, 1));
  EXPECT_EQ(model.Slot(5).LayoutSheets[0].size(), 1u);
  EXPECT_EQ(model.Slot(5).LayoutDetails[1].size(), 1u);
}

TEST_F(CalculationInput, NothingHappensWhileACalculationRuns) {
  Sheet(0, 1000.0, 500.0, std::int64_t{1});
  Part(0, 100.0, 100.0, std::int64_t{1});
  model.CalculationRunning = true;
  EXPECT_FALSE(RunCalculation(*jobs, model, 1));
  EXPECT_EQ(jobs->rxD.GetAt(0, "Q1"), Value{});
}

}  // namespace
}  // namespace kelvara
