#pragma once
// Hand edits of a shown layout: dragging parts between sheets and the unplaced parts, turning
// parts and clearing sheets. Every operation keeps the counters of the sheets and of their
// repetitions in step with the parts and returns whether it changed the slot.
#include <cstdint>
#include <vector>

#include "engine/layout_model.h"

namespace kelvara {

enum class DragSourceKind : std::uint8_t { Sheet = 0, Panel = 1, None = 2 };

// The free rectangle found by the last drag-over test of a sheet picture.
struct DropRect {
  double x1 = -1, y1 = -1, height = 0;
};

// What a drag carries from its start to its drop.
struct DragState {
  std::int32_t serial = 0;   // Serial of the dragged part
  int material = 0;
  DragSourceKind source = DragSourceKind::None;
  int copies = 1;            // DragCopies
  int sourceSheet = -1;      // sheet index of the sheet picture it was dragged from
  bool pictureTurned = false;
  DropRect dropRect;
};

// A cursor position on a sheet picture, in pixels, with the picture's size and scale.
struct SheetPixel {
  double cx = 0, cy = 0;
  double width = 0, height = 0;
  double scale = 0;  // DiagramScale
};

// True when the cursor lies strictly inside the usable area of the sheet (pixels against the
// scaled trims).
bool InsideUsableArea(const List& sheet, const SheetPixel& p);
// Pixels to length units, rounded to `decimals`.
double PixelToLength(double pixels, double scale, int decimals);

// The part with this Serial among the material's parts, or nullptr.
Detail* FindPart(LayoutSlot& slot, int material, std::int32_t serial);
const Detail* FindPart(const LayoutSlot& slot, int material, std::int32_t serial);
// Unplaced copies of the part row `nc` over all materials.
int UnplacedCount(const LayoutSlot& slot, int nc);
// A repetition of sheet t: same sheet row, CopyOf t, Used, no parts and no copies of its own.
bool IsRepetitionOf(const std::vector<List>& sheets, int sheet, int t);

// Drag start from a part picture on sheet `sheetIndex` (copies: that sheet's Copies), from the
// unplaced panel (copies: the picture's unplaced count), or from elsewhere.
DragState StartDragFromSheet(const LayoutSlot& slot, int material, std::int32_t serial, int sheetIndex, bool pictureTurned);
DragState StartDragFromPanel(int material, std::int32_t serial, int unplacedCount, bool pictureTurned);

// The five-condition test of a sheet picture under the cursor: same material, cursor inside
// the usable area, a free rectangle around it (stored in drag.dropRect), room for the part as it
// will be put down, and the copies rule (from the panel at least the target's Copies, from a
// sheet exactly them).
bool SheetAccepts(const LayoutSlot& slot, const std::vector<float>& materialKW, DragState& drag, int targetMaterial,
                  int targetSheet, const SheetPixel& cursor);

struct TakeOffResult {
  bool changed = false;
  int sheet = -1;        // the sheet it came off
  int repetitions = 0;   // repetitions that gave up a copy too
};

// Takes the placed part with `serial` off the first laid-out sheet of sheet row `sheetNC` that
// holds it, and one copy of its row off every repetition of that sheet.
TakeOffResult TakePartOff(LayoutSlot& slot, int material, int sheetNC, std::int32_t serial);

// Puts the unplaced part with `serial` on sheet t in the corner of `rect` (top-left, or
// bottom-left with bottom-up placement), and one unplaced copy of its row on every repetition of
// t. A Rotation 1 part lies as its picture is turned. Refused for a placed part or a missing
// sheet.
bool PutPartOn(LayoutSlot& slot, int material, std::int32_t serial, int t, const DropRect& rect, bool pictureTurned,
               std::uint8_t partsLocation);

enum class DropTargetKind { Panel, Sheet, Other };

struct DropResult {
  bool changed = false;
  bool takenOff = false;
  bool putOn = false;
  int fromSheet = -1;
};

// The end of a drag: sheet to panel takes off, panel to sheet puts on, sheet to sheet (the same
// one too) takes off and puts on at drag.dropRect; anything else changes nothing.
DropResult Drop(LayoutSlot& slot, const DragState& drag, DropTargetKind target, int targetSheet, std::uint8_t partsLocation);

// Turns a Rotation 1 part: its Rotated becomes the inverse of the picture's turned state. Other
// rotation rules are left alone (false).
bool TurnPart(LayoutSlot& slot, int material, std::int32_t serial, bool pictureTurned);

// Empties sheet t and its repetitions (their parts go back unplaced and unturned) and removes
// the sheet's offcuts; Copies and CopyOf stay.
bool ClearSheet(LayoutSlot& slot, int material, int t);

}  // namespace kelvara
