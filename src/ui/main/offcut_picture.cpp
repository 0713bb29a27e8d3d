#include "ui/main/offcut_picture.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/rounding.h"

namespace kelvara {

OffcutCopy OffcutCopy::Of(const RestM& o) {
  OffcutCopy c;
  c.material = o.Num;
  c.sheet = o.Sheet;
  c.Copies = o.Copies;
  c.Id = o.Id;
  c.PosX = static_cast<float>(Round3(o.PosX));
  c.PosY = static_cast<float>(Round3(o.PosY));
  c.W = static_cast<float>(Round3(o.W));
  c.H = static_cast<float>(Round3(o.H));
  c.Name = o.Name;
  return c;
}

OffcutPicture::OffcutPicture(DiagramContext& ctx, const OffcutCopy& copy, QWidget* parent)
    : QWidget(parent), ctx_(ctx), copy_(copy) {
  setObjectName(QStringLiteral("offcut_%1").arg(copy.Id));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureTexts OffcutPicture::Texts() const {
  const Options& o = ctx_.options;
  PictureTexts t;
  t.number = QStringLiteral("R");
  t.horizontal = ResultNumber(copy_.W, o.PartsLinearFactor, o.PartsLinearDecimals);
  t.vertical = ResultNumber(copy_.H, o.PartsLinearFactor, o.PartsLinearDecimals);
  return t;
}

void OffcutPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kNavy);
  FrameRect(p, 0, 0, width(), height(), Qt::white);
  p.setFont(PictureFont(7));
  PaintPictureTexts(p, Texts(), size(), Qt::white);
}

void OffcutPicture::mousePressEvent(QMouseEvent* e) {
  if (!ctx_.events) return;
  if (e->button() == Qt::LeftButton || e->button() == Qt::MiddleButton)
    ctx_.events->OffcutUnmarkPressed(this);
  else if (e->button() == Qt::RightButton)
    ctx_.events->OffcutNamePressed(this);
}

void OffcutPicture::mouseMoveEvent(QMouseEvent*) {
  if (ctx_.events) ctx_.events->HoverOffcut(this);
}

}  // namespace kelvara
