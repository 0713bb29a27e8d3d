#include "layout/offcuts.h"

#include <gtest/gtest.h>

#include "layout/placement_edits.h"
#include "layout_fixture.h"

namespace kelvara {
namespace {

using test::SlotFixture;
using test::TablesFixture;

// Sheet 0 of material 0, 2000 x 1000 with trims 10 and saw width 4, carries a 500 x 300 part
// and stands for `copies` sheets.
struct LaidOut : SlotFixture {
  explicit LaidOut(int copies = 1) {
    kw[0] = 4;
    for (int i = 0; i < copies; ++i) AddSheet(0, 2000, 1000, 10);
    std::vector<std::int32_t> parts;
    for (int i = 0; i < copies; ++i) parts.push_back(AddPart(0, 1, 500, 300));
    Place(0, parts[0], 0, 10, 10);
    for (int i = 1; i < copies; ++i) Repeat(0, 0, i, {parts[i]});
  }
};

struct Offcuts : ::testing::Test {
  TablesFixture t;
  JobTables& tables = t.tables;
  Table& store = t.tables.rxMat;
  Table& saved = t.tables.rxSR;
  // Storehouse rows over all materials.
  int AllStock() {
    tables.FilterStorehouse(false);
    const int n = store.Count();
    tables.FilterStorehouse(true);
    return n;
  }
};

TEST_F(Offcuts, MarkOnASheetForThreeIsStoredWithQuantityThree) {
  LaidOut f(3);
  const MarkResult m = MarkOffcut(f.slot, f.kw, tables, test::Scripted({10, 41}), 0, 0, 1000, 500);
  ASSERT_TRUE(m.marked);
  ASSERT_EQ(f.slot.OffcutLists.size(), 1u);
  const RestM& o = f.slot.OffcutLists[0];
  EXPECT_EQ(o.Copies, 3);
  EXPECT_EQ(o.Id, 11);
  EXPECT_EQ(o.Name, "R42");
  EXPECT_FLOAT_EQ(o.PosX, 514);
  EXPECT_FLOAT_EQ(o.PosY, 10);
  EXPECT_FLOAT_EQ(o.W, 1476);
  EXPECT_FLOAT_EQ(o.H, 980);
  EXPECT_FLOAT_EQ(o.Area, 1476 * 980);
  EXPECT_FLOAT_EQ(f.Sheet(0, 0).OffcutArea, 1476 * 980);
  EXPECT_FLOAT_EQ(f.Sheet(0, 0).FreeArea, 2000 * 1000 - 500 * 300 - 1476 * 980);
  EXPECT_FALSE(m.openNameEditor);

  const int before = AllStock();
  const SaveOffcutsResult r = SaveMarkedOffcuts(f.slot, tables);
  EXPECT_EQ(r.status, SaveOffcutsStatus::Saved);
  EXPECT_EQ(r.stored, 1);
  EXPECT_TRUE(r.unmarked);
  EXPECT_EQ(t.ui.questions, (std::vector<std::string>{"Move all Offcuts to Material Storehouse", "Unmark All Offcuts"}));
  ASSERT_EQ(AllStock(), before + 1);
  ASSERT_TRUE(store.Locate("N", std::string("R42")));
  EXPECT_EQ(store.AsInt("Q"), 3);
  EXPECT_EQ(store.AsInt("QM"), 3);
  EXPECT_EQ(store.AsFloat("X"), 1476);
  EXPECT_EQ(store.AsFloat("Y"), 980);
  EXPECT_EQ(store.AsInt("Num"), 0);
  ASSERT_EQ(saved.Count(), 1);
  EXPECT_EQ(Table::ValueText(saved.GetAt(0, "Note")), "R42");
  EXPECT_EQ(Table::ValueText(saved.GetAt(0, "Q")), "3");
  EXPECT_EQ(Table::ValueText(saved.GetAt(0, "NC")), "1");
  // Unmarked afterwards: the area is waste again.
  EXPECT_TRUE(f.slot.OffcutLists.empty());
  EXPECT_EQ(f.Sheet(0, 0).OffcutArea, 0);
  EXPECT_FLOAT_EQ(f.Sheet(0, 0).FreeArea, 2000 * 1000 - 500 * 300);
  EXPECT_TRUE(store.Filtered());
}

TEST_F(Offcuts, NameIsRejectedWhileAStorehouseNoteContainsIt) {
  // R123 and R12 are inside R1234; R1234 itself too.
  t.AddStock(3, 600, 400, 1, "R1234");
  t.AddStock(0, 600, 400, 1, "plain");
  t.AddStock(0, 700, 400, 1, "other");
  store.MoveTo(1);
  LaidOut f;
  const MarkResult m = MarkOffcut(f.slot, f.kw, tables, test::Scripted({0, 122, 1233, 11, 4999}), 0, 0, 1000, 500);
  ASSERT_TRUE(m.marked);
  EXPECT_EQ(m.offcut.Name, "R5000");
  // The storehouse view and its current row are as they were.
  EXPECT_TRUE(store.Filtered());
  EXPECT_EQ(store.Count(), 2);
  EXPECT_EQ(store.Position(), 1);
}

TEST_F(Offcuts, NameIsAlsoUniqueAmongTheLayoutsOffcuts) {
  LaidOut f;
  f.AddOffcut(0, 0, 1500, 500, 100, 100, "R77", 5);
  const MarkResult m = MarkOffcut(f.slot, f.kw, tables, test::Scripted({4, 76, 76, 8}), 0, 0, 1000, 300);
  ASSERT_TRUE(m.marked);
  EXPECT_EQ(m.offcut.Id, 77);
  EXPECT_EQ(m.offcut.Name, "R9");
}

TEST_F(Offcuts, NoFreeRectangleMarksNothing) {
  LaidOut f;
  const std::string before = test::Describe(f.slot);
  EXPECT_FALSE(MarkOffcut(f.slot, f.kw, tables, MakeRandomDraw(1), 0, 0, 1000, 312).marked);  // kerf band
  EXPECT_FALSE(MarkOffcut(f.slot, f.kw, tables, MakeRandomDraw(1), 0, 4, 1000, 500).marked);  // no such sheet
  EXPECT_EQ(test::Describe(f.slot), before);
}

TEST_F(Offcuts, ClearedSheetMarksTheWholeUsableArea) {
  LaidOut f;
  ASSERT_TRUE(ClearSheet(f.slot, 0, 0));
  const MarkResult m = MarkOffcut(f.slot, f.kw, tables, MakeRandomDraw(2), 0, 0, 1000, 500);
  ASSERT_TRUE(m.marked);
  EXPECT_FLOAT_EQ(m.offcut.PosX, 10);
  EXPECT_FLOAT_EQ(m.offcut.PosY, 10);
  EXPECT_FLOAT_EQ(m.offcut.W, 1980);
  EXPECT_FLOAT_EQ(m.offcut.H, 980);
}

TEST_F(Offcuts, NameEditorOpensOnlyWithNameOffcuts) {
  LaidOut f;
  t.options.NameOffcuts = 1;
  EXPECT_TRUE(MarkOffcut(f.slot, f.kw, tables, MakeRandomDraw(1), 0, 0, 1000, 500).openNameEditor);
}

TEST_F(Offcuts, UnmarkGivesTheSheetBackItsWasteAndOffcutArea) {
  LaidOut f;
  f.AddOffcut(0, 0, 1500, 500, 100, 100, "R1", 5);
  const float freeBefore = f.Sheet(0, 0).FreeArea, offcutBefore = f.Sheet(0, 0).OffcutArea;
  const MarkResult m = MarkOffcut(f.slot, f.kw, tables, MakeRandomDraw(3), 0, 0, 1000, 200);
  ASSERT_TRUE(m.marked);
  EXPECT_FALSE(UnmarkOffcut(f.slot, 1, 0, m.offcut.Id));  // another material
  EXPECT_TRUE(UnmarkOffcut(f.slot, 0, 0, m.offcut.Id));
  EXPECT_EQ(f.Sheet(0, 0).FreeArea, freeBefore);
  EXPECT_EQ(f.Sheet(0, 0).OffcutArea, offcutBefore);
  EXPECT_EQ(f.slot.OffcutLists.size(), 1u);
  EXPECT_FALSE(UnmarkOffcut(f.slot, 0, 0, m.offcut.Id));
}

TEST_F(Offcuts, RenameTakesAnyText) {
  LaidOut f;
  f.AddOffcut(0, 0, 1500, 500, 100, 100, "R1", 5);
  EXPECT_TRUE(RenameOffcut(f.slot, 5, ""));
  EXPECT_EQ(f.slot.OffcutLists[0].Name, "");
  EXPECT_FALSE(RenameOffcut(f.slot, 6, "x"));
}

TEST_F(Offcuts, UnmarkAllAsksAndEmptiesTheList) {
  LaidOut f;
  EXPECT_FALSE(UnmarkAllOffcuts(f.slot, tables));  // nothing marked: no question
  EXPECT_TRUE(t.ui.questions.empty());
  f.AddOffcut(0, 0, 1500, 10, 200, 100, "R1", 1);
  f.AddOffcut(0, 0, 1500, 500, 300, 100, "R2", 2);
  const float waste = f.Sheet(0, 0).Area - 500 * 300;
  t.ui.answers = {false};
  EXPECT_FALSE(UnmarkAllOffcuts(f.slot, tables));
  EXPECT_EQ(f.slot.OffcutLists.size(), 2u);
  EXPECT_TRUE(UnmarkAllOffcuts(f.slot, tables));
  EXPECT_TRUE(f.slot.OffcutLists.empty());
  EXPECT_EQ(f.Sheet(0, 0).OffcutArea, 0);
  EXPECT_FLOAT_EQ(f.Sheet(0, 0).FreeArea, waste);
}

TEST_F(Offcuts, UnmarkAllAlsoSettlesSheetsNoLongerShown) {
  // Every part dragged off the sheet after its offcut was marked: no picture shows it any more.
  LaidOut f;
  f.AddOffcut(0, 0, 1500, 10, 200, 100, "R1", 1);
  ASSERT_TRUE(TakePartOff(f.slot, 0, 1, f.slot.LayoutDetails[0][0].Serial).changed);
  ASSERT_FALSE(ShownSheet(f.Sheet(0, 0)));
  EXPECT_TRUE(UnmarkAllOffcuts(f.slot, tables));
  EXPECT_EQ(f.Sheet(0, 0).OffcutArea, 0);
  EXPECT_FLOAT_EQ(f.Sheet(0, 0).FreeArea, f.Sheet(0, 0).Area);
}

TEST_F(Offcuts, SizesAreStoredRoundedToDecimals) {
  struct Case {
    int decimals;
    double x, y;
  } cases[] = {{0, 512, 301}, {1, 512.4, 300.6}};
  for (const Case& c : cases) {
    TablesFixture tf;
    tf.options.Decimals = static_cast<std::uint8_t>(c.decimals);
    LaidOut f;
    f.AddOffcut(0, 0, 1000, 400, 512.4f, 300.6f, "R7", 7);
    ASSERT_EQ(SaveMarkedOffcuts(f.slot, tf.tables).status, SaveOffcutsStatus::Saved);
    ASSERT_TRUE(tf.tables.rxMat.Locate("N", std::string("R7")));
    EXPECT_NEAR(tf.tables.rxMat.AsFloat("X"), c.x, 1e-4) << c.decimals;
    EXPECT_NEAR(tf.tables.rxMat.AsFloat("Y"), c.y, 1e-4);
    EXPECT_NEAR(std::get<double>(tf.tables.rxSR.GetAt(0, "X")), c.x, 1e-4);
  }
}

TEST_F(Offcuts, SaveWithoutAStorehouseMaterialStoresNothing) {
  LaidOut f;
  f.AddOffcut(0, 0, 1000, 400, 200, 100, "R7", 7);
  tables.storehouseMaterial = -1;
  tables.FilterStorehouse(true);
  const int before = AllStock();
  const std::string slotBefore = test::Describe(f.slot);
  const SaveOffcutsResult r = SaveMarkedOffcuts(f.slot, tables);
  EXPECT_EQ(r.status, SaveOffcutsStatus::NoStoreMaterial);
  EXPECT_EQ(r.stored, 0);
  EXPECT_EQ(AllStock(), before);
  EXPECT_TRUE(saved.Empty());
  EXPECT_EQ(test::Describe(f.slot), slotBefore);  // still marked
  EXPECT_TRUE(t.ui.questions.empty());
  EXPECT_EQ(t.ui.status, (std::vector<std::string>{"Material Storehouse: No material is Assigned [error]"}));
  EXPECT_TRUE(store.Filtered());
}

TEST_F(Offcuts, SaveAnsweredNoStoresNothing) {
  LaidOut f;
  f.AddOffcut(0, 0, 1000, 400, 200, 100, "R7", 7);
  t.ui.answers = {false};
  EXPECT_EQ(SaveMarkedOffcuts(f.slot, tables).status, SaveOffcutsStatus::Declined);
  EXPECT_EQ(AllStock(), 0);
  EXPECT_TRUE(saved.Empty());
  LayoutSlot none;
  EXPECT_EQ(SaveMarkedOffcuts(none, tables).status, SaveOffcutsStatus::NothingToSave);
}

TEST_F(Offcuts, StoredButUnmarkAnsweredNoKeepsThemMarked) {
  LaidOut f;
  f.AddOffcut(0, 0, 1000, 400, 200, 100, "R7", 7);
  t.ui.answers = {true, false};
  const SaveOffcutsResult r = SaveMarkedOffcuts(f.slot, tables);
  EXPECT_EQ(r.status, SaveOffcutsStatus::Saved);
  EXPECT_FALSE(r.unmarked);
  EXPECT_EQ(AllStock(), 1);
  EXPECT_EQ(f.slot.OffcutLists.size(), 1u);
}

// Three saved offcuts R5, R6 and one renamed to nothing, and a stock sheet without notes.
struct SavedRows : Offcuts {
  void SetUp() override {
    t.AddStock(0, 2800, 2070, 4, "");
    LaidOut f;
    f.AddOffcut(0, 0, 1000, 400, 200, 100, "R5", 5);
    f.AddOffcut(0, 0, 1300, 400, 300, 100, "R6", 6);
    f.AddOffcut(0, 0, 1700, 400, 150, 100, "", 8);
    f.slot.OffcutLists[1].Copies = 2;
    t.ui.answers = {true, false};
    ASSERT_EQ(SaveMarkedOffcuts(f.slot, tables).stored, 3);
    t.ui.answers.clear();
    t.ui.questions.clear();
  }
  bool Stored(const std::string& n) {
    tables.FilterStorehouse(false);
    const bool found = store.Locate("N", n);
    tables.FilterStorehouse(true);
    return found;
  }
};

TEST_F(SavedRows, DeleteSelectedRowsTakesTheirOffcutsOutOfTheStorehouse) {
  EXPECT_TRUE(DeleteSelectedSavedOffcuts(tables, {0, 2}));
  EXPECT_EQ(t.ui.questions, (std::vector<std::string>{"Delete Selected Rows"}));
  EXPECT_FALSE(Stored("R5"));
  EXPECT_TRUE(Stored("R6"));
  // The nameless saved offcut names no storehouse row: the stock sheet without notes stays.
  EXPECT_TRUE(Stored(""));
  EXPECT_EQ(AllStock(), 3);
  ASSERT_EQ(saved.Count(), 1);
  EXPECT_EQ(Table::ValueText(saved.GetAt(0, "Note")), "R6");
  EXPECT_EQ(Table::ValueText(saved.GetAt(0, "NC")), "1");
}

TEST_F(SavedRows, NoSelectionMeansTheCurrentRowAndAGoneNameStillRemovesTheRow) {
  tables.FilterStorehouse(false);
  ASSERT_TRUE(store.Locate("N", std::string("R6")));
  store.Delete();  // taken out by hand meanwhile
  tables.FilterStorehouse(true);
  saved.MoveTo(1);
  t.ui.answers = {false};
  EXPECT_FALSE(DeleteSelectedSavedOffcuts(tables, {}));
  EXPECT_EQ(saved.Count(), 3);
  EXPECT_TRUE(DeleteSelectedSavedOffcuts(tables, {}));
  EXPECT_EQ(saved.Count(), 2);
  EXPECT_EQ(AllStock(), 3);
}

TEST_F(SavedRows, DeleteAllEmptiesTheListAndTheirStorehouseRows) {
  EXPECT_TRUE(DeleteAllSavedOffcuts(tables));
  EXPECT_EQ(t.ui.questions, (std::vector<std::string>{"Clear Table"}));
  EXPECT_TRUE(saved.Empty());
  EXPECT_EQ(AllStock(), 2);  // the stock sheet and the nameless offcut
  EXPECT_TRUE(Stored(""));
  EXPECT_FALSE(DeleteAllSavedOffcuts(tables));
}

TEST_F(SavedRows, SortRenumbers) {
  SortSavedOffcuts(tables, SavedOffcutsOrder::Quantity);
  EXPECT_EQ(Table::ValueText(saved.GetAt(2, "Q")), "2");
  SortSavedOffcuts(tables, SavedOffcutsOrder::Length);
  std::vector<std::string> order;
  for (int i = 0; i < saved.Count(); ++i) {
    order.push_back(Table::ValueText(saved.GetAt(i, "X")));
    EXPECT_EQ(Table::ValueText(saved.GetAt(i, "NC")), std::to_string(i + 1));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"150", "200", "300"}));
}

}  // namespace
}  // namespace kelvara
