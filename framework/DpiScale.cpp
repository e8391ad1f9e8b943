#include "framework/DpiScale.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

int ScaleLength(int value, int dpi) { return ScaleBetweenDpis(value, kDesignDpi, dpi); }

int ScaleBetweenDpis(int value, int from, int to) {
  if (from == to || from <= 0) return value;
  const long long product = static_cast<long long>(value) * to;
  // Half away from zero: the size is rounded and the sign put back. A hostile skin's huge numbers
  // stay within an int instead of wrapping around.
  const long long scaled = std::min<long long>((2 * std::llabs(product) + from) / (2LL * from), INT_MAX);
  return static_cast<int>(product < 0 ? -scaled : scaled);
}
