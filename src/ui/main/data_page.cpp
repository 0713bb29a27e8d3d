#include "ui/main/data_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/rounding.h"
#include "ui/main/icons.h"

namespace kelvara {
namespace {

// Message table entries of the page.
enum : int {
  kMsgMaterial = 1,
  kMsgSortBy = 2,
  kMsgSelectAll = 11,
  kMsgDeleteSelectedRows = 13,
  kMsgSortMaterial = 14,  // then Length(X), Height(Y), Quantity
  kMsgQuantity = 17,
  kMsgRun = 21,
  kMsgAddProject = 22,
  kMsgSaveProject = 23,
  kMsgTotalAreas = 24,
  kMsgTableOfSheets = 25,
  kMsgTableOfParts = 26,
  kMsgTools = 32,
  kMsgEdgeBandArrangement = 34,
  kMsgRotation = 35,
  kMsgAcadParts = 36,
  kMsgClearTable = 37,
  kMsgMoveToStorehouse = 38,
  kMsgRemoveCutOutMaterial = 39,
  kMsgCopyToClipboard = 40,
  kMsgAddFromClipboard = 41,
  kMsgDoNotRotate = 46,  // then Rotate, Joint Rotation
  kMsgAddAcadPart = 49,
  kMsgShowAcadPart = 50,
  kMsgNotes = 53,
  kMsgRotationColumn = 54,
  kMsgBandType = 55,
  kMsgUseIndent = 136,
  kMsgSortRotation = 161,
  kMsgEdgeTrim = 167,
  kMsgNo = 228,
  kMsgSawWidth = 237,
  kMsgPartsMultiplier = 244,
  kMsgOrderNo = 246,
  kMsgCustomerSort = 252,
  kMsgOrderNoSort = 253,
  kMsgShippingDate = 254,
  kMsgFormulaNotes = 262,
  kMsgPrintDistance = 289,
  kMsgRemoveCutOutParts = 291,
  kMsgFileManager = 292,
  kMsgPriority = 317,
};

std::vector<GridColumn> SheetColumns() {
  return {{"NC", kMsgNo, "", true},
          {"Name", kMsgMaterial, "", true, ColumnKind::Material},
          {"X", -1, "X"},
          {"Y", -1, "Y"},
          {"Q", kMsgQuantity},
          {"PRT", kMsgPriority},
          {"KW", kMsgSawWidth, "", true},
          {"PT", kMsgEdgeTrim, "", true, ColumnKind::Trim},
          {"Note", kMsgNotes}};
}

std::vector<GridColumn> PartColumns() {
  return {{"NC", kMsgNo, "", true},
          {"Name", kMsgMaterial, "", true, ColumnKind::Material},
          {"X", -1, "X"},
          {"Y", -1, "Y"},
          {"Q", kMsgQuantity},
          {"Rotation", kMsgRotationColumn, "", false, ColumnKind::Rotation},
          {"NameE", kMsgBandType, "", true, ColumnKind::Band},
          {"Zakaz", kMsgOrderNo},
          {"DateO", kMsgShippingDate},
          {"SetZ", kMsgUseIndent, "", false, ColumnKind::Check},
          {"Note", kMsgNotes, "", false, ColumnKind::Notes},
          {"NoteG", kMsgFormulaNotes},
          {"Dist1", kMsgPrintDistance}};
}

GridBehaviour JobBehaviour() {
  GridBehaviour b;
  b.insertBefore = true;
  b.enterAdvances = true;
  b.cursorToSecondColumn = true;
  b.deleteKey = GridBehaviour::DeleteKey::WhenMarked;
  return b;
}

void SetWidths(JobGrid* grid, std::initializer_list<int> widths) {
  int c = 0;
  for (int w : widths) grid->SetColumnWidthOf(c++, w);
}

QLabel* Title(QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName("panelTitle");
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

}  // namespace

DataPage::DataPage(WindowContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("dataPage");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(2);

  toolbar = new QToolBar(this);
  toolbar->setObjectName("dataToolbar");
  toolbar->setIconSize(QSize(24, 24));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  addProject = toolbar->addAction(MakeToolIcon(ToolIcon::AddProject), QString());
  saveProject = toolbar->addAction(MakeToolIcon(ToolIcon::SaveProject), QString());
  toolbar->addSeparator();
  runCalculation = toolbar->addAction(MakeToolIcon(ToolIcon::RunCalculation), QString());
  runCalculation->setShortcut(QKeySequence(Qt::Key_F9));
  runCalculation->setShortcutContext(Qt::WindowShortcut);
  toolbar->addSeparator();
  totalAreas = toolbar->addAction(MakeToolIcon(ToolIcon::TotalAreas), QString());
  totalAreas->setEnabled(false);  // its window comes with the totals
  fileManager = toolbar->addAction(MakeToolIcon(ToolIcon::FileManager), QString());
  addProject->setObjectName("addProject");
  saveProject->setObjectName("saveProject");
  runCalculation->setObjectName("runCalculation");
  totalAreas->setObjectName("totalAreas");
  fileManager->setObjectName("fileManager");
  column->addWidget(toolbar);

  splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setObjectName("tablesSplitter");
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(BuildSheetsPanel());
  splitter->addWidget(BuildPartsPanel());
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  column->addWidget(splitter, 1);

  trimsDialog = new TrimsDialog(ctx_.messages, this);
  bandsDialog = new BandsDialog(ctx_.messages, this);
  multiplierDialog = new MultiplierDialog(ctx_.messages, this);
  connect(trimsDialog, &FloatingDialog::okPressed, this, &DataPage::ApplyTrims);
  connect(bandsDialog, &FloatingDialog::okPressed, this, &DataPage::ApplyBands);
  connect(bandsDialog, &BandsDialog::sideChosen, this, [this] {
    // With no marked part the current one takes the toolbar's band as its band type.
    Table& d = ctx_.tables.rxD;
    if (partsGrid->HasMarks() || d.Empty()) return;
    d.Set("NameE", bandBox->currentText().toStdString());
    d.Post();
  });
  connect(multiplierDialog, &FloatingDialog::okPressed, this, &DataPage::ApplyMultiplier);

  for (JobGrid* g : {sheetsGrid, partsGrid}) {
    TableModel* m = &g->tableModel();
    connect(m, &TableModel::modelReset, this, &DataPage::tablesChanged);
    connect(m, &TableModel::rowsInserted, this, &DataPage::tablesChanged);
    connect(m, &TableModel::rowsRemoved, this, &DataPage::tablesChanged);
    connect(m, &TableModel::tableCurrentChanged, this, &DataPage::tablesChanged);
  }
  Retranslate();
}

QToolButton* DataPage::MenuButton(QMenu* menu, const QIcon& icon) {
  auto* b = new QToolButton(this);
  b->setMenu(menu);
  b->setIcon(icon);
  b->setPopupMode(QToolButton::InstantPopup);
  b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  b->setAutoRaise(true);
  return b;
}

QAction* DataPage::Pending(QMenu* menu) {
  QAction* a = menu->addAction(QString());
  a->setEnabled(false);
  pending_.push_back(a);
  return a;
}

QWidget* DataPage::BuildSheetsPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("sheetsPanel");
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  sheetsTitle_ = Title(panel);

