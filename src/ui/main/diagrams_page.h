#pragma once
// The "Layout Diagrams" page: its toolbar ("Open Layout", "Save Layout", the "Previous Layout"
// history list, the "Headline" edit) and, until the diagram view comes, a per-sheet summary of
// the layout on view with a plain picture of the chosen sheet.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>

#include "engine/layout_model.h"
#include "io/layout_history.h"
#include "model/job_tables.h"
#include "ui/main/material_textures.h"

namespace kelvara {

class DiagramView;

// A plain drawing of one laid-out sheet: trims, parts with their numbers, the rest as waste.
class SheetPreview : public QWidget {
  Q_OBJECT
 public:
  SheetPreview(const MaterialTextures& textures, QWidget* parent);
  void ShowSheet(const List* sheet, std::vector<Detail> parts);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const MaterialTextures& textures_;
  bool hasSheet_ = false;
  List sheet_;
  std::vector<Detail> parts_;
};

class DiagramsPage : public QWidget {
  Q_OBJECT
 public:
  DiagramsPage(const MessageTable& messages, const MaterialTextures& textures, QWidget* parent);

  QToolBar* toolbar = nullptr;
  QAction* openLayout = nullptr;
  QAction* saveLayout = nullptr;
  QComboBox* bsSkinHistory = nullptr;
  QLineEdit* RHeader = nullptr;
  QTreeWidget* summary = nullptr;
  SheetPreview* preview = nullptr;

  // Rebuilds the summary of the viewed slot; returns true when it holds a laid-out sheet.
  bool ShowSlot(const LayoutModel& model, const JobTables& tables);
  bool HasDiagrams() const { return hasDiagrams_; }
  void ShowHistory(const LayoutHistory& history);
  // Result commands of the page on or off.
  void EnableResultCommands(bool on);

  void Retranslate();

  // The diagram view takes the place of the summary: its scale box and commands join the
  // toolbar, and the slot on view is shown by it.
  DiagramView* view = nullptr;
  void AttachDiagramView(DiagramView* diagramView);
  // The page came into view (nothing is rebuilt), and the viewed slot was filled anew.
  void PageShown();
  void SlotFilled();

 signals:
  void historyChosen(int entry);

 private:
  void ShowChosenSheet();

  const MessageTable& messages_;
  QLabel* historyLabel_ = nullptr;
  QLabel* headlineLabel_ = nullptr;
  // A copy of the viewed slot's records: the model may replace the slot itself.
  std::vector<std::vector<List>> sheets_;
  std::vector<std::vector<Detail>> details_;
  bool hasDiagrams_ = false;
};

}  // namespace kelvara
