#include "cli/design_answer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

#include "design/design_file.h"
#include "design/design_table.h"
#include "design/engine.h"
#include "design/standard_values.h"
#include "simulation/simulation_plot.h"

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

/// The circuit settings asked for: `settings` (the default, or the opened
/// file's) with --family and --vcc applied; why not, when they cannot be.
std::optional<std::string> ApplySettings(const Arguments& arguments, CircuitSettings& settings) {
  if (arguments.family) {
    const FamilyRow* family = FindFamily(*arguments.family);
    if (family == nullptr) return "--family takes bipolar or cmos.";
    settings.family = family->family;
  }
  if (arguments.vcc) settings.vcc = *NumberFromText(*arguments.vcc);
  const FamilyRow& family = RowOf(settings.family);
  if (settings.vcc >= family.minVcc && settings.vcc <= family.maxVcc) return std::nullopt;
  const std::string runs = std::string(family.what) + " runs on " + ShortNumber(family.minVcc) + " to " +
                           ShortNumber(family.maxVcc) + " V";
  if (arguments.vcc) return "--vcc " + Cut(*arguments.vcc) + ": " + runs;
  // Only an opened file's supply can be out of range for another family.
  return "The file's supply of " + ShortNumber(settings.vcc) + " V is outside what " + runs +
         "; give --vcc too.";
}

/// The combinations asked for (--series, --count, --cap-tolerance) into
/// `answer`; why not, when they cannot be.
std::optional<std::string> ApplyCombinationOptions(const Arguments& arguments, DesignAnswer& answer) {
  if (!arguments.series) {
    if (arguments.count || arguments.capTolerance) return "--count and --cap-tolerance go with --series.";
    return std::nullopt;
  }
  const std::optional<ESeries> series = ParseSeries(*arguments.series);
  if (!series) return "--series takes E12, E24, E48, E96 or E192.";
  const double count = arguments.count ? *NumberFromText(*arguments.count) : kDefaultCount;
  if (count != std::floor(count) || count < 1 || count > kMaxCombinationCount) {
    return "--count takes a whole number from 1 to " + std::to_string(kMaxCombinationCount) + ".";
  }
  const double tolerance =
      arguments.capTolerance ? *NumberFromText(*arguments.capTolerance) : kDefaultCapTolerancePercent;
  if (!(tolerance >= 0 && tolerance < 100)) return "--cap-tolerance takes a percentage from 0 to below 100.";
  answer.withCombinations = true;
  answer.request.series = *series;
  answer.request.count = static_cast<int>(count);
  answer.request.capTolerance = tolerance / 100;
  return std::nullopt;
}

/// A calculated design, or why the inputs cannot give one.
struct Calculation {
  std::optional<std::string> problem;
  DesignState design;
};

/// What "Calculate" does with the entry fields holding `field1` and
/// `field2`: the inputs checked, the components calculated from the
/// design's starting capacitor, the nominal values and texts recorded.
Calculation Calculate(const DesignState& start, const std::string& field1, const std::string& field2) {
  const InputCheck check = ValidateInputs(start, field1, field2);
  if (check.problem) return {check.problem, start};
  const ComponentsResult computed = ComputeComponents(check.design);
  if (!computed.computed) return {computed.error.empty() ? "Solution not found." : computed.error, start};
  Calculation c{std::nullopt, RecordNominals(computed.design, field1, field2)};
  c.design.Calculated = true;
  c.design.Field1Text = c.design.Field1Typed = field1;
  c.design.Field2Text = c.design.Field2Typed = field2;
  return c;
}

/// The design typed on the command line, calculated; or why not.
Calculation TypedDesign(const Arguments& arguments) {
  const DesignRow* row = FindDesign(arguments.design.value_or(""));
  if (row == nullptr) {
    return {"Unknown design \"" + Cut(arguments.design.value_or("")) +
                "\": choose 1 to 4 or astable, square, low-duty, monostable.",
            {}};
  }
  const bool mono = row->input == FirstInput::PulseLength;
  const std::string number = std::to_string(static_cast<int>(row->kind));
  if (mono && (arguments.frequency || arguments.duty)) {
    return {"Design " + number + " takes a pulse length (--pulse), not --frequency or --duty.", {}};
  }
  if (!mono && arguments.pulse)
    return {"Design " + number + " takes a frequency (--frequency), not --pulse.", {}};
  if (std::optional<std::string> problem = NotANumber(arguments)) return {std::move(problem), {}};
  std::string field2 = arguments.duty.value_or("");
  if (row->dutyField == DutyField::FixedAt50) {
    if (arguments.duty && NumberFromText(*arguments.duty) != 50) {
      return {"Design " + number + " has a fixed duty cycle of 50 %.", {}};
    }
    field2 = "50";
  }
  const std::string field1 = (mono ? arguments.pulse : arguments.frequency).value_or("");
  CircuitSettings settings;
  if (std::optional<std::string> problem = ApplySettings(arguments, settings))
    return {std::move(problem), {}};
  // The inputs as the entry fields would hold them, checked and calculated
  // as "Calculate" does on a fresh design page.
  return Calculate(StartDesign(row->kind, TimerChip::Single555, settings), field1, field2);
}

