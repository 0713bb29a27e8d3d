#include "ui/main/grid_delegate.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "ui/main/cell_painting.h"

namespace kelvara {
namespace {

const QColor kCurrentRowTint(232, 241, 253);

bool IsControlKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab ||
         key == Qt::Key_Backtab;
}

}  // namespace

FilteredLineEdit::FilteredLineEdit(KeyFilter filter, QWidget* parent) : QLineEdit(parent), filter_(filter) {}

void FilteredLineEdit::keyPressEvent(QKeyEvent* e) {
  if (!IsControlKey(e->key()) && !e->text().isEmpty()) {
    for (const QChar ch : e->text()) {
      if (!JobTables::KeyAllowed(filter_, ch.unicode())) {
        e->accept();  // swallowed: the key does nothing
        return;
      }
    }
  }
  QLineEdit::keyPressEvent(e);
}

GridDelegate::GridDelegate(JobTables& tables, TableModel& model, const MaterialTextures& textures, QObject* parent)
    : QStyledItemDelegate(parent), tables_(tables), model_(model), textures_(textures) {}

bool GridDelegate::HasEllipsis(int column) const {
  if (column < 0 || column >= model_.columnCount()) return false;
  const ColumnKind k = model_.column(column).kind;
  return k == ColumnKind::Trim || k == ColumnKind::Band;
}

void GridDelegate::PaintBackground(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  QColor bg = option.palette.color(QPalette::Base);
  if (option.state & QStyle::State_Selected) bg = option.palette.color(QPalette::Highlight);
  else if (index.row() == currentRow_) bg = kCurrentRowTint;
  painter->fillRect(option.rect, bg);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const GridColumn& c = model_.column(index.column());
  const bool selected = option.state & QStyle::State_Selected;
  if (c.kind == ColumnKind::Plain || c.kind == ColumnKind::Notes || c.kind == ColumnKind::Check) {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!selected && index.row() == currentRow_) opt.backgroundBrush = kCurrentRowTint;
    const QWidget* w = option.widget;
    (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
    return;
  }

  Table& t = model_.table();
  const int row = index.row();
  if (row >= t.Count()) return;
  painter->save();
  painter->setFont(option.font);
  PaintBackground(painter, option, index);
  const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  const QRect cell = option.rect;
  switch (c.kind) {
    case ColumnKind::Material: {
      // Options page: the row of material NC - 1; job tables: the material number Num.
      const bool byNumber = t.FieldIndex("Num") >= 0;
      const auto* n = std::get_if<std::int64_t>(&t.GetAt(row, byNumber ? "Num" : "NC"));
      const int material = n ? static_cast<int>(*n) - (byNumber ? 0 : 1) : -1;
      QColor color = text;
      // AutoCAD parts are named in blue.
      if (t.FieldIndex("PD") >= 0 && Table::ValueText(t.GetAt(row, "PD")) != "D" && !selected) color = QColor(0, 0, 255);
      const QString name = QString::fromStdString(Table::ValueText(t.GetAt(row, c.field)));
      PaintMaterialCell(*painter, cell, textures_.Grid(material), name, color);
      break;
    }
    case ColumnKind::Trim: {
      const auto* pt = std::get_if<std::int64_t>(&t.GetAt(row, c.field));
      PaintTrimCell(*painter, cell, pt ? static_cast<int>(*pt) : 0);
      break;
    }
    case ColumnKind::Rotation: {
      const Value& v = t.GetAt(row, c.field);
      if (!std::holds_alternative<std::monostate>(v)) {
        const auto* r = std::get_if<std::int64_t>(&v);
        PaintRotationCell(*painter, cell, r ? static_cast<int>(*r) : -1, index.data(Qt::DisplayRole).toString(), text);
      }
      break;
    }
    case ColumnKind::Band: {
      BandSides sides;
      if (Table::ValueText(t.GetAt(row, "PD")) == "D") {
        bool allNone = true;
        for (auto f : {"NameEL", "NameET", "NameER", "NameEB"})
          if (Table::ValueText(t.GetAt(row, f)) != "-") allNone = false;
        sides.shown = !allNone;
        auto on = [&](const char* f) {
          const auto* b = std::get_if<std::int64_t>(&t.GetAt(row, f));
          return b && *b != 0;
        };
        sides.left = on("EL");
        sides.top = on("ET");
        sides.right = on("ER");
        sides.bottom = on("EB");
      }
      PaintBandCell(*painter, cell, sides);
      break;
    }
    default: break;
  }
  if (HasEllipsis(index.column()) && row == currentRow_) PaintEllipsisButton(*painter, cell);
  if (option.state & QStyle::State_HasFocus) {
    painter->setPen(QPen(option.palette.color(QPalette::Highlight).darker(130), 1, Qt::DotLine));
    painter->drawRect(cell.adjusted(0, 0, -1, -1));
  }
  painter->restore();
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  Table& t = model_.table();
  if (t.Position() != index.row()) t.MoveTo(index.row());
  const GridColumn& c = model_.column(index.column());
  const int fi = t.FieldIndex(c.field);
  const FieldDef* def = fi >= 0 ? &t.Field(fi) : nullptr;
  const KeyFilter filter = tables_.FilterFor(t, c.field);

  if (c.kind == ColumnKind::Notes) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(pickList_);
    box->setFrame(false);
    if (def && def->capacity > 0) box->lineEdit()->setMaxLength(def->capacity);
    return box;
  }
  auto* edit = new FilteredLineEdit(filter, parent);
  edit->setFrame(false);
  if (def) {
    if (def->type == FieldType::Float || def->type == FieldType::Money) {
      edit->setValidator(new QRegularExpressionValidator(QRegularExpression("-?[0-9]*([.,][0-9]*)?"), edit));
    } else if (def->type == FieldType::Integer) {
      edit->setValidator(new QRegularExpressionValidator(QRegularExpression("-?[0-9]*"), edit));
    } else if (def->capacity > 0) {
      edit->setMaxLength(def->capacity);
    }
  }
  return edit;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QString text = index.data(Qt::EditRole).toString();
  if (auto* box = qobject_cast<QComboBox*>(editor)) {
    box->setEditText(text);
    box->lineEdit()->selectAll();
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    edit->setText(text);
    edit->selectAll();
  }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  QString text;
  if (auto* box = qobject_cast<QComboBox*>(editor)) text = box->currentText();
  else if (auto* edit = qobject_cast<QLineEdit*>(editor)) text = edit->text();
  else return;
  model->setData(index, text, Qt::EditRole);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                               const QModelIndex& index) {
  if (event->type() == QEvent::MouseButtonPress && HasEllipsis(index.column()) && index.row() == currentRow_) {
    auto* me = static_cast<QMouseEvent*>(event);
    if (me->button() == Qt::LeftButton && EllipsisRect(option.rect).contains(me->position().toPoint())) {
      emit ellipsisClicked(index, me->globalPosition().toPoint());
      return true;
    }
  }
  return QStyledItemDelegate::editorEvent(event, model, option, index);
}

}  // namespace kelvara
