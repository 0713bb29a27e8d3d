#pragma once
// GBSR: the panel "Saved Offcuts of this Layout" over the diagrams, with the grid GSR of the
// offcuts saved into the storehouse during this run (rxSR) and its menu "Main Actions".
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "layout/offcuts.h"
#include "ui/main/diagram_context.h"
#include "ui/main/job_grid.h"

namespace kelvara {

class SavedOffcutsPanel : public QFrame {
  Q_OBJECT
 public:
  SavedOffcutsPanel(DiagramContext& ctx, QWidget* parent);

  JobGrid* GSR = nullptr;
  QToolButton* butSR = nullptr;
  QMenu* PmSR = nullptr;
  QAction* N37 = nullptr;  // Save Marked Offcuts
  QAction* N38 = nullptr;  // Delete Selected Rows
  QAction* N40 = nullptr;  // Delete All Saved Offcuts of this Layout
  QMenu* N42 = nullptr;    // Sort by...
  QAction* N56 = nullptr;  // Material
  QAction* N59 = nullptr;  // Length(X)
  QAction* N60 = nullptr;  // Height(Y)
  QAction* N61 = nullptr;  // Quantity
  QAction* N39 = nullptr;  // Cancel

  // The items' enabled states as the menu opens.
  void UpdateMenu();
  void DeleteSelectedRows();
  void DeleteAllRows();
  void Sort(SavedOffcutsOrder order);
  void Retranslate();

 signals:
  // "Save Marked Offcuts": the page saves, since it owns the layout and its undo.
  void saveRequested();

 private:
  DiagramContext& ctx_;
  QLabel* title_ = nullptr;
};

}  // namespace kelvara
