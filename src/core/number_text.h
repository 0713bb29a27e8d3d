#pragma once
// Number text with "." as decimal separator, whatever the locale.
#include <optional>
#include <string>
#include <string_view>

namespace kelvara {

// Fixed-point with exactly `decimals` decimals ("12.50").
std::string FormatFixed(double value, int decimals);
// Shortest text that reads back to the same double ("12.5", "3").
std::string FormatShortest(double value);
std::string FormatShortest(float value);
// Decimals after rounding, trailing zeros dropped ("0.2", "7.534").
std::string FormatRounded(double value, int decimals);

// Parses a number; surrounding blanks allowed, "," taken as ".". Empty optional on bad text.
std::optional<double> ParseNumber(std::string_view text);
std::optional<long long> ParseInteger(std::string_view text);

std::string Trim(std::string_view text);

}  // namespace kelvara
