#include "ui/main/table_model.h"

#include "core/number_text.h"

namespace kelvara {
namespace {

// Texts of the rotation rules: "Do Not Rotate", "Rotate", "Joint Rotation".
constexpr int kMsgRotationRule0 = 46;

bool IsNumeric(FieldType t) {
  return t == FieldType::Integer || t == FieldType::Float || t == FieldType::Money || t == FieldType::Boolean;
}

}  // namespace

TableModel::TableModel(Table& table, std::vector<GridColumn> columns, const MessageTable& messages, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)), messages_(messages) {
  table_.AddObserver(this);
  lastCurrent_ = table_.Position();
  rows_ = table_.Count();
}

TableModel::~TableModel() { table_.RemoveObserver(this); }

int TableModel::ColumnOf(const std::string& field) const {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].field == field) return static_cast<int>(i);
  return -1;
}

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString TableModel::Text(int row, const GridColumn& c) const {
  const Value& v = table_.GetAt(row, c.field);
  return QString::fromStdString(Table::ValueText(v));
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= table_.Count()) return {};
  const GridColumn& c = column(index.column());
  switch (role) {
    case Qt::DisplayRole:
      switch (c.kind) {
        case ColumnKind::Trim:
        case ColumnKind::Band:
        case ColumnKind::Check: return {};
        case ColumnKind::Rotation: {
          const Value& v = table_.GetAt(index.row(), c.field);
          if (std::holds_alternative<std::monostate>(v)) return {};
          const auto rule = std::get_if<std::int64_t>(&v);
          if (rule && *rule >= 0 && *rule <= 2) return QString::fromStdString(messages_.Msg(kMsgRotationRule0 + static_cast<int>(*rule)));
          return Text(index.row(), c);
        }
        default: return Text(index.row(), c);
      }
    case Qt::EditRole: return Text(index.row(), c);
    case Qt::CheckStateRole:
      if (c.kind != ColumnKind::Check) return {};
      return std::get_if<std::int64_t>(&table_.GetAt(index.row(), c.field)) &&
                     std::get<std::int64_t>(table_.GetAt(index.row(), c.field)) != 0
                 ? Qt::Checked
                 : Qt::Unchecked;
    case Qt::TextAlignmentRole: {
      const int fi = table_.FieldIndex(c.field);
      if (fi >= 0 && IsNumeric(table_.Field(fi).type) && c.kind == ColumnKind::Plain)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    default: return {};
  }
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.row() >= table_.Count()) return false;
  const GridColumn& c = column(index.column());
  if (c.readOnly) return false;
  if (table_.Position() != index.row()) table_.MoveTo(index.row());
  if (role == Qt::CheckStateRole && c.kind == ColumnKind::Check) {
    const bool on = value.toInt() == Qt::Checked;
    table_.Set(c.field, static_cast<std::int64_t>(on ? 1 : 0));
    return true;
  }
  if (role != Qt::EditRole) return false;
  const std::string text = value.toString().toStdString();
  const int fi = table_.FieldIndex(c.field);
  if (fi < 0) return false;
  if (IsNumeric(table_.Field(fi).type)) {
    if (Trim(text).empty()) {
      table_.SetNull(c.field);
      return true;
    }
    if (!ParseNumber(text)) return false;  // the cell keeps its value
  }
  // Old and new text alike: editing a cell is an edit of the row even when nothing changed.
  table_.Set(c.field, text);
  return true;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  const GridColumn& c = column(index.column());
  if (c.readOnly) return f;
  if (c.kind == ColumnKind::Check) return f | Qt::ItemIsUserCheckable;
  return f | Qt::ItemIsEditable;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    if (role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
    const GridColumn& c = column(section);
    if (c.titleMsg >= 0) return QString::fromStdString(Trim(messages_.Msg(c.titleMsg)));
    return QString::fromStdString(c.title);
  }
  if (role == Qt::DisplayRole) {
    // The row indicator of a record grid: the current row, and whether it is being typed.
    if (section != table_.Position()) return QString();
    return table_.state() == TableState::Browse ? QString(QChar(0x25B8)) : QString("*");
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
  return {};
}

void TableModel::Retranslate() { emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1); }

// The table tells after the fact; the views reread the rows at once.
void TableModel::TableReset() {
  beginResetModel();
  rows_ = table_.Count();
  endResetModel();
  lastCurrent_ = table_.Position();
  emit tableCurrentChanged(lastCurrent_);
}

void TableModel::RowInserted(int pos) {
  if (pos < 0 || pos > rows_) return TableReset();
  beginInsertRows({}, pos, pos);
  ++rows_;
  endInsertRows();
}

void TableModel::RowRemoved(int pos) {
  if (pos < 0 || pos >= rows_) return TableReset();
  beginRemoveRows({}, pos, pos);
  --rows_;
  endRemoveRows();
}

void TableModel::RowChanged(int pos) {
  if (pos < 0 || pos >= rowCount()) return;
  emit dataChanged(index(pos, 0), index(pos, columnCount() - 1));
  emit headerDataChanged(Qt::Vertical, pos, pos);
}

void TableModel::CurrentChanged(int pos) {
  const int before = lastCurrent_;
  lastCurrent_ = pos;
  if (before >= 0 && before < rowCount()) emit headerDataChanged(Qt::Vertical, before, before);
  if (pos >= 0 && pos < rowCount()) emit headerDataChanged(Qt::Vertical, pos, pos);
  emit tableCurrentChanged(pos);
}

}  // namespace kelvara
