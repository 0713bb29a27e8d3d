#include "core/rounding.h"

#include <cmath>

namespace kelvara {

double RoundTo(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 15) return value;
  if (!std::isfinite(value)) return value;
  const double scale = std::pow(10.0, decimals);
  const double r = std::round(value * scale) / scale;
  return r == 0.0 ? 0.0 : r;  // no negative zero
}

}  // namespace kelvara
