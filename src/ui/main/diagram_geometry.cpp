#include "ui/main/diagram_geometry.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "layout/offcuts.h"

namespace kelvara {

int TruncPixels(double v) { return static_cast<int>(std::trunc(v)); }

int RoundPixels(double v) { return static_cast<int>(std::nearbyint(v)); }

float DiagramScaleFor(int clientWidth, float maxX, float zoom) {
  if (!(maxX > 0)) return 0;
  return static_cast<float>(clientWidth - 40) / (2.0f * maxX) * zoom;
}

float LargestSheetLength(const LayoutSlot& slot) {
  float maxX = 0;
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    if (!slot.Active(m)) continue;
    for (const List& s : slot.LayoutSheets[m])
      if (s.Used == 1 && s.PlacedCount != 0) maxX = std::max(maxX, s.X);
  }
  return maxX;
}

DiagramPlan PlanDiagramPage(const LayoutSlot& slot, int clientWidth, float zoom) {
  DiagramPlan plan;
  plan.maxX = LargestSheetLength(slot);
  if (!(plan.maxX > 0)) return plan;
  const float s = DiagramScaleFor(clientWidth, plan.maxX, zoom);
  plan.scale = s;
  plan.column1 = TruncPixels(static_cast<double>(s) * plan.maxX) + 20;
  int column = 0, y = 10, rowHeight = 0, right = 0, bottom = 0;
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    if (!slot.Active(m)) continue;
    const auto& sheets = slot.LayoutSheets[m];
    for (int k = 0; k < static_cast<int>(sheets.size()); ++k) {
      const List& sh = sheets[k];
      if (!ShownSheet(sh)) continue;
      const QRect r(column == 0 ? 10 : plan.column1, y, TruncPixels(static_cast<double>(sh.X) * s),
                    TruncPixels(static_cast<double>(sh.Y) * s));
      plan.sheets.push_back({m, k, r});
      right = std::max(right, r.x() + r.width());
      bottom = std::max(bottom, r.y() + r.height());
      rowHeight = std::max(rowHeight, r.height());
      if (column == 0) {
        column = 1;
      } else {
        column = 0;
        y += rowHeight + 10;
        rowHeight = 0;
      }
    }
  }
  plan.extent = QSize(right + 10, bottom + 10);
  return plan;
}

QRect PartPictureRect(const Detail& part, float scale) {
  const double s = scale;
  return QRect(TruncPixels(part.PosX * s), TruncPixels(part.PosY * s), TruncPixels(part.W() * s),
               TruncPixels(part.H() * s));
}

QRect OffcutPictureRect(const RestM& offcut, float scale) {
  const double s = scale;
  return QRect(RoundPixels(offcut.PosX * s), RoundPixels(offcut.PosY * s), RoundPixels(offcut.W * s),
               RoundPixels(offcut.H * s));
}

std::vector<UnplacedPlace> PlanUnplacedPanel(const LayoutSlot& slot, float scale) {
  std::vector<UnplacedPlace> places;
  const double s = scale;
  auto columnWidth = [s](const Detail& d) {
    const int w = TruncPixels(d.X * s);
    return d.Rotation != 0 ? std::max(w, TruncPixels(d.Y * s)) : w;
  };
  int x = 5, y = 2, currentNC = -1, currentWidth = 0;
  bool first = true;
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    if (!slot.Active(m)) continue;
    const auto& parts = slot.LayoutDetails[m];
    int joint = 0;
    for (const Detail& d : parts)
      if (d.Placed == 1 && d.Rotation == 2) {
        joint = d.Rotated;
        break;
      }
    for (const Detail& d : parts) {
      if (d.Placed != 0) continue;
      if (first) {
        currentNC = d.NC;
        currentWidth = columnWidth(d);
        first = false;
      }
      if (d.NC == currentNC) {
        y += 3;
      } else {
        x += currentWidth + 5;
        y = 5;
        currentNC = d.NC;
        currentWidth = columnWidth(d);
      }
      const bool turned = d.Rotation == 2 && joint == 1;
      const int w = TruncPixels(d.X * s), h = TruncPixels(d.Y * s);
      places.push_back({m, d.Serial, turned ? QRect(x, y, h, w) : QRect(x, y, w, h), turned});
    }
  }
  return places;
}

PictureTextPlan PlanPictureTexts(QSize picture, QSize number, QSize horizontal, QSize vertical, bool turned) {
  PictureTextPlan plan;
  const int w = picture.width(), h = picture.height();
  if (!(number.width() < w && number.height() < h)) return plan;
  plan.number = true;
  const int tw = horizontal.width(), th = horizontal.height();
  const int vw = vertical.width(), vh = vertical.height();
  plan.sizes = 3 * th + 5 < h && tw + vh + 10 < w && 3 * vh + 5 < w && vw + 5 < h;
  plan.horizontal = QPoint(w - tw - 3, 2);
  plan.vertical = QPoint(2, h - 3);
  plan.numberAt = QPoint(w / 2 - number.width() / 2, h / 2 - number.height() / 2 + (turned ? 10 : 0));
  plan.numberTurned = turned;
  return plan;
}

}  // namespace kelvara
