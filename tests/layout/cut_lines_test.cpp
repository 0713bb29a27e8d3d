#include "layout/cut_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "layout_fixture.h"

namespace kelvara {
namespace {

using test::SlotFixture;

// A line as (X, Y, W, H, side) text, sides L T R B.
std::string Text(const CutLine& c) {
  std::ostringstream o;
  o << c.X << ' ' << c.Y << ' ' << c.W << ' ' << c.H << ' ' << (c.SideL ? 'L' : c.SideT ? 'T' : c.SideR ? 'R' : 'B');
  return o.str();
}

std::vector<std::string> Lines(const List& s) {
  std::vector<std::string> v;
  for (const CutLine& c : s.Cuts) v.push_back(Text(c));
  std::sort(v.begin(), v.end());
  return v;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// One 1000 x 500 sheet of material 0 with the given trims and saw width.
struct OneSheet : SlotFixture {
  OneSheet(float trim, float k) {
    kw[0] = k;
    AddSheet(0, 1000, 500, trim);
  }
  std::int32_t Part(float x, float y, float w, float h, int nc = 1) {
    const std::int32_t s = AddPart(0, nc, w, h);
    Place(0, s, 0, x, y);
    return s;
  }
  List& Build(std::uint8_t location = 0) {
    BuildCutLines(slot, kw, location);
    return Sheet(0, 0);
  }
};

TEST(CutLines, SheetWithoutPlacedPartsGetsNoLinesEvenWithOffcuts) {
  OneSheet f(10, 4);
  f.Part(10, 10, 100, 100);
  const int empty = f.AddSheet(0, 1000, 500, 10);
  f.AddOffcut(0, empty, 10, 10, 300, 200);
  f.Sheet(0, empty).Cuts.push_back(CutLine{});  // stale lines of an earlier build
  f.Sheet(0, empty).CutLength = 123;
  f.Build();
  EXPECT_TRUE(f.Sheet(0, empty).Cuts.empty());
  EXPECT_EQ(f.Sheet(0, empty).CutLength, 0);
  EXPECT_FALSE(f.Sheet(0, 0).Cuts.empty());
}

TEST(CutLines, InactiveMaterialIsLeftAlone) {
  SlotFixture f(2);
  f.AddSheet(1, 1000, 500);
  f.Sheet(1, 0).CutLength = 7;
  BuildCutLines(f.slot, f.kw, 0);
  EXPECT_EQ(f.Sheet(1, 0).CutLength, 7);
}

TEST(CutLines, PartFillingTheUsableAreaGetsNoLines) {
  // No edge pass line, and no first-stage cut outside the sheet: the block leaves no rest.
  for (float k : {0.0f, 4.0f}) {
    OneSheet f(0, k);
    f.Part(0, 0, 1000, 500);
    const List& s = f.Build();
    EXPECT_TRUE(s.Cuts.empty()) << "k " << k;
    EXPECT_EQ(s.CutLength, 0);
  }
  // With trims only the right and bottom trim lines remain.
  OneSheet f(10, 4);
  f.Part(10, 10, 980, 480);
  EXPECT_EQ(Lines(f.Build()), Sorted({"0 490 1000 0 B", "990 0 0 500 R"}));
}

TEST(CutLines, TrimsZeroMakeNoTrimLines) {
  OneSheet f(0, 0);
  f.Part(0, 0, 100, 100);
  const List& s = f.Build();
  EXPECT_EQ(Lines(s), Sorted({"100 0 0 500 R", "0 100 100 0 B"}));
  EXPECT_FLOAT_EQ(s.CutLength, 600);
}

TEST(CutLines, TrimsTenKeepOnlyRightAndBottomTrimLines) {
  OneSheet f(10, 0);
  f.Part(10, 10, 100, 100);
  const List& s = f.Build();
  EXPECT_EQ(Lines(s), Sorted({"0 490 1000 0 B", "990 0 0 500 R", "110 10 0 480 R", "10 110 100 0 B"}));
  EXPECT_FLOAT_EQ(s.CutLength, 2080);
}

TEST(CutLines, LeftEdgeLineCoversTheRightEdgeLineOfItsNeighbour) {
  // Saw width 4: the part at x 10, 100 wide, has its right-edge line at 114, where the next
  // part's left-edge line already is.
  OneSheet f(10, 4);
  f.Part(10, 10, 100, 200, 1);
  f.Part(114, 10, 100, 200, 2);
  const List& s = f.Build();
  int at114 = 0;
  for (const CutLine& c : s.Cuts)
    if (c.X == 114 && c.W == 0) ++at114;
  EXPECT_EQ(at114, 1);
  EXPECT_EQ(Lines(s), Sorted({"0 490 1000 0 B", "990 0 0 500 R", "218 10 0 480 R", "10 214 208 0 B", "114 10 0 204 L"}));
  EXPECT_FLOAT_EQ(s.CutLength, 2392);
}

TEST(CutLines, OffcutAddsLinesAlongItsEdges) {
  OneSheet f(0, 0);
  f.Part(0, 0, 100, 100);
  f.AddOffcut(0, 0, 100, 0, 200, 100);
  const List& s = f.Build();
  EXPECT_EQ(Lines(s), Sorted({"0 100 1000 0 B", "300 0 0 100 R", "100 0 0 100 L"}));
  EXPECT_FLOAT_EQ(s.CutLength, 1200);
}

TEST(CutLines, FirstStageCutLiesBeyondEveryItemAndItsKerf) {
  // The far edge of the block is the largest right edge plus one kerf, whatever the order of
  // the items: here 102 + 4, not the 100 + 4 of the first item.
  OneSheet f(0, 4);
  f.Part(0, 0, 100, 100, 1);
  f.Part(0, 104, 102, 100, 2);
  const List& s = f.Build();
  bool found = false;
  for (const CutLine& c : s.Cuts)
    if (c.SideR && c.H == 500) {
      EXPECT_FLOAT_EQ(c.X, 106);
      found = true;
    }
  EXPECT_TRUE(found);
}

TEST(CutLines, LineStartingEarlierButEndingShortDoesNotCoverANeedInFarAway) {
  // A tall part between two parts of the same row stops the first part's top line; the last
  // part still needs its own top line at the same y.
  SlotFixture f;
  f.AddSheet(0, 1000, 1000);
  const auto a = f.AddPart(0, 1, 100, 100), b = f.AddPart(0, 2, 200, 600), c = f.AddPart(0, 3, 100, 100);
  f.Place(0, a, 0, 0, 300);
  f.Place(0, b, 0, 400, 0);
  f.Place(0, c, 0, 800, 300);
  BuildCutLines(f.slot, f.kw, 0);
  const auto lines = Lines(f.Sheet(0, 0));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "0 300 400 0 T"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "800 300 100 0 T"), lines.end());
}

TEST(CutLines, BottomUpLinesFollowTheMirroredParts) {
  // The part of the trims-10 case, saw width 4, mirrored: top-down y 10 is bottom-up y 390.
  OneSheet f(10, 4);
  f.Part(10, 390, 100, 100);
  const List& s = f.Build(1);
  EXPECT_EQ(Lines(s), Sorted({"0 490 1000 0 B", "990 0 0 500 R", "114 10 0 480 R", "10 386 104 0 B"}));
}

TEST(CutLines, RepetitionSheetGetsNoLines) {
  SlotFixture f;
  f.AddSheet(0, 1000, 500);
  f.AddSheet(0, 1000, 500);
  const auto a = f.AddPart(0, 1, 100, 100), b = f.AddPart(0, 1, 100, 100);
  f.Place(0, a, 0, 0, 0);
  f.Repeat(0, 0, 1, {b});  // no position of its own: PosX, PosY stay -1
  BuildCutLines(f.slot, f.kw, 0);
  EXPECT_FALSE(f.Sheet(0, 0).Cuts.empty());
  EXPECT_TRUE(f.Sheet(0, 1).Cuts.empty());
  EXPECT_EQ(f.Sheet(0, 1).CutLength, 0);
}

TEST(CutLines, GuillotineLayoutGetsOneLinePerStartAndEveryLineOnTheSheet) {
  // Two columns of parts with different widths, saw width 4, trims 5.
  SlotFixture f;
  f.kw[0] = 4;
  f.AddSheet(0, 2000, 1000, 5);
  struct P {
    float x, y, w, h;
  };
  const P parts[] = {{5, 5, 300, 200}, {5, 209, 300, 250}, {5, 463, 280, 100}, {309, 5, 400, 300}, {309, 309, 150, 300},
                     {463, 309, 246, 300}, {713, 5, 500, 600}};
  int nc = 1;
  for (const P& p : parts) f.Place(0, f.AddPart(0, nc++, p.w, p.h), 0, p.x, p.y);
  BuildCutLines(f.slot, f.kw, 0);
  const List& s = f.Sheet(0, 0);
  double total = 0;
  for (std::size_t i = 0; i < s.Cuts.size(); ++i) {
    const CutLine& c = s.Cuts[i];
    total += c.W + c.H;
    EXPECT_EQ(int(c.SideL) + int(c.SideT) + int(c.SideR) + int(c.SideB), 1);
    EXPECT_TRUE(c.W == 0 || c.H == 0);
    EXPECT_GE(c.X, 0);
    EXPECT_LE(c.X + c.W, 2000);
    EXPECT_GE(c.Y, 0);
    EXPECT_LE(c.Y + c.H, 1000);
    for (std::size_t j = 0; j < i; ++j) {
      const CutLine& d = s.Cuts[j];
      const bool sameWay = (c.W == 0) == (d.W == 0);
      EXPECT_FALSE(sameWay && c.X == d.X && c.Y == d.Y) << Text(c) << " / " << Text(d);
    }
  }
  EXPECT_NEAR(s.CutLength, total, 0.01);
}

}  // namespace
}  // namespace kelvara
