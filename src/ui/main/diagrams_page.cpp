#include "ui/main/diagrams_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/number_text.h"
#include "ui/main/diagram_view.h"
#include "ui/main/icons.h"

namespace kelvara {
namespace {

enum : int {
  kMsgMaterial = 1,
  kMsgSheetNo = 59,
  kMsgSize = 60,
  kMsgQuantityOfParts = 61,
  kMsgQuantityOfCopies = 62,
  kMsgWaste = 63,
  kMsgPreviousLayout = 104,
  kMsgHeadline = 105,
  kMsgUnplacedParts = 107,
  kMsgSaveLayout = 189,
  kMsgOpenLayout = 190,
};

constexpr int kRoleMaterial = Qt::UserRole;
constexpr int kRoleSheet = Qt::UserRole + 1;

QString Size(float x, float y) {
  return QString::fromStdString(FormatShortest(x) + " x " + FormatShortest(y));
}

}  // namespace

SheetPreview::SheetPreview(const MaterialTextures& textures, QWidget* parent) : QWidget(parent), textures_(textures) {
  setMinimumSize(200, 150);
  setObjectName("sheetPreview");
}

void SheetPreview::ShowSheet(const List* sheet, std::vector<Detail> parts) {
  hasSheet_ = sheet != nullptr;
  if (sheet) sheet_ = *sheet;
  parts_ = std::move(parts);
  update();
}

void SheetPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  if (!hasSheet_ || sheet_.X <= 0 || sheet_.Y <= 0) return;
  const double margin = 16;
  const double k = std::min((width() - 2 * margin) / sheet_.X, (height() - 2 * margin) / sheet_.Y);
  if (k <= 0) return;
  const QPointF origin((width() - sheet_.X * k) / 2, (height() - sheet_.Y * k) / 2);
  auto map = [&](double x, double y, double w, double h) {
    return QRectF(origin.x() + x * k, origin.y() + y * k, w * k, h * k);
  };
  const QRectF whole = map(0, 0, sheet_.X, sheet_.Y);
  p.fillRect(whole, QColor(120, 120, 120));
  p.setBrush(QBrush(QColor(200, 200, 200), Qt::BDiagPattern));
  p.setPen(Qt::NoPen);
  p.drawRect(whole);
  const QRectF usable = map(sheet_.TL, sheet_.TT, sheet_.X - sheet_.TL - sheet_.TR, sheet_.Y - sheet_.TT - sheet_.TB);
  p.fillRect(usable, QColor(235, 235, 228));
  p.setBrush(QBrush(QColor(190, 190, 180), Qt::FDiagPattern));
  p.drawRect(usable);
  const QPixmap& tex = textures_.Small(sheet_.Num);
  QFont f = font();
  f.setPixelSize(11);
  p.setFont(f);
  for (const Detail& d : parts_) {
    const QRectF r = map(d.PosX, d.PosY, d.W(), d.H());
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(tex));
    p.setBrushOrigin(r.topLeft());
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.drawRect(r);
    const QString label = QString::number(d.NC);
    const QString size = QString::fromStdString(FormatShortest(d.X) + "x" + FormatShortest(d.Y));
    if (r.width() > 24 && r.height() > 14) {
      p.fillRect(QRectF(r.center().x() - p.fontMetrics().horizontalAdvance(size) / 2.0 - 2, r.center().y() - 7,
                        p.fontMetrics().horizontalAdvance(size) + 4, 14)
                     .intersected(r),
                 QColor(255, 255, 255, 190));
      p.drawText(r, Qt::AlignCenter, r.width() > p.fontMetrics().horizontalAdvance(size) + 6 ? size : label);
    }
  }
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRect(whole);
}

