#include "layout/free_rect.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"

namespace kelvara {
namespace {

using test::SlotFixture;

struct Rect {
  double x1, y1, x2, y2;
};

void ExpectRect(const FreeRect& r, Rect want) {
  ASSERT_TRUE(r.found);
  EXPECT_DOUBLE_EQ(r.x1, want.x1);
  EXPECT_DOUBLE_EQ(r.y1, want.y1);
  EXPECT_DOUBLE_EQ(r.x2, want.x2);
  EXPECT_DOUBLE_EQ(r.y2, want.y2);
}

// A 1000 x 500 sheet with trims 10, saw width 4.
struct TrimmedSheet : SlotFixture {
  TrimmedSheet() {
    kw[0] = 4;
    AddSheet(0, 1000, 500, 10);
  }
  void Part(float x, float y, float w, float h) { Place(0, AddPart(0, 1, w, h), 0, x, y); }
  FreeRect Find(double px, double py) { return FindFreeRect(slot, 0, 0, kw[0], px, py); }
};

TEST(FindFreeRect, EmptySheetGivesTheWholeUsableAreaWhereverThePoint) {
  TrimmedSheet f;
  for (auto [px, py] : {std::pair{11.0, 11.0}, {500.0, 250.0}, {989.0, 489.0}}) ExpectRect(f.Find(px, py), {10, 10, 990, 490});
}

TEST(FindFreeRect, KerfBandsReachAcrossTheWholeSheet) {
  TrimmedSheet f;
  f.Part(200, 200, 100, 100);
  // One unit above the part's top edge, anywhere across the sheet.
  for (double px : {50.0, 250.0, 900.0}) EXPECT_FALSE(f.Find(px, 199).found) << px;
  // Below the bottom edge inside kerf + tolerance, and beside the right edge.
  EXPECT_FALSE(f.Find(800, 305.9).found);
  EXPECT_FALSE(f.Find(302, 50).found);
  EXPECT_FALSE(f.Find(194.5, 450).found);
  // Just outside the tolerance the point is free again.
  EXPECT_TRUE(f.Find(800, 306.5).found);
  const FreeRect none = f.Find(50, 199);
  EXPECT_EQ(none.x1, -1);
  EXPECT_EQ(none.y2, -1);
}

TEST(FindFreeRect, ColumnStripOverTheFullUsableHeight) {
  TrimmedSheet f;
  f.Part(10, 10, 100, 480);
  f.Part(500, 10, 100, 100);
  ExpectRect(f.Find(300, 250), {114, 10, 496, 490});
}

TEST(FindFreeRect, RowStripOverTheFullUsableWidth) {
  TrimmedSheet f;
  f.Part(10, 10, 980, 100);
  f.Part(10, 300, 100, 100);
  ExpectRect(f.Find(500, 250), {10, 114, 990, 296});
}

// Corner cuts on a 1000 x 1000 sheet without trims or kerf: a part above and a part left of
// the point bound the rectangle to (100, 100)..(1000, 1000) first.
struct CornerSheet : SlotFixture {
  CornerSheet(double px, double py) : px(px), py(py) {
    AddSheet(0, 1000, 1000);
    Part(px - 50, 0, 100, 100);
    Part(0, py - 50, 100, 100);
  }
  void Part(float x, float y, float w, float h) { Place(0, AddPart(0, 1, w, h), 0, x, y); }
  FreeRect Find() { return FindFreeRect(slot, 0, 0, 0, px, py); }
  double px, py;
};

TEST(FindFreeRect, CornerCutKeepsTheLargerAreaAndTheVerticalOneOnATie) {
  struct Case {
    float x, y;  // the cutting part, 100 x 100, its top-left corner inside
    Rect want;
  } cases[] = {
      {600, 600, {100, 100, 600, 1000}},  // 900 x 500 against 500 x 900: tie, vertical
      {600, 700, {100, 100, 1000, 700}},  // 900 x 600 against 500 x 900: horizontal
      {700, 600, {100, 100, 700, 1000}},  // 900 x 500 against 600 x 900: vertical
  };
  for (const Case& c : cases) {
    CornerSheet f(300, 300);
    f.Part(c.x, c.y, 100, 100);
    SCOPED_TRACE(c.x);
    ExpectRect(f.Find(), c.want);
  }
}

TEST(FindFreeRect, CornerCutNeverLeavesThePointOutside) {
  // A small part up and left of the point: cutting at its top-left corner either way would
  // lose the point; its top-right corner cuts instead.
  CornerSheet f(500, 500);
  f.Part(150, 150, 50, 50);
  const FreeRect r = f.Find();
  ExpectRect(r, {200, 100, 1000, 1000});
  EXPECT_LE(r.x1, 500);
  EXPECT_GE(r.x2, 500);
}

TEST(FindFreeRect, MarkedOffcutsBoundTheRectangle) {
  TrimmedSheet f;
  f.Part(10, 10, 100, 480);
  f.AddOffcut(0, 0, 500, 10, 100, 100);
  ExpectRect(f.Find(300, 250), {114, 10, 496, 490});
  // Offcuts of another sheet or material do not count.
  f.slot.OffcutLists.back().Sheet = 1;
  ExpectRect(f.Find(300, 250), {114, 10, 990, 490});
}

TEST(FindFreeRect, OffcutsAloneStillCount) {
  // All parts dragged away, an offcut remains: the whole usable area would overlap it.
  TrimmedSheet f;
  f.AddOffcut(0, 0, 10, 10, 300, 480);
  ExpectRect(f.Find(600, 250), {314, 10, 990, 490});
}

TEST(FindFreeRect, PointOnAnItemFindsNothing) {
  TrimmedSheet f;
  f.Part(200, 200, 100, 100);
  EXPECT_FALSE(f.Find(250, 250).found);
}

TEST(FindFreeRect, UnknownSheetOrMaterialFindsNothing) {
  TrimmedSheet f;
  EXPECT_FALSE(FindFreeRect(f.slot, 3, 0, 4, 100, 100).found);
  EXPECT_FALSE(FindFreeRect(f.slot, 0, 5, 4, 100, 100).found);
  EXPECT_FALSE(FindFreeRect(f.slot, -1, 0, 4, 100, 100).found);
}

TEST(FindFreeRect, ValuesAreTakenToThreeDecimals) {
  TrimmedSheet f;
  f.Part(10, 10, 100.0004f, 480);
  // 114.0004 rounds to 114.
  ExpectRect(f.Find(300.00049, 250), {114, 10, 990, 490});
}

}  // namespace
}  // namespace kelvara
