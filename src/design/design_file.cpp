// Design files: a design as indented JSON (nlohmann-json), written and read
// through one list of the design's fields, and the checks that refuse
// any file that does not hold a sound design of this version.

#include "design/design_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <system_error>

#include "design/design_table.h"
#include "design/engine.h"
#include "design/limits.h"

namespace timer555 {

namespace {

// Ordered, so that the file lists the fields in the order written below.
using Json = nlohmann::ordered_json;

/// Where a field lies in the file: a key of a section (an object at the top
/// level), or a key of the top level itself when the section is empty.
struct Key {
  std::string_view section;
  std::string_view name;
};

/// The values a number field may take, both ends included.
struct Range {
  double low, high;
};
/// The values a whole-number field may take, both ends included.
struct WholeRange {
  int low, high;
};

/// What a text field may hold.
enum class TextRule {
  Any,
  NumberOrEmpty,  ///< a text the program wrote into an entry field
};

/// An enumerator with the word the file writes for it.
template <typename Enum>
struct Named {
  Enum value;
  const char* name;
};

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr Range kNotNegative{0, kLargest};
constexpr Range kFraction{0, 1};
constexpr WholeRange kE12Index{0, 11};  // positions in E12List()
constexpr WholeRange kDecade{kMinCapDecade, kMaxCapDecade};
// The value texts print at most 60 decimals; the bound only keeps a file
// from handing them a count near the limit of an int.
constexpr WholeRange kDecimals{0, 100};

constexpr Named<TimerChip> kChips[] = {
    {TimerChip::Single555, "555"}, {TimerChip::Dual556A, "556A"}, {TimerChip::Dual556B, "556B"}};
constexpr Named<TimerFamily> kFamilies[] = {{TimerFamily::Bipolar, "bipolar"}, {TimerFamily::Cmos, "cmos"}};

/// Every field of a design file, in the order the file lists them: where it
/// lies, the member of the design that holds it, and the values it may take.
/// The writer and the reader both walk this list, so a new member of
/// DesignState is one line here (and, if older files lack it, a new
/// version).
template <typename Design, typename Visitor>
void VisitFields(Design& d, Visitor& visit) {
  visit(Key{"", "design"}, d.DesignMode);
  visit(Key{"inputs", "Field1Typed"}, d.Field1Typed, TextRule::Any);
  visit(Key{"inputs", "Field2Typed"}, d.Field2Typed, TextRule::Any);
  visit(Key{"inputs", "Field1Text"}, d.Field1Text, TextRule::NumberOrEmpty);
  visit(Key{"inputs", "Field2Text"}, d.Field2Text, TextRule::NumberOrEmpty);
  visit(Key{"inputs", "Frequency"}, d.Frequency, kNotNegative);
  visit(Key{"inputs", "DutyCycle"}, d.DutyCycle, kFraction);
  visit(Key{"inputs", "PulseLength"}, d.PulseLength, kNotNegative);
  visit(Key{"inputs", "FrequencyDecimals"}, d.FrequencyDecimals, kDecimals);
  visit(Key{"inputs", "DutyDecimals"}, d.DutyDecimals, kDecimals);
  visit(Key{"parts", "R1"}, d.R1, kNotNegative);
  visit(Key{"parts", "R2"}, d.R2, kNotNegative);
  visit(Key{"parts", "R3"}, d.R3, kNotNegative);
  visit(Key{"parts", "C1"}, d.C1, kNotNegative);
  visit(Key{"parts", "C2"}, d.C2, kNotNegative);
  visit(Key{"parts", "C3"}, d.C3, kNotNegative);
  visit(Key{"parts", "C4"}, d.C4, kNotNegative);
  visit(Key{"nominal", "R1"}, d.NominalR1, kNotNegative);
  visit(Key{"nominal", "R2"}, d.NominalR2, kNotNegative);
  visit(Key{"nominal", "C1"}, d.NominalC1, kNotNegative);
  visit(Key{"capacitor", "CapSeriesIndex"}, d.CapSeriesIndex, kE12Index);
  visit(Key{"capacitor", "CapDecade"}, d.CapDecade, kDecade);
  visit(Key{"capacitor", "StartCapIndex"}, d.StartCapIndex, kE12Index);
  visit(Key{"capacitor", "StartCapDecade"}, d.StartCapDecade, kDecade);
  visit(Key{"", "chip"}, d.Chip, kChips);
  visit(Key{"", "calculated"}, d.Calculated);
  visit(Key{"times", "HighTime"}, d.HighTime, kNotNegative);
  visit(Key{"times", "LowTime"}, d.LowTime, kNotNegative);
  visit(Key{"circuit", "vcc"}, d.Settings.vcc, kNotNegative);
  visit(Key{"circuit", "family"}, d.Settings.family, kFamilies);
}

/// Puts each field into a JSON object.
class Writer {
 public:
  Json file = Json::object();

