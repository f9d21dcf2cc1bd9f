// The expected-value model: each phase of the built circuit as C1 moving
// between the thresholds under the net current at each voltage, from the
// timer's typical data-sheet figures, the 1N4148's published model and an
// electrolytic C1's typical leakage.

#include "design/built_circuit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

#include "design/design_table.h"
#include "design/timing.h"

namespace timer555 {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

/// Straight-line interpolation through points (x ascending), flat beyond
/// both ends.
double Interpolate(std::initializer_list<std::pair<double, double>> points, double x) {
  const auto* previous = points.begin();
  if (x <= previous->first) return previous->second;
  for (const auto* p = points.begin() + 1; p != points.end(); previous = p++) {
    if (x <= p->first) {
      return previous->second +
             (p->second - previous->second) * (x - previous->first) / (p->first - previous->first);
    }
  }
  return previous->second;
}

/// 16-point Gauss-Legendre rule on [-1, 1]: the positive nodes and their
/// weights (the rule is symmetric).
constexpr std::array<std::pair<double, double>, 8> kGauss16 = {{
    {0.98940093499164994, 0.027152459411754058},
    {0.9445750230732326, 0.062253523938647776},
    {0.86563120238783176, 0.095158511682492897},
    {0.755404408355003, 0.12462897125553395},
    {0.61787624440264377, 0.14959598881657682},
    {0.45801677765722737, 0.16915651939500256},
    {0.28160355077925892, 0.18260341504492361},
    {0.095012509837637441, 0.18945061045506847},
}};

/// The current through resistance `r` in series with a forward diode when
/// `u` volts lie across both: I (r + Rs) + N Vt ln(1 + I / Is) = u, solved
/// exactly with the Lambert W function, W found by Newton's method on
/// y = ln W (e^y + y = x is convex and increasing, so it converges from
/// any start).
double DiodeBranchCurrent(double u, double r, const DiodeModel& d) {
  const double a = d.n * kThermalVoltage;
  const double rt = r + d.rs;
  const double x = std::log(d.is * rt / a) + (u + d.is * rt) / a;
  // For large x, W = x - ln x + ln x / x is already close to 1e-3.
  double y = x > 2 ? std::log(x - std::log(x) + std::log(x) / x) : x - 1;
  for (int i = 0; i < 60; ++i) {
    const double ey = std::exp(y);
    const double step = (ey + y - x) / (ey + 1);
    y -= step;
    if (std::abs(step) < 1e-11 * std::max(1.0, std::abs(y))) break;
  }
  return a / rt * std::exp(y) - d.is;
}

/// The time C1 (farad) takes from `va` to `vb` while `rate(v)` amperes move
/// it that way; nothing when the current dies out before `vb`.
///
/// With u = ln L(v), L the straight line through the currents at both
/// ends, dt = C dv / I = (C / L') (L / I) du; L / I is smooth and near 1 all
/// the way, also when C1 only creeps up to the threshold (a current at `vb`
/// that is a tiny fraction of the one at `va`), where 1 / I would not be.
template <typename Rate>
std::optional<double> PhaseTime(double c, double va, double vb, Rate rate) {
  const double ia = rate(va);
  const double ib = rate(vb);
  if (!(ia > 0) || !(ib > 0)) return std::nullopt;
  const double distance = std::abs(vb - va);
  const double direction = vb > va ? 1 : -1;
  if (std::abs(ib - ia) <= 1e-12 * ia) return c * distance / ia;
  const double slope = (ib - ia) / distance;
  const double mid = (std::log(ia) + std::log(ib)) / 2;
  const double half = (std::log(ib) - std::log(ia)) / 2;
  double sum = 0;
  for (const auto& [node, weight] : kGauss16) {
    for (const double s : {-node, node}) {
      const double l = std::exp(mid + half * s);
      const double current = rate(va + direction * (l - ia) / slope);
      if (!(current > 0)) return std::nullopt;
      sum += weight * l / current;
    }
  }
  return c * half * sum / slope;
}

/// Where C1 settles: the voltage in [0, vcc] at which `rate` (the current
/// moving C1 in the phase's direction, falling towards the end) changes
/// sign; `upward` tells the direction.
template <typename Rate>
double SettlingVoltage(double vcc, bool upward, Rate rate) {
  double lo = 0;
  double hi = vcc;
  for (int i = 0; i < 60; ++i) {
    const double v = (lo + hi) / 2;
    ((rate(v) > 0) == upward ? lo : hi) = v;
  }
  return (lo + hi) / 2;
}

/// What C1 sees: the supply, the thresholds, the leakage, the input current
/// at pin 6 and the discharge transistor (0: ideal).
struct Node {
  double vcc = 0;
  double upper = 0;
  double lower = 0;
  double c = 0;
  double leakage = 0;  ///< S
  double inputCurrent = 0;
  double discharge = 0;  ///< ohm
  std::optional<DiodeModel> diode;