  sheetsSortMenu_ = new QMenu(this);
  for (int i = 0; i < 4; ++i) {
    QAction* a = sheetsSortMenu_->addAction(QString());
    const auto col = static_cast<SortColumn>(i);
    connect(a, &QAction::triggered, this, [this, col] { SortSheets(col); });
    sheetsSort.push_back(a);
  }
  sheetsToolsMenu_ = new QMenu(this);
  sheetsSelectAll = sheetsToolsMenu_->addAction(QString());
  sheetsClear = sheetsToolsMenu_->addAction(QString());
  sheetsDelete = sheetsToolsMenu_->addAction(QString());
  sheetsDelete->setShortcut(QKeySequence(Qt::Key_Delete));
  sheetsDelete->setShortcutContext(Qt::WidgetShortcut);  // the key itself is the grid's
  sheetsToolsMenu_->addSeparator();
  sheetsToStorehouse = Pending(sheetsToolsMenu_);
  sheetsRemoveCutOut = Pending(sheetsToolsMenu_);
  sheetsToolsMenu_->addSeparator();
  sheetsCopy = Pending(sheetsToolsMenu_);
  sheetsPaste = Pending(sheetsToolsMenu_);

  sheetsGrid = new JobGrid(Grid::Sheets, ctx_.tables, ctx_.tables.rxM, SheetColumns(), ctx_.textures, ctx_.messages,
                           JobBehaviour(), panel);
  sheetsGrid->setObjectName("sheetsGrid");
  SetWidths(sheetsGrid, {28, 96, 46, 46, 54, 48, 58, 58});
  connect(sheetsSelectAll, &QAction::triggered, this, [this] { SelectAll(sheetsGrid); });
  connect(sheetsClear, &QAction::triggered, this, [this] { ClearTable(sheetsGrid); });
  connect(sheetsDelete, &QAction::triggered, this, [this] { DeleteSelectedRows(sheetsGrid); });
  connect(sheetsGrid, &JobGrid::deleteKeyPressed, this, [this] { DeleteSelectedRows(sheetsGrid); });
  connect(sheetsGrid, &JobGrid::ellipsisClicked, this, &DataPage::OpenTrimsForCell);

  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  sheetsSortButton = MenuButton(sheetsSortMenu_, MakeToolIcon(ToolIcon::Sort));
  sheetsToolsButton = MenuButton(sheetsToolsMenu_, MakeToolIcon(ToolIcon::Tools));
  trimButton = new QToolButton(panel);
  trimButton->setObjectName("trimButton");
  trimButton->setIcon(MakeToolIcon(ToolIcon::Trims));
  trimButton->setAutoRaise(true);
  connect(trimButton, &QToolButton::clicked, this, &DataPage::OpenTrimsFromToolbar);
  sheetsMaterialBox = new QComboBox(panel);
  sheetsMaterialBox->setObjectName("sheetsMaterialBox");
  sheetsMaterialBox->setMinimumWidth(150);
  sheetsMaterialBox->setMaxVisibleItems(26);
  connect(sheetsMaterialBox, &QComboBox::activated, this, [this](int i) { ChooseMaterial(sheetsGrid, i); });
  bar->addWidget(sheetsTitle_);
  bar->addStretch();
  bar->addWidget(sheetsSortButton);
  bar->addWidget(sheetsToolsButton);
  bar->addWidget(trimButton);
  bar->addWidget(sheetsMaterialBox);
  column->addLayout(bar);
  column->addWidget(sheetsGrid, 1);
  return panel;
}

QWidget* DataPage::BuildPartsPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("partsPanel");
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  partsTitle_ = Title(panel);