  void operator()(Key key, const std::string& text, TextRule) { Slot(key) = text; }
  void operator()(Key key, bool value) { Slot(key) = value; }
  void operator()(Key key, double value, Range) { Slot(key) = value; }
  void operator()(Key key, int value, WholeRange) { Slot(key) = value; }
  template <typename Enum, std::size_t N>
  void operator()(Key key, Enum value, const Named<Enum> (&names)[N]) {
    const auto* named =
        std::find_if(names, names + N, [value](const Named<Enum>& n) { return n.value == value; });
    Slot(key) = named == names + N ? "" : named->name;
  }
  void operator()(Key key, DesignKind kind) {
    const DesignRow* row = FindDesign(kind);
    Slot({key.name, "number"}) = static_cast<int>(kind);
    Slot({key.name, "name"}) = row == nullptr ? "" : row->name;
  }

 private:
  Json& Slot(Key key) {
    Json& parent = key.section.empty() ? file : file[std::string(key.section)];
    return parent[std::string(key.name)];
  }
};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

/// A value of the file as JSON, cut short when long, for a message.
std::string Shown(const Json& value) {
  constexpr std::size_t kLongest = 40;
  std::string text = value.dump();
  if (text.size() <= kLongest) return text;
  std::size_t cut = kLongest;
  // Not inside a UTF-8 sequence.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut) + "...";
}

/// The shortest text that reads back as `value`: "20", "1.0000001".
std::string NumberText(double value) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

/// Takes each field out of a parsed file into a design; stops at the first
/// problem, which it keeps.
class Reader {
 public:
  explicit Reader(const Json& file) : file_(file) {}

  std::string problem;

  void operator()(Key key, std::string& text, TextRule rule) {
    const Json* j = Find(key);
    if (j == nullptr) return;
    if (!j->is_string()) return Refuse(key, "is not a text in quotes");
    const std::string& value = j->get_ref<const std::string&>();
    if (rule == TextRule::NumberOrEmpty && !value.empty() && !NumberFromText(value)) {
      return Refuse(key, "is " + Shown(value) + ", which is not a number");
    }
    text = value;
  }

  void operator()(Key key, bool& value) {
    const Json* j = Find(key);
    if (j == nullptr) return;
    if (!j->is_boolean()) return Refuse(key, "is not true or false");
    value = j->get<bool>();
  }

  void operator()(Key key, double& value, Range range) {
    const Json* j = Find(key);
    if (j == nullptr) return;
    if (!j->is_number()) return Refuse(key, "is not a number");
    const double v = j->get<double>();
    if (!std::isfinite(v)) return Refuse(key, "is not a finite number");
    if (v < range.low || v > range.high) {
      return Refuse(key, "is " + NumberText(v) +
                             (range.high == kLargest ? "; it must not be negative"
                                                     : "; it must lie between " + NumberText(range.low) +
                                                           " and " + NumberText(range.high)));
    }
    value = v;
  }

  void operator()(Key key, int& value, WholeRange range) {
    const Json* j = Find(key);
    if (j == nullptr) return;
    if (!j->is_number_integer()) return Refuse(key, "is not a whole number");
    const bool huge = j->is_number_unsigned() && j->get<std::uint64_t>() > std::uint64_t{INT64_MAX};
    const std::int64_t v = huge ? INT64_MAX : j->get<std::int64_t>();
    if (v < range.low || v > range.high) {
      return Refuse(key, "is " + j->dump() + "; it must lie between " + std::to_string(range.low) + " and " +
                             std::to_string(range.high));
    }
    value = static_cast<int>(v);
  }

