#pragma once
// The main window "Kelvara 3" (TfrmMain): it owns the tables, the options, the message table and
// the layout history for the whole run, shows the four pages, the main menu, the calculation
// panel and the status bar, and is what the model asks to show messages.
#include <QMainWindow>
#include <QTabWidget>
#include <memory>
#include <string>
#include <vector>

#include "engine/layout_model.h"
#include "io/layout_history.h"
#include "model/data_files.h"
#include "model/job_tables.h"
#include "model/messages.h"
#include "model/model_ui.h"
#include "model/options.h"
#include "model/settings_store.h"
#include "ui/main/calculation_control.h"
#include "ui/main/data_page.h"
#include "ui/main/diagrams_page.h"
#include "ui/main/main_menu.h"
#include "ui/main/material_textures.h"
#include "ui/main/options_page.h"
#include "ui/main/prompts.h"
#include "ui/main/status_panel.h"
#include "ui/main/storehouse_page.h"
#include "ui/main/table_commands.h"
#include "ui/main/window_context.h"

namespace kelvara {

class ToolWindow;
class AboutWindow;

enum Page { kPageData = 0, kPageDiagrams = 1, kPageStorehouse = 2, kPageOptions = 3 };

class MainWindow : public QMainWindow, public ModelUi {
  Q_OBJECT
 public:
  // `programFolder` ends with "/"; `settings` holds the per-user values.
  MainWindow(const QString& programFolder, SettingsStore& settings, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Questions and dialogs go here (tests answer them).
  void SetPrompts(Prompts* prompts) { prompts_ = prompts ? prompts : &dialogPrompts_; }
  // The windows "File Manager" and "About..." show.
  void SetFileManager(ToolWindow* w) { fileManager_ = w; }
  void SetAboutWindow(AboutWindow* w) { about_ = w; }
  // Called by ApplyLanguage for the other windows.
  std::function<void()> retranslateOthers;

  // ModelUi.
  void ShowStatus(const std::string& text, int icon, int seconds) override;
  void Warning(const std::string& text) override;
  void Information(const std::string& text) override;
  void Error(const std::string& text) override;
  bool Ask(const std::string& text) override;
  void SwitchToDataPage() override;
  void FocusGrid(Grid grid) override;
  void MaterialRenamed(int num, const std::string& oldName, const std::string& newName) override;
  void BandsChanged() override;

  // Commands.
  void RunCalculation();
  void StopCalculation();
  void FinishCalculation();
  void SaveProjectCommand();
  void AddProjectCommand();
  void AddProjectFile(const QString& path);
  void ImportTextCommand();
  void ImportKelvara2Command();
  void OpenLayoutCommand();
  void LoadLayout(const QString& path);
  void SaveLayoutCommand();
  void ChooseHistoryEntry(int entry);
  void ChooseMenuMaterial(int material);
  void MainSelectAll();
  void MainClearTables();
  void MainDeleteSelectedRows();
  void MainSort(SortColumn column);
  void ApplyOptions();
  void ApplyLanguage();
  void ShowPage(int page);

  // Accessors for the pages, the state and the tests.
  Options& options() { return options_; }
  MessageTable& messages() { return messages_; }
  JobTables& tables() { return tables_; }
  LayoutModel& layoutModel() { return model_; }
  LayoutHistory& history() { return history_; }
  DataFiles& dataFiles() { return files_; }
  const MaterialTextures& textures() const { return textures_; }
  TableCommands& commands() { return commands_; }
  QTabWidget* pages() const { return pages_; }
  DataPage* dataPage() const { return dataPage_; }
  DiagramsPage* diagramsPage() const { return diagramsPage_; }
  StorehousePage* storehousePage() const { return storehousePage_; }
  OptionsPage* optionsPage() const { return optionsPage_; }
  CalculationControl* calculation() const { return calc_; }
  StatusPanel* status() const { return status_; }
  MainMenu& menu() { return menu_; }
  const QString& programFolder() const { return folder_; }
  bool FirstShown() const { return firstShown_; }
  bool LayoutExists() const { return layoutExists_; }
  // Loads the data files as the first showing does (also run by showEvent).
  void FirstShow();
  // Writes everything back as closing does; false when a file could not be written.
  bool SaveAll();

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void BuildWindow();
  void ConnectCommands();
  void LoadSkin();
  void OnPageChanged(int page);
  void UpdateCommandStates();
  void ApplyGridWidths();
  void TakeGridWidths();
  void MarkLastRow(JobGrid* grid);
  void RefreshDiagrams();
  QString DialogFolder() const;

  QString folder_;
  SettingsStore& settings_;
  DialogPrompts dialogPrompts_;
  Prompts* prompts_ = &dialogPrompts_;

  Options options_;
  MessageTable messages_;
  JobTables tables_;
  LayoutModel model_;
  DataFiles files_;
  MaterialTextures textures_;
  TableCommands commands_;
  LayoutHistory history_;
  std::unique_ptr<WindowContext> ctx_;

  QTabWidget* pages_ = nullptr;
  DataPage* dataPage_ = nullptr;
  DiagramsPage* diagramsPage_ = nullptr;
  StorehousePage* storehousePage_ = nullptr;
  OptionsPage* optionsPage_ = nullptr;
  CalculationControl* calc_ = nullptr;
  StatusPanel* status_ = nullptr;
  MainMenu menu_;
  ToolWindow* fileManager_ = nullptr;
  AboutWindow* about_ = nullptr;

  QString layoutSaveFolder_, layoutOpenFolder_;
  bool firstShown_ = false;
  bool layoutExists_ = false;  // a layout has been calculated or loaded
  int currentPage_ = kPageData;
};

}  // namespace kelvara
