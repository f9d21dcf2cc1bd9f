#pragma once

// The command line's answer about a design: the inputs checked as the entry
// fields check them, the components calculated from the design's starting
// capacitor, the advisor's findings and the standard-value combinations,
// as a table or as JSON. Plain C++ on the design engine; writing the sheet
// is the caller's.

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
  std::string message;  ///< why the inputs were refused (status BadInput)
  DesignState design;   ///< the design calculated
  DesignFacts facts;
  DesignReport report;
  bool withCombinations = false;
  CombinationRequest request;
  std::vector<Combination> combinations;
};

/// Checks the design and its inputs and calculates the design, starting
/// from the design's starting capacitor (as a fresh design page does).
DesignAnswer AnswerDesign(const Arguments& arguments);

/// The answer as a readable table (the summary text with aligned columns).
std::string AnswerTable(const DesignAnswer& answer);

/// The answer as one JSON object: design, frequency, duty (a fraction),
/// pulse, R1, R2, C1, high_time, low_time, warnings and, with a series,
/// combinations; numbers in ohm, farad, second and hertz. Values a design
/// does not have are null: the monostable has no frequency, duty, R2 or
/// low_time (its high_time is the pulse its parts give), the astable
/// designs no pulse.
std::string AnswerJson(const DesignAnswer& answer);

/// A finite double as the shortest JSON number that reads back to it;
/// null for NaN and the infinities.
std::string JsonNumber(double value);

/// `text` as a JSON string literal, quoted, with its control characters
/// escaped (the scenario runner's snapshots use it too).
std::string JsonString(const std::string& text);

}  // namespace timer555
