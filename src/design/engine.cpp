// Entry-field texts to numbers, validation of the two entry fields and the
// record of the nominal component values.

#include "design/engine.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "design/design_table.h"
#include "design/limits.h"

namespace timer555 {

const std::vector<std::string>& E12List() {
  static const std::vector<std::string> list = {"100", "120", "150", "180", "220", "270",
                                                "330", "390", "470", "560", "680", "820"};
  return list;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/// Length of the plain decimal number (digits, point, optional exponent) at
/// the start of `s`, or 0 when `s` does not start with one.
std::size_t DecimalNumberLength(std::string_view s) {
  std::size_t i = 0, digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t expStart = j;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (j == expStart) return 0;  // "1e" or "1e+" is not a number
    i = j;
  }
  return i;
}

std::size_t DecimalsAfterPoint(const std::string& text) {
  std::size_t point = text.find('.');
  return point == std::string::npos ? 0 : text.size() - point - 1;
}

}  // namespace

std::optional<double> NumberFromText(const std::string& text) {
  std::string_view s = text;
  std::size_t start = s.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  s.remove_prefix(start);

  bool negative = false;
  if (s.front() == '+' || s.front() == '-') {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // The grammar is checked here rather than left to from_chars, which would
  // also take "inf", "nan" and hexadecimal digits.
  std::size_t length = DecimalNumberLength(s);
  if (length == 0 || length != s.size()) return std::nullopt;

  double value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

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
