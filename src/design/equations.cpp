// The timing equations of the four designs: the component values from the
// inputs (with the capacitor decade search and the root search of the 50 %
// design), the capacitor steps through the E12 list, and the reverse
// calculation from adjusted components.

#include <cmath>

#include "design/design_equations.h"
#include "design/design_table.h"
#include "design/engine.h"
#include "design/limits.h"
#include "design/timing.h"
#include "schematic/value_text.h"

namespace timer555 {

namespace {

/// A root of the 50 % design is accepted when the low time matches the high
/// time to this fraction of the high time. A fixed tolerance in seconds would
/// accept any R2 once the high time itself is that small.
constexpr double kRelativeRootTolerance = 1e-6;

/// Bisection halves the interval at most this often; far more than the ~100
/// halvings that exhaust a double, so it only ends a search that cannot
/// converge.
constexpr int kMaxBisections = 400;

/// Upper bound on the passes of one decade search, whatever CapDecade holds.
constexpr int kMaxDecadePasses = kMaxCapDecade - kMinCapDecade + 1;

bool WithinTolerance(const LowTimeEquation& equation, double residual) {
  return std::fabs(residual) < kRelativeRootTolerance * equation.highTime;
}

// Written as comparisons rather than a product so that a NaN residual never
// counts as a sign change and two tiny residuals cannot underflow to zero.
bool OppositeSigns(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }
bool SameSign(double a, double b) { return (a < 0 && b < 0) || (a > 0 && b > 0); }

RootSearch Bisect(const LowTimeEquation& equation, double a, double b, double ra) {
  for (int i = 0; i < kMaxBisections; ++i) {
    double m = (a + b) / 2;
    if (m == a || m == b) break;  // the interval cannot shrink any further
    double rm = equation.Residual(m);
    if (WithinTolerance(equation, rm)) return {true, m};
    if (SameSign(rm, ra)) {
      a = m;
      ra = rm;
    } else {
      b = m;
    }
  }
  return {};
}

enum class Pass { Reached, TooLow, Failed };

/// Runs `pass` on the design's C1 and, with the decade search, divides C1 by
/// ten after every pass whose timing resistance stays below 5000 ohm. Returns
/// Failed when a pass failed or when C1 would leave the range CapDecade may
/// cover. An exact search takes the first pass as it comes.
template <typename PassFunction>
Pass SearchDecades(DesignState& s, CapacitorSearch search, PassFunction pass) {
  for (int passes = 0; passes < kMaxDecadePasses; ++passes) {
    Pass outcome = pass();
    if (outcome != Pass::TooLow) return outcome;
    if (search == CapacitorSearch::Exact) return Pass::Reached;
    if (s.CapDecade >= kMaxCapDecade) break;
    s.C1 /= 10;
    ++s.CapDecade;
  }
  return Pass::Failed;
}

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

ComponentsResult Failure(const DesignState& design, const std::string& message) {
  ComponentsResult result;
  result.error = message;
  result.design = design;
  return result;
}

ComponentsResult Success(DesignState design) {
  ComponentsResult result;
  result.computed = true;
  result.design = std::move(design);
  return result;
}

/// The output times the astable designs' waveform shows, from the duty
/// cycle and the frequency.
void SetAstableTimes(DesignState& s) {
  s.HighTime = s.DutyCycle / s.Frequency;
  s.LowTime = (1 - s.DutyCycle) / s.Frequency;
}

}  // namespace

double PowerOfTen(double x) {
  // Formed in extended precision, so whole exponents give the exact powers
  // of ten that the E12 capacitor values are built from.
  return static_cast<double>(std::exp(static_cast<long double>(x) * std::log(10.0L)));
}

double LowTimeEquation::Residual(double x) const {
  // R1 x / (R1 + x) written as x (R1 / (R1 + x)), which cannot overflow
  // when R1 is huge.
  return std::log((x - 2 * r1) / (2 * x - r1)) * (x * (r1 / (r1 + x))) * c1 - highTime;
}

RootSearch FindRoot(const LowTimeEquation& equation, double a, double b) {
  double ra = equation.Residual(a);
  double rb = equation.Residual(b);
  if (WithinTolerance(equation, ra)) return {true, a};
  if (WithinTolerance(equation, rb)) return {true, b};
  if (OppositeSigns(ra, rb)) return Bisect(equation, a, b, ra);
  // Same sign at both ends: test the midpoints of ever finer grids for the
  // first sign change.
  for (int n = 2; n <= 500; n *= 2) {
    double h = (b - a) / n;
    for (int i = 1; i <= n / 2; ++i) {
      double x = a + (2 * i - 1) * h;
      if (OppositeSigns(equation.Residual(x), ra)) return Bisect(equation, a, x, ra);
    }
  }
  return {};
}

namespace {

/// Designs 1 and 3: both resistors in closed form, each pass.
ComponentsResult ComputeAstable(const DesignState& design, CapacitorSearch search, bool dutyAbove50) {
  if (!PositiveFinite(design.Frequency)) return Failure(design, "Frequency not realistic.");
  DesignState s = design;
  Pass outcome = SearchDecades(s, search, [&] {
    double denominator = kLn2 * s.Frequency * s.C1;
    double r1 = (dutyAbove50 ? 2 * s.DutyCycle - 1 : s.DutyCycle) / denominator;
    double r2 = (1 - s.DutyCycle) / denominator;
    if (!std::isfinite(r1) || !std::isfinite(r2)) return Pass::Failed;
    s.R1 = r1;
    s.R2 = r2;
    return s.R1 + s.R2 >= kMinTimingResistance ? Pass::Reached : Pass::TooLow;
  });
  if (outcome != Pass::Reached) return Failure(design, "Solution not found.");
  SetAstableTimes(s);
  return Success(std::move(s));
}

}  // namespace

ComponentsResult ComputeAbove50Components(const DesignState& design, CapacitorSearch search) {
  return ComputeAstable(design, search, true);
}

ComponentsResult ComputeBelow50Components(const DesignState& design, CapacitorSearch search) {
  return ComputeAstable(design, search, false);
}

/// Design 2: R1 in closed form, R2 from the root of the low-time equation.
ComponentsResult ComputeSquareComponents(const DesignState& design, CapacitorSearch search) {
  const std::string fifty = FixedText(2, 0, 50);
  if (!PositiveFinite(design.Frequency)) {
    ComponentsResult result = Failure(design, "Frequency not realistic.");
    result.dutyFieldText = fifty;
    return result;
  }
  DesignState s = design;
  s.DutyCycle = 0.5;
  s.HighTime = 1 / (2 * s.Frequency);
  s.LowTime = s.HighTime;
  s.Field2Text = fifty;

  Pass outcome = SearchDecades(s, search, [&] {
    double r1 = 1 / (kLn2 * 2 * s.Frequency * s.C1);
    if (!std::isfinite(r1)) return Pass::Failed;
    s.R1 = r1;
    // R2 stays below R1 / 2, so a pass with 1.5 R1 below 5000 ohm cannot end
    // the search; its root (below 1 ohm when R1 is only a few ohms) is not
    // needed.
    if (search == CapacitorSearch::Decades && 1.5 * s.R1 < kMinTimingResistance) return Pass::TooLow;
    // R1 / 2 is the pole of the residual; step just inside it when it is a
    // whole number.
    double upper = std::trunc(s.R1 / 2);
    if (upper * 2 == s.R1) upper = std::nextafter(upper, 0.0);
    RootSearch root = FindRoot({s.R1, s.C1, s.HighTime}, 1, upper);
    if (!root.found) return Pass::Failed;
    s.R2 = root.root;
    return s.R1 + s.R2 >= kMinTimingResistance ? Pass::Reached : Pass::TooLow;
  });
  ComponentsResult result;
  result.dutyFieldText = fifty;
  if (outcome == Pass::Reached) {
    result.computed = true;
    result.design = std::move(s);
    return result;
  }
  result.design = design;
  result.error = "Solution not found.";
  return result;
}

/// Design 4: R1 in closed form; R2 and the output times are not touched.
ComponentsResult ComputeMonostableComponents(const DesignState& design, CapacitorSearch search) {
  if (!PositiveFinite(design.PulseLength)) return Failure(design, "Invalid pulse length.");
  DesignState s = design;
  Pass outcome = SearchDecades(s, search, [&] {
    double r1 = MonostableR1(s.PulseLength, s.C1);
    if (!std::isfinite(r1)) return Pass::Failed;
    s.R1 = r1;
    return s.R1 >= kMinTimingResistance ? Pass::Reached : Pass::TooLow;
  });
  if (outcome != Pass::Reached) return Failure(design, "Invalid pulse length.");
  return Success(std::move(s));
}

namespace {

double E12Capacitor(int index, int decade) {
  return TextToNumber(E12List()[static_cast<std::size_t>(index)]) / PowerOfTen(decade);
}

}  // namespace

ComponentsResult ComputeComponents(const DesignState& design, CapacitorSearch search) {
  const DesignRow* row = FindDesign(design.DesignMode);
  if (row == nullptr) return Failure(design, "");
  DesignState start = design;
  if (search == CapacitorSearch::Decades) {
    // Every calculation starts from the same capacitor, whatever the one
    // before it searched its way down to.
    const int count = static_cast<int>(E12List().size());
    if (start.StartCapIndex < 0 || start.StartCapIndex >= count || start.StartCapDecade < kMinCapDecade ||
        start.StartCapDecade > kMaxCapDecade)
      return Failure(design, "Solution not found.");
    start.CapSeriesIndex = start.StartCapIndex;
    start.CapDecade = start.StartCapDecade;
    start.C1 = E12Capacitor(start.CapSeriesIndex, start.CapDecade);
  }
  if (!PositiveFinite(start.C1)) return Failure(design, "Solution not found.");
  ComponentsResult result = row->compute(start, search);
  // A refused calculation changes nothing.
  if (!result.computed) result.design = design;
  return result;
}

std::optional<DesignState> StepCapacitor(const DesignState& design, int delta) {
  const int count = static_cast<int>(E12List().size());
  int index = design.CapSeriesIndex;
  int decade = design.CapDecade;
  if (index < 0 || index >= count) index = 0;
  for (int i = 0; i < std::abs(delta); ++i) {
    if (delta > 0) {
      if (++index == count) index = 0, --decade;
    } else {
      if (--index < 0) index = count - 1, ++decade;
    }
  }
  // The steps stay between 10 pF (index 0 of the lowest decade) and 1 mF
  // (index 0 of the highest).
  const bool belowLowest = decade > kLowestCapDecade;
  const bool aboveHighest = decade < kHighestCapDecade || (decade == kHighestCapDecade && index > 0);
  if (belowLowest || aboveHighest) return std::nullopt;
  DesignState s = design;
  s.CapSeriesIndex = index;
  s.CapDecade = decade;
  s.StartCapIndex = index;
  s.StartCapDecade = decade;
  s.C1 = E12Capacitor(index, decade);
  return s;
}

DesignState SwitchChip(const DesignState& design, int step) {
  DesignState s = design;
  const TimerChip chip = design.Chip;
  if (step > 0) {
    s.Chip = chip == TimerChip::Single555  ? TimerChip::Dual556A
             : chip == TimerChip::Dual556A ? TimerChip::Dual556B
                                           : TimerChip::Single555;
  } else if (step < 0) {
    s.Chip = chip == TimerChip::Single555  ? TimerChip::Dual556B
             : chip == TimerChip::Dual556B ? TimerChip::Dual556A
                                           : TimerChip::Single555;
  }
  return s;
}

DesignState StartDesign(DesignKind kind, TimerChip chip, const CircuitSettings& settings) {
  DesignState s;
  s.DesignMode = kind;
  s.Chip = chip;
  s.Settings = settings;
  const DesignRow* row = FindDesign(kind);
  if (row == nullptr) return s;
  s.CapSeriesIndex = s.StartCapIndex = 0;
  s.CapDecade = s.StartCapDecade = row->startDecade;
  s.C1 = E12Capacitor(0, row->startDecade);
  s.C2 = 1e-8;
  if (row->dutyField == DutyField::FixedAt50) {
    s.DutyCycle = 0.5;
    s.Field2Text = s.Field2Typed = FixedText(2, 0, 50);
  }
  return s;
}

RecalculationResult RecalculateFromComponents(const DesignState& design) {
  RecalculationResult result;
  result.design = design;
  const DesignKind kind = design.DesignMode;
  if (FindDesign(kind) == nullptr) return result;
  const OutputTimes t = TimesFromComponents(kind, design.R1, design.R2, design.C1);
  if (!t.defined) {
    result.error = kind == DesignKind::Monostable ? "No output pulse with these component values."
                                                  : "No oscillation with these component values.";
    return result;
  }
  DesignState& s = result.design;
  s.HighTime = t.high;
  result.computed = true;
  if (kind == DesignKind::Monostable) {
    result.field1Text = FixedText(6, s.FrequencyDecimals + 3, s.HighTime);
    s.Field1Text = result.field1Text;
    return result;
  }
  const double period = t.high + t.low;
  s.LowTime = t.low;
  s.Frequency = 1 / period;
  s.DutyCycle = t.high / period;
  result.field1Text = FixedText(6, s.FrequencyDecimals + 3, s.Frequency);
  result.field2Text = FixedText(6, s.DutyDecimals + 1, 100 * s.DutyCycle);
  s.Field1Text = result.field1Text;
  s.Field2Text = result.field2Text;
  return result;
}

double PartValue(const DesignState& design, AdjustablePart part) {
  switch (part) {
    case AdjustablePart::C1: return design.C1;
    case AdjustablePart::R1: return design.R1;
    case AdjustablePart::R2: return design.R2;
  }
  return 0;
}

double NominalValue(const DesignState& design, AdjustablePart part) {
  switch (part) {
    case AdjustablePart::C1: return design.NominalC1;
    case AdjustablePart::R1: return design.NominalR1;
    case AdjustablePart::R2: return design.NominalR2;
  }
  return 0;
}

RecalculationResult AdjustPart(const DesignState& design, AdjustablePart part, double value) {
  DesignState s = design;
  switch (part) {
    case AdjustablePart::C1: s.C1 = value; break;
    case AdjustablePart::R1: s.R1 = value; break;
    case AdjustablePart::R2: s.R2 = value; break;
  }
  RecalculationResult result = RecalculateFromComponents(s);
  // Components that give no timing are refused: the design stays as it was.
  if (!result.computed) result.design = design;
  return result;
}

}  // namespace timer555
