#include "ui/main/part_picture.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "core/rounding.h"

namespace kelvara {

PartCopy PartCopy::Of(const Detail& d, int material, int sheet, const std::string& materialName, float scale) {
  PartCopy c;
  c.Serial = d.Serial;
  c.material = material;
  c.NC = d.NC;
  c.sheet = sheet;
  c.Fold = d.Fold;
  c.Rotation = d.Rotation;
  c.Spare96 = d.Spare96;
  c.onSheet = sheet >= 0;
  c.turned = d.Rotated == 1;
  c.SetZ = d.SetZ;
  c.PD = d.PD;
  c.Note = d.Note;
  c.materialName = materialName;
  c.X = d.X;
  c.Y = d.Y;
  c.scale = scale;
  return c;
}

PartPicture::PartPicture(DiagramContext& ctx, const PartCopy& copy, QWidget* parent)
    : QWidget(parent), ctx_(ctx), copy_(copy) {
  setObjectName(QStringLiteral("part_%1").arg(copy.Serial));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // On a sheet the sheet picture under it answers a drag; in the panel the picture takes it.
  setAcceptDrops(!copy.onSheet);
}

void PartPicture::Turn() {
  copy_.turned = !copy_.turned;
  resize(height(), width());
  update();
}

PictureTexts PartPicture::Texts() const {
  const Options& o = ctx_.options;
  PictureTexts t;
  t.number = QString::number(copy_.NC);
  const float along = copy_.turned ? copy_.Y : copy_.X;
  const float across = copy_.turned ? copy_.X : copy_.Y;
  t.horizontal = ResultNumber(along, o.PartsLinearFactor, o.PartsLinearDecimals);
  t.vertical = ResultNumber(across, o.PartsLinearFactor, o.PartsLinearDecimals);
  t.turned = copy_.turned;
  return t;
}

PictureTextPlan PartPicture::TextPlan() const {
  return MeasurePictureTexts(Texts(), size(), PictureFont(7), const_cast<PartPicture*>(this));
}

void PartPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool light = LightMaterial(copy_.material);
  TileTexture(p, size(), ctx_.textures.Small(copy_.material));
  FrameRect(p, 0, 0, width(), height(), light ? Qt::black : Qt::white);
  const QColor inner = light ? QColor(128, 128, 128) : QColor(192, 192, 192);
  const double s = copy_.scale;
  const double indent = ctx_.options.IndentValue;
  if (!DrawnPart() && RoundTo(indent, 2) != 0 && copy_.SetZ == 1) {
    const int f = static_cast<int>(std::nearbyint(indent * s));
    FrameRect(p, f, f, static_cast<int>(std::nearbyint(width() - indent * s)),
              static_cast<int>(std::nearbyint(height() - indent * s)), inner);
  }
  if (DrawnPart() && copy_.Fold != 0) PaintOutline(p, inner);
  p.setFont(PictureFont(7));
  PaintPictureTexts(p, Texts(), size(), light ? Qt::black : Qt::white);
}

void PartPicture::PaintOutline(QPainter& p, const QColor& color) const {
  std::vector<const ShapeRecord*> records;
  for (const ShapeRecord& r : ctx_.View().ShapeLists)
    if (r.Id == copy_.Fold) records.push_back(&r);
  // Upright: from the second record up to the first "R"; turned: after it up to "E".
  std::size_t from = 1, to = records.size();
  std::size_t firstR = records.size();
  for (std::size_t i = 0; i < records.size(); ++i)
    if (records[i]->Kind == 'R') {
      firstR = i;
      break;
    }
  if (copy_.turned) {
    from = firstR + 1;
    to = records.size();
    for (std::size_t i = from; i < records.size(); ++i)
      if (records[i]->Kind == 'E') {
        to = i;
        break;
      }
  } else {
    to = firstR;
  }
  const double s = copy_.scale;
  const double i0 = copy_.SetZ == 1 ? ctx_.options.IndentValue : 0.0;
  const int h = height();
  auto px = [&](double x) { return static_cast<int>(std::nearbyint((x + i0) * s)); };
  auto py = [&](double y) { return h - static_cast<int>(std::nearbyint((y + i0) * s)); };
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(color, 0));
  p.setBrush(Qt::NoBrush);
  for (std::size_t k = from; k < to && k < records.size(); ++k) {
    const ShapeRecord& r = *records[k];
    if (r.Kind == '1') {
      p.drawLine(px(r.X1), py(r.Y1), px(r.X2), py(r.Y2));
    } else if (r.Kind == '2' || r.Kind == '3') {
      const int left = static_cast<int>(std::nearbyint((r.CX + i0) * s - r.Radius * s));
      const int right = static_cast<int>(std::nearbyint((r.CX + i0) * s + r.Radius * s));
      const int top = h - static_cast<int>(std::nearbyint((r.CY + i0) * s + r.Radius * s));
      const int bottom = h - static_cast<int>(std::nearbyint((r.CY + i0) * s - r.Radius * s));
      const QRectF box(left, top, right - left, bottom - top);
      const QPointF c = box.center();
      const QPointF a = r.Kind == '2' ? QPointF(px(r.X2), py(r.Y2)) : QPointF(px(r.X1), py(r.Y1));
      const QPointF b = r.Kind == '2' ? QPointF(px(r.X1), py(r.Y1)) : QPointF(px(r.X2), py(r.Y2));
      // Angles on the screen, counter-clockwise from 3 o'clock.
      const double start = std::atan2(-(a.y() - c.y()), a.x() - c.x()) * 180.0 / std::numbers::pi;
      const double end = std::atan2(-(b.y() - c.y()), b.x() - c.x()) * 180.0 / std::numbers::pi;
      double span = end - start;
      while (span <= 0) span += 360;
      p.drawArc(box, static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16)));
    }
  }
  p.restore();
}

void PartPicture::mousePressEvent(QMouseEvent* e) {
  leftPressed_ = false;
  if (e->button() == Qt::RightButton || e->button() == Qt::MiddleButton) {
    if (ctx_.events) ctx_.events->PartTurnPressed(this);
    return;
  }
  if (e->button() == Qt::LeftButton) {
    leftPressed_ = true;
    pressAt_ = e->position().toPoint();
  }
}

void PartPicture::mouseMoveEvent(QMouseEvent* e) {
  if (leftPressed_ && (e->buttons() & Qt::LeftButton) &&
      (e->position().toPoint() - pressAt_).manhattanLength() >= QApplication::startDragDistance()) {
    leftPressed_ = false;
    if (ctx_.events) ctx_.events->PartDragStarted(this);
    return;
  }
  if (ctx_.events) ctx_.events->HoverPart(this);
}

void PartPicture::mouseReleaseEvent(QMouseEvent*) { leftPressed_ = false; }

void PartPicture::dragEnterEvent(QDragEnterEvent* e) {
  if (!copy_.onSheet && e->mimeData()->hasFormat(kPartMimeType))
    e->acceptProposedAction();
  else
    e->ignore();
}

void PartPicture::dragMoveEvent(QDragMoveEvent* e) {
  if (!copy_.onSheet && e->mimeData()->hasFormat(kPartMimeType) && ctx_.events && ctx_.events->DragOverPanel())
    e->acceptProposedAction();
  else
    e->ignore();
}

void PartPicture::dropEvent(QDropEvent* e) {
  if (!copy_.onSheet && e->mimeData()->hasFormat(kPartMimeType) && ctx_.events && ctx_.events->DropOnPanel())
    e->acceptProposedAction();
  else
    e->ignore();
}

}  // namespace kelvara
