// The keys the grids and dialog fields refuse while typing.
#include <QTest>

#include "ui/main/bounded_number_edit.h"
#include "ui/main/grid_delegate.h"
#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

class KeyFilterTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f;

  // Types one key on a cell outside an edit; true when an editor opened for it.
  bool KeyOpensEditor(JobGrid* g, int row, const char* field, char key) {
    g->FinishEditing();
    QApplication::processEvents();
    const QModelIndex idx = g->tableModel().index(row, g->tableModel().ColumnOf(field));
    g->setFocus();
    g->setCurrentIndex(idx);
    QTest::keyClick(g, key);
    const bool editing = g->Editing() && g->currentIndex() == idx;
    if (editing) PressKey(g, Qt::Key_Escape);
    return editing;
  }

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init() {
    f.Open();
    JobTables& t = f.window->tables();
    t.rxM.Clear();
    t.rxD.Clear();
    AddSheet(t, 1000, 500, 1);
    AddPart(t, 300, 200, 1);
    AddPart(t, 400, 250, 1, 0, "A");
    f.window->storehousePage()->SelectMaterial(0);
  }
  void cleanup() { f.window.reset(); }

  void gridFieldsRefuseTheirKeys_data() {
    QTest::addColumn<int>("grid");  // 0 sheets, 1 parts, 2 storehouse
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<char>("key");
    QTest::addColumn<bool>("opens");
    QTest::newRow("sheet X minus") << 0 << 0 << "X" << '-' << false;
    QTest::newRow("sheet X digit") << 0 << 0 << "X" << '5' << true;
    QTest::newRow("sheet Q minus") << 0 << 0 << "Q" << '-' << false;
    QTest::newRow("sheet priority minus") << 0 << 0 << "PRT" << '-' << false;
    QTest::newRow("sheet notes minus") << 0 << 0 << "Note" << '-' << true;
    QTest::newRow("part Y minus") << 1 << 0 << "Y" << '-' << false;
    QTest::newRow("part rotation 5") << 1 << 0 << "Rotation" << '5' << false;
    QTest::newRow("part rotation 2") << 1 << 0 << "Rotation" << '2' << true;
    QTest::newRow("part band type") << 1 << 0 << "NameE" << 'a' << false;
    QTest::newRow("AutoCAD part X") << 1 << 1 << "X" << '5' << false;
    QTest::newRow("AutoCAD part Q") << 1 << 1 << "Q" << '5' << true;
    QTest::newRow("storehouse X minus") << 2 << 0 << "X" << '-' << false;
  }
  void gridFieldsRefuseTheirKeys() {
    QFETCH(int, grid);
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(char, key);
    QFETCH(bool, opens);
    JobGrid* g = grid == 0   ? f.window->dataPage()->sheetsGrid
                 : grid == 1 ? f.window->dataPage()->partsGrid
                             : f.window->storehousePage()->grid;
    f.window->ShowPage(grid == 2 ? kPageStorehouse : kPageData);
    if (grid == 2) {
      g->AppendRow();
      g->FinishEditing();
      f.window->tables().rxMat.Post();
    }
    const std::string before = Table::ValueText(g->table().GetAt(row, field.toStdString()));
    QCOMPARE(KeyOpensEditor(g, row, field.toStdString().c_str(), key), opens);
    QCOMPARE(Table::ValueText(g->table().GetAt(row, field.toStdString())), before);
  }

  void editorsRefuseKeysOnceOpen() {
    FilteredLineEdit rotation(KeyFilter::OnlyDigits012, nullptr);
    QTest::keyClicks(&rotation, "0135-2");
    QCOMPARE(rotation.text(), QString("012"));
    QTest::keyClick(&rotation, Qt::Key_Backspace);  // control characters too
    QCOMPARE(rotation.text(), QString("012"));

    FilteredLineEdit size(KeyFilter::RefuseMinus, nullptr);
    QTest::keyClicks(&size, "-12.5");
    QCOMPARE(size.text(), QString("12.5"));

    // The grid's size editor takes numbers only.
    JobGrid* g = f.window->dataPage()->sheetsGrid;
    g->setFocus();
    g->setCurrentIndex(g->tableModel().index(0, g->tableModel().ColumnOf("X")));
    TypeInto(g, "12a,5");
    PressKey(g, Qt::Key_Return);
    QCOMPARE(std::get<double>(f.window->tables().rxM.GetAt(0, "X")), 12.5);
  }

  void dialogFieldsKeepTheirRange_data() {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("multiplier above") << 1.0 << 1000.0 << 0 << "1500" << "1000";
    QTest::newRow("multiplier minus") << 1.0 << 1000.0 << 0 << "-4" << "4";
    QTest::newRow("multiplier zero") << 1.0 << 1000.0 << 0 << "0" << "1";
    QTest::newRow("trim decimal") << 0.0 << 1000.0 << 3 << "12.5" << "12.5";
    QTest::newRow("trim above") << 0.0 << 1000.0 << 3 << "1000.5" << "1000";
  }
  void dialogFieldsKeepTheirRange() {
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, decimals);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    BoundedNumberEdit e(minimum, maximum, decimals);
    e.clear();
    QTest::keyClicks(&e, typed);
    QCOMPARE(e.text(), shown);
  }
};

KELVARA_UI_TEST(KeyFilterTest);
#include "key_filter_test.moc"
