#include "model/table.h"

#include <algorithm>
#include <stdexcept>

#include "core/cp1251.h"
#include "core/number_text.h"

namespace kelvara {
namespace {

const Value kNull{};

int CompareValues(const Value& a, const Value& b) {
  const bool an = std::holds_alternative<std::monostate>(a);
  const bool bn = std::holds_alternative<std::monostate>(b);
  if (an || bn) return an == bn ? 0 : (an ? -1 : 1);
  if (std::holds_alternative<std::string>(a) || std::holds_alternative<std::string>(b)) {
    std::string x = Table::ValueText(a), y = Table::ValueText(b);
    // Case-insensitive over code page 1251, so Cyrillic letters fold as well.
    std::string cx = Utf8ToCp1251(x), cy = Utf8ToCp1251(y);
    auto fold = [](unsigned char c) -> unsigned char {
      if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
      if (c >= 0xE0) return static_cast<unsigned char>(c - 32);
      if (c == 0xB8) return 0xA8;  // ё
      return c;
    };
    const std::size_t n = std::min(cx.size(), cy.size());
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned char p = fold(static_cast<unsigned char>(cx[i]));
      const unsigned char q = fold(static_cast<unsigned char>(cy[i]));
      if (p != q) return p < q ? -1 : 1;
    }
    return cx.size() == cy.size() ? 0 : (cx.size() < cy.size() ? -1 : 1);
  }
  auto num = [](const Value& v) {
    if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    return std::get<double>(v);
  };
  const double x = num(a), y = num(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace

Table::Table(std::string name, std::vector<FieldDef> fields) : name_(std::move(name)), fields_(std::move(fields)) {}

int Table::FieldIndex(std::string_view field) const {
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].name == field) return static_cast<int>(i);
  return -1;
}

int Table::RequireField(std::string_view field) const {
  const int i = FieldIndex(field);
  if (i < 0) throw std::out_of_range("table " + name_ + " has no field " + std::string(field));
  return i;
}

void Table::Rebuild() {
  visible_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (!filter_ || filter_(rows_[i])) visible_.push_back(static_cast<int>(i));
}

int Table::VisibleOfPhysical(int phys) const {
  for (std::size_t i = 0; i < visible_.size(); ++i)
    if (visible_[i] == phys) return static_cast<int>(i);
  return -1;
}

void Table::Notify(const std::function<void(TableObserver*)>& f) {
  if (disabled_ > 0) return;
  for (auto* o : std::vector<TableObserver*>(observers_)) f(o);
}

void Table::NotifyReset() {
  Notify([](TableObserver* o) { o->TableReset(); });
}

void Table::SetCurrent(int pos) {
  if (visible_.empty()) pos = -1;
  else pos = std::clamp(pos, 0, Count() - 1);
  if (pos == current_) return;
  current_ = pos;
  Notify([pos](TableObserver* o) { o->CurrentChanged(pos); });
}

bool Table::MoveTo(int pos) {
  if (state_ != TableState::Browse) Post();
  eof_ = false;
  if (visible_.empty()) {
    eof_ = true;
    return false;
  }
  if (pos >= Count()) {
    eof_ = true;
    SetCurrent(Count() - 1);
    return false;
  }
  if (pos < 0) {
    SetCurrent(0);
    return false;
  }
  SetCurrent(pos);
  return true;
}

bool Table::First() { return MoveTo(0); }
bool Table::Last() { return MoveTo(Count() - 1); }
bool Table::Next() { return MoveTo(current_ + 1); }
bool Table::Prior() { return MoveTo(current_ - 1); }

void Table::NewRow(int physicalPos) {
  if (state_ != TableState::Browse) Post();
  if (beforeInsert && !beforeInsert(*this)) return;
  Row r;
  r.id = nextId_++;
  r.values.assign(fields_.size(), Value{});
  physicalPos = std::clamp(physicalPos, 0, static_cast<int>(rows_.size()));
  rows_.insert(rows_.begin() + physicalPos, std::move(r));
  Rebuild();
  int pos = VisibleOfPhysical(physicalPos);
  if (pos < 0) {  // a new row always shows, even where the filter would hide it
    visible_.push_back(physicalPos);
    std::sort(visible_.begin(), visible_.end());
    pos = VisibleOfPhysical(physicalPos);
  }
  state_ = TableState::Insert;
  eof_ = false;
  current_ = pos;
  Notify([pos](TableObserver* o) { o->RowInserted(pos); });
  Notify([pos](TableObserver* o) { o->CurrentChanged(pos); });
  if (onNewRecord) onNewRecord(*this);
}

void Table::Append() { NewRow(static_cast<int>(rows_.size())); }

void Table::Insert() {
  if (state_ != TableState::Browse) Post();
  NewRow(current_ < 0 ? static_cast<int>(rows_.size()) : PhysicalOf(current_));
}

void Table::Edit() {
  if (state_ != TableState::Browse) return;
  if (visible_.empty()) {
    Append();
    return;
  }
  backup_ = rows_[PhysicalOf(current_)];
  state_ = TableState::Edit;
  if (beforeEdit) beforeEdit(*this);
}

void Table::Post() {
  if (state_ == TableState::Browse) return;
  if (beforePost) beforePost(*this);
  state_ = TableState::Browse;
  const int pos = current_;
  Notify([pos](TableObserver* o) { o->RowChanged(pos); });
  if (afterPost) afterPost(*this);
}

void Table::Cancel() {
  if (state_ == TableState::Browse) return;
  if (onCancel && onCancel(*this)) {
    Post();
    return;
  }
  const int pos = current_;
  if (state_ == TableState::Insert) {
    state_ = TableState::Browse;
    rows_.erase(rows_.begin() + PhysicalOf(pos));
    Rebuild();
    Notify([pos](TableObserver* o) { o->RowRemoved(pos); });
    current_ = -1;
    SetCurrent(pos);
  } else {
    rows_[PhysicalOf(pos)] = backup_;
    state_ = TableState::Browse;
    Notify([pos](TableObserver* o) { o->RowChanged(pos); });
  }
}

void Table::Delete() {
  if (current_ < 0) return;
  state_ = TableState::Browse;
  const int pos = current_;
  rows_.erase(rows_.begin() + PhysicalOf(pos));
  Rebuild();
  Notify([pos](TableObserver* o) { o->RowRemoved(pos); });
  current_ = -1;
  SetCurrent(pos);
}

void Table::Clear() {
  rows_.clear();
  visible_.clear();
  state_ = TableState::Browse;
  current_ = -1;
  eof_ = true;
  NotifyReset();
}

const Value& Table::Get(std::string_view field) const {
  if (current_ < 0) return kNull;
  return rows_[PhysicalOf(current_)].values[RequireField(field)];
}

bool Table::IsNull(std::string_view field) const {
  return std::holds_alternative<std::monostate>(Get(field));
}

namespace {
std::int64_t ToInt(const Value& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
  if (auto* d = std::get_if<double>(&v)) return static_cast<std::int64_t>(*d);
  if (auto* s = std::get_if<std::string>(&v)) {
    if (auto n = ParseNumber(*s)) return static_cast<std::int64_t>(*n);
  }
  return 0;
}
double ToFloat(const Value& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* s = std::get_if<std::string>(&v)) return ParseNumber(*s).value_or(0.0);
  return 0;
}
}  // namespace

