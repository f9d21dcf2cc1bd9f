// Entry-field texts to numbers, validation of the two entry fields and the
// record of the nominal component values.

#include "design/engine.h"

#include <cmath>

#include "design/design_table.h"
#include "design/limits.h"
#include "design/number_syntax.h"

namespace timer555 {

const std::vector<std::string>& E12List() {
  static const std::vector<std::string> list = {"100", "120", "150", "180", "220", "270",
                                                "330", "390", "470", "560", "680", "820"};
  return list;
}

namespace {

std::size_t DecimalsAfterPoint(const std::string& text) {
  return static_cast<std::size_t>(DecimalPlaces(text));
}

}  // namespace

std::optional<double> NumberFromText(const std::string& text) { return ParseNumber(text); }

double TextToNumber(const std::string& text) { return NumberFromText(text).value_or(0); }

InputCheck ValidateInputs(const DesignState& design, const std::string& field1, const std::string& field2) {
  InputCheck check;
  check.design = design;
  auto refuse = [&check, &design](const char* message) {
    check.problem = message;
    check.design = design;
    return check;
  };
  DesignState& s = check.design;
  const DesignRow* row = FindDesign(s.DesignMode);
  const bool pulse = row != nullptr && row->input == FirstInput::PulseLength;
  if (field1.empty()) return refuse(pulse ? "Pulse length not entered." : "Frequency not entered.");
  if (field2.empty() && !pulse) return refuse("Duty cycle not entered.");

  if (pulse) {
    s.PulseLength = TextToNumber(field1);
    // A pulse outside what a 555 times is refused before any capacitor is
    // searched for: a huge one would make R1 overflow, a tiny one C1 vanish.
    if (!(s.PulseLength >= kShortestPulse && s.PulseLength <= kLongestPulse)) {
      return refuse("Pulse length not realistic: enter 1 us to 10000 s.");
    }
    return check;
  }

  s.Frequency = TextToNumber(field1);
  s.DutyCycle = TextToNumber(field2) / 100;
  if (s.Frequency < kLowestFrequency || s.Frequency > kHighestFrequency) {
    return refuse("Frequency not realistic.");
  }
  if (row != nullptr && row->dutyLimits) {
    const DutyLimits& limits = *row->dutyLimits;
    if (s.DutyCycle <= limits.above) return refuse(limits.aboveMessage);
    if (s.DutyCycle >= limits.below) return refuse(limits.belowMessage);
  }
  return check;
}

DesignState RecordNominals(DesignState s, const std::string& field1Typed, const std::string& field2Typed) {
  s.NominalC1 = s.C1;
  s.NominalR1 = s.R1;
  s.NominalR2 = s.R2;
  s.FrequencyDecimals = static_cast<int>(DecimalsAfterPoint(field1Typed));
  s.DutyDecimals = static_cast<int>(DecimalsAfterPoint(field2Typed));
  return s;
}

}  // namespace timer555
