#include "platform/canvas.h"

#include <cstdlib>

namespace timer555 {

namespace {
// Windows' MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c) {
  long long num = static_cast<long long>(a) * b;
  long long q = (std::llabs(num) * 2 + std::llabs(c)) / (2 * std::llabs(static_cast<long long>(c)));
  return static_cast<int>(((num < 0) != (c < 0)) ? -q : q);
}
}  // namespace

int PointsToPixels(int points) { return MulDiv(points, 96, 72); }

int HeightToPoints(int height) { return -MulDiv(height, 72, 96); }

}  // namespace timer555
