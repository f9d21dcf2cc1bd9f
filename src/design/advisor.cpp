// The design advisor: the component notes' rules applied to the parts a
// calculation, a capacitor step, a chip switch or an adjustment left on
// screen, at the chosen supply and timer family, and what the built circuit
// is expected to do against what was asked.

#include "design/advisor.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "design/design_table.h"
#include "design/limits.h"
#include "schematic/value_text.h"

namespace timer555 {

namespace {

/// The largest film capacitor the remedy for a leaky electrolytic offers
/// (the E12 value just below where electrolytics take over).
constexpr double kLargestFilmCapacitor = 820e-9;
/// A miss of the target that earns a finding of its own.
constexpr double kNoticeableMiss = 0.05;

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

// A value too small for the four-decimal texts of the schematic ("0") is
// written with two significant figures in exponent form instead.
std::string SmallOr(const std::string& text, double value, const char* unit) {
  if (text != "0" + std::string(unit)) return text;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2g%s", value, unit);
  return buffer;
}

std::string OhmText(double ohms) { return SmallOr(ResistanceText(ohms), ohms, ""); }

std::string FaradText(double farads) { return SmallOr(CapacitanceText(farads), farads, "pF"); }

// The number part of a value text (at most four significant figures).
std::string Number(double v) { return RoundNumberText(TrimNumberText(FixedText(7, 4, v)), 4); }

std::string FrequencyText(double hertz) {
  if (hertz >= 1e6) return Number(hertz / 1e6) + "MHz";
  if (hertz >= 1e3) return Number(hertz / 1e3) + "kHz";
  if (hertz < 1) return Number(hertz * 1e3) + "mHz";
  return Number(hertz) + "Hz";
}

std::string TimeText(double seconds) {
  if (seconds >= 1) return Number(seconds) + "s";
  if (seconds >= 1e-3) return Number(seconds * 1e3) + "ms";
  return Number(seconds * 1e6) + "us";
}

std::string CurrentText(double amperes) {
  if (amperes >= 1e-3) return Number(amperes * 1e3) + "mA";
  if (amperes >= 1e-6) return Number(amperes * 1e6) + "uA";
  return Number(amperes * 1e9) + "nA";
}

std::string Formatted(const char* format, double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, v);
  return buffer;
}

std::string VoltText(double volts) { return Formatted("%.3g V", volts); }

std::string PercentText(double fraction) { return Formatted("%.1f %%", 100 * fraction); }

std::string FamilyName(TimerFamily family) { return family == TimerFamily::Bipolar ? "bipolar" : "CMOS"; }

/// Everything the rules look at, worked out once.
struct Facts {
  const DesignRow& row;
  const PartValues& parts;
  double frequency;
  CircuitSettings settings;
  DesignTarget target;
  TimerFigures figures;
  ExpectedValues expected;

