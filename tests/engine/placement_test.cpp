// One layout attempt: the worked attempts, the leftover rule, the pick rules and the buffers.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <tuple>

#include "core/rounding.h"
#include "engine/placement.h"
#include "engine_fixtures.h"

namespace kelvara {
namespace {

using test::MakeParts;
using test::MakeSheet;
using test::PartSpec;

struct Placed {
  int serial;
  float x, y;
  int rotated;
  bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Placed& p) {
  return o << "{" << p.serial << " at " << p.x << "," << p.y << (p.rotated ? " turned" : "") << "}";
}

std::vector<Placed> AttemptList(const PlacementEngine& e) {
  std::vector<Placed> out;
  for (int q = 0; q < kAttemptSize && e.AttemptDetail[q] != -1; ++q)
    out.push_back({e.AttemptDetail[q], e.AttemptX[q], e.AttemptY[q], e.AttemptRotated[q]});
  return out;
}

// An engine loaded with the parts of one material on one sheet.
struct Attempt {
  std::unique_ptr<PlacementEngine> e = std::make_unique<PlacementEngine>();
  std::vector<HotPart> parts;
  List sheet;

  Attempt(const std::vector<PartSpec>& sizes, List s, float kw, float minimalOffcut) : parts(MakeParts(sizes)), sheet(s) {
    e->Allocate(static_cast<int>(parts.size()), static_cast<int>(parts.size()));
    e->StartMaterial(kw, minimalOffcut);
    e->SetCandidates(parts.data(), static_cast<int>(parts.size()));
    e->StartSheet(0);
    e->EmptyAttempt(sheet.Area);
  }
};

TEST(WorkedAttempt, StripOf1000By800) {
  Attempt a({{600, 400, 1}, {600, 400, 1}, {400, 300, 1}, {400, 300, 1}, {200, 100, 1}}, MakeSheet(1000, 800), 0, 0);
  a.e->LayoutStripsX(a.sheet, 0, 0);
  // 600x400, then 400x300 beside it, 200x100 above that, and the second strip.
  const std::vector<Placed> expected{{0, 0, 0, 0}, {2, 600, 0, 0}, {4, 600, 300, 0}, {1, 0, 400, 0}, {3, 600, 400, 0}};
  EXPECT_EQ(AttemptList(*a.e), expected);
  EXPECT_FLOAT_EQ(a.e->AttemptFreeArea, 800000 - 740000);
}

TEST(WorkedAttempt, SawWidthAndMinimalOffcutEndAt266000) {
  for (int fill = 0; fill < 2; ++fill) {
    Attempt a({{500, 300, 0}, {300, 200, 0}, {150, 80, 0}, {100, 60, 0}, {100, 60, 0}}, MakeSheet(1000, 500), 4, 50);
    // The first strip is 300 deep because 150x80 fits into the 1000x196 beyond it.
    EXPECT_EQ(a.e->CutExtent(0, CutMode::Across, 1000, 500, 500, 300), 300);
    a.e->LayoutStripsX(a.sheet, 0, fill);
    const std::vector<Placed> expected{{0, 0, 0, 0}, {1, 504, 0, 0}, {2, 0, 304, 0}, {3, 0, 388, 0}, {4, 104, 388, 0}};
    EXPECT_EQ(AttemptList(*a.e), expected) << "fill mode " << fill;
    EXPECT_FLOAT_EQ(a.e->AttemptFreeArea, 266000) << "fill mode " << fill;
    EXPECT_FLOAT_EQ(a.e->BestFreeArea, 266000);
  }
}

TEST(WorkedAttempt, PocketsInBothFillModes) {
  const std::vector<PartSpec> sizes{{600, 600, 0}, {400, 300, 0}, {200, 200, 0}, {200, 100, 0}, {100, 50, 0}};
  {
    Attempt a(sizes, MakeSheet(1000, 600), 0, 0);
    a.e->LayoutStripsX(a.sheet, 0, 0);
    const std::vector<Placed> expected{{0, 0, 0, 0}, {1, 600, 0, 0}, {2, 600, 300, 0}, {3, 800, 300, 0}, {4, 600, 500, 0}};
    EXPECT_EQ(AttemptList(*a.e), expected);
    const FreeRect p0 = a.e->Pocket(0), p1 = a.e->Pocket(1);
    EXPECT_EQ(std::tie(p0.x, p0.y, p0.w, p0.h), std::make_tuple(600.f, 500.f, 200.f, 100.f));
    EXPECT_EQ(std::tie(p1.x, p1.y, p1.w, p1.h), std::make_tuple(800.f, 400.f, 200.f, 200.f));
  }
  {
    Attempt a(sizes, MakeSheet(1000, 600), 0, 0);
    a.e->LayoutStripsX(a.sheet, 0, 1);
    const std::vector<Placed> expected{{0, 0, 0, 0}, {1, 600, 0, 0}, {2, 600, 300, 0}, {3, 600, 500, 0}, {4, 800, 300, 0}};
    EXPECT_EQ(AttemptList(*a.e), expected);
    const FreeRect p0 = a.e->Pocket(0), p1 = a.e->Pocket(1);
    EXPECT_EQ(std::tie(p0.x, p0.y, p0.w, p0.h), std::make_tuple(800.f, 300.f, 200.f, 200.f));
    EXPECT_EQ(std::tie(p1.x, p1.y, p1.w, p1.h), std::make_tuple(800.f, 500.f, 200.f, 100.f));
  }
}

TEST(WorkedAttempt, StripsAlongYMirrorStripsAlongX) {
  // The same pockets job with the axes exchanged, laid out with strips along Y.
  Attempt a({{600, 600, 0}, {300, 400, 0}, {200, 200, 0}, {100, 200, 0}, {50, 100, 0}}, MakeSheet(600, 1000), 0, 0);
  a.e->LayoutStripsY(a.sheet, 0, 0);
  const std::vector<Placed> expected{{0, 0, 0, 0}, {1, 0, 600, 0}, {2, 300, 600, 0}, {3, 300, 800, 0}, {4, 500, 600, 0}};
  EXPECT_EQ(AttemptList(*a.e), expected);
}

TEST(WorkedAttempt, PartAsLargeAsTheUsableAreaIsPlacedWhateverTheMinimalOffcut) {
  for (float mo : {0.f, 10.f, 5000.f}) {
    Attempt a({{980, 480, 0}}, MakeSheet(1000, 500, 10, 10, 10, 10), 4, mo);
    a.e->LayoutStripsX(a.sheet, 0, 0);
    EXPECT_EQ(AttemptList(*a.e), (std::vector<Placed>{{0, 0, 0, 0}})) << mo;
  }
}

TEST(WorkedAttempt, RefusedStripOpenerEndsTheAttempt) {
  // W - w = 5 with minimal offcut 10: nothing is placed, not even the part after it.
  Attempt a({{995, 300, 0}, {100, 100, 0}}, MakeSheet(1000, 500), 0, 10);
  a.e->LayoutStripsX(a.sheet, 0, 0);
  EXPECT_TRUE(AttemptList(*a.e).empty());
  EXPECT_FLOAT_EQ(a.e->AttemptFreeArea, 500000);
  EXPECT_EQ(a.e->BestCount(), 0);
}

TEST(WorkedAttempt, SawWidthLeftExactlyBetweenNeighbours) {
  Attempt a({{300, 200, 0}, {300, 200, 0}, {300, 200, 0}, {300, 200, 0}}, MakeSheet(604.5f, 404.5f), 4.5f, 0);
  a.e->LayoutStripsX(a.sheet, 0, 0);
  const std::vector<Placed> expected{{0, 0, 0, 0}, {1, 304.5f, 0, 0}, {2, 0, 204.5f, 0}, {3, 304.5f, 204.5f, 0}};
  EXPECT_EQ(AttemptList(*a.e), expected);
}

TEST(LeftoverRule, Cases) {
  struct Case {
    float leftover, minimalOffcut;
    bool refused;
  } cases[] = {
      {0, 50, false},       {0.0004f, 10, false}, {-0.0004f, 10, false}, {0.0006f, 10, true}, {5, 10, true},
      {10, 10, false},      {52, 50, false},      {49.999f, 50, true},   {-1, 0, true},       {3, 0, false},
      {-0.0004f, 0, false}, {-0.001f, 0, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LeftoverRefused(c.leftover, c.minimalOffcut), c.refused) << c.leftover << " vs " << c.minimalOffcut;
}

TEST(LeftoverRule, ZeroToThreeDecimalsAsRoundTo) {
  std::mt19937 gen(3);
  for (int i = 0; i < 100000; ++i) {
    const float l = (static_cast<float>(gen() % 20001) - 10000.0f) / 1e7f * static_cast<float>(1 + gen() % 100);
    ASSERT_EQ(LeftoverRefused(l, 1e9f), !IsZero3(l)) << l;
  }
  for (float l : {0.0005f, -0.0005f, 0.00049999f, 0.0004999f, 0.0015f})
    EXPECT_EQ(LeftoverRefused(l, 1), !IsZero3(l)) << l;
}

// PickDetail over the given parts in a W x H space.
struct Picker {
  std::unique_ptr<PlacementEngine> e = std::make_unique<PlacementEngine>();
  std::vector<HotPart> parts;
  explicit Picker(const std::vector<PartSpec>& sizes, int joint = 0, int secondPass = 0) : parts(MakeParts(sizes)) {
    e->Allocate(static_cast<int>(parts.size()), static_cast<int>(parts.size()));
    e->StartMaterial(0, 0);
    e->JointRotation = joint;
    e->SecondPass = static_cast<std::uint8_t>(secondPass);
    e->SetCandidates(parts.data(), static_cast<int>(parts.size()));
  }
  PickResult Pick(float W, float H) { return e->PickDetail(0, static_cast<int>(parts.size()) - 1, W, H); }
};

TEST(PickDetail, RotationRules) {
  struct Case {
    const char* what;
    std::vector<PartSpec> parts;
    float W, H;
    int joint, secondPass;
    int found, index, rotated, jointAfter;
  } cases[] = {
      {"largest area that fits wins", {{100, 100, 0}, {300, 200, 0}, {200, 200, 0}}, 400, 400, 0, 0, 1, 1, 0, 0},
      {"equal areas: the first in order", {{200, 100, 0}, {100, 200, 0}}, 400, 400, 0, 0, 1, 0, 0, 0},
      {"rule 0 never turns", {{1200, 300, 0}}, 1000, 1500, 0, 0, 0, -1, 0, 0},
      {"rule 1 turns when it only fits turned", {{1200, 300, 1}}, 1000, 1500, 0, 0, 1, 0, 1, 0},
      {"rule 1 fitting unturned is never turned", {{900, 300, 1}}, 1000, 1000, 0, 0, 1, 0, 0, 0},
      {"nothing fits", {{1200, 1100, 1}}, 1000, 1000, 0, 0, 0, -1, 0, 0},
      {"joint undecided: unturned decides 1 at once", {{100, 100, 2}, {300, 300, 0}}, 1000, 1000, 0, 0, 1, 0, 0, 1},
      {"joint undecided: turned decides 2", {{1200, 300, 2}}, 1000, 1500, 0, 0, 1, 0, 1, 2},
      {"joint undecided on the turned sheet: unturned means turned", {{100, 100, 2}}, 1000, 1000, 0, 1, 1, 0, 0, 2},
      {"joint undecided on the turned sheet: turned means unturned", {{1200, 300, 2}}, 1000, 1500, 0, 1, 1, 0, 1, 1},
      {"joint 1, first pass: unturned only", {{1200, 300, 2}, {300, 100, 2}}, 1000, 1500, 1, 0, 1, 1, 0, 1},
      {"joint 1, second pass: turned only", {{300, 100, 2}, {1200, 300, 2}}, 1500, 1000, 1, 1, 1, 0, 1, 1},
      {"joint 2, first pass: turned only", {{900, 300, 2}}, 1000, 1000, 2, 0, 1, 0, 1, 2},
      {"joint 2, second pass: unturned only", {{1200, 300, 2}}, 1000, 1500, 2, 1, 0, -1, 0, 2},
      {"joint 2 keeps the best fit", {{100, 100, 2}, {300, 200, 2}}, 1000, 1000, 2, 0, 1, 1, 1, 2},
  };
  for (const Case& c : cases) {
    Picker p(c.parts, c.joint, c.secondPass);
    const PickResult r = p.Pick(c.W, c.H);
    EXPECT_EQ(r.found, c.found) << c.what;
    if (c.found) {
      EXPECT_EQ(r.index, c.index) << c.what;
      EXPECT_EQ(r.rotated, c.rotated) << c.what;
      const HotPart& h = p.parts[r.index];
      EXPECT_EQ(r.w, r.rotated ? h.Y : h.X) << c.what;
      EXPECT_EQ(r.h, r.rotated ? h.X : h.Y) << c.what;
    }
    EXPECT_EQ(p.e->JointRotation, c.jointAfter) << c.what;
  }
}

TEST(PickDetail, PartsWithoutNumberedKindsAreStillPickedRight) {
  std::vector<HotPart> parts = MakeParts({{100, 100, 0}, {300, 200, 0}, {200, 200, 0}});
  for (HotPart& p : parts) p.Kind = 0;  // not numbered
  PlacementEngine e;
  e.Allocate(3, 3);
  e.StartMaterial(0, 0);
  e.SetCandidates(parts.data(), 3);
  EXPECT_EQ(e.PickDetail(0, 2, 400, 400).index, 1);
  EXPECT_EQ(e.PickDetail(0, 2, 250, 250).index, 2);
}

TEST(PickDetail, LookAheadTakesTheJointDecision) {
  Picker p({{500, 300, 0}, {200, 100, 2}});
  EXPECT_EQ(p.e->CutExtent(0, CutMode::Across, 1000, 500, 500, 300), 300);
  EXPECT_EQ(p.e->JointRotation, 1);
}

TEST(PickDetail, SkipsPlacedPartsAndPartsInTheAttempt) {
  std::vector<HotPart> parts = MakeParts({{500, 500, 0}, {400, 400, 0}, {300, 300, 0}});
  parts[0].Placed = 1;
  PlacementEngine e;
  e.Allocate(3, 3);
  e.StartMaterial(0, 0);
  e.SetCandidates(parts.data(), 3);
  ASSERT_EQ(e.CandidateCount(), 2);
  EXPECT_FALSE(e.InAttempt(0));
  PickResult r = e.PickDetail(0, 1, 1000, 1000);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(e.Candidate(r.index).Serial, 1);
  e.PlaceInAttempt(r.index, false, 0, 0);
  EXPECT_TRUE(e.InAttempt(1));
  r = e.PickDetail(0, 1, 1000, 1000);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(e.Candidate(r.index).Serial, 2);
  // An emptied attempt frees the part again.
  e.EmptyAttempt(1);
  EXPECT_FALSE(e.InAttempt(1));
  EXPECT_EQ(e.Candidate(e.PickDetail(0, 1, 1000, 1000).index).Serial, 1);
}

// InAttempt as a scan of the attempt list.
bool LinearInAttempt(const PlacementEngine& e, std::int32_t serial) {
  for (int q = 0; q < kAttemptSize; ++q) {
    if (e.AttemptDetail[q] == -1) return false;
    if (e.AttemptDetail[q] == serial) return true;
  }
  return false;
}

TEST(InAttempt, AnswersAsTheScanOfTheAttemptListIncludingAFullBuffer) {
  // 6000 parts of 1 x 1 on a 100 x 100 sheet: the buffer fills at 5000 entries, the rest are
  // left out of the attempt and the free area counts only the recorded ones.
  std::vector<PartSpec> sizes(6000, PartSpec{1, 1, 0});
  std::vector<HotPart> parts = MakeParts(sizes);
  List sheet = MakeSheet(100, 100);
  auto e = std::make_unique<PlacementEngine>();
  e->Allocate(6000, 6000);
  e->StartMaterial(0, 0);
  e->SetCandidates(parts.data(), 6000);
  e->StartSheet(0);
  e->EmptyAttempt(sheet.Area);
  e->LayoutStripsX(sheet, 0, 0);
  EXPECT_EQ(e->AttemptCount(), kAttemptSize);
  EXPECT_FLOAT_EQ(e->AttemptFreeArea, 10000 - 5000);
  for (int s = 0; s < 6000; ++s) ASSERT_EQ(e->InAttempt(s), LinearInAttempt(*e, s)) << s;
  EXPECT_EQ(e->BestCount(), kAttemptSize);

  // Random attempts on random parts.
  std::mt19937 gen(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<PartSpec> rs;
    const int n = 1 + static_cast<int>(gen() % 80);
    for (int i = 0; i < n; ++i)
      rs.push_back({float(10 + gen() % 400), float(10 + gen() % 400), static_cast<int>(gen() % 3)});
    std::vector<HotPart> ps = MakeParts(rs);
    for (auto& p : ps) p.Placed = gen() % 4 == 0;
    e->Allocate(n, n);
    e->StartMaterial(float(gen() % 5), float(gen() % 30));
    e->SetCandidates(ps.data(), n);
    e->StartSheet(0);
    List s = MakeSheet(float(300 + gen() % 900), float(300 + gen() % 900));
    e->EmptyAttempt(s.Area);
    if (round % 2) e->LayoutStripsX(s, 0, round % 4 / 2);
    else e->LayoutStripsY(s, 0, round % 4 / 2);
    for (int k = 0; k < n; ++k) ASSERT_EQ(e->InAttempt(k), LinearInAttempt(*e, k)) << round << " " << k;
  }
}

TEST(KeepBest, TheLaterOfEqualAttemptsWinsAndAWorseOneIsDropped) {
  Attempt a({{500, 500, 0}, {500, 500, 0}, {400, 400, 0}}, MakeSheet(1000, 500), 0, 0);
  a.e->PlaceInAttempt(0, false, 0, 0);
  a.e->KeepBest(3, 0);
  EXPECT_EQ(a.e->BestSheet, 3);
  a.e->EmptyAttempt(a.sheet.Area);
  a.e->PlaceInAttempt(1, false, 500, 0);
  a.e->KeepBest(4, 1);
  EXPECT_EQ(a.e->BestSheet, 4);
  EXPECT_EQ(a.e->BestTransposed, 1);
  EXPECT_EQ(a.e->BestDetail[0], 1);
  EXPECT_EQ(a.e->BestX[0], 500);
  a.e->EmptyAttempt(a.sheet.Area);
  a.e->PlaceInAttempt(2, false, 0, 0);
  a.e->KeepBest(5, 0);
  EXPECT_EQ(a.e->BestSheet, 4);
  EXPECT_EQ(a.e->BestDetail[0], 1);
  EXPECT_EQ(a.e->BestDetail[1], -1);
}

TEST(KeepBest, AShorterBestAttemptLeavesNoOldEntriesBehind) {
  Attempt a({{100, 100, 0}, {100, 100, 0}, {900, 400, 0}}, MakeSheet(1000, 500), 0, 0);
  a.e->PlaceInAttempt(0, false, 0, 0);
  a.e->PlaceInAttempt(1, false, 100, 0);
  a.e->KeepBest(0, 0);
  a.e->EmptyAttempt(a.sheet.Area);
  a.e->PlaceInAttempt(2, false, 0, 0);
  a.e->KeepBest(0, 0);
  EXPECT_EQ(a.e->BestCount(), 1);
  EXPECT_EQ(a.e->BestDetail[1], -1);
  EXPECT_EQ(a.e->BestX[1], -1.0f);
}

TEST(Pockets, AFillRowRecordsAtMost51PocketsAndKeepsPlacing) {
  // 60 parts of 10 x 10 in a row of 1000 x 100: all 60 are placed, 51 pockets are recorded.
  std::vector<PartSpec> sizes(60, PartSpec{10, 10, 0});
  std::vector<HotPart> parts = MakeParts(sizes);
  PlacementEngine e;
  e.Allocate(60, 60);
  e.StartMaterial(0, 0);
  e.SetCandidates(parts.data(), 60);
  e.EmptyAttempt(1);
  EXPECT_EQ(e.FillRow(1000, 100, 0, 0), kPocketCount);
  EXPECT_EQ(e.AttemptCount(), 60);
  EXPECT_EQ(e.Pocket(50).x, 500);
  EXPECT_EQ(e.FillColumn(1000, 100, 0, 200), 0);
}

}  // namespace
}  // namespace kelvara
