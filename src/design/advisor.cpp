// The design advisor: the component notes' rules applied to the parts a
// calculation, a capacitor step, a chip switch or an adjustment left on
// screen.

#include "design/advisor.h"

#include <cmath>
#include <cstdio>

#include "design/design_table.h"
#include "design/limits.h"
#include "schematic/value_text.h"

namespace timer555 {

namespace {

/// The supplies the diode finding quotes, and a silicon diode's drop.
constexpr double kHighSupply = 15;
constexpr double kLowSupply = 5;
constexpr double kDiodeDrop = 0.7;

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
  return Number(hertz) + "Hz";
}

// How much lower the frequency comes out, in whole percent, at `vcc`.
int FrequencyShortfallPercent(double vcc) {
  return static_cast<int>(std::lround(100 * (1 - 1 / DiodeDropStretch(vcc, kDiodeDrop))));
}

void CheckResistance(const DesignRow& row, const PartValues& p, std::vector<Finding>& out) {
  const bool sum = row.timingResistance == TimingResistance::R1PlusR2;
  const double r = sum ? p.R1 + p.R2 : p.R1;
  if (!PositiveFinite(r) || (sum && !PositiveFinite(p.R2)) || r <= kMaxTimingResistance) return;
  out.push_back({AdviceRule::ResistanceTooHigh, std::string(sum ? "R1 + R2" : "R1") + " = " + OhmText(r) +
                                                    " is above the " + OhmText(kMaxTimingResistance) +
                                                    " a bipolar 555 allows at 15 V: step C1 up."});
}

void CheckResistor(const DesignRow& row, const char* name, double r, std::vector<Finding>& out) {
  if (!PositiveFinite(r) || r >= kMinTimingResistor) return;
  std::string text = std::string(name) + " = " + OhmText(r) + " is below the " + OhmText(kMinTimingResistor) +
                     " that keeps the discharge current under 15 mA at 15 V: step C1 down";
  // In the design above 50 % R1 shrinks as the duty cycle nears 50 %.
  if (row.kind == DesignKind::Astable && std::string(name) == "R1") {
    text += ", or use the 50 % design for a duty cycle this close to 50 %";
  }
  out.push_back({AdviceRule::ResistorTooLow, text + "."});
}

}  // namespace

double DiodeDropStretch(double vcc, double drop) {
  return std::log((2 * vcc / 3 - drop) / (vcc / 3 - drop)) / kLn2;
}

std::vector<Finding> AdviseDesign(DesignKind kind, const PartValues& parts, double frequency) {
  std::vector<Finding> findings;
  const DesignRow* row = FindDesign(kind);
  if (row == nullptr) return findings;

  CheckResistance(*row, parts, findings);
  CheckResistor(*row, "R1", parts.R1, findings);
  if (row->timingResistance == TimingResistance::R1PlusR2) CheckResistor(*row, "R2", parts.R2, findings);
  if (PositiveFinite(parts.C1) && parts.C1 < kMinTimingCapacitor) {
    findings.push_back({AdviceRule::CapacitorTooSmall,
                        "C1 = " + FaradText(parts.C1) + " is below " + FaradText(kMinTimingCapacitor) +
                            ", within ten times the 5 to 20 pF of strays: the timing will be off by several "
                            "percent; step C1 up."});
  }
  if (row->input == FirstInput::Frequency && PositiveFinite(frequency) && frequency > kBipolarMaxFrequency) {
    findings.push_back({AdviceRule::FrequencyTooHigh,
                        "The frequency of " + FrequencyText(frequency) + " is above the " +
                            FrequencyText(kBipolarMaxFrequency) +
                            " a bipolar 555 reaches: use a CMOS 555, good for " + FrequencyText(2e6) + "."});
  }
  if (row->steeringDiodes) {
    findings.push_back({AdviceRule::IdealDiodes,
                        "D1 and D2 are taken as ideal: their 0.7 V drop makes the frequency about " +
                            std::to_string(FrequencyShortfallPercent(kHighSupply)) + "% low at 15 V and " +
                            std::to_string(FrequencyShortfallPercent(kLowSupply)) +
                            "% low at 5 V; make R1 and R2 that much smaller."});
  }
  return findings;
}

}  // namespace timer555
