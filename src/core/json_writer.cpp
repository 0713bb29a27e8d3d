#include "core/json_writer.h"

#include <cmath>

#include "core/number_text.h"

namespace kelvara {

void JsonWriter::Newline() {
  if (!pretty_) return;
  out_ << '\n';
  for (std::size_t i = 0; i < first_.size(); ++i) out_ << "  ";
}

void JsonWriter::Separator() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (first_.empty()) return;
  if (!first_.back()) out_ << ',';
  first_.back() = false;
  Newline();
}

JsonWriter& JsonWriter::BeginObject() {
  Separator();
  out_ << '{';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  const bool empty = first_.back();
  first_.pop_back();
  if (!empty) Newline();
  out_ << '}';
  if (first_.empty() && pretty_) out_ << '\n';
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separator();
  out_ << '[';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  const bool empty = first_.back();
  first_.pop_back();
  if (!empty) Newline();
  out_ << ']';
  if (first_.empty() && pretty_) out_ << '\n';
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  Separator();
  out_ << '"' << Escape(key) << "\":" << (pretty_ ? " " : "");
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view v) {
  Separator();
  out_ << '"' << Escape(v) << '"';
  return *this;
}

JsonWriter& JsonWriter::Number(double v) {
  Separator();
  if (!std::isfinite(v)) out_ << "null";
  else out_ << FormatShortest(v);
  return *this;
}

JsonWriter& JsonWriter::Number(float v) {
  Separator();
  if (!std::isfinite(v)) out_ << "null";
  else out_ << FormatShortest(v);
  return *this;
}

JsonWriter& JsonWriter::Integer(std::int64_t v) {
  Separator();
  out_ << v;
  return *this;
}

JsonWriter& JsonWriter::Bool(bool v) {
  Separator();
  out_ << (v ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::Null() {
  Separator();
  out_ << "null";
  return *this;
}

std::string JsonWriter::Escape(std::string_view s) {
  std::string r;
  r.reserve(s.size());
  static const char* hex = "0123456789abcdef";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': r += "\\\""; break;
      case '\\': r += "\\\\"; break;
      case '\n': r += "\\n"; break;
      case '\r': r += "\\r"; break;
      case '\t': r += "\\t"; break;
      default:
        if (u < 0x20) {
          r += "\\u00";
          r += hex[u >> 4];
          r += hex[u & 15];
        } else {
          r += c;
        }
    }
  }
  return r;
}

}  // namespace kelvara
