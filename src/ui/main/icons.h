#pragma once
// The program's small pictures, drawn in code: status icons, rotation rules, toolbar buttons.
#include <QIcon>
#include <QPixmap>

namespace kelvara {

// 16 x 16: error (icon 1) and success (icon 2); an empty pixmap for anything else.
QPixmap StatusIconPixmap(int icon);
// 16 x 16 per rotation rule: 0 do not rotate, 1 rotate, 2 joint rotation, any other value a fourth one.
QPixmap RotationIconPixmap(int rule);

enum class ToolIcon {
  AddProject,
  SaveProject,
  RunCalculation,
  TotalAreas,
  FileManager,
  OpenLayout,
  SaveLayout,
  StopCalculation,
  Trims,
  EdgeBands,
  Sort,
  Tools,
};
QIcon MakeToolIcon(ToolIcon which);

}  // namespace kelvara
