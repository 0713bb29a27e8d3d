#include "engine/calculation_driver.h"

#include <algorithm>
#include <utility>

#include "engine/quick_sort.h"

namespace kelvara {

int OrdersForLevel(int calcLevel) {
  switch (calcLevel) {
    case 0: return 7;
    case 2: return 150;
    default: return 50;
  }
}

std::vector<int> SheetVisitOrder(const std::vector<List>& sheets) {
  std::vector<int> order(sheets.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return sheets[a].PRT > sheets[b].PRT; });
  return order;
}

void TurnSheet(List& sheet, std::vector<Detail>& details) {
  if (sheet.Transposed != 0) return;
  std::swap(sheet.UseX, sheet.UseY);
  sheet.Transposed = 1;
  for (Detail& d : details)
    if (d.Placed == 0 && d.Rotation == 0) std::swap(d.X, d.Y);
}

void UnturnSheet(List& sheet, std::vector<Detail>& details) {
  if (sheet.Transposed != 1) return;
  std::swap(sheet.UseX, sheet.UseY);
  sheet.Transposed = 0;
  for (Detail& d : details)
    if (d.Placed == 0 && d.Rotation == 0) std::swap(d.X, d.Y);
}

namespace {

// Draws indexes at random, skipping those already drawn, until every record has been taken; the
// records go into the new array in the order they were first drawn.
template <class T>
void ShuffleByDraws(std::vector<T>& items, std::vector<T>& scratch, std::vector<std::uint8_t>& drawn,
                    std::vector<std::uint32_t>& order, RandomSource& random) {
  const std::uint32_t n = static_cast<std::uint32_t>(items.size());
  drawn.assign(n, 0);
  order.resize(n + 1);
  std::uint8_t* seen = drawn.data();
  std::uint32_t* first = order.data();
  std::uint32_t taken = 0;
  while (taken < n) {
    const std::uint32_t k = random.Below(n);
    first[taken] = k;  // kept only when k is new
    taken += seen[k] ^ 1u;
    seen[k] = 1;
  }
  scratch.clear();
  for (std::uint32_t i = 0; i < n; ++i) scratch.push_back(std::move(items[first[i]]));
  for (std::uint32_t i = 0; i < n; ++i) items[i] = std::move(scratch[i]);
}

}  // namespace

void ShuffleDetails(std::vector<Detail>& details, RandomSource& random) {
  std::vector<Detail> scratch;
  scratch.reserve(details.size());
  std::vector<std::uint8_t> drawn;
  std::vector<std::uint32_t> order;
  ShuffleByDraws(details, scratch, drawn, order, random);
}

CalculationDriver::CalculationDriver(LayoutSlot& slot, const CalculationSettings& settings, RandomSource& random)
    : slot_(slot), settings_(settings), random_(random) {}

CalculationDriver::~CalculationDriver() = default;

bool CalculationDriver::CalculateLayouts() {
  sheetsDone_ = 0;
  orders_ = OrdersForLevel(settings_.CalcLevel);

  int maxParts = 0;
  int serialLimit = 0;
  int ncLimit = 0;
  for (const auto& details : slot_.LayoutDetails) {
    maxParts = std::max(maxParts, static_cast<int>(details.size()));
    for (const Detail& d : details) {
      serialLimit = std::max(serialLimit, d.Serial + 1);
      ncLimit = std::max(ncLimit, d.NC + 1);
    }
  }
  if (!engine_) engine_ = std::make_unique<PlacementEngine>();
  engine_->Allocate(maxParts, serialLimit);
  hot_.reserve(maxParts);
  shuffled_.reserve(maxParts);
  drawn_.reserve(maxParts);
  drawOrder_.reserve(maxParts + 1);
  bestPosOfSerial_.assign(serialLimit, -1);
  templateCount_.assign(ncLimit, 0);
  unplacedCount_.assign(ncLimit, 0);
  needCount_.assign(ncLimit, 0);

  for (int m = 0; m < slot_.MaterialCount(); ++m) {
    if (!slot_.Active(m) || slot_.LayoutSheets[m].empty()) continue;
    if (!LayoutMaterial(m)) return false;
  }
  return true;
}