  double Branch(double u, double r) const {
    return diode ? DiodeBranchCurrent(u, r, *diode) : std::max(0.0, u) / r;
  }
  /// Pin 7 with R1 from Vcc and the saturated transistor to ground, as a
  /// source (volt, ohm).
  std::pair<double, double> Pin7(double r1) const {
    return {vcc * discharge / (r1 + discharge), r1 * discharge / (r1 + discharge)};
  }
};

ExpectedValues NotRunning(BuiltState state, double settlesAt, double threshold) {
  ExpectedValues e;
  e.state = state;
  e.reason = state == BuiltState::NeverEnds ? "never ends" : "never oscillates";
  e.settlesAt = settlesAt;
  e.threshold = threshold;
  return e;
}

/// An astable: C1 charges from the lower to the upper threshold with
/// `charge(v)` and discharges back with `discharge(v)` (both the current
/// moving C1 that way).
template <typename Charge, typename Discharge>
ExpectedValues Astable(const Node& n, Charge charge, Discharge discharge) {
  const std::optional<double> high = PhaseTime(n.c, n.lower, n.upper, charge);
  if (!high) return NotRunning(BuiltState::NeverOscillates, SettlingVoltage(n.vcc, true, charge), n.upper);
  const std::optional<double> low = PhaseTime(n.c, n.upper, n.lower, discharge);
  if (!low) return NotRunning(BuiltState::NeverOscillates, SettlingVoltage(n.vcc, false, discharge), n.lower);
  ExpectedValues e;
  e.state = BuiltState::Runs;
  e.highTime = *high;
  e.lowTime = *low;
  e.frequency = 1 / (*high + *low);
  e.duty = *high / (*high + *low);
  return e;
}

/// Calls `use(charge, discharge)` with the currents that move C1 up and
/// down in an astable design; a default Result for the monostable.
template <typename Result, typename Use>
Result WithAstablePhases(DesignKind kind, double r1, double r2, const Node& n, Use use) {
  const double g = n.leakage;
  const double ith = n.inputCurrent;
  switch (kind) {
    case DesignKind::Astable: {
      const double v7 = n.Pin7(r1).first;
      const double r7 = n.Pin7(r1).second;
      return use([&](double v) { return (n.vcc - v) / (r1 + r2) - g * v - ith; },
                 [&](double v) { return (v - v7) / (r2 + r7) + g * v + ith; });
    }
    case DesignKind::Square:
      // Charging through R1 alone (pin 7 is open); discharging, R1 still
      // feeds C1 while R2 drains it into pin 7.
      return use([&](double v) { return (n.vcc - v) / r1 - g * v - ith; },
                 [&](double v) { return v / (r2 + n.discharge) - (n.vcc - v) / r1 + g * v + ith; });
    case DesignKind::LowDuty: {
      // Charging from Vcc through R1 and D1; discharging through D2 and R2
      // into pin 7, which R1 also feeds.
      const double v7 = n.Pin7(r1).first;
      const double r7 = n.Pin7(r1).second;
      return use([&](double v) { return n.Branch(n.vcc - v, r1) - g * v - ith; },
                 [&](double v) { return n.Branch(v - v7, r2 + r7) + g * v + ith; });
    }
    case DesignKind::Monostable:
    case DesignKind::None: break;
  }
  return Result{};
}

ExpectedValues Monostable(double r1, const Node& n) {
  // At rest the saturated transistor holds C1 a little above 0 V; the pulse
  // lasts from there to the upper threshold.
  const double g = n.leakage;
  const double ith = n.inputCurrent;
  const double rest = n.discharge > 0 ? (n.vcc / r1 - ith) / (1 / r1 + g + 1 / n.discharge) : 0.0;
  const auto charge = [&](double v) { return (n.vcc - v) / r1 - g * v - ith; };
  const std::optional<double> pulse = PhaseTime(n.c, std::max(rest, 0.0), n.upper, charge);
  if (!pulse) return NotRunning(BuiltState::NeverEnds, SettlingVoltage(n.vcc, true, charge), n.upper);
  ExpectedValues e;
  e.state = BuiltState::Runs;
  e.highTime = *pulse;
  e.pulse = *pulse;
  return e;
}

/// C1's surroundings for a design built from `parts`; nothing when a part
/// or the supply is unusable.
std::optional<Node> NodeFor(DesignKind kind, const PartValues& parts, const CircuitSettings& settings,
                            const BuiltEffects& effects) {
  const DesignRow* row = FindDesign(kind);
  const bool needsR2 = kind != DesignKind::Monostable;
  if (row == nullptr || !PositiveFinite(parts.R1) || (needsR2 && !PositiveFinite(parts.R2)) ||
      !PositiveFinite(parts.C1) || !PositiveFinite(settings.vcc)) {
    return std::nullopt;
  }
  const TimerFigures f = FiguresFor(settings);
  Node n;
  n.vcc = settings.vcc;
  n.upper = f.upperThreshold;
  n.lower = f.lowerThreshold;
  n.c = parts.C1;
  if (effects.capacitorLeakage)
    n.leakage = 1 / LeakageResistance(parts.C1, settings.vcc, effects.worstCaseLeakage);
  // The trigger current flows only while pin 2 is below the lower
  // threshold, which C1 only touches when it turns; the threshold current
  // flows all the time.
  if (effects.inputCurrent) n.inputCurrent = f.thresholdCurrent;
  if (effects.dischargeSaturation) n.discharge = f.dischargeResistance;
  if (row->steeringDiodes && effects.diodeDrop) n.diode = Diode1N4148();
  return n;
}

/// ln of the period (astable) or pulse; infinite when it does not run.
double LogTime(DesignKind kind, const ExpectedValues& e) {
  if (!e.runs()) return kInfinity;
  return std::log(kind == DesignKind::Monostable ? e.pulse : e.highTime + e.lowTime);
}

}  // namespace