  partsSortMenu_ = new QMenu(this);
  for (int i = 0; i < 5; ++i) {
    QAction* a = partsSortMenu_->addAction(QString());
    const auto col = static_cast<SortColumn>(i);
    connect(a, &QAction::triggered, this, [this, col] { SortParts(col); });
    partsSort.push_back(a);
  }
  for (int i = 0; i < 2; ++i) {  // "Customer" and "Order No": hidden
    QAction* a = partsSortMenu_->addAction(QString());
    a->setVisible(false);
    partsSort.push_back(a);
  }
  rotationMenu_ = new QMenu(this);
  for (int rule = 0; rule < 3; ++rule) {
    QAction* a = rotationMenu_->addAction(QIcon(RotationIconPixmap(rule)), QString());
    connect(a, &QAction::triggered, this, [this, rule] { SetRotationRule(rule); });
    rotation.push_back(a);
  }
  acadMenu_ = new QMenu(this);
  acadAdd = Pending(acadMenu_);
  acadShow = Pending(acadMenu_);
  partsToolsMenu_ = new QMenu(this);
  partsSelectAll = partsToolsMenu_->addAction(QString());
  partsClear = partsToolsMenu_->addAction(QString());
  partsDelete = partsToolsMenu_->addAction(QString());
  partsDelete->setShortcut(QKeySequence(Qt::Key_Delete));
  partsDelete->setShortcutContext(Qt::WidgetShortcut);
  partsMultiplier = partsToolsMenu_->addAction(QString());
  partsToolsMenu_->addSeparator();
  partsRemoveCutOut = Pending(partsToolsMenu_);
  partsToolsMenu_->addSeparator();
  partsCopy = Pending(partsToolsMenu_);
  partsCopyLite = Pending(partsToolsMenu_);
  partsPaste = Pending(partsToolsMenu_);
  partsPasteLite = Pending(partsToolsMenu_);

