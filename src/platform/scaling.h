#pragma once

namespace timer555 {

/// The window's scale factor, the double nearest 1.2 (just below 1.2).
inline constexpr double ScaleFactor = 1.2;

/// Trunc(value x ScaleFactor), with the product formed in extended precision
/// from the double just below 1.2, so that a whole-number product comes out
/// one less: 10 gives 11, 20 gives 23, while 11 gives 13 and 16 gives 19.
inline int ScaleTrunc(int value) {
  long double product = static_cast<long double>(value) * static_cast<long double>(ScaleFactor);
  return static_cast<int>(product);
}

}  // namespace timer555
