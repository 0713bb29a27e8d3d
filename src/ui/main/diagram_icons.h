#pragma once
// The toolbar pictures of the diagram commands, drawn in code.
#include <QIcon>

namespace kelvara {

enum class DiagramIcon { ApplyScale, UnmarkOffcuts, StoreOffcuts, CutLines, Refresh, ViewingMode, Undo, Redo };

QIcon MakeDiagramIcon(DiagramIcon which);

}  // namespace kelvara
