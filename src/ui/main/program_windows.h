#pragma once
// The eight windows of the program, created in order at start and kept for the whole run:
// the main window, About, the AutoCAD part viewer, total areas, allocation of parts, the report
// window, the print page settings and the file manager.
#include <QString>
#include <memory>

#include "model/settings_store.h"
#include "ui/main/main_window.h"
#include "ui/tools/about_window.h"
#include "ui/tools/tool_window.h"

namespace kelvara {

struct ProgramWindows {
  ProgramWindows(const QString& programFolder, SettingsStore& settings);
  ~ProgramWindows();

  std::unique_ptr<MainWindow> main;
  std::unique_ptr<AboutWindow> about;
  std::unique_ptr<ToolWindow> acad;
  std::unique_ptr<ToolWindow> totalAreas;
  std::unique_ptr<ToolWindow> allocation;
  std::unique_ptr<ToolWindow> report;
  std::unique_ptr<ToolWindow> printPage;
  std::unique_ptr<ToolWindow> fileManager;

  // Every window's texts again from the message table.
  void RetranslateAll();
};

}  // namespace kelvara
