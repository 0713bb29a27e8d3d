// "inspect --data-dir DIR [--settings FILE]": the program folder as the start-up loads it, as JSON.
#include "cli/command_registry.h"
#include "cli/folder_args.h"
#include "model/data_files_json.h"
#include "model/data_files_session.h"

namespace kelvara::cli {
namespace {

int InspectFolder(const Args& args, std::ostream& out, std::ostream& err) {
  FolderArgs a;
  if (!ParseFolderArgs(args, "inspect", a, err)) return 2;
  auto settings = OpenFolderSettings(a, "inspect", err);
  if (!settings) return 2;
  FolderSession session(a.dataDir, *settings);
  session.Load();
  WriteProgramFolderJson(out, session.tables, session.shapeList, session.ui.StatusTexts());
  return 0;
}

const RegisterCommand kRegister("inspect-folder", "inspect --data-dir DIR [--settings FILE]", InspectFolder);

}  // namespace
}  // namespace kelvara::cli
