#include "ui/main/drag_image.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/main/picture_painting.h"

namespace kelvara {

QSize DragImageSize(QSize picture) {
  const int w = std::max(picture.width(), 0), h = std::max(picture.height(), 0);
  const int longer = std::max(w, h), shorter = std::min(w, h);
  if (longer == 0) return QSize(64, 64);
  const int other = std::max(1, static_cast<int>(std::nearbyint(shorter * 64.0 / longer)));
  return w >= h ? QSize(64, other) : QSize(other, 64);
}

QPixmap MakeDragImage(QSize picture, int copies, int nc, bool turned) {
  const QSize size = DragImageSize(picture);
  QPixmap image(size);
  image.fill(kSkyBlue);
  QPainter p(&image);
  p.setFont(PictureFont(8));
  const QFontMetrics fm(p.font(), &image);
  p.setPen(Qt::black);
  const QString count = QString::number(copies);
  p.drawText(QRect(QPoint(size.width() - 7, 1), QSize(fm.horizontalAdvance(count), fm.height())),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, count);
  p.setPen(QColor(0, 0, 255));
  const QString number = QString::number(nc);
  const QSize text(fm.horizontalAdvance(number), fm.height());
  p.translate(size.width() / 2.0, size.height() / 2.0);
  if (turned) p.rotate(-90);
  p.drawText(QRect(QPoint(-text.width() / 2, -text.height() / 2), text), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
             number);
  return image;
}

}  // namespace kelvara
