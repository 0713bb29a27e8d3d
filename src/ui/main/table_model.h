#pragma once
// A QAbstractTableModel over one of our Tables: the grid shows a chosen list of its fields and
// edits them through the table, so that the table's states and rules stay in charge.
#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "model/messages.h"
#include "model/table.h"

namespace kelvara {

// How a grid column shows its field.
enum class ColumnKind { Plain, Material, Trim, Rotation, Band, Notes, Check };

struct GridColumn {
  GridColumn(std::string f, int msg, std::string t = {}, bool ro = false, ColumnKind k = ColumnKind::Plain)
      : field(std::move(f)), titleMsg(msg), title(std::move(t)), readOnly(ro), kind(k) {}

  std::string field;
  int titleMsg = -1;   // message table entry of the title
  std::string title;   // the title when there is no entry ("X", "Y")
  bool readOnly = false;
  ColumnKind kind = ColumnKind::Plain;
};

class TableModel : public QAbstractTableModel, private TableObserver {
  Q_OBJECT
 public:
  TableModel(Table& table, std::vector<GridColumn> columns, const MessageTable& messages, QObject* parent = nullptr);
  ~TableModel() override;

  Table& table() const { return table_; }
  const std::vector<GridColumn>& columns() const { return columns_; }
  const GridColumn& column(int c) const { return columns_[static_cast<std::size_t>(c)]; }
  int ColumnOf(const std::string& field) const;  // -1 when the grid does not show it

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Column titles again from the message table.
  void Retranslate();

 signals:
  // The table moved its current row (by a command, a rule or the grid itself).
  void tableCurrentChanged(int row);

 private:
  void TableReset() override;
  void RowInserted(int pos) override;
  void RowRemoved(int pos) override;
  void RowChanged(int pos) override;
  void CurrentChanged(int pos) override;
  QString Text(int row, const GridColumn& c) const;

  Table& table_;
  std::vector<GridColumn> columns_;
  const MessageTable& messages_;
  int lastCurrent_ = -1;
  int rows_ = 0;  // the row count the views know, moved inside begin/end
};

}  // namespace kelvara
