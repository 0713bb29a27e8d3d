#include "reference_engine.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "core/rounding.h"

namespace kelvara::test {

namespace {

constexpr int kN = 5000;

struct Pick {
  float w = 0, h = 0;
  bool found = false, rotated = false;
  int index = 0;
};

struct Rect {
  float x, y, w, h;
};

struct Ref {
  std::array<std::int32_t, kN> AttemptDetail;
  std::array<float, kN> AttemptX, AttemptY;
  std::array<std::uint8_t, kN> AttemptRotated;
  float AttemptFreeArea = 0;
  std::array<std::int32_t, kN> BestDetail;
  std::array<float, kN> BestX, BestY;
  std::array<std::uint8_t, kN> BestRotated;
  float BestFreeArea = 0;
  std::int32_t BestSheet = -1;
  std::uint8_t BestTransposed = 0;
  int JointRotation = 0;
  bool SecondPass = false;
  float KW = 0, MinimalOffcut = 0;
  std::array<Rect, 51> Pockets;
  std::vector<Detail>* parts = nullptr;

  int last() const { return static_cast<int>(parts->size()) - 1; }

  bool Refused(float L) const { return L < MinimalOffcut && Round3(L) != 0.0; }

  void EmptyAttempt(float area) {
    AttemptDetail.fill(-1);
    AttemptX.fill(-1.0f);
    AttemptY.fill(-1.0f);
    AttemptRotated.fill(0);
    AttemptFreeArea = area;
  }

  bool InAttempt(std::int32_t serial) const {
    for (int q = 0; q < kN; ++q) {
      if (AttemptDetail[q] == -1) return false;
      if (AttemptDetail[q] == serial) return true;
    }
    return false;
  }

  bool Skip(int i) const { return (*parts)[i].Placed == 1 || InAttempt((*parts)[i].Serial) || !((*parts)[i].X > 0 && (*parts)[i].Y > 0); }

  Pick PickDetail(int first, int lastIndex, float W, float H) {
    Pick r;
    const float S = W * H;
    float best = S;
    for (int i = first; i <= lastIndex; ++i) {
      if (Skip(i)) continue;
      const Detail& d = (*parts)[i];
      auto take = [&](bool turned) {
        r.found = true;
        r.index = i;
        r.rotated = turned;
        r.w = turned ? d.Y : d.X;
        r.h = turned ? d.X : d.Y;
        best = S - d.Area;
      };
      const bool fitsUnturned = d.Y <= H && d.X <= W;
      const bool fitsTurned = d.Y <= W && d.X <= H;
      if (d.Rotation == 0) {
        if (fitsUnturned && S - d.Area < best) take(false);
      } else if (d.Rotation == 1) {
        if (fitsUnturned) {
          if (S - d.Area < best) take(false);
        } else if (fitsTurned && S - d.Area < best) {
          take(true);
        }
      } else if (d.Rotation == 2) {
        if (JointRotation == 0) {
          if (fitsUnturned) {
            if (S - d.Area < best) {
              take(false);
              JointRotation = SecondPass ? 2 : 1;
              return r;
            }
          } else if (fitsTurned && S - d.Area < best) {
            take(true);
            JointRotation = SecondPass ? 1 : 2;
            return r;
          }
        } else if ((JointRotation == 1 && !SecondPass) || (JointRotation == 2 && SecondPass)) {
          if (fitsUnturned && S - d.Area < best) take(false);
        } else {
          if (fitsTurned && S - d.Area < best) take(true);
        }
      }
    }
    return r;
  }

  float CutExtent(int excluded, bool across, float W, float H, float w, float h) {
    for (int k = 0; k <= last(); ++k) {
      if (k == excluded || Skip(k)) continue;
      const Pick p = across ? PickDetail(k, k, W, H - h - KW) : PickDetail(k, k, W - w - KW, H);
      if (p.found) return across ? h : w;
    }
    return across ? H : W;
  }

  void PlaceInAttempt(int i, bool rotated, float x, float y) {
    for (int q = 0; q < kN; ++q) {
      if (AttemptDetail[q] != -1) continue;
      AttemptDetail[q] = (*parts)[i].Serial;
      AttemptX[q] = x;
      AttemptY[q] = y;
      AttemptRotated[q] = rotated;
      AttemptFreeArea -= (*parts)[i].Area;
      return;
    }
  }

  void KeepBest(int sheet, std::uint8_t transposed) {
    if (AttemptFreeArea <= BestFreeArea) {
      BestDetail = AttemptDetail;
      BestX = AttemptX;
      BestY = AttemptY;
      BestRotated = AttemptRotated;
      BestSheet = sheet;
      BestTransposed = transposed;
      BestFreeArea = AttemptFreeArea;
    }
  }

