// The program entry: one running copy, a stale lock taken over, the program folder chosen and
// seeded, and the sample job of a first start.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "app/program_folder.h"
#include "app/single_instance.h"
#include "ui/main/qt_settings_store.h"
#include "ui_test_registry.h"
#include "ui_test_support.h"

using namespace kelvara;
using namespace kelvara::uitest;

namespace {

const QString kBinDir = KELVARA_BIN_DIR;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

}  // namespace

class AppStartTest : public QObject {
  Q_OBJECT

 private:
  // A start of the real program with its own runtime, settings and program folders.
  struct Start {
    QProcess process;
    Start(const QString& runtime, const QString& config, const QString& folder) {
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert("QT_QPA_PLATFORM", "offscreen");
      env.insert("XDG_RUNTIME_DIR", runtime);
      env.insert("XDG_CONFIG_HOME", config);
      env.remove("KELVARA3_HOME");
      process.setProcessEnvironment(env);
      process.start(kBinDir + "/kelvara3", {"--data-dir", folder});
    }
    ~Start() {
      if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(10000);
      }
    }
  };

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void secondStartEndsAtOnceAndACrashedLockIsTakenOver() {
    QTemporaryDir runtime, config, folder;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString lock = runtime.path() + "/Kelvara3.lock";
    {
      Start first(runtime.path(), config.path(), folder.path());
      QVERIFY(first.process.waitForStarted(10000));
      QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 20000);
      Start second(runtime.path(), config.path(), folder.path());
      QVERIFY(second.process.waitForFinished(20000));
      QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
      QCOMPARE(second.process.exitCode(), 0);
      QCOMPARE(second.process.readAllStandardError(), QByteArray());  // silently
      QCOMPARE(second.process.readAllStandardOutput(), QByteArray());
      QCOMPARE(first.process.state(), QProcess::Running);
      first.process.kill();  // a crash: the lock file stays behind
      QVERIFY(first.process.waitForFinished(10000));
    }
    QVERIFY(QFile::exists(lock));
    Start third(runtime.path(), config.path(), folder.path());
    QVERIFY(third.process.waitForStarted(10000));
    QTest::qWait(3000);  // a copy that found the lock held would have ended by now
    QCOMPARE(third.process.state(), QProcess::Running);
  }

  void staleLockOfADeadProcessIsRecovered() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/Kelvara3.lock";
    // A lock written by a process that is no longer there.
    WriteFile(path, "2147480000\nkelvara3\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    SingleInstance instance(path);
    QVERIFY(instance.TryAcquire());
    SingleInstance other(path);
    QVERIFY(!other.TryAcquire());  // this process holds it now
  }

  void programFolderIsChosenAndSeeded() {
    const QStringList args{"kelvara3", "--data-dir", "/data/k3"};
    QCOMPARE(RequestedProgramFolder(args, "/home/k", "/opt/k"), QString("/data/k3"));
    QCOMPARE(RequestedProgramFolder({"kelvara3", "--data-dir=/d"}, "/home/k", "/opt/k"), QString("/d"));
    QCOMPARE(RequestedProgramFolder({"kelvara3"}, "/home/k", "/opt/k"), QString("/home/k"));
    QCOMPARE(RequestedProgramFolder({"kelvara3"}, "", "/opt/k"), QString("/opt/k"));

    QTemporaryDir shipped, user;
    WriteFile(shipped.path() + "/Skins/vista.skn", "QWidget {}");
    WriteFile(shipped.path() + "/Materials/oak.jpg", "jpeg");
    WriteFile(shipped.path() + "/Kelvara3.dat", "shipped job");
    WriteFile(shipped.path() + "/kelvara3", "program");
    WriteFile(user.path() + "/Kelvara3.dat", "the user's job");

    const ProgramFolderChoice writable = ChooseProgramFolder(shipped.path(), user.path());
    QVERIFY(!writable.perUser);
    QCOMPARE(writable.folder, shipped.path() + "/");

    // A folder below a file cannot be written: the per-user folder, seeded, the user's job kept.
    const QString unwritable = shipped.path() + "/Kelvara3.dat/below";
    QVERIFY(!FolderWritable(unwritable));
    SeedFolder(shipped.path(), user.path());
    const ProgramFolderChoice fallback = ChooseProgramFolder(unwritable, user.path());
    QVERIFY(fallback.perUser);
    QCOMPARE(fallback.folder, user.path() + "/");
    QCOMPARE(ReadAll(user.path() + "/Skins/vista.skn"), QByteArray("QWidget {}"));
    QCOMPARE(ReadAll(user.path() + "/Materials/oak.jpg"), QByteArray("jpeg"));
    QCOMPARE(ReadAll(user.path() + "/Kelvara3.dat"), QByteArray("the user's job"));
    QVERIFY(!QFile::exists(user.path() + "/kelvara3"));  // programs are not data
  }

  void sampleJobIsInstalledOnlyWhereNoJobIs() {
    WindowFixture f;
    QCOMPARE(QProcess::execute(kBinDir + "/kelvara3-sample-job", {f.dir.path()}), 0);
    {
      TestWindow& w = f.Open();
      QCOMPARE(w.tables().rxM.Count(), 2);
      QCOMPARE(w.tables().rxD.Count(), 10);
      QVERIFY(!w.HasStatus(w.dataFiles().NotFoundMessage(kJobFileName)));
      // Ready to calculate.
      w.RunCalculation();
      QTRY_VERIFY_WITH_TIMEOUT(!w.calculation()->Running(), 120000);
      QVERIFY(w.diagramsPage()->HasDiagrams());
      w.tables().rxD.First();
      w.tables().rxD.Delete();
      QVERIFY(f.Close());
    }
    const QByteArray saved = ReadAll(f.folder() + "Kelvara3.dat");
    QCOMPARE(QProcess::execute(kBinDir + "/kelvara3-sample-job", {f.dir.path()}), 0);
    QCOMPARE(ReadAll(f.folder() + "Kelvara3.dat"), saved);  // the user's job stays
  }

  void settingsStoreKeepsKeysAndSubkeys() {
    QTemporaryDir dir;
    const QString ini = dir.path() + "/Options.ini";
    {
      QtSettingsStore s(ini);
      s.WriteInteger("GMW0", 61);
      s.WriteString("SkinName", "/x/vista.skn");
      SetLanguageChosen(s);
      QVERIFY(s.Flush());
    }
    QtSettingsStore s(ini);
    QCOMPARE(s.ReadInteger("GMW0"), std::optional<int>(61));
    QCOMPARE(s.ReadString("GMW0"), std::optional<std::string>("61"));
    QCOMPARE(s.ReadString("SkinName"), std::optional<std::string>("/x/vista.skn"));
    QVERIFY(!s.ReadInteger("SkinName"));
    QVERIFY(LanguageChosen(s));
    QVERIFY(!s.Contains("GMW1"));
    s.Remove("GMW0");
    QVERIFY(!s.Contains("GMW0"));
  }
};

KELVARA_UI_TEST(AppStartTest);
#include "app_start_test.moc"
