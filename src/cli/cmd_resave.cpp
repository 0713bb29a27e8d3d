// "resave --data-dir DIR [--settings FILE]": loads the program folder as the start-up does and
// writes every data file back as the program end does.
#include "cli/command_registry.h"
#include "cli/folder_args.h"
#include "model/data_files_session.h"

namespace kelvara::cli {
namespace {

int Resave(const Args& args, std::ostream& out, std::ostream& err) {
  FolderArgs a;
  if (!ParseFolderArgs(args, "resave", a, err)) return 2;
  auto settings = OpenFolderSettings(a, "resave", err);
  if (!settings) return 2;
  FolderSession session(a.dataDir, *settings);
  session.Load();
  session.files.LoadGridWidths();
  for (const std::string& s : session.ui.StatusTexts()) out << s << "\n";
  const SaveReport report = session.files.SaveAll();
  if (!report.ok()) {
    err << "kelvara3-cli resave: could not write";
    for (const std::string& f : report.failed) err << " " << f;
    err << "\n";
    return 2;
  }
  return 0;
}

const RegisterCommand kRegister("resave", "resave --data-dir DIR [--settings FILE]", Resave);

}  // namespace
}  // namespace kelvara::cli
