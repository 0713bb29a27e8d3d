// The commands of the main window: the main menu, the toolbar's project and calculation
// commands, the imports and the layout files.
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "engine/calculation_input.h"
#include "io/layout_file.h"
#include "io/previous_generation_import.h"
#include "io/project_file.h"
#include "io/text_import.h"
#include "ui/main/main_window.h"
#include "ui/tools/about_window.h"
#include "ui/tools/tool_window.h"

namespace kelvara {
namespace {

enum : int {
  kMsgClearTables = 12,
  kMsgDeleteSelectedRows = 13,
  kMsgCompleted = 70,
  kMsgInterrupted = 71,
  kMsgPleaseWait = 82,
  kMsgAddProjectTitle = 139,
  kMsgSaveProjectTitle = 140,
  kMsgOpenTextFile = 152,
  kMsgSaveLayoutTitle = 189,
  kMsgOpenLayoutTitle = 193,
};

constexpr int kFinishedSeconds = 20;

}  // namespace

void MainWindow::ConnectCommands() {
  connect(pages_, &QTabWidget::currentChanged, this, &MainWindow::OnPageChanged);
  for (int i = 0; i < static_cast<int>(menu_.pages.size()); ++i)
    connect(menu_.pages[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] { ShowPage(i); });
  connect(menu_.importText, &QAction::triggered, this, &MainWindow::ImportTextCommand);
  connect(menu_.importKelvara2, &QAction::triggered, this, &MainWindow::ImportKelvara2Command);
  connect(menu_.exit, &QAction::triggered, this, &QWidget::close);
  connect(menu_.selectAll, &QAction::triggered, this, &MainWindow::MainSelectAll);
  connect(menu_.clearTables, &QAction::triggered, this, &MainWindow::MainClearTables);
  connect(menu_.deleteSelected, &QAction::triggered, this, &MainWindow::MainDeleteSelectedRows);
  for (int i = 0; i < static_cast<int>(menu_.sortBy.size()); ++i)
    connect(menu_.sortBy[static_cast<std::size_t>(i)], &QAction::triggered, this,
            [this, i] { MainSort(static_cast<SortColumn>(i)); });
  connect(menu_.content, &QAction::triggered, this, [this] {
    // The help viewer may be missing: nothing happens then.
    const char* file = messages_.language() == kRussian ? "Kelvara3HelpRus.chm" : "Kelvara3HelpEng.chm";
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder_ + file));
  });
  connect(menu_.homepage, &QAction::triggered, this, [] { QDesktopServices::openUrl(QUrl(kHomepage)); });
  connect(menu_.about, &QAction::triggered, this, [this] {
    if (about_) about_->exec();
  });

  connect(dataPage_->runCalculation, &QAction::triggered, this, &MainWindow::RunCalculation);
  connect(dataPage_->saveProject, &QAction::triggered, this, &MainWindow::SaveProjectCommand);
  connect(dataPage_->addProject, &QAction::triggered, this, &MainWindow::AddProjectCommand);
  connect(dataPage_->fileManager, &QAction::triggered, this, [this] {
    if (!fileManager_) return;
    fileManager_->show();
    fileManager_->raise();
  });
  connect(dataPage_, &DataPage::tablesChanged, this, &MainWindow::UpdateCommandStates);
  connect(calc_, &CalculationControl::finished, this, &MainWindow::FinishCalculation);

  connect(diagramsPage_->openLayout, &QAction::triggered, this, &MainWindow::OpenLayoutCommand);
  connect(diagramsPage_->saveLayout, &QAction::triggered, this, &MainWindow::SaveLayoutCommand);
  connect(diagramsPage_, &DiagramsPage::historyChosen, this, &MainWindow::ChooseHistoryEntry);

  connect(optionsPage_, &OptionsPage::bandsEdited, this, [this] { dataPage_->RefreshBandBoxes(); });
  connect(optionsPage_, &OptionsPage::notesEdited, this, [this] { dataPage_->RefreshNotesPickList(); });
}

// Calculation.

void MainWindow::RunCalculation() {
  if (calc_->Running() || !dataPage_->runCalculation->isEnabled()) return;
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FinishEditing();
  std::unique_ptr<CalculationJob> job = kelvara::RunCalculation(tables_, model_);
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FollowTable();
  UpdateCommandStates();
  if (!job) return;  // the input check has said why
  ShowStatus(messages_.Msg(kMsgPleaseWait), kIconNone, 0);
  dataPage_->runCalculation->setEnabled(false);
  calc_->Start(std::move(job));
}

void MainWindow::StopCalculation() { calc_->Stop(); }

void MainWindow::FinishCalculation() {
  if (!calc_->Running()) return;
  pages_->setCurrentIndex(kPageDiagrams);
  calc_->Hide();
  QString elapsed = calc_->elapsedLabel()->text();
  if (elapsed.isEmpty()) elapsed = "0:00";
  const int msg = calc_->RunUninterrupted() ? kMsgCompleted : kMsgInterrupted;
  const int filled = model_.WriteSlot;
  calc_->Complete(options_.PartsLocation == 1);
  ShowStatus(messages_.Msg(msg) + elapsed.toStdString(), kIconSuccess, kFinishedSeconds);
  layoutExists_ = true;
  diagramsPage_->SlotFilled();
  menu_.ShowTableMenus(false);
  dataPage_->runCalculation->setEnabled(true);
  history_.Add(filled, HistoryEntryTextNow(false));
  diagramsPage_->ShowHistory(history_);
  UpdateCommandStates();
}