DiagramsPage::DiagramsPage(const MessageTable& messages, const MaterialTextures& textures, QWidget* parent)
    : QWidget(parent), messages_(messages) {
  setObjectName("diagramsPage");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  toolbar = new QToolBar(this);
  toolbar->setIconSize(QSize(24, 24));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  openLayout = toolbar->addAction(MakeToolIcon(ToolIcon::OpenLayout), QString());
  saveLayout = toolbar->addAction(MakeToolIcon(ToolIcon::SaveLayout), QString());
  openLayout->setObjectName("openLayout");
  saveLayout->setObjectName("saveLayout");
  toolbar->addSeparator();
  historyLabel_ = new QLabel(this);
  bsSkinHistory = new QComboBox(this);
  bsSkinHistory->setObjectName("bsSkinHistory");
  bsSkinHistory->setMinimumWidth(120);
  bsSkinHistory->setEditable(true);
  bsSkinHistory->lineEdit()->setReadOnly(true);
  bsSkinHistory->setInsertPolicy(QComboBox::NoInsert);
  headlineLabel_ = new QLabel(this);
  RHeader = new QLineEdit(this);
  RHeader->setObjectName("RHeader");
  RHeader->setMaxLength(200);
  RHeader->setMinimumWidth(260);
  toolbar->addWidget(historyLabel_);
  toolbar->addWidget(bsSkinHistory);
  toolbar->addSeparator();
  toolbar->addWidget(headlineLabel_);
  toolbar->addWidget(RHeader);
  column->addWidget(toolbar);

  auto* split = new QSplitter(Qt::Horizontal, this);
  summary = new QTreeWidget(split);
  summary->setObjectName("layoutSummary");
  summary->setRootIsDecorated(false);
  summary->setAlternatingRowColors(true);
  summary->setColumnCount(6);
  summary->header()->setStretchLastSection(true);
  preview = new SheetPreview(textures, split);
  split->addWidget(summary);
  split->addWidget(preview);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({520, 600});
  column->addWidget(split, 1);

  connect(bsSkinHistory, &QComboBox::activated, this, &DiagramsPage::historyChosen);
  connect(summary, &QTreeWidget::currentItemChanged, this, [this] { ShowChosenSheet(); });
  EnableResultCommands(false);
  Retranslate();
}

void DiagramsPage::Retranslate() {
  auto msg = [this](int n) { return QString::fromStdString(messages_.Msg(n)); };
  openLayout->setText(msg(kMsgOpenLayout));
  saveLayout->setText(msg(kMsgSaveLayout));
  if (view) view->Retranslate();
  historyLabel_->setText(msg(kMsgPreviousLayout));
  headlineLabel_->setText(msg(kMsgHeadline));
  summary->setHeaderLabels({msg(kMsgSheetNo), msg(kMsgMaterial), msg(kMsgSize),
                            msg(kMsgQuantityOfParts).trimmed().remove(':'), msg(kMsgQuantityOfCopies), msg(kMsgWaste)});
}

void DiagramsPage::EnableResultCommands(bool on) { saveLayout->setEnabled(on); }

