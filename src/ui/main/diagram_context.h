#pragma once
// What the pictures of the diagram page read while they paint and what they report back: the
// model and options, the textures, the current scale and the switches of the page.
#include <QString>
#include <string>

#include "engine/layout_model.h"
#include "model/job_tables.h"
#include "model/messages.h"
#include "model/options.h"
#include "ui/main/material_textures.h"

namespace kelvara {

class SheetPicture;
class PartPicture;
class OffcutPicture;

// The mouse and drag events of the pictures go to the page, which owns the rules.
class DiagramEvents {
 public:
  virtual ~DiagramEvents() = default;
  virtual void HoverSheet(SheetPicture* sheet) = 0;
  virtual void HoverPart(PartPicture* part) = 0;
  virtual void HoverOffcut(OffcutPicture* offcut) = 0;
  virtual void SheetClicked(SheetPicture* sheet, QPoint at) = 0;
  virtual void SheetAltRightPressed(SheetPicture* sheet) = 0;
  virtual void PartTurnPressed(PartPicture* part) = 0;
  virtual void PartDragStarted(PartPicture* part) = 0;
  virtual void OffcutUnmarkPressed(OffcutPicture* offcut) = 0;
  virtual void OffcutNamePressed(OffcutPicture* offcut) = 0;
  // Drag-over and drop tests of a sheet picture at a pixel of it.
  virtual bool DragOverSheet(SheetPicture* sheet, QPoint at) = 0;
  virtual bool DropOnSheet(SheetPicture* sheet, QPoint at) = 0;
  // The unplaced parts box and its pictures.
  virtual bool DragOverPanel() = 0;
  virtual bool DropOnPanel() = 0;
};

struct DiagramContext {
  LayoutModel& model;
  JobTables& tables;
  Options& options;
  const MessageTable& messages;
  const MaterialTextures& textures;
  DiagramEvents* events = nullptr;
  float scale = 0;            // DiagramScale
  bool showCutLines = false;  // ShowCutLines

  const LayoutSlot& View() const { return model.View(); }
  float KW(int material) const {
    return material >= 0 && material < static_cast<int>(model.MaterialKW.size()) ? model.MaterialKW[material] : 0.0f;
  }
  QString Msg(int n) const { return QString::fromStdString(messages.Msg(n)); }
};

// The light materials 7 and 23 take black frames and texts; every other one white.
inline bool LightMaterial(int material) { return material == 7 || material == 23; }

// The mime type of a dragged part picture.
inline constexpr const char* kPartMimeType = "application/x-kelvara3-part";

}  // namespace kelvara
