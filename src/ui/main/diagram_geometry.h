#pragma once
// Where the pictures of the diagram page stand, in pixels: the two columns of sheet pictures,
// the parts and offcuts on them, the columns of the unplaced parts panel, and the places of
// the size texts and row number inside a part or offcut picture.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <vector>

#include "engine/layout_model.h"

namespace kelvara {

// Toward zero (parts, sheets) and half to even (offcuts, cut lines).
int TruncPixels(double v);
int RoundPixels(double v);

// Pixels per length unit: two columns of the longest sheet fill the client width less 40
// pixels at zoom 1.
float DiagramScaleFor(int clientWidth, float maxX, float zoom);

// The largest X among the laid-out sheets of the active materials; 0 when there is none.
float LargestSheetLength(const LayoutSlot& slot);

struct SheetPlace {
  int material = 0;
  int sheet = 0;  // index within the material
  QRect rect;     // in the diagram box
};

struct DiagramPlan {
  float scale = 0;       // DiagramScale; 0 when nothing is shown
  float maxX = 0;
  int column1 = 0;       // x of the second column
  std::vector<SheetPlace> sheets;
  QSize extent;          // right and bottom end of the pictures plus the 10-pixel margin
};

// The sheet pictures of the slot in two columns: column 0 at x = 10, column 1 at
// Trunc(scale * maxX) + 20, the first row at y = 10, each further row below the taller
// picture of the row above plus 10.
DiagramPlan PlanDiagramPage(const LayoutSlot& slot, int clientWidth, float zoom);

// A placed part on its sheet picture (Trunc) and a marked offcut (Round).
QRect PartPictureRect(const Detail& part, float scale);
QRect OffcutPictureRect(const RestM& offcut, float scale);

struct UnplacedPlace {
  int material = 0;
  std::int32_t serial = 0;
  QRect rect;
  bool turned = false;
};

// The pictures of the unplaced parts: one column per part row from the left, copies of a row
// stacked 3 pixels apart; Rotation 2 parts follow the joint rotation of their material.
std::vector<UnplacedPlace> PlanUnplacedPanel(const LayoutSlot& slot, float scale);

// The texts of a part or offcut picture: the row number (or "R") and the two size texts.
struct PictureTextPlan {
  bool number = false;      // no text at all unless the number fits
  bool sizes = false;       // both size texts or neither
  QPoint horizontal;        // top-left of the horizontal size text
  QPoint vertical;          // start of the upward-reading size text
  QPoint numberAt;          // top-left of the number (start point when turned)
  bool numberTurned = false;
};

// `number`, `horizontal` and `vertical` are the measured sizes (advance, height) of the texts
// as written unturned.
PictureTextPlan PlanPictureTexts(QSize picture, QSize number, QSize horizontal, QSize vertical, bool turned);

}  // namespace kelvara