  int FillRow(float Wr, float Hr, float x, float y) {
    int n = 0;
    for (int k = 0; k <= last(); ++k) {
      if (Skip(k)) continue;
      const Pick p = PickDetail(k, k, Wr, Hr);
      if (!p.found) continue;
      const float E = CutExtent(k, false, Wr, Hr, p.w, p.h);
      if (Refused(E - p.w) || Refused(Hr - p.h)) return n;
      PlaceInAttempt(k, p.rotated, x, y);
      if (n < 51) Pockets[n++] = Rect{x, y + p.h + KW, E, Hr - p.h - KW};
      Wr = Wr - E - KW;
      x = x + E + KW;
    }
    return n;
  }

  int FillColumn(float Wc, float Hc, float x, float y) {
    int n = 0;
    for (int k = 0; k <= last(); ++k) {
      if (Skip(k)) continue;
      const Pick p = PickDetail(k, k, Wc, Hc);
      if (!p.found) continue;
      const float D = CutExtent(k, true, Wc, Hc, p.w, p.h);
      if (Refused(D - p.h) || Refused(Wc - p.w)) return n;
      PlaceInAttempt(k, p.rotated, x, y);
      if (n < 51) Pockets[n++] = Rect{x + p.w + KW, y, Wc - p.w - KW, D};
      Hc = Hc - D - KW;
      y = y + D + KW;
    }
    return n;
  }

  void FillPockets(int n, bool alongX) {
    for (int i = 0; i < n; ++i) {
      float rw = Pockets[i].w - MinimalOffcut;
      float rh = Pockets[i].h - MinimalOffcut;
      float x = Pockets[i].x, y = Pockets[i].y;
      if (rw <= 0 || rh <= 0) continue;
      for (;;) {
        const Pick p = PickDetail(0, last(), rw, rh);
        if (!p.found) break;
        if (Refused(rw - p.w) || Refused(rh - p.h)) return;
        PlaceInAttempt(p.index, p.rotated, x, y);
        if (alongX) {
          rw = rw - p.w - KW;
          x = x + p.w + KW;
        } else {
          rh = rh - p.h - KW;
          y = y + p.h + KW;
        }
      }
    }
  }

  void StripsX(const List& sheet, int j, int f) {
    const std::uint8_t tr = sheet.Transposed;
    float W = sheet.UseX, H = sheet.UseY, y0 = 0;
    for (int i = 0; i <= last(); ++i) {
      if (Skip(i)) continue;
      const Pick p = PickDetail(i, i, W, H);
      if (!p.found) continue;
      const float A = CutExtent(i, true, W, H, p.w, p.h);
      if (Refused(A - p.h) || Refused(W - p.w)) break;
      PlaceInAttempt(i, p.rotated, 0, y0);
      float x = p.w + KW;
      while (W - x > 0) {
        const Pick k = PickDetail(0, last(), W - x, A);
        if (!k.found) break;
        const float B = CutExtent(k.index, false, W - x, A, k.w, k.h);
        if (Refused(B - k.w) || Refused(A - k.h)) break;
        PlaceInAttempt(k.index, k.rotated, x, y0);
        if (f == 0) FillPockets(FillRow(B, A - k.h - KW, x, y0 + k.h + KW), false);
        else FillPockets(FillColumn(B, A - k.h - KW, x, y0 + k.h + KW), true);
        x = x + B + KW;
      }
      H = H - A - KW;
      y0 = y0 + A + KW;
    }
    KeepBest(j, tr);
  }