  bool sum() const { return row.timingResistance == TimingResistance::R1PlusR2; }
  bool monostable() const { return row.kind == DesignKind::Monostable; }
  /// The compensated R1 (and R2) as the end of a sentence, worked out once
  /// (two findings may quote it).
  mutable std::optional<std::string> compensation = std::nullopt;
  const std::string& Compensation() const {
    if (!compensation) compensation = CompensationText();
    return *compensation;
  }
  std::string CompensationText() const {
    const std::optional<PartValues> c =
        CompensateParts(row.kind, target.frequency, target.duty, target.pulse, parts, settings);
    if (!c)
      return monostable() ? "no R1 with this C1 makes up for it."
                          : "no R1 and R2 with this C1 make up for it.";
    if (monostable()) return "R1 = " + OhmText(c->R1) + " makes up for it.";
    return "R1 = " + OhmText(c->R1) + " and R2 = " + OhmText(c->R2) + " make up for it.";
  }
};

void CheckResistance(const Facts& f, std::vector<Finding>& out) {
  const PartValues& p = f.parts;
  const double r = f.sum() ? p.R1 + p.R2 : p.R1;
  const double limit = f.figures.maxTimingResistance;
  if (!PositiveFinite(r) || (f.sum() && !PositiveFinite(p.R2)) || r <= limit) return;
  const std::string who = f.settings.family == TimerFamily::Bipolar
                              ? " a bipolar 555 allows at " + Formatted("%g V", f.settings.vcc)
                              : " that board leakage allows with a CMOS 555";
  out.push_back({AdviceRule::ResistanceTooHigh, std::string(f.sum() ? "R1 + R2" : "R1") + " = " + OhmText(r) +
                                                    " is above the " + OhmText(limit) + who +
                                                    ": step C1 up."});
}

void CheckResistor(const Facts& f, const char* name, double r, std::vector<Finding>& out) {
  const double limit = f.settings.vcc / f.figures.maxDischargeCurrent;
  if (!PositiveFinite(r) || !(r < limit)) return;
  std::string text = std::string(name) + " = " + OhmText(r) + " is below the " + OhmText(limit) +
                     " that keeps the discharge current under " +
                     Formatted("%g mA", f.figures.maxDischargeCurrent * 1e3) + " at " +
                     Formatted("%g V", f.settings.vcc) + ": step C1 down";
  // In the design above 50 % R1 shrinks as the duty cycle nears 50 %.
  if (f.row.kind == DesignKind::Astable && std::string(name) == "R1") {
    text += ", or use the 50 % design for a duty cycle this close to 50 %";
  }
  out.push_back({AdviceRule::ResistorTooLow, text + "."});
}

/// A leaky C1's remedy: the largest film capacitor with resistances scaled
/// up to match, where they stay within the limit, else a counter.
std::string LeakageRemedy(const Facts& f) {
  const double scale = f.parts.C1 / kLargestFilmCapacitor;
  const double r = (f.sum() ? f.parts.R1 + f.parts.R2 : f.parts.R1) * scale;
  const std::string counter =
      "a counter after a shorter timer, as application 7 (Long interval timer) shows.";
  if (!(r <= f.figures.maxTimingResistance)) {
    return "no film C1 keeps " + std::string(f.sum() ? "R1 + R2" : "R1") + " within the " +
           OhmText(f.figures.maxTimingResistance) + " limit; use " + counter;
  }
  return "use a film C1 of " + FaradText(kLargestFilmCapacitor) + " with " +
         (f.sum() ? "R1 and R2 " + Number(scale) + " times larger (R1 + R2 = " + OhmText(r) + ")"
                  : "R1 = " + OhmText(r)) +
         ", or " + counter;
}

void CheckElectrolytic(const Facts& f, std::vector<Finding>& out) {
  if (!IsElectrolytic(f.parts.C1)) return;
  const double charging = ChargingCurrentAtThreshold(f.row.kind, f.parts, f.settings);
  if (!PositiveFinite(charging)) return;
  // The leakage is a resistance: at the threshold it is the maximum at Vcc
  // scaled by the threshold's share of Vcc.
  const double threshold = f.figures.upperThreshold;
  const double leakage = MaxLeakageCurrent(f.parts.C1, f.settings.vcc) * threshold / f.settings.vcc;
  std::string text = "C1 = " + FaradText(f.parts.C1) + " is an aluminium electrolytic (+/-" +
                     Formatted("%.0f", 100 * kElectrolyticTolerance) + " %): it may leak up to " +
                     CurrentText(leakage) + " at the " + VoltText(threshold) + " threshold";
  BuiltEffects worst;
  worst.worstCaseLeakage = true;
  const ExpectedValues worstCase = PredictBuilt(f.row.kind, f.parts, f.settings, worst);
  if (!worstCase.runs()) {
    text += ", more than the " + CurrentText(charging) + " that charges it there, so with such a part it " +
            worstCase.reason + " (C1 settles at " + VoltText(worstCase.settlesAt) + "): " + LeakageRemedy(f);
  } else {
    BuiltEffects dry;
    dry.capacitorLeakage = false;
    const ExpectedValues without = PredictBuilt(f.row.kind, f.parts, f.settings, dry);
    text += ", against the " + CurrentText(charging) + " that charges it there";
    if (without.runs()) {
      text += f.monostable()
                  ? ": the pulse may run up to " + PercentText(worstCase.pulse / without.pulse - 1) + " long."
                  : ": the frequency may come out up to " +
                        PercentText(1 - worstCase.frequency / without.frequency) + " low.";
    } else {
      text += ".";
    }
  }
  out.push_back({AdviceRule::ElectrolyticCapacitor, text});
}

void CheckFrequency(const Facts& f, std::vector<Finding>& out) {
  const double limit = f.figures.maxFrequency;
  if (f.row.input != FirstInput::Frequency || !PositiveFinite(f.frequency) || !(f.frequency > limit)) return;
  std::string text = "The frequency of " + FrequencyText(f.frequency) + " is above the " +
                     FrequencyText(limit) + " a " + FamilyName(f.settings.family) + " 555 reaches";
  if (f.settings.family == TimerFamily::Bipolar) {
    text += ": use a CMOS 555, good for " +
            FrequencyText(FiguresFor({f.settings.vcc, TimerFamily::Cmos}).maxFrequency);
  }
  out.push_back({AdviceRule::FrequencyTooHigh, text + "."});
}

/// What is expected against the target, for a sentence: "912.1Hz, 8.8 %
/// below the 1kHz asked" or "never oscillates (C1 settles at ...)".
std::string ExpectedAgainstTarget(const Facts& f, double miss) {
  const ExpectedValues& e = f.expected;
  if (!e.runs()) {
    return e.reason + " (C1 settles at " + VoltText(e.settlesAt) + " and never reaches the " +
           VoltText(e.threshold) + " threshold)";
  }
  if (f.monostable()) {
    return "a pulse of " + TimeText(e.pulse) + ", " + PercentText(std::abs(miss)) +
           (miss > 0 ? " longer than the " : " shorter than the ") + TimeText(f.target.pulse) + " asked";
  }
  return FrequencyText(e.frequency) + ", " + PercentText(std::abs(miss)) + (miss > 0 ? " above" : " below") +
         " the " + FrequencyText(f.target.frequency) + " asked";
}

void CheckDiodes(const Facts& f, double miss, std::vector<Finding>& out) {
  if (!f.row.steeringDiodes) return;
  std::string text = "D1 and D2 are not ideal: with their forward drop at the current that flows, expect " +
                     ExpectedAgainstTarget(f, miss) + " at " + Formatted("%g V", f.settings.vcc);
  if (std::isnan(miss)) {
    out.push_back({AdviceRule::IdealDiodes, text + "."});
    return;
  }
  out.push_back({AdviceRule::IdealDiodes, text + "; " + f.Compensation()});
}

void CheckExpected(const Facts& f, double miss, std::vector<Finding>& out) {
  if (std::isnan(miss) || !(std::abs(miss) > kNoticeableMiss)) return;
  const BuiltCause cause = MainCause(f.row.kind, f.parts, f.settings, f.target);
  // The diode finding already says what the diodes do.
  if (f.row.steeringDiodes && cause == BuiltCause::DiodeDrop) return;
  // No single effect to name when only several together stop it.
  const std::string from =
      cause == BuiltCause::None ? std::string() : ", mainly from " + CauseText(cause, f.settings.family);
  out.push_back({AdviceRule::ExpectedOffTarget,
                 "Expected when built: " + ExpectedAgainstTarget(f, miss) + from + "; " + f.Compensation()});
}

}  // namespace

