// The strip, the plain-text summary and the default file names of the
// design sheet.

#include "design/design_sheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

#include "design/advisor.h"
#include "design/design_state.h"
#include "design/design_table.h"
#include "design/engine.h"
#include "schematic/value_text.h"

namespace timer555 {

namespace {

// The strip's font (the controls' 12-point face) and its margin.
constexpr int kStripFontHeight = -16;
constexpr int kStripMargin = 10;
const char* const kStripGap = "    ";  // between the items of one line

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A number as "%.6g" writes it: what a spreadsheet reads back.
std::string GeneralNumber(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  return buffer;
}

std::string Percent(double fraction, int digits) { return ShortNumber(100 * fraction, digits) + " %"; }

bool IsMonostable(DesignKind kind) {
  const DesignRow* row = FindDesign(kind);
  return row != nullptr && row->input == FirstInput::PulseLength;
}

// The "name: value" items of rows.
std::vector<std::string> Items(const TextRows& rows, const char* separator) {
  std::vector<std::string> items;
  for (const auto& row : rows)
    if (row.size() >= 2) items.push_back(row[0] + separator + row[1]);
  return items;
}

/// One line of the strip: where it starts and whether it is bold.
struct StripLine {
  int x = 0;
  std::string text;
  bool bold = false;
};

// Words of `text` filled into lines no wider than `width` after the first
// line's prefix; the following lines start below the text, after the prefix.
void Wrap(Canvas& canvas, const std::string& prefix, const std::string& text, int left, int width,
          std::vector<StripLine>& out) {
  const int indent = canvas.textWidth(prefix);
  std::string line;
  bool first = true;
  auto flush = [&] {
    out.push_back({first ? left : left + indent, first ? prefix + line : line, false});
    first = false;
    line.clear();
  };
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    std::string candidate = line;
    if (!candidate.empty()) candidate += ' ';
    candidate += word;
    if (!line.empty() && canvas.textWidth(candidate) > width - indent) {
      flush();
      line = word;
    } else {
      line = std::move(candidate);
    }
  }
  if (!line.empty() || first) flush();
}

// Items set out on lines no wider than `width`, kStripGap between them; an
// item wider than the line has one of its own.
void WrapItems(Canvas& canvas, const std::vector<std::string>& items, int left, int width,
               std::vector<StripLine>& out) {
  std::string line;
  for (const std::string& item : items) {
    std::string candidate = line;
    if (!candidate.empty()) candidate += kStripGap;
    candidate += item;
    if (!line.empty() && canvas.textWidth(candidate) > width) {
      out.push_back({left, line, false});
      line = item;
    } else {
      line = std::move(candidate);
    }
  }
  if (!line.empty()) out.push_back({left, line, false});
}

std::vector<StripLine> LayoutStrip(Canvas& canvas, int width, const DesignReport& report,
                                   const std::string& fontName) {
  canvas.setFontName(fontName);
  canvas.setFontHeight(kStripFontHeight);
  canvas.setFontUnderline(false);
  canvas.setFontBold(false);
  std::vector<StripLine> lines;
  lines.push_back({kStripMargin, report.title, true});
  const int inner = width - 2 * kStripMargin;
  WrapItems(canvas, Items(report.inputs, ": "), kStripMargin, inner, lines);
  for (const TextRows* rows : {&report.parts, &report.times})
    WrapItems(canvas, Items(*rows, " = "), kStripMargin, inner, lines);
  for (const TextRows& rows : report.more) WrapItems(canvas, Items(rows, ": "), kStripMargin, inner, lines);
  for (const std::string& finding : report.findings) Wrap(canvas, "- ", finding, kStripMargin, inner, lines);
  return lines;
}

std::string Slug(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c)) {
      out += static_cast<char>(std::tolower(c));
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out;
}

}  // namespace

