#include "ui/main/job_grid.h"

#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace kelvara {
namespace {

constexpr int kRowHeight = 20;

Qt::KeyboardModifiers ModifiersOf(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return static_cast<const QMouseEvent*>(event)->modifiers();
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return static_cast<const QKeyEvent*>(event)->modifiers();
    default: return Qt::NoModifier;
  }
}

}  // namespace

JobGrid::JobGrid(Grid which, JobTables& tables, Table& table, std::vector<GridColumn> columns,
                 const MaterialTextures& textures, const MessageTable& messages, GridBehaviour behaviour,
                 QWidget* parent)
    : QTableView(parent), which_(which), tables_(tables), table_(table), behaviour_(behaviour) {
  model_ = new TableModel(table, std::move(columns), messages, this);
  delegate_ = new GridDelegate(tables, *model_, textures, this);
  setModel(model_);
  setItemDelegate(delegate_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setAlternatingRowColors(false);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setMinimumSectionSize(kRowHeight - 2);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  verticalHeader()->setMinimumWidth(18);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  widths_.assign(static_cast<std::size_t>(model_->columnCount()), horizontalHeader()->defaultSectionSize());
  for (int c = 0; c < model_->columnCount(); ++c) widths_[static_cast<std::size_t>(c)] = columnWidth(c);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
    if (size > 0 && logical >= 0 && logical < static_cast<int>(widths_.size()))
      widths_[static_cast<std::size_t>(logical)] = size;
  });
  connect(model_, &TableModel::tableCurrentChanged, this, [this](int) { FollowTable(); });
  connect(delegate_, &GridDelegate::ellipsisClicked, this, &JobGrid::ellipsisClicked);
  FollowTable();
}

std::vector<int> JobGrid::MarkedRows() const {
  std::vector<int> rows;
  if (!selectionModel()) return rows;
  for (const QModelIndex& i : selectionModel()->selectedRows())
    if (i.row() < table_.Count()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

std::vector<Table::Bookmark> JobGrid::MarkedBookmarks() const {
  std::vector<Table::Bookmark> marks;
  for (int r : MarkedRows()) marks.push_back(table_.RowAt(r).id);
  return marks;
}

bool JobGrid::HasMarks() const { return !MarkedRows().empty(); }

void JobGrid::MarkRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  selectionModel()->select(model_->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void JobGrid::MarkAll() {
  if (model_->rowCount() == 0) return;
  const QItemSelection all(model_->index(0, 0), model_->index(model_->rowCount() - 1, model_->columnCount() - 1));
  selectionModel()->select(all, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void JobGrid::UnmarkAll() { selectionModel()->clearSelection(); }

void JobGrid::FollowTable() {
  if (following_ || !selectionModel()) return;
  following_ = true;
  const int row = table_.Position();
  delegate_->SetCurrentRow(row);
  if (row >= 0 && row < model_->rowCount()) {
    int col = currentIndex().isValid() ? currentIndex().column() : -1;
    if (col < 0 || isColumnHidden(col)) {
      col = 0;
      while (col < model_->columnCount() - 1 && isColumnHidden(col)) ++col;
    }
    const QModelIndex idx = model_->index(row, col);
    if (idx != currentIndex()) selectionModel()->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
    scrollTo(idx);
  }
  viewport()->update();
  following_ = false;
}

void JobGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (following_ || !current.isValid()) return;
  if (current.row() != table_.Position()) {
    table_.MoveTo(current.row());
    // A rule run by the post may have moved the table elsewhere: show where it is.
    if (table_.Position() != current.row()) QTimer::singleShot(0, this, [this] { FollowTable(); });
  }
  delegate_->SetCurrentRow(table_.Position());
  viewport()->update();
}

void JobGrid::FinishEditing() {
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* ed = indexWidget(currentIndex())) {
    commitData(ed);
    closeEditor(ed, QAbstractItemDelegate::NoHint);
  }
}

bool JobGrid::Editable(int column) const {
  if (column < 0 || column >= model_->columnCount()) return false;
  const GridColumn& c = model_->column(column);
  if (c.readOnly) return false;
  return c.kind == ColumnKind::Plain || c.kind == ColumnKind::Notes || c.kind == ColumnKind::Rotation ||
         c.kind == ColumnKind::Material;
}

int JobGrid::NextEditableColumn(int fromColumn) const {
  // In the order the columns are shown.
  const int fromVisual = fromColumn < 0 ? -1 : horizontalHeader()->visualIndex(fromColumn);
  for (int v = fromVisual + 1; v < model_->columnCount(); ++v) {
    const int logical = horizontalHeader()->logicalIndex(v);
    if (!isColumnHidden(logical) && Editable(logical)) return logical;
  }
  return -1;
}

void JobGrid::AfterNewRow(int row) {
  FollowTable();
  if (behaviour_.cursorToSecondColumn && model_->columnCount() > 1) {
    const QModelIndex idx = model_->index(row, horizontalHeader()->logicalIndex(1));
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
    scrollTo(idx);
  }
  emit rowAdded(row);
}

int JobGrid::InsertRow() {
  FinishEditing();
  if (behaviour_.insertBefore) table_.Insert();
  else table_.Append();
  const int row = table_.Position();
  AfterNewRow(row);
  return row;
}

int JobGrid::AppendRow() {
  FinishEditing();
  table_.Append();
  const int row = table_.Position();
  AfterNewRow(row);
  return row;
}

void JobGrid::AdvanceAfterEnter() {
  const QModelIndex cur = currentIndex();
  if (!cur.isValid()) return;
  const int next = NextEditableColumn(cur.column());
  if (next >= 0) {
    selectionModel()->setCurrentIndex(model_->index(cur.row(), next), QItemSelectionModel::NoUpdate);
    return;
  }
  if (cur.row() + 1 < model_->rowCount()) {
    const int first = NextEditableColumn(-1);
    selectionModel()->setCurrentIndex(model_->index(cur.row() + 1, std::max(first, 0)), QItemSelectionModel::NoUpdate);
    return;
  }
  AppendRow();
}

void JobGrid::keyPressEvent(QKeyEvent* e) {
  if (state() == QAbstractItemView::EditingState) return QTableView::keyPressEvent(e);
  const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  switch (e->key()) {
    case Qt::Key_Insert:
      if (!plain) break;
      InsertRow();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!plain) break;
      if (behaviour_.enterAppends) {
        AppendRow();
        return;
      }
      if (behaviour_.enterAdvances) {
        AdvanceAfterEnter();
        return;
      }
      break;
    case Qt::Key_Delete:
      if (!plain || e->isAutoRepeat()) break;
      if (behaviour_.deleteKey == GridBehaviour::DeleteKey::Always ||
          (behaviour_.deleteKey == GridBehaviour::DeleteKey::WhenMarked && HasMarks()))
        emit deleteKeyPressed();
      return;
    case Qt::Key_Escape:
      if (table_.state() != TableState::Browse) {
        table_.Cancel();
        FollowTable();
        return;
      }
      break;
    default: break;
  }
  QTableView::keyPressEvent(e);
}

bool JobGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (!index.isValid()) return QTableView::edit(index, trigger, event);
  const auto* key = event && event->type() == QEvent::KeyPress ? static_cast<const QKeyEvent*>(event) : nullptr;
  const bool typed = trigger == AnyKeyPressed && key && !key->text().isEmpty() && key->text().at(0).isPrint();
  const GridColumn& c = model_->column(index.column());

  if (trigger == DoubleClicked && (c.kind == ColumnKind::Trim || c.kind == ColumnKind::Band)) {
    emit ellipsisClicked(index, QCursor::pos());
    return false;
  }
  if (typed && !Editable(index.column()) && c.kind == ColumnKind::Material) {
    // Typing on the material of a row (where a new row puts the cursor) goes on in the next
    // column that takes text.
    const int next = NextEditableColumn(index.column());
    if (next < 0) return false;
    const QModelIndex to = model_->index(index.row(), next);
    selectionModel()->setCurrentIndex(to, QItemSelectionModel::NoUpdate);
    return edit(to, trigger, event);
  }
  if (Editable(index.column()) && (typed || trigger == DoubleClicked || trigger == EditKeyPressed)) {
    if (table_.Position() != index.row()) table_.MoveTo(index.row());
    const KeyFilter f = tables_.FilterFor(table_, c.field);
    if (f == KeyFilter::RefuseAll) return false;
    if (typed)
      for (const QChar ch : key->text())
        if (!JobTables::KeyAllowed(f, ch.unicode())) return false;
  }
  return QTableView::edit(index, trigger, event);
}

void JobGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool revert = hint == QAbstractItemDelegate::RevertModelCache;
  const bool submit = hint == QAbstractItemDelegate::SubmitModelCache;
  QTableView::closeEditor(editor, submit ? QAbstractItemDelegate::NoHint : hint);
  if (revert && table_.state() != TableState::Browse) {
    table_.Cancel();
    FollowTable();
  } else if (submit && behaviour_.enterAdvances && !advancing_) {
    advancing_ = true;
    AdvanceAfterEnter();
    advancing_ = false;
  }
}

