#include "core/number_text.h"

#include <charconv>
#include <cmath>

#include "core/rounding.h"

namespace kelvara {

std::string FormatFixed(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  char buf[512];
  auto r = std::to_chars(buf, buf + sizeof buf, RoundTo(value, decimals), std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return "0";
  std::string s(buf, r.ptr);
  if (s.size() > 1 && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

std::string FormatShortest(double value) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value == 0.0 ? 0.0 : value);
  return r.ec == std::errc() ? std::string(buf, r.ptr) : "0";
}

std::string FormatShortest(float value) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value == 0.0f ? 0.0f : value);
  return r.ec == std::errc() ? std::string(buf, r.ptr) : "0";
}

std::string FormatRounded(double value, int decimals) {
  std::string s = FormatFixed(value, decimals);
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  return s;
}

std::string Trim(std::string_view text) {
  const auto b = text.find_first_not_of(" \t\r\n");
  if (b == std::string_view::npos) return {};
  const auto e = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(b, e - b + 1));
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string s = Trim(text);
  for (char& c : s)
    if (c == ',') c = '.';
  if (!s.empty() && s[0] == '+') s.erase(0, 1);
  if (s.empty()) return std::nullopt;
  double v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<long long> ParseInteger(std::string_view text) {
  std::string s = Trim(text);
  if (!s.empty() && s[0] == '+') s.erase(0, 1);
  if (s.empty()) return std::nullopt;
  long long v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

}  // namespace kelvara
