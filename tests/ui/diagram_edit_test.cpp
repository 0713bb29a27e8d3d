// Editing a shown layout by hand: parts dragged between sheets and the unplaced panel, turned,
// sheets cleared, offcuts marked, named, unmarked and saved; every edit undone to the exact
// model it started from, per history slot.
#include <QTest>

#include "diagram_test_support.h"
#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

class DiagramEditTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DiagramFixture> f;

  // Two sheets 2000 x 1000 of different rows, each laid out once: part 0 (row 1, 500 x 400) on
  // sheet 0, part 1 (row 2, 300 x 300) on sheet 1; part 2 (row 3, 200 x 200) unplaced. At the
  // default box the scale is 0.25.
  void TwoSheets() {
    const int a = f->AddSheet(SheetRecord(2000, 1000, 1));
    const int b = f->AddSheet(SheetRecord(2000, 1000, 2));
    f->Place(PartRecord(0, 1, 500, 400, 1), a, 0, 0);
    f->Place(PartRecord(1, 2, 300, 300), b, 0, 0);
    f->Unplaced(PartRecord(2, 3, 200, 200));
    f->Open();
    f->Build();
  }

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init() { f = std::make_unique<DiagramFixture>(); }
  void cleanup() { f.reset(); }

  void partDraggedToAnotherSheetLandsInTheFreeRectangleAndUndoes() {
    TwoSheets();
    DiagramView& v = *f->view;
    const LayoutSlot before = f->slot();
    QVERIFY(!v.undoAction->isEnabled());
    QVERIFY(f->DragTo(f->PartPic(0), f->SheetPic(1), f->Pixel(1000, 500)));

    const Detail& moved = f->parts()[0];
    QCOMPARE(moved.Placed, std::uint8_t(1));
    QCOMPARE(moved.Sheet, 1);
    QCOMPARE(moved.PosX, 300.0f);  // right of part 1: the free strip starts there
    QCOMPARE(moved.PosY, 0.0f);
    QCOMPARE(f->sheets()[0].PlacedCount, std::uint16_t(0));
    QCOMPARE(f->sheets()[0].Used, std::uint8_t(0));
    QCOMPARE(f->sheets()[0].FreeArea, 2000.0f * 1000.0f);
    QCOMPARE(f->sheets()[1].PlacedCount, std::uint16_t(2));
    QCOMPARE(f->sheets()[1].FreeArea, 2000.0f * 1000.0f - 90000.0f - 200000.0f);
    // The pictures follow: the part on sheet 1, sheet 0 stays on show, empty.
    PartPicture* p = f->PartPic(0);
    QVERIFY(p);
    QCOMPARE(p->parentWidget(), static_cast<QWidget*>(f->SheetPic(1)));
    QCOMPARE(p->geometry(), QRect(75, 0, 125, 100));
    QVERIFY(f->SheetPic(0));
    QVERIFY(v.PartPictures(f->SheetPic(0)).empty());
    QCOMPARE(f->SheetPic(0)->copy().PlacedCount, std::uint16_t(0));
    const LayoutSlot after = f->slot();

    QVERIFY(v.undoAction->isEnabled());
    v.Undo();
    QVERIFY(SameSlot(f->slot(), before));
    QCOMPARE(f->PartPic(0)->parentWidget(), static_cast<QWidget*>(f->SheetPic(0)));
    QCOMPARE(f->SheetPic(0)->copy().PlacedCount, std::uint16_t(1));
    v.Redo();
    QVERIFY(SameSlot(f->slot(), after));
    QCOMPARE(f->PartPic(0)->parentWidget(), static_cast<QWidget*>(f->SheetPic(1)));
  }

  void partMovesOnItsOwnSheet() {
    TwoSheets();
    const float free = f->sheets()[0].FreeArea;
    // The free rectangle is found while the part still stands: right of it.
    QVERIFY(f->DragTo(f->PartPic(0), f->SheetPic(0), f->Pixel(1500, 500)));
    QCOMPARE(f->parts()[0].Sheet, 0);
    QCOMPARE(f->parts()[0].PosX, 500.0f);
    QCOMPARE(f->parts()[0].PosY, 0.0f);
    QCOMPARE(f->sheets()[0].PlacedCount, std::uint16_t(1));
    QCOMPARE(f->sheets()[0].FreeArea, free);
    QCOMPARE(f->view->PartPictures(f->SheetPic(0)).size(), std::size_t(1));
    QCOMPARE(f->PartPic(0)->pos(), QPoint(125, 0));
  }

  void dropsTheSheetTestRefusesChangeNothing() {
    TwoSheets();
    const LayoutSlot before = f->slot();
    // On part 1 itself, on the band along its bottom edge, on the sheet's edge: refused.
    QVERIFY(!f->DragTo(f->PartPic(0), f->SheetPic(1), f->Pixel(100, 100)));
    QVERIFY(!f->DragTo(f->PartPic(0), f->SheetPic(1), f->Pixel(1000, 301)));
    QVERIFY(!f->DragTo(f->PartPic(0), f->SheetPic(1), QPoint(0, 50)));
    QVERIFY(SameSlot(f->slot(), before));
    QVERIFY(!f->view->undoAction->isEnabled());
  }

  void partDraggedIntoTheUnplacedPanelAndBackAgain() {
    TwoSheets();
    DiagramView& v = *f->view;
    const LayoutSlot before = f->slot();
    QVERIFY(f->DragTo(f->PartPic(1), v.PUD->SBU->viewport(), QPoint(200, 20)));
    QCOMPARE(f->parts()[1].Placed, std::uint8_t(0));
    QCOMPARE(f->sheets()[1].PlacedCount, std::uint16_t(0));
    QCOMPARE(f->sheets()[1].FreeArea, 2000.0f * 1000.0f);
    PartPicture* inPanel = f->PartPic(1);
    QVERIFY(inPanel);
    QVERIFY(!inPanel->copy().onSheet);
    QCOMPARE(inPanel->copy().unplacedCount, 1);
    QCOMPARE(v.UnplacedPictures().size(), std::size_t(2));

    // Back onto sheet 0, right of part 0; with bottom-up placement at the bottom of the strip.
    f->options.PartsLocation = 1;
    QVERIFY(f->DragTo(inPanel, f->SheetPic(0), f->Pixel(1200, 500)));
    QCOMPARE(f->parts()[1].Sheet, 0);
    QCOMPARE(f->parts()[1].PosX, 500.0f);
    QCOMPARE(f->parts()[1].PosY, 1000.0f - 300.0f);
    QCOMPARE(f->sheets()[0].PlacedCount, std::uint16_t(2));
    QCOMPARE(v.UnplacedPictures().size(), std::size_t(1));
    QCOMPARE(f->PartPic(1)->parentWidget(), static_cast<QWidget*>(f->SheetPic(0)));

    v.Undo();
    v.Undo();
    QVERIFY(SameSlot(f->slot(), before));
    QCOMPARE(v.UnplacedPictures().size(), std::size_t(1));
    QCOMPARE(f->PartPic(1)->parentWidget(), static_cast<QWidget*>(f->SheetPic(1)));
  }

  void repeatedSheetGivesAllItsCopiesAndTakesOnlyEnoughCopies() {
    const int a = f->AddSheet(SheetRecord(2000, 1000, 1));
    const int r = f->AddSheet(SheetRecord(2000, 1000, 1));
    const int c = f->AddSheet(SheetRecord(2000, 1000, 2));
    const int d = f->AddSheet(SheetRecord(2000, 1000, 2));
    const int e = f->AddSheet(SheetRecord(2000, 1000, 2));
    f->Place(PartRecord(0, 1, 500, 400), a, 0, 0);
    f->OnRepetition(PartRecord(1, 1, 500, 400), r);
    f->Repeat(r, a);
    f->Place(PartRecord(2, 2, 300, 300), c, 0, 0);
    f->OnRepetition(PartRecord(3, 2, 300, 300), d);
    f->OnRepetition(PartRecord(4, 2, 300, 300), e);
    f->Repeat(d, c);
    f->Repeat(e, c);
    f->Open();
    f->Build();
    DiagramView& v = *f->view;
    QCOMPARE(f->SheetPic(a)->copy().Copies, 2);
    QCOMPARE(f->SheetPic(c)->copy().Copies, 3);
    // From a sheet standing for 2 only onto sheets standing for 2.
    QVERIFY(!f->DragTo(f->PartPic(0), f->SheetPic(c), f->Pixel(1200, 500)));
    // Into the panel: both copies come off.
    QVERIFY(f->DragTo(f->PartPic(0), v.PUD->SBU->viewport(), QPoint(100, 20)));
    QCOMPARE(f->parts()[0].Placed, std::uint8_t(0));
    QCOMPARE(f->parts()[1].Placed, std::uint8_t(0));
    QCOMPARE(v.UnplacedPictures().size(), std::size_t(2));
    for (PartPicture* p : v.UnplacedPictures()) QCOMPARE(p->copy().unplacedCount, 2);
    // Two unplaced copies are too few for a layout standing for 3.
    QVERIFY(!f->DragTo(v.UnplacedPictures()[0], f->SheetPic(c), f->Pixel(1200, 500)));
    QCOMPARE(f->parts()[0].Placed, std::uint8_t(0));
  }

  void markingAndUnmarkingAnOffcutMovesTheArea() {
    TwoSheets();
    DiagramView& v = *f->view;
    const LayoutSlot before = f->slot();
    SheetPicture* sheet = f->SheetPic(0);
    QTest::mouseClick(sheet, Qt::LeftButton, Qt::NoModifier, f->Pixel(1500, 700));
    QCOMPARE(f->slot().OffcutLists.size(), std::size_t(1));
    const RestM o = f->slot().OffcutLists[0];
    QCOMPARE(o.PosX, 500.0f);
    QCOMPARE(o.PosY, 0.0f);
    QCOMPARE(o.W, 1500.0f);
    QCOMPARE(o.H, 1000.0f);
    QCOMPARE(o.Area, 1500000.0f);
    QCOMPARE(o.Copies, 1);
    QCOMPARE(o.Sheet, 0);
    QCOMPARE(o.Num, kOak);
    QVERIFY(o.Id >= 1);
    QVERIFY(QString::fromStdString(o.Name).startsWith('R'));
    QCOMPARE(f->sheets()[0].OffcutArea, 1500000.0f);
    QCOMPARE(f->sheets()[0].FreeArea, before.LayoutSheets[kOak][0].FreeArea - 1500000.0f);
    QCOMPARE(sheet->copy().OffcutArea, 1500000.0f);
    QCOMPARE(sheet->copy().OffcutPercent, 75.0f);
    const auto offcuts = v.OffcutPictures(sheet);
    QCOMPARE(offcuts.size(), std::size_t(1));
    QCOMPARE(offcuts[0]->geometry(), QRect(125, 0, 375, 250));
    QVERIFY(!v.ERname->isVisible());  // NameOffcuts 0

    // A click on the marked offcut itself unmarks it: the sheet has its values back.
    QTest::mousePress(offcuts[0], Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(offcuts[0], Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QVERIFY(f->slot().OffcutLists.empty());
    QVERIFY(SameSlot(f->slot(), before));
    QVERIFY(v.OffcutPictures(sheet).empty());
    QCOMPARE(sheet->copy().OffcutArea, 0.0f);

    // A click on the trims or inside a part marks nothing.
    QTest::mouseClick(sheet, Qt::LeftButton, Qt::NoModifier, QPoint(0, 100));
    QVERIFY(f->slot().OffcutLists.empty());

    v.Undo();  // the unmark
    QCOMPARE(f->slot().OffcutLists.size(), std::size_t(1));
    QCOMPARE(v.OffcutPictures(sheet).size(), std::size_t(1));
    v.Undo();  // the mark
    QVERIFY(SameSlot(f->slot(), before));
    QVERIFY(v.OffcutPictures(sheet).empty());
  }

  void nameEditorNamesTheOffcutOnEnterAndEscLeavesIt() {
    TwoSheets();
    f->options.NameOffcuts = 1;
    DiagramView& v = *f->view;
    SheetPicture* sheet = f->SheetPic(0);
    QTest::mouseClick(sheet, Qt::LeftButton, Qt::NoModifier, f->Pixel(1500, 700));
    QVERIFY(v.ERname->isVisible());
    const std::string drawn = f->slot().OffcutLists[0].Name;
    QCOMPARE(v.ERname->text().toStdString(), drawn);
    OffcutPicture* picture = v.OffcutPictures(sheet)[0];
    QCOMPARE(v.ERname->pos(), sheet->pos() + picture->pos());
    v.ERname->setText("Shelf");
    QTest::keyClick(v.ERname, Qt::Key_Return);
    QVERIFY(!v.ERname->isVisible());
    QCOMPARE(f->slot().OffcutLists[0].Name, std::string("Shelf"));
    QCOMPARE(picture->copy().Name, std::string("Shelf"));

    // Right button: the editor again; Esc closes it unchanged.
    QTest::mousePress(picture, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(picture, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(v.ERname->isVisible());
    v.ERname->setText("Other");
    QTest::keyClick(v.ERname, Qt::Key_Escape);
    QVERIFY(!v.ERname->isVisible());
    QCOMPARE(f->slot().OffcutLists[0].Name, std::string("Shelf"));

    v.Undo();
    QCOMPARE(f->slot().OffcutLists[0].Name, drawn);
  }

  void turningAndClearingAreUndone() {
    TwoSheets();
    DiagramView& v = *f->view;
    const LayoutSlot before = f->slot();
    // Part 0 may turn (Rotation 1): the right button turns it in place.
    PartPicture* p = f->PartPic(0);
    QTest::mousePress(p, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    QTest::mouseRelease(p, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(f->parts()[0].Rotated, std::uint8_t(1));
    QCOMPARE(p->size(), QSize(100, 125));
    QVERIFY(p->copy().turned);
    // Part 1 keeps its orientation (Rotation 0).
    QTest::mousePress(f->PartPic(1), Qt::MiddleButton, Qt::NoModifier, QPoint(3, 3));
    QTest::mouseRelease(f->PartPic(1), Qt::MiddleButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(f->parts()[1].Rotated, std::uint8_t(0));

    // Alt + right button clears a sheet; with Ctrl as well it does not.
    SheetPicture* sheet = f->SheetPic(1);
    QTest::mousePress(sheet, Qt::RightButton, Qt::AltModifier | Qt::ControlModifier, QPoint(300, 200));
    QTest::mouseRelease(sheet, Qt::RightButton, Qt::AltModifier | Qt::ControlModifier, QPoint(300, 200));
    QCOMPARE(f->sheets()[1].PlacedCount, std::uint16_t(1));
    QTest::mousePress(sheet, Qt::RightButton, Qt::AltModifier, QPoint(300, 200));
    QTest::mouseRelease(sheet, Qt::RightButton, Qt::AltModifier, QPoint(300, 200));
    QCOMPARE(f->sheets()[1].PlacedCount, std::uint16_t(0));
    QCOMPARE(f->parts()[1].Placed, std::uint8_t(0));
    QVERIFY(f->SheetPic(1));  // the picture stays, empty
    QVERIFY(v.PartPictures(sheet).empty());
    QCOMPARE(v.UnplacedPictures().size(), std::size_t(1));  // the panel follows at "Refresh"
    v.Refresh();
    QCOMPARE(v.UnplacedPictures().size(), std::size_t(2));
    // An emptied sheet: a click marks its whole usable area.
    QTest::mouseClick(sheet, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    QCOMPARE(f->slot().OffcutLists.size(), std::size_t(1));
    QCOMPARE(f->slot().OffcutLists[0].Area, 2000.0f * 1000.0f);

    v.Undo();
    v.Undo();
    QCOMPARE(f->parts()[1].Placed, std::uint8_t(1));
    QCOMPARE(v.PartPictures(sheet).size(), std::size_t(1));
    v.Undo();
    QVERIFY(SameSlot(f->slot(), before));
    QCOMPARE(f->PartPic(0)->size(), QSize(125, 100));
    QVERIFY(!v.undoAction->isEnabled());
  }

  void unmarkAllAndSaveMarkedOffcutsAskAndUndoTheUnmarking() {
    TwoSheets();
    DiagramView& v = *f->view;
    QTest::mouseClick(f->SheetPic(0), Qt::LeftButton, Qt::NoModifier, f->Pixel(1500, 700));
    QTest::mouseClick(f->SheetPic(1), Qt::LeftButton, Qt::NoModifier, f->Pixel(1500, 700));
    QCOMPARE(f->slot().OffcutLists.size(), std::size_t(2));
    const LayoutSlot marked = f->slot();

    f->ui.answers = {false};
    v.UnmarkAllOffcuts();
    QVERIFY(SameSlot(f->slot(), marked));
    QCOMPARE(f->ui.asked.last(), QString("Unmark All Offcuts"));

    // No material chosen in the storehouse: nothing is stored, the offcuts stay marked.
    f->tables.storehouseMaterial = -1;
    v.SaveMarkedOffcuts();
    QVERIFY(SameSlot(f->slot(), marked));
    QCOMPARE(f->tables.rxMat.Count(), 0);
    QCOMPARE(f->ui.statuses.back(), NoStoreMaterialText(f->tables));

    f->tables.storehouseMaterial = kOak;
    f->tables.FilterStorehouse(true);
    f->ui.asked.clear();
    v.SaveMarkedOffcuts();  // Yes to moving them, Yes to unmarking
    QCOMPARE(f->ui.asked, QStringList({"Move all Offcuts to Material Storehouse", "Unmark All Offcuts"}));
    QCOMPARE(f->tables.rxSR.Count(), 2);
    QVERIFY(f->slot().OffcutLists.empty());
    QVERIFY(v.OffcutPictures(f->SheetPic(0)).empty());
    // Undo marks them again (the storehouse keeps its rows).
    v.Undo();
    QVERIFY(SameSlot(f->slot(), marked));
    QCOMPARE(v.OffcutPictures(f->SheetPic(1)).size(), std::size_t(1));
    QCOMPARE(f->tables.rxSR.Count(), 2);
  }

  void everyHistorySlotHasItsOwnEdits() {
    TwoSheets();
    DiagramView& v = *f->view;
    QVERIFY(f->DragTo(f->PartPic(1), v.PUD->SBU->viewport(), QPoint(200, 20)));
    QVERIFY(v.undoAction->isEnabled());
    // Slot 1 on view: nothing to undo there.
    LayoutSlot& other = f->model.Slot(1);
    other.LayoutSheets[kOak].push_back(SheetRecord(1000, 1000, 1));
    other.LayoutSheets[kOak][0].Used = 1;
    other.LayoutSheets[kOak][0].PlacedCount = 1;
    other.LayoutSheets[kOak][0].Copies = 1;
    Detail d = PartRecord(9, 1, 100, 100);
    d.Placed = 1;
    d.Sheet = 0;
    d.PosX = d.PosY = 0;
    other.LayoutDetails[kOak].push_back(d);
    other.MaterialActive[kOak] = 1;
    f->model.ViewSlot = 1;
    f->Build();
    QVERIFY(!v.undoAction->isEnabled());
    QVERIFY(f->PartPic(9));
    // Back on slot 0 the edit can be undone.
    f->model.ViewSlot = 0;
    f->Build();
    QVERIFY(v.undoAction->isEnabled());
    v.Undo();
    QCOMPARE(f->parts()[1].Placed, std::uint8_t(1));
    v.Redo();
    QCOMPARE(f->parts()[1].Placed, std::uint8_t(0));
    // Filled anew (a calculation or an opened layout): its edits are gone.
    v.SlotFilled();
    QVERIFY(!v.undoAction->isEnabled());
    QVERIFY(!v.redoAction->isEnabled());
  }

  void calculatedLayoutIsShownEditedAndANewCalculationForgetsTheEdits() {
    f.reset();
    WindowFixture w;
    TestWindow& window = w.Open();
    JobTables& t = window.tables();
    t.rxM.Clear();
    t.rxD.Clear();
    AddSheet(t, 2800, 2070, 2);
    AddPart(t, 600, 400, 30);
    window.RunCalculation();
    QTRY_VERIFY_WITH_TIMEOUT(window.LayoutExists() && !window.calculation()->Running(), 120000);
    DiagramView* v = window.diagramsPage()->view;
    QVERIFY(v);
    QCOMPARE(window.pages()->currentIndex(), int(kPageDiagrams));
    QVERIFY(v->HasSheetPictures());
    QVERIFY(v->bVR->isEnabled());
    QVERIFY(window.diagramsPage()->saveLayout->isEnabled());
    QVERIFY(!v->MenuItem4->isEnabled());
    QVERIFY(v->MenuItem5->isEnabled());
    // Into the panel and undone.
    SheetPicture* sheet = v->SheetPictures().front();
    PartPicture* part = v->PartPictures(sheet).front();
    const LayoutSlot before = window.layoutModel().View();
    QVERIFY(v->BeginDrag(part));
    QVERIFY(v->DropOnPanel());
    v->EndDrag();
    QVERIFY(!SameSlot(window.layoutModel().View(), before));
    QVERIFY(v->undoAction->isEnabled());
    // Showing another page and coming back rebuilds nothing and keeps the edit.
    window.ShowPage(kPageData);
    window.ShowPage(kPageDiagrams);
    QCOMPARE(v->SheetPictures().front(), sheet);
    v->Undo();
    QVERIFY(SameSlot(window.layoutModel().View(), before));
    v->Redo();
    window.RunCalculation();
    QTRY_VERIFY_WITH_TIMEOUT(!window.calculation()->Running() && window.layoutModel().ViewSlot == 1, 120000);
    QVERIFY(!v->undoAction->isEnabled());
    QVERIFY(!v->redoAction->isEnabled());
    QVERIFY(v->HasSheetPictures());
    // The first result keeps its own edits.
    window.ChooseHistoryEntry(0);
    QCOMPARE(window.layoutModel().ViewSlot, 0);
    QVERIFY(v->undoAction->isEnabled());
  }

  void undoShortcutsWorkInTheDiagrams() {
    TwoSheets();
    DiagramView& v = *f->view;
    QTest::mouseClick(f->SheetPic(0), Qt::LeftButton, Qt::NoModifier, f->Pixel(1500, 700));
    QCOMPARE(f->slot().OffcutLists.size(), std::size_t(1));
    v.activateWindow();
    v.SBR->setFocus();
    QTest::keyClick(v.SBR, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(f->slot().OffcutLists.empty());
    QTest::keyClick(v.SBR, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f->slot().OffcutLists.size(), std::size_t(1));
  }
};

KELVARA_UI_TEST(DiagramEditTest);
#include "diagram_edit_test.moc"
