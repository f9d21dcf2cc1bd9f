#pragma once

// What the circuit built from the parts on screen really does: the ideal
// equations corrected for the timer's own figures, the steering diodes and
// the timing capacitor's leakage, all at typical values.

#include <optional>
#include <string>

#include "design/circuit_settings.h"
#include "design/design_kind.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// The typical figures of one timer family at one supply, from its data
/// sheet (see FiguresFor for the sources).
struct TimerFigures {
  double upperThreshold = 0;       ///< V, where the threshold comparator resets the latch (2/3 Vcc)
  double lowerThreshold = 0;       ///< V, where the trigger comparator sets it (1/3 Vcc)
  double dividerResistor = 0;      ///< ohm, each of the three resistors of the internal divider
  double thresholdCurrent = 0;     ///< A drawn from pin 6 all the time
  double triggerCurrent = 0;       ///< A pushed out of pin 2 while it is below the lower threshold
  double dischargeResistance = 0;  ///< ohm of the saturated discharge transistor (CMOS: on-resistance)
  double outputHigh = 0;           ///< V at the output when high (unloaded CMOS: the rail)
  double outputLow = 0;            ///< V at the output when low
  double resetThreshold = 0;       ///< V on pin 4 below which the timer is held reset
  double outputRiseTime = 0;       ///< s, the data page's rise time
  // Limits the advisor applies.
  double maxTimingResistance = 0;  ///< ohm, from the worst-case threshold current (CMOS: board leakage)
  double maxDischargeCurrent = 0;  ///< A the discharge pin is specified for
  double maxFrequency = 0;         ///< Hz, the data page's fmax
};
TimerFigures FiguresFor(const CircuitSettings& settings);

/// The published SPICE parameters of the 1N4148 steering diodes.
struct DiodeModel {
  double is = 0;   ///< saturation current, A
  double n = 0;    ///< emission coefficient
  double rs = 0;   ///< series resistance, ohm
  double cjo = 0;  ///< zero-bias junction capacitance, F (simulation only)
  double m = 0;    ///< grading coefficient (simulation only)
  double tt = 0;   ///< transit time, s (simulation only)
};
/// ON Semiconductor's 1N4148 model: IS = 2.52 nA, N = 1.752, RS = 0.568 ohm,
/// CJO = 4 pF, M = 0.4, TT = 20 ns.
DiodeModel Diode1N4148();
/// Thermal voltage kT/q at the 27 degree C every SPICE simulator assumes.
inline constexpr double kThermalVoltage = 1.380649e-23 * 300.15 / 1.602176634e-19;

/// A timing capacitor from 1 uF on is taken to be an aluminium
/// electrolytic (film parts stop below it); its tolerance is +/-20 %.
inline constexpr double kElectrolyticFrom = 1e-6;
inline constexpr double kElectrolyticTolerance = 0.20;
bool IsElectrolytic(double c1);
/// The datasheet maximum of an aluminium electrolytic's leakage at its
/// rated voltage, taken as `vcc`: 0.01 x C[uF] x V uA or 3 uA, whichever is
/// larger. 0 for a film capacitor.
double MaxLeakageCurrent(double c1, double vcc);
/// C1's leakage as a resistance: `vcc` over the typical leakage (a tenth of
/// the maximum, worstCase: the maximum itself) at `vcc`. Infinite for a film
/// capacitor.
double LeakageResistance(double c1, double vcc, bool worstCase);

/// Which effects a prediction includes; all of them at typical values by
/// default. Switching one off shows how much it contributes.
struct BuiltEffects {
  bool diodeDrop = true;            ///< design 3's 1N4148s (off: ideal diodes)
  bool capacitorLeakage = true;     ///< an electrolytic C1's leakage
  bool inputCurrent = true;         ///< the threshold and trigger input currents
  bool dischargeSaturation = true;  ///< the discharge transistor's saturation / on-resistance
  bool worstCaseLeakage = false;    ///< C1 leaks the datasheet maximum, not the typical tenth
};

