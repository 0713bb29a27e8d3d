#pragma once
// PUD: the folding panel "Unplaced Parts" at the bottom of the diagram page, with the box SBU
// that holds the pictures of the parts no sheet took. The box takes every dropped part.
#include <QScrollArea>

#include "ui/main/collapsible_panel.h"
#include "ui/main/diagram_context.h"

namespace kelvara {

// SBU: answers a drag anywhere on it, also where no picture is.
class UnplacedBox : public QScrollArea {
  Q_OBJECT
 public:
  UnplacedBox(DiagramContext& ctx, QWidget* parent);

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  DiagramContext& ctx_;
};

class UnplacedPanel : public CollapsiblePanel {
  Q_OBJECT
 public:
  UnplacedPanel(DiagramContext& ctx, QWidget* parent);

  UnplacedBox* SBU = nullptr;
  // The widget the part pictures stand on.
  QWidget* pictures() const { return pictures_; }
  void Retranslate();

 private:
  DiagramContext& ctx_;
  QWidget* pictures_ = nullptr;
};

}  // namespace kelvara
