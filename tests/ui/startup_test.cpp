// Start-up and end of the main window: an empty program folder, picture materials, pages and
// menus, and the job coming back after a restart.
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QMenuBar>
#include <QTest>

#include "model/data_files.h"
#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void emptyFolderStartsWithDefaultsAndWelcome() {
    WindowFixture f;
    TestWindow& w = f.Open();
    QVERIFY(w.FirstShown());
    QCOMPARE(w.windowTitle(), QString("Kelvara 3"));
    const DataFiles& files = w.dataFiles();
    for (auto name : {kOptionsFileName, kMaterialNamesFileName, kJobFileName, kStorehouseFileName, kOutlinesFileName,
                      kNotesFileName})
      QVERIFY2(w.HasStatus(files.NotFoundMessage(name)), std::string(name).c_str());
    // The saw widths are read only after the material names were.
    QVERIFY(!w.HasStatus(files.NotFoundMessage(kSawWidthsFileName)));
    QCOMPARE(w.statuses.back(), std::string("Welcome"));
    QCOMPARE(w.status()->text(), QString("Welcome"));
    QCOMPARE(w.status()->icon(), 0);

    const Options& o = w.options();
    QCOMPARE(o.Language, 2);
    QCOMPARE(int(o.CalcLevel), 1);
    QCOMPARE(o.UnitsName, std::string("mm."));
    QCOMPARE(o.PartsAreaFactor, 1000000);
    QCOMPARE(o.SheetsLinearFactor, 1000);
    QCOMPARE(o.SheetsAreaDecimals, 3);
    QCOMPARE(w.tables().MaterialCount(), 25);
    QCOMPARE(w.tables().rxOM.Count(), 25);
    QCOMPARE(w.tables().BandNames(), (std::vector<std::string>{"Edge No 1", "Edge No 2", "Edge No 3"}));
    QCOMPARE(w.dataPage()->partsGrid->delegate().pickList(), (QStringList{"Note 0", "Note 1", "Note 2"}));
    QCOMPARE(w.dataPage()->sheetsMaterialBox->count(), 25);
    QCOMPARE(w.menu().materials.size(), std::size_t{25});
    QCOMPARE(w.pages()->currentIndex(), int(kPageData));
    QCOMPARE(w.pages()->tabText(0), QString("Data Preparing"));
    QCOMPARE(w.pages()->tabText(3), QString("Options"));
    QVERIFY(w.tables().rxM.Empty());
    QVERIFY(w.tables().rxD.Empty());
  }

  void picturesInMaterialsAreCutNotScaled() {
    WindowFixture f;
    QDir(f.folder()).mkpath("Materials");
    QImage red(64, 48, QImage::Format_RGB32);
    red.fill(QColor(30, 60, 200));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) red.setPixel(x, y, qRgb(230, 20, 20));
    QVERIFY(red.save(f.folder() + "Materials/oak.light.jpg", "JPG", 100));
    QImage plain(40, 40, QImage::Format_RGB32);
    plain.fill(QColor(20, 180, 40));
    QVERIFY(plain.save(f.folder() + "Materials/maple2.jpg", "JPG", 100));
    QFile broken(f.folder() + "Materials/broken.jpg");
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();

    TestWindow& w = f.Open();
    QCOMPARE(w.tables().MaterialCount(), 27);  // the broken picture is skipped
    QCOMPARE(w.tables().MaterialName(25), std::string("maple2"));
    QCOMPARE(w.tables().MaterialName(26), std::string("oak"));
    QCOMPARE(w.dataPage()->partsMaterialBox->itemText(26), QString("oak"));
    const QImage large = w.textures().Large(26).toImage();
    const QImage small = w.textures().Small(26).toImage();
    QCOMPARE(large.size(), QSize(32, 32));
    QCOMPARE(small.size(), QSize(16, 16));
    // The top-left corner of the picture: red at the corner, blue beyond 8 pixels.
    QVERIFY(QColor(large.pixel(1, 1)).red() > 180);
    QVERIFY(QColor(large.pixel(20, 20)).blue() > 150);
    QVERIFY(QColor(small.pixel(12, 12)).blue() > 150);
    // A built-in material's grid texture is its small one; a picture's the large one.
    QCOMPARE(w.textures().Grid(3).size(), QSize(16, 16));
    QCOMPARE(w.textures().Grid(26).size(), QSize(32, 32));
  }

  void builtInTexturesAreDistinct() {
    std::vector<QImage> seen;
    for (int m = 0; m < MaterialList::kBuiltIn; ++m) {
      const QImage img = MaterialTextures::BuiltInTexture(m, 32);
      QCOMPARE(img.size(), QSize(32, 32));
      QCOMPARE(MaterialTextures::BuiltInTexture(m, 16).size(), QSize(16, 16));
      for (const QImage& other : seen) QVERIFY(img != other);
      seen.push_back(img);
    }
    // "Navy" is plain navy blue; "Maple" a pale wood with grain.
    QCOMPARE(QColor(MaterialTextures::BuiltInTexture(19, 16).pixel(5, 5)), QColor(0, 0, 128));
    const QImage maple = MaterialTextures::BuiltInTexture(11, 32);
    QVERIFY(QColor(maple.pixel(3, 3)).lightness() > 150);
    bool grain = false;
    for (int y = 1; y < 32; ++y) grain = grain || maple.pixel(3, y) != maple.pixel(3, 0);
    QVERIFY(grain);
  }

  void pagesShowAndHideTheTableMenus() {
    WindowFixture f;
    TestWindow& w = f.Open();
    QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(w.pages()->currentIndex(), int(kPageDiagrams));
    QVERIFY(!w.menu().material->menuAction()->isVisible());
    QVERIFY(!w.menu().tools->menuAction()->isVisible());
    QVERIFY(!w.menu().sort->menuAction()->isVisible());
    QVERIFY(!w.menu().import->menuAction()->isVisible());
    QVERIFY(!w.menu().exportItem->isVisible());
    QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(w.pages()->currentIndex(), int(kPageStorehouse));
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(w.pages()->currentIndex(), int(kPageOptions));
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(w.pages()->currentIndex(), int(kPageData));
    QVERIFY(w.menu().material->menuAction()->isVisible());
    QVERIFY(w.menu().tools->menuAction()->isVisible());
    QVERIFY(w.menu().import->menuAction()->isVisible());
    QVERIFY(!w.menu().exportItem->isVisible());
  }

  void statusTextGoesAfterItsSeconds() {
    WindowFixture f;
    TestWindow& w = f.Open();
    w.ShowStatus("File not Found", kIconError, 1);
    QCOMPARE(w.status()->text(), QString("File not Found"));
    QCOMPARE(w.status()->icon(), int(kIconError));
    QTRY_COMPARE_WITH_TIMEOUT(w.status()->text(), QString(), 10000);
    QCOMPARE(w.status()->icon(), 0);
    w.ShowStatus("kept", kIconSuccess, 0);  // no timeout: stays
    QTest::qWait(2500);
    QCOMPARE(w.status()->text(), QString("kept"));
  }

  void languageChangeOnlyRetranslates() {
    WindowFixture f;
    TestWindow& w = f.Open();
    w.options().Language = kRussian;
    w.ApplyLanguage();
    const MessageTable& m = w.messages();
    auto ru = [&m](int n) { return QString::fromStdString(m.Text(n, kRussian)); };
    QVERIFY(ru(0) != "Main");
    QCOMPARE(w.menu().main->title(), ru(0));
    QCOMPARE(w.pages()->tabText(1), ru(5));
    QCOMPARE(w.dataPage()->runCalculation->text(), ru(21));
    TableModel& parts = w.dataPage()->partsGrid->tableModel();
    QCOMPARE(parts.headerData(parts.ColumnOf("Rotation"), Qt::Horizontal, Qt::DisplayRole).toString(), ru(54));
    QCOMPARE(w.dataPage()->trimsDialog->windowTitle(), ru(167));
    w.options().Language = kEnglish;
    w.ApplyLanguage();
    QCOMPARE(w.menu().main->title(), QString("Main"));
  }

  void jobSurvivesCloseAndRestart() {
    WindowFixture f;
    {
      TestWindow& w = f.Open();
      JobTables& t = w.tables();
      emit w.dataPage()->sheetsMaterialBox->activated(6);
      TableModel& sm = w.dataPage()->sheetsGrid->tableModel();
      QVERIFY(sm.setData(sm.index(0, sm.ColumnOf("X")), "2800", Qt::EditRole));
      QVERIFY(sm.setData(sm.index(0, sm.ColumnOf("Y")), "2070", Qt::EditRole));
      QVERIFY(sm.setData(sm.index(0, sm.ColumnOf("Note")), "Oak 18", Qt::EditRole));
      w.dataPage()->trimButton->click();
      const double trims[4] = {10, 0, 10, 0};
      for (int i = 0; i < 4; ++i) w.dataPage()->trimsDialog->field(i)->setValue(trims[i]);
      w.dataPage()->trimsDialog->okButton()->click();
      AddPart(t, 600, 400, 4, 6);
      t.rxD.Set("Rotation", std::int64_t{2});
      t.rxD.Set("Note", std::string("Door"));
      t.rxD.Post();
      w.dataPage()->sheetsGrid->SetColumnWidthOf(3, 91);
      w.dataPage()->partsGrid->SetColumnWidthOf(5, 133);
      QVERIFY(f.Close());
    }
    TestWindow& w = f.Open();
    const JobTables& t = w.tables();
    QCOMPARE(t.rxM.Count(), 1);
    QCOMPARE(Table::ValueText(t.rxM.GetAt(0, "Name")), std::string("Eurooak"));
    QCOMPARE(Column(t.rxM, "X"), std::vector<double>{2800});
    QCOMPARE(Column(t.rxM, "TR"), std::vector<double>{10});
    QCOMPARE(Column(t.rxM, "PT"), std::vector<double>{5});
    QCOMPARE(Table::ValueText(t.rxM.GetAt(0, "Note")), std::string("Oak 18"));
    QCOMPARE(t.rxD.Count(), 1);
    QCOMPARE(Column(t.rxD, "Rotation"), std::vector<double>{2});
    QCOMPARE(Table::ValueText(t.rxD.GetAt(0, "Note")), std::string("Door"));
    QCOMPARE(int(w.options().CurrentMaterial), 6);
    QCOMPARE(w.dataPage()->sheetsMaterialBox->currentIndex(), 6);
    QCOMPARE(w.dataPage()->sheetsGrid->ColumnWidth(3), 91);
    QCOMPARE(w.dataPage()->partsGrid->ColumnWidth(5), 133);
    QCOMPARE(t.LastRotation, 2);
    // The loaded rows were seen as loaded: no not-found message for the job file.
    QVERIFY(!w.HasStatus(w.dataFiles().NotFoundMessage(kJobFileName)));
  }
};

KELVARA_UI_TEST(StartupTest);
#include "startup_test.moc"