  void StripsY(const List& sheet, int j, int f) {
    const std::uint8_t tr = sheet.Transposed;
    float W = sheet.UseX, H = sheet.UseY, x0 = 0;
    for (int i = 0; i <= last(); ++i) {
      if (Skip(i)) continue;
      const Pick p = PickDetail(i, i, W, H);
      if (!p.found) continue;
      const float A = CutExtent(i, false, W, H, p.w, p.h);
      if (Refused(A - p.w) || Refused(H - p.h)) break;
      PlaceInAttempt(i, p.rotated, x0, 0);
      float y = p.h + KW;
      while (H - y > 0) {
        const Pick k = PickDetail(0, last(), A, H - y);
        if (!k.found) break;
        const float B = CutExtent(k.index, true, A, H - y, k.w, k.h);
        if (Refused(B - k.h) || Refused(A - k.w)) break;
        PlaceInAttempt(k.index, k.rotated, x0, y);
        if (f == 0) FillPockets(FillColumn(A - k.w - KW, B, x0 + k.w + KW, y), true);
        else FillPockets(FillRow(A - k.w - KW, B, x0 + k.w + KW, y), false);
        y = y + B + KW;
      }
      W = W - A - KW;
      x0 = x0 + A + KW;
    }
    KeepBest(j, tr);
  }
};

void Reverse(std::vector<Detail>& d) {
  const int n = static_cast<int>(d.size());
  for (int i = 0; i <= n / 2 - 1; ++i) std::swap(d[i], d[n - 1 - i]);
}

void MarkRepeats(std::vector<List>& sheets, std::vector<Detail>& parts, int s, int rows) {
  std::vector<int> tmpl(rows + 1, 0);
  for (const Detail& d : parts)
    if (d.Placed == 1 && d.Sheet == s) ++tmpl[d.NC];
  for (int b = 0; b < static_cast<int>(sheets.size()); ++b) {
    if (b == s || sheets[b].NC != sheets[s].NC || sheets[b].Used != 0) continue;
    std::vector<int> unplaced(rows + 1, 0);
    for (const Detail& d : parts)
      if (d.Placed == 0) ++unplaced[d.NC];
    bool ok = true;
    for (int r = 0; r <= rows; ++r) ok = ok && unplaced[r] >= tmpl[r];
    if (!ok) continue;
    for (int r = 0; r <= rows; ++r) {
      int need = tmpl[r];
      for (Detail& d : parts) {
        if (need == 0) break;
        if (d.Placed == 0 && d.NC == r) {
          d.Sheet = b;
          d.Placed = 1;
          --need;
        }
      }
    }
    sheets[b].Used = 1;
    sheets[b].CopyOf = s;
    ++sheets[s].Copies;
  }
}

}  // namespace

void ReferenceCalculate(LayoutSlot& slot, const CalculationSettings& settings, RandomSource& random) {
  auto ref = std::make_unique<Ref>();
  Ref& e = *ref;
  const int N = OrdersForLevel(settings.CalcLevel);
  int rows = 0;
  for (const auto& ds : slot.LayoutDetails)
    for (const Detail& d : ds) rows = std::max<int>(rows, d.NC);
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    if (!slot.MaterialActive[m] || slot.LayoutSheets[m].empty()) continue;
    e.JointRotation = 0;
    auto& sheets = slot.LayoutSheets[m];
    auto& parts = slot.LayoutDetails[m];
    if (parts.empty()) continue;
    e.parts = &parts;
    e.KW = std::max(0.0f, m < static_cast<int>(settings.MaterialKW.size()) ? settings.MaterialKW[m] : 0.0f);
    e.MinimalOffcut = std::max(0.0f, settings.MinimalOffcut);
    for (int j : SheetVisitOrder(sheets)) {
      List& sheet = sheets[j];
      if (sheet.Used == 1) continue;
      e.BestFreeArea = 1.0E16f;
      for (int p = 0; p < 2; ++p) {
        e.SecondPass = p == 1;
        if (p == 1) TurnSheet(sheet, parts);
        for (int t = 1; t <= N; ++t) {
          const int n = static_cast<int>(parts.size());
          switch (t) {
            case 1: SortDetails(parts, 0, n - 1, kKeyX); break;
            case 2: SortDetails(parts, 0, n - 1, kKeyX); Reverse(parts); break;
            case 3: SortDetails(parts, 0, n - 1, kKeyY); break;
            case 4: SortDetails(parts, 0, n - 1, kKeyY); Reverse(parts); break;
            case 5: SortDetails(parts, 0, n - 1, kKeyArea); break;
            case 6: SortDetails(parts, 0, n - 1, kKeyArea); Reverse(parts); break;
            case 7: SortDetails(parts, 0, n - 1, kKeyNC); break;
            default: ShuffleDetails(parts, random); break;
          }
          for (int f = 0; f < 2; ++f) {
            e.EmptyAttempt(sheet.Area);
            if (settings.FirstCutDirection == 1) {
              if (sheet.Transposed) e.StripsY(sheet, j, f);
              else e.StripsX(sheet, j, f);
            } else if (settings.FirstCutDirection == 2) {
              if (sheet.Transposed) e.StripsX(sheet, j, f);
              else e.StripsY(sheet, j, f);
            } else {
              e.StripsX(sheet, j, f);
              e.EmptyAttempt(sheet.Area);
              e.StripsY(sheet, j, f);
            }
          }
        }
        if (p == 1) UnturnSheet(sheet, parts);
      }
      int c = 0;
      while (c < kN && e.BestDetail[c] != -1) ++c;
      if (c > 0) {
        List& s = sheets[e.BestSheet];
        s.FreeArea = e.BestFreeArea;
        s.PlacedCount = static_cast<std::uint16_t>(c);
        s.Used = 1;
        s.Copies = 1;
        for (Detail& d : parts) {
          if (d.Placed != 0) continue;
          for (int q = 0; q < c; ++q) {
            if (e.BestDetail[q] != d.Serial) continue;
            d.Sheet = e.BestSheet;
            d.Placed = 1;
            if (d.Rotation != 0) d.Rotated = e.BestTransposed ? !e.BestRotated[q] : e.BestRotated[q];
            if (e.BestTransposed) {
              d.PosX = e.BestY[q] + s.TL;
              d.PosY = e.BestX[q] + s.TT;
            } else {
              d.PosX = e.BestX[q] + s.TL;
              d.PosY = e.BestY[q] + s.TT;
            }
            break;
          }
        }
      }
      MarkRepeats(sheets, parts, e.BestSheet, rows);
    }
  }
}

}  // namespace kelvara::test
