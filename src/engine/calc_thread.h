#pragma once
// Run control of a calculation: the job, the calculation thread MyThread with its stop flag,
// progress and completion callbacks, and the completion steps on the result model.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "engine/calculation_driver.h"
#include "engine/layout_model.h"
#include "engine/random_source.h"

namespace kelvara {

// One calculation: the slot built by the calculation input (filled with the result while the
// calculation runs; the model's WriteSlot is left alone until completion), the settings taken at
// its start and its random source.
struct CalculationJob {
  std::unique_ptr<LayoutSlot> Slot = std::make_unique<LayoutSlot>();
  CalculationSettings Settings;
  RandomSource Random;
};

// Mirrors PosY of every part that carries a position of its own (placed on a sheet that is not a
// repetition) inside the usable width: PosY := (Y - TB) - (PosY - TT) - h.
void MirrorBottomUp(LayoutSlot& slot);

// The completion steps on the model: the result becomes slot WriteSlot and the viewed slot, takes
// a copy of the current ShapeList, is mirrored when bottomUp is set, and WriteSlot moves on (up
// to 100). `result` receives the slot's former content. Returns the viewed slot.
int ApplyCalculationResult(LayoutModel& model, std::unique_ptr<LayoutSlot>& result, bool bottomUp);

// Runs a job to its end on the calling thread and applies its result (the headless way).
// Returns the viewed slot.
int CalculateNow(LayoutModel& model, CalculationJob& job, bool bottomUp,
                 const std::function<void(int sheetsDone)>& progress = {});

// The calculation thread. Start() marks the model as calculating and runs CalculateLayouts on a
// std::thread. OnProgress runs on the calculation thread after every sheet and repetition (the
// window hands it over to its own thread and waits). OnTerminate runs on the calculation thread
// when the calculation has ended; the window then calls Complete() on its own thread. The object
// must outlive the thread: destroy it after Complete() (the destructor stops and joins).
class MyThread {
 public:
  MyThread(LayoutModel& model, std::unique_ptr<CalculationJob> job);
  ~MyThread();
  MyThread(const MyThread&) = delete;
  MyThread& operator=(const MyThread&) = delete;

  std::function<void(int sheetsDone)> OnProgress;
  std::function<void(MyThread&)> OnTerminate;

  void Start();
  // The stop request: the calculation ends at its next test point and completes as usual.
  void Terminate() { terminated_.store(true, std::memory_order_relaxed); }
  bool Terminated() const { return terminated_.load(std::memory_order_relaxed); }
  bool Finished() const { return finished_.load(std::memory_order_acquire); }
  // True when the calculation got through every sheet (no stop cut it short).
  bool RanToEnd() const { return ranToEnd_; }
  int SheetsDone() const { return sheetsDone_.load(std::memory_order_relaxed); }
  // Blocks until the calculation thread has ended.
  void WaitFor();
  // After the calculation has ended (Finished()), on the thread that owns the model: applies the
  // result (ApplyCalculationResult) and clears the model's running mark. Returns the viewed
  // slot, or -1 when the calculation has not finished or was already completed.
  int Complete(bool bottomUp);

 private:
  void Execute();

  LayoutModel& model_;
  std::unique_ptr<CalculationJob> job_;
  std::thread thread_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::atomic<int> sheetsDone_{0};
  bool ranToEnd_ = false;
  bool started_ = false;
  bool completed_ = false;
};

}  // namespace kelvara
