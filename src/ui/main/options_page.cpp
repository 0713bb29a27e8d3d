#include "ui/main/options_page.h"

#include <QMenu>
#include <QVBoxLayout>

#include "ui/main/icons.h"

namespace kelvara {
namespace {

enum : int {
  kMsgDeleteSelectedRows = 13,
  kMsgTools = 32,
  kMsgNameBandType = 33,
  kMsgClearTable = 37,
  kMsgNotes = 53,
  kMsgMainParameters = 72,
  kMsgExterior = 73,
  kMsgChangeMaterialName = 74,
  kMsgResultsViewing = 75,
  kMsgClearTableQuestion = 83,
  kMsgNameOfMaterial = 119,
  kMsgNameOfEdgeBand = 120,
  kMsgPrintSetup = 201,
  kMsgNo = 228,
  kMsgSawWidth = 237,
};
// Category items and the titles of their panels.
constexpr int kCategoryItems[] = {117, 118, 119, 120, 162, 201, 249};
constexpr int kCategoryTitles[] = {kMsgMainParameters, kMsgExterior,  kMsgChangeMaterialName, kMsgNameBandType,
                                   kMsgResultsViewing, kMsgPrintSetup, 249};
enum Category { kGeneral, kStyle, kMaterials, kBands, kDiagrams, kPrint, kNotes };

}  // namespace

OptionsPage::OptionsPage(WindowContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("optionsPage");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  splitter = new QSplitter(Qt::Horizontal, this);
  categories = new QListWidget(splitter);
  categories->setObjectName("optionCategories");
  for (std::size_t i = 0; i < std::size(kCategoryItems); ++i) categories->addItem(QString());
  auto* right = new QWidget(splitter);
  auto* rightColumn = new QVBoxLayout(right);
  rightColumn->setContentsMargins(6, 0, 0, 0);
  title_ = new QLabel(right);
  title_->setObjectName("optionsTitle");
  QFont f = title_->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.2);
  title_->setFont(f);
  panels = new QStackedWidget(right);
  rightColumn->addWidget(title_);
  rightColumn->addWidget(panels, 1);
  splitter->addWidget(categories);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  column->addWidget(splitter);

  GridBehaviour listBehaviour;
  listBehaviour.enterAppends = true;
  materialsGrid = new JobGrid(Grid::Materials, ctx.tables, ctx.tables.rxOM,
                              {{"NC", kMsgNo, "", true},
                               {"Mat", kMsgNameOfMaterial, "", false, ColumnKind::Material},
                               {"KW", kMsgSawWidth}},
                              ctx.textures, ctx.messages, GridBehaviour{}, this);
  materialsGrid->setObjectName("materialsGrid");
  listBehaviour.deleteKey = GridBehaviour::DeleteKey::WhenMarked;
  bandsGrid = new JobGrid(Grid::Bands, ctx.tables, ctx.tables.rxT,
                          {{"NC", kMsgNo, "", true}, {"NameE", kMsgNameOfEdgeBand}}, ctx.textures, ctx.messages,
                          listBehaviour, this);
  bandsGrid->setObjectName("bandsGrid");
  listBehaviour.deleteKey = GridBehaviour::DeleteKey::Always;
  notesGrid = new JobGrid(Grid::Notes, ctx.tables, ctx.tables.rxN, {{"NC", kMsgNo, "", true}, {"NameN", kMsgNotes}},
                          ctx.textures, ctx.messages, listBehaviour, this);
  notesGrid->setObjectName("notesGrid");
  for (JobGrid* g : {materialsGrid, bandsGrid, notesGrid}) g->SetColumnWidthOf(0, 40);
  materialsGrid->SetColumnWidthOf(1, 220);

