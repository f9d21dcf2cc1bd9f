// The timing equations of the four designs: the component values from the
// inputs (with the capacitor decade search and the root search of the 50 %
// design), the capacitor steps through the E12 list, and the reverse
// calculation from adjusted components.

#include <cmath>

#include "design/design_equations.h"
#include "design/design_state.h"
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

bool WithinTolerance(double residual) {
  return std::fabs(residual) < kRelativeRootTolerance * designState.HighTime;
}

// Written as comparisons rather than a product so that a NaN residual never
// counts as a sign change and two tiny residuals cannot underflow to zero.
bool OppositeSigns(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }
bool SameSign(double a, double b) { return (a < 0 && b < 0) || (a > 0 && b > 0); }

RootSearch Bisect(double a, double b, double ra) {
  for (int i = 0; i < kMaxBisections; ++i) {
    double m = (a + b) / 2;
    if (m == a || m == b) break;  // the interval cannot shrink any further
    double rm = LowTimeResidual(m);
    if (WithinTolerance(rm)) return {true, m};
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

/// Runs `pass` on the design state's C1 and divides C1 by ten after every
/// pass whose timing resistance stays below 5000 ohm. Returns Failed when a
/// pass failed or when C1 would leave the range CapDecade may cover.
template <typename PassFunction>
Pass SearchDecades(PassFunction pass) {
  DesignState& s = designState;
  for (int passes = 0; passes < kMaxDecadePasses; ++passes) {
    Pass outcome = pass();
    if (outcome != Pass::TooLow) return outcome;
    if (s.CapDecade >= kMaxCapDecade) break;
    s.C1 /= 10;
    ++s.CapDecade;
  }
  return Pass::Failed;
}

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

/// The values a failed calculation must not leave changed.
struct SavedComponents {
  double C1, R1, R2, HighTime, LowTime, DutyCycle;
  int CapDecade;

  static SavedComponents Take() {
    const DesignState& s = designState;
    return {s.C1, s.R1, s.R2, s.HighTime, s.LowTime, s.DutyCycle, s.CapDecade};
  }
  void Restore() const {
    DesignState& s = designState;
    s.C1 = C1;
    s.R1 = R1;
    s.R2 = R2;
    s.HighTime = HighTime;
    s.LowTime = LowTime;
    s.DutyCycle = DutyCycle;
    s.CapDecade = CapDecade;
  }
};

ComponentsResult Failure(const std::string& message) {
  ComponentsResult result;
  result.error = message;
  return result;
}

}  // namespace

double PowerOfTen(double x) {
  // Formed in extended precision, so whole exponents give the exact powers
  // of ten that the E12 capacitor values are built from.
  return static_cast<double>(std::exp(static_cast<long double>(x) * std::log(10.0L)));
}

double LowTimeResidual(double x) {
  const DesignState& s = designState;
  // R1 x / (R1 + x) written as x (R1 / (R1 + x)), which cannot overflow
  // when R1 is huge.
  return std::log((x - 2 * s.R1) / (2 * x - s.R1)) * (x * (s.R1 / (s.R1 + x))) * s.C1 - s.HighTime;
}

RootSearch FindRoot(double a, double b) {
  double ra = LowTimeResidual(a);
  double rb = LowTimeResidual(b);
  if (WithinTolerance(ra)) return {true, a};
  if (WithinTolerance(rb)) return {true, b};
  if (OppositeSigns(ra, rb)) return Bisect(a, b, ra);
  // Same sign at both ends: test the midpoints of ever finer grids for the
  // first sign change.
  for (int n = 2; n <= 500; n *= 2) {
    double h = (b - a) / n;
    for (int i = 1; i <= n / 2; ++i) {
      double x = a + (2 * i - 1) * h;
      if (OppositeSigns(LowTimeResidual(x), ra)) return Bisect(a, x, ra);
    }
  }
  return {};
}

namespace {

/// Designs 1 and 3: both resistors in closed form, each pass.
ComponentsResult ComputeAstable(bool dutyAbove50) {
  DesignState& s = designState;
  if (!PositiveFinite(s.Frequency)) return Failure("Frequency not realistic.");
  SavedComponents saved = SavedComponents::Take();
  Pass outcome = SearchDecades([&] {
    double denominator = kLn2 * s.Frequency * s.C1;
    double r1 = (dutyAbove50 ? 2 * s.DutyCycle - 1 : s.DutyCycle) / denominator;
    double r2 = (1 - s.DutyCycle) / denominator;
    if (!std::isfinite(r1) || !std::isfinite(r2)) return Pass::Failed;
    s.R1 = r1;
    s.R2 = r2;
    return s.R1 + s.R2 >= kMinTimingResistance ? Pass::Reached : Pass::TooLow;
  });
  if (outcome != Pass::Reached) {
    saved.Restore();
    return Failure("Solution not found.");
  }
  return {true, {}, std::nullopt};
}

}  // namespace

ComponentsResult ComputeAbove50Components() { return ComputeAstable(true); }

ComponentsResult ComputeBelow50Components() { return ComputeAstable(false); }

/// Design 2: R1 in closed form, R2 from the root of the low-time equation.
ComponentsResult ComputeSquareComponents() {
  DesignState& s = designState;
  ComponentsResult result;
  result.dutyFieldText = FixedText(2, 0, 50);
  if (!PositiveFinite(s.Frequency)) {
    result.error = "Frequency not realistic.";
    return result;
  }
  s.DutyCycle = 0.5;
  s.HighTime = 1 / (2 * s.Frequency);
  s.LowTime = s.HighTime;
  SavedComponents saved = SavedComponents::Take();

  bool rootMissing = false;
  Pass outcome = SearchDecades([&] {
    double r1 = 1 / (kLn2 * 2 * s.Frequency * s.C1);
    if (!std::isfinite(r1)) return Pass::Failed;
    s.R1 = r1;  // the residual reads it
    // R2 stays below R1 / 2, so a pass with 1.5 R1 below 5000 ohm cannot end
    // the search; its root (below 1 ohm when R1 is only a few ohms) is not
    // needed.
    if (1.5 * s.R1 < kMinTimingResistance) return Pass::TooLow;
    // R1 / 2 is the pole of the residual; step just inside it when it is a
    // whole number.
    double upper = std::trunc(s.R1 / 2);
    if (upper * 2 == s.R1) upper = std::nextafter(upper, 0.0);
    RootSearch root = FindRoot(1, upper);
    if (!root.found) {
      rootMissing = true;
      return Pass::Failed;
    }
    s.R2 = root.root;
    return s.R1 + s.R2 >= kMinTimingResistance ? Pass::Reached : Pass::TooLow;
  });
  if (outcome == Pass::Reached) {
    result.computed = true;
    return result;
  }
  // A failed root search keeps R1 and C1 of its pass; anything else (the
  // capacitor range exhausted) leaves the components as they were.
  if (!rootMissing) saved.Restore();
  result.error = "Solution not found.";
  return result;
}

/// Design 4: R1 in closed form; R2 and the output times are not touched.
ComponentsResult ComputeMonostableComponents() {
  DesignState& s = designState;
  if (!PositiveFinite(s.PulseLength)) return Failure("Invalid pulse length.");
  SavedComponents saved = SavedComponents::Take();
  Pass outcome = SearchDecades([&] {
    double r1 = MonostableR1(s.PulseLength, s.C1);
    if (!std::isfinite(r1)) return Pass::Failed;
    s.R1 = r1;
    return s.R1 >= kMinTimingResistance ? Pass::Reached : Pass::TooLow;
  });
  if (outcome != Pass::Reached) {
    saved.Restore();
    return Failure("Invalid pulse length.");
  }
  return {true, {}, std::nullopt};
}

ComponentsResult ComputeComponents() {
  const DesignState& s = designState;
  const DesignRow* row = FindDesign(s.DesignMode);
  if (row == nullptr) return {};
  if (!PositiveFinite(s.C1)) return Failure("Solution not found.");
  return row->compute();
}

bool StepCapacitor(int delta) {
  DesignState& s = designState;
  const int count = static_cast<int>(E12List().size());
  int index = s.CapSeriesIndex;
  int decade = s.CapDecade;
  if (index < 0 || index >= count) index = 0;
  for (int i = 0; i < std::abs(delta); ++i) {
    if (delta > 0) {
      if (++index == count) index = 0, --decade;
    } else {
      if (--index < 0) index = count - 1, ++decade;
    }
  }
  // Beyond this range C1 would no longer be a normal, finite double.
  if (decade < kMinCapDecade || decade > kMaxCapDecade) return false;
  s.CapSeriesIndex = index;
  s.CapDecade = decade;
  s.C1 = TextToNumber(E12List()[static_cast<std::size_t>(index)]) / PowerOfTen(decade);
  return true;
}

RecalculationResult RecalculateFromComponents() {
  DesignState& s = designState;
  RecalculationResult result;
  const DesignKind kind = s.DesignMode;
  if (FindDesign(kind) == nullptr) return result;
  const OutputTimes t = TimesFromComponents(kind, s.R1, s.R2, s.C1);
  if (!t.defined) {
    result.error = kind == DesignKind::Monostable ? "No output pulse with these component values."
                                                  : "No oscillation with these component values.";
    return result;
  }
  s.HighTime = t.high;
  result.computed = true;
  if (kind == DesignKind::Monostable) {
    result.field1Text = FixedText(6, s.FrequencyDecimals + 3, s.HighTime);
    return result;
  }
  const double period = t.high + t.low;
  s.LowTime = t.low;
  s.Frequency = 1 / period;
  s.DutyCycle = t.high / period;
  result.field1Text = FixedText(6, s.FrequencyDecimals + 3, s.Frequency);
  result.field2Text = FixedText(6, s.DutyDecimals + 1, 100 * s.DutyCycle);
  return result;
}

}  // namespace timer555