std::string ShortNumber(double value, int digits) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
  if (value == 0) return "0";
  const double magnitude = std::fabs(value);
  char buffer[64];
  if (magnitude >= 1e15 || magnitude < 1e-15) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
  }
  // Round to `digits` significant figures first, so that the decimals
  // follow the rounded value (999.9996 -> "1000").
  std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
  const double rounded = std::strtod(buffer, nullptr);
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
  const int decimals = std::max(0, digits - 1 - exponent);
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
  std::string text = buffer;
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::string TimeText(double seconds) {
  const double t = std::fabs(seconds);
  if (t >= 1 || t == 0 || !std::isfinite(t)) return ShortNumber(seconds, 4) + " s";
  if (t >= 1e-3) return ShortNumber(seconds * 1e3, 4) + " ms";
  if (t >= 1e-6) return ShortNumber(seconds * 1e6, 4) + " us";
  return ShortNumber(seconds * 1e9, 4) + " ns";
}

std::string FrequencyText(double hertz) {
  const double f = std::fabs(hertz);
  if (f >= 1e6 && std::isfinite(f)) return ShortNumber(hertz / 1e6, 4) + " MHz";
  if (f >= 1e3 && std::isfinite(f)) return ShortNumber(hertz / 1e3, 4) + " kHz";
  return ShortNumber(hertz, 4) + " Hz";
}

DesignFacts FactsOf(const DesignState& s) {
  DesignFacts facts;
  facts.kind = s.DesignMode;
  facts.frequency = s.Frequency;
  facts.duty = s.DutyCycle;
  facts.pulse = s.PulseLength;
  facts.parts.R1 = s.R1;
  facts.parts.R2 = s.R2;
  facts.parts.C1 = s.C1;
  facts.parts.C2 = s.C2;
  facts.settings = s.Settings;
  facts.target = TargetOf(s);
  return facts;
}

DesignTarget TargetOf(const DesignState& s) {
  DesignTarget target;
  const DesignRow* row = FindDesign(s.DesignMode);
  if (row == nullptr) return target;
  // The inputs as typed; a design the program filled in itself (without
  // typed texts) aims at what it holds.
  const auto typedOr = [](const std::string& text, double held) {
    const std::optional<double> typed = NumberFromText(text);
    return typed ? *typed : held;
  };
  if (row->input == FirstInput::PulseLength) {
    target.pulse = typedOr(s.Field1Typed, s.PulseLength);
    return target;
  }
  target.frequency = typedOr(s.Field1Typed, s.Frequency);
  target.duty =
      row->dutyField == DutyField::FixedAt50 ? 0.5 : typedOr(s.Field2Typed, 100 * s.DutyCycle) / 100;
  return target;
}

std::string SettingsText(const CircuitSettings& settings) {
  return ShortNumber(settings.vcc, 4) + " V, " +
         (settings.family == TimerFamily::Bipolar ? "bipolar (NE555 class)" : "CMOS (TLC555 class)");
}

std::string ExpectedText(DesignKind kind, const ExpectedValues& expected, const DesignTarget& target) {
  if (!expected.runs()) {
    std::string text = expected.reason.empty() ? "no defined timing" : expected.reason;
    if (expected.threshold > 0)
      text += ": C1 settles at " + ShortNumber(expected.settlesAt, 3) + " V, below the " +
              ShortNumber(expected.threshold, 3) + " V threshold";
    return text;
  }
  const double miss = TargetMiss(kind, expected, target);
  std::string off;
  if (std::isfinite(miss)) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " (%+.1f %%)", 100 * miss);
    off = buffer;
  }
  if (IsMonostable(kind)) return TimeText(expected.pulse) + off;
  return FrequencyText(expected.frequency) + off + ", duty " + Percent(expected.duty, 3) + ", tH " +
         TimeText(expected.highTime) + ", tL " + TimeText(expected.lowTime);
}

std::string CompensatedText(DesignKind kind, const PartValues& parts) {
  std::string text = "R1 = " + Trim(ResistanceText(parts.R1));
  if (!IsMonostable(kind)) text += ", R2 = " + Trim(ResistanceText(parts.R2));
  return text + " (same C1)";
}

