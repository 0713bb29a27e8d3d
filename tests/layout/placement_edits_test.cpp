#include "layout/placement_edits.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"

namespace kelvara {
namespace {

using test::SlotFixture;

constexpr double kScale = 0.5;

// The pixel under a point (length units) of a sheet picture drawn at kScale.
SheetPixel PixelAt(const List& s, double x, double y) {
  return {x * kScale, y * kScale, static_cast<double>(static_cast<int>(s.X * kScale)),
          static_cast<double>(static_cast<int>(s.Y * kScale)), kScale};
}

int PlacedOn(const LayoutSlot& slot, int m, int sheet, int nc) {
  int n = 0;
  for (const Detail& d : slot.LayoutDetails[m])
    if (d.Placed == 1 && d.Sheet == sheet && d.NC == nc) ++n;
  return n;
}

// Sheet 0 of sheet row 1 carries a 500 x 300 part of row 1 and stands for 3 sheets (sheets 1
// and 2 repeat it); part row 7 has `unplaced` copies of 200 x 100 in the panel.
struct SheetForThree : SlotFixture {
  explicit SheetForThree(int unplaced, int materials = 1) : SlotFixture(materials) {
    kw[0] = 4;
    for (int i = 0; i < 3; ++i) AddSheet(0, 2000, 1000, 10, 1);
    const auto a = AddPart(0, 1, 500, 300), b = AddPart(0, 1, 500, 300), c = AddPart(0, 1, 500, 300);
    Place(0, a, 0, 10, 10);
    Repeat(0, 0, 1, {b});
    Repeat(0, 0, 2, {c});
    for (int i = 0; i < unplaced; ++i) row7.push_back(AddPart(0, 7, 200, 100));
  }
  std::vector<std::int32_t> row7;
};

TEST(Drop, PanelCopiesMustCoverTheTargetsCopies) {
  for (int unplaced : {2, 3, 4}) {
    SheetForThree f(unplaced);
    DragState drag = StartDragFromPanel(0, f.row7[0], UnplacedCount(f.slot, 7), false);
    EXPECT_EQ(drag.copies, unplaced);
    const bool accepted = SheetAccepts(f.slot, f.kw, drag, 0, 0, PixelAt(f.Sheet(0, 0), 1000, 500));
    EXPECT_EQ(accepted, unplaced >= 3) << unplaced;
    if (!accepted) continue;
    const float freeBefore = f.Sheet(0, 0).FreeArea;
    const DropResult r = Drop(f.slot, drag, DropTargetKind::Sheet, 0, 0);
    EXPECT_TRUE(r.putOn);
    // One copy on the sheet in the corner of the free rectangle, one on each repetition.
    const Detail& put = f.Part(0, f.row7[0]);
    EXPECT_EQ(put.Sheet, 0);
    EXPECT_FLOAT_EQ(put.PosX, 514);
    EXPECT_FLOAT_EQ(put.PosY, 10);
    EXPECT_EQ(f.Sheet(0, 0).PlacedCount, 2);
    EXPECT_FLOAT_EQ(f.Sheet(0, 0).FreeArea, freeBefore - 200 * 100);
    EXPECT_EQ(PlacedOn(f.slot, 0, 1, 7), 1);
    EXPECT_EQ(PlacedOn(f.slot, 0, 2, 7), 1);
    EXPECT_EQ(UnplacedCount(f.slot, 7), unplaced - 3);
    EXPECT_EQ(f.Sheet(0, 1).PlacedCount, 0);
    EXPECT_EQ(f.Sheet(0, 0).Copies, 3);
  }
}

// Sheet 0 (row 1) stands for 2 sheets with sheet 1 repeating it; sheet 2 (row 2) stands for 1;
// sheet 3 (row 3) stands for 2 with sheet 4 repeating it. Sheet 0 carries a turned part of row 5
// and a part of row 6.
struct SheetForTwo : SlotFixture {
  SheetForTwo() {
    kw[0] = 4;
    AddSheet(0, 2000, 1000, 10, 1);
    AddSheet(0, 2000, 1000, 10, 1);
    AddSheet(0, 2000, 1000, 10, 2);
    AddSheet(0, 2000, 1000, 10, 3);
    AddSheet(0, 2000, 1000, 10, 3);
    part5 = AddPart(0, 5, 300, 200, 1);
    const auto rep5 = AddPart(0, 5, 300, 200, 1);
    const auto p6 = AddPart(0, 6, 400, 400), rep6 = AddPart(0, 6, 400, 400);
    Place(0, part5, 0, 10, 10, true);
    Place(0, p6, 0, 500, 10);
    Repeat(0, 0, 1, {rep5, rep6});
    Place(0, AddPart(0, 8, 100, 100), 2, 10, 10);
    const auto p9 = AddPart(0, 9, 100, 100), rep9 = AddPart(0, 9, 100, 100);
    Place(0, p9, 3, 10, 10);
    Repeat(0, 3, 4, {rep9});
  }
  std::int32_t part5;
};

TEST(Drop, PartFromASheetForTwoGoesOnlyToSheetsForTwo) {
  SheetForTwo f;
  DragState drag = StartDragFromSheet(f.slot, 0, f.part5, 0, true);
  EXPECT_EQ(drag.copies, 2);
  EXPECT_FALSE(SheetAccepts(f.slot, f.kw, drag, 0, 2, PixelAt(f.Sheet(0, 2), 1000, 500)));
  ASSERT_TRUE(SheetAccepts(f.slot, f.kw, drag, 0, 3, PixelAt(f.Sheet(0, 3), 1000, 500)));

  const DropResult r = Drop(f.slot, drag, DropTargetKind::Sheet, 3, 0);
  EXPECT_TRUE(r.takenOff && r.putOn);
  EXPECT_EQ(r.fromSheet, 0);
  EXPECT_EQ(f.Sheet(0, 0).PlacedCount, 1);
  EXPECT_EQ(f.Sheet(0, 3).PlacedCount, 2);
  EXPECT_EQ(PlacedOn(f.slot, 0, 1, 5), 0);
  EXPECT_EQ(PlacedOn(f.slot, 0, 4, 5), 1);
  EXPECT_EQ(f.Part(0, f.part5).Rotated, 1);
  EXPECT_EQ(UnplacedCount(f.slot, 5), 0);
}

TEST(Drop, TakingOffFromASheetForTwoGivesTwoCopiesBack) {
  SheetForTwo f;
  const float freeBefore = f.Sheet(0, 0).FreeArea;
  const DragState drag = StartDragFromSheet(f.slot, 0, f.part5, 0, true);
  const DropResult r = Drop(f.slot, drag, DropTargetKind::Panel, -1, 0);
  EXPECT_TRUE(r.takenOff);
  EXPECT_EQ(UnplacedCount(f.slot, 5), 2);
  EXPECT_EQ(f.Sheet(0, 0).PlacedCount, 1);
  EXPECT_EQ(f.Sheet(0, 0).Used, 1);
  EXPECT_FLOAT_EQ(f.Sheet(0, 0).FreeArea, freeBefore + 300 * 200);
  // The repetition's copy lies as the taken one did; the repetition itself stays.
  for (const Detail& d : f.slot.LayoutDetails[0])
    if (d.NC == 5) {
      EXPECT_EQ(d.Rotated, 1);
    }
  EXPECT_EQ(f.Sheet(0, 1).CopyOf, 0);
  EXPECT_EQ(PlacedOn(f.slot, 0, 1, 6), 1);
}

TEST(Drop, LastPartOffASheetLeavesItUnused) {
  SheetForTwo f;
  const auto only = f.slot.LayoutDetails[0][4].Serial;  // row 8 on sheet 2
  const TakeOffResult r = TakePartOff(f.slot, 0, 2, only);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(f.Sheet(0, 2).PlacedCount, 0);
  EXPECT_EQ(f.Sheet(0, 2).Used, 0);
  EXPECT_FLOAT_EQ(f.Sheet(0, 2).FreeArea, f.Sheet(0, 2).Area);
}

TEST(Drop, TakeOffOfAPartOnNoQualifyingSheetChangesNothing) {
  SheetForTwo f;
  const std::string before = test::Describe(f.slot);
  EXPECT_FALSE(TakePartOff(f.slot, 0, 2, f.part5).changed);  // wrong sheet row
  EXPECT_FALSE(TakePartOff(f.slot, 0, 1, 424242).changed);   // no such part
  EXPECT_EQ(test::Describe(f.slot), before);
}

TEST(Drop, OntoAnEmptySheetLandsInTheTopOrBottomLeftCorner) {
  for (std::uint8_t location : {0, 1}) {
    SlotFixture f;
    f.AddSheet(0, 2000, 1000, 10);
    f.Sheet(0, 0).Copies = 1;  // a cleared sheet keeps its picture and its Copies
    const auto p = f.AddPart(0, 1, 300, 200);
    DragState drag = StartDragFromPanel(0, p, 1, false);
    ASSERT_TRUE(SheetAccepts(f.slot, f.kw, drag, 0, 0, PixelAt(f.Sheet(0, 0), 700, 600)));
    EXPECT_DOUBLE_EQ(drag.dropRect.x1, 10);
    EXPECT_DOUBLE_EQ(drag.dropRect.y1, 10);
    EXPECT_DOUBLE_EQ(drag.dropRect.height, 980);
    ASSERT_TRUE(Drop(f.slot, drag, DropTargetKind::Sheet, 0, location).putOn);
    EXPECT_FLOAT_EQ(f.Part(0, p).PosX, 10);
    EXPECT_FLOAT_EQ(f.Part(0, p).PosY, location == 1 ? 1000 - 10 - 200 : 10);
    EXPECT_EQ(f.Sheet(0, 0).Used, 1);
    EXPECT_EQ(f.Sheet(0, 0).PlacedCount, 1);
  }
}

TEST(Drop, MoveOnItsOwnSheet) {
  SlotFixture f;
  f.kw[0] = 4;
  f.AddSheet(0, 1000, 500, 10);
  const auto p = f.AddPart(0, 1, 100, 100);
  f.Place(0, p, 0, 10, 10);
  const float freeBefore = f.Sheet(0, 0).FreeArea;
  DragState drag = StartDragFromSheet(f.slot, 0, p, 0, false);
  // The free rectangle is found while the part still stands at its old place.
  ASSERT_TRUE(SheetAccepts(f.slot, f.kw, drag, 0, 0, PixelAt(f.Sheet(0, 0), 500, 250)));
  ASSERT_TRUE(Drop(f.slot, drag, DropTargetKind::Sheet, 0, 0).putOn);
  EXPECT_FLOAT_EQ(f.Part(0, p).PosX, 114);
  EXPECT_FLOAT_EQ(f.Part(0, p).PosY, 10);
  EXPECT_EQ(f.Sheet(0, 0).PlacedCount, 1);
  EXPECT_FLOAT_EQ(f.Sheet(0, 0).FreeArea, freeBefore);
}

TEST(Drop, SheetToSheetWithoutARectangleLeavesThePartWhereItIs) {
  SheetForTwo f;
  const std::string before = test::Describe(f.slot);
  DragState drag = StartDragFromSheet(f.slot, 0, f.part5, 0, true);  // no drag-over test: no DropRect
  EXPECT_FALSE(Drop(f.slot, drag, DropTargetKind::Sheet, 3, 0).changed);
  EXPECT_EQ(test::Describe(f.slot), before);
}

TEST(Drop, OtherCombinationsChangeNothing) {
  SheetForTwo f;
  const std::string before = test::Describe(f.slot);
  DragState fromPanel = StartDragFromPanel(0, f.part5, 1, false);
  EXPECT_FALSE(Drop(f.slot, fromPanel, DropTargetKind::Panel, -1, 0).changed);
  DragState fromSheet = StartDragFromSheet(f.slot, 0, f.part5, 0, true);
  EXPECT_FALSE(Drop(f.slot, fromSheet, DropTargetKind::Other, -1, 0).changed);
  DragState none;
  EXPECT_FALSE(Drop(f.slot, none, DropTargetKind::Sheet, 3, 0).changed);
  EXPECT_EQ(test::Describe(f.slot), before);
}

TEST(SheetTest, RoomMaterialAndUsableArea) {
  // A 600 x 500 part leaves a free column 396 wide on a 1000 x 500 sheet, saw width 4.
  SlotFixture f(2);
  f.kw[0] = 4;
  f.AddSheet(0, 1000, 500);
  f.AddSheet(1, 1000, 500);
  f.Place(0, f.AddPart(0, 1, 600, 500), 0, 0, 0);
  const auto free1 = f.AddPart(0, 2, 450, 100, 1), fixed = f.AddPart(0, 3, 450, 100, 0);
  const SheetPixel cursor = PixelAt(f.Sheet(0, 0), 800, 250);
  struct Case {
    std::int32_t serial;
    bool turned;
    bool accepted;
  } cases[] = {{free1, false, false}, {free1, true, true}, {fixed, true, false}};
  for (const Case& c : cases) {
    DragState drag = StartDragFromPanel(0, c.serial, 1, c.turned);
    EXPECT_EQ(SheetAccepts(f.slot, f.kw, drag, 0, 0, cursor), c.accepted) << c.serial << ' ' << c.turned;
    EXPECT_DOUBLE_EQ(drag.dropRect.x1, 604);
  }
  DragState drag = StartDragFromPanel(0, free1, 1, true);
  EXPECT_FALSE(SheetAccepts(f.slot, f.kw, drag, 1, 0, cursor));  // another material
  EXPECT_FALSE(SheetAccepts(f.slot, f.kw, drag, 0, 0, PixelAt(f.Sheet(0, 0), 0, 250)));  // on the edge
}

TEST(SheetTest, CursorMustLieStrictlyInsideTheTrims) {
  List s;
  s.X = 1000;
  s.Y = 500;
  s.TL = s.TT = s.TR = s.TB = 10;
  const double w = 500, h = 250;  // at scale 0.5
  EXPECT_FALSE(InsideUsableArea(s, {5, 100, w, h, 0.5}));
  EXPECT_TRUE(InsideUsableArea(s, {5.5, 100, w, h, 0.5}));
  EXPECT_FALSE(InsideUsableArea(s, {495, 100, w, h, 0.5}));
  EXPECT_FALSE(InsideUsableArea(s, {100, 245, w, h, 0.5}));
  EXPECT_TRUE(InsideUsableArea(s, {100, 244.9, w, h, 0.5}));
}

TEST(Turn, OnlyFreelyRotatableParts) {
  SlotFixture f;
  f.AddSheet(0, 1000, 500);
  for (int rotation : {0, 1, 2}) {
    const auto p = f.AddPart(0, 1, 300, 100, rotation);
    EXPECT_EQ(TurnPart(f.slot, 0, p, false), rotation == 1);
    EXPECT_EQ(f.Part(0, p).Rotated, rotation == 1 ? 1 : 0);
    if (rotation == 1) {
      EXPECT_TRUE(TurnPart(f.slot, 0, p, true));
      EXPECT_EQ(f.Part(0, p).Rotated, 0);
    }
  }
}

TEST(Clear, EmptiesTheSheetItsRepetitionsAndItsOffcuts) {
  SheetForThree three(0, 2);
  three.AddOffcut(0, 0, 600, 10, 300, 300);
  // An offcut of another material on the same sheet index stays.
  three.slot.LayoutSheets[1].push_back(three.Sheet(0, 0));
  three.slot.MaterialActive[1] = 1;
  RestM other = three.slot.OffcutLists.back();
  other.Num = 1;
  other.Id = 99;
  three.slot.OffcutLists.push_back(other);
  three.Part(0, three.slot.LayoutDetails[0][0].Serial).Rotated = 1;

  ASSERT_TRUE(ClearSheet(three.slot, 0, 0));
  const List& s = three.Sheet(0, 0);
  EXPECT_EQ(s.PlacedCount, 0);
  EXPECT_EQ(s.Used, 0);
  EXPECT_FLOAT_EQ(s.FreeArea, s.Area);
  EXPECT_EQ(s.OffcutArea, 0);
  EXPECT_EQ(s.Copies, 3);
  EXPECT_EQ(three.Sheet(0, 1).CopyOf, 0);
  for (const Detail& d : three.slot.LayoutDetails[0]) {
    EXPECT_EQ(d.Placed, 0);
    EXPECT_EQ(d.Rotated, 0);
  }
  ASSERT_EQ(three.slot.OffcutLists.size(), 1u);
  EXPECT_EQ(three.slot.OffcutLists[0].Num, 1);
  EXPECT_FALSE(ClearSheet(three.slot, 0, 7));
}

}  // namespace
}  // namespace kelvara
