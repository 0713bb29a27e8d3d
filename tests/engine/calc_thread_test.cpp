// The calculation thread, its stop and progress, and the completion steps on the model.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "engine/calc_thread.h"
#include "engine_fixtures.h"

namespace kelvara {
namespace {

std::unique_ptr<CalculationJob> SmallJob(int sheets = 3, std::uint32_t seed = 1) {
  test::Problem p;
  p.Sheet(1000, 800, sheets, 0, 10);
  p.Part(450, 350, 10, 1);
  auto job = std::make_unique<CalculationJob>();
  *job->Slot = p.Build();
  job->Settings.CalcLevel = 0;
  job->Settings.MaterialKW = {4};
  job->Random = RandomSource(seed);
  return job;
}

// Waits for OnTerminate as a window thread would.
struct Finish {
  std::mutex m;
  std::condition_variable cv;
  bool done = false;
  void Signal() {
    std::lock_guard<std::mutex> l(m);
    done = true;
    cv.notify_all();
  }
  void Wait() {
    std::unique_lock<std::mutex> l(m);
    cv.wait(l, [&] { return done; });
  }
};

TEST(CalcThread, RunsReportsProgressAndCompletesIntoWriteSlot) {
  LayoutModel model;
  auto job = SmallJob();
  LayoutSlot expected = *job->Slot;
  test::Calculate(expected, job->Settings, 1);

  MyThread thread(model, std::move(job));
  std::vector<int> progress;
  Finish finish;
  thread.OnProgress = [&](int done) { progress.push_back(done); };
  thread.OnTerminate = [&](MyThread& t) {
    EXPECT_TRUE(t.Finished());
    finish.Signal();
  };
  thread.Start();
  EXPECT_TRUE(model.CalculationRunning);
  finish.Wait();
  EXPECT_EQ(model.WriteSlot, 0);
  EXPECT_EQ(thread.Complete(false), 0);
  EXPECT_EQ(thread.Complete(false), -1);  // once only
  EXPECT_FALSE(model.CalculationRunning);
  EXPECT_TRUE(thread.RanToEnd());
  EXPECT_EQ(model.ViewSlot, 0);
  EXPECT_EQ(model.WriteSlot, 1);
  EXPECT_EQ(test::CompareSlots(model.Slot(0), expected), "");
  ASSERT_FALSE(progress.empty());
  for (std::size_t i = 0; i < progress.size(); ++i) EXPECT_EQ(progress[i], static_cast<int>(i) + 1);
  EXPECT_EQ(model.SheetsDone, progress.back());
}

TEST(CalcThread, StopEndsAtTheNextTestPointAndCompletesWhatWasCommitted) {
  LayoutModel model;
  MyThread thread(model, SmallJob(3));
  Finish finish;
  thread.OnProgress = [&](int) { thread.Terminate(); };  // stop after the first sheet
  thread.OnTerminate = [&](MyThread&) { finish.Signal(); };
  thread.Start();
  finish.Wait();
  EXPECT_FALSE(thread.RanToEnd());
  EXPECT_EQ(thread.Complete(false), 0);
  const auto& sheets = model.View().LayoutSheets[0];
  EXPECT_EQ(sheets[0].Used, 1);
  EXPECT_EQ(sheets[2].Used, 0);
  EXPECT_EQ(test::CheckInvariants(model.View(), 1), "");
}

TEST(CalcThread, DestroyingARunningThreadStopsAndJoinsIt) {
  LayoutModel model;
  {
    test::Problem p;
    p.Sheet(2800, 2070, 50, 0, 10);
    for (int r = 0; r < 30; ++r) p.Part(100 + 37 * r, 100 + 23 * r, 10, 1);
    auto job = std::make_unique<CalculationJob>();
    *job->Slot = p.Build();
    job->Settings.CalcLevel = 2;
    job->Settings.MaterialKW = {4.4f};
    MyThread thread(model, std::move(job));
    thread.Start();
  }
  EXPECT_FALSE(model.CalculationRunning);
  EXPECT_TRUE(model.View().LayoutSheets.empty());  // nothing was completed into the model
}

TEST(Completion, HistoryFillsSlotsUpTo100AndThenRefillsSlot100) {
  LayoutModel model;
  for (int run = 0; run < 103; ++run) {
    auto job = SmallJob(1);
    job->Slot->LayoutSheets[0][0].Note = std::to_string(run);
    EXPECT_EQ(CalculateNow(model, *job, false), std::min(run, 100));
  }
  EXPECT_EQ(model.WriteSlot, 100);
  EXPECT_EQ(model.ViewSlot, 100);
  EXPECT_EQ(model.Slot(99).LayoutSheets[0][0].Note, "99");
  EXPECT_EQ(model.Slot(100).LayoutSheets[0][0].Note, "102");
}

TEST(Completion, TheSlotOnViewIsReplacedOnlyWhenTheNewResultIsComplete) {
  LayoutModel model;
  model.WriteSlot = model.ViewSlot = 100;
  model.Slot(100).Reset(1);
  model.Slot(100).LayoutSheets[0].resize(7);
  MyThread thread(model, SmallJob(3));
  Finish finish;
  thread.OnProgress = [&](int) {
    // While the calculation runs, the slot on view still holds the old result.
    EXPECT_EQ(model.Slot(100).LayoutSheets[0].size(), 7u);
  };
  thread.OnTerminate = [&](MyThread&) { finish.Signal(); };
  thread.Start();
  finish.Wait();
  EXPECT_EQ(model.Slot(100).LayoutSheets[0].size(), 7u);
  thread.Complete(false);
  EXPECT_EQ(model.Slot(100).LayoutSheets[0].size(), 3u);
  EXPECT_EQ(model.WriteSlot, 100);
}

TEST(Completion, CopiesTheShapeListAndMirrorsBottomUp) {
  LayoutModel model;
  model.ShapeList.push_back(ShapeRecord{});
  model.ShapeList.back().Id = 42;
  auto top = SmallJob(3);
  auto bottom = SmallJob(3);
  CalculateNow(model, *top, false);
  CalculateNow(model, *bottom, true);
  ASSERT_EQ(model.Slot(1).ShapeLists.size(), 1u);
  EXPECT_EQ(model.Slot(1).ShapeLists[0].Id, 42);
  const auto& a = model.Slot(0);
  const auto& b = model.Slot(1);
  int mirrored = 0;
  for (std::size_t i = 0; i < a.LayoutDetails[0].size(); ++i) {
    const Detail& d = a.LayoutDetails[0][i];
    const Detail& e = b.LayoutDetails[0][i];
    if (d.Placed == 0) continue;
    const List& s = a.LayoutSheets[0][d.Sheet];
    EXPECT_EQ(e.PosX, d.PosX);
    if (s.CopyOf >= 0) {
      EXPECT_EQ(e.PosY, d.PosY);  // no position of its own: left as it is
      continue;
    }
    EXPECT_FLOAT_EQ(e.PosY, (s.Y - s.TB) - (d.PosY - s.TT) - d.H());
    ++mirrored;
  }
  EXPECT_GT(mirrored, 0);
  EXPECT_EQ(test::CheckGeometry(b, {4}), "");
}

TEST(SortDetails, OneRecordAndAllEqualKeys) {
  std::vector<Detail> one(1);
  one[0].Serial = 9;
  SortDetails(one, 0, 0, kKeyX);
  EXPECT_EQ(one[0].Serial, 9);
  std::vector<Detail> same(40);
  for (int i = 0; i < 40; ++i) {
    same[i].Serial = i;
    same[i].X = 5;
  }
  SortDetails(same, 0, 39, kKeyX);
  std::vector<int> serials;
  for (const Detail& d : same) serials.push_back(d.Serial);
  std::sort(serials.begin(), serials.end());
  for (int i = 0; i < 40; ++i) EXPECT_EQ(serials[i], i);
}

TEST(SortDetails, EveryKeyAscendingWithinTheRange) {
  std::vector<Detail> d(30);
  for (int i = 0; i < 30; ++i) {
    d[i].X = float((i * 7) % 11);
    d[i].NC = static_cast<std::uint16_t>((i * 5) % 13);
    d[i].Sheet = (i * 3) % 7 - 1;
    d[i].PosY = float((i * 11) % 17) - 1;
  }
  const std::vector<Detail> before = d;
  SortDetails(d, 5, 24, kKeyNC);
  for (int i = 6; i <= 24; ++i) EXPECT_LE(d[i - 1].NC, d[i].NC);
  for (int i : {0, 4, 25, 29}) EXPECT_EQ(d[i].X, before[i].X);
  SortDetails(d, 0, 29, kKeySheet);
  for (int i = 1; i < 30; ++i) EXPECT_LE(d[i - 1].Sheet, d[i].Sheet);
  SortDetails(d, 0, 29, kKeyPosY);
  for (int i = 1; i < 30; ++i) EXPECT_LE(d[i - 1].PosY, d[i].PosY);
}

}  // namespace
}  // namespace kelvara