bool DiagramsPage::ShowSlot(const LayoutModel& model, const JobTables& tables) {
  if (view) {
    view->BuildDiagramPage(view->ZoomFactor);
    return hasDiagrams_;
  }
  const LayoutSlot& slot = model.View();
  sheets_ = slot.LayoutSheets;
  details_ = slot.LayoutDetails;
  summary->clear();
  hasDiagrams_ = false;
  int sheetNo = 0;
  QList<QTreeWidgetItem*> unplacedRows;
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    if (!slot.Active(m)) continue;
    const QString material = QString::fromStdString(tables.MaterialName(m));
    const auto& sheets = sheets_[static_cast<std::size_t>(m)];
    for (int j = 0; j < static_cast<int>(sheets.size()); ++j) {
      const List& s = sheets[static_cast<std::size_t>(j)];
      if (s.PlacedCount == 0) continue;
      hasDiagrams_ = true;
      auto* item = new QTreeWidgetItem(summary);
      item->setText(0, QString::number(++sheetNo));
      item->setText(1, material);
      item->setText(2, Size(s.X, s.Y));
      item->setText(3, QString::number(s.PlacedCount));
      item->setText(4, QString::number(s.Copies));
      const double waste = s.Area > 0 ? 100.0 * s.FreeArea / s.Area : 0;
      item->setText(5, QString::fromStdString(FormatFixed(waste, 1)) + " %");
      item->setData(0, kRoleMaterial, m);
      item->setData(0, kRoleSheet, j);
      for (int c : {0, 3, 4, 5}) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    int unplaced = 0;
    for (const Detail& d : details_[static_cast<std::size_t>(m)])
      if (d.Placed == 0) ++unplaced;
    if (unplaced > 0) {
      auto* item = new QTreeWidgetItem;
      item->setText(0, QString::fromStdString(messages_.Msg(kMsgUnplacedParts)));
      item->setText(1, material);
      item->setText(3, QString::number(unplaced));
      item->setForeground(0, QColor(170, 0, 0));
      item->setData(0, kRoleMaterial, -1);
      unplacedRows << item;
    }
  }
  summary->addTopLevelItems(unplacedRows);
  for (int c = 0; c < summary->columnCount() - 1; ++c) summary->resizeColumnToContents(c);
  if (summary->topLevelItemCount() > 0) summary->setCurrentItem(summary->topLevelItem(0));
  ShowChosenSheet();
  EnableResultCommands(hasDiagrams_);
  return hasDiagrams_;
}

void DiagramsPage::ShowChosenSheet() {
  const QTreeWidgetItem* item = summary->currentItem();
  const int m = item ? item->data(0, kRoleMaterial).toInt() : -1;
  if (!item || m < 0 || m >= static_cast<int>(sheets_.size())) {
    preview->ShowSheet(nullptr, {});
    return;
  }
  const int j = item->data(0, kRoleSheet).toInt();
  const auto& sheets = sheets_[static_cast<std::size_t>(m)];
  if (j < 0 || j >= static_cast<int>(sheets.size())) return preview->ShowSheet(nullptr, {});
  std::vector<Detail> on;
  for (const Detail& d : details_[static_cast<std::size_t>(m)])
    if (d.Placed == 1 && d.Sheet == j) on.push_back(d);
  preview->ShowSheet(&sheets[static_cast<std::size_t>(j)], std::move(on));
}

void DiagramsPage::ShowHistory(const LayoutHistory& history) {
  bsSkinHistory->blockSignals(true);
  bsSkinHistory->clear();
  for (const auto& e : history.entries()) bsSkinHistory->addItem(QString::fromStdString(e));
  bsSkinHistory->setCurrentIndex(history.selected());
  bsSkinHistory->lineEdit()->setText(QString::fromStdString(history.editText()));
  bsSkinHistory->blockSignals(false);
}

// The diagram view.

void DiagramsPage::AttachDiagramView(DiagramView* diagramView) {
  view = diagramView;
  summary->parentWidget()->hide();
  layout()->addWidget(view);
  toolbar->insertWidget(openLayout, view->scaleBox());
  toolbar->insertSeparator(openLayout);
  toolbar->addSeparator();
  toolbar->addActions(view->commandActions());
  for (QAction* a : view->commandActions())
    if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(a))) {
      // Pictures with hints, so that the whole toolbar fits.
      button->setToolButtonStyle(Qt::ToolButtonIconOnly);
      if (a == view->bVL) button->setPopupMode(QToolButton::InstantPopup);
    }
  connect(view, &DiagramView::resultCommandsEnabled, this, [this](bool on) {
    hasDiagrams_ = on;
    EnableResultCommands(on);
  });
  hasDiagrams_ = view->HasSheetPictures();
  EnableResultCommands(hasDiagrams_);
}

void DiagramsPage::PageShown() {
  if (!view) return;
  view->PageShown();
  RHeader->setFocus();
}

void DiagramsPage::SlotFilled() {
  if (view) view->SlotFilled();
}

}  // namespace kelvara
