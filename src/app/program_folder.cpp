#include "app/program_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace kelvara {
namespace {

QString WithSlash(QString folder) {
  folder = QDir::cleanPath(QDir(folder).absolutePath());
  if (!folder.endsWith('/')) folder += '/';
  return folder;
}

// What the program folder ships besides the programs themselves.
bool Shipped(const QString& relative) {
  if (relative.startsWith("Materials/") || relative.startsWith("Skins/")) return true;
  if (relative.contains('/')) return false;
  return relative.startsWith("Kelvara3.") || relative.endsWith(".txt") || relative.endsWith(".chm");
}

}  // namespace

QString RequestedProgramFolder(const QStringList& arguments, const QString& home, const QString& executableFolder) {
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == "--data-dir" && i + 1 < arguments.size()) return arguments[i + 1];
    if (a.startsWith("--data-dir=")) return a.mid(static_cast<int>(QString("--data-dir=").size()));
  }
  if (!home.isEmpty()) return home;
  return executableFolder;
}

bool FolderWritable(const QString& folder) {
  if (!QDir().mkpath(folder)) return false;
  QTemporaryFile probe(QDir(folder).filePath("kelvara3-XXXXXX.probe"));
  return probe.open();
}

void SeedFolder(const QString& from, const QString& to) {
  const QDir source(from);
  QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString relative = source.relativeFilePath(path);
    if (!Shipped(relative)) continue;
    const QString target = QDir(to).filePath(relative);
    if (QFileInfo::exists(target)) continue;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::copy(path, target);
  }
  QDir().mkpath(QDir(to).filePath("Materials"));
  QDir().mkpath(QDir(to).filePath("Skins"));
}

ProgramFolderChoice ChooseProgramFolder(const QString& requested, const QString& perUserFolder) {
  if (FolderWritable(requested)) return {WithSlash(requested), false};
  QDir().mkpath(perUserFolder);
  SeedFolder(requested, perUserFolder);
  return {WithSlash(perUserFolder), true};
}

}  // namespace kelvara
