// The grids over the job tables: what is typed, inserted, cancelled and marked through the grid
// ends in the table, and the grid follows what the table does.
#include <QHeaderView>
#include <QTest>

#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

class GridAdapterTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f;
  JobGrid* sheets() { return f.window->dataPage()->sheetsGrid; }
  JobGrid* parts() { return f.window->dataPage()->partsGrid; }
  JobTables& tables() { return f.window->tables(); }

  // Rows of the model and the table agree, value by value, in the shown columns.
  void CheckModelMatchesTable(JobGrid* g) {
    TableModel& m = g->tableModel();
    QCOMPARE(m.rowCount(), g->table().Count());
    for (int r = 0; r < m.rowCount(); ++r)
      for (const char* field : {"X", "Y", "Q"}) {
        const int c = m.ColumnOf(field);
        QCOMPARE(m.data(m.index(r, c), Qt::EditRole).toString().toStdString(),
                 Table::ValueText(g->table().GetAt(r, field)));
      }
  }

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init() {
    f.prompts = ScriptedPrompts{};
    f.Open();
    tables().rxM.Clear();
    tables().rxD.Clear();
    sheets()->setFocus();
  }
  void cleanup() { f.window.reset(); }

  void insertAndEditThroughTheModelKeepTheTableConsistent() {
    JobGrid* g = sheets();
    TableModel& m = g->tableModel();
    g->InsertRow();
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(tables().rxM.state(), TableState::Insert);
    QCOMPARE(g->currentIndex().column(), 1);  // the cursor goes to the second column
    QVERIFY(m.setData(m.index(0, m.ColumnOf("X")), "1200,5", Qt::EditRole));
    QVERIFY(m.setData(m.index(0, m.ColumnOf("Y")), "800", Qt::EditRole));
    QVERIFY(!m.setData(m.index(0, m.ColumnOf("Q")), "abc", Qt::EditRole));  // no number: the cell keeps 1
    QCOMPARE(tables().rxM.AsFloat("X"), 1200.5);
    QCOMPARE(tables().rxM.AsInt("Q"), 1);
    QVERIFY(!m.setData(m.index(0, m.ColumnOf("KW")), "5", Qt::EditRole));  // read-only

    // Insert puts a new row before the current one and posts the row being typed.
    g->InsertRow();
    QCOMPARE(tables().rxM.Count(), 2);
    QCOMPARE(tables().rxM.Position(), 0);
    QVERIFY(tables().rxM.IsNull("X"));
    QCOMPARE(std::get<double>(tables().rxM.GetAt(1, "X")), 1200.5);
    CheckModelMatchesTable(g);

    // Moving the grid's cursor to another row posts the row.
    QVERIFY(m.setData(m.index(0, m.ColumnOf("X")), "300", Qt::EditRole));
    g->setCurrentIndex(m.index(1, m.ColumnOf("Y")));
    QCOMPARE(tables().rxM.state(), TableState::Browse);
    QCOMPARE(tables().rxM.Position(), 1);
    CheckModelMatchesTable(g);
  }

  void escapeKeepsANewSheetRowButDropsANewBandRow() {
    JobGrid* g = sheets();
    g->InsertRow();
    TypeInto(g, "75");
    QVERIFY(g->Editing());
    PressKey(g, Qt::Key_Escape);
    QCOMPARE(tables().rxM.Count(), 1);  // cancel posts a half-typed sheet
    QCOMPARE(tables().rxM.state(), TableState::Browse);
    QCOMPARE(g->tableModel().rowCount(), 1);

    JobGrid* bands = f.window->optionsPage()->bandsGrid;
    const int before = tables().rxT.Count();
    bands->setFocus();
    bands->InsertRow();
    QCOMPARE(tables().rxT.Count(), before + 1);
    QTest::keyClick(bands, Qt::Key_Escape);
    QCOMPARE(tables().rxT.Count(), before);
    QCOMPARE(bands->tableModel().rowCount(), before);

    // Esc on an edited band row gives the row back as it was.
    TableModel& bm = bands->tableModel();
    const std::string old = Table::ValueText(tables().rxT.GetAt(0, "NameE"));
    QVERIFY(bm.setData(bm.index(0, 1), "Oak 2 mm", Qt::EditRole));
    QTest::keyClick(bands, Qt::Key_Escape);
    QCOMPARE(Table::ValueText(tables().rxT.GetAt(0, "NameE")), old);
  }

  void typingFlowsFromCellToCellWithEnter() {
    JobGrid* g = sheets();
    g->InsertRow();
    TypeInto(g, "2800");  // typed on the material: the text goes to X
    PressKey(g, Qt::Key_Return);
    TypeInto(g, "2070");
    PressKey(g, Qt::Key_Return);
    TypeInto(g, "3");
    PressKey(g, Qt::Key_Return);
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(std::get<double>(tables().rxM.GetAt(0, "X")), 2800.0);
    QCOMPARE(std::get<double>(tables().rxM.GetAt(0, "Y")), 2070.0);
    QCOMPARE(std::get<std::int64_t>(tables().rxM.GetAt(0, "Q")), std::int64_t{3});
    QCOMPARE(g->currentIndex().column(), g->tableModel().ColumnOf("PRT"));
  }

  void marksFollowRowHeadersAndControlClicks() {
    for (int i = 0; i < 3; ++i) AddSheet(tables(), 100 + i, 100, 1);
    JobGrid* g = sheets();
    g->UnmarkAll();
    QTest::mouseClick(g->verticalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(5, g->verticalHeader()->sectionViewportPosition(0) + 5));
    QCOMPARE(g->MarkedRows(), std::vector<int>{0});
    const QRect r2 = g->visualRect(g->tableModel().index(2, 2));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ControlModifier, r2.center());
    QCOMPARE(g->MarkedRows(), (std::vector<int>{0, 2}));
    QCOMPARE(tables().rxM.Position(), 2);
    // A plain click moves the cursor and drops the marks.
    const QRect r1 = g->visualRect(g->tableModel().index(1, 3));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r1.center());
    QVERIFY(g->MarkedRows().empty());
    QCOMPARE(tables().rxM.Position(), 1);
    QCOMPARE(g->MarkedBookmarks().size(), std::size_t{0});
  }

  void gridFollowsTheTable() {
    for (double x : {300.0, 100.0, 200.0}) AddSheet(tables(), x, 50, 1);
    JobGrid* g = sheets();
    CheckModelMatchesTable(g);
    tables().rxM.Sort("X", true);
    CheckModelMatchesTable(g);
    tables().rxM.First();
    tables().rxM.Delete();
    CheckModelMatchesTable(g);
    g->FollowTable();
    QCOMPARE(g->currentIndex().row(), tables().rxM.Position());
    tables().rxM.Clear();
    CheckModelMatchesTable(g);
  }
};

KELVARA_UI_TEST(GridAdapterTest);
#include "grid_adapter_test.moc"
