#pragma once
// The calculation driver: every sheet copy of every active material gets a fixed set of layout
// attempts; the best one is committed and identical sheets repeat it where the parts allow.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/layout_model.h"
#include "engine/placement.h"
#include "engine/random_source.h"

namespace kelvara {

// What a calculation reads besides the slot, taken when it starts.
struct CalculationSettings {
  int CalcLevel = 1;          // 0 Fast (Technological), 1 Normal, 2 Perfect
  int FirstCutDirection = 0;  // 0 any direction, 1 along X, 2 along Y
  float MinimalOffcut = 0;
  std::vector<float> MaterialKW;  // saw width per material number
};

// Part orders tried per sheet and pass: 7, 50 or 150 by level.
int OrdersForLevel(int calcLevel);

// Sheet indexes of a material in visiting order: descending PRT, equal priorities in index
// (table) order.
std::vector<int> SheetVisitOrder(const std::vector<List>& sheets);

// The sheet and part operations of the driver on whole records (the driver itself runs them on
// its compact copy of the parts; these give the same result on the records).
void TurnSheet(List& sheet, std::vector<Detail>& details);
void UnturnSheet(List& sheet, std::vector<Detail>& details);
void ShuffleDetails(std::vector<Detail>& details, RandomSource& random);

class CalculationDriver {
 public:
  CalculationDriver(LayoutSlot& slot, const CalculationSettings& settings, RandomSource& random);
  ~CalculationDriver();

  // Called after every sheet worked on and every sheet marked as a repetition, with SheetsDone.
  std::function<void(int sheetsDone)> ReportProgress;
  // The stop request; null for none.
  const std::atomic<bool>* Terminated = nullptr;
  // Called before each part order of a sheet is set up (material, sheet, pass 0/1, order 1..N).
  std::function<void(int material, int sheet, int pass, int order)> OnOrder;

  // Lays out the whole slot. False when a stop request ended it early; what was committed until
  // then stays in the slot.
  bool CalculateLayouts();
  int SheetsDone() const { return sheetsDone_; }

 private:
  bool StopRequested() const { return Terminated && Terminated->load(std::memory_order_relaxed); }
  bool LayoutMaterial(int m);
  bool LayoutSheet(int m, int j);  // false when stopped in pass 0
  void OrderParts(int t);
  void ShuffleParts();
  void TurnSheet(List& sheet);
  void UnturnSheet(List& sheet);
  void Commit(int m);
  void MarkRepeats(int m, int s);
  void Progress();
  void ApplyPartOrder(int m);  // puts the Detail records into the order of the compact copy

  LayoutSlot& slot_;
  const CalculationSettings& settings_;
  RandomSource& random_;
  std::unique_ptr<PlacementEngine> engine_;
  int orders_ = 0;
  int sheetsDone_ = 0;

  // Scratch memory, sized once per calculation.
  std::vector<HotPart> hot_;      // the material's parts in their current order
  std::vector<HotPart> shuffled_;
  std::vector<std::uint8_t> drawn_;
  std::vector<std::uint32_t> drawOrder_;
  std::vector<std::int32_t> bestPosOfSerial_;
  std::vector<std::int32_t> templateCount_;
  std::vector<std::int32_t> unplacedCount_;
  std::vector<std::int32_t> needCount_;
  std::vector<Detail> reordered_;
};

}  // namespace kelvara
