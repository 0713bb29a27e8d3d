#pragma once
// A small streaming JSON writer: objects, arrays, strings (UTF-8), numbers.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out, bool pretty = true) : out_(out), pretty_(pretty) {}

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view v);
  JsonWriter& Number(double v);   // shortest text that reads back the same; NaN/inf as null
  JsonWriter& Number(float v);
  JsonWriter& Integer(std::int64_t v);
  JsonWriter& Bool(bool v);
  JsonWriter& Null();

  static std::string Escape(std::string_view s);

 private:
  void Separator();
  void Newline();
  std::ostream& out_;
  bool pretty_;
  std::vector<bool> first_;  // per open container: nothing written yet
  bool afterKey_ = false;
};

}  // namespace kelvara
