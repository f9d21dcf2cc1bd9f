#include "design/timing.h"

#include <cmath>

#include "design/limits.h"

namespace timer555 {

namespace {

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

}  // namespace

OutputTimes TimesFromComponents(DesignKind kind, double r1, double r2, double c1) {
  OutputTimes t;
  switch (kind) {
    case DesignKind::Monostable:
      t.high = kLn3 * r1 * c1;
      t.defined = PositiveFinite(r1) && PositiveFinite(c1) && PositiveFinite(t.high);
      return t;
    case DesignKind::Astable:
      t.high = kLn2 * (r1 + r2) * c1;
      t.low = kLn2 * r2 * c1;
      break;
    case DesignKind::Square:
      // Defined only while R2 stays below R1 / 2; above it the fraction is
      // zero or negative and the circuit does not oscillate.
      t.high = kLn2 * r1 * c1;
      t.low = std::log((r2 - 2 * r1) / (2 * r2 - r1)) * (r1 * r2 / (r1 + r2)) * c1;
      break;
    case DesignKind::LowDuty:
      t.high = kLn2 * r1 * c1;
      t.low = kLn2 * r2 * c1;
      break;
    default: return t;
  }
  const double period = t.high + t.low;
  t.defined = PositiveFinite(r1) && PositiveFinite(r2) && PositiveFinite(c1) && PositiveFinite(t.high) &&
              PositiveFinite(t.low) && PositiveFinite(period) && PositiveFinite(1 / period);
  return t;
}

}  // namespace timer555
