#include "framework/DpiScale.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

int ScaleLength(int value, int dpi) {
  if (dpi == kDesignDpi) return value;
  const long long product = static_cast<long long>(value) * dpi;
  // Half away from zero: the size is rounded and the sign put back. A hostile skin's huge numbers
  // stay within an int instead of wrapping around.
  const long long scaled = std::min<long long>((std::llabs(product) + kDesignDpi / 2) / kDesignDpi, INT_MAX);
  return static_cast<int>(product < 0 ? -scaled : scaled);
}
