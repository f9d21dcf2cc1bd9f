#pragma once

// What the program tells about a page when it is saved, copied, printed or
// asked for on the command line: the strip below a calculated design's
// drawing, the plain-text summary and the file name a page is saved under.

#include <optional>
#include <string>
#include <vector>

#include "design/built_circuit.h"
#include "design/circuit_settings.h"
#include "design/combinations.h"
#include "design/design_kind.h"
#include "design/design_state.h"
#include "design/timing.h"
#include "platform/canvas.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// A calculated design: the inputs it was calculated for (the frequency
/// and duty cycle of the astable designs, recalculated after an
/// adjustment; the pulse length of the monostable as entered) and the parts
/// it came out with (R1, R2, C1, C2).
struct DesignFacts {
  DesignKind kind = DesignKind::None;
  double frequency = 0;  ///< Hz, astable designs
  double duty = 0;       ///< fraction, astable designs
  double pulse = 0;      ///< s, monostable
  PartValues parts;
  CircuitSettings settings;  ///< what the circuit is built with
  DesignTarget target;       ///< what the user asked for (the inputs as typed)
  /// What a simulation of these parts measured ("999.8 Hz, duty 59.8 %"),
  /// once one has been run; empty otherwise.
  std::string simulated;
};

/// The facts of a calculated design.
DesignFacts FactsOf(const DesignState& design);

/// What the user asked of a design: the inputs as typed (the target stays
/// what was typed when an adjustment moves the frequency).
DesignTarget TargetOf(const DesignState& design);

/// Rows of text cells, the first cell of each naming the row.
using TextRows = std::vector<std::vector<std::string>>;

/// What is said about a calculated design, in the order it is said.
struct DesignReport {
  DesignKind kind = DesignKind::None;
  std::string title;  ///< the design page's title, "Astable, Duty Cycle > 50%"
  TextRows inputs;    ///< {"Frequency", "1000 Hz"}, {"Duty cycle", "60 %"} or {"Pulse length", "10 s"}
  TextRows parts;     ///< {"R1", "2.885K", "2885.39 ohm"}: value text as printed, then the number
  TextRows times;     ///< {"tH", "600 us"}, {"tL", "400 us"} or {"Pulse", "10 s"}
  /// Further groups of rows after the times (expected values, compensated
  /// parts, ...): the strip draws each group as one more line of
  /// "name = value" items, the summary as rows of its own.
  std::vector<TextRows> more;
  std::vector<std::string> findings;  ///< the advisor's, in rule order
  OutputTimes output;                 ///< the times the parts give (the timing equations)
  ExpectedValues expected;            ///< what the built circuit does
  /// The parts (same C1) whose expected values hit the target, where the
  /// expected frequency or pulse misses it by more than 1 %.
  std::optional<PartValues> compensated;
};

/// The circuit settings as said on the sheet: "15 V, bipolar (NE555 class)".
std::string SettingsText(const CircuitSettings& settings);
/// What the built circuit is expected to do, against the target:
/// "912.6 Hz (-8.7 %), duty 30 %, tH 329 us, tL 767 us", "10.84 s (+8.4 %)",
/// or "never oscillates: C1 settles at 7.8 V, below the 10 V threshold".
std::string ExpectedText(DesignKind kind, const ExpectedValues& expected, const DesignTarget& target);
/// The compensated parts: "R1 = 3.949K, R2 = 9.194K (same C1)".
std::string CompensatedText(DesignKind kind, const PartValues& parts);

/// The report of a design; the times come from its parts, the findings from
/// the advisor.
DesignReport ReportDesign(const DesignFacts& facts);

/// The search for standard-value combinations of a calculated design, with
/// the series, count and capacitor tolerance asked for.
CombinationRequest CombinationRequestFor(const DesignFacts& facts, ESeries series, int count,
                                         double capTolerance);

/// The heading above a list of combinations: "Best 10 E24 combinations
/// (R1, R2 +/-5 %, C1 +/-10 %)".
std::string CombinationsHeading(const CombinationRequest& request);

/// The combinations as text rows: a heading row, then one row per
/// combination (R1, R2 unless monostable, C1, the timing, the error and the
/// worst-case ranges).
TextRows CombinationRows(DesignKind kind, const std::vector<Combination>& combinations);

/// How rows are set out as plain text.
enum class TextLayout {
  Aligned,  ///< columns padded with blanks, for a terminal
  Tabs,     ///< cells separated by tabs, so that a spreadsheet gets columns
};

/// The plain-text summary of a design: title, inputs, parts, times,
/// findings and, when `combinationsHeading` is not empty, the combinations
/// under it (none found is said so).
std::string DesignSummaryText(const DesignReport& report, TextLayout layout,
                              const std::string& combinationsHeading = {},
                              const std::vector<Combination>& combinations = {});

/// Rows as text, each line ending in a newline.
std::string RowsText(const TextRows& rows, TextLayout layout);

/// The strip below a calculated design's drawing on the sheet: title,
/// inputs, parts, times, the further groups and findings, in the display
/// font `fontName`, on white with a line across its top. The height for a
/// sheet `width` wide, measured on `canvas` (a long line wraps: the rows
/// between their items, the findings between words).
int DesignStripHeight(Canvas& canvas, int width, const DesignReport& report, const std::string& fontName);
/// Draws the strip across the canvas with its top at `top`.
void DrawDesignStrip(Canvas& canvas, int top, const DesignReport& report, const std::string& fontName);

/// The page a sheet shows.
enum class SheetPage {
  StartScreen,
  DesignMenu,
  ApplicationsMenu,
  DataMenu,
  Help,
  Design,  ///< a design page, calculated or not
  Application,
  ComponentNotes,
  TimerData,
};

/// The name a page is saved under, without extension:
/// "astable-1000Hz-60pct", "monostable-10s" (a calculated design, from its
/// inputs), "astable" (a design not calculated), "application-05-tone-
/// burst-generator", "design-menu", "help", "timer-data".
std::string SheetBaseName(SheetPage page, DesignKind design, const DesignFacts* calculated,
                          int applicationIndex, const std::string& applicationTitle);

/// A number with at most `digits` significant figures, without exponent
/// and without trailing zeros ("1000", "0.001", "2885.39"); beyond 1e15 and
/// below 1e-15 in exponent form.
std::string ShortNumber(double value, int digits = 6);
/// A time with its unit, four significant figures: "600 us", "1.5 ms", "10 s".
std::string TimeText(double seconds);
/// A frequency with its unit, four significant figures: "998.2 Hz", "1.2 kHz".
std::string FrequencyText(double hertz);

}  // namespace timer555
