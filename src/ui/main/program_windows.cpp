#include "ui/main/program_windows.h"

namespace kelvara {

ProgramWindows::ProgramWindows(const QString& programFolder, SettingsStore& settings) {
  main = std::make_unique<MainWindow>(programFolder, settings);
  const MessageTable& m = main->messages();
  about = std::make_unique<AboutWindow>(m, main.get());
  acad = std::make_unique<ToolWindow>("TfrmAcad", kMsgCaptionAcad, m);
  totalAreas = std::make_unique<ToolWindow>("TfrmSum", kMsgCaptionTotalAreas, m);
  allocation = std::make_unique<ToolWindow>("TfrmDetail", kMsgCaptionAllocation, m);
  report = std::make_unique<ToolWindow>("TfrmPrint", kMsgCaptionReport, m);
  printPage = std::make_unique<ToolWindow>("TfrmPrintPage", kMsgCaptionPrintPage, m);
  fileManager = std::make_unique<ToolWindow>("TfrmFM", kMsgCaptionFileManager, m);
  // Only the main window ends the program.
  for (ToolWindow* w : {acad.get(), totalAreas.get(), allocation.get(), report.get(), printPage.get(), fileManager.get()})
    w->setAttribute(Qt::WA_QuitOnClose, false);
  main->SetAboutWindow(about.get());
  main->SetFileManager(fileManager.get());
  main->retranslateOthers = [this] { RetranslateAll(); };
}

ProgramWindows::~ProgramWindows() {
  if (main) main->retranslateOthers = nullptr;
}

void ProgramWindows::RetranslateAll() {
  about->Retranslate();
  for (ToolWindow* w : {acad.get(), totalAreas.get(), allocation.get(), report.get(), printPage.get(), fileManager.get()})
    w->Retranslate();
}

}  // namespace kelvara