  partsGrid = new JobGrid(Grid::Parts, ctx_.tables, ctx_.tables.rxD, PartColumns(), ctx_.textures, ctx_.messages,
                          JobBehaviour(), panel);
  partsGrid->setObjectName("partsGrid");
  SetWidths(partsGrid, {28, 100, 50, 50, 56, 116, 64, 70, 70, 64});
  for (const char* hidden : {"DateO", "NoteG", "Dist1"}) partsGrid->SetColumnVisible(hidden, false);
  connect(partsSelectAll, &QAction::triggered, this, [this] { SelectAll(partsGrid); });
  connect(partsClear, &QAction::triggered, this, [this] { ClearTable(partsGrid); });
  connect(partsDelete, &QAction::triggered, this, [this] { DeleteSelectedRows(partsGrid); });
  connect(partsMultiplier, &QAction::triggered, this, &DataPage::OpenMultiplier);
  connect(partsGrid, &JobGrid::deleteKeyPressed, this, [this] { DeleteSelectedRows(partsGrid); });
  connect(partsGrid, &JobGrid::ellipsisClicked, this, &DataPage::OpenBandsForCell);

  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  partsSortButton = MenuButton(partsSortMenu_, MakeToolIcon(ToolIcon::Sort));
  rotationButton = MenuButton(rotationMenu_, QIcon(RotationIconPixmap(1)));
  acadButton = MenuButton(acadMenu_, QIcon());
  bandButton = new QToolButton(panel);
  bandButton->setObjectName("bandButton");
  bandButton->setIcon(MakeToolIcon(ToolIcon::EdgeBands));
  bandButton->setAutoRaise(true);
  connect(bandButton, &QToolButton::clicked, this, &DataPage::OpenBandsFromToolbar);
  partsToolsButton = MenuButton(partsToolsMenu_, MakeToolIcon(ToolIcon::Tools));
  bandBox = new QComboBox(panel);
  bandBox->setVisible(false);
  partsMaterialBox = new QComboBox(panel);
  partsMaterialBox->setObjectName("partsMaterialBox");
  partsMaterialBox->setMinimumWidth(150);
  partsMaterialBox->setMaxVisibleItems(26);
  connect(partsMaterialBox, &QComboBox::activated, this, [this](int i) { ChooseMaterial(partsGrid, i); });
  bar->addWidget(partsTitle_);
  bar->addStretch();
  bar->addWidget(partsSortButton);
  bar->addWidget(rotationButton);
  bar->addWidget(acadButton);
  bar->addWidget(bandButton);
  bar->addWidget(partsToolsButton);
  bar->addWidget(bandBox);
  bar->addWidget(partsMaterialBox);
  column->addLayout(bar);
  column->addWidget(partsGrid, 1);
  return panel;
}

void DataPage::Retranslate() {
  auto msg = [this](int n) { return ctx_.Msg(n); };
  addProject->setText(msg(kMsgAddProject));
  saveProject->setText(msg(kMsgSaveProject));
  runCalculation->setText(msg(kMsgRun));
  totalAreas->setText(msg(kMsgTotalAreas));
  fileManager->setText(msg(kMsgFileManager));
  sheetsTitle_->setText(msg(kMsgTableOfSheets));
  partsTitle_->setText(msg(kMsgTableOfParts));

  sheetsSortButton->setText(msg(kMsgSortBy));
  partsSortButton->setText(msg(kMsgSortBy));
  for (int i = 0; i < 4; ++i) {
    sheetsSort[static_cast<std::size_t>(i)]->setText(msg(kMsgSortMaterial + i));
    partsSort[static_cast<std::size_t>(i)]->setText(msg(kMsgSortMaterial + i));
  }
  partsSort[4]->setText(msg(kMsgSortRotation));
  partsSort[5]->setText(msg(kMsgCustomerSort));
  partsSort[6]->setText(msg(kMsgOrderNoSort));
  sheetsToolsButton->setText(msg(kMsgTools));
  partsToolsButton->setText(msg(kMsgTools));
  for (auto [select, clear, del] : {std::tuple{sheetsSelectAll, sheetsClear, sheetsDelete},
                                    std::tuple{partsSelectAll, partsClear, partsDelete}}) {
    select->setText(msg(kMsgSelectAll));
    clear->setText(msg(kMsgClearTable));
    del->setText(msg(kMsgDeleteSelectedRows));
  }
  sheetsToStorehouse->setText(msg(kMsgMoveToStorehouse));
  sheetsRemoveCutOut->setText(msg(kMsgRemoveCutOutMaterial));
  sheetsCopy->setText(msg(kMsgCopyToClipboard));
  sheetsPaste->setText(msg(kMsgAddFromClipboard));
  partsMultiplier->setText(msg(kMsgPartsMultiplier));
  partsRemoveCutOut->setText(msg(kMsgRemoveCutOutParts));
  partsCopy->setText(msg(kMsgCopyToClipboard));
  partsPaste->setText(msg(kMsgAddFromClipboard));
  // The two "Lite" captions are given per language, not by the message table.
  const int lang = ctx_.messages.language();
  partsCopyLite->setText(lang == kRussian  ? QString::fromUtf8("Копировать в буфер обмена (Lite)")
                         : lang == kPolish ? QString("Kopiuj do schowka (lite)")
                                           : QString("Copy to Clipboard (Lite)"));
  partsPasteLite->setText(lang == kRussian  ? QString::fromUtf8("Добавить из буфера обмена (Lite)")
                          : lang == kPolish ? QString("Dodaj ze schowka (lite)")
                                            : QString("Add from Clipboard (Lite)"));
  rotationButton->setText(msg(kMsgRotation));
  for (int r = 0; r < 3; ++r) rotation[static_cast<std::size_t>(r)]->setText(msg(kMsgDoNotRotate + r));
  acadButton->setText(msg(kMsgAcadParts));
  acadAdd->setText(msg(kMsgAddAcadPart));
  acadShow->setText(msg(kMsgShowAcadPart));
  bandButton->setToolTip(msg(kMsgEdgeBandArrangement));
  trimButton->setToolTip(msg(kMsgEdgeTrim));
  sheetsGrid->tableModel().Retranslate();
  partsGrid->tableModel().Retranslate();
  trimsDialog->Retranslate();
  bandsDialog->Retranslate();
  multiplierDialog->Retranslate();
  bandBox->setVisible(false);
}

