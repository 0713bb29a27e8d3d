#pragma once
// The program folder: the executable's folder, or the one given by "--data-dir DIR" or the
// environment variable KELVARA3_HOME; when it cannot be written, a per-user folder seeded with
// the shipped files (materials, skins, language and help files, the sample job).
#include <QString>
#include <QStringList>

namespace kelvara {

struct ProgramFolderChoice {
  QString folder;       // ends with "/"
  bool perUser = false; // the chosen folder was not writable
};

// The folder asked for: "--data-dir DIR" or "--data-dir=DIR" first, then KELVARA3_HOME
// (`home`), then the executable's folder.
QString RequestedProgramFolder(const QStringList& arguments, const QString& home, const QString& executableFolder);

// True when a file can be created in the folder (created when missing).
bool FolderWritable(const QString& folder);

// Copies the shipped files of `from` that `to` lacks; nothing is overwritten.
void SeedFolder(const QString& from, const QString& to);

// The folder the program works in: the requested one when writable, else `perUserFolder`
// seeded from it.
ProgramFolderChoice ChooseProgramFolder(const QString& requested, const QString& perUserFolder);

}  // namespace kelvara
