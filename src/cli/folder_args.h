#pragma once
// Arguments "--data-dir DIR [--settings FILE]" of the commands that open a program folder.
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "cli/command_registry.h"
#include "model/settings_store.h"

namespace kelvara::cli {

struct FolderArgs {
  std::string dataDir;
  std::string settingsFile;  // "" for a fresh in-memory store
};

// False after writing a one-line message to `err`.
inline bool ParseFolderArgs(const Args& args, const char* command, FolderArgs& out, std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string* target = a == "--data-dir" ? &out.dataDir : a == "--settings" ? &out.settingsFile : nullptr;
    if (!target) {
      err << "kelvara3-cli " << command << ": unknown argument '" << a << "'\n";
      return false;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      err << "kelvara3-cli " << command << ": " << a << " needs a value\n";
      return false;
    }
    *target = args[++i];
  }
  if (out.dataDir.empty()) {
    err << "kelvara3-cli " << command << ": --data-dir DIR is required\n";
    return false;
  }
  std::error_code ec;
  std::filesystem::directory_iterator probe(out.dataDir, ec);
  if (ec) {
    err << "kelvara3-cli " << command << ": cannot read the program folder '" << out.dataDir << "'\n";
    return false;
  }
  return true;
}

// The in-memory store, or the ini file named by --settings (an absent file reads as empty and is
// created when the values are flushed). Null after a one-line message when the file is unreadable.
inline std::unique_ptr<SettingsStore> OpenFolderSettings(const FolderArgs& a, const char* command, std::ostream& err) {
  if (a.settingsFile.empty()) return std::make_unique<MemorySettingsStore>();
  auto ini = std::make_unique<IniSettingsStore>(a.settingsFile);
  if (ini->Open() == IniSettingsStore::OpenResult::Unreadable) {
    err << "kelvara3-cli " << command << ": cannot read the settings file '" << a.settingsFile << "'\n";
    return nullptr;
  }
  return ini;
}

}  // namespace kelvara::cli