bool CalculationDriver::LayoutMaterial(int m) {
  std::vector<List>& sheets = slot_.LayoutSheets[m];
  std::vector<Detail>& details = slot_.LayoutDetails[m];
  const float kw = m < static_cast<int>(settings_.MaterialKW.size()) ? settings_.MaterialKW[m] : 0.0f;
  engine_->StartMaterial(kw, settings_.MinimalOffcut);
  if (details.empty()) return true;

  hot_.clear();
  for (int i = 0; i < static_cast<int>(details.size()); ++i) {
    const Detail& d = details[i];
    hot_.push_back(HotPart{d.X, d.Y, d.Area, d.Serial, i, d.NC, d.Rotation, d.Placed, 0});
  }
  AssignKinds(hot_.data(), static_cast<int>(hot_.size()));

  bool finished = true;
  for (int j : SheetVisitOrder(sheets)) {
    if (StopRequested()) {
      finished = false;
      break;
    }
    if (sheets[j].Used == 1) continue;
    if (!LayoutSheet(m, j)) {
      finished = false;
      break;
    }
    Commit(m);
    ++sheetsDone_;
    Progress();
    MarkRepeats(m, engine_->BestSheet);
  }
  ApplyPartOrder(m);
  return finished;
}

bool CalculationDriver::LayoutSheet(int m, int j) {
  List& sheet = slot_.LayoutSheets[m][j];
  PlacementEngine& e = *engine_;
  e.StartSheet(j);
  const int direction = settings_.FirstCutDirection;
  for (int p = 0; p < 2; ++p) {
    e.SecondPass = p == 1;
    if (p == 1) TurnSheet(sheet);
    for (int t = 1; t <= orders_; ++t) {
      if (OnOrder) OnOrder(m, j, p, t);
      if (p == 0 && StopRequested()) return false;
      OrderParts(t);
      if (p == 0 && StopRequested()) return false;
      e.SetCandidates(hot_.data(), static_cast<int>(hot_.size()));
      for (int f = 0; f < 2; ++f) {
        e.EmptyAttempt(sheet.Area);
        switch (direction) {
          case 1:
            if (sheet.Transposed) e.LayoutStripsY(sheet, j, f);
            else e.LayoutStripsX(sheet, j, f);
            break;
          case 2:
            if (sheet.Transposed) e.LayoutStripsX(sheet, j, f);
            else e.LayoutStripsY(sheet, j, f);
            break;
          default:
            e.LayoutStripsX(sheet, j, f);
            e.EmptyAttempt(sheet.Area);
            e.LayoutStripsY(sheet, j, f);
            break;
        }
      }
    }
    if (p == 1) UnturnSheet(sheet);
  }
  return true;
}

void CalculationDriver::OrderParts(int t) {
  const int n = static_cast<int>(hot_.size());
  HotPart* a = hot_.data();
  switch (t) {
    case 1:
    case 2:
      if (n > 1) HoareQuickSort(a, 0, n - 1, [](const HotPart& p) { return static_cast<double>(p.X); });
      break;
    case 3:
    case 4:
      if (n > 1) HoareQuickSort(a, 0, n - 1, [](const HotPart& p) { return static_cast<double>(p.Y); });
      break;
    case 5:
    case 6:
      if (n > 1) HoareQuickSort(a, 0, n - 1, [](const HotPart& p) { return static_cast<double>(p.Area); });
      break;
    case 7:
      if (n > 1) HoareQuickSort(a, 0, n - 1, [](const HotPart& p) { return static_cast<double>(p.NC); });
      break;
    default:
      ShuffleParts();
      return;
  }
  if (t == 2 || t == 4 || t == 6) {
    for (int i = 0; i < n / 2; ++i) std::swap(a[i], a[n - 1 - i]);
  }
}

void CalculationDriver::ShuffleParts() { ShuffleByDraws(hot_, shuffled_, drawn_, drawOrder_, random_); }

void CalculationDriver::TurnSheet(List& sheet) {
  if (sheet.Transposed != 0) return;
  std::swap(sheet.UseX, sheet.UseY);
  sheet.Transposed = 1;
  for (HotPart& p : hot_)
    if (p.Placed == 0 && p.Rotation == 0) std::swap(p.X, p.Y);
}

void CalculationDriver::UnturnSheet(List& sheet) {
  if (sheet.Transposed != 1) return;
  std::swap(sheet.UseX, sheet.UseY);
  sheet.Transposed = 0;
  for (HotPart& p : hot_)
    if (p.Placed == 0 && p.Rotation == 0) std::swap(p.X, p.Y);
}

