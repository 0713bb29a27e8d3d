// Kelvara 3: the desktop program.
#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <QStandardPaths>

#include "app/program_folder.h"
#include "app/single_instance.h"
#include "ui/main/program_windows.h"
#include "ui/main/qt_settings_store.h"

int main(int argc, char** argv) {
  using namespace kelvara;
  // A second copy ends at once, without a word and without a window.
  SingleInstance instance(SingleInstance::DefaultLockPath());
  if (!instance.TryAcquire()) return 0;

  QApplication app(argc, argv);
  QApplication::setOrganizationName("Kelvara3");
  QApplication::setApplicationName("Kelvara3");
  QApplication::setApplicationDisplayName("Kelvara 3");
  // The program's face is Arial; Liberation Sans has its metrics.
  for (const char* face : {"Arial", "Liberation Sans"})
    if (QFontDatabase::families().contains(face)) {
      QApplication::setFont(QFont(face, 9));
      break;
    }

  const QString requested =
      RequestedProgramFolder(app.arguments(), qEnvironmentVariable("KELVARA3_HOME"), QApplication::applicationDirPath());
  const ProgramFolderChoice folder =
      ChooseProgramFolder(requested, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

  QtSettingsStore settings;
  ProgramWindows windows(folder.folder, settings);
  // Maximized; where no window manager does that, the window takes the screen's free area.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) windows.main->setGeometry(screen->availableGeometry());
  windows.main->showMaximized();
  return app.exec();
}