DesignReport ReportDesign(const DesignFacts& facts) {
  DesignReport report;
  const DesignRow* row = FindDesign(facts.kind);
  if (row == nullptr) return report;
  const bool mono = row->input == FirstInput::PulseLength;
  const PartValues& p = facts.parts;
  report.kind = facts.kind;
  report.title = row->title;
  if (mono) {
    report.inputs.push_back({"Pulse length", ShortNumber(facts.pulse) + " s"});
  } else {
    report.inputs.push_back({"Frequency", ShortNumber(facts.frequency) + " Hz"});
    report.inputs.push_back({"Duty cycle", Percent(facts.duty, 6)});
  }
  report.parts.push_back({"R1", Trim(ResistanceText(p.R1)), GeneralNumber(p.R1) + " ohm"});
  if (!mono) report.parts.push_back({"R2", Trim(ResistanceText(p.R2)), GeneralNumber(p.R2) + " ohm"});
  report.parts.push_back({"C1", Trim(CapacitanceText(p.C1)), GeneralNumber(p.C1) + " F"});
  report.parts.push_back({"C2", Trim(CapacitanceText(p.C2)), GeneralNumber(p.C2) + " F"});

  report.output = TimesFromComponents(facts.kind, p.R1, p.R2, p.C1);
  if (!report.output.defined) {
    report.times.push_back({mono ? "Pulse" : "Timing", "not defined by these parts"});
  } else if (mono) {
    report.times.push_back({"Pulse", TimeText(report.output.high)});
  } else {
    report.times.push_back({"tH", TimeText(report.output.high)});
    report.times.push_back({"tL", TimeText(report.output.low)});
  }
  report.expected = PredictBuilt(facts.kind, p, facts.settings);
  if (CompensationCalledFor(facts.kind, report.expected, facts.target))
    report.compensated = CompensateParts(facts.kind, facts.target.frequency, facts.target.duty,
                                         facts.target.pulse, p, facts.settings);
  report.more.push_back({{"Built with", SettingsText(facts.settings)}});
  report.more.push_back({{"Expected when built", ExpectedText(facts.kind, report.expected, facts.target)}});
  if (report.compensated)
    report.more.push_back({{"Compensated parts", CompensatedText(facts.kind, *report.compensated)}});
  if (!facts.simulated.empty()) report.more.push_back({{"Simulated", facts.simulated}});
  for (const Finding& finding : AdviseDesign(facts.kind, p, facts.frequency, facts.settings, facts.target))
    report.findings.push_back(finding.text);
  return report;
}

CombinationRequest CombinationRequestFor(const DesignFacts& facts, ESeries series, int count,
                                         double capTolerance) {
  CombinationRequest request;
  request.kind = facts.kind;
  request.frequency = facts.frequency;
  request.duty = facts.duty;
  request.pulse = facts.pulse;
  request.series = series;
  request.count = count;
  request.capTolerance = capTolerance;
  return request;
}

std::string CombinationsHeading(const CombinationRequest& request) {
  const std::string resistors = IsMonostable(request.kind) ? "R1" : "R1, R2";
  return "Best " + std::to_string(request.count) + " " + std::string(SeriesName(request.series)) +
         " combinations (" + resistors + " +/-" + ShortNumber(100 * SeriesTolerance(request.series)) +
         " %, C1 +/-" + ShortNumber(100 * request.capTolerance) + " %)";
}

TextRows CombinationRows(DesignKind kind, const std::vector<Combination>& combinations) {
  const bool mono = IsMonostable(kind);
  TextRows rows;
  if (mono) {
    rows.push_back({"#", "R1", "C1", "Pulse", "Error", "Pulse range"});
  } else {
    rows.push_back(
        {"#", "R1", "R2", "C1", "Frequency", "Duty cycle", "Error", "Frequency range", "Duty range"});
  }
  int number = 0;
  for (const Combination& c : combinations) {
    std::vector<std::string> row = {std::to_string(++number), Trim(ResistanceText(c.r1))};
    if (!mono) row.push_back(Trim(ResistanceText(c.r2)));
    row.push_back(Trim(CapacitanceText(c.c1)));
    const std::string error = ShortNumber(100 * c.error, 3) + " %";
    if (mono) {
      row.insert(row.end(), {TimeText(c.pulse), error,
                             TimeText(c.pulseRange.min) + " .. " + TimeText(c.pulseRange.max)});
    } else {
      std::string frequencyRange =
          FrequencyText(c.frequencyRange.min) + " .. " + FrequencyText(c.frequencyRange.max);
      if (c.cornersWithoutTiming > 0) frequencyRange += ", may not oscillate";
      row.insert(row.end(), {FrequencyText(c.frequency), Percent(c.duty, 4), error, frequencyRange,
                             ShortNumber(100 * c.dutyRange.min, 4) + " .. " + Percent(c.dutyRange.max, 4)});
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string RowsText(const TextRows& rows, TextLayout layout) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) line += layout == TextLayout::Tabs ? "\t" : "  ";
      line += row[i];
      if (layout == TextLayout::Aligned && i + 1 < row.size()) line.append(widths[i] - row[i].size(), ' ');
    }
    text += line + "\n";
  }
  return text;
}

