#include "layout/viewing_modes.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"

namespace kelvara {
namespace {

using test::SlotFixture;

// Material 0: sheets 0 and 1 of sheet row 1 hold one part of rows 1 and 2 each, at different
// places; sheet 2 of sheet row 2 holds the same. Offcuts on sheets 0 and 1. Material 1: two
// sheets of different rows, an offcut on its sheet 1.
struct TwoAlike : SlotFixture {
  TwoAlike() : SlotFixture(2) {
    AddSheet(0, 1000, 500, 0, 1);
    AddSheet(0, 1000, 500, 0, 1);
    AddSheet(0, 1000, 500, 0, 2);
    a1 = AddPart(0, 1, 200, 100);
    a2 = AddPart(0, 2, 100, 100);
    b1 = AddPart(0, 1, 200, 100);
    b2 = AddPart(0, 2, 100, 100);
    Place(0, a1, 0, 0, 0);
    Place(0, a2, 0, 300, 0, true);
    Place(0, b1, 1, 500, 200);
    Place(0, b2, 1, 0, 300);
    Place(0, AddPart(0, 1, 200, 100), 2, 0, 0);
    Place(0, AddPart(0, 2, 100, 100), 2, 300, 0);
    AddOffcut(0, 0, 0, 104, 300, 200, "R10", 10);
    AddOffcut(0, 1, 600, 0, 300, 150, "R11", 11);
    AddSheet(1, 800, 400, 0, 5);
    AddSheet(1, 800, 400, 0, 6);
    Place(1, AddPart(1, 9, 100, 100), 0, 0, 0);
    Place(1, AddPart(1, 9, 100, 100), 1, 0, 0);
    AddOffcut(1, 1, 200, 0, 100, 100, "R12", 12);
  }
  const RestM* Offcut(const std::string& name) const {
    for (const RestM& o : slot.OffcutLists)
      if (o.Name == name) return &o;
    return nullptr;
  }
  std::int32_t a1, a2, b1, b2;
};

TEST(ViewingModes, TwoSheetsOfOneRowFoldAndSplitAgain) {
  TwoAlike f;
  const float freeA = f.Sheet(0, 0).FreeArea, offcutA = f.Sheet(0, 0).OffcutArea;
  const std::int32_t serialB = f.Sheet(0, 1).Serial;

  EXPECT_EQ(MergeIdenticalSheets(f.slot), 1);
  EXPECT_EQ(f.Sheet(0, 0).Copies, 2);
  const List& b = f.Sheet(0, 1);
  EXPECT_EQ(b.CopyOf, 0);
  EXPECT_EQ(b.Used, 1);
  EXPECT_EQ(b.PlacedCount, 0);
  EXPECT_EQ(b.Copies, 0);
  EXPECT_EQ(f.Sheet(0, 2).CopyOf, -1);  // another sheet row
  EXPECT_EQ(f.Part(0, f.b1).Sheet, 1);  // its parts stay assigned to it
  ASSERT_TRUE(f.Offcut("R10"));
  EXPECT_EQ(f.Offcut("R10")->Copies, 2);
  EXPECT_FALSE(f.Offcut("R11"));
  ASSERT_TRUE(f.Offcut("R12"));  // another material's offcut on the same sheet index
  EXPECT_EQ(f.Offcut("R12")->Copies, 1);

  EXPECT_EQ(SplitCopies(f.slot, nullptr, test::Scripted({55, 4321})), 1);
  EXPECT_EQ(f.Sheet(0, 0).Copies, 1);
  EXPECT_EQ(f.Sheet(0, 1).Copies, 1);
  EXPECT_EQ(f.Sheet(0, 1).CopyOf, -1);
  EXPECT_EQ(f.Sheet(0, 1).PlacedCount, 2);
  EXPECT_EQ(f.Sheet(0, 1).Serial, serialB);
  EXPECT_FLOAT_EQ(f.Sheet(0, 1).FreeArea, freeA);
  EXPECT_FLOAT_EQ(f.Sheet(0, 1).OffcutArea, offcutA);
  // The second sheet is now drawn with the first one's positions and turns.
  const Detail& p1 = f.Part(0, f.b1);
  const Detail& p2 = f.Part(0, f.b2);
  EXPECT_EQ(p1.Sheet, 1);
  EXPECT_FLOAT_EQ(p1.PosX, 0);
  EXPECT_FLOAT_EQ(p1.PosY, 0);
  EXPECT_FLOAT_EQ(p2.PosX, 300);
  EXPECT_EQ(p2.Rotated, 1);
  EXPECT_EQ(p2.Serial, f.b2);
  // The first sheet's offcut is copied to the second with a new identity.
  EXPECT_EQ(f.Offcut("R10")->Copies, 1);
  const RestM* copy = f.Offcut("R4322");
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Id, 56);
  EXPECT_EQ(copy->Sheet, 1);
  EXPECT_EQ(copy->Num, 0);
  EXPECT_EQ(copy->Copies, 1);
  EXPECT_FLOAT_EQ(copy->PosY, 104);
  EXPECT_FLOAT_EQ(copy->Area, 300 * 200);
  EXPECT_EQ(f.Offcut("R12")->Sheet, 1);
  EXPECT_EQ(f.slot.OffcutLists.size(), 3u);
}

TEST(ViewingModes, MergeDoesNotCountARepetitionTwice) {
  // Straight after a calculation: sheet 1 already repeats sheet 0.
  SlotFixture f;
  f.AddSheet(0, 1000, 500);
  f.AddSheet(0, 1000, 500);
  const auto a = f.AddPart(0, 1, 100, 100), b = f.AddPart(0, 1, 100, 100);
  f.Place(0, a, 0, 0, 0);
  f.Repeat(0, 0, 1, {b});
  EXPECT_EQ(MergeIdenticalSheets(f.slot), 0);
  EXPECT_EQ(f.Sheet(0, 0).Copies, 2);
}

TEST(ViewingModes, MergedSheetBringsItsOwnRepetitions) {
  // Sheet 1 stands for two sheets (sheet 2 repeats it) and matches sheet 0.
  SlotFixture f;
  for (int i = 0; i < 3; ++i) f.AddSheet(0, 1000, 500);
  const auto a = f.AddPart(0, 1, 100, 100), b = f.AddPart(0, 1, 100, 100), c = f.AddPart(0, 1, 100, 100);
  f.Place(0, a, 0, 0, 0);
  f.Place(0, b, 1, 50, 50);
  f.Repeat(0, 1, 2, {c});
  f.AddOffcut(0, 0, 300, 0, 100, 100);
  EXPECT_EQ(MergeIdenticalSheets(f.slot), 1);
  EXPECT_EQ(f.Sheet(0, 0).Copies, 3);
  EXPECT_EQ(f.Sheet(0, 1).CopyOf, 0);
  EXPECT_EQ(f.Sheet(0, 2).CopyOf, 0);
  EXPECT_EQ(f.slot.OffcutLists[0].Copies, 3);
  // Split gives every one of the three its own layout again.
  EXPECT_EQ(SplitCopies(f.slot, nullptr, MakeRandomDraw(7)), 2);
  for (int s = 0; s < 3; ++s) {
    EXPECT_EQ(f.Sheet(0, s).Copies, 1);
    EXPECT_EQ(f.Sheet(0, s).CopyOf, -1);
  }
  EXPECT_EQ(f.slot.OffcutLists.size(), 3u);
}

TEST(ViewingModes, SplitOffcutNamesAreUniqueAgainstTheStorehouse) {
  test::TablesFixture t;
  t.AddStock(4, 500, 400, 1, "R4322 from last week");
  TwoAlike f;
  MergeIdenticalSheets(f.slot);
  SplitCopies(f.slot, &t.tables, test::Scripted({55, 4321, 77}));
  EXPECT_FALSE(f.Offcut("R4322"));
  EXPECT_TRUE(f.Offcut("R78"));
}

TEST(ViewingModes, InactiveMaterialsAreSkipped) {
  TwoAlike f;
  f.slot.MaterialActive[0] = 0;
  const std::string before = test::Describe(f.slot);
  EXPECT_EQ(MergeIdenticalSheets(f.slot), 0);
  EXPECT_EQ(test::Describe(f.slot), before);
}

}  // namespace
}  // namespace kelvara
