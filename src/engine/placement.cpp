#include "engine/placement.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>


namespace kelvara {

void AssignKinds(HotPart* parts, int count) {
  auto bits = [](float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
  };
  std::map<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint8_t>, std::int32_t> ids;
  for (int i = 0; i < count; ++i) {
    HotPart& p = parts[i];
    const auto key = std::make_tuple(bits(p.X), bits(p.Y), bits(p.Area), p.Rotation);
    p.Kind = ids.emplace(key, static_cast<std::int32_t>(ids.size())).first->second;
  }
}

bool LeftoverRefused(float leftover, float minimalOffcut) {
  // Rounded to 3 decimals (halves away from zero) it is 0 exactly when |L * 1000| < 0.5.
  return leftover < minimalOffcut && !(std::fabs(static_cast<double>(leftover) * 1000.0) < 0.5);
}

PlacementEngine::PlacementEngine() {
  AttemptDetail.fill(-1);
  AttemptX.fill(-1.0f);
  AttemptY.fill(-1.0f);
  AttemptRotated.fill(0);
  BestDetail.fill(-1);
  BestX.fill(-1.0f);
  BestY.fill(-1.0f);
  BestRotated.fill(0);
}

void PlacementEngine::Allocate(int maxParts, int serialLimit) {
  EmptyAttempt(0);
  StartSheet(-1);
  cand_.assign(std::max(maxParts, 0), Cand{});
  kinds_.assign(std::max(maxParts, 0), KindInfo{});
  kindList_.assign(std::max(maxParts, 0), 0);
  usedKinds_.clear();
  usedKinds_.reserve(std::max(maxParts, 0));
  kindStamp_ = 0;
  candOfSerial_.assign(std::max(serialLimit, 0), -1);
  attemptCand_.assign(kAttemptSize, -1);
  count_ = 0;
}

void PlacementEngine::StartMaterial(float sawWidth, float minimalOffcut) {
  // A negative (or undefined) saw width or minimal offcut would let parts overlap or a fill
  // never advance; both count as 0.
  kw_ = sawWidth > 0 ? sawWidth : 0;
  minimalOffcut_ = minimalOffcut > 0 ? minimalOffcut : 0;
  JointRotation = 0;
  SecondPass = 0;
}

void PlacementEngine::SetCandidates(const HotPart* parts, int count) {
  EmptyAttempt(AttemptFreeArea);
  source_ = parts;
  count_ = 0;
  minSide_ = 0;
  minXY_ = 0;
  jointCandidates_ = false;
  kindsValid_ = true;
  usedKinds_.clear();
  if (++kindStamp_ == 0) {
    for (KindInfo& k : kinds_) k.stamp = 0;
    kindStamp_ = 1;
  }
  for (int k = 0; k < count; ++k) {
    const HotPart& p = parts[k];
    // A part without a positive size (an indent below zero) can never be laid out.
    if (p.Placed || !(p.X > 0 && p.Y > 0)) continue;
    const int kind = (p.Kind >= 0 && p.Kind < static_cast<int>(kinds_.size())) ? p.Kind : 0;
    Cand& c = cand_[count_];
    c.X = p.X;
    c.Y = p.Y;
    c.Area = p.Area;
    c.Rotation = p.Rotation;
    c.inAttempt = 0;
    c.source = k;
    c.kind = kind;
    if (p.Serial >= 0 && p.Serial < static_cast<int>(candOfSerial_.size())) candOfSerial_[p.Serial] = count_;
    const float side = std::min(p.X, p.Y);
    const double xy = static_cast<double>(p.X) * p.Y;
    if (count_ == 0 || side < minSide_) minSide_ = side;
    if (count_ == 0 || xy < minXY_) minXY_ = xy;
    if (p.Rotation == 2) jointCandidates_ = true;
    KindInfo& info = kinds_[kind];
    if (info.stamp != kindStamp_) {
      info = KindInfo{p.X, p.Y, p.Area, p.Rotation, 0, 0, 0, 0, kindStamp_};
      usedKinds_.push_back(kind);
    } else if (!(info.X == p.X && info.Y == p.Y && info.Area == p.Area && info.Rotation == p.Rotation)) {
      kindsValid_ = false;  // kinds not numbered by AssignKinds: scan the candidates themselves
    }
    ++info.count;
    ++count_;
  }
  int offset = 0;
  for (int kind : usedKinds_) {
    KindInfo& info = kinds_[kind];
    info.first = offset;
    offset += info.count;
    info.avail = 0;
  }
  for (int i = 0; i < count_; ++i) {
    KindInfo& info = kinds_[cand_[i].kind];
    kindList_[info.first + info.avail++] = i;
  }
}

void PlacementEngine::StartSheet(int sheetIndex) {
  for (int q = 0; q < bestCount_; ++q) {
    BestDetail[q] = -1;
    BestX[q] = -1.0f;
    BestY[q] = -1.0f;
    BestRotated[q] = 0;
  }
  bestCount_ = 0;
  BestSheet = sheetIndex;
  BestTransposed = 0;
  BestFreeArea = 1.0E16f;
}

void PlacementEngine::EmptyAttempt(float sheetArea) {
  for (int q = 0; q < attemptCount_; ++q) {
    AttemptDetail[q] = -1;
    AttemptX[q] = -1.0f;
    AttemptY[q] = -1.0f;
    AttemptRotated[q] = 0;
    cand_[attemptCand_[q]].inAttempt = 0;
  }
  if (attemptCount_ > 0) {
    for (int kind : usedKinds_) {
      kinds_[kind].avail = kinds_[kind].count;
      kinds_[kind].next = 0;
    }
  }
  attemptCount_ = 0;
  AttemptFreeArea = sheetArea;
}

// A serial is in the attempt exactly when PlaceInAttempt recorded it: its candidate carries the
// flag, which a part left out because the buffer was full never gets.
bool PlacementEngine::InAttempt(std::int32_t serial) const {
  if (serial < 0 || serial >= static_cast<int>(candOfSerial_.size())) return false;
  const int c = candOfSerial_[serial];
  if (c < 0 || c >= count_) return false;
  return source_[cand_[c].source].Serial == serial && cand_[c].inAttempt;
}

inline bool PlacementEngine::Consider(int i, float W, float H, float S, float& best, PickResult& r) {
  const Cand& c = cand_[i];
  const float rest = S - c.Area;
  bool turned;
  switch (c.Rotation) {
    case 0:
      if (!(c.Y <= H && c.X <= W && rest < best)) return false;
      turned = false;
      break;
    case 1:
      if (c.Y <= H && c.X <= W) {
        if (!(rest < best)) return false;
        turned = false;
      } else if (c.Y <= W && c.X <= H && rest < best) {
        turned = true;
      } else {
        return false;
      }
      break;
    case 2:
      if (JointRotation == 0) {
        // The first joint-rotation part accepted decides how all of them lie on the real sheet;
        // on the turned sheet the orientations are exchanged.
        if (c.Y <= H && c.X <= W) {
          if (!(rest < best)) return false;
          turned = false;
          JointRotation = SecondPass ? 2 : 1;
        } else if (c.Y <= W && c.X <= H && rest < best) {
          turned = true;
          JointRotation = SecondPass ? 1 : 2;
        } else {
          return false;
        }
        r.found = 1;
        r.index = i;
        r.rotated = turned;
        r.w = turned ? c.Y : c.X;
        r.h = turned ? c.X : c.Y;
        best = rest;
        return true;
      }
      if ((JointRotation == 1) == (SecondPass == 0)) {
        if (!(c.Y <= H && c.X <= W && rest < best)) return false;
        turned = false;
      } else {
        if (!(c.Y <= W && c.X <= H && rest < best)) return false;
        turned = true;
      }
      break;
    default:
      return false;
  }
  r.found = 1;
  r.index = i;
  r.rotated = turned;
  r.w = turned ? c.Y : c.X;
  r.h = turned ? c.X : c.Y;
  best = rest;
  return false;
}

int PlacementEngine::KindFit(const KindInfo& k, float W, float H) const {
  const bool unturned = k.Y <= H && k.X <= W;
  switch (k.Rotation) {
    case 0: return unturned ? 1 : 0;
    case 1: return unturned ? 1 : (k.Y <= W && k.X <= H) ? 2 : 0;
    case 2:
      if ((JointRotation == 1) == (SecondPass == 0)) return unturned ? 1 : 0;
      return (k.Y <= W && k.X <= H) ? 2 : 0;
    default: return 0;
  }
}

PickResult PlacementEngine::PickDetail(int first, int last, float W, float H) {
  PickResult r;
  if (first < 0) first = 0;
  if (last >= count_) last = count_ - 1;
  if (first > last || NothingFits(W, H)) return r;
  const float S = W * H;
  float best = S;
  if (first == last) {
    if (!cand_[first].inAttempt) Consider(first, W, H, S, best, r);
    return r;
  }
  if (first == 0 && last == count_ - 1 && KindScan()) {
    // The linear scan keeps the first candidate with the least S - Area among those that fit:
    // per kind that is its first candidate not in the attempt.
    int bestIndex = count_;
    for (int kind : usedKinds_) {
      const KindInfo& k = kinds_[kind];
      if (k.avail == 0) continue;
      const float rest = S - k.Area;
      if (!(rest <= best)) continue;
      const int i = kindList_[k.first + k.next];
      if (!(rest < best) && !(r.found && i < bestIndex)) continue;
      const int fit = KindFit(k, W, H);
      if (fit == 0) continue;
      best = rest;
      bestIndex = i;
      r.found = 1;
      r.index = i;
      r.rotated = fit == 2;
      r.w = fit == 2 ? k.Y : k.X;
      r.h = fit == 2 ? k.X : k.Y;
    }
    return r;
  }
  for (int i = first; i <= last; ++i) {
    if (cand_[i].inAttempt) continue;
    if (Consider(i, W, H, S, best, r)) return r;  // a joint-rotation decision returns at once
  }
  return r;
}

float PlacementEngine::CutExtent(int excluded, CutMode mode, float W, float H, float w, float h) {
  const bool across = mode == CutMode::Across;
  const float W2 = across ? W : W - w - kw_;
  const float H2 = across ? H - h - kw_ : H;
  if (count_ > 0 && !NothingFits(W2, H2)) {
    const float S = W2 * H2;
    if (KindScan()) {
      // Only whether some other candidate fits matters.
      const bool exAvailable = excluded >= 0 && excluded < count_ && !cand_[excluded].inAttempt;
      const int exKind = exAvailable ? cand_[excluded].kind : -1;
      for (int kind : usedKinds_) {
        const KindInfo& k = kinds_[kind];
        if (k.avail - (kind == exKind ? 1 : 0) <= 0) continue;
        if (!(S - k.Area < S)) continue;
        if (KindFit(k, W2, H2) != 0) return across ? h : w;
      }
    } else {
      for (int k = 0; k < count_; ++k) {
        if (k == excluded || cand_[k].inAttempt) continue;
        float best = S;
        PickResult r;
        Consider(k, W2, H2, S, best, r);
        if (r.found) return across ? h : w;
      }
    }
  }
  return across ? H : W;
}

void PlacementEngine::PlaceInAttempt(int index, bool rotated, float x, float y) {
  if (attemptCount_ >= kAttemptSize) return;  // buffer full: the part is not recorded
  Cand& c = cand_[index];
  const int q = attemptCount_++;
  AttemptDetail[q] = source_[c.source].Serial;
  AttemptX[q] = x;
  AttemptY[q] = y;
  AttemptRotated[q] = rotated ? 1 : 0;
  attemptCand_[q] = index;
  c.inAttempt = 1;
  KindInfo& info = kinds_[c.kind];
  --info.avail;
  while (info.next < info.count && cand_[kindList_[info.first + info.next]].inAttempt) ++info.next;
  AttemptFreeArea -= c.Area;
}

void PlacementEngine::KeepBest(int sheetIndex, std::uint8_t transposed) {
  if (!(AttemptFreeArea <= BestFreeArea)) return;
  // Entries past the attempt's end are -1 / 0 in the attempt buffer; copying up to the longer of
  // the two lists leaves the best buffer equal to the attempt buffer.
  const int n = std::max(attemptCount_, bestCount_);
  std::copy_n(AttemptDetail.begin(), n, BestDetail.begin());
  std::copy_n(AttemptX.begin(), n, BestX.begin());
  std::copy_n(AttemptY.begin(), n, BestY.begin());
  std::copy_n(AttemptRotated.begin(), n, BestRotated.begin());
  bestCount_ = attemptCount_;
  BestSheet = sheetIndex;
  BestTransposed = transposed;
  BestFreeArea = AttemptFreeArea;
}

// The pocket list holds 51 rectangles. A fill that would record a 52nd keeps placing its parts
// but records no further pocket: the space above (or beside) those parts stays empty, which
// keeps the layout sound and never writes past the list.
void PlacementEngine::AddPocket(int& n, float x, float y, float w, float h) {
  if (n >= kPocketCount) return;
  pockets_[n] = FreeRect{x, y, w, h};
  ++n;
}

int PlacementEngine::FillRow(float Wr, float Hr, float x, float y) {
  int n = 0;
  for (int k = 0; k < count_; ++k) {
    if (NothingFits(Wr, Hr)) break;  // no later part can fit either
    if (cand_[k].inAttempt) continue;
    const PickResult r = TestOne(k, Wr, Hr);
    if (!r.found) continue;
    const float E = CutExtent(k, CutMode::Along, Wr, Hr, r.w, r.h);
    if (Refused(E - r.w) || Refused(Hr - r.h)) return n;
    PlaceInAttempt(k, r.rotated, x, y);
    AddPocket(n, x, y + r.h + kw_, E, Hr - r.h - kw_);
    Wr = Wr - E - kw_;
    x = x + E + kw_;
  }
  return n;
}

int PlacementEngine::FillColumn(float Wc, float Hc, float x, float y) {
  int n = 0;
  for (int k = 0; k < count_; ++k) {
    if (NothingFits(Wc, Hc)) break;
    if (cand_[k].inAttempt) continue;
    const PickResult r = TestOne(k, Wc, Hc);
    if (!r.found) continue;
    const float D = CutExtent(k, CutMode::Across, Wc, Hc, r.w, r.h);
    if (Refused(D - r.h) || Refused(Wc - r.w)) return n;
    PlaceInAttempt(k, r.rotated, x, y);
    AddPocket(n, x + r.w + kw_, y, Wc - r.w - kw_, D);
    Hc = Hc - D - kw_;
    y = y + D + kw_;
  }
  return n;
}

void PlacementEngine::FillPockets(int n, FillDirection direction) {
  for (int p = 0; p < n; ++p) {
    float rw = pockets_[p].w - minimalOffcut_;
    float rh = pockets_[p].h - minimalOffcut_;
    float x = pockets_[p].x;
    float y = pockets_[p].y;
    if (rw <= 0 || rh <= 0) continue;
    for (;;) {
      const PickResult r = PickDetail(0, count_ - 1, rw, rh);
      if (!r.found) break;
      if (Refused(rw - r.w) || Refused(rh - r.h)) return;
      PlaceInAttempt(r.index, r.rotated, x, y);
      if (direction == FillDirection::X) {
        rw = rw - r.w - kw_;
        x = x + r.w + kw_;
      } else {
        rh = rh - r.h - kw_;
        y = y + r.h + kw_;
      }
    }
  }
}

void PlacementEngine::LayoutStripsX(const List& sheet, int sheetIndex, int fillMode) {
  const std::uint8_t transposed = sheet.Transposed;
  const float W = sheet.UseX;
  float H = sheet.UseY;
  float y0 = 0;
  for (int i = 0; i < count_; ++i) {
    if (NothingFits(W, H)) break;  // the rest of the sheet takes no part
    if (cand_[i].inAttempt) continue;
    const PickResult first = TestOne(i, W, H);
    if (!first.found) continue;
    const float A = CutExtent(i, CutMode::Across, W, H, first.w, first.h);
    if (Refused(A - first.h) || Refused(W - first.w)) break;
    PlaceInAttempt(i, first.rotated, 0, y0);
    float x = first.w + kw_;
    while (W - x > 0) {
      const PickResult k = PickDetail(0, count_ - 1, W - x, A);
      if (!k.found) break;
      const float B = CutExtent(k.index, CutMode::Along, W - x, A, k.w, k.h);
      if (Refused(B - k.w) || Refused(A - k.h)) break;
      PlaceInAttempt(k.index, k.rotated, x, y0);
      const float sh = A - k.h - kw_;
      const float sy = y0 + k.h + kw_;
      if (fillMode == 0) {
        FillPockets(FillRow(B, sh, x, sy), FillDirection::Y);
      } else {
        FillPockets(FillColumn(B, sh, x, sy), FillDirection::X);
      }
      x = x + B + kw_;
    }
    H = H - A - kw_;
    y0 = y0 + A + kw_;
  }
  KeepBest(sheetIndex, transposed);
}

void PlacementEngine::LayoutStripsY(const List& sheet, int sheetIndex, int fillMode) {
  const std::uint8_t transposed = sheet.Transposed;
  float W = sheet.UseX;
  const float H = sheet.UseY;
  float x0 = 0;
  for (int i = 0; i < count_; ++i) {
    if (NothingFits(W, H)) break;  // the rest of the sheet takes no part
    if (cand_[i].inAttempt) continue;
    const PickResult first = TestOne(i, W, H);
    if (!first.found) continue;
    const float A = CutExtent(i, CutMode::Along, W, H, first.w, first.h);
    if (Refused(A - first.w) || Refused(H - first.h)) break;
    PlaceInAttempt(i, first.rotated, x0, 0);
    float y = first.h + kw_;
    while (H - y > 0) {
      const PickResult k = PickDetail(0, count_ - 1, A, H - y);
      if (!k.found) break;
      const float B = CutExtent(k.index, CutMode::Across, A, H - y, k.w, k.h);
      if (Refused(B - k.h) || Refused(A - k.w)) break;
      PlaceInAttempt(k.index, k.rotated, x0, y);
      const float sw = A - k.w - kw_;
      const float sx = x0 + k.w + kw_;
      if (fillMode == 0) {
        FillPockets(FillColumn(sw, B, sx, y), FillDirection::X);
      } else {
        FillPockets(FillRow(sw, B, sx, y), FillDirection::Y);
      }
      y = y + B + kw_;
    }
    W = W - A - kw_;
    x0 = x0 + A + kw_;
  }
  KeepBest(sheetIndex, transposed);
}

}  // namespace kelvara
