// The file commands of the main window: projects, the two imports and layout files with the
// history list, each through its toolbar button or menu item.
#include <QFile>
#include <QTest>
#include <cstring>

#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// One 156-byte record of a previous-generation project.
QByteArray Kelvara2Record(const char* text, float x, float y, quint16 q, quint8 rotation, const char* note) {
  QByteArray r(156, '\0');
  auto putString = [&r](int at, const char* s) {
    const int n = static_cast<int>(std::strlen(s));
    r[at] = static_cast<char>(n);
    std::memcpy(r.data() + at + 1, s, static_cast<std::size_t>(n));
  };
  putString(0, text);
  std::memcpy(r.data() + 52, &x, 4);
  std::memcpy(r.data() + 56, &y, 4);
  std::memcpy(r.data() + 60, &q, 2);
  r[65] = static_cast<char>(rotation);
  putString(104, note);
  return r;
}

}  // namespace

class FileCommandTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f;
  TestWindow& w() { return *f.window; }
  JobTables& tables() { return w().tables(); }
  bool StatusStartsWith(const QString& text) { return w().status()->text().startsWith(text); }

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init() {
    f.prompts = ScriptedPrompts{};
    f.Open();
    tables().rxM.Clear();
    tables().rxD.Clear();
  }
  void cleanup() { f.window.reset(); }

  void projectIsSavedAndAddedAgain() {
    AddSheet(tables(), 2800, 2070, 2, 4);
    AddPart(tables(), 600, 400, 3, 4);
    AddPart(tables(), 300, 200, 5, 4);
    f.prompts.files = {f.folder() + "kitchen"};
    w().dataPage()->saveProject->trigger();
    QVERIFY(QFile::exists(f.folder() + "kitchen.spc"));
    QVERIFY(QFile::exists(f.folder() + "kitchen.spca"));
    QCOMPARE(w().status()->text(), "Project \"" + f.folder() + "kitchen.spc\"  is saved");

    // Saving over it asks first; "No" writes nothing.
    f.prompts.files = {f.folder() + "kitchen.spc"};
    f.prompts.answers = {false};
    const QDateTime before = QFileInfo(f.folder() + "kitchen.spc").lastModified();
    w().dataPage()->saveProject->trigger();
    QCOMPARE(f.prompts.asked.last(), QString("Such File Exists. To Rewrite"));
    QCOMPARE(QFileInfo(f.folder() + "kitchen.spc").lastModified(), before);

    tables().rxD.Clear();
    f.prompts.files = {f.folder() + "kitchen.spc"};
    w().dataPage()->addProject->trigger();
    QCOMPARE(tables().rxM.Count(), 2);  // added after the rows on screen
    QCOMPARE(tables().rxD.Count(), 2);
    QCOMPARE(Column(tables().rxD, "Q"), (std::vector<double>{3, 5}));
    QVERIFY(StatusStartsWith("Project is Added"));
    QCOMPARE(w().dataPage()->sheetsGrid->MarkedRows(), std::vector<int>{1});
    QCOMPARE(w().dataPage()->partsGrid->MarkedRows(), std::vector<int>{1});
    QVERIFY(w().menu().deleteSelected->isEnabled());

    // A file that is not there adds nothing.
    f.prompts.files = {f.folder() + "missing.spc"};
    w().dataPage()->addProject->trigger();
    QCOMPARE(tables().rxM.Count(), 2);
    QVERIFY(StatusStartsWith("File not Found"));
    QCOMPARE(w().status()->icon(), int(kIconError));
  }

  void textFileRowsAreAppended() {
    AddPart(tables(), 100, 100, 1);
    WriteBytes(f.folder() + "job.tc3",
               "ignored line\r\n[Material]\r\n2800  2070 2 3 x 10 10 10 10 oak board 18\r\n[Detail]\r\n"
               "600 400 2 4 1 door left\r\n500 300 1\r\n");
    f.prompts.files = {f.folder() + "job.tc3"};
    w().menu().importText->trigger();
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(tables().rxD.Count(), 3);
    QCOMPARE(Table::ValueText(tables().rxM.GetAt(0, "Name")), std::string("Brett"));
    QCOMPARE(Column(tables().rxM, "PT"), std::vector<double>{15});
    QCOMPARE(Table::ValueText(tables().rxM.GetAt(0, "Note")), std::string("oak board 18 "));
    QCOMPARE(Column(tables().rxD, "Q"), (std::vector<double>{1, 4, 1}));
    QCOMPARE(w().dataPage()->partsGrid->tableModel().rowCount(), 3);
  }

  void previousGenerationProjectRowsAreAppended() {
    QByteArray file = Kelvara2Record("KelvaraMaterial", 0, 0, 1, 0, "");
    file += Kelvara2Record("", 2750.26f, 1830, 4, 0, "  stock  ");
    file += Kelvara2Record("KelvaraDetail", 0, 0, 0, 0, "");
    file += Kelvara2Record("", 500, 300, 6, 7, "shelf");
    file += QByteArray(40, 'x');  // an incomplete last record is ignored
    WriteBytes(f.folder() + "old.kelvara2", file);
    f.prompts.files = {f.folder() + "old.kelvara2"};
    w().menu().importKelvara2->trigger();
    QCOMPARE(tables().rxM.Count(), 1);
    QCOMPARE(Column(tables().rxM, "X"), std::vector<double>{2750.3});
    QCOMPARE(Table::ValueText(tables().rxM.GetAt(0, "Note")), std::string("stock"));
    QCOMPARE(tables().rxD.Count(), 1);
    QCOMPARE(Column(tables().rxD, "Rotation"), std::vector<double>{2});  // 7 is stored as 2
    QVERIFY(StatusStartsWith("Project is Added"));
  }

  void layoutIsSavedAndOpenedIntoTheHistory() {
    AddSheet(tables(), 2800, 2070, 1);
    AddPart(tables(), 600, 400, 5);
    w().RunCalculation();
    QTRY_VERIFY_WITH_TIMEOUT(!w().calculation()->Running(), 120000);
    QVERIFY(w().diagramsPage()->saveLayout->isEnabled());
    w().diagramsPage()->RHeader->setText("  Kitchen 12  ");
    f.prompts.files = {f.folder() + "result"};
    w().diagramsPage()->saveLayout->trigger();
    QVERIFY(QFile::exists(f.folder() + "result.sl3"));
    QVERIFY(QFile::exists(f.folder() + "result.kw3"));
    QVERIFY(StatusStartsWith("Layout \"" + f.folder() + "result.sl3\""));

    w().diagramsPage()->RHeader->setText("other");
    f.prompts.files = {f.folder() + "result.sl3"};
    w().diagramsPage()->openLayout->trigger();
    QCOMPARE(w().history().entries().size(), std::size_t{2});
    QVERIFY(QString::fromStdString(w().history().entries()[1]).endsWith(" R"));
    QCOMPARE(w().diagramsPage()->bsSkinHistory->count(), 2);
    QCOMPARE(w().layoutModel().ViewSlot, 1);
    QCOMPARE(w().diagramsPage()->RHeader->text(), QString("Kitchen 12"));
    QVERIFY(w().diagramsPage()->HasDiagrams());
    QVERIFY(StatusStartsWith("Open Layout \""));

    // A damaged file changes nothing.
    WriteBytes(f.folder() + "bad.sl3", QByteArray(556, '\x7f'));
    f.prompts.files = {f.folder() + "bad.sl3"};
    w().diagramsPage()->openLayout->trigger();
    QCOMPARE(w().history().entries().size(), std::size_t{2});
    QVERIFY(StatusStartsWith("File is Destroyed"));

    // Choosing the first entry shows its slot.
    emit w().diagramsPage()->historyChosen(0);
    QCOMPARE(w().layoutModel().ViewSlot, 0);
  }
};

KELVARA_UI_TEST(FileCommandTest);
#include "file_command_test.moc"
