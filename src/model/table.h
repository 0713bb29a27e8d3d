#pragma once
// An ordered in-memory table of rows with named, typed fields, a current row,
// browse / insert / edit states, bookmarks, sorting, a row filter and lookup.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kelvara {

enum class FieldType { Integer, Float, String, Boolean, Date, Money };

struct FieldDef {
  std::string name;
  FieldType type = FieldType::Integer;
  int capacity = 0;  // characters, for String
};

// An empty field holds monostate. Integer and Boolean hold int64, Float and Money double,
// String and Date text (UTF-8).
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

struct Row {
  std::uint64_t id = 0;
  std::vector<Value> values;
};

enum class TableState { Browse, Insert, Edit };

// Receives the changes of a table, so that a grid can follow them.
struct TableObserver {
  virtual ~TableObserver() = default;
  virtual void TableReset() {}                // many rows changed: reread everything
  virtual void RowInserted(int /*pos*/) {}    // visible position
  virtual void RowRemoved(int /*pos*/) {}
  virtual void RowChanged(int /*pos*/) {}
  virtual void CurrentChanged(int /*pos*/) {}
};

class Table {
 public:
  using Bookmark = std::uint64_t;  // 0 is no bookmark
  using Hook = std::function<void(Table&)>;

  Table(std::string name, std::vector<FieldDef> fields);
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  const std::string& name() const { return name_; }
  const std::vector<FieldDef>& fields() const { return fields_; }
  int FieldIndex(std::string_view field) const;  // -1 when unknown
  const FieldDef& Field(int index) const { return fields_[index]; }

  // Rows visible under the filter; positions are 0-based among them.
  int Count() const { return static_cast<int>(visible_.size()); }
  bool Empty() const { return visible_.empty(); }
  int Position() const { return current_; }  // -1 when empty
  TableState state() const { return state_; }

  // Moving posts a row being edited.
  bool First();
  bool Last();
  bool Next();   // false at the end (stays on the last row)
  bool Prior();
  bool MoveTo(int pos);
  bool Eof() const { return eof_; }

  void Append();       // new row at the end with its defaults, state Insert
  void Insert();       // new row before the current one
  void Edit();         // on an empty table starts a new row instead
  void Post();
  void Cancel();       // the cancel hook may post instead
  void Delete();       // deletes the current row
  void Clear();        // empties the table (close and reopen)

  // Fields of the current row. Setting a field outside an edit starts one.
  const Value& Get(std::string_view field) const;
  bool IsNull(std::string_view field) const;
  std::int64_t AsInt(std::string_view field) const;
  double AsFloat(std::string_view field) const;
  bool AsBool(std::string_view field) const { return AsInt(field) != 0; }
  std::string AsString(std::string_view field) const;
  void Set(std::string_view field, Value v);
  void SetNull(std::string_view field) { Set(field, std::monostate{}); }

  // Any visible row, without moving. SetAt edits the row in place (no hooks).
  const Row& RowAt(int pos) const;
  const Value& GetAt(int pos, std::string_view field) const;
  void SetAt(int pos, std::string_view field, Value v);
  // A field of any visible row as a number or text; an empty field gives 0 / "".
  std::int64_t IntAt(int pos, std::string_view field) const;
  double FloatAt(int pos, std::string_view field) const;
  std::string TextAt(int pos, std::string_view field) const { return ValueText(GetAt(pos, field)); }

  Bookmark GetBookmark() const;
  bool GotoBookmark(Bookmark b);
  bool BookmarkValid(Bookmark b) const;

  // Stable sort of all rows on one field; texts compare case-insensitively; empty first.
  void Sort(std::string_view field, bool ascending);
  void SetFilter(std::function<bool(const Row&)> accept);
  void ClearFilter();
  bool Filtered() const { return static_cast<bool>(filter_); }
  // Moves to the first visible row whose field equals the value; texts compare exactly.
  bool Locate(std::string_view field, const Value& v);

  // Grid updates suspended while the count is above 0; resuming sends one reset.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disabled_ > 0; }

  void AddObserver(TableObserver* o);
  void RemoveObserver(TableObserver* o);

  // Rules of the table. onNewRecord sets the defaults of a new row; beforePost may change the
  // row; afterPost runs after it; onCancel returns true to post instead of cancelling;
  // beforeInsert returns false to refuse the new row.
  Hook onNewRecord, beforePost, afterPost, beforeEdit;
  std::function<bool(Table&)> onCancel;
  std::function<bool(Table&)> beforeInsert;
  // Runs after Set changed a field of the current row (not for SetAt).
  std::function<void(Table&, int field)> onFieldChanged;

  // Converts a value to the field's type and capacity.
  Value Coerce(int fieldIndex, Value v) const;
  static std::string ValueText(const Value& v);

 private:
  void NewRow(int physicalPos);
  void Rebuild();  // visible_ from rows_ and filter_
  int PhysicalOf(int pos) const { return visible_[pos]; }
  int VisibleOfPhysical(int phys) const;
  void SetCurrent(int pos);
  void NotifyReset();
  void Notify(const std::function<void(TableObserver*)>& f);
  int RequireField(std::string_view field) const;

  std::string name_;
  std::vector<FieldDef> fields_;
  std::vector<Row> rows_;
  std::vector<int> visible_;
  std::function<bool(const Row&)> filter_;
  int current_ = -1;
  bool eof_ = false;
  TableState state_ = TableState::Browse;
  Row backup_;
  std::uint64_t nextId_ = 1;
  int disabled_ = 0;
  std::vector<TableObserver*> observers_;
};

}  // namespace kelvara
