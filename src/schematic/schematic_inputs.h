#pragma once

#include "platform/canvas.h"

namespace timer555 {

/// The component values a schematic prints beside its parts, in ohm and
/// farad, by part number (R1..R3, C1..C4).
struct PartValues {
  double C1 = 0, C2 = 0, C3 = 0, C4 = 0;
  double R1 = 0, R2 = 0;
  double R3 = 0;  ///< read by the resistor symbol, never written by a design
  friend bool operator==(const PartValues&, const PartValues&) = default;
};

/// The timer chip a schematic's timer symbol shows: the single 555 or one
/// half of the dual 556. The numbers are those the chip switch has always
/// stored.
enum class TimerChip : int {
  Single555 = 0,
  Dual556A = 2,
  Dual556B = 3,
};

/// What one drawing of a circuit script is asked for.
struct DrawOptions {
  /// Print the values of `values` beside resistors and capacitors.
  bool showValues = false;
  PartValues values;
  TimerChip chip = TimerChip::Single555;
  /// Clear the rectangle to white first (the design pages do; application
  /// pages draw over what their page put there).
  bool clearFirst = false;
};

/// Where a drawing put the parts a user can click: resistors 1..4 (entry 0
/// unused) and capacitor C1. A part the drawing does not have has an empty
/// zone.
struct PartZones {
  Rect Resistors[5];
  Rect C1;
  friend bool operator==(const PartZones&, const PartZones&) = default;
};

}  // namespace timer555