std::int64_t Table::AsInt(std::string_view field) const { return ToInt(Get(field)); }
std::int64_t Table::IntAt(int pos, std::string_view field) const { return ToInt(GetAt(pos, field)); }
double Table::FloatAt(int pos, std::string_view field) const { return ToFloat(GetAt(pos, field)); }
double Table::AsFloat(std::string_view field) const { return ToFloat(Get(field)); }
std::string Table::AsString(std::string_view field) const { return ValueText(Get(field)); }

std::string Table::ValueText(const Value& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&v)) return FormatShortest(*d);
  return {};
}

Value Table::Coerce(int fieldIndex, Value v) const {
  if (std::holds_alternative<std::monostate>(v)) return v;
  const FieldDef& f = fields_[fieldIndex];
  switch (f.type) {
    case FieldType::Integer: {
      if (auto* s = std::get_if<std::string>(&v)) {
        auto n = ParseNumber(*s);
        if (!n) return Value{};
        return static_cast<std::int64_t>(*n);
      }
      std::int64_t n = ToInt(v);
      n = std::clamp<std::int64_t>(n, INT32_MIN, INT32_MAX);
      return n;
    }
    case FieldType::Boolean: return static_cast<std::int64_t>(ToInt(v) != 0 ? 1 : 0);
    case FieldType::Float:
    case FieldType::Money: {
      if (auto* s = std::get_if<std::string>(&v)) {
        auto n = ParseNumber(*s);
        if (!n) return Value{};
        return *n;
      }
      return ToFloat(v);
    }
    case FieldType::String:
    case FieldType::Date: {
      std::string s = ValueText(v);
      if (f.capacity > 0 && Utf8Length(s) > static_cast<std::size_t>(f.capacity)) s = Utf8Left(s, f.capacity);
      return s;
    }
  }
  return v;
}

