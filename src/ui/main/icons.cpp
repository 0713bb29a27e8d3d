#include "ui/main/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

namespace kelvara {
namespace {

QPixmap Draw(int size, const std::function<void(QPainter&)>& paint) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 24.0, size / 24.0);  // every picture is drawn on a 24 x 24 canvas
  paint(p);
  return pm;
}

void Sheet(QPainter& p, QRectF r, QColor fill) {
  p.setPen(QPen(QColor(90, 70, 40), 1.2));
  p.setBrush(fill);
  p.drawRect(r);
}

void Folder(QPainter& p) {
  QPainterPath path;
  path.moveTo(2, 6);
  path.lineTo(9, 6);
  path.lineTo(11, 8);
  path.lineTo(21, 8);
  path.lineTo(21, 20);
  path.lineTo(2, 20);
  path.closeSubpath();
  p.setPen(QPen(QColor(150, 110, 20), 1.2));
  p.setBrush(QColor(250, 205, 90));
  p.drawPath(path);
}

void Disk(QPainter& p) {
  p.setPen(QPen(QColor(30, 50, 110), 1.2));
  p.setBrush(QColor(70, 110, 200));
  p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7, 4, 10, 6));
  p.setBrush(QColor(200, 210, 230));
  p.drawRect(QRectF(6, 13, 12, 7));
}

void Plus(QPainter& p, QPointF c) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 150, 40));
  p.drawEllipse(c, 5.5, 5.5);
  p.setPen(QPen(Qt::white, 2));
  p.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - 3), QPointF(c.x(), c.y() + 3));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor c) {
  p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::max(1e-6, std::hypot(d.x(), d.y()));
  const QPointF u(d.x() / len, d.y() / len), n(-u.y(), u.x());
  QPolygonF head{to + u * 2.5, to - u * 3.5 + n * 3.5, to - u * 3.5 - n * 3.5};
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(head);
}

void RotationPicture(QPainter& p, int rule) {
  switch (rule) {
    case 0:  // a part held in place
      Sheet(p, QRectF(5, 3, 14, 18), QColor(235, 215, 170));
      p.setPen(QPen(QColor(190, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 20), QPointF(20, 4));
      break;
    case 1: {  // a part turned: a curved arrow round it
      Sheet(p, QRectF(7, 8, 10, 8), QColor(235, 215, 170));
      p.setPen(QPen(QColor(30, 120, 40), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(2.5, 2.5, 19, 19), 100 * 16, 250 * 16);
      QPolygonF head{QPointF(10.5, 0.5), QPointF(15.5, 3.0), QPointF(10.5, 6.5)};
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 120, 40));
      p.drawPolygon(head);
      break;
    }
    case 2:  // parts turned together
      Sheet(p, QRectF(2, 5, 9, 14), QColor(235, 215, 170));
      Sheet(p, QRectF(13, 5, 9, 14), QColor(235, 215, 170));
      Arrow(p, QPointF(5, 12), QPointF(19, 12), QColor(30, 80, 170));
      break;
    default: {
      Sheet(p, QRectF(5, 3, 14, 18), QColor(220, 220, 220));
      QFont f = p.font();
      f.setPixelSize(14);
      f.setBold(true);
      p.setFont(f);
      p.setPen(QColor(120, 0, 0));
      p.drawText(QRectF(5, 3, 14, 18), Qt::AlignCenter, "?");
    }
  }
}

