// A calculation run through the main window: typed job, F9, the calculation panel, stop,
// completion texts, the history list and what is refused while the thread runs.
#include <QElapsedTimer>
#include <QTest>

#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

namespace {

constexpr int kRunTimeoutMs = 120000;
const QString kCompleted = "Calculation Completed. Time of Calculation - ";
const QString kInterrupted = "Calculation Interrupted. Time of Calculation - ";

// A job that keeps the calculation busy for a long while: many sheets, many part sizes, the
// perfect level.
void BigJob(JobTables& t) {
  t.options.CalcLevel = 2;
  AddSheet(t, 2800, 2070, 900);
  for (int i = 0; i < 300; ++i) AddPart(t, 90 + (i * 37) % 700, 60 + (i * 53) % 450, 12);
}

}  // namespace

class CalculationRunTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f;
  TestWindow& w() { return *f.window; }

  void WaitForEnd() { QTRY_VERIFY_WITH_TIMEOUT(!w().calculation()->Running(), kRunTimeoutMs); }

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init() {
    f.prompts = ScriptedPrompts{};
    f.Open();
    w().tables().rxM.Clear();
    w().tables().rxD.Clear();
  }
  void cleanup() {
    if (f.window && f.window->calculation()->Running()) {
      f.window->StopCalculation();
      WaitForEnd();
    }
    f.window.reset();
  }

  void typedJobRunsToCompletion() {
    JobGrid* sheets = w().dataPage()->sheetsGrid;
    sheets->setFocus();
    QTest::keyClick(sheets, Qt::Key_Insert);
    TypeInto(sheets, "2800");
    PressKey(sheets, Qt::Key_Return);
    TypeInto(sheets, "2070");
    PressKey(sheets, Qt::Key_Return);
    JobGrid* parts = w().dataPage()->partsGrid;
    parts->setFocus();
    QTest::keyClick(parts, Qt::Key_Insert);
    TypeInto(parts, "600");
    PressKey(parts, Qt::Key_Return);
    TypeInto(parts, "400");
    PressKey(parts, Qt::Key_Return);
    TypeInto(parts, "6");
    PressKey(parts, Qt::Key_Return);
    QCOMPARE(w().tables().rxM.Count(), 1);
    QCOMPARE(w().tables().rxD.Count(), 1);

    QTest::keyClick(&w(), Qt::Key_F9);
    QVERIFY(w().calculation()->Running() || w().LayoutExists());
    WaitForEnd();
    QTRY_VERIFY(w().LayoutExists());
    QVERIFY(QString::fromStdString(w().statuses.back()).startsWith(kCompleted));
    QCOMPARE(w().status()->icon(), int(kIconSuccess));
    QCOMPARE(w().pages()->currentIndex(), int(kPageDiagrams));
    QVERIFY(!w().calculation()->isVisible());
    QVERIFY(w().dataPage()->runCalculation->isEnabled());
    QCOMPARE(w().history().entries().size(), std::size_t{1});
    QCOMPARE(w().diagramsPage()->bsSkinHistory->count(), 1);
    QCOMPARE(w().layoutModel().ViewSlot, 0);
    QCOMPARE(w().layoutModel().WriteSlot, 1);
    // Six parts of 600 x 400 fit on one sheet, which the diagram page shows.
    QVERIFY(w().diagramsPage()->HasDiagrams());
    QVERIFY(w().diagramsPage()->saveLayout->isEnabled());
    QCOMPARE(int(w().layoutModel().View().LayoutSheets[0][0].PlacedCount), 6);
    // The table menus belong to the tables page.
    QVERIFY(!w().menu().tools->menuAction()->isVisible());
  }

  void runningCalculationRefusesF9AndCloseAndKeepsTablesEditable() {
    BigJob(w().tables());
    QElapsedTimer clock;
    clock.start();
    w().RunCalculation();
    QVERIFY(w().calculation()->Running());
    QVERIFY(w().calculation()->isVisible());
    QVERIFY(!w().dataPage()->runCalculation->isEnabled());
    QCOMPARE(w().status()->text(), QString("Please, wait. Calculation is Running"));
    const int writeSlot = w().layoutModel().WriteSlot;

    QTest::keyClick(&w(), Qt::Key_F9);  // nothing: the button is disabled
    QVERIFY(!w().close());              // refused while the panel shows
    QVERIFY(w().isVisible());

    // The tables stay editable while the thread runs.
    TableModel& pm = w().dataPage()->partsGrid->tableModel();
    QVERIFY(pm.setData(pm.index(0, pm.ColumnOf("Note")), "edited meanwhile", Qt::EditRole));
    QCOMPARE(Table::ValueText(w().tables().rxD.GetAt(0, "Note")), std::string("edited meanwhile"));
    QVERIFY2(w().calculation()->Running(), "the job ended too soon to test the running state");

    w().calculation()->stopButton()->click();
    WaitForEnd();
    qInfo("big job stopped after %lld ms", static_cast<long long>(clock.elapsed()));
    QVERIFY(QString::fromStdString(w().statuses.back()).startsWith(kInterrupted));
    QCOMPARE(w().history().entries().size(), std::size_t{1});
    QCOMPARE(w().layoutModel().WriteSlot, writeSlot + 1);
    QVERIFY(w().dataPage()->runCalculation->isEnabled());
  }

  void stopAtOnceGivesZeroTime() {
    BigJob(w().tables());
    w().RunCalculation();
    QVERIFY(w().calculation()->Running());
    w().StopCalculation();
    WaitForEnd();
    QCOMPARE(QString::fromStdString(w().statuses.back()), kInterrupted + "0:00");
  }

  void windowCanGoWhileTheThreadRuns() {
    BigJob(w().tables());
    w().RunCalculation();
    QVERIFY(w().calculation()->Running());
    f.window.reset();  // the thread is stopped and joined while the model still exists
    QVERIFY(!f.window);
  }

  void badRowStartsNothing() {
    AddSheet(w().tables(), 0, 500, 1);
    AddPart(w().tables(), 100, 100, 1);
    w().ShowPage(kPageOptions);
    w().RunCalculation();
    QVERIFY(!w().calculation()->Running());
    QCOMPARE(w().statuses.back(), std::string("Error in Dimensioning and Quantity of Materials"));
    QCOMPARE(w().status()->icon(), int(kIconError));
    QCOMPARE(w().pages()->currentIndex(), int(kPageData));
    QVERIFY(w().history().entries().empty());

    // A row with both sizes 0 goes; with nothing else left the sheets are missing.
    w().tables().rxM.Clear();
    AddSheet(w().tables(), 0, 0, 1);
    w().RunCalculation();
    QCOMPARE(w().statuses.back(), std::string("No material is Assigned"));
    QVERIFY(w().tables().rxM.Empty());
  }

  void historyEntriesShowTheirSlot() {
    AddSheet(w().tables(), 2800, 2070, 2);
    AddPart(w().tables(), 600, 400, 2);
    w().RunCalculation();
    WaitForEnd();
    w().tables().rxD.First();
    w().tables().rxD.Set("Q", std::int64_t{9});
    w().tables().rxD.Post();
    w().RunCalculation();
    WaitForEnd();
    QCOMPARE(w().history().entries().size(), std::size_t{2});
    QCOMPARE(w().layoutModel().ViewSlot, 1);
    QCOMPARE(w().layoutModel().View().LayoutDetails[0].size(), std::size_t{9});
    w().ChooseHistoryEntry(0);
    QCOMPARE(w().layoutModel().ViewSlot, 0);
    QCOMPARE(w().diagramsPage()->bsSkinHistory->currentIndex(), 0);
    QCOMPARE(w().layoutModel().View().LayoutDetails[0].size(), std::size_t{2});
    QVERIFY(w().diagramsPage()->HasDiagrams());
  }
};

KELVARA_UI_TEST(CalculationRunTest);
#include "calculation_run_test.moc"
