#pragma once

#include <string>
#include <vector>

#include "design/built_circuit.h"
#include "design/circuit_settings.h"
#include "design/design_kind.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// The rules the advisor applies to a calculated design, in the order its
/// findings are listed.
enum class AdviceRule {
  ResistanceTooHigh,      ///< timing resistance above what the timer's input current allows at Vcc
  ResistorTooLow,         ///< a timing resistor that overloads the discharge transistor
  CapacitorTooSmall,      ///< C1 within ten times the stray capacitance
  ElectrolyticCapacitor,  ///< C1 from 1 uF: its tolerance and its leakage against the charging current
  FrequencyTooHigh,       ///< above the timer family's fmax
  IdealDiodes,            ///< the steering diodes' drop, which the equations leave out
  ExpectedOffTarget,      ///< the built circuit misses the target by more than 5 %
};

/// One thing about the parts on screen that a builder should know: the rule
/// and one sentence naming the part, its value, the limit and the remedy.
struct Finding {
  AdviceRule rule;
  std::string text;
};

/// The limits the rules use at 15 V on a bipolar timer (from the component
/// notes and the timer data); FiguresFor gives them for other settings.
inline constexpr double kMaxTimingResistance = 15.0 / 7.5e-7;  ///< ohm: Vcc / 7.5e-7 at 15 V, 20M
inline constexpr double kMinTimingResistor = 1000;             ///< ohm: 15 mA at 15 V
inline constexpr double kMinTimingCapacitor = 200e-12;         ///< farad: ten times 20 pF of strays
inline constexpr double kBipolarMaxFrequency = 0.5e6;          ///< hertz: the bipolar 555's fmax

/// What the advisor finds about a design built from `parts` (R1, R2, C1)
/// that runs at `frequency` (ignored by the monostable), on a timer of
/// `settings`, asked for `target`; in rule order. Empty when every rule
/// holds. Values that are 0, negative or not finite are never quoted; the
/// rules that need them say nothing.
std::vector<Finding> AdviseDesign(DesignKind kind, const PartValues& parts, double frequency,
                                  const CircuitSettings& settings, const DesignTarget& target);

/// The same on a bipolar timer at 15 V, asked for what the ideal equations
/// give with these parts.
std::vector<Finding> AdviseDesign(DesignKind kind, const PartValues& parts, double frequency);

}  // namespace timer555
