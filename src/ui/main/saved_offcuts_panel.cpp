#include "ui/main/saved_offcuts_panel.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "layout/offcuts.h"
#include "ui/main/cell_painting.h"

namespace kelvara {
namespace {

enum : int {
  kMsgSortBy = 2,
  kMsgDeleteSelectedRows = 13,
  kMsgMaterial = 14,
  kMsgLength = 15,
  kMsgHeight = 16,
  kMsgQuantity = 17,
  kMsgNotesOffcutName = 197,
  kMsgNo = 228,
  kMsgCancel = 238,
  kMsgSaveMarkedOffcuts = 239,
  kMsgMainActions = 240,
  kMsgDeleteAllSaved = 241,
  kMsgSavedOffcuts = 242,
};

// The material column: white, the material's picture in a square, then its name.
class SavedMaterialDelegate : public QStyledItemDelegate {
 public:
  SavedMaterialDelegate(DiagramContext& ctx, QObject* parent) : QStyledItemDelegate(parent), ctx_(ctx) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    Table& t = ctx_.tables.rxSR;
    if (t.Empty() || index.row() >= t.Count()) return QStyledItemDelegate::paint(p, option, index);
    const auto* n = std::get_if<std::int64_t>(&t.GetAt(index.row(), "Num"));
    const int material = n ? static_cast<int>(*n) : -1;
    p->save();
    p->fillRect(option.rect, Qt::white);
    PaintMaterialCell(*p, option.rect, ctx_.textures.Large(material), QString::fromStdString(ctx_.tables.MaterialName(material)),
                      Qt::black);
    p->restore();
  }

 private:
  DiagramContext& ctx_;
};

}  // namespace

SavedOffcutsPanel::SavedOffcutsPanel(DiagramContext& ctx, QWidget* parent) : QFrame(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("GBSR"));
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);
  resize(560, 300);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  title_ = new QLabel(this);
  QFont f = title_->font();
  f.setBold(true);
  title_->setFont(f);
  column->addWidget(title_);
  GridBehaviour b;
  GSR = new JobGrid(Grid::SavedOffcuts, ctx.tables, ctx.tables.rxSR,
                    {{"NC", kMsgNo, "", true},
                     {"Name", kMsgMaterial, "", true, ColumnKind::Material},
                     {"X", -1, "X", true},
                     {"Y", -1, "Y", true},
                     {"Q", kMsgQuantity, "", true},
                     {"Note", kMsgNotesOffcutName, "", true}},
                    ctx.textures, ctx.messages, b, this);
  GSR->setObjectName(QStringLiteral("GSR"));
  GSR->setItemDelegateForColumn(1, new SavedMaterialDelegate(ctx, GSR));
  const int widths[] = {40, 150, 70, 70, 70};
  for (int c = 0; c < 5; ++c) GSR->SetColumnWidthOf(c, widths[c]);
  GSR->horizontalHeader()->setStretchLastSection(true);
  column->addWidget(GSR, 1);

  butSR = new QToolButton(this);
  butSR->setObjectName(QStringLiteral("butSR"));
  butSR->setPopupMode(QToolButton::InstantPopup);
  butSR->setToolButtonStyle(Qt::ToolButtonTextOnly);
  PmSR = new QMenu(butSR);
  N37 = PmSR->addAction(QString());
  PmSR->addSeparator();
  N38 = PmSR->addAction(QString());
  N40 = PmSR->addAction(QString());
  PmSR->addSeparator();
  N42 = PmSR->addMenu(QString());
  N56 = N42->addAction(QString());
  N59 = N42->addAction(QString());
  N60 = N42->addAction(QString());
  N61 = N42->addAction(QString());
  PmSR->addSeparator();
  N39 = PmSR->addAction(QString());
  butSR->setMenu(PmSR);
  column->addWidget(butSR, 0, Qt::AlignLeft);

  connect(PmSR, &QMenu::aboutToShow, this, &SavedOffcutsPanel::UpdateMenu);
  connect(N37, &QAction::triggered, this, &SavedOffcutsPanel::saveRequested);
  connect(N38, &QAction::triggered, this, &SavedOffcutsPanel::DeleteSelectedRows);
  connect(N40, &QAction::triggered, this, &SavedOffcutsPanel::DeleteAllRows);
  connect(N56, &QAction::triggered, this, [this] { Sort(SavedOffcutsOrder::Material); });
  connect(N59, &QAction::triggered, this, [this] { Sort(SavedOffcutsOrder::Length); });
  connect(N60, &QAction::triggered, this, [this] { Sort(SavedOffcutsOrder::Height); });
  connect(N61, &QAction::triggered, this, [this] { Sort(SavedOffcutsOrder::Quantity); });
  connect(N39, &QAction::triggered, this, &QWidget::hide);
  Retranslate();
  hide();
}

void SavedOffcutsPanel::UpdateMenu() {
  const bool rows = !ctx_.tables.rxSR.Empty();
  N37->setEnabled(!ctx_.View().OffcutLists.empty());
  N38->setEnabled(rows);
  N40->setEnabled(rows);
  N42->menuAction()->setEnabled(rows);
  N39->setEnabled(true);
}

void SavedOffcutsPanel::DeleteSelectedRows() {
  GSR->FinishEditing();
  if (DeleteSelectedSavedOffcuts(ctx_.tables, GSR->MarkedRows())) GSR->UnmarkAll();
  GSR->FollowTable();
}

void SavedOffcutsPanel::DeleteAllRows() {
  GSR->FinishEditing();
  DeleteAllSavedOffcuts(ctx_.tables);
  GSR->FollowTable();
}

void SavedOffcutsPanel::Sort(SavedOffcutsOrder order) {
  GSR->FinishEditing();
  SortSavedOffcuts(ctx_.tables, order);
  GSR->FollowTable();
}

void SavedOffcutsPanel::Retranslate() {
  title_->setText(ctx_.Msg(kMsgSavedOffcuts));
  butSR->setText(ctx_.Msg(kMsgMainActions));
  N37->setText(ctx_.Msg(kMsgSaveMarkedOffcuts));
  N38->setText(ctx_.Msg(kMsgDeleteSelectedRows));
  N40->setText(ctx_.Msg(kMsgDeleteAllSaved));
  N42->setTitle(ctx_.Msg(kMsgSortBy));
  N56->setText(ctx_.Msg(kMsgMaterial));
  N59->setText(ctx_.Msg(kMsgLength));
  N60->setText(ctx_.Msg(kMsgHeight));
  N61->setText(ctx_.Msg(kMsgQuantity));
  N39->setText(ctx_.Msg(kMsgCancel));
  GSR->tableModel().Retranslate();
}

}  // namespace kelvara