  template <typename Enum, std::size_t N>
  void operator()(Key key, Enum& value, const Named<Enum> (&names)[N]) {
    const Json* j = Find(key);
    if (j == nullptr) return;
    if (!j->is_string()) return Refuse(key, "is not a text in quotes");
    const std::string& word = j->get_ref<const std::string&>();
    const auto* named =
        std::find_if(names, names + N, [&word](const Named<Enum>& n) { return word == n.name; });
    if (named != names + N) {
      value = named->value;
      return;
    }
    std::string choices;
    for (const Named<Enum>& n : names) choices += (choices.empty() ? "" : ", ") + Quoted(n.name);
    Refuse(key, "is " + Shown(*j) + "; it must be one of " + choices);
  }

  /// The design's number and, as a check, its name.
  void operator()(Key key, DesignKind& kind) {
    int number = 0;
    std::string name;
    (*this)(Key{key.name, "number"}, number, WholeRange{1, static_cast<int>(Designs().size())});
    (*this)(Key{key.name, "name"}, name, TextRule::Any);
    if (!problem.empty()) return;
    kind = ToDesignKind(number);
    const DesignRow* row = FindDesign(kind);
    if (row == nullptr || name != row->name) {
      problem = Where({key.name, "name"}) + " is " + Shown(name) + ", but design " + std::to_string(number) +
                " is " + Quoted(row == nullptr ? "" : row->name) + ".";
    }
  }

 private:
  const Json& file_;

  static std::string Where(Key key) {
    return key.section.empty() ? Quoted(key.name) : Quoted(key.name) + " in " + Quoted(key.section);
  }

  void Refuse(Key key, const std::string& what) { problem = Where(key) + " " + what + "."; }

