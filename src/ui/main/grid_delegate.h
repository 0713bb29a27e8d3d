#pragma once
// The cell delegate of the job grids: draws the special columns, gives every editor the key
// filter of its field, offers the notes pick list and reports clicks on ellipsis buttons.
#include <QLineEdit>
#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>

#include "model/job_tables.h"
#include "ui/main/material_textures.h"
#include "ui/main/table_model.h"

namespace kelvara {

// A cell editor that refuses the keys its filter refuses.
class FilteredLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  FilteredLineEdit(KeyFilter filter, QWidget* parent);
  KeyFilter filter() const { return filter_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  KeyFilter filter_;
};

class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  GridDelegate(JobTables& tables, TableModel& model, const MaterialTextures& textures, QObject* parent);

  // The pick list of the notes column.
  void SetPickList(const QStringList& items) { pickList_ = items; }
  const QStringList& pickList() const { return pickList_; }
  // The row the grid shows as current (its tint and ellipsis buttons).
  void SetCurrentRow(int row) { currentRow_ = row; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

  // True when the column draws an ellipsis button.
  bool HasEllipsis(int column) const;

 signals:
  void ellipsisClicked(const QModelIndex& index, const QPoint& globalPos);

 private:
  void PaintBackground(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

  JobTables& tables_;
  TableModel& model_;
  const MaterialTextures& textures_;
  QStringList pickList_;
  int currentRow_ = -1;
};

}  // namespace kelvara
