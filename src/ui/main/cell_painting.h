#pragma once
// The drawings of the special grid columns: material texture and name, trim mask, rotation
// rule, edge band sides, and the ellipsis button of a cell.
#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QString>

namespace kelvara {

inline const QColor kTrimSquareColor{192, 220, 192};
inline const QColor kTrimLineColor{0, 0, 128};
inline const QColor kBandSquareColor{166, 202, 240};

// The texture stretched into the square (left + 2, top + 2) .. (left + cell height, bottom - 2)
// and the name at (left + 30, top + 2).
void PaintMaterialCell(QPainter& p, const QRect& cell, const QPixmap& texture, const QString& name,
                       const QColor& textColor);
// The trim mask PT: bit 0 left, bit 1 top, bit 2 right, bit 3 bottom, as lines 17 pixels long.
void PaintTrimCell(QPainter& p, const QRect& cell, int mask);
// The rule's icon at (left + 2, top + 2) and its text at (left + 25, top + 2).
void PaintRotationCell(QPainter& p, const QRect& cell, int rule, const QString& text, const QColor& textColor);
// The band square centred in the cell; when `sides` is set, black lines on the sides with band.
struct BandSides {
  bool shown = false;
  bool left = false, top = false, right = false, bottom = false;
};
void PaintBandCell(QPainter& p, const QRect& cell, const BandSides& sides);

// The square of the special columns.
QRect CellSquare(const QRect& cell);
// The ellipsis button at the right end of a cell.
QRect EllipsisRect(const QRect& cell);
void PaintEllipsisButton(QPainter& p, const QRect& cell);

}  // namespace kelvara
