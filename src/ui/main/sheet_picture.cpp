#include "ui/main/sheet_picture.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "ui/main/picture_painting.h"

namespace kelvara {

SheetCopy SheetCopy::Of(const List& s, int material, int index, const std::string& materialName) {
  SheetCopy c;
  c.material = material;
  c.index = index;
  c.NC = s.NC;
  c.Serial = s.Serial;
  c.PlacedCount = s.PlacedCount;
  c.Copies = s.Copies;
  c.X = s.X;
  c.Y = s.Y;
  c.Area = s.Area;
  c.FreeArea = s.FreeArea;
  c.OffcutArea = s.OffcutArea;
  c.FreePercent = s.Area != 0 ? s.FreeArea * 100 / s.Area : 0;
  c.OffcutPercent = s.Area != 0 ? s.OffcutArea * 100 / s.Area : 0;
  c.CutLength = s.CutLength;
  c.TL = s.TL;
  c.TT = s.TT;
  c.TR = s.TR;
  c.TB = s.TB;
  c.materialName = materialName;
  c.Note = s.Note;
  return c;
}

SheetPicture::SheetPicture(DiagramContext& ctx, const SheetCopy& copy, QWidget* parent)
    : QWidget(parent), ctx_(ctx), copy_(copy) {
  setObjectName(QStringLiteral("sheet_%1_%2").arg(copy.material).arg(copy.index));
  setAcceptDrops(true);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SheetPicture::TakeCopies(const List& sheet) {
  copy_ = SheetCopy::Of(sheet, copy_.material, copy_.index, copy_.materialName);
}

const List* SheetPicture::Record() const {
  const LayoutSlot& slot = ctx_.View();
  if (copy_.material < 0 || copy_.material >= slot.MaterialCount()) return nullptr;
  const auto& sheets = slot.LayoutSheets[copy_.material];
  if (copy_.index < 0 || copy_.index >= static_cast<int>(sheets.size())) return nullptr;
  return &sheets[copy_.index];
}

void SheetPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  TileTexture(p, size(), ctx_.textures.Small(copy_.material));
  if (ctx_.showCutLines) PaintCutLines(p);
  if (copy_.Copies >= 2) p.fillRect(QRect(width() - 2, 0, 2, height()), Qt::red);
}

void SheetPicture::PaintCutLines(QPainter& p) const {
  const List* sheet = Record();
  if (!sheet) return;
  const double k = ctx_.KW(copy_.material);
  const double s = ctx_.scale;
  const bool bottomUp = ctx_.options.PartsLocation == 1;
  QPen pen(kSkyBlue, 1, Qt::DotLine);
  pen.setCosmetic(true);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(pen);
  for (const CutLine& c : sheet->Cuts) {
    if (c.SideL || c.SideR) {
      const double x = c.SideL ? c.X - k / 2 : c.X + c.W - k / 2;
      const int px = RoundPixels(x * s);
      p.drawLine(px, RoundPixels(c.Y * s), px, RoundPixels((c.Y + c.H) * s));
    } else if (c.SideT || c.SideB) {
      const int py = RoundPixels((bottomUp ? c.Y + k / 2 : c.Y - k / 2) * s);
      p.drawLine(RoundPixels(c.X * s), py, RoundPixels((c.X + c.W) * s), py);
    }
  }
  p.restore();
}

void SheetPicture::mousePressEvent(QMouseEvent* e) {
  leftPressed_ = false;
  if (e->button() == Qt::RightButton && e->buttons() == Qt::RightButton && e->modifiers() == Qt::AltModifier) {
    if (ctx_.events) ctx_.events->SheetAltRightPressed(this);
    return;
  }
  if (e->button() == Qt::LeftButton) leftPressed_ = true;
}

void SheetPicture::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = leftPressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  leftPressed_ = false;
  if (click && ctx_.events) ctx_.events->SheetClicked(this, e->position().toPoint());
}

void SheetPicture::mouseMoveEvent(QMouseEvent*) {
  if (ctx_.events) ctx_.events->HoverSheet(this);
}

void SheetPicture::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasFormat(kPartMimeType))
    e->acceptProposedAction();
  else
    e->ignore();
}

void SheetPicture::dragMoveEvent(QDragMoveEvent* e) {
  if (e->mimeData()->hasFormat(kPartMimeType) && ctx_.events &&
      ctx_.events->DragOverSheet(this, e->position().toPoint()))
    e->acceptProposedAction();
  else
    e->ignore();
}

void SheetPicture::dropEvent(QDropEvent* e) {
  if (e->mimeData()->hasFormat(kPartMimeType) && ctx_.events && ctx_.events->DropOnSheet(this, e->position().toPoint()))
    e->acceptProposedAction();
  else
    e->ignore();
}

}  // namespace kelvara