void DataPage::UpdateCommandStates(bool layoutExists) {
  (void)layoutExists;  // "Remove Cut Out ..." come with the storehouse
  const bool sheets = !ctx_.tables.rxM.Empty();
  const bool parts = !ctx_.tables.rxD.Empty();
  for (QAction* a : sheetsSort) a->setEnabled(sheets);
  for (QAction* a : partsSort) a->setEnabled(parts);
  for (QAction* a : rotation) a->setEnabled(parts);
  sheetsSelectAll->setEnabled(sheets);
  sheetsDelete->setEnabled(sheets);
  partsSelectAll->setEnabled(parts);
  partsDelete->setEnabled(parts);
  partsMultiplier->setEnabled(parts);
  for (QAction* a : pending_) a->setEnabled(false);
}

void DataPage::FillMaterialBoxes() {
  const MaterialList& list = ctx_.tables.materials;
  for (QComboBox* box : {sheetsMaterialBox, partsMaterialBox}) {
    const int keep = box->currentIndex();
    box->clear();
    for (int m = 0; m < list.Count(); ++m) box->addItem(ctx_.textures.SmallIcon(m), QString::fromStdString(list.Name(m)));
    if (keep >= 0 && keep < box->count()) box->setCurrentIndex(keep);
  }
}

void DataPage::SelectMaterial(int material) {
  for (QComboBox* box : {sheetsMaterialBox, partsMaterialBox})
    if (material >= 0 && material < box->count()) box->setCurrentIndex(material);
}

void DataPage::RefreshNotesPickList() {
  Table& n = ctx_.tables.rxN;
  if (n.state() != TableState::Browse) n.Post();
  n.Sort("NameN", true);
  QStringList items;
  for (int i = 0; i < n.Count(); ++i) items << QString::fromStdString(Table::ValueText(n.GetAt(i, "NameN")));
  partsGrid->delegate().SetPickList(items);
}

void DataPage::RefreshBandBoxes() {
  bandBox->clear();
  for (const auto& b : ctx_.tables.BandNames()) bandBox->addItem(QString::fromStdString(b));
  if (bandBox->count() > 0) bandBox->setCurrentIndex(0);
  bandsDialog->SetItems(ctx_.tables.SideBandItems());
}

void DataPage::ApplyColumnOptions() {
  const Options& o = ctx_.options;
  partsGrid->SetColumnVisible("NameE", o.EdgeBandOn != 0);
  bandButton->setVisible(o.EdgeBandOn != 0);
  partsGrid->SetColumnVisible("Zakaz", o.OrderNoOn != 0);
  partsGrid->SetColumnVisible("SetZ", RoundTo(o.IndentValue, 2) > 0.01);
  for (const char* hidden : {"DateO", "NoteG", "Dist1"}) partsGrid->SetColumnVisible(hidden, false);
}

}  // namespace kelvara
