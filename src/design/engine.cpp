// Entry-field texts to numbers, validation of the two entry fields and the
// record of the nominal component values.

#include "design/engine.h"

#include <cmath>

#include "design/design_state.h"
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

std::optional<std::string> ValidateInputs(const std::string& field1, const std::string& field2) {
  DesignState& s = designState;
  const DesignRow* row = FindDesign(s.DesignMode);
  const bool pulse = row != nullptr && row->input == FirstInput::PulseLength;
  if (field1.empty()) return std::string(pulse ? "Pulse length not entered." : "Frequency not entered.");
  if (field2.empty() && !pulse) return std::string("Duty cycle not entered.");

  if (pulse) {
    s.PulseLength = TextToNumber(field1);
    // The number syntax admits a sign and an exponent: a negative pulse
    // never reaches 5000 ohm, and a huge one makes R1 overflow at the
    // capacitor the calculation starts from.
    double c1 = s.C1 > 0 ? s.C1 : kMonostableStartC1;
    if (!(s.PulseLength > 0) || !std::isfinite(MonostableR1(s.PulseLength, c1))) {
      return std::string("Invalid pulse length.");
    }
    return std::nullopt;
  }

  s.Frequency = TextToNumber(field1);
  s.DutyCycle = TextToNumber(field2) / 100;
  if (s.Frequency < kLowestFrequency || s.Frequency > kHighestFrequency) {
    return std::string("Frequency not realistic.");
  }
  if (row != nullptr && row->dutyLimits) {
    const DutyLimits& limits = *row->dutyLimits;
    if (s.DutyCycle <= limits.above) return std::string(limits.aboveMessage);
    if (s.DutyCycle >= limits.below) return std::string(limits.belowMessage);
  }
  return std::nullopt;
}

void RecordNominals(const std::string& field1, const std::string& field2) {
  DesignState& s = designState;
  s.NominalC1 = s.C1;
  s.NominalR1 = s.R1;
  s.NominalR2 = s.R2;
  s.FrequencyDecimals = static_cast<int>(DecimalsAfterPoint(field1));
  s.DutyDecimals = static_cast<int>(DecimalsAfterPoint(field2));
}

}  // namespace timer555
