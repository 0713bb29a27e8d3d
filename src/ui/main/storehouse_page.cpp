#include "ui/main/storehouse_page.h"

#include <QVBoxLayout>

namespace kelvara {
namespace {
enum : int { kMsgNotes = 53, kMsgQuantity = 17, kMsgSourceMaterial = 113, kMsgMoveToSheets = 114,
             kMsgQuantityToLoad = 115, kMsgNo = 228 };
}

StorehousePage::StorehousePage(WindowContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("storehousePage");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  splitter = new QSplitter(Qt::Horizontal, this);
  materialList = new QListWidget(splitter);
  materialList->setObjectName("storehouseMaterials");
  materialList->setIconSize(QSize(32, 32));
  auto* right = new QWidget(splitter);
  auto* rightColumn = new QVBoxLayout(right);
  rightColumn->setContentsMargins(0, 0, 0, 0);
  title_ = new QLabel(right);
  QFont f = title_->font();
  f.setBold(true);
  title_->setFont(f);
  GridBehaviour b;
  b.enterAppends = true;
  b.cursorToSecondColumn = true;
  grid = new JobGrid(Grid::Storehouse, ctx.tables, ctx.tables.rxMat,
                     {{"NC", kMsgNo, "", true}, {"X", -1, "X"}, {"Y", -1, "Y"}, {"Q", kMsgQuantity},
                      {"QM", kMsgQuantityToLoad}, {"N", kMsgNotes}},
                     ctx.textures, ctx.messages, b, right);
  grid->setObjectName("storehouseGrid");
  moveToSheets = new QPushButton(right);
  moveToSheets->setEnabled(false);  // the storehouse commands come with the storehouse
  rightColumn->addWidget(title_);
  rightColumn->addWidget(grid, 1);
  rightColumn->addWidget(moveToSheets, 0, Qt::AlignLeft);
  splitter->addWidget(materialList);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  column->addWidget(splitter);
  connect(materialList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    grid->FinishEditing();
    ctx_.tables.storehouseMaterial = row;
    ctx_.tables.FilterStorehouse(true);
    ctx_.tables.RenumberStorehouse();
    grid->FollowTable();
  });
  Retranslate();
}

void StorehousePage::FillMaterialList() {
  materialList->blockSignals(true);
  materialList->clear();
  const Table& om = ctx_.tables.rxOM;
  for (int i = 0; i < om.Count(); ++i)
    materialList->addItem(new QListWidgetItem(QIcon(ctx_.textures.Large(i)),
                                              QString::fromStdString(Table::ValueText(om.GetAt(i, "Mat")))));
  materialList->blockSignals(false);
}

void StorehousePage::RenameMaterial(int material, const QString& name) {
  if (QListWidgetItem* item = materialList->item(material)) item->setText(name);
}

void StorehousePage::SelectMaterial(int material) {
  if (material < 0 || material >= materialList->count()) return;
  if (materialList->currentRow() == material) {
    ctx_.tables.storehouseMaterial = material;
    ctx_.tables.FilterStorehouse(true);
    ctx_.tables.RenumberStorehouse();
    grid->FollowTable();
  }
  materialList->setCurrentRow(material);
}

void StorehousePage::Retranslate() {
  title_->setText(ctx_.Msg(kMsgSourceMaterial));
  moveToSheets->setText(ctx_.Msg(kMsgMoveToSheets));
  grid->tableModel().Retranslate();
}

}  // namespace kelvara
