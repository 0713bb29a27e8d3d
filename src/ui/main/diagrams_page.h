#pragma once
// The "Layout Diagrams" page: its toolbar ("Open Layout", "Save Layout", the "Previous Layout"
// history list, the "Headline" edit) over the diagram view.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QWidget>

#include "engine/layout_model.h"
#include "io/layout_history.h"
#include "model/job_tables.h"

namespace kelvara {

class DiagramView;

class DiagramsPage : public QWidget {
  Q_OBJECT
 public:
  DiagramsPage(const MessageTable& messages, QWidget* parent);

  QToolBar* toolbar = nullptr;
  QAction* openLayout = nullptr;
  QAction* saveLayout = nullptr;
  QComboBox* bsSkinHistory = nullptr;
  QLineEdit* RHeader = nullptr;

  // Rebuilds the diagrams of the viewed slot; returns true when it holds a laid-out sheet.
  bool ShowSlot();
  bool HasDiagrams() const { return hasDiagrams_; }
  void ShowHistory(const LayoutHistory& history);
  // Result commands of the page on or off.
  void EnableResultCommands(bool on);

  void Retranslate();

  // The diagram view fills the page; its scale box and commands join the toolbar.
  DiagramView* view = nullptr;
  void AttachDiagramView(DiagramView* diagramView);
  // The page came into view (nothing is rebuilt), and the viewed slot was filled anew.
  void PageShown();
  void SlotFilled();

 signals:
  void historyChosen(int entry);


 private:
  const MessageTable& messages_;
  QLabel* historyLabel_ = nullptr;
  QLabel* headlineLabel_ = nullptr;
  bool hasDiagrams_ = false;
};

}  // namespace kelvara
