#include "design/timing.h"

#include <cmath>

#include "design/design_equations.h"
#include "design/design_table.h"
#include "design/limits.h"

namespace timer555 {

namespace {

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

// An astable design's times are defined when every component and both
// times are positive and finite, and so is the frequency.
OutputTimes Astable(double r1, double r2, double c1, double high, double low) {
  const double period = high + low;
  const bool defined = PositiveFinite(r1) && PositiveFinite(r2) && PositiveFinite(c1) &&
                       PositiveFinite(high) && PositiveFinite(low) && PositiveFinite(period) &&
                       PositiveFinite(1 / period);
  return {high, low, defined};
}

}  // namespace

OutputTimes Above50Times(double r1, double r2, double c1) {
  return Astable(r1, r2, c1, kLn2 * (r1 + r2) * c1, kLn2 * r2 * c1);
}

OutputTimes SquareTimes(double r1, double r2, double c1) {
  // Defined only while R2 stays below R1 / 2; above it the fraction is
  // zero or negative and the circuit does not oscillate.
  return Astable(r1, r2, c1, kLn2 * r1 * c1,
                 std::log((r2 - 2 * r1) / (2 * r2 - r1)) * (r1 * r2 / (r1 + r2)) * c1);
}

OutputTimes Below50Times(double r1, double r2, double c1) {
  return Astable(r1, r2, c1, kLn2 * r1 * c1, kLn2 * r2 * c1);
}

OutputTimes MonostableTimes(double r1, double, double c1) {
  const double high = kLn3 * r1 * c1;
  return {high, 0, PositiveFinite(r1) && PositiveFinite(c1) && PositiveFinite(high)};
}

OutputTimes TimesFromComponents(DesignKind kind, double r1, double r2, double c1) {
  const DesignRow* row = FindDesign(kind);
  return row != nullptr ? row->times(r1, r2, c1) : OutputTimes{};
}

}  // namespace timer555
