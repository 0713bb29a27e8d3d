#include "engine/calc_thread.h"

#include <exception>

namespace kelvara {

void MirrorBottomUp(LayoutSlot& slot) {
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    if (!slot.Active(m)) continue;
    const std::vector<List>& sheets = slot.LayoutSheets[m];
    for (Detail& d : slot.LayoutDetails[m]) {
      if (d.Placed != 1 || d.Sheet < 0 || d.Sheet >= static_cast<int>(sheets.size())) continue;
      const List& s = sheets[d.Sheet];
      if (s.CopyOf >= 0) continue;  // parts of a repetition have no position of their own
      d.PosY = (s.Y - s.TB) - (d.PosY - s.TT) - d.H();
    }
  }
}

int ApplyCalculationResult(LayoutModel& model, std::unique_ptr<LayoutSlot>& result, bool bottomUp) {
  model.SwapIn(model.WriteSlot, result);
  model.ViewSlot = model.WriteSlot;
  LayoutSlot& view = model.View();
  view.ShapeLists = model.ShapeList;
  if (bottomUp) MirrorBottomUp(view);
  model.AdvanceWriteSlot();
  return model.ViewSlot;
}

int CalculateNow(LayoutModel& model, CalculationJob& job, bool bottomUp,
                 const std::function<void(int sheetsDone)>& progress) {
  CalculationDriver driver(*job.Slot, job.Settings, job.Random);
  driver.ReportProgress = progress;
  driver.CalculateLayouts();
  model.SheetsDone = driver.SheetsDone();
  return ApplyCalculationResult(model, job.Slot, bottomUp);
}

MyThread::MyThread(LayoutModel& model, std::unique_ptr<CalculationJob> job) : model_(model), job_(std::move(job)) {}

MyThread::~MyThread() {
  Terminate();
  WaitFor();
  if (started_ && !completed_) model_.CalculationRunning = false;
}

void MyThread::Start() {
  if (started_ || !job_) return;
  started_ = true;
  model_.CalculationRunning = true;
  model_.SheetsDone = 0;
  thread_ = std::thread([this] { Execute(); });
}

void MyThread::Execute() {
  try {
    CalculationDriver driver(*job_->Slot, job_->Settings, job_->Random);
    driver.Terminated = &terminated_;
    driver.ReportProgress = [this](int done) {
      sheetsDone_.store(done, std::memory_order_relaxed);
      if (OnProgress) OnProgress(done);
    };
    ranToEnd_ = driver.CalculateLayouts();
  } catch (const std::exception&) {
    // A failure inside the calculation ends it silently; what was committed stays.
    ranToEnd_ = false;
  }
  finished_.store(true, std::memory_order_release);
  if (OnTerminate) OnTerminate(*this);
}

void MyThread::WaitFor() {
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

int MyThread::Complete(bool bottomUp) {
  if (!Finished() || completed_ || !job_) return -1;
  completed_ = true;
  model_.SheetsDone = SheetsDone();
  const int view = ApplyCalculationResult(model_, job_->Slot, bottomUp);
  model_.CalculationRunning = false;
  return view;
}

}  // namespace kelvara
