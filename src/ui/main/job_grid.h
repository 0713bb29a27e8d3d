#pragma once
// A record grid over one table: the current row follows the table, marked rows are the
// selection, and the keys Insert, Enter, Delete and Esc work as in a data grid.
#include <QTableView>
#include <vector>

#include "model/job_tables.h"
#include "ui/main/grid_delegate.h"
#include "ui/main/table_model.h"

namespace kelvara {

struct GridBehaviour {
  bool insertBefore = false;         // Insert: a new row before the current one (else appended)
  bool enterAppends = false;         // Enter outside an edit appends a row
  bool enterAdvances = false;        // Enter after an edit goes on to the next cell
  bool cursorToSecondColumn = false; // after a new row the cursor goes to the second column
  enum class DeleteKey { None, WhenMarked, Always } deleteKey = DeleteKey::None;
};

class JobGrid : public QTableView {
  Q_OBJECT
 public:
  JobGrid(Grid which, JobTables& tables, Table& table, std::vector<GridColumn> columns,
          const MaterialTextures& textures, const MessageTable& messages, GridBehaviour behaviour,
          QWidget* parent = nullptr);

  Grid which() const { return which_; }
  Table& table() const { return table_; }
  TableModel& tableModel() const { return *model_; }
  GridDelegate& delegate() const { return *delegate_; }

  // Marked rows (positions, ascending) and their bookmarks.
  std::vector<int> MarkedRows() const;
  std::vector<Table::Bookmark> MarkedBookmarks() const;
  bool HasMarks() const;
  void MarkRow(int row);
  void MarkAll();
  void UnmarkAll();

  // The grid's cursor to the table's current row (after commands that moved it).
  void FollowTable();
  bool Editing() const { return state() == QAbstractItemView::EditingState; }
  // The editor open in the current cell, if any.
  QWidget* CurrentEditor() const { return Editing() ? indexWidget(currentIndex()) : nullptr; }
  // Ends an edit in progress, keeping what was typed.
  void FinishEditing();
  // A new row through the Insert key's rule; returns its position.
  int InsertRow();
  int AppendRow();

  void SetColumnVisible(const std::string& field, bool visible);
  bool ColumnVisible(const std::string& field) const;
  // Width of column i, also while it is hidden.
  int ColumnWidth(int column) const;
  void SetColumnWidthOf(int column, int width);

 signals:
  // Delete pressed outside an edit where the grid's rule runs "Delete Selected Rows".
  void deleteKeyPressed();
  void ellipsisClicked(const QModelIndex& index, const QPoint& globalPos);
  void rowAdded(int row);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  bool Editable(int column) const;
  int NextEditableColumn(int fromColumn) const;  // -1 when none to the right
  void AfterNewRow(int row);
  void AdvanceAfterEnter();

  Grid which_;
  JobTables& tables_;
  Table& table_;
  TableModel* model_;
  GridDelegate* delegate_;
  GridBehaviour behaviour_;
  std::vector<int> widths_;
  bool following_ = false;
  bool advancing_ = false;
};

}  // namespace kelvara