TimerFigures FiguresFor(const CircuitSettings& settings) {
  const double v = settings.vcc;
  TimerFigures f;
  f.upperThreshold = 2 * v / 3;
  f.lowerThreshold = v / 3;
  if (settings.family == TimerFamily::Bipolar) {
    // NE555 data sheet (Texas Instruments SLFS022), typical values: a
    // divider of three 5 kOhm resistors; threshold current 0.1 uA (0.25 uA
    // maximum); trigger current 0.5 uA; discharge saturation 180 mV at
    // 15 mA with Vcc = 15 V and 80 mV at 4.5 mA with Vcc = 4.5 V, taken as
    // a resistance between the two; output high 13.3 V at 15 V and 3.3 V at
    // 5 V (Vcc - 1.7 V), low 0.1 V; reset at 0.7 V. Rise time and fmax from
    // the program's own timer table.
    f.dividerResistor = 5000;
    f.thresholdCurrent = 0.1e-6;
    f.triggerCurrent = 0.5e-6;
    f.dischargeResistance = Interpolate({{4.5, 80e-3 / 4.5e-3}, {15, 180e-3 / 15e-3}}, v);
    f.outputHigh = v - 1.7;
    f.outputLow = 0.1;
    f.resetThreshold = 0.7;
    f.outputRiseTime = 100e-9;
    // The charging current at the upper threshold, Vcc / 3 over R, must
    // exceed the worst-case 0.25 uA: R below Vcc / 7.5e-7.
    f.maxTimingResistance = v / 7.5e-7;
    f.maxDischargeCurrent = 15e-3;
    f.maxFrequency = 0.5e6;
  } else {
    // TLC555 data sheet (Texas Instruments SLFS043), typical values:
    // threshold and trigger currents 10 pA; discharge switch on-state
    // voltage 0.03 V at 1 mA (VDD = 2 V), 0.15 V at 10 mA (5 V), 0.5 V at
    // 100 mA (15 V), taken as a resistance interpolated between them; an
    // unloaded output swings rail to rail. The divider's value is assumed
    // (only its ratio matters); rise time and fmax from the timer table.
    f.dividerResistor = 100e3;
    f.thresholdCurrent = 10e-12;
    f.triggerCurrent = 10e-12;
    f.dischargeResistance = Interpolate({{2, 0.03 / 1e-3}, {5, 0.15 / 10e-3}, {15, 0.5 / 100e-3}}, v);
    f.outputHigh = v;
    f.outputLow = 0;
    f.resetThreshold = 1.1;
    f.outputRiseTime = 20e-9;
    // 10 pA would allow gigaohms; long before that the board's surface
    // leakage and humidity take over, so the limit is a practical 100 MOhm.
    f.maxTimingResistance = 100e6;
    f.maxDischargeCurrent = 10e-3;
    f.maxFrequency = 2e6;
  }
  return f;
}

