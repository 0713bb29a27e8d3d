#pragma once
// Comparisons of lengths on differences rounded to 3 decimals.
#include "core/rounding.h"

namespace kelvara::layout3 {

// -1, 0 or 1: the sign of a - b after rounding the difference to 3 decimals.
inline int Cmp(double a, double b) {
  const double d = Round3(a - b);
  return d > 0 ? 1 : (d < 0 ? -1 : 0);
}
inline bool Eq(double a, double b) { return Cmp(a, b) == 0; }
inline bool Lt(double a, double b) { return Cmp(a, b) < 0; }
inline bool Le(double a, double b) { return Cmp(a, b) <= 0; }
inline bool Gt(double a, double b) { return Cmp(a, b) > 0; }
inline bool Ge(double a, double b) { return Cmp(a, b) >= 0; }

}  // namespace kelvara::layout3