std::string DesignSummaryText(const DesignReport& report, TextLayout layout,
                              const std::string& combinationsHeading,
                              const std::vector<Combination>& combinations) {
  std::string text = report.title + "\n\n";
  text += RowsText(report.inputs, layout) + "\n";
  text += RowsText(report.parts, layout) + "\n";
  text += RowsText(report.times, layout);
  for (const TextRows& rows : report.more) text += "\n" + RowsText(rows, layout);
  if (!report.findings.empty()) {
    text += "\nFindings:\n";
    for (const std::string& finding : report.findings) text += "- " + finding + "\n";
  }
  if (!combinationsHeading.empty()) {
    text += "\n" + combinationsHeading + ":\n";
    if (combinations.empty()) {
      text += "none within the parts' ranges\n";
    } else {
      text += RowsText(CombinationRows(report.kind, combinations), layout);
    }
  }
  return text;
}

int DesignStripHeight(Canvas& canvas, int width, const DesignReport& report, const std::string& fontName) {
  const std::vector<StripLine> lines = LayoutStrip(canvas, width, report, fontName);
  const int lineHeight = canvas.textHeight("Ay");
  return 2 * kStripMargin + static_cast<int>(lines.size()) * lineHeight;
}

void DrawDesignStrip(Canvas& canvas, int top, const DesignReport& report, const std::string& fontName) {
  const int width = canvas.width();
  const std::vector<StripLine> lines = LayoutStrip(canvas, width, report, fontName);
  const int lineHeight = canvas.textHeight("Ay");
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, top, width, top + 2 * kStripMargin + static_cast<int>(lines.size()) * lineHeight});
  canvas.setPenColor(colors::Black);
  canvas.setPenWidth(1);
  canvas.moveTo(0, top);
  canvas.lineTo(width, top);
  canvas.setFontColor(colors::Black);
  int y = top + kStripMargin;
  for (const StripLine& line : lines) {
    canvas.setFontBold(line.bold);
    canvas.textOut(line.x, y, line.text);
    y += lineHeight;
  }
  canvas.setFontBold(false);
}

std::string SheetBaseName(SheetPage page, DesignKind design, const DesignFacts* calculated,
                          int applicationIndex, const std::string& applicationTitle) {
  switch (page) {
    case SheetPage::StartScreen: return "start-screen";
    case SheetPage::DesignMenu: return "design-menu";
    case SheetPage::ApplicationsMenu: return "applications-menu";
    case SheetPage::DataMenu: return "data-menu";
    case SheetPage::Help: return "help";
    case SheetPage::ComponentNotes: return "component-notes";
    case SheetPage::TimerData: return "timer-data";
    case SheetPage::Application: {
      char number[16];
      std::snprintf(number, sizeof number, "%02d", applicationIndex);
      const std::string slug = Slug(applicationTitle);
      return std::string("application-") + number + (slug.empty() ? "" : "-" + slug);
    }
    case SheetPage::Design: break;
  }
  const DesignRow* row = FindDesign(calculated != nullptr ? calculated->kind : design);
  if (row == nullptr) return "design";
  std::string name = row->name;
  if (calculated == nullptr) return name;
  if (row->input == FirstInput::PulseLength) return name + "-" + ShortNumber(calculated->pulse) + "s";
  name += "-" + ShortNumber(calculated->frequency) + "Hz";
  if (row->dutyField == DutyField::Entered) name += "-" + ShortNumber(100 * calculated->duty, 4) + "pct";
  return name;
}

}  // namespace timer555