// Projects and imports.

void MainWindow::SaveProjectCommand() {
  if (tables_.rxM.Empty() && tables_.rxD.Empty()) return;
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FinishEditing();
  const QString name = prompts_->SaveFileName(this, ctx_->Msg(kMsgSaveProjectTitle), DialogFolder(), "*.spc");
  if (name.isEmpty()) return;
  SaveProject(name.toStdString(), tables_, model_.ShapeList);
}

void MainWindow::AddProjectCommand() {
  const QString name = prompts_->OpenFileName(this, ctx_->Msg(kMsgAddProjectTitle), DialogFolder(), "*.spc");
  if (!name.isEmpty()) AddProjectFile(name);
}

void MainWindow::AddProjectFile(const QString& path) {
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) {
    g->FinishEditing();
    g->UnmarkAll();
  }
  const ImportResult r = AddProject(path.toStdString(), tables_, model_.ShapeList);
  if (r.ok) {
    MarkLastRow(dataPage_->sheetsGrid);
    MarkLastRow(dataPage_->partsGrid);
  } else {
    for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FollowTable();
  }
  UpdateCommandStates();
}

void MainWindow::ImportTextCommand() {
  const QString name = prompts_->OpenFileName(this, ctx_->Msg(kMsgOpenTextFile), DialogFolder(), "*.tc3");
  if (name.isEmpty()) return;
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FinishEditing();
  ImportTextFile(name.toStdString(), tables_);
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FollowTable();
  UpdateCommandStates();
}

void MainWindow::ImportKelvara2Command() {
  const QString name = prompts_->OpenFileName(this, ctx_->Msg(kMsgAddProjectTitle), DialogFolder(), "*.kelvara2");
  if (name.isEmpty()) return;
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FinishEditing();
  ImportPreviousGenerationFile(name.toStdString(), tables_);
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FollowTable();
  UpdateCommandStates();
}

// Layout files and the history.

void MainWindow::OpenLayoutCommand() {
  if (calc_->Running()) return;  // a load would fill the slot the calculation is filling
  const QString folder = layoutOpenFolder_.isEmpty() ? DialogFolder() : layoutOpenFolder_;
  const QString name = prompts_->OpenFileName(this, ctx_->Msg(kMsgOpenLayoutTitle), folder, "sl3 (*.sl3)");
  if (!name.isEmpty()) LoadLayout(name);
}

void MainWindow::LoadLayout(const QString& path) {
  if (calc_->Running()) return;
  if (model_.MaterialCount != tables_.MaterialCount()) model_.MaterialCount = tables_.MaterialCount();
  std::string headline = diagramsPage_->RHeader->text().toStdString();
  if (!LoadLayoutFile(path.toStdString(), model_, history_, headline, messages_, *this)) return;
  diagramsPage_->RHeader->setText(QString::fromStdString(headline));
  diagramsPage_->ShowHistory(history_);
  layoutExists_ = true;
  layoutOpenFolder_ = QFileInfo(path).absolutePath();
  diagramsPage_->SlotFilled();
  UpdateCommandStates();
}

void MainWindow::SaveLayoutCommand() {
  if (!diagramsPage_->HasDiagrams()) return;
  const QString folder = layoutSaveFolder_.isEmpty() ? DialogFolder() : layoutSaveFolder_;
  const QString name = prompts_->SaveFileName(this, ctx_->Msg(kMsgSaveLayoutTitle), folder, "sl3 (*.sl3)");
  if (name.isEmpty()) return;
  const std::string written = SaveLayout(name.toStdString(), model_, diagramsPage_->RHeader->text().toStdString(),
                                         SavedSawWidths(model_, tables_), messages_, *this);
  if (!written.empty()) layoutSaveFolder_ = QFileInfo(QString::fromStdString(written)).absolutePath();
}

void MainWindow::ChooseHistoryEntry(int entry) {
  const int slot = history_.Choose(entry);
  if (slot < 0) return;
  model_.ViewSlot = slot;
  diagramsPage_->ShowHistory(history_);
  RefreshDiagrams();
}

// Main menu commands on both tables.

void MainWindow::ChooseMenuMaterial(int material) {
  dataPage_->SelectMaterial(material);
  dataPage_->ChooseMaterial(dataPage_->sheetsGrid, material);
  dataPage_->ChooseMaterial(dataPage_->partsGrid, material);
}

void MainWindow::MainSelectAll() {
  dataPage_->sheetsGrid->MarkAll();
  dataPage_->partsGrid->MarkAll();
}

void MainWindow::MainClearTables() {
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FinishEditing();
  if (!ctx_->Ask(kMsgClearTables)) return;
  commands_.ClearTables();
  UpdateCommandStates();
}

void MainWindow::MainDeleteSelectedRows() {
  JobGrid* sheets = dataPage_->sheetsGrid;
  JobGrid* parts = dataPage_->partsGrid;
  for (JobGrid* g : {sheets, parts}) g->FinishEditing();
  if (!ctx_->Ask(kMsgDeleteSelectedRows)) return;
  commands_.DeleteMarkedJobRows(sheets->MarkedBookmarks(), parts->MarkedBookmarks());
  for (JobGrid* g : {sheets, parts}) {
    g->UnmarkAll();
    g->FollowTable();
  }
  UpdateCommandStates();
}

void MainWindow::MainSort(SortColumn column) {
  dataPage_->SortSheets(column);
  dataPage_->SortParts(column);
}

}  // namespace kelvara
