#pragma once
// Guillotine placement: one layout attempt of one sheet with the unplaced parts of its material,
// and the best-attempt buffer that keeps the attempt leaving the least free area.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "engine/layout_model.h"

namespace kelvara {

inline constexpr int kAttemptSize = 5000;  // entries of the attempt and best-attempt buffers
inline constexpr int kPocketCount = 51;    // rectangles of the pocket list

// The placement fields of one part copy, kept apart from the full Detail record so that the
// driver can reorder and scan them cheaply. Record is the index of the Detail record.
struct HotPart {
  float X = 0, Y = 0, Area = 0;
  std::int32_t Serial = 0;
  std::int32_t Record = 0;
  std::uint16_t NC = 0;
  std::uint8_t Rotation = 0;
  std::uint8_t Placed = 0;
  // Parts of one kind have equal X, Y, Area and Rotation (AssignKinds); 0..count-1.
  std::int32_t Kind = 0;
};

// Numbers the kinds of parts[0..count): equal X, Y, Area and Rotation give the same kind.
void AssignKinds(HotPart* parts, int count);

struct PickResult {
  float w = 0, h = 0;
  std::uint8_t found = 0;
  std::uint8_t rotated = 0;
  std::int32_t index = -1;  // candidate index
};

struct FreeRect {
  float x = 0, y = 0, w = 0, h = 0;
};

enum class CutMode { Across, Along };
enum class FillDirection { X, Y };

// A leftover length is refused when it is below the minimal offcut and not 0 to 3 decimals.
bool LeftoverRefused(float leftover, float minimalOffcut);

class PlacementEngine {
 public:
  // Sizes the scratch memory once per calculation: at most maxParts parts in one material,
  // part serials below serialLimit.
  void Allocate(int maxParts, int serialLimit);

  // Start of a material: its saw width and the minimal offcut; JointRotation := 0.
  void StartMaterial(float sawWidth, float minimalOffcut);
  // Takes the parts with Placed = 0 from parts[0..count), in this order, as the candidates of
  // the following attempts (the material's parts in their current order, placed ones left out).
  // Empties the attempt buffer.
  void SetCandidates(const HotPart* parts, int count);
  // Start of a sheet: BestFreeArea := 1.0E16, and the best buffer empty and standing for this
  // sheet, so that it never holds another sheet's attempt.
  void StartSheet(int sheetIndex);
  // Empties the attempt buffer and sets AttemptFreeArea to the sheet's area.
  void EmptyAttempt(float sheetArea);

  bool InAttempt(std::int32_t serial) const;
  PickResult PickDetail(int first, int last, float W, float H);
  float CutExtent(int excluded, CutMode mode, float W, float H, float w, float h);
  void PlaceInAttempt(int index, bool rotated, float x, float y);
  void KeepBest(int sheetIndex, std::uint8_t transposed);
  int FillRow(float Wr, float Hr, float x, float y);
  int FillColumn(float Wc, float Hc, float x, float y);
  void FillPockets(int n, FillDirection direction);
  void LayoutStripsX(const List& sheet, int sheetIndex, int fillMode);
  void LayoutStripsY(const List& sheet, int sheetIndex, int fillMode);

  // Candidates.
  int CandidateCount() const { return count_; }
  const HotPart& Candidate(int i) const { return source_[cand_[i].source]; }
  int CandidateSource(int i) const { return cand_[i].source; }  // index into SetCandidates' parts
  const FreeRect& Pocket(int i) const { return pockets_[i]; }

  int AttemptCount() const { return attemptCount_; }
  int BestCount() const { return bestCount_; }

  std::int32_t JointRotation = 0;  // 0 undecided, 1 unturned, 2 turned (on the real sheet)
  std::uint8_t SecondPass = 0;     // 1 while the driver works on the turned sheet

  std::array<std::int32_t, kAttemptSize> AttemptDetail;
  std::array<float, kAttemptSize> AttemptX;
  std::array<float, kAttemptSize> AttemptY;
  std::array<std::uint8_t, kAttemptSize> AttemptRotated;
  float AttemptFreeArea = 0;

  std::array<std::int32_t, kAttemptSize> BestDetail;
  std::array<float, kAttemptSize> BestX;
  std::array<float, kAttemptSize> BestY;
  std::array<std::uint8_t, kAttemptSize> BestRotated;
  float BestFreeArea = 1.0E16f;
  std::int32_t BestSheet = -1;
  std::uint8_t BestTransposed = 0;

  PlacementEngine();

 private:
  struct Cand {
    float X, Y, Area;
    std::uint8_t Rotation;
    std::uint8_t inAttempt;
    std::int32_t source;
    std::int32_t kind;
  };
  // The candidates of one kind: their indexes in ascending order at list[first..first+count),
  // `avail` of them not in the attempt, the first of those at list[first+next].
  struct KindInfo {
    float X, Y, Area;
    std::uint8_t Rotation;
    std::int32_t first, count, avail, next;
    std::uint32_t stamp;
  };

  // The test of PickDetail for one candidate against the running best; true when taken.
  bool Consider(int i, float W, float H, float S, float& best, PickResult& r);
  // PickDetail(i, i, W, H).
  PickResult TestOne(int i, float W, float H) {
    PickResult r;
    const float S = W * H;
    float best = S;
    Consider(i, W, H, S, best, r);
    return r;
  }
  // True when no candidate can fit a W x H space (no part is smaller).
  bool NothingFits(float W, float H) const {
    return std::min(W, H) < minSide_ || static_cast<double>(W) * H < minXY_;
  }
  // Orientation of a kind for a W x H space by the rotation rules, the joint rotation decided:
  // 0 does not fit, 1 unturned, 2 turned.
  int KindFit(const KindInfo& k, float W, float H) const;
  // Whether the linear scan can be replaced by the scan over kinds: the same answer as long as
  // no joint-rotation decision can be taken.
  bool KindScan() const { return kindsValid_ && (JointRotation != 0 || !jointCandidates_); }
  bool Refused(float leftover) const { return leftover < minimalOffcut_ && LeftoverRefused(leftover, minimalOffcut_); }
  // Records a pocket; the 52nd and later pockets of one fill are not recorded.
  void AddPocket(int& n, float x, float y, float w, float h);

  float kw_ = 0;
  float minimalOffcut_ = 0;
  const HotPart* source_ = nullptr;
  std::vector<Cand> cand_;
  std::vector<std::int32_t> candOfSerial_;  // candidate index of a serial, valid while matching
  std::vector<std::int32_t> attemptCand_;   // candidate index of each attempt entry
  int count_ = 0;
  float minSide_ = 0;  // smallest side of any candidate: no part fits a space narrower than it
  double minXY_ = 0;   // smallest X * Y of any candidate
  bool jointCandidates_ = false;
  bool kindsValid_ = false;
  std::vector<KindInfo> kinds_;
  std::vector<std::int32_t> usedKinds_;
  std::vector<std::int32_t> kindList_;
  std::uint32_t kindStamp_ = 0;
  int attemptCount_ = 0;
  int bestCount_ = 0;
  std::array<FreeRect, kPocketCount> pockets_{};
};

}  // namespace kelvara
