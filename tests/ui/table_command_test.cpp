// The table commands of the Data Preparing page through their menus, buttons and dialogs.
#include <QComboBox>
#include <QPainter>
#include <QTest>

#include "ui/main/cell_painting.h"
#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

class TableCommandTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f;
  DataPage* page() { return f.window->dataPage(); }
  JobTables& tables() { return f.window->tables(); }

  static std::vector<std::string> Names(const Table& t) {
    std::vector<std::string> v;
    for (int i = 0; i < t.Count(); ++i) v.push_back(Table::ValueText(t.GetAt(i, "Name")));
    return v;
  }

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init() {
    f.prompts = ScriptedPrompts{};
    f.Open();
    tables().rxM.Clear();
    tables().rxD.Clear();
    f.window->layoutModel().ShapeList.clear();
  }
  void cleanup() { f.window.reset(); }

  void sortingTwiceAlternatesAndRenumbers() {
    for (double x : {300.0, 100.0, 200.0}) AddPart(tables(), x, 50, 1);
    page()->partsSort[1]->trigger();  // "Length(X)"
    QCOMPARE(Column(tables().rxD, "X"), (std::vector<double>{100, 200, 300}));
    QCOMPARE(Column(tables().rxD, "NC"), (std::vector<double>{1, 2, 3}));
    page()->partsSort[1]->trigger();
    QCOMPARE(Column(tables().rxD, "X"), (std::vector<double>{300, 200, 100}));
    QCOMPARE(Column(tables().rxD, "NC"), (std::vector<double>{1, 2, 3}));
    QCOMPARE(page()->partsGrid->tableModel().rowCount(), 3);
  }

  void mainMenuSortsByMaterialNumber() {
    // Numbers 0, 16, 24 are "Bkwalnut", "Maroon", "Blue": not alphabetical.
    for (int m : {24, 0, 16}) {
      AddSheet(tables(), 1000, 500, 1, m);
      AddPart(tables(), 100, 50, 1, m);
    }
    f.window->menu().sortBy[0]->trigger();
    const std::vector<std::string> order{"Bkwalnut", "Maroon", "Blue"};
    QCOMPARE(Names(tables().rxM), order);
    QCOMPARE(Names(tables().rxD), order);
  }

  void multiplierMultipliesTheMarkedParts() {
    for (long long q : {2, 3, 5, 7}) AddPart(tables(), 100, 50, q);
    JobGrid* g = page()->partsGrid;
    g->UnmarkAll();
    for (int r : {0, 1, 2}) g->MarkRow(r);
    page()->partsMultiplier->trigger();
    MultiplierDialog* d = page()->multiplierDialog;
    QVERIFY(d->isVisible());
    QCOMPARE(d->field()->text(), QString("1"));
    d->field()->setText("4");
    d->okButton()->click();
    QVERIFY(!d->isVisible());
    QCOMPARE(Column(tables().rxD, "Q"), (std::vector<double>{8, 12, 20, 7}));

    page()->partsMultiplier->trigger();
    d->field()->setText("9");
    d->cancelButton()->click();
    QCOMPARE(Column(tables().rxD, "Q"), (std::vector<double>{8, 12, 20, 7}));
  }

  void trimsSetTheMaskAndItsDrawing() {
    AddSheet(tables(), 2800, 2070, 1);
    page()->trimButton->click();
    TrimsDialog* d = page()->trimsDialog;
    QVERIFY(d->isVisible());
    QVERIFY(d->field(0)->isEnabled());
    QVERIFY(!d->commonField()->isEnabled());
    const double values[4] = {10, 0, 10, 0};
    for (int i = 0; i < 4; ++i) d->field(i)->setValue(values[i]);
    d->okButton()->click();
    QCOMPARE(tables().rxM.AsInt("PT"), 5);
    QCOMPARE(tables().rxM.AsFloat("TL"), 10.0);
    QCOMPARE(tables().rxM.AsFloat("TR"), 10.0);

    // Left and right lines drawn, top and bottom not.
    QImage img(120, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
      QPainter p(&img);
      PaintTrimCell(p, QRect(0, 0, 120, 20), 5);
    }
    const QRect sq = CellSquare(QRect(0, 0, 120, 20));
    QCOMPARE(QColor(img.pixel(sq.left(), sq.top() + 8)), kTrimLineColor);
    QCOMPARE(QColor(img.pixel(sq.left() + 17, sq.top() + 8)), kTrimLineColor);
    QCOMPARE(QColor(img.pixel(sq.left() + 8, sq.top())), kTrimSquareColor);
  }

  void allSidesTrimGoesToEveryMarkedSheet() {
    for (int i = 0; i < 3; ++i) AddSheet(tables(), 1000 + i, 500, 1);
    JobGrid* g = page()->sheetsGrid;
    g->UnmarkAll();
    g->MarkRow(0);
    g->MarkRow(2);
    page()->trimButton->click();
    TrimsDialog* d = page()->trimsDialog;
    d->allSides()->setChecked(true);
    QVERIFY(!d->field(0)->isEnabled());
    QVERIFY(d->commonField()->isEnabled());
    d->commonField()->setValue(15);
    d->okButton()->click();
    QCOMPARE(Column(tables().rxM, "PT"), (std::vector<double>{15, -1, 15}));
    QCOMPARE(Column(tables().rxM, "TB"), (std::vector<double>{15, 0, 15}));
    d->allSides()->setChecked(false);
  }

  void emptyTablesGetARowFromAMaterialChoice() {
    emit page()->sheetsMaterialBox->activated(3);
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(tables().rxM.AsInt("Num"), 3);
    QCOMPARE(tables().rxM.AsString("Name"), std::string("Cherrywd"));
    QVERIFY(tables().rxM.IsNull("X"));
    QCOMPARE(tables().rxM.state(), TableState::Browse);
    QCOMPARE(int(f.window->options().CurrentMaterial), 3);
    emit page()->partsMaterialBox->activated(5);
    QCOMPARE(tables().rxD.Count(), 1);
    QCOMPARE(tables().rxD.AsString("Name"), std::string("Eichgepl"));

    // The Material menu on two empty tables: one row in each.
    tables().rxM.Clear();
    tables().rxD.Clear();
    f.window->menu().materials[7]->trigger();
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(tables().rxD.Count(), 1);
    QCOMPARE(page()->sheetsMaterialBox->currentIndex(), 7);
    QCOMPARE(page()->partsMaterialBox->currentIndex(), 7);

    // "Ok" of the trims on an empty sheets table adds a row that carries the trims.
    tables().rxM.Clear();
    page()->trimButton->click();
    page()->trimsDialog->field(1)->setValue(20);
    page()->trimsDialog->okButton()->click();
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(tables().rxM.AsFloat("TT"), 20.0);
    QCOMPARE(tables().rxM.AsInt("PT"), 2);
    // Left without sizes, such a row goes at the next validation.
    tables().ValidateSheets();
    QCOMPARE(tables().rxM.Count(), 0);
  }

  void autocadPartsKeepOrLoseTheirOutline() {
    auto& shapes = f.window->layoutModel().ShapeList;
    AddPart(tables(), 300, 200, 1, 0, "A");
    tables().rxD.Set("Fold", std::int64_t{77});
    tables().rxD.Post();
    AddPart(tables(), 100, 100, 1);
    ShapeRecord s;
    s.Id = 77;
    shapes = {s, s};
    JobGrid* g = page()->partsGrid;

    // The band dialog opened from an AutoCAD part's cell does nothing.
    tables().rxD.First();
    g->FollowTable();
    page()->OpenBandsForCell(g->tableModel().index(0, g->tableModel().ColumnOf("NameE")), QPoint(300, 300));
    QVERIFY(!page()->bandsDialog->isVisible());
    // "Ok" with no marked rows on such a part leaves the dialog open.
    page()->bandButton->click();
    QVERIFY(page()->bandsDialog->isVisible());
    page()->bandsDialog->okButton()->click();
    QVERIFY(page()->bandsDialog->isVisible());
    page()->bandsDialog->cancelButton()->click();

    // The main menu's delete keeps the outline.
    g->UnmarkAll();
    g->MarkRow(0);
    f.window->menu().deleteSelected->trigger();
    QCOMPARE(tables().rxD.Count(), 1);
    QCOMPARE(shapes.size(), std::size_t{2});

    // The parts menu's delete removes it.
    AddPart(tables(), 300, 200, 1, 0, "A");
    tables().rxD.Set("Fold", std::int64_t{77});
    tables().rxD.Post();
    g->UnmarkAll();
    g->MarkRow(1);
    page()->partsDelete->trigger();
    QCOMPARE(tables().rxD.Count(), 1);
    QVERIFY(shapes.empty());
    QCOMPARE(tables().rxD.AsString("PD"), std::string("D"));
  }

  void bandsDialogSetsTheSidesOfOrdinaryParts() {
    AddPart(tables(), 500, 300, 1);
    JobGrid* g = page()->partsGrid;
    page()->OpenBandsForCell(g->tableModel().index(0, g->tableModel().ColumnOf("NameE")), QPoint(300, 300));
    BandsDialog* d = page()->bandsDialog;
    QVERIFY(d->isVisible());
    QCOMPARE(d->box(0)->currentText(), QString("-"));  // empty side names show "-"
    d->box(0)->setCurrentIndex(d->box(0)->findText("Edge No 2"));
    d->box(2)->setCurrentIndex(d->box(2)->findText("Edge No 1"));
    // Closing a side box's list on an unmarked part gives it the toolbar's band as band type.
    emit d->box(2)->activated(d->box(2)->currentIndex());
    QCOMPARE(tables().rxD.AsString("NameE"), std::string("Edge No 1"));
    d->okButton()->click();
    QVERIFY(!d->isVisible());
    QCOMPARE(tables().rxD.AsString("NameEL"), std::string("Edge No 2"));
    QCOMPARE(tables().rxD.AsString("NameET"), std::string("-"));
    QCOMPARE(tables().rxD.AsInt("EL"), 1);
    QCOMPARE(tables().rxD.AsInt("ET"), 0);
    QCOMPARE(tables().rxD.AsInt("ER"), 1);
  }

  void clearingTheBandTableLeavesOnlyTheDash() {
    AddPart(tables(), 500, 300, 1);
    tables().rxD.Set("NameE", std::string("Edge No 1"));
    tables().rxD.Post();
    f.window->optionsPage()->bandsClear->trigger();
    QVERIFY(tables().rxT.Empty());
    for (int side = 0; side < 4; ++side) {
      QComboBox* box = page()->bandsDialog->box(side);
      QCOMPARE(box->count(), 1);
      QCOMPARE(box->itemText(0), QString("-"));
    }
    QCOMPARE(tables().rxD.AsString("NameE"), std::string());
  }

  void deletingSheetsNeedsMarkedRowsAndAYes() {
    for (int i = 0; i < 2; ++i) AddSheet(tables(), 1000, 500, 1);
    JobGrid* g = page()->sheetsGrid;
    g->UnmarkAll();
    page()->sheetsDelete->trigger();
    QCOMPARE(tables().rxM.Count(), 2);
    g->MarkRow(1);
    f.prompts.answers = {false};
    page()->sheetsDelete->trigger();
    QCOMPARE(tables().rxM.Count(), 2);
    g->MarkRow(1);
    page()->sheetsDelete->trigger();
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(f.prompts.asked.last(), QString("Delete Selected Rows"));

    // The Delete key deletes marked rows only.
    AddSheet(tables(), 700, 500, 1);
    g->UnmarkAll();
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Delete);
    QCOMPARE(tables().rxM.Count(), 2);
    g->MarkRow(0);
    QTest::keyClick(g, Qt::Key_Delete);
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(Column(tables().rxM, "NC"), std::vector<double>{1});
  }

  void commandsFollowTheRowsOfTheirTable() {
    f.window->ShowPage(kPageData);
    auto enabled = [](const std::vector<QAction*>& actions) {
      for (QAction* a : actions)
        if (a->isVisible() && !a->isEnabled()) return false;
      return true;
    };
    auto disabled = [](const std::vector<QAction*>& actions) {
      for (QAction* a : actions)
        if (a->isEnabled()) return false;
      return true;
    };
    emit page()->tablesChanged();
    QVERIFY(disabled(page()->sheetsSort));
    QVERIFY(disabled(page()->partsSort));
    QVERIFY(disabled(page()->rotation));
    QVERIFY(!page()->partsMultiplier->isEnabled());
    QVERIFY(!page()->sheetsSelectAll->isEnabled());
    QVERIFY(!page()->sheetsDelete->isEnabled());
    QVERIFY(page()->sheetsClear->isEnabled());
    QVERIFY(!f.window->menu().deleteSelected->isEnabled());
    QVERIFY(disabled(f.window->menu().sortBy));

    AddPart(tables(), 100, 100, 1);
    QApplication::processEvents();
    QVERIFY(enabled(page()->partsSort));
    QVERIFY(enabled(page()->rotation));
    QVERIFY(page()->partsMultiplier->isEnabled());
    QVERIFY(disabled(page()->sheetsSort));
    QVERIFY(f.window->menu().deleteSelected->isEnabled());
    QVERIFY(enabled(f.window->menu().sortBy));
    // Commands whose parts of the program are not there yet stay disabled.
    QVERIFY(!page()->partsCopy->isEnabled());
    QVERIFY(!page()->acadShow->isEnabled());

    // "Clear Tables" of the main menu asks and empties both tables.
    AddSheet(tables(), 1000, 500, 1);
    f.window->menu().clearTables->trigger();
    QVERIFY(tables().rxM.Empty() && tables().rxD.Empty());
    QCOMPARE(f.prompts.asked.last(), QString("Clear Tables"));
    QVERIFY(!f.window->menu().deleteSelected->isEnabled());
  }

  void renamingAMaterialRenamesItsBoxesMenuAndRows() {
    AddSheet(tables(), 1000, 500, 1, 3);
    AddPart(tables(), 100, 100, 1, 3);
    JobGrid* g = f.window->optionsPage()->materialsGrid;
    TableModel& m = g->tableModel();
    QVERIFY(m.setData(m.index(3, m.ColumnOf("Mat")), "Cherry 19", Qt::EditRole));
    tables().rxOM.First();  // moving on posts the row: the rename rules run
    QCOMPARE(page()->sheetsMaterialBox->itemText(3), QString("Cherry 19"));
    QCOMPARE(page()->partsMaterialBox->itemText(3), QString("Cherry 19"));
    QCOMPARE(f.window->menu().materials[3]->text(), QString("Cherry 19"));
    QCOMPARE(f.window->storehousePage()->materialList->item(3)->text(), QString("Cherry 19"));
    QCOMPARE(Names(tables().rxM), std::vector<std::string>{"Cherry 19"});
    QCOMPARE(Names(tables().rxD), std::vector<std::string>{"Cherry 19"});
  }

  void rotationMenuSetsTheRule() {
    for (int i = 0; i < 3; ++i) AddPart(tables(), 100, 100, 1);
    JobGrid* g = page()->partsGrid;
    g->UnmarkAll();
    g->MarkRow(0);
    g->MarkRow(2);
    page()->rotation[2]->trigger();
    QCOMPARE(Column(tables().rxD, "Rotation"), (std::vector<double>{2, 0, 2}));
    g->UnmarkAll();
    tables().rxD.MoveTo(1);
    page()->rotation[1]->trigger();
    QCOMPARE(Column(tables().rxD, "Rotation"), (std::vector<double>{2, 1, 2}));
    QCOMPARE(tables().rxD.state(), TableState::Browse);
  }
};

KELVARA_UI_TEST(TableCommandTest);
#include "table_command_test.moc"
