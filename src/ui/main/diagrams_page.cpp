#include "ui/main/diagrams_page.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "ui/main/diagram_view.h"
#include "ui/main/icons.h"

namespace kelvara {
namespace {

enum : int {
  kMsgPreviousLayout = 104,
  kMsgHeadline = 105,
  kMsgSaveLayout = 189,
  kMsgOpenLayout = 190,
};

}  // namespace

DiagramsPage::DiagramsPage(const MessageTable& messages, QWidget* parent)
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

  connect(bsSkinHistory, &QComboBox::activated, this, &DiagramsPage::historyChosen);
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
}

void DiagramsPage::EnableResultCommands(bool on) { saveLayout->setEnabled(on); }

bool DiagramsPage::ShowSlot() {
  view->BuildDiagramPage(view->ZoomFactor);
  return hasDiagrams_;
}

void DiagramsPage::ShowHistory(const LayoutHistory& history) {
  bsSkinHistory->blockSignals(true);
  bsSkinHistory->clear();
  for (const auto& e : history.entries()) bsSkinHistory->addItem(QString::fromStdString(e));
  bsSkinHistory->setCurrentIndex(history.selected());
  bsSkinHistory->lineEdit()->setText(QString::fromStdString(history.editText()));
  bsSkinHistory->blockSignals(false);
}

void DiagramsPage::AttachDiagramView(DiagramView* diagramView) {
  view = diagramView;
  static_cast<QVBoxLayout*>(layout())->addWidget(view, 1);
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
  view->PageShown();
  RHeader->setFocus();
}

void DiagramsPage::SlotFilled() {
  view->SlotFilled();
}

}  // namespace kelvara