QItemSelectionModel::SelectionFlags JobGrid::selectionCommand(const QModelIndex& index, const QEvent* event) const {
  const auto command = QTableView::selectionCommand(index, event);
  if (!event) return command;  // a row header click or a programmatic selection
  if (ModifiersOf(event) & (Qt::ControlModifier | Qt::ShiftModifier)) return command;
  // A plain click moves the cursor and drops the marks; plain keys keep them.
  if (event->type() == QEvent::MouseButtonPress) return QItemSelectionModel::Clear;
  return QItemSelectionModel::NoUpdate;
}

void JobGrid::SetColumnVisible(const std::string& field, bool visible) {
  const int c = model_->ColumnOf(field);
  if (c < 0) return;
  if (!visible && !isColumnHidden(c)) widths_[static_cast<std::size_t>(c)] = columnWidth(c);
  setColumnHidden(c, !visible);
  if (visible && columnWidth(c) <= 0) setColumnWidth(c, widths_[static_cast<std::size_t>(c)]);
}

bool JobGrid::ColumnVisible(const std::string& field) const {
  const int c = model_->ColumnOf(field);
  return c >= 0 && !isColumnHidden(c);
}

int JobGrid::ColumnWidth(int column) const {
  if (column < 0 || column >= model_->columnCount()) return 0;
  if (!isColumnHidden(column)) return columnWidth(column);
  return widths_[static_cast<std::size_t>(column)];
}

void JobGrid::SetColumnWidthOf(int column, int width) {
  if (column < 0 || column >= model_->columnCount() || width <= 0) return;
  widths_[static_cast<std::size_t>(column)] = width;
  if (!isColumnHidden(column)) setColumnWidth(column, width);
}

}  // namespace kelvara