DiodeModel Diode1N4148() { return {2.52e-9, 1.752, 0.568, 4e-12, 0.4, 20e-9}; }

bool IsElectrolytic(double c1) { return c1 >= kElectrolyticFrom && std::isfinite(c1); }

double MaxLeakageCurrent(double c1, double vcc) {
  // 0.01 x C[uF] x V uA is 0.01 x C[F] x V A.
  return IsElectrolytic(c1) ? std::max(0.01 * c1 * vcc, 3e-6) : 0.0;
}

double LeakageResistance(double c1, double vcc, bool worstCase) {
  // A typical part leaks a tenth of the datasheet maximum; taken as a
  // resistance (leakage grows with the voltage held), so a 1 mF part that
  // may leak 150 uA at 15 V typically leaks 15 uA there: 1 MOhm.
  if (!IsElectrolytic(c1)) return kInfinity;
  return vcc / (MaxLeakageCurrent(c1, vcc) * (worstCase ? 1 : 0.1));
}

ExpectedValues PredictBuilt(DesignKind kind, const PartValues& parts, const CircuitSettings& settings) {
  return PredictBuilt(kind, parts, settings, BuiltEffects{});
}

ExpectedValues PredictBuilt(DesignKind kind, const PartValues& parts, const CircuitSettings& settings,
                            const BuiltEffects& effects) {
  const std::optional<Node> n = NodeFor(kind, parts, settings, effects);
  if (!n) {
    ExpectedValues none;
    none.reason = "no defined timing";
    return none;
  }
  if (kind == DesignKind::Monostable) return Monostable(parts.R1, *n);
  return WithAstablePhases<ExpectedValues>(kind, parts.R1, parts.R2, *n, [&](auto charge, auto discharge) {
    return Astable(*n, charge, discharge);
  });
}

double StartupHighTime(DesignKind kind, const PartValues& parts, const CircuitSettings& settings) {
  const std::optional<Node> n = NodeFor(kind, parts, settings, BuiltEffects{});
  if (!n) return 0;
  return WithAstablePhases<double>(kind, parts.R1, parts.R2, *n, [&](auto charge, auto) {
    return PhaseTime(n->c, 0, n->upper, charge).value_or(0);
  });
}

