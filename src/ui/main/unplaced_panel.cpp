#include "ui/main/unplaced_panel.h"

#include <QBoxLayout>
#include <QDragEnterEvent>
#include <QMimeData>

namespace kelvara {
namespace {
enum : int { kMsgUnplacedParts = 107, kMsgNotToScale = 137 };
}

UnplacedBox::UnplacedBox(DiagramContext& ctx, QWidget* parent) : QScrollArea(parent), ctx_(ctx) {
  setObjectName(QStringLiteral("SBU"));
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setWidgetResizable(false);
  setFrameShape(QFrame::NoFrame);
}

void UnplacedBox::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasFormat(kPartMimeType))
    e->acceptProposedAction();
  else
    e->ignore();
}

void UnplacedBox::dragMoveEvent(QDragMoveEvent* e) {
  if (e->mimeData()->hasFormat(kPartMimeType) && ctx_.events && ctx_.events->DragOverPanel())
    e->acceptProposedAction();
  else
    e->ignore();
}

void UnplacedBox::dropEvent(QDropEvent* e) {
  if (e->mimeData()->hasFormat(kPartMimeType) && ctx_.events && ctx_.events->DropOnPanel())
    e->acceptProposedAction();
  else
    e->ignore();
}

UnplacedPanel::UnplacedPanel(DiagramContext& ctx, QWidget* parent)
    : CollapsiblePanel(Side::Bottom, 100, parent), ctx_(ctx) {
  setObjectName(QStringLiteral("PUD"));
  contentLayout()->setContentsMargins(0, 0, 0, 0);
  SBU = new UnplacedBox(ctx, content());
  pictures_ = new QWidget;
  pictures_->setObjectName(QStringLiteral("unplacedPictures"));
  pictures_->resize(0, 0);
  SBU->setWidget(pictures_);
  contentLayout()->addWidget(SBU);
  Retranslate();
}

void UnplacedPanel::Retranslate() {
  SetCaption(ctx_.Msg(kMsgUnplacedParts));
  SBU->setToolTip(ctx_.Msg(kMsgNotToScale));
}

}  // namespace kelvara
