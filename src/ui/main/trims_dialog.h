#pragma once
// "Edge Trim": the four trims of sheets, or one value for all sides of the marked sheets.
#include <QCheckBox>
#include <QLabel>
#include <array>

#include "ui/main/bounded_number_edit.h"
#include "ui/main/floating_dialog.h"
#include "ui/main/table_commands.h"

namespace kelvara {

class TrimsDialog : public FloatingDialog {
  Q_OBJECT
 public:
  TrimsDialog(const MessageTable& messages, QWidget* parent);

  // From the toolbar button: the four fields show `shown`, the check box keeps its state.
  void OpenOverGrid(QWidget* grid, const Trims& shown);
  // From a row's ellipsis button: the check box cleared, the row's trims shown.
  void OpenAtMouse(const QPoint& globalPos, const Trims& shown);

  // The trims "Ok" applies: the common value on all sides when the check box is ticked.
  Trims Result() const;
  void SetFields(const Trims& t);

  BoundedNumberEdit* field(int side) const { return fields_[static_cast<std::size_t>(side)]; }
  BoundedNumberEdit* commonField() const { return common_; }
  QCheckBox* allSides() const { return allSides_; }

  void Retranslate() override;

 private:
  void UpdateEnabled();

  std::array<QLabel*, 4> labels_{};
  std::array<BoundedNumberEdit*, 4> fields_{};
  QCheckBox* allSides_;
  BoundedNumberEdit* common_;
};

}  // namespace kelvara
