#pragma once
// The "Data Preparing" page: the main toolbar, the "Table of Sheets" and the "Table of Parts"
// with their toolbars, menus and material boxes, and the floating dialogs of the table commands.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <vector>

#include "ui/main/bands_dialog.h"
#include "ui/main/job_grid.h"
#include "ui/main/multiplier_dialog.h"
#include "ui/main/trims_dialog.h"
#include "ui/main/window_context.h"

namespace kelvara {

class DataPage : public QWidget {
  Q_OBJECT
 public:
  DataPage(WindowContext& ctx, QWidget* parent);

  // Main toolbar.
  QToolBar* toolbar = nullptr;
  QAction* addProject = nullptr;
  QAction* saveProject = nullptr;
  QAction* runCalculation = nullptr;
  QAction* totalAreas = nullptr;
  QAction* fileManager = nullptr;

  JobGrid* sheetsGrid = nullptr;
  JobGrid* partsGrid = nullptr;
  QComboBox* sheetsMaterialBox = nullptr;
  QComboBox* partsMaterialBox = nullptr;
  QComboBox* bandBox = nullptr;  // the toolbar band box; hidden
  QSplitter* splitter = nullptr;

  // Sheets toolbar.
  QToolButton* sheetsSortButton = nullptr;
  QToolButton* sheetsToolsButton = nullptr;
  QToolButton* trimButton = nullptr;
  std::vector<QAction*> sheetsSort;  // Material, Length(X), Height(Y), Quantity
  QAction* sheetsSelectAll = nullptr;
  QAction* sheetsClear = nullptr;
  QAction* sheetsDelete = nullptr;
  QAction* sheetsToStorehouse = nullptr;
  QAction* sheetsRemoveCutOut = nullptr;
  QAction* sheetsCopy = nullptr;
  QAction* sheetsPaste = nullptr;

  // Parts toolbar.
  QToolButton* partsSortButton = nullptr;
  QToolButton* rotationButton = nullptr;
  QToolButton* acadButton = nullptr;
  QToolButton* bandButton = nullptr;
  QToolButton* partsToolsButton = nullptr;
  std::vector<QAction*> partsSort;  // Material, Length(X), Height(Y), Quantity, Rotation, Customer, Order No
  std::vector<QAction*> rotation;   // Do Not Rotate, Rotate, Joint Rotation
  QAction* acadAdd = nullptr;
  QAction* acadShow = nullptr;
  QAction* partsSelectAll = nullptr;
  QAction* partsClear = nullptr;
  QAction* partsDelete = nullptr;
  QAction* partsMultiplier = nullptr;
  QAction* partsRemoveCutOut = nullptr;
  QAction* partsCopy = nullptr;
  QAction* partsCopyLite = nullptr;
  QAction* partsPaste = nullptr;
  QAction* partsPasteLite = nullptr;

  TrimsDialog* trimsDialog = nullptr;
  BandsDialog* bandsDialog = nullptr;
  MultiplierDialog* multiplierDialog = nullptr;

  void Retranslate();
  // Enabling rules of the page's commands; `layoutExists`: a layout was calculated or loaded.
  void UpdateCommandStates(bool layoutExists);
  // Items of both material boxes from the material list, with their textures.
  void FillMaterialBoxes();
  // Selects a material in both boxes (without applying it).
  void SelectMaterial(int material);
  // The pick list of the notes column from rxN, sorted by NameN.
  void RefreshNotesPickList();
  // The five band boxes from rxT.
  void RefreshBandBoxes();
  // Column visibility of the options: band type, order number, indent.
  void ApplyColumnOptions();

  // Commands (data_page_commands.cpp).
  void SortSheets(SortColumn column);
  void SortParts(SortColumn column);
  void SelectAll(JobGrid* grid);
  void ClearTable(JobGrid* grid);
  void DeleteSelectedRows(JobGrid* grid);
  void OpenMultiplier();
  void ApplyMultiplier();
  void SetRotationRule(int rule);
  void OpenTrimsFromToolbar();
  void OpenTrimsForCell(const QModelIndex& index, const QPoint& globalPos);
  void ApplyTrims();
  void OpenBandsFromToolbar();
  void OpenBandsForCell(const QModelIndex& index, const QPoint& globalPos);
  void ApplyBands();
  // A material box's choice: CurrentMaterial, then the material on the rows of its table.
  void ChooseMaterial(JobGrid* grid, int material);

 signals:
  // A command changed the rows of the tables.
  void tablesChanged();

 private:
  QWidget* BuildSheetsPanel();
  QWidget* BuildPartsPanel();
  QToolButton* MenuButton(QMenu* menu, const QIcon& icon);
  QAction* Pending(QMenu* menu);

  WindowContext& ctx_;
  QLabel* sheetsTitle_ = nullptr;
  QLabel* partsTitle_ = nullptr;
  QMenu* sheetsSortMenu_ = nullptr;
  QMenu* sheetsToolsMenu_ = nullptr;
  QMenu* partsSortMenu_ = nullptr;
  QMenu* rotationMenu_ = nullptr;
  QMenu* acadMenu_ = nullptr;
  QMenu* partsToolsMenu_ = nullptr;
  std::vector<QAction*> pending_;  // commands whose parts are not built yet: shown, disabled
};

}  // namespace kelvara
