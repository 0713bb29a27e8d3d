#include "model/data_files_session.h"

namespace kelvara {

std::vector<std::string> RecordingUi::StatusTexts() const {
  std::vector<std::string> texts;
  for (const auto& s : statuses) texts.push_back(s.text);
  return texts;
}

namespace {

std::string WithSlash(const std::string& folder) {
  if (folder.empty()) return std::string("./");
  if (folder.back() == '/' || folder.back() == '\\') return folder;
  return folder + '/';
}

}  // namespace

FolderSession::FolderSession(const std::string& folder, SettingsStore& settings)
    : tables(options, messages, ui), files(tables, shapeList, settings) {
  tables.programFolder = WithSlash(folder);
  tables.materials = MaterialList::Load(tables.programFolder);
}

}  // namespace kelvara
