#include "soak_checks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "design/engine.h"
#include "schematic/value_text.h"

namespace timer555::soak {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

/// A plain decimal number: optional blanks, optional minus, digits with at
/// most one point (at least one digit), optional blanks; and finite.
bool IsPlainFiniteNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  const std::size_t end = text.find_last_not_of(' ') + 1;
  if (text[i] == '-') ++i;
  int digits = 0, points = 0;
  for (std::size_t k = i; k < end; ++k) {
    if (std::isdigit(static_cast<unsigned char>(text[k])))
      ++digits;
    else if (text[k] == '.')
      ++points;
    else
      return false;
  }
  return digits > 0 && points <= 1 && std::isfinite(std::strtod(text.c_str(), nullptr));
}

}  // namespace

std::string CheckPrintedText(const std::string& what, const std::string& text) {
  const std::string low = Lower(text);
  if (low.find("nan") != std::string::npos || low.find("inf") != std::string::npos)
    return what + " shows '" + text + "'";
  return {};
}

std::string CheckDesignState(const DesignState& s) {
  const std::pair<const char*, double> values[] = {{"Frequency", s.Frequency},
                                                   {"DutyCycle", s.DutyCycle},
                                                   {"PulseLength", s.PulseLength},
                                                   {"C1", s.C1},
                                                   {"C2", s.C2},
                                                   {"C3", s.C3},
                                                   {"C4", s.C4},
                                                   {"R1", s.R1},
                                                   {"R2", s.R2},
                                                   {"R3", s.R3},
                                                   {"NominalC1", s.NominalC1},
                                                   {"NominalR1", s.NominalR1},
                                                   {"NominalR2", s.NominalR2},
                                                   {"HighTime", s.HighTime},
                                                   {"LowTime", s.LowTime}};
  for (const auto& [name, value] : values) {
    if (!std::isfinite(value)) return std::string("design state ") + name + " is " + std::to_string(value);
  }
  return {};
}

std::string CheckValueTexts(const DesignState& s) {
  const std::pair<const char*, std::string> texts[] = {{"R1 text", ResistanceText(s.R1)},
                                                       {"R2 text", ResistanceText(s.R2)},
                                                       {"C1 text", CapacitanceText(s.C1)},
                                                       {"C2 text", CapacitanceText(s.C2)},
                                                       {"C3 text", CapacitanceText(s.C3)},
                                                       {"C4 text", CapacitanceText(s.C4)},
                                                       {"tH text", FixedText(4, 2, s.HighTime * 1e3)},
                                                       {"tL text", FixedText(4, 2, s.LowTime * 1e3)}};
  for (const auto& [name, text] : texts) {
    std::string problem = CheckPrintedText(name, text);
    if (!problem.empty()) return problem;
  }
  return {};
}

std::string FieldWatch::Check(const std::string& text, bool userAction, const std::string& what) {
  // Only numbers count: a program that writes "nan" is wrong whatever the
  // user typed before.
  if (userAction && NumberFromText(text)) typed_.insert(text);
  if (userAction || text == last_) {
    last_ = text;
    return {};
  }
  last_ = text;
  if (text.empty() || IsPlainFiniteNumber(text) || typed_.count(text) > 0) return {};
  return "the program wrote '" + text + "' into the " + what;
}

}  // namespace timer555::soak