void Table::Set(std::string_view field, Value v) {
  const int fi = RequireField(field);
  if (state_ == TableState::Browse) Edit();
  if (current_ < 0) return;
  rows_[PhysicalOf(current_)].values[fi] = Coerce(fi, std::move(v));
  const int pos = current_;
  Notify([pos](TableObserver* o) { o->RowChanged(pos); });
  if (onFieldChanged) onFieldChanged(*this, fi);
}

const Row& Table::RowAt(int pos) const { return rows_.at(visible_.at(pos)); }

const Value& Table::GetAt(int pos, std::string_view field) const {
  if (pos < 0 || pos >= Count()) return kNull;
  return rows_[PhysicalOf(pos)].values[RequireField(field)];
}

void Table::SetAt(int pos, std::string_view field, Value v) {
  if (pos < 0 || pos >= Count()) return;
  const int fi = RequireField(field);
  rows_[PhysicalOf(pos)].values[fi] = Coerce(fi, std::move(v));
  Notify([pos](TableObserver* o) { o->RowChanged(pos); });
}

Table::Bookmark Table::GetBookmark() const { return current_ < 0 ? 0 : rows_[PhysicalOf(current_)].id; }

bool Table::BookmarkValid(Bookmark b) const {
  for (int p : visible_)
    if (rows_[p].id == b) return true;
  return false;
}

bool Table::GotoBookmark(Bookmark b) {
  for (int i = 0; i < Count(); ++i)
    if (rows_[visible_[i]].id == b) return MoveTo(i);
  return false;
}

void Table::Sort(std::string_view field, bool ascending) {
  if (state_ != TableState::Browse) Post();
  const int fi = RequireField(field);
  const Bookmark keep = GetBookmark();
  std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
    const int c = CompareValues(a.values[fi], b.values[fi]);
    return ascending ? c < 0 : c > 0;
  });
  Rebuild();
  NotifyReset();
  current_ = -1;
  for (int i = 0; i < Count(); ++i)
    if (rows_[visible_[i]].id == keep) current_ = i;
  if (current_ < 0 && !visible_.empty()) current_ = 0;
}

void Table::SetFilter(std::function<bool(const Row&)> accept) {
  if (state_ != TableState::Browse) Post();
  filter_ = std::move(accept);
  Rebuild();
  NotifyReset();
  current_ = -1;
  SetCurrent(0);
}

void Table::ClearFilter() { SetFilter(nullptr); }

bool Table::Locate(std::string_view field, const Value& v) {
  const int fi = RequireField(field);
  const Value want = Coerce(fi, v);
  for (int i = 0; i < Count(); ++i) {
    const Value& have = rows_[visible_[i]].values[fi];
    if (have.index() == want.index() && have == want) return MoveTo(i);
    if (!std::holds_alternative<std::string>(have) && !std::holds_alternative<std::monostate>(have) &&
        !std::holds_alternative<std::monostate>(want) && !std::holds_alternative<std::string>(want) &&
        CompareValues(have, want) == 0)
      return MoveTo(i);
  }
  return false;
}

void Table::DisableControls() { ++disabled_; }

void Table::EnableControls() {
  if (disabled_ > 0 && --disabled_ == 0) NotifyReset();
}

void Table::AddObserver(TableObserver* o) { observers_.push_back(o); }

void Table::RemoveObserver(TableObserver* o) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

}  // namespace kelvara
