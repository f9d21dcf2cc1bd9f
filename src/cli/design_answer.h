#pragma once

// The command line's answer about a design: the numbers read as the entry
// fields read them and the inputs checked as the entry fields check them,
// the components calculated from the design's starting capacitor with the
// circuit settings asked for, the advisor's findings and the standard-value
// combinations (decade copies collapsed), as a table or as JSON. Plain C++
// on the design engine; writing the sheet is the caller's.

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "design/combinations.h"
#include "design/design_sheet.h"

namespace timer555 {

/// Exit statuses of the command line.
enum class ExitStatus : int {
  Done = 0,
  FileNotWritten = 1,  ///< a file could not be written
  BadInput = 2,        ///< bad options or inputs
};

/// The answer to a command line that asks for a design.
struct DesignAnswer {
  ExitStatus status = ExitStatus::Done;
  std::string message;  ///< why the inputs were refused (status BadInput), without the program's name
  DesignState design;   ///< the design calculated
  DesignFacts facts;
  DesignReport report;
  bool withCombinations = false;
  CombinationRequest request;
  std::vector<Combination> combinations;
};

/// Checks the design and its inputs and calculates the design, starting
/// from the design's starting capacitor (as a fresh design page does). A
/// text that is not a number is refused by its option ("--frequency abc:
/// not a number"); a number the design cannot take with the engine's own
/// message ("Frequency not realistic.").
DesignAnswer AnswerDesign(const Arguments& arguments);

/// The answer as a readable table (the summary text with aligned columns).
std::string AnswerTable(const DesignAnswer& answer);

/// The answer as one JSON object, two blanks an indent: design, frequency,
/// duty (a fraction), pulse, R1, R2, C1, high_time, low_time, vcc, family
/// ("bipolar" or "cmos"), warnings and, with a series, combinations; numbers
/// in ohm, farad, second, hertz and volt. Values a design does not have are
/// null: the monostable has no frequency, duty, R2 or low_time (its
/// high_time is the pulse its parts give), the astable designs no pulse;
/// numbers that are not finite are null too.
std::string AnswerJson(const DesignAnswer& answer);

/// `text` as a JSON string literal, quoted, with its control characters
/// escaped and bytes that are not UTF-8 replaced (the scenario runner's
/// snapshots use it too).
std::string JsonString(const std::string& text);

/// Combinations as the JSON array an answer's "combinations" holds (the
/// scenario runner's snapshots list the window's with the same keys).
std::string CombinationsJson(DesignKind kind, const std::vector<Combination>& combinations);

}  // namespace timer555