/// The design of an opened file with the settings asked for; calculated
/// from its typed inputs when it was saved before Calculate.
Calculation OpenedDesign(const Arguments& arguments, const OpenedFile& file) {
  if (std::optional<std::string> problem = NotANumber(arguments)) return {std::move(problem), {}};
  DesignFileRead read = ReadDesignFile(file.bytes);
  if (!read.design) return {file.name + ": " + read.problem, {}};
  DesignState design = *read.design;
  if (std::optional<std::string> problem = ApplySettings(arguments, design.Settings)) {
    return {std::move(problem), {}};
  }
  if (design.Calculated) return {std::nullopt, design};
  const DesignRow* row = FindDesign(design.DesignMode);
  const std::string field2 = row->dutyField == DutyField::FixedAt50 ? "50" : design.Field2Typed;
  Calculation c = Calculate(design, design.Field1Typed, field2);
  if (c.problem)
    c.problem =
        file.name + ": The design was saved before Calculate, and its inputs give none: " + *c.problem;
  return c;
}

}  // namespace

DesignAnswer AnswerDesign(const Arguments& arguments, const OpenedFile* opened) {
  const Calculation calculation =
      opened != nullptr ? OpenedDesign(arguments, *opened) : TypedDesign(arguments);
  if (calculation.problem) return Refuse(*calculation.problem);
  DesignAnswer answer;
  if (std::optional<std::string> problem = ApplyCombinationOptions(arguments, answer)) {
    return Refuse(*problem);
  }
  answer.design = calculation.design;
  answer.facts = FactsOf(answer.design);
  answer.report = ReportDesign(answer.facts);
  if (answer.withCombinations) {
    const CombinationRequest asked = answer.request;
    answer.request = CombinationRequestFor(answer.facts, asked.series, asked.count, asked.capTolerance);
    answer.combinations = FindDistinctCombinations(answer.request).combinations;
  }
  return answer;
}

DeckRequest DeckOf(const DesignAnswer& answer) {
  DeckRequest request;
  request.kind = answer.design.DesignMode;
  request.parts = answer.design;
  request.settings = answer.design.Settings;
  request.inputs = TargetOf(answer.design);
  return request;
}

void SimulateAnswer(DesignAnswer& answer) {
  if (!SimulatorAvailable()) {
    answer.status = ExitStatus::NotSimulated;
    answer.message =
        "Simulation is unavailable: ngspice's library (Debian package libngspice0) is not installed.";
    return;
  }
  SimulationResult result = Simulate(DeckOf(answer));
  if (!result.ok) {
    answer.status = ExitStatus::NotSimulated;
    answer.message = "Simulation failed: " + result.message;
    return;
  }
  // The row is named "Simulated" already.
  std::string summary = SimulationSummary(result, answer.design.DesignMode);
  constexpr std::string_view kNamed = "Simulated: ";
  if (summary.rfind(kNamed, 0) == 0) summary.erase(0, kNamed.size());
  answer.facts.simulated = summary;
  answer.report = ReportDesign(answer.facts);
  answer.simulation = std::move(result);
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
  // What the built circuit does: null where the design has no such value
  // and throughout when it never runs.
  const ExpectedValues& e = answer.report.expected;
  const auto built = [&e](bool defined, double value) {
    return defined && e.runs() ? Number(value) : Json();
  };
  o["expected"] = {{"frequency", built(!mono, e.frequency)},
                   {"duty", built(!mono, e.duty)},
                   {"pulse", built(mono, e.pulse)},
                   {"high_time", built(true, e.highTime)},
                   {"low_time", built(!mono, e.lowTime)}};
  if (const std::optional<PartValues>& c = answer.report.compensated) {
    o["compensated"] = {{"R1", Number(c->R1)}, {"R2", mono ? none : Number(c->R2)}};
  } else {
    o["compensated"] = none;
  }
  if (answer.simulation) {
    const SimulationResult& r = *answer.simulation;
    const auto measured = [](const std::optional<double>& v) { return v ? Number(*v) : Json(); };
    o["simulated"] = {
        {"frequency", measured(r.frequency)}, {"duty", measured(r.duty)}, {"pulse", measured(r.pulse)}};
  }
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
