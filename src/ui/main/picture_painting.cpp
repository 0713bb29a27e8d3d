#include "ui/main/picture_painting.h"

#include <QFontMetrics>

#include "core/number_text.h"

namespace kelvara {

void TileTexture(QPainter& p, QSize size, const QPixmap& tile) {
  if (tile.isNull() || tile.width() <= 0 || tile.height() <= 0) {
    p.fillRect(QRect(QPoint(0, 0), size), QColor(128, 128, 128));
    return;
  }
  for (int y = 0; y < size.height(); y += tile.height())
    for (int x = 0; x < size.width(); x += tile.width()) p.drawPixmap(x, y, tile);
}

void FrameRect(QPainter& p, int left, int top, int right, int bottom, const QColor& color) {
  if (right - left < 1 || bottom - top < 1) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(color, 0));
  p.setBrush(Qt::NoBrush);
  if (right - left == 1 || bottom - top == 1)
    p.drawLine(left, top, right - 1, bottom - 1);
  else
    p.drawRect(left, top, right - left - 1, bottom - top - 1);
  p.restore();
}

QFont PictureFont(int points) {
  QFont f(QStringLiteral("Arial"));
  f.setPointSize(points);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

namespace {

QSize TextSize(const QFontMetrics& fm, const QString& text) { return QSize(fm.horizontalAdvance(text), fm.height()); }

void DrawTopLeft(QPainter& p, QPoint at, const QString& text, const QFontMetrics& fm) {
  p.drawText(QRect(at, TextSize(fm, text)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

// Reading upward from `start`: the text's top edge faces left.
void DrawUpward(QPainter& p, QPoint start, const QString& text, const QFontMetrics& fm) {
  p.save();
  p.translate(start);
  p.rotate(-90);
  DrawTopLeft(p, QPoint(0, 0), text, fm);
  p.restore();
}

}  // namespace

PictureTextPlan MeasurePictureTexts(const PictureTexts& texts, QSize size, const QFont& font, QPaintDevice* device) {
  const QFontMetrics fm = device ? QFontMetrics(font, device) : QFontMetrics(font);
  return PlanPictureTexts(size, TextSize(fm, texts.number), TextSize(fm, texts.horizontal), TextSize(fm, texts.vertical),
                          texts.turned);
}

void PaintPictureTexts(QPainter& p, const PictureTexts& texts, QSize size, const QColor& color) {
  const PictureTextPlan plan = MeasurePictureTexts(texts, size, p.font(), p.device());
  if (!plan.number) return;
  const QFontMetrics fm(p.font(), p.device());
  p.save();
  p.setPen(color);
  p.setBrush(Qt::NoBrush);
  if (plan.sizes) {
    DrawTopLeft(p, plan.horizontal, texts.horizontal, fm);
    DrawUpward(p, plan.vertical, texts.vertical, fm);
  }
  if (plan.numberTurned)
    DrawUpward(p, plan.numberAt, texts.number, fm);
  else
    DrawTopLeft(p, plan.numberAt, texts.number, fm);
  p.restore();
}

QString ResultNumber(double value, int factor, int decimals) {
  const double f = factor != 0 ? factor : 1;
  return QString::fromStdString(Trim(FormatFixed(value / f, decimals < 0 ? 0 : decimals)));
}

}  // namespace kelvara
