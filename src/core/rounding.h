#pragma once
// Rounding to a number of decimals, and the 3-decimal comparisons of the geometry.
namespace kelvara {

// Nearest multiple of 10^-decimals, halves away from zero. Negative decimals count as 0.
double RoundTo(double value, int decimals);
inline double Round3(double value) { return RoundTo(value, 3); }
// True when the value rounded to 3 decimals is 0.
inline bool IsZero3(double value) { return Round3(value) == 0.0; }

}  // namespace kelvara
