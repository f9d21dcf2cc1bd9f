#pragma once

#include <string>
#include <vector>

#include "design/design_kind.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// The rules the advisor applies to a calculated design, in the order its
/// findings are listed.
enum class AdviceRule {
  ResistanceTooHigh,  ///< timing resistance above what a bipolar 555 allows at 15 V
  ResistorTooLow,     ///< a timing resistor that overloads the discharge transistor
  CapacitorTooSmall,  ///< C1 within ten times the stray capacitance
  FrequencyTooHigh,   ///< above the bipolar 555's fmax
  IdealDiodes,        ///< the steering diodes' drop, which the equations leave out
};

/// One thing about the parts on screen that a builder should know: the rule
/// and one sentence naming the part, its value, the limit and the remedy.
struct Finding {
  AdviceRule rule;
  std::string text;
};

/// The limits the rules use (from the component notes and the timer data).
inline constexpr double kMaxTimingResistance = 15.0 / 7.5e-7;  ///< ohm: Vcc / 7.5e-7 at 15 V, 20M
inline constexpr double kMinTimingResistor = 1000;             ///< ohm: 15 mA at 15 V
inline constexpr double kMinTimingCapacitor = 200e-12;         ///< farad: ten times 20 pF of strays
inline constexpr double kBipolarMaxFrequency = 0.5e6;          ///< hertz: the bipolar 555's fmax

/// What the advisor finds about a design built from `parts` (R1, R2, C1)
/// that runs at `frequency` (ignored by the monostable), in rule order.
/// Empty when every rule holds. Values that are 0, negative or not finite
/// are never quoted; the rules that need them say nothing.
std::vector<Finding> AdviseDesign(DesignKind kind, const PartValues& parts, double frequency);

/// How much longer a steering diode's forward drop `drop` makes both times
/// of the below-50 % design at supply `vcc`: the charge runs from Vcc/3 to
/// 2Vcc/3 towards Vcc - drop, the discharge from 2Vcc/3 to Vcc/3 towards
/// drop, so each time grows from ln 2 to ln((2Vcc/3 - drop) / (Vcc/3 - drop))
/// times R C. Returns that ratio (above 1 for a positive drop).
double DiodeDropStretch(double vcc, double drop);

}  // namespace timer555
