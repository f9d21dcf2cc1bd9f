#pragma once

#include "design/design_kind.h"

namespace timer555 {

/// The output times a design gives with these components. For the
/// monostable design `high` is the pulse length and `low` stays 0.
struct OutputTimes {
  double high = 0;
  double low = 0;
  /// False when the components give no defined timing: a value that is 0,
  /// negative or not finite, or in the 50 % design R2 at or above R1 / 2
  /// (that circuit does not oscillate).
  bool defined = false;
};

/// The timing equations of each design, from the component values (ohm,
/// farad) to the output times (second). R2 is not read by the monostable
/// design.
OutputTimes TimesFromComponents(DesignKind kind, double r1, double r2, double c1);

}  // namespace timer555
