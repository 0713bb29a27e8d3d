#pragma once
// The layout results: a history of 101 slots, each with per-material sheet and part copies.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/shape_record.h"

namespace kelvara {

// One cut line segment of a sheet.
struct CutLine {
  float X = 0, Y = 0, W = 0, H = 0;
  bool SideL = false, SideT = false, SideR = false, SideB = false;
};

// One sheet copy.
struct List {
  float X = 0, Y = 0;
  float UseX = 0, UseY = 0;
  std::int32_t Serial = 0;
  std::uint16_t NC = 0;
  std::uint8_t Num = 0;
  std::uint8_t PRT = 0;
  float TL = 0, TT = 0, TR = 0, TB = 0;
  std::uint16_t PlacedCount = 0;
  std::uint8_t Used = 0;
  std::string Note;
  float Area = 0;
  float OffcutArea = 0;
  float FreeArea = 0;
  float CutLength = 0;
  std::int32_t Copies = 0;
  std::int32_t CopyOf = -1;
  std::uint8_t Pr = 0;
  std::uint8_t FirstCut = 0;
  std::uint8_t Transposed = 0;
  std::vector<CutLine> Cuts;
};

// One part copy.
struct Detail {
  float X = 0, Y = 0;
  std::int32_t Serial = 0;
  std::uint8_t Num = 0;
  float PosX = -1.0f, PosY = -1.0f;
  std::uint16_t NC = 0;
  std::int32_t Sheet = -1;
  std::uint8_t Rotation = 0;
  std::uint8_t Rotated = 0;
  std::uint8_t Placed = 0;
  float Area = 0;
  std::string NameE;
  std::uint8_t EL = 0, ET = 0, ER = 0, EB = 0;
  std::string NameEL, NameET, NameER, NameEB;
  std::uint8_t PD = 0;
  std::int32_t Spare68 = 0;
  std::string Note;
  std::string NoteG;
  std::int32_t Fold = 0;
  std::uint8_t SetZ = 0;
  std::string Zakaz;
  std::string Spare92;
  std::int32_t Spare96 = -1;
  std::uint8_t LabelMark = 0;
  std::string Dist1;
  std::string Unused;

  // Extent along X and Y as the part lies.
  float W() const { return Rotated ? Y : X; }
  float H() const { return Rotated ? X : Y; }
};

// One marked offcut.
struct RestM {
  float Area = 0;
  float PosX = 0, PosY = 0;
  float W = 0, H = 0;
  std::int32_t Copies = 0;
  std::int32_t Id = 0;
  std::int32_t Sheet = 0;
  std::int32_t Num = 0;
  std::string Name;
};

// One history slot.
struct LayoutSlot {
  std::vector<std::vector<List>> LayoutSheets;     // per material
  std::vector<std::vector<Detail>> LayoutDetails;  // per material
  std::vector<std::uint8_t> MaterialActive;        // per material
  std::vector<RestM> OffcutLists;
  std::vector<ShapeRecord> ShapeLists;

  // Empties the slot and sizes its per-material arrays to `materials` entries.
  void Reset(int materials);
  int MaterialCount() const { return static_cast<int>(LayoutSheets.size()); }
  bool Active(int m) const { return m >= 0 && m < static_cast<int>(MaterialActive.size()) && MaterialActive[m]; }
};

// The history of results and the job-wide values of the last calculation or layout load.
class LayoutModel {
 public:
  static constexpr int kSlots = 101;
  static constexpr int kLastSlot = kSlots - 1;

  LayoutModel();

  int WriteSlot = 0;
  int ViewSlot = 0;
  int MaterialCount = 0;
  std::vector<std::int32_t> SheetCounts;
  std::vector<std::int32_t> DetailCounts;
  std::vector<float> MaterialKW;
  std::int32_t TotalSheets = 0;
  std::int32_t SheetsDone = 0;
  float RecordedSawWidth = 0;  // the common saw width a result was made with
  std::vector<ShapeRecord> ShapeList;  // outlines of the current job
  // True from the start of a calculation until its result is in the model: nothing else may
  // fill WriteSlot meanwhile (a layout load waits or is refused).
  bool CalculationRunning = false;

  LayoutSlot& Slot(int i) { return *slots_[i]; }
  const LayoutSlot& Slot(int i) const { return *slots_[i]; }
  LayoutSlot& Write() { return Slot(WriteSlot); }
  LayoutSlot& View() { return Slot(ViewSlot); }
  const LayoutSlot& View() const { return Slot(ViewSlot); }

  // Replaces slot i with `filled` (a result computed aside), so a reader of the slot never sees
  // it half-written.
  void SwapIn(int i, std::unique_ptr<LayoutSlot>& filled) { slots_[i].swap(filled); }

  // After a result has filled WriteSlot: it becomes the viewed slot and WriteSlot moves on,
  // up to 100, where it stays.
  void AdvanceWriteSlot() {
    if (WriteSlot < kLastSlot) ++WriteSlot;
  }

 private:
  std::array<std::unique_ptr<LayoutSlot>, kSlots> slots_;
};

// Sort keys of SortDetails.
enum DetailKey { kKeyX = 0, kKeyY, kKeyNum, kKeyNC, kKeySpare68, kKeyArea, kKeySheet, kKeyPosX, kKeyPosY, kKeySpare96 };

// Recursive Hoare quicksort of records lo..hi (inclusive) on one key, middle pivot, whole
// records exchanged; integer keys compare as floating-point values.
void SortDetails(std::vector<Detail>& records, int lo, int hi, int key);

}  // namespace kelvara
