#pragma once
// A program folder opened without windows: the tables, options and outlines the start-up would
// build, with the status texts of loading collected in order. Used by kelvara3-cli and tests.
#include <string>
#include <vector>

#include "model/data_files.h"
#include "model/job_tables.h"
#include "model/messages.h"
#include "model/model_ui.h"
#include "model/options.h"
#include "model/settings_store.h"
#include "model/shape_record.h"

namespace kelvara {

// Keeps what the model asks the window to show.
struct RecordingUi : ModelUi {
  struct Status {
    std::string text;
    int icon = 0;
    int seconds = 0;
  };
  std::vector<Status> statuses;
  std::vector<std::string> boxes;  // texts of warnings, information and error boxes
  int bandsChanged = 0;

  void ShowStatus(const std::string& text, int icon, int seconds) override { statuses.push_back({text, icon, seconds}); }
  void Warning(const std::string& text) override { boxes.push_back(text); }
  void Information(const std::string& text) override { boxes.push_back(text); }
  void Error(const std::string& text) override { boxes.push_back(text); }
  void BandsChanged() override { ++bandsChanged; }
  std::vector<std::string> StatusTexts() const;
};

class FolderSession {
 public:
  // `folder` is the program folder; its "Materials" pictures make the material list.
  FolderSession(const std::string& folder, SettingsStore& settings);
  FolderSession(const FolderSession&) = delete;
  FolderSession& operator=(const FolderSession&) = delete;

  // Load steps 1 to 9, as at start.
  void Load() { files.LoadAll(); }

  Options options;
  MessageTable messages;
  RecordingUi ui;
  JobTables tables;
  std::vector<ShapeRecord> shapeList;
  DataFiles files;
};

}  // namespace kelvara
