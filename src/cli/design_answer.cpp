#include "cli/design_answer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

#include "design/design_table.h"
#include "design/engine.h"
#include "design/standard_values.h"

namespace timer555 {

namespace {

constexpr int kDefaultCount = 10;
constexpr double kDefaultCapTolerancePercent = 10;

/// JSON whose members keep the order they are written in.
using Json = nlohmann::ordered_json;

DesignAnswer Refuse(std::string message) {
  DesignAnswer answer;
  answer.status = ExitStatus::BadInput;
  answer.message = std::move(message);
  return answer;
}

// Texts quoted in messages are cut, so that a huge one cannot flood the
// terminal.
std::string Cut(const std::string& text) {
  constexpr std::size_t kLongest = 60;
  return text.size() > kLongest ? text.substr(0, kLongest) + "..." : text;
}

/// The first option whose text is not a number, as the message that says
/// so; nothing when every number given is one.
std::optional<std::string> NotANumber(const Arguments& a) {
  const std::pair<const char*, const std::optional<std::string>*> numbers[] = {
      {"--frequency", &a.frequency}, {"--duty", &a.duty},
      {"--pulse", &a.pulse},         {"--vcc", &a.vcc},
      {"--count", &a.count},         {"--cap-tolerance", &a.capTolerance},
  };
  for (const auto& [name, text] : numbers) {
    if (*text && !NumberFromText(**text)) return std::string(name) + " " + Cut(**text) + ": not a number";
  }
  return std::nullopt;
}

/// A timer family as the command line names it, with its supply range.
struct FamilyRow {
  const char* name;
  TimerFamily family;
  const char* what;  ///< in messages
  double minVcc, maxVcc;
};

constexpr FamilyRow kFamilies[] = {
    {"bipolar", TimerFamily::Bipolar, "a bipolar 555", kBipolarMinVcc, kBipolarMaxVcc},
    {"cmos", TimerFamily::Cmos, "a CMOS 555", kCmosMinVcc, kCmosMaxVcc},
};

const FamilyRow& RowOf(TimerFamily family) {
  return family == TimerFamily::Cmos ? kFamilies[1] : kFamilies[0];
}

/// The family named `text` in any case; nullptr when there is none.
const FamilyRow* FindFamily(const std::string& text) {
  for (const FamilyRow& row : kFamilies) {
    const std::string_view name = row.name;
    if (std::equal(text.begin(), text.end(), name.begin(), name.end(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
        })) {
      return &row;
    }
  }
  return nullptr;
}

/// A number for JSON; null when it is not finite.
Json Number(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

Json CombinationJson(const Combination& c, bool mono) {
  Json o;
  o["R1"] = Number(c.r1);
  o["R2"] = mono ? Json(nullptr) : Number(c.r2);
  o["C1"] = Number(c.c1);
  if (mono) {
    o["pulse"] = Number(c.pulse);
    o["error"] = Number(c.error);
    o["pulse_min"] = Number(c.pulseRange.min);
    o["pulse_max"] = Number(c.pulseRange.max);
  } else {
    o["frequency"] = Number(c.frequency);
    o["duty"] = Number(c.duty);
    o["error"] = Number(c.error);
    o["frequency_min"] = Number(c.frequencyRange.min);
    o["frequency_max"] = Number(c.frequencyRange.max);
    o["duty_min"] = Number(c.dutyRange.min);
    o["duty_max"] = Number(c.dutyRange.max);
  }
  return o;
}

/// The JSON text of a value: two blanks an indent, bytes that are not
/// UTF-8 replaced rather than thrown about.
std::string Dump(const Json& json, int indent) {
  return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

DesignAnswer AnswerDesign(const Arguments& arguments) {
  const DesignRow* row = FindDesign(arguments.design.value_or(""));
  if (row == nullptr) {
    return Refuse("Unknown design \"" + Cut(arguments.design.value_or("")) +
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
  if (const std::optional<std::string> problem = NotANumber(arguments)) return Refuse(*problem);
  std::string field2 = arguments.duty.value_or("");
  if (row->dutyField == DutyField::FixedAt50) {
    if (arguments.duty && NumberFromText(*arguments.duty) != 50) {
      return Refuse("Design " + number + " has a fixed duty cycle of 50 %.");
    }
    field2 = "50";
  }
  const std::string field1 = (mono ? arguments.pulse : arguments.frequency).value_or("");

  CircuitSettings settings;
  if (arguments.family) {
    const FamilyRow* family = FindFamily(*arguments.family);
    if (family == nullptr) return Refuse("--family takes bipolar or cmos.");
    settings.family = family->family;
  }
  if (arguments.vcc) settings.vcc = *NumberFromText(*arguments.vcc);
  const FamilyRow& family = RowOf(settings.family);
  if (!(settings.vcc >= family.minVcc && settings.vcc <= family.maxVcc)) {
    return Refuse("--vcc " + (arguments.vcc ? Cut(*arguments.vcc) : ShortNumber(settings.vcc)) + ": " +
                  family.what + " runs on " + ShortNumber(family.minVcc) + " to " +
                  ShortNumber(family.maxVcc) + " V");
  }

  DesignAnswer answer;
  if (arguments.series) {
    const std::optional<ESeries> series = ParseSeries(*arguments.series);
    if (!series) return Refuse("--series takes E12, E24, E48, E96 or E192.");
    const double count = arguments.count ? *NumberFromText(*arguments.count) : kDefaultCount;
    if (count != std::floor(count) || count < 1 || count > kMaxCombinationCount) {
      return Refuse("--count takes a whole number from 1 to " + std::to_string(kMaxCombinationCount) + ".");
    }
    const double tolerance =
        arguments.capTolerance ? *NumberFromText(*arguments.capTolerance) : kDefaultCapTolerancePercent;
    if (!(tolerance >= 0 && tolerance < 100)) {
      return Refuse("--cap-tolerance takes a percentage from 0 to below 100.");
    }
    answer.withCombinations = true;
    answer.request.series = *series;
    answer.request.count = static_cast<int>(count);
    answer.request.capTolerance = tolerance / 100;
  } else if (arguments.count || arguments.capTolerance) {
    return Refuse("--count and --cap-tolerance go with --series.");
  }

  // The inputs as the entry fields would hold them, checked and calculated
  // as "Calculate" does on a fresh design page.
  const InputCheck check =
      ValidateInputs(StartDesign(row->kind, TimerChip::Single555, settings), field1, field2);
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
    answer.combinations = FindDistinctCombinations(answer.request).combinations;
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
  const Json none(nullptr);

  Json o;
  o["design"] = row != nullptr ? row->name : "";
  o["frequency"] = mono ? none : Number(f.frequency);
  o["duty"] = mono ? none : Number(f.duty);
  o["pulse"] = mono ? Number(f.pulse) : none;
  o["R1"] = Number(f.parts.R1);
  o["R2"] = mono ? none : Number(f.parts.R2);
  o["C1"] = Number(f.parts.C1);
  o["high_time"] = t.defined ? Number(t.high) : none;
  o["low_time"] = t.defined && !mono ? Number(t.low) : none;
  o["vcc"] = Number(answer.design.Settings.vcc);
  o["family"] = RowOf(answer.design.Settings.family).name;
  o["warnings"] = answer.report.findings;
  if (answer.withCombinations) {
    o["combinations"] = Json::array();
    for (const Combination& c : answer.combinations) o["combinations"].push_back(CombinationJson(c, mono));
  }
  return Dump(o, 2) + "\n";
}

std::string JsonString(const std::string& text) { return Dump(Json(text), -1); }

std::string CombinationsJson(DesignKind kind, const std::vector<Combination>& combinations) {
  Json list = Json::array();
  for (const Combination& c : combinations)
    list.push_back(CombinationJson(c, kind == DesignKind::Monostable));
  return Dump(list, -1);
}

}  // namespace timer555
