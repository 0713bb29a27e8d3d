#pragma once
// MList: the picture of one laid-out sheet with its copied values; it owns the pictures of
// its parts and offcuts, draws the cut lines and the red line of a repeated layout, and takes
// dropped parts.
#include <QWidget>
#include <cstdint>
#include <string>

#include "ui/main/diagram_context.h"

namespace kelvara {

// The values a sheet picture keeps of its List record.
struct SheetCopy {
  int material = 0;
  int index = 0;  // sheet index within the material (the picture's tag)
  std::uint16_t NC = 0;
  std::int32_t Serial = 0;
  std::uint16_t PlacedCount = 0;
  std::int32_t Copies = 0;
  float X = 0, Y = 0, Area = 0;
  float FreeArea = 0, FreePercent = 0;
  float OffcutArea = 0, OffcutPercent = 0;
  float CutLength = 0;
  float TL = 0, TT = 0, TR = 0, TB = 0;
  std::string materialName;
  std::string Note;

  static SheetCopy Of(const List& sheet, int material, int index, const std::string& materialName);
};

class SheetPicture : public QWidget {
  Q_OBJECT
 public:
  SheetPicture(DiagramContext& ctx, const SheetCopy& copy, QWidget* parent);

  const SheetCopy& copy() const { return copy_; }
  int material() const { return copy_.material; }
  int index() const { return copy_.index; }
  // Renews the copied values from the sheet record.
  void TakeCopies(const List& sheet);

  // The sheet record in the viewed slot, or nullptr when the slot no longer has it.
  const List* Record() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void PaintCutLines(QPainter& p) const;

  DiagramContext& ctx_;
  SheetCopy copy_;
  bool leftPressed_ = false;
};

}  // namespace kelvara
