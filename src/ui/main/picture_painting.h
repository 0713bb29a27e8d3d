#pragma once
// Drawing pieces shared by the sheet, part and offcut pictures: texture tiling, frames as the
// platform's rectangle draws them, the small text font and the size texts with the row number.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QString>

#include "ui/main/diagram_geometry.h"

namespace kelvara {

inline const QColor kSkyBlue{166, 202, 240};
inline const QColor kNavy{0, 0, 128};

// Fills the whole rectangle (0, 0, size) with the tile, from the top-left corner row by row.
void TileTexture(QPainter& p, QSize size, const QPixmap& tile);
// The outline of the pixels left..right-1 by top..bottom-1, one pixel wide.
void FrameRect(QPainter& p, int left, int top, int right, int bottom, const QColor& color);
// Arial at `points` (7 on pictures, 8 on the drag image).
QFont PictureFont(int points);

struct PictureTexts {
  QString number;      // row number, or "R" on an offcut
  QString horizontal;  // size along the picture's width
  QString vertical;    // the other size, written upward
  bool turned = false; // the number is written turned and 10 pixels lower
};

// Where the texts go in a picture of `size` with the metrics of `font` on `device`.
PictureTextPlan MeasurePictureTexts(const PictureTexts& texts, QSize size, const QFont& font, QPaintDevice* device);
// Draws them by that plan in `color`, background transparent.
void PaintPictureTexts(QPainter& p, const PictureTexts& texts, QSize size, const QColor& color);

// Length text of a result: value / factor in fixed point with `decimals` decimals.
QString ResultNumber(double value, int factor, int decimals);

}  // namespace kelvara
