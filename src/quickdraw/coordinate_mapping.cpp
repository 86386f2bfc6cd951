// Rounding of the coordinate mapping.
#include "quickdraw/coordinate_mapping.h"

namespace zeb::quickdraw {

int32_t MulDivRound(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const int64_t magnitude = product < 0 ? -product : product;
  const int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
  const int64_t quotient = (magnitude + divisor / 2) / divisor;
  return static_cast<int32_t>(negative ? -quotient : quotient);
}

}  // namespace zeb::quickdraw
