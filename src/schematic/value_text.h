#pragma once

#include <string>

namespace timer555 {

/// Resistance in ohms as printed beside a resistor: 4700 gives "4.7K",
/// 0 gives "  N/A".
std::string ResistanceText(double ohms);
/// Capacitance in farads as printed beside a capacitor: 1e-7 gives "100nF",
/// 1.5e-3 "1.5mF", 2 "2F".
std::string CapacitanceText(double farads);
/// Fixed-point text with `decimals` digits after the point, padded with
/// blanks on the left to `width`; rounded half away from zero at 18
/// significant digits. The point is always ".".
std::string FixedText(int width, int decimals, double value);
/// Drops trailing zeros (and a bare point) after a point, then leading blanks.
std::string TrimNumberText(const std::string& text);
/// Cuts a trimmed number text to n + 1 characters with rounding.
std::string RoundNumberText(const std::string& text, int n);

}  // namespace timer555
