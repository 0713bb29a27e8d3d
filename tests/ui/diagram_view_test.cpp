// The diagram page's pictures: where the sheets stand, what a part picture writes, the red line
// of a repeated layout, the hover texts, the scale edit, the wheel, the viewing modes.
#include <QTest>
#include <QWheelEvent>

#include "diagram_test_support.h"
#include "ui/main/diagram_geometry.h"
#include "ui/main/drag_image.h"
#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

class DiagramViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DiagramFixture> f;

  // Sheets 3000 x 2000, 1500 x 1000 and 1800 x 600 of one row each, one part on each.
  void ThreeSheets() {
    const int a = f->AddSheet(SheetRecord(3000, 2000, 1));
    const int b = f->AddSheet(SheetRecord(1500, 1000, 2));
    const int c = f->AddSheet(SheetRecord(1800, 600, 3));
    f->Place(PartRecord(0, 1, 1000, 800), a, 0, 0);
    f->Place(PartRecord(1, 2, 700, 500), b, 0, 0);
    f->Place(PartRecord(2, 3, 400, 300), c, 0, 0);
  }

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init() { f = std::make_unique<DiagramFixture>(); }
  void cleanup() { f.reset(); }

  void sheetsStandInTwoColumnsAndRowsBelowTheTallerPicture() {
    ThreeSheets();
    DiagramView& v = f->Open(1040);
    QCOMPARE(v.SBR->viewport()->width(), 1040);
    f->Build();
    const float scale = (1040.0f - 40.0f) / 6000.0f;
    QCOMPARE(v.DiagramScale(), scale);
    const QRect first = f->SheetPic(0)->geometry(), second = f->SheetPic(1)->geometry(),
                third = f->SheetPic(2)->geometry();
    QCOMPARE(first, QRect(10, 10, 500, 333));
    QCOMPARE(second.x(), 520);  // Trunc(scale * 3000) + 20
    QCOMPARE(second.y(), 10);
    QCOMPARE(second.size(), QSize(250, 166));
    QCOMPARE(third.topLeft(), QPoint(10, 10 + 333 + 10));
    QCOMPARE(third.size(), QSize(300, 100));
    // Parts take Trunc of their scaled position and size.
    const QRect part = f->PartPic(0)->geometry();
    QCOMPARE(part, QRect(0, 0, 166, 133));
    // Half the zoom halves the scale; the columns follow.
    f->Build(0.5f);
    QCOMPARE(v.DiagramScale(), scale * 0.5f);
    QCOMPARE(f->SheetPic(1)->x(), TruncPixels(static_cast<double>(scale * 0.5f) * 3000) + 20);
  }

  void picturesFollowTheBoxWhenTheInformationPanelOpens() {
    ThreeSheets();
    DiagramView& v = f->Open(1040);
    f->Build();
    v.PSD->SetExpanded(true);
    QTRY_VERIFY(v.SBR->viewport()->width() < 1040);
    const int narrower = v.SBR->viewport()->width();
    QTRY_COMPARE(v.DiagramScale(), (narrower - 40.0f) / 6000.0f);
    QCOMPARE(f->SheetPic(1)->x(), TruncPixels(static_cast<double>(v.DiagramScale()) * 3000) + 20);
  }

  void offcutsRoundAndPartsTruncate() {
    const int k = f->AddSheet(SheetRecord(1000, 1000, 1));
    f->Place(PartRecord(0, 1, 300, 300), k, 0, 0);
    RestM o;
    o.PosX = 302;  // 75.5 px at 0.25: Round gives 76, Trunc would give 75
    o.PosY = 0;
    o.W = 10;  // 2.5 px: half to even gives 2
    o.H = 14;  // 3.5 px: half to even gives 4
    o.Sheet = k;
    o.Num = kOak;
    o.Id = 7;
    f->slot().OffcutLists.push_back(o);
    RestM other = o;  // same sheet index, another material: no picture here
    other.Num = kOak + 1;
    other.Id = 8;
    f->slot().OffcutLists.push_back(other);
    f->Open(540);  // scale (540 - 40) / 2000 = 0.25
    f->Build();
    QCOMPARE(f->view->DiagramScale(), 0.25f);
    const auto offcuts = f->view->OffcutPictures(f->SheetPic(0));
    QCOMPARE(offcuts.size(), std::size_t(1));
    QCOMPARE(offcuts[0]->geometry(), QRect(76, 0, 2, 4));
  }

  void nothingLaidOutLeavesThePageEmpty() {
    const int k = f->AddSheet(SheetRecord(1000, 1000, 1));
    f->Unplaced(PartRecord(0, 1, 300, 300));
    (void)k;
    DiagramView& v = f->Open();
    f->Build();
    QVERIFY(!v.HasSheetPictures());
    QVERIFY(v.UnplacedPictures().empty());
    QVERIFY(!v.bVR->isEnabled());
    QVERIFY(!v.bS->isEnabled());
  }

  void textFitRulesOfPartPictures_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("number");
    QTest::addColumn<QSize>("horizontal");
    QTest::addColumn<QSize>("vertical");
    QTest::addColumn<bool>("numberShown");
    QTest::addColumn<bool>("sizesShown");
    // Size texts 20 x 10: need height > 35 (3*th+5 and vw+5) and width > 40 (tw+vh+10, 3*vh+5).
    QTest::newRow("room for all") << QSize(41, 36) << QSize(6, 10) << QSize(20, 10) << QSize(20, 10) << true << true;
    QTest::newRow("one pixel too low") << QSize(41, 35) << QSize(6, 10) << QSize(20, 10) << QSize(20, 10) << true
                                       << false;
    QTest::newRow("one pixel too narrow") << QSize(40, 36) << QSize(6, 10) << QSize(20, 10) << QSize(20, 10) << true
                                          << false;
    QTest::newRow("long vertical text") << QSize(60, 40) << QSize(6, 10) << QSize(20, 10) << QSize(35, 10) << true
                                        << false;
    QTest::newRow("number as wide as the picture") << QSize(6, 40) << QSize(6, 10) << QSize(1, 1) << QSize(1, 1)
                                                   << false << false;
    QTest::newRow("number as high as the picture") << QSize(100, 10) << QSize(6, 10) << QSize(1, 1) << QSize(1, 1)
                                                   << false << false;
  }
  void textFitRulesOfPartPictures() {
    QFETCH(QSize, picture);
    QFETCH(QSize, number);
    QFETCH(QSize, horizontal);
    QFETCH(QSize, vertical);
    QFETCH(bool, numberShown);
    QFETCH(bool, sizesShown);
    const PictureTextPlan plan = PlanPictureTexts(picture, number, horizontal, vertical, false);
    QCOMPARE(plan.number, numberShown);
    QCOMPARE(plan.sizes, sizesShown);
    if (plan.sizes) {
      QCOMPARE(plan.horizontal, QPoint(picture.width() - horizontal.width() - 3, 2));
      QCOMPARE(plan.vertical, QPoint(2, picture.height() - 3));
    }
  }

  void smallPartPictureShowsOnlyItsNumberAndATinyOneNothing() {
    const int k = f->AddSheet(SheetRecord(2000, 1000, 1));
    f->Place(PartRecord(0, 7, 800, 600), k, 0, 0);
    f->Place(PartRecord(1, 8, 60, 40), k, 900, 0);    // 30 x 20 px: the number only
    f->Place(PartRecord(2, 12, 10, 10), k, 1200, 0);  // 5 x 5 px: nothing
    f->Open(4040);                                     // (4040 - 40) / 4000 = 1
    f->Build(0.5f);
    QCOMPARE(f->view->DiagramScale(), 0.5f);
    const PictureTextPlan big = f->PartPic(0)->TextPlan();
    QVERIFY(big.number && big.sizes);
    const PictureTextPlan small = f->PartPic(1)->TextPlan();
    QVERIFY(small.number);
    QVERIFY(!small.sizes);
    QVERIFY(!f->PartPic(2)->TextPlan().number);
    // The texts go through the parts' factor and decimals.
    f->options.PartsLinearFactor = 10;
    f->options.PartsLinearDecimals = 1;
    QCOMPARE(f->PartPic(0)->Texts().horizontal, QString("80.0"));
    QCOMPARE(f->PartPic(0)->Texts().vertical, QString("60.0"));
  }

  void turnedPartWritesItsWidthAlongAndItsNumberTurnedLower() {
    const int k = f->AddSheet(SheetRecord(2000, 1000, 1));
    f->Place(PartRecord(0, 5, 800, 300), k, 0, 0, true);  // lies 300 along X, 800 along Y
    f->Open(4040);
    f->Build();
    PartPicture* p = f->PartPic(0);
    QCOMPARE(p->size(), QSize(300, 800));
    QCOMPARE(p->Texts().horizontal, QString("300"));
    QCOMPARE(p->Texts().vertical, QString("800"));
    const PictureTextPlan plan = p->TextPlan();
    QVERIFY(plan.numberTurned);
    const QFontMetrics fm(PictureFont(7), p);
    QCOMPARE(plan.numberAt, QPoint(150 - fm.horizontalAdvance("5") / 2, 400 - fm.height() / 2 + 10));
  }

  void repeatedLayoutShowsTheRedLineAndItsCopies() {
    const int a = f->AddSheet(SheetRecord(2000, 1000, 1));
    const int b = f->AddSheet(SheetRecord(2000, 1000, 1));
    const int c = f->AddSheet(SheetRecord(2000, 1000, 1));
    const int single = f->AddSheet(SheetRecord(2000, 1000, 2));
    f->Place(PartRecord(0, 1, 500, 500), a, 0, 0);
    f->OnRepetition(PartRecord(1, 1, 500, 500), b);
    f->OnRepetition(PartRecord(2, 1, 500, 500), c);
    f->Repeat(b, a);
    f->Repeat(c, a);
    f->Place(PartRecord(3, 1, 500, 500), single, 0, 0);
    DiagramView& v = f->Open();
    f->Build();
    QCOMPARE(v.SheetPictures().size(), std::size_t(2));  // the repetitions have no pictures
    const QColor red(Qt::red);
    auto pixel = [](QWidget* w, int x, int y) { return w->grab().toImage().pixelColor(x, y); };
    SheetPicture* repeated = f->SheetPic(a);
    QCOMPARE(repeated->copy().Copies, 3);
    QCOMPARE(pixel(repeated, repeated->width() - 1, repeated->height() - 5), red);
    QCOMPARE(pixel(repeated, repeated->width() - 2, repeated->height() - 5), red);
    QVERIFY(pixel(repeated, repeated->width() - 3, repeated->height() - 5) != red);
    SheetPicture* once = f->SheetPic(single);
    QVERIFY(pixel(once, once->width() - 1, once->height() - 5) != red);

    // The information panel tells the copies once it is open.
    v.HoverSheet(repeated);
    QVERIFY(v.sLD->text().isEmpty());  // folded: hovering does nothing
    v.PSD->SetExpanded(true);
    v.HoverSheet(repeated);
    QCOMPARE(v.PSD->Caption(), QString("Sheet"));
    QVERIFY(v.sLD->text().split('\n').contains("Quantity of Copies: 3"));
    v.PSD->SetExpanded(false);
    QCOMPARE(v.PSD->Caption(), QString("Sheets, Parts and Offcuts"));
  }

  void hoverTextsFollowTheResultFactors() {
    List s = SheetRecord(2800, 2070, 4);
    s.Note = "board";
    const int k = f->AddSheet(s);
    f->Place(PartRecord(0, 9, 720, 560), k, 0, 0);
    f->options.SheetsAreaDecimals = 2;
    DiagramView& v = f->Open();
    f->Build();
    v.PSD->SetExpanded(true);
    v.HoverPart(f->PartPic(0));
    const QStringList lines = v.sLD->text().split('\n');
    const QStringList expected{" ",
                               "Part No 9",
                               "Size: 720 x 560 mm.",
                               "Not Rotated",
                               "Notes: ",
                               " ",
                               " ",
                               "Sheet No 4",
                               "Size: 2.800 x 2.070 m.",
                               "Material: " + QString::fromStdString(f->tables.MaterialName(kOak)),
                               "Quantity of Parts: 1",
                               "Quantity of Copies: 1",
                               "Waste: 5.39 (93.0%)",
                               "Marked Offcuts: 0.00 (0.0%)",
                               "Cut Length: 0.000 m.",
                               "Notes: board"};
    QCOMPARE(lines, expected);
    QCOMPARE(v.PSD->Caption(), QString("Part"));
  }

  void scaleEditAppliesOnEnterOnlyAndNeverBelow25() {
    ThreeSheets();
    DiagramView& v = f->Open();
    f->Build();
    const float full = v.DiagramScale();
    v.bS->setValue(10);
    QCOMPARE(v.DiagramScale(), full);  // moving the value alone rebuilds nothing
    QTest::keyClick(v.bS, Qt::Key_Return);
    QCOMPARE(v.bS->value(), 25);
    QCOMPARE(v.ZoomFactor, 0.25f);
    QCOMPARE(v.DiagramScale(), full * 0.25f);
    v.bS->setValue(50);
    v.bSApply->click();
    QCOMPARE(v.ZoomFactor, 0.5f);
    v.bS->setValue(5000);
    QCOMPARE(v.bS->value(), 1000);
  }

  void wheelMovesFivePositionsPerNotch() {
    for (int i = 0; i < 8; ++i) {
      const int k = f->AddSheet(SheetRecord(2000, 2000, static_cast<std::uint16_t>(i + 1)));
      f->Place(PartRecord(i, static_cast<std::uint16_t>(i + 1), 500, 500), k, 0, 0);
    }
    DiagramView& v = f->Open(1040, 500);
    f->Build();
    QScrollBar* bar = v.SBR->verticalScrollBar();
    QVERIFY(bar->maximum() > 20);
    QWidget* port = v.SBR->viewport();
    const QPointF at(50, 50);
    QWheelEvent down(at, port->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(port, &down);
    QCOMPARE(bar->value(), 10);
    QWheelEvent up(at, port->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(port, &up);
    QCOMPARE(bar->value(), 5);
  }

  void viewingModesFoldAndSplitTheShownSheets() {
    const int a = f->AddSheet(SheetRecord(2000, 1000, 1));
    const int b = f->AddSheet(SheetRecord(2000, 1000, 1));
    f->Place(PartRecord(0, 1, 500, 500), a, 0, 0);
    f->Place(PartRecord(1, 1, 500, 500), b, 600, 0);
    DiagramView& v = f->Open();
    f->Build();
    QVERIFY(!v.MenuItem4->isEnabled());
    QVERIFY(v.MenuItem5->isEnabled());
    v.ViewUniqueDiagrams();
    QCOMPARE(v.SheetPictures().size(), std::size_t(1));
    QCOMPARE(f->sheets()[a].Copies, 2);
    QCOMPARE(f->sheets()[b].CopyOf, a);
    v.ViewAllDiagrams();
    QCOMPARE(v.SheetPictures().size(), std::size_t(2));
    QVERIFY(v.MenuItem4->isEnabled());
    QVERIFY(!v.MenuItem5->isEnabled());
    QCOMPARE(f->parts()[1].PosX, 0.0f);  // drawn with the first sheet's positions
    // Both can be undone, and the menu follows.
    v.Undo();
    QCOMPARE(v.SheetPictures().size(), std::size_t(1));
    QVERIFY(!v.MenuItem4->isEnabled());
    v.Undo();
    QCOMPARE(v.SheetPictures().size(), std::size_t(2));
    QCOMPARE(f->parts()[1].PosX, 600.0f);
  }

  void indentFrameAndDrawnOutlinesAreSilver() {
    f->options.IndentValue = 20;
    const int k = f->AddSheet(SheetRecord(2000, 1000, 1));
    Detail glass = PartRecord(0, 1, 400, 400);
    glass.SetZ = 1;
    f->Place(glass, k, 0, 0);
    Detail drawn = PartRecord(1, 2, 400, 200);
    drawn.PD = 'A';
    drawn.Fold = 77;
    f->Place(drawn, k, 1000, 0);
    // Header, a line along y = 50 of the upright drawing, "R", a line along x = 100 of the
    // turned one, "E".
    auto shape = [](char kind, float x1, float y1, float x2, float y2) {
      ShapeRecord r;
      r.Kind = kind;
      r.Id = 77;
      r.X1 = x1;
      r.Y1 = y1;
      r.X2 = x2;
      r.Y2 = y2;
      return r;
    };
    f->slot().ShapeLists = {shape('b', 0, 0, 0, 0), shape('1', 0, 50, 400, 50), shape('R', 0, 0, 0, 0),
                            shape('1', 100, 0, 100, 400), shape('E', 0, 0, 0, 0)};
    f->Open(4040);  // scale 1
    f->Build();
    const QColor silver(192, 192, 192);
    const QImage g = f->PartPic(0)->grab().toImage();
    QCOMPARE(g.pixelColor(20, 200), silver);   // the indent frame 20 pixels in
    QCOMPARE(g.pixelColor(379, 200), silver);  // right side at Round(400 - 20) - 1
    QCOMPARE(g.pixelColor(0, 200), QColor(Qt::white));
    const QImage d = f->PartPic(1)->grab().toImage();
    QCOMPARE(d.pixelColor(200, 200 - 50), silver);  // Y axis up: 50 above the bottom
    QVERIFY(d.pixelColor(100, 100) != silver);     // the turned drawing is not shown
  }

  void offcutHoverTellsItsSizeNameAndSheet() {
    const int k = f->AddSheet(SheetRecord(2000, 1000, 6));
    f->Place(PartRecord(0, 1, 500, 500), k, 0, 0);
    RestM o;
    o.PosX = 600;
    o.W = 512.4f;
    o.H = 300.6f;
    o.Area = o.W * o.H;
    o.Sheet = k;
    o.Num = kOak;
    o.Id = 3;
    o.Name = "R55";
    f->slot().OffcutLists.push_back(o);
    DiagramView& v = f->Open();
    f->Build();
    v.PSD->SetExpanded(true);
    v.HoverOffcut(v.OffcutPictures(f->SheetPic(k))[0]);
    QCOMPARE(v.PSD->Caption(), QString("Offcut"));
    const QStringList lines = v.sLD->text().split('\n');
    QCOMPARE(lines.mid(0, 6), QStringList({" ", "Size: 512 x 301 mm.", "R55", " ", " ", "Sheet No 6"}));
  }

  void savedOffcutsPanelOpensCentredWithItsMenu() {
    ThreeSheets();
    DiagramView& v = f->Open();
    f->Build();
    v.StoreOffcuts();
    QVERIFY(v.GBSR->isVisible());
    QCOMPARE(v.GBSR->geometry().center().x() / 4, v.SBR->geometry().center().x() / 4);
    v.GBSR->UpdateMenu();
    QVERIFY(!v.GBSR->N37->isEnabled());  // nothing marked
    QVERIFY(!v.GBSR->N38->isEnabled());  // nothing saved
    QVERIFY(v.GBSR->N39->isEnabled());
    Table& saved = f->tables.rxSR;
    for (int q : {3, 1}) {
      saved.Append();
      saved.Set("X", 100.0 * q);
      saved.Set("Y", 50.0);
      saved.Set("Q", static_cast<std::int64_t>(q));
      saved.Set("Num", static_cast<std::int64_t>(kOak));
      saved.Set("Note", std::string("R") + std::to_string(q));
      saved.Post();
    }
    v.GBSR->UpdateMenu();
    QVERIFY(v.GBSR->N40->isEnabled());
    v.GBSR->Sort(SavedOffcutsOrder::Quantity);
    QCOMPARE(Table::ValueText(saved.GetAt(0, "Note")), std::string("R1"));
    v.GBSR->DeleteAllRows();
    QCOMPARE(saved.Count(), 0);
    v.GBSR->N39->trigger();
    QVERIFY(!v.GBSR->isVisible());
    v.StoreOffcuts();
    v.PageShown();  // the page shown again: the panel hides
    QVERIFY(!v.GBSR->isVisible());
  }

  void dragImageHasTheLongerSide64() {
    QCOMPARE(DragImageSize(QSize(200, 50)), QSize(64, 16));
    QCOMPARE(DragImageSize(QSize(50, 200)), QSize(16, 64));
    QCOMPARE(DragImageSize(QSize(128, 5)), QSize(64, 2));   // 2.5 rounds half to even
    QCOMPARE(DragImageSize(QSize(128, 7)), QSize(64, 4));   // 3.5 too
    QCOMPARE(DragImageSize(QSize(300, 1)), QSize(64, 1));   // never 0
    const QImage image = MakeDragImage(QSize(200, 100), 3, 12, false).toImage();
    QCOMPARE(image.size(), QSize(64, 32));
    QCOMPARE(image.pixelColor(1, 30), QColor(166, 202, 240));
  }

  void cutLinesAreDrawnDottedAtTheKerfMiddle() {
    f->model.MaterialKW[kOak] = 4;
    const int k = f->AddSheet(SheetRecord(2000, 1000, 1));
    f->Place(PartRecord(0, 1, 100, 1000), k, 10, 0);
    f->Place(PartRecord(1, 2, 100, 1000), k, 114, 0);
    DiagramView& v = f->Open(2040);  // scale 0.5
    f->Build();
    QVERIFY(!v.ShowCutLines());
    v.ToggleCutLines();
    QVERIFY(v.ShowCutLines());
    QVERIFY(!f->sheets()[k].Cuts.empty());
    QCOMPARE(f->SheetPic(k)->copy().CutLength, f->sheets()[k].CutLength);
    // The left edge of the second part, x = 114, covers the right edge of the first one and is
    // drawn at Round(112 * 0.5) = 56, between the two parts' pictures, dotted.
    auto bluePixels = [&] {
      const QImage image = f->SheetPic(k)->grab().toImage();
      int blue = 0;
      for (int y = 0; y < 500; ++y) blue += image.pixelColor(56, y) == QColor(166, 202, 240);
      return blue;
    };
    const int blue = bluePixels();
    QVERIFY(blue > 100);
    QVERIFY(blue < 400);
    v.ToggleCutLines();
    QVERIFY(!v.ShowCutLines());
    QCOMPARE(bluePixels(), 0);
  }
};

KELVARA_UI_TEST(DiagramViewTest);
#include "diagram_view_test.moc"