  /// The field's value; nullptr, with the problem kept, when the file lacks
  /// it or an earlier field had a problem.
  const Json* Find(Key key) {
    if (!problem.empty()) return nullptr;
    const Json* parent = &file_;
    if (!key.section.empty()) {
      const auto section = file_.find(std::string(key.section));
      if (section == file_.end()) {
        problem = "The file has no " + Quoted(key.section) + ".";
        return nullptr;
      }
      if (!section->is_object()) {
        problem = Quoted(key.section) + " is not an object.";
        return nullptr;
      }
      parent = &*section;
    }
    const auto value = parent->find(std::string(key.name));
    if (value == parent->end()) {
      problem = "The file has no " + Where(key) + ".";
      return nullptr;
    }
    return &*value;
  }
};

/// Line and column (from 1) of the byte at `offset`.
std::string PositionText(std::string_view bytes, std::size_t offset) {
  offset = std::min(offset, bytes.size());
  const std::string_view before = bytes.substr(0, offset);
  const std::size_t line = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
  const std::size_t lineStart = before.find_last_of('\n');
  const std::size_t column = lineStart == std::string_view::npos ? offset + 1 : offset - lineStart;
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

/// What the parser's message says went wrong, in plain words.
std::string ParseFault(const std::string& message) {
  auto says = [&message](const char* words) { return message.find(words) != std::string::npos; };
  if (says("UTF-8")) return "text that is not UTF-8";
  if (says("invalid string")) return "a text in quotes with a character or escape JSON does not allow";
  if (says("invalid number")) return "a number written wrongly";
  if (says("expected end of input")) return "more text after the end of the design";
  if (says("invalid literal")) return "a word JSON does not know";
  return "a character that does not belong there";
}

/// The problem with the raw bytes, before they are parsed.
std::string ProblemWithBytes(std::string_view bytes) {
  if (bytes.size() > kMaxDesignFileBytes) {
    return "The file is too large for a design file: " + std::to_string(bytes.size()) + " bytes, more than " +
           std::to_string(kMaxDesignFileBytes) + " (1 MiB).";
  }
  if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos) return "The file is empty.";
  // JSON text holds no control characters but tab, line feed and carriage
  // return; any other one means binary data.
  const auto binary = std::find_if(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
  });
  if (binary != bytes.end()) {
    return "The file holds binary data, not the text of a design file (a control character at " +
           PositionText(bytes, static_cast<std::size_t>(binary - bytes.begin())) + ").";
  }
  return {};
}

/// The parsed file, or the problem that kept it from being parsed.
std::optional<Json> Parse(std::string_view bytes, std::string& problem) {
  try {
    return Json::parse(bytes.begin(), bytes.end());
  } catch (const Json::parse_error& e) {
    // The parser counts the bytes it has read, from 1; past the last byte
    // means the text ended before the JSON did.
    if (e.byte > bytes.size()) {
      problem = "The file is truncated: it ends at " + PositionText(bytes, bytes.size()) +
                " before the JSON is complete.";
    } else {
      const std::string fault = ParseFault(e.what());
      problem = "The file is not valid JSON: " + fault + " at " +
                PositionText(bytes, e.byte == 0 ? 0 : e.byte - 1) + ".";
      if (fault == "a word JSON does not know") {
        problem += " Its only words are true, false and null; NaN and Infinity are no numbers in JSON.";
      }
    }
  } catch (const Json::out_of_range&) {
    problem = "The file holds a number too large to read (beyond 1.8e308).";
  } catch (const Json::exception& e) {
    problem = std::string("The file cannot be read as JSON: ") + e.what();
  }
  return std::nullopt;
}

std::string ProblemWithVersion(const Json& file) {
  const std::string reads = "this program reads version " + std::to_string(kDesignFileVersion) + ".";
  const auto version = file.find("version");
  if (version == file.end()) return "The file has no \"version\"; " + reads;
  if (!version->is_number_integer())
    return "\"version\" is " + Shown(*version) + ", not a version number; " + reads;
  if (version->get<std::int64_t>() != kDesignFileVersion)
    return "The file is version " + version->dump() + "; " + reads;
  return {};
}

/// What the fields cannot say one by one: the supply against the family,
/// the starting capacitor against the range of the C1 steps, the typed
/// inputs against the entry fields' checks, and the timing of a design
/// marked calculated.
std::string ProblemWithDesign(const DesignState& d) {
  const bool cmos = d.Settings.family == TimerFamily::Cmos;
  const double minVcc = cmos ? kCmosMinVcc : kBipolarMinVcc;
  const double maxVcc = cmos ? kCmosMaxVcc : kBipolarMaxVcc;
  if (d.Settings.vcc < minVcc || d.Settings.vcc > maxVcc) {
    return "The supply of " + NumberText(d.Settings.vcc) + " V is outside what a " +
           (cmos ? "CMOS" : "bipolar") + " timer runs on (" + NumberText(minVcc) + " to " +
           NumberText(maxVcc) + " V).";
  }
  DesignState start = d;
  start.CapSeriesIndex = d.StartCapIndex;
  start.CapDecade = d.StartCapDecade;
  if (!StepCapacitor(start, 0))
    return "The starting capacitor (\"StartCapIndex\", \"StartCapDecade\") lies outside 10 pF to 1 mF.";

  const DesignRow* row = FindDesign(d.DesignMode);
  const bool pulse = row->input == FirstInput::PulseLength;
  const bool typed = !d.Field1Typed.empty() && (pulse || !d.Field2Typed.empty());
  if (d.Calculated || typed) {
    const InputCheck check = ValidateInputs(d, d.Field1Typed, d.Field2Typed);
    if (check.problem) return "The inputs typed are refused: " + *check.problem;
  }
  if (d.Calculated) {
    const RecalculationResult timing = RecalculateFromComponents(d);
    if (!timing.computed)
      return "The design is marked calculated, but its parts give no timing: " + timing.error;
  }
  return {};
}

}  // namespace

std::string WriteDesignFile(const DesignState& design) {
  Writer writer;
  writer.file["version"] = kDesignFileVersion;
  VisitFields(design, writer);
  // Texts that are not UTF-8 (never typed into a field) are written with
  // replacement characters rather than thrown over.
  return writer.file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

DesignFileRead ReadDesignFile(std::string_view bytes) {
  DesignFileRead read;
  try {
    read.problem = ProblemWithBytes(bytes);
    if (!read.problem.empty()) return read;
    const std::optional<Json> file = Parse(bytes, read.problem);
    if (!file) return read;
    if (!file->is_object()) {
      read.problem = std::string("The file is JSON, but not a design: it holds a single ") +
                     file->type_name() + " value, not an object with the design's keys.";
      return read;
    }
    read.problem = ProblemWithVersion(*file);
    if (!read.problem.empty()) return read;
    DesignState design;
    Reader reader(*file);
    VisitFields(design, reader);
    read.problem = reader.problem.empty() ? ProblemWithDesign(design) : reader.problem;
    if (read.problem.empty()) read.design = design;
  } catch (const std::exception& e) {
    read.design.reset();
    read.problem = std::string("The file cannot be read: ") + e.what();
  }
  return read;
}

}  // namespace timer555