double ChargingCurrentAtThreshold(DesignKind kind, const PartValues& parts, const CircuitSettings& settings) {
  BuiltEffects effects;
  effects.capacitorLeakage = false;
  const std::optional<Node> n = NodeFor(kind, parts, settings, effects);
  if (!n) return 0;
  if (kind == DesignKind::Monostable) return (n->vcc - n->upper) / parts.R1 - n->inputCurrent;
  return WithAstablePhases<double>(kind, parts.R1, parts.R2, *n,
                                   [&](auto charge, auto) { return charge(n->upper); });
}

double TargetMiss(DesignKind kind, const ExpectedValues& expected, const DesignTarget& target) {
  const double goal = kind == DesignKind::Monostable ? target.pulse : target.frequency;
  if (!PositiveFinite(goal) || FindDesign(kind) == nullptr) return std::numeric_limits<double>::quiet_NaN();
  if (!expected.runs()) return kInfinity;
  return (kind == DesignKind::Monostable ? expected.pulse : expected.frequency) / goal - 1;
}

bool CompensationCalledFor(DesignKind kind, const ExpectedValues& expected, const DesignTarget& target) {
  const double miss = TargetMiss(kind, expected, target);
  return !std::isnan(miss) && std::abs(miss) > 0.01;
}

BuiltCause MainCause(DesignKind kind, const PartValues& parts, const CircuitSettings& settings,
                     const DesignTarget& target) {
  const double all = LogTime(kind, PredictBuilt(kind, parts, settings));
  const auto score = [&](double other) {
    if (std::isinf(all) && std::isinf(other)) return 0.0;
    return std::abs(all - other);
  };
  BuiltCause best = BuiltCause::None;
  double bestScore = 0;
  const auto consider = [&](BuiltCause cause, double s) {
    if (s > bestScore) {
      best = cause;
      bestScore = s;
    }
  };
  const std::pair<BuiltCause, bool BuiltEffects::*> effects[] = {
      {BuiltCause::CapacitorLeakage, &BuiltEffects::capacitorLeakage},
      {BuiltCause::InputCurrent, &BuiltEffects::inputCurrent},
      {BuiltCause::DiodeDrop, &BuiltEffects::diodeDrop},
      {BuiltCause::DischargeSaturation, &BuiltEffects::dischargeSaturation},
  };
  for (const auto& [cause, member] : effects) {
    BuiltEffects without;
    without.*member = false;
    consider(cause, score(LogTime(kind, PredictBuilt(kind, parts, settings, without))));
  }
  // The parts themselves, when their ideal timing already misses the target.
  const OutputTimes ideal = TimesFromComponents(kind, parts.R1, parts.R2, parts.C1);
  const double goal = kind == DesignKind::Monostable ? target.pulse : 1 / target.frequency;
  if (ideal.defined && PositiveFinite(goal)) {
    const double idealTime = kind == DesignKind::Monostable ? ideal.high : ideal.high + ideal.low;
    const double partsMiss = std::abs(std::log(idealTime / goal));
    if (partsMiss > bestScore) best = BuiltCause::PartValues;
  }
  return best;
}

std::string CauseText(BuiltCause cause, TimerFamily family) {
  switch (cause) {
    case BuiltCause::None: return "nothing";
    case BuiltCause::PartValues: return "the parts' own values";
    case BuiltCause::DiodeDrop: return "the diodes' forward drop";
    case BuiltCause::CapacitorLeakage: return "C1's leakage";
    case BuiltCause::InputCurrent: return "the threshold input current";
    case BuiltCause::DischargeSaturation:
      return family == TimerFamily::Bipolar ? "the discharge transistor's saturation voltage"
                                            : "the discharge switch's on-resistance";
  }
  return "nothing";
}

}  // namespace timer555