std::vector<Finding> AdviseDesign(DesignKind kind, const PartValues& parts, double frequency,
                                  const CircuitSettings& settings, const DesignTarget& target) {
  std::vector<Finding> findings;
  const DesignRow* row = FindDesign(kind);
  if (row == nullptr || !PositiveFinite(settings.vcc)) return findings;
  const Facts f{
      *row, parts, frequency, settings, target, FiguresFor(settings), PredictBuilt(kind, parts, settings)};

  CheckResistance(f, findings);
  CheckResistor(f, "R1", parts.R1, findings);
  if (f.sum()) CheckResistor(f, "R2", parts.R2, findings);
  if (PositiveFinite(parts.C1) && parts.C1 < kMinTimingCapacitor) {
    findings.push_back({AdviceRule::CapacitorTooSmall,
                        "C1 = " + FaradText(parts.C1) + " is below " + FaradText(kMinTimingCapacitor) +
                            ", within ten times the 5 to 20 pF of strays: the timing will be off by several "
                            "percent; step C1 up."});
  }
  CheckElectrolytic(f, findings);
  CheckFrequency(f, findings);
  const double miss = TargetMiss(kind, f.expected, target);
  CheckDiodes(f, miss, findings);
  CheckExpected(f, miss, findings);
  return findings;
}

std::vector<Finding> AdviseDesign(DesignKind kind, const PartValues& parts, double frequency) {
  DesignTarget target;
  const OutputTimes ideal = TimesFromComponents(kind, parts.R1, parts.R2, parts.C1);
  if (ideal.defined) {
    target.frequency = 1 / (ideal.high + ideal.low);
    target.duty = ideal.high / (ideal.high + ideal.low);
    target.pulse = ideal.high;
  }
  return AdviseDesign(kind, parts, frequency, CircuitSettings{}, target);
}

}  // namespace timer555