  auto* bandsMenu = new QMenu(this);
  bandsClear = bandsMenu->addAction(QString());
  bandsDelete = bandsMenu->addAction(QString());
  auto* notesMenu = new QMenu(this);
  notesClear = notesMenu->addAction(QString());
  notesDelete = notesMenu->addAction(QString());
  bandsTools_ = new QToolButton(this);
  notesTools_ = new QToolButton(this);
  for (auto [b, m] : {std::pair{bandsTools_, bandsMenu}, std::pair{notesTools_, notesMenu}}) {
    b->setMenu(m);
    b->setIcon(MakeToolIcon(ToolIcon::Tools));
    b->setPopupMode(QToolButton::InstantPopup);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  }
  connect(bandsClear, &QAction::triggered, this, [this] {
    bandsGrid->FinishEditing();
    if (!ctx_.Ask(kMsgClearTableQuestion)) return;
    ctx_.commands.ClearTable(ctx_.tables.rxT);
    emit bandsEdited();
  });
  connect(notesClear, &QAction::triggered, this, [this] {
    notesGrid->FinishEditing();
    if (!ctx_.Ask(kMsgClearTableQuestion)) return;
    ctx_.commands.ClearTable(ctx_.tables.rxN);
    emit notesEdited();
  });
  connect(bandsDelete, &QAction::triggered, this, &OptionsPage::DeleteBands);
  connect(bandsGrid, &JobGrid::deleteKeyPressed, this, &OptionsPage::DeleteBands);
  connect(notesDelete, &QAction::triggered, this, &OptionsPage::DeleteNotes);
  connect(notesGrid, &JobGrid::deleteKeyPressed, this, &OptionsPage::DeleteNotes);

  for (int i = 0; i < static_cast<int>(std::size(kCategoryItems)); ++i) {
    switch (i) {
      case kMaterials: panels->addWidget(GridPanel(materialsGrid, nullptr)); break;
      case kBands: panels->addWidget(GridPanel(bandsGrid, bandsTools_)); break;
      case kNotes: panels->addWidget(GridPanel(notesGrid, notesTools_)); break;
      default: {
        auto* l = new QLabel(this);
        l->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        placeholders_.push_back(l);
        panels->addWidget(l);
      }
    }
  }
  connect(categories, &QListWidget::currentRowChanged, this, &OptionsPage::ShowCategory);
  categories->setCurrentRow(0);
  Retranslate();
}

QWidget* OptionsPage::GridPanel(JobGrid* grid, QToolButton* tools) {
  auto* w = new QWidget(this);
  auto* c = new QVBoxLayout(w);
  c->setContentsMargins(0, 0, 0, 0);
  if (tools) c->addWidget(tools, 0, Qt::AlignLeft);
  c->addWidget(grid, 1);
  return w;
}

void OptionsPage::ShowCategory(int index) {
  if (index < 0 || index >= panels->count()) return;
  panels->setCurrentIndex(index);
  title_->setText(ctx_.Msg(kCategoryTitles[index]));
  JobGrid* grid = index == kMaterials ? materialsGrid : index == kBands ? bandsGrid : index == kNotes ? notesGrid : nullptr;
  if (grid) {
    grid->table().First();
    grid->FollowTable();
    if (index == kNotes) grid->setFocus();
  }
  UpdateCommandStates();
}

void OptionsPage::UpdateCommandStates() {
  const bool bands = !ctx_.tables.rxT.Empty();
  const bool notes = !ctx_.tables.rxN.Empty();
  bandsClear->setEnabled(bands);
  bandsDelete->setEnabled(bands);
  notesClear->setEnabled(notes);
  notesDelete->setEnabled(notes);
}

void OptionsPage::DeleteBands() {
  bandsGrid->FinishEditing();
  if (ctx_.tables.rxT.Empty() || !ctx_.Ask(kMsgDeleteSelectedRows)) return;
  ctx_.commands.DeleteBandRows(bandsGrid->MarkedBookmarks());
  bandsGrid->UnmarkAll();
  bandsGrid->FollowTable();
  emit bandsEdited();
}

void OptionsPage::DeleteNotes() {
  notesGrid->FinishEditing();
  if (ctx_.tables.rxN.Empty() || !ctx_.Ask(kMsgDeleteSelectedRows)) return;
  ctx_.commands.DeleteListRows(ctx_.tables.rxN, notesGrid->MarkedBookmarks());
  notesGrid->UnmarkAll();
  notesGrid->FollowTable();
  emit notesEdited();
}

void OptionsPage::Retranslate() {
  for (int i = 0; i < categories->count(); ++i) categories->item(i)->setText(ctx_.Msg(kCategoryItems[i]));
  ShowCategory(categories->currentRow());
  for (auto* b : {bandsTools_, notesTools_}) b->setText(ctx_.Msg(kMsgTools));
  for (auto* a : {bandsClear, notesClear}) a->setText(ctx_.Msg(kMsgClearTable));
  for (auto* a : {bandsDelete, notesDelete}) a->setText(ctx_.Msg(kMsgDeleteSelectedRows));
  for (JobGrid* g : {materialsGrid, bandsGrid, notesGrid}) g->tableModel().Retranslate();
  for (QLabel* l : placeholders_) l->clear();
}

}  // namespace kelvara