/// Whether the built circuit runs.
enum class BuiltState {
  Runs,
  NeverOscillates,  ///< an astable whose C1 never reaches one of the thresholds
  NeverEnds,        ///< a monostable whose C1 never reaches the upper threshold
  NoTiming,         ///< a part is 0, negative or not finite (or no design)
};

/// What the built circuit does. Times and rates are 0 unless it runs.
struct ExpectedValues {
  BuiltState state = BuiltState::NoTiming;
  std::string reason;    ///< empty when it runs, else "never oscillates", "never ends" or "no defined timing"
  double highTime = 0;   ///< s; the monostable's pulse
  double lowTime = 0;    ///< s; 0 for the monostable
  double frequency = 0;  ///< Hz (astable designs)
  double duty = 0;       ///< fraction (astable designs)
  double pulse = 0;      ///< s (monostable)
  double settlesAt = 0;  ///< V where C1 settles when it never reaches `threshold`
  double threshold = 0;  ///< V of the threshold it never reaches
  bool runs() const { return state == BuiltState::Runs; }
};

/// The expected values of a design built from `parts` (R1, R2, C1) on a
/// timer of `settings`: each phase's time is the integral of C1 dV over the
/// net current into C1 at each voltage, between the thresholds. At most
/// 0.1 ms a call.
ExpectedValues PredictBuilt(DesignKind kind, const PartValues& parts, const CircuitSettings& settings);
ExpectedValues PredictBuilt(DesignKind kind, const PartValues& parts, const CircuitSettings& settings,
                            const BuiltEffects& effects);

/// The first high time of an astable whose C1 starts empty (power-on),
/// with the same effects; 0 when it never reaches the upper threshold or
/// for the monostable.
double StartupHighTime(DesignKind kind, const PartValues& parts, const CircuitSettings& settings);

/// The current that charges C1 as it reaches the upper threshold, with
/// typical figures and C1's leakage left out: what an electrolytic's
/// leakage competes with. 0 when a part is unusable.
double ChargingCurrentAtThreshold(DesignKind kind, const PartValues& parts, const CircuitSettings& settings);

/// What a design was asked for: frequency and duty cycle, or the pulse.
struct DesignTarget {
  double frequency = 0;  ///< Hz (astable designs)
  double duty = 0;       ///< fraction (astable designs; the 50 % design always aims at 0.5)
  double pulse = 0;      ///< s (monostable)
};

/// The relative miss of the expected frequency (or pulse) against the
/// target, signed (expected / target - 1); infinite when the circuit does
/// not run, NaN without a usable target.
double TargetMiss(DesignKind kind, const ExpectedValues& expected, const DesignTarget& target);
/// Whether compensated parts are called for: the expected frequency or pulse
/// misses the target by more than 1 %, or the circuit does not run.
bool CompensationCalledFor(DesignKind kind, const ExpectedValues& expected, const DesignTarget& target);

/// The R1 and R2 (same C1 and the rest) whose expected values hit the
/// target frequency and duty cycle (or the pulse) within 1e-6; nothing when
/// no such parts exist or the search does not find them.
std::optional<PartValues> CompensateParts(DesignKind kind, double frequency, double duty, double pulse,
                                          const PartValues& parts, const CircuitSettings& settings);

/// The effect behind the difference between the target and what is expected.
enum class BuiltCause {
  None,
  PartValues,           ///< the parts' own ideal timing misses the target
  DiodeDrop,            ///< the steering diodes' forward drop
  CapacitorLeakage,     ///< the electrolytic C1's leakage
  InputCurrent,         ///< the threshold input current
  DischargeSaturation,  ///< the discharge transistor's saturation voltage or on-resistance
};
/// The main cause of the miss: the effect whose removal moves the expected
/// timing furthest (or the parts themselves when their ideal timing misses
/// the target by more).
BuiltCause MainCause(DesignKind kind, const PartValues& parts, const CircuitSettings& settings,
                     const DesignTarget& target);
/// A few words naming a cause for a sentence: "the diodes' forward drop".
std::string CauseText(BuiltCause cause, TimerFamily family);

}  // namespace timer555
