#pragma once
// Field values of table rows as the data files store them.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/table.h"

namespace kelvara::data_values {

// An empty field counts as 0; values beyond 32 bits are clamped.
inline std::int32_t Int32Of(const Value& v) {
  double d = 0;
  if (auto* i = std::get_if<std::int64_t>(&v)) d = static_cast<double>(*i);
  else if (auto* f = std::get_if<double>(&v)) d = std::isfinite(*f) ? std::round(*f) : 0.0;
  else return 0;
  if (d > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (d < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(d);
}

inline double FloatOf(const Value& v) {
  if (auto* f = std::get_if<double>(&v)) return *f;
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  return 0.0;
}

inline bool BoolOf(const Value& v) { return Int32Of(v) != 0; }

inline std::string TextOf(const Value& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  if (std::holds_alternative<std::monostate>(v)) return {};
  return Table::ValueText(v);
}

}  // namespace kelvara::data_values
