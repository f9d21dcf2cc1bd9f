#include "cli/design_answer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "design/design_table.h"
#include "design/engine.h"
#include "design/pages.h"
#include "design/standard_values.h"

namespace timer555 {

namespace {

constexpr int kDefaultCount = 10;
constexpr double kDefaultCapTolerancePercent = 10;

DesignAnswer Refuse(std::string message) {
  DesignAnswer answer;
  answer.status = ExitStatus::BadInput;
  answer.message = std::move(message);
  return answer;
}

// A whole text that is a plain decimal number (no "inf", "nan" or hex).
std::optional<double> StrictNumber(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string::npos) return std::nullopt;
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

/// Builds a JSON object member by member, one member a line at `indent`.
class JsonObject final {
 public:
  explicit JsonObject(std::string indent) : indent_(std::move(indent)) {}
  JsonObject& Add(const std::string& key, const std::string& rawValue) {
    text_ += (text_.empty() ? "{\n" : ",\n") + indent_ + "  " + JsonString(key) + ": " + rawValue;
    return *this;
  }
  JsonObject& Number(const std::string& key, double value) { return Add(key, JsonNumber(value)); }
  std::string Done() const { return text_.empty() ? "{}" : text_ + "\n" + indent_ + "}"; }

 private:
  std::string indent_;
  std::string text_;
};

std::string CombinationJson(const Combination& c, bool mono) {
  JsonObject o("    ");
  o.Number("R1", c.r1).Add("R2", mono ? "null" : JsonNumber(c.r2)).Number("C1", c.c1);
  if (mono) {
    o.Number("pulse", c.pulse).Number("error", c.error);
    o.Number("pulse_min", c.pulseRange.min).Number("pulse_max", c.pulseRange.max);
  } else {
    o.Number("frequency", c.frequency).Number("duty", c.duty).Number("error", c.error);
    o.Number("frequency_min", c.frequencyRange.min).Number("frequency_max", c.frequencyRange.max);
    o.Number("duty_min", c.dutyRange.min).Number("duty_max", c.dutyRange.max);
  }
  return o.Done();
}

}  // namespace

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[40];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

DesignAnswer AnswerDesign(const Arguments& arguments) {
  const DesignRow* row = FindDesign(arguments.design.value_or(""));
  if (row == nullptr) {
    return Refuse("Unknown design \"" + arguments.design.value_or("") +
                  "\": choose 1 to 4 or astable, square, low-duty, monostable.");
  }
  const bool mono = row->input == FirstInput::PulseLength;
  const std::string number = std::to_string(static_cast<int>(row->kind));
  if (mono && (arguments.frequency || arguments.duty)) {
    return Refuse("Design " + number + " takes a pulse length (--pulse), not --frequency or --duty.");
  }
  if (!mono && arguments.pulse) {
    return Refuse("Design " + number + " takes a frequency (--frequency), not --pulse.");
  }
  std::string field2 = arguments.duty.value_or("");
  if (row->dutyField == DutyField::FixedAt50) {
    if (arguments.duty && TextToNumber(*arguments.duty) != 50) {
      return Refuse("Design " + number + " has a fixed duty cycle of 50 %.");
    }
    field2 = "50";
  }
  const std::string field1 = (mono ? arguments.pulse : arguments.frequency).value_or("");

  DesignAnswer answer;
  if (arguments.series) {
    const std::optional<ESeries> series = ParseSeries(*arguments.series);
    if (!series) return Refuse("--series takes E12, E24, E48, E96 or E192.");
    const std::optional<double> count = StrictNumber(arguments.count.value_or(std::to_string(kDefaultCount)));
    if (!count || *count != std::floor(*count) || *count < 1 || *count > kMaxCombinationCount) {
      return Refuse("--count takes a whole number from 1 to " + std::to_string(kMaxCombinationCount) + ".");
    }
    const std::optional<double> tolerance =
        StrictNumber(arguments.capTolerance.value_or(ShortNumber(kDefaultCapTolerancePercent)));
    if (!tolerance || *tolerance < 0 || *tolerance >= 100) {
      return Refuse("--cap-tolerance takes a percentage from 0 to below 100.");
    }
    answer.withCombinations = true;
    answer.request.series = *series;
    answer.request.count = static_cast<int>(*count);
    answer.request.capTolerance = *tolerance / 100;
  } else if (arguments.count || arguments.capTolerance) {
    return Refuse("--count and --cap-tolerance go with --series.");
  }

  // The inputs as the entry fields would hold them, checked and calculated
  // as "Calculate" does on a fresh design page.
  const InputCheck check = ValidateInputs(StartDesign(row->kind), field1, field2);
  if (check.problem) return Refuse(*check.problem);
  const ComponentsResult computed = ComputeComponents(check.design);
  if (!computed.computed) return Refuse(computed.error.empty() ? "Solution not found." : computed.error);
  answer.design = RecordNominals(computed.design, field1, field2);
  answer.design.Calculated = true;
  answer.design.Field1Text = answer.design.Field1Typed = field1;
  answer.design.Field2Text = answer.design.Field2Typed = field2;

  answer.facts = FactsOf(answer.design);
  answer.report = ReportDesign(answer.facts);
  if (answer.withCombinations) {
    const CombinationRequest asked = answer.request;
    answer.request = CombinationRequestFor(answer.facts, asked.series, asked.count, asked.capTolerance);
    answer.combinations = FindCombinations(answer.request).combinations;
  }
  return answer;
}

std::string AnswerTable(const DesignAnswer& answer) {
  return DesignSummaryText(answer.report, TextLayout::Aligned,
                           answer.withCombinations ? CombinationsHeading(answer.request) : std::string(),
                           answer.combinations);
}

std::string AnswerJson(const DesignAnswer& answer) {
  const DesignFacts& f = answer.facts;
  const DesignRow* row = FindDesign(f.kind);
  const bool mono = row != nullptr && row->input == FirstInput::PulseLength;
  const OutputTimes& t = answer.report.output;
  auto time = [&t](double value) { return t.defined ? JsonNumber(value) : std::string("null"); };

  std::string warnings = "[";
  for (std::size_t i = 0; i < answer.report.findings.size(); ++i)
    warnings += (i > 0 ? ",\n    " : "\n    ") + JsonString(answer.report.findings[i]);
  warnings += answer.report.findings.empty() ? "]" : "\n  ]";

  JsonObject o("");
  o.Add("design", JsonString(row != nullptr ? row->name : ""))
      .Add("frequency", mono ? "null" : JsonNumber(f.frequency))
      .Add("duty", mono ? "null" : JsonNumber(f.duty))
      .Add("pulse", mono ? JsonNumber(f.pulse) : "null")
      .Number("R1", f.parts.R1)
      .Add("R2", mono ? "null" : JsonNumber(f.parts.R2))
      .Number("C1", f.parts.C1)
      .Add("high_time", time(t.high))
      .Add("low_time", mono ? "null" : time(t.low))
      .Add("warnings", warnings);
  if (answer.withCombinations) {
    std::string list = "[";
    for (std::size_t i = 0; i < answer.combinations.size(); ++i)
      list += (i > 0 ? ",\n    " : "\n    ") + CombinationJson(answer.combinations[i], mono);
    list += answer.combinations.empty() ? "]" : "\n  ]";
    o.Add("combinations", list);
  }
  return o.Done() + "\n";
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

}  // namespace timer555
