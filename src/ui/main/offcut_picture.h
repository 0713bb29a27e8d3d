#pragma once
// TRest: the picture of one marked offcut on its sheet picture, navy with its sizes and "R";
// the left or middle button unmarks it, the right button opens the name editor on it.
#include <QWidget>
#include <cstdint>
#include <string>

#include "ui/main/diagram_context.h"
#include "ui/main/picture_painting.h"

namespace kelvara {

// The values an offcut picture keeps of its RestM record (sizes to 3 decimals).
struct OffcutCopy {
  int material = 0;
  int sheet = 0;  // the picture's tag
  std::int32_t Copies = 0;
  std::int32_t Id = 0;
  float PosX = 0, PosY = 0, W = 0, H = 0;
  std::string Name;

  static OffcutCopy Of(const RestM& offcut);
};

class OffcutPicture : public QWidget {
  Q_OBJECT
 public:
  OffcutPicture(DiagramContext& ctx, const OffcutCopy& copy, QWidget* parent);

  const OffcutCopy& copy() const { return copy_; }
  void SetName(const std::string& name) { copy_.Name = name; }
  PictureTexts Texts() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  DiagramContext& ctx_;
  OffcutCopy copy_;
};

}  // namespace kelvara
