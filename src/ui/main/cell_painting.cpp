#include "ui/main/cell_painting.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>

#include "ui/main/icons.h"

namespace kelvara {
namespace {

constexpr int kLineLength = 17;

void TextAt(QPainter& p, const QRect& cell, int dx, const QString& text, const QColor& color) {
  p.setPen(color);
  const QRect r(cell.left() + dx, cell.top() + 1, cell.width() - dx - 2, cell.height() - 2);
  p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
             p.fontMetrics().elidedText(text, Qt::ElideRight, r.width()));
}

}  // namespace

QRect CellSquare(const QRect& cell) {
  return QRect(QPoint(cell.left() + 2, cell.top() + 2), QPoint(cell.left() + cell.height(), cell.bottom() - 2));
}

void PaintMaterialCell(QPainter& p, const QRect& cell, const QPixmap& texture, const QString& name,
                       const QColor& textColor) {
  p.drawPixmap(CellSquare(cell), texture);
  TextAt(p, cell, 30, name, textColor);
}

void PaintTrimCell(QPainter& p, const QRect& cell, int mask) {
  const QRect sq = CellSquare(cell);
  p.fillRect(sq, kTrimSquareColor);
  p.setPen(QPen(kTrimLineColor, 1));
  const int l = sq.left(), t = sq.top();
  if (mask & 1) p.drawLine(l, t, l, t + kLineLength - 1);
  if (mask & 2) p.drawLine(l, t, l + kLineLength - 1, t);
  if (mask & 4) p.drawLine(l + kLineLength, t, l + kLineLength, t + kLineLength - 1);
  if (mask & 8) p.drawLine(l, t + 16, l + kLineLength - 1, t + 16);
}

void PaintRotationCell(QPainter& p, const QRect& cell, int rule, const QString& text, const QColor& textColor) {
  p.drawPixmap(cell.left() + 2, cell.top() + (cell.height() - 16) / 2, RotationIconPixmap(rule));
  TextAt(p, cell, 25, text, textColor);
}

void PaintBandCell(QPainter& p, const QRect& cell, const BandSides& sides) {
  const int w = cell.height() - 2;
  const QRect sq(cell.left() + (cell.width() - w) / 2, cell.top() + 2, w, cell.height() - 4);
  p.fillRect(sq, kBandSquareColor);
  if (!sides.shown) return;
  p.setPen(QPen(Qt::black, 2));
  const int l = sq.left(), t = sq.top();
  if (sides.left) p.drawLine(l, t, l, t + kLineLength - 1);
  if (sides.top) p.drawLine(l, t, l + kLineLength - 1, t);
  if (sides.right) p.drawLine(l + kLineLength, t, l + kLineLength, t + kLineLength - 1);
  if (sides.bottom) p.drawLine(l, t + 16, l + kLineLength - 1, t + 16);
}

QRect EllipsisRect(const QRect& cell) {
  const int w = std::min(18, cell.width() / 2);
  return QRect(cell.right() - w + 1, cell.top() + 1, w - 1, cell.height() - 2);
}

void PaintEllipsisButton(QPainter& p, const QRect& cell) {
  QStyleOptionButton opt;
  opt.rect = EllipsisRect(cell);
  opt.state = QStyle::State_Enabled | QStyle::State_Raised;
  opt.text = QString::fromUtf8("\u2026");
  QApplication::style()->drawControl(QStyle::CE_PushButton, &opt, &p);
}

}  // namespace kelvara
