// test_ui [CLASS [QtTest options]]: runs one test class, or all of them.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "ui_test_registry.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtime;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Kelvara 3");
  std::string only;
  QStringList args{QString::fromLocal8Bit(argv[0])};
  for (int i = 1; i < argc; ++i) {
    if (i == 1 && argv[i][0] != '-') only = argv[i];
    else args << QString::fromLocal8Bit(argv[i]);
  }
  int failed = 0;
  bool ran = false;
  for (const auto& [name, make] : kelvara::uitest::Registry()) {
    if (!only.empty() && only != name) continue;
    ran = true;
    std::unique_ptr<QObject> test = make();
    failed += QTest::qExec(test.get(), args);
  }
  if (!ran) {
    qWarning("no test class named %s", only.c_str());
    return 2;
  }
  return failed == 0 ? 0 : 1;
}
