#pragma once
// TDetail: the picture of one part copy, on a sheet picture or in the unplaced parts panel,
// with its copied values; it starts drags, turns on the right or middle button and, in the
// panel, takes dropped parts.
#include <QWidget>
#include <cstdint>
#include <string>

#include "ui/main/diagram_context.h"
#include "ui/main/picture_painting.h"

namespace kelvara {

// The values a part picture keeps of its Detail record.
struct PartCopy {
  std::int32_t Serial = 0;  // the picture's tag
  int material = 0;
  std::uint16_t NC = 0;
  int sheet = -1;  // -1 in the unplaced panel
  std::int32_t Fold = 0;
  std::uint8_t Rotation = 0;
  std::int32_t Spare96 = -1;
  bool onSheet = false;
  bool turned = false;
  std::uint8_t SetZ = 0;
  std::uint8_t PD = 0;
  std::string Note;
  std::string materialName;
  float X = 0, Y = 0;
  float scale = 0;
  int unplacedCount = 0;

  static PartCopy Of(const Detail& part, int material, int sheet, const std::string& materialName, float scale);
};

class PartPicture : public QWidget {
  Q_OBJECT
 public:
  PartPicture(DiagramContext& ctx, const PartCopy& copy, QWidget* parent);

  const PartCopy& copy() const { return copy_; }
  PartCopy& copy() { return copy_; }
  bool DrawnPart() const { return copy_.PD == 'A'; }
  // Swaps width and height and inverts the turned state.
  void Turn();

  // The texts and where they go at the picture's present size.
  PictureTexts Texts() const;
  PictureTextPlan TextPlan() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void PaintOutline(QPainter& p, const QColor& color) const;

  DiagramContext& ctx_;
  PartCopy copy_;
  QPoint pressAt_;
  bool leftPressed_ = false;
};

}  // namespace kelvara
