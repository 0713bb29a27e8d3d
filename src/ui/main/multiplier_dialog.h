#pragma once
// "Quantity": the factor of "Parts Multiplier", an integer from 1 to 1000.
#include <QLabel>

#include "ui/main/bounded_number_edit.h"
#include "ui/main/floating_dialog.h"

namespace kelvara {

class MultiplierDialog : public FloatingDialog {
  Q_OBJECT
 public:
  MultiplierDialog(const MessageTable& messages, QWidget* parent);

  // Centred over the grid with "1" in the field, which gets the focus.
  void Open(QWidget* grid);
  int factor() const { return static_cast<int>(field_->value()); }
  BoundedNumberEdit* field() const { return field_; }

  void Retranslate() override;

 private:
  QLabel* label_;
  BoundedNumberEdit* field_;
};

}  // namespace kelvara
