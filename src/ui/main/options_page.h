#pragma once
// The "Options" page: the category list, the title line and the panels. The tables of material
// names, edge bands and notes are edited here; the settings panels come with the settings page.
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QWidget>

#include "ui/main/job_grid.h"
#include "ui/main/window_context.h"

namespace kelvara {

class OptionsPage : public QWidget {
  Q_OBJECT
 public:
  OptionsPage(WindowContext& ctx, QWidget* parent);

  QListWidget* categories = nullptr;
  QStackedWidget* panels = nullptr;
  QSplitter* splitter = nullptr;
  JobGrid* materialsGrid = nullptr;
  JobGrid* bandsGrid = nullptr;
  JobGrid* notesGrid = nullptr;
  QAction* bandsClear = nullptr;
  QAction* bandsDelete = nullptr;
  QAction* notesClear = nullptr;
  QAction* notesDelete = nullptr;

  void ShowCategory(int index);
  void UpdateCommandStates();
  void Retranslate();

 signals:
  void bandsEdited();
  void notesEdited();

 private:
  QWidget* GridPanel(JobGrid* grid, QToolButton* tools);
  void DeleteBands();
  void DeleteNotes();

  WindowContext& ctx_;
  QLabel* title_ = nullptr;
  QToolButton* bandsTools_ = nullptr;
  QToolButton* notesTools_ = nullptr;
  std::vector<QLabel*> placeholders_;
};

}  // namespace kelvara