void ToolPicture(QPainter& p, ToolIcon which) {
  switch (which) {
    case ToolIcon::AddProject:
      Folder(p);
      Plus(p, QPointF(17, 16));
      break;
    case ToolIcon::SaveProject:
    case ToolIcon::SaveLayout:
      Disk(p);
      if (which == ToolIcon::SaveLayout) {
        p.setPen(QPen(QColor(200, 120, 0), 1.2));
        p.setBrush(QColor(250, 230, 160));
        p.drawRect(QRectF(12, 12, 10, 10));
        p.drawLine(QPointF(17, 12), QPointF(17, 22));
      }
      break;
    case ToolIcon::RunCalculation: {
      p.setPen(QPen(QColor(20, 100, 20), 1.2));
      p.setBrush(QColor(60, 180, 60));
      QPolygonF tri{QPointF(6, 3), QPointF(21, 12), QPointF(6, 21)};
      p.drawPolygon(tri);
      break;
    }
    case ToolIcon::StopCalculation:
      p.setPen(QPen(QColor(120, 0, 0), 1.2));
      p.setBrush(QColor(210, 50, 40));
      p.drawRoundedRect(QRectF(4, 4, 16, 16), 2, 2);
      break;
    case ToolIcon::TotalAreas: {
      Sheet(p, QRectF(2, 2, 20, 20), QColor(245, 240, 225));
      QFont f = p.font();
      f.setPixelSize(17);
      f.setBold(true);
      p.setFont(f);
      p.setPen(QColor(40, 60, 130));
      p.drawText(QRectF(2, 1, 20, 20), Qt::AlignCenter, QString(QChar(0x03A3)));
      break;
    }
    case ToolIcon::FileManager:
      Folder(p);
      p.setPen(QPen(QColor(150, 110, 20), 1));
      p.drawLine(QPointF(5, 12), QPointF(18, 12));
      p.drawLine(QPointF(5, 15), QPointF(18, 15));
      break;
    case ToolIcon::OpenLayout:
      Folder(p);
      p.setPen(QPen(QColor(200, 120, 0), 1.2));
      p.setBrush(QColor(250, 230, 160));
      p.drawRect(QRectF(11, 11, 11, 11));
      p.drawLine(QPointF(16.5, 11), QPointF(16.5, 22));
      break;
    case ToolIcon::Trims:
      Sheet(p, QRectF(3, 3, 18, 18), QColor(192, 220, 192));
      p.setPen(QPen(QColor(0, 0, 128), 2));
      p.drawRect(QRectF(6, 6, 12, 12));
      break;
    case ToolIcon::EdgeBands:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(166, 202, 240));
      p.drawRect(QRectF(4, 4, 16, 16));
      p.setPen(QPen(Qt::black, 2.2));
      p.drawLine(QPointF(4, 4), QPointF(20, 4));
      p.drawLine(QPointF(4, 4), QPointF(4, 20));
      break;
    case ToolIcon::Sort:
      Arrow(p, QPointF(7, 20), QPointF(7, 5), QColor(40, 80, 160));
      p.setPen(QPen(QColor(60, 60, 60), 2));
      p.drawLine(QPointF(12, 7), QPointF(21, 7));
      p.drawLine(QPointF(12, 12), QPointF(19, 12));
      p.drawLine(QPointF(12, 17), QPointF(16, 17));
      break;
    case ToolIcon::Tools:
      p.setPen(QPen(QColor(80, 80, 90), 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(6, 18), QPointF(15, 9));
      p.setPen(QPen(QColor(80, 80, 90), 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(17, 7), 4, 4);
      break;
  }
}

}  // namespace

QPixmap StatusIconPixmap(int icon) {
  if (icon != 1 && icon != 2) return {};
  return Draw(16, [icon](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(icon == 1 ? QColor(205, 40, 35) : QColor(40, 160, 60));
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (icon == 1) {
      p.drawLine(QPointF(8, 8), QPointF(16, 16));
      p.drawLine(QPointF(16, 8), QPointF(8, 16));
    } else {
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF{QPointF(7, 12.5), QPointF(10.5, 16), QPointF(17, 8.5)});
    }
  });
}

QPixmap RotationIconPixmap(int rule) {
  return Draw(16, [rule](QPainter& p) { RotationPicture(p, rule); });
}

QIcon MakeToolIcon(ToolIcon which) {
  QIcon icon;
  for (int size : {16, 24, 32}) icon.addPixmap(Draw(size, [which](QPainter& p) { ToolPicture(p, which); }));
  return icon;
}

}  // namespace kelvara