void CalculationDriver::Commit(int m) {
  const PlacementEngine& e = *engine_;
  const int c = e.BestCount();
  if (c <= 0) return;
  const int s = e.BestSheet;
  List& sheet = slot_.LayoutSheets[m][s];
  std::vector<Detail>& details = slot_.LayoutDetails[m];
  sheet.FreeArea = e.BestFreeArea;
  sheet.PlacedCount = static_cast<std::uint16_t>(c);
  sheet.Used = 1;
  sheet.Copies = 1;
  for (int q = 0; q < c; ++q) {
    const std::int32_t serial = e.BestDetail[q];
    if (serial >= 0 && serial < static_cast<int>(bestPosOfSerial_.size())) bestPosOfSerial_[serial] = q;
  }
  const bool transposed = e.BestTransposed == 1;
  for (HotPart& p : hot_) {
    if (p.Placed != 0 || p.Serial < 0 || p.Serial >= static_cast<int>(bestPosOfSerial_.size())) continue;
    const int q = bestPosOfSerial_[p.Serial];
    if (q < 0) continue;
    Detail& d = details[p.Record];
    p.Placed = 1;
    d.Placed = 1;
    d.Sheet = s;
    if (d.Rotation != 0) d.Rotated = transposed ? (e.BestRotated[q] ? 0 : 1) : e.BestRotated[q];
    if (transposed) {
      d.PosX = e.BestY[q] + sheet.TL;
      d.PosY = e.BestX[q] + sheet.TT;
    } else {
      d.PosX = e.BestX[q] + sheet.TL;
      d.PosY = e.BestY[q] + sheet.TT;
    }
  }
  for (int q = 0; q < c; ++q) {
    const std::int32_t serial = e.BestDetail[q];
    if (serial >= 0 && serial < static_cast<int>(bestPosOfSerial_.size())) bestPosOfSerial_[serial] = -1;
  }
}

void CalculationDriver::MarkRepeats(int m, int s) {
  std::vector<List>& sheets = slot_.LayoutSheets[m];
  std::vector<Detail>& details = slot_.LayoutDetails[m];
  if (s < 0 || s >= static_cast<int>(sheets.size())) return;
  const int rows = static_cast<int>(templateCount_.size());
  std::fill(templateCount_.begin(), templateCount_.end(), 0);
  std::fill(unplacedCount_.begin(), unplacedCount_.end(), 0);
  int templateTotal = 0;
  for (const Detail& d : details) {
    if (d.Placed == 1 && d.Sheet == s) {
      ++templateCount_[d.NC];
      ++templateTotal;
    } else if (d.Placed == 0) {
      ++unplacedCount_[d.NC];
    }
  }
  for (int b = 0; b < static_cast<int>(sheets.size()); ++b) {
    if (b == s || sheets[b].NC != sheets[s].NC || sheets[b].Used != 0) continue;
    bool enough = true;
    for (int r = 0; r < rows && enough; ++r) enough = unplacedCount_[r] >= templateCount_[r];
    if (!enough) continue;
    if (templateTotal > 0) {
      std::copy(templateCount_.begin(), templateCount_.end(), needCount_.begin());
      int left = templateTotal;
      for (HotPart& p : hot_) {
        if (left == 0) break;
        if (p.Placed != 0 || needCount_[p.NC] == 0) continue;
        --needCount_[p.NC];
        --left;
        p.Placed = 1;
        Detail& d = details[p.Record];
        d.Placed = 1;
        d.Sheet = b;
      }
      for (int r = 0; r < rows; ++r) unplacedCount_[r] -= templateCount_[r];
    }
    sheets[b].Used = 1;
    sheets[b].CopyOf = s;
    ++sheets[s].Copies;
    ++sheetsDone_;
    Progress();
  }
}

void CalculationDriver::Progress() {
  if (ReportProgress) ReportProgress(sheetsDone_);
}

void CalculationDriver::ApplyPartOrder(int m) {
  std::vector<Detail>& details = slot_.LayoutDetails[m];
  reordered_.clear();
  reordered_.reserve(details.size());
  for (const HotPart& p : hot_) reordered_.push_back(std::move(details[p.Record]));
  details.swap(reordered_);
  reordered_.clear();
}

}  // namespace kelvara
