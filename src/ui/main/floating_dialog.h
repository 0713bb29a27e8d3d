#pragma once
// The small floating dialogs of the Data Preparing page: shown without blocking, hidden by
// "Ok" and "Cancel", placed over a grid or beside the mouse.
#include <QDialog>
#include <QPushButton>

#include "model/messages.h"

namespace kelvara {

class FloatingDialog : public QDialog {
  Q_OBJECT
 public:
  FloatingDialog(const MessageTable& messages, QWidget* parent);

  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  // Centred over `over`, moved by (dx, dy).
  void ShowCentredOver(QWidget* over, int dx = 0, int dy = 0);
  // At the mouse: `left` pixels to its left; below it when the dialog and 20 pixels fit below,
  // otherwise above.
  void ShowAtMouse(const QPoint& globalPos, int left);

  virtual void Retranslate();

 signals:
  void okPressed();

 protected:
  const MessageTable& messages_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace kelvara
