#include "ui/main/diagram_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <QPixmap>

#include "ui/main/picture_painting.h"

namespace kelvara {
namespace {

void Sheet(QPainter& p, QRectF r) {
  p.setPen(QPen(QColor(90, 70, 40), 1));
  p.setBrush(QColor(222, 196, 150));
  p.drawRect(r);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
  p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::max(1.0, std::hypot(d.x(), d.y()));
  const QPointF u(d.x() / len, d.y() / len), n(-u.y(), u.x());
  p.drawLine(to, to - 4 * u + 3 * n);
  p.drawLine(to, to - 4 * u - 3 * n);
}

void Curve(QPainter& p, bool back) {
  QPainterPath path;
  if (back) {
    path.moveTo(19, 17);
    path.cubicTo(19, 7, 9, 5, 5, 11);
  } else {
    path.moveTo(5, 17);
    path.cubicTo(5, 7, 15, 5, 19, 11);
  }
  p.setPen(QPen(QColor(30, 90, 170), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  const QPointF tip = back ? QPointF(5, 11) : QPointF(19, 11);
  const double dx = back ? 1 : -1;
  p.drawLine(tip, tip + QPointF(dx * 5, -1));
  p.drawLine(tip, tip + QPointF(dx * 1, -5));
}

}  // namespace

QIcon MakeDiagramIcon(DiagramIcon which) {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (which) {
    case DiagramIcon::ApplyScale:
      p.setPen(QPen(QColor(40, 40, 40), 2));
      p.setBrush(QColor(220, 235, 250));
      p.drawEllipse(QPointF(10, 10), 6, 6);
      p.drawLine(QPointF(14.5, 14.5), QPointF(20, 20));
      break;
    case DiagramIcon::UnmarkOffcuts:
      Sheet(p, QRectF(3, 4, 18, 15));
      p.fillRect(QRectF(11, 10, 9, 8), kNavy);
      p.setPen(QPen(QColor(200, 20, 20), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(9, 8), QPointF(22, 21));
      p.drawLine(QPointF(22, 8), QPointF(9, 21));
      break;
    case DiagramIcon::StoreOffcuts:
      p.setPen(QPen(QColor(80, 80, 80), 1));
      p.setBrush(QColor(170, 170, 170));
      p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(12, 3), QPointF(22, 10)}));
      p.setBrush(QColor(235, 235, 235));
      p.drawRect(QRectF(4, 10, 16, 11));
      p.fillRect(QRectF(7, 13, 10, 7), kNavy);
      p.setPen(Qt::white);
      p.setFont(PictureFont(6));
      p.drawText(QRectF(7, 13, 10, 7), Qt::AlignCenter, QStringLiteral("R"));
      break;
    case DiagramIcon::CutLines: {
      Sheet(p, QRectF(3, 3, 18, 18));
      QPen pen(QColor(30, 110, 200), 1.6, Qt::DotLine);
      p.setPen(pen);
      p.drawLine(QPointF(10, 3), QPointF(10, 21));
      p.drawLine(QPointF(3, 13), QPointF(21, 13));
      p.drawLine(QPointF(10, 8), QPointF(21, 8));
      break;
    }
    case DiagramIcon::Refresh:
      p.setPen(QPen(QColor(30, 140, 60), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(5, 5, 14, 14), 30 * 16, 280 * 16);
      Arrow(p, QPointF(17, 5), QPointF(18.5, 9.5), QColor(30, 140, 60));
      break;
    case DiagramIcon::ViewingMode:
      Sheet(p, QRectF(7, 3, 14, 11));
      Sheet(p, QRectF(3, 10, 14, 11));
      p.fillRect(QRectF(15, 10, 2, 11), Qt::red);
      break;
    case DiagramIcon::Undo:
      Curve(p, true);
      break;
    case DiagramIcon::Redo:
      Curve(p, false);
      break;
  }
  return QIcon(pm);
}

}  // namespace kelvara
