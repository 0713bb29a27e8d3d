#include "layout/slot_snapshot.h"

#include <gtest/gtest.h>

#include "layout/cut_lines.h"
#include "layout/offcuts.h"
#include "layout/placement_edits.h"
#include "layout/viewing_modes.h"
#include "layout_fixture.h"

namespace kelvara {
namespace {

using test::SlotFixture;

// Material 0: sheet 0 stands for two sheets and carries two parts; sheet 2 carries one; two
// parts of row 3 wait in the panel. Material 1: one laid-out sheet.
struct Edited : SlotFixture {
  Edited() : SlotFixture(2) {
    kw = {4, 3};
    for (int i = 0; i < 3; ++i) AddSheet(0, 2000, 1000, 10, i < 2 ? 1 : 2);
    const auto a = AddPart(0, 1, 500, 300, 1), a2 = AddPart(0, 1, 500, 300, 1);
    const auto b = AddPart(0, 2, 400, 200), b2 = AddPart(0, 2, 400, 200);
    Place(0, a, 0, 10, 10, true);
    Place(0, b, 0, 600, 10);
    Repeat(0, 0, 1, {a2, b2});
    Place(0, AddPart(0, 4, 100, 100), 2, 10, 10);
    panel = AddPart(0, 3, 200, 100);
    AddPart(0, 3, 200, 100);
    AddSheet(1, 1000, 500, 0, 7);
    Place(1, AddPart(1, 9, 100, 100), 0, 0, 0);
    AddOffcut(0, 0, 1500, 600, 300, 300, "R3", 3);
    BuildCutLines(slot, kw, 0);
  }
  std::int32_t panel;
};

TEST(SlotSnapshot, RestoreGivesTheModelBackExactly) {
  Edited f;
  test::TablesFixture t;
  const std::string original = test::Describe(f.slot);
  const SlotSnapshot before = SlotSnapshot::Take(f.slot, 0);

  DragState drag = StartDragFromPanel(0, f.panel, UnplacedCount(f.slot, 3), false);
  ASSERT_TRUE(SheetAccepts(f.slot, f.kw, drag, 0, 0, {600, 200, 1000, 500, 0.5}));
  ASSERT_TRUE(Drop(f.slot, drag, DropTargetKind::Sheet, 0, 0).changed);
  ASSERT_TRUE(MarkOffcut(f.slot, f.kw, t.tables, MakeRandomDraw(5), 0, 2, 1000, 500).marked);
  ASSERT_TRUE(TurnPart(f.slot, 0, f.slot.LayoutDetails[0][0].Serial, true));
  ASSERT_TRUE(ClearSheet(f.slot, 0, 2));
  BuildCutLines(f.slot, f.kw, 0);
  const std::string edited = test::Describe(f.slot);
  ASSERT_NE(edited, original);
  const SlotSnapshot after = SlotSnapshot::Take(f.slot, 0);

  before.Restore(f.slot);  // undo
  EXPECT_EQ(test::Describe(f.slot), original);
  after.Restore(f.slot);  // redo
  EXPECT_EQ(test::Describe(f.slot), edited);
}

TEST(SlotSnapshot, OneMaterialLeavesTheOthersAloneAndAllCoversTheViewingModes) {
  Edited f;
  const SlotSnapshot zero = SlotSnapshot::Take(f.slot, 0);
  f.Sheet(1, 0).Note = "changed meanwhile";
  zero.Restore(f.slot);
  EXPECT_EQ(f.Sheet(1, 0).Note, "changed meanwhile");

  const std::string original = test::Describe(f.slot);
  const SlotSnapshot all = SlotSnapshot::TakeAll(f.slot);
  SplitCopies(f.slot, nullptr, MakeRandomDraw(9));
  ASSERT_NE(test::Describe(f.slot), original);
  all.Restore(f.slot);
  EXPECT_EQ(test::Describe(f.slot), original);
  EXPECT_TRUE(SlotSnapshot().Empty());
}

}  // namespace
}  // namespace kelvara
