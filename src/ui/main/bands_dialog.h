#pragma once
// "Band Type": the edge band of each side of a part, "-" for none.
#include <QComboBox>
#include <QLabel>
#include <array>
#include <string>
#include <vector>

#include "ui/main/floating_dialog.h"
#include "ui/main/table_commands.h"

namespace kelvara {

class BandsDialog : public FloatingDialog {
  Q_OBJECT
 public:
  BandsDialog(const MessageTable& messages, QWidget* parent);

  // The four side boxes: "-" first, then every edge band name.
  void SetItems(const std::vector<std::string>& items);
  // From the toolbar button: centred over the grid, "-" in every box.
  void OpenOverGrid(QWidget* grid);
  // From a part's cell: beside the mouse, each box showing the part's side (or "-").
  void OpenAtMouse(const QPoint& globalPos, const SideBands& shown);

  SideBands Result() const;
  QComboBox* box(int side) const { return boxes_[static_cast<std::size_t>(side)]; }

  void Retranslate() override;

 signals:
  // The list of the top, right or bottom box was closed on a choice (side 1, 2 or 3).
  void sideChosen(int side);

 private:
  std::array<QLabel*, 4> labels_{};
  std::array<QComboBox*, 4> boxes_{};
};

}  // namespace kelvara
