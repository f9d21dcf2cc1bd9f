#pragma once

// The command line's answer about a design: the numbers read as the entry
// fields read them and the inputs checked as the entry fields check them,
// the components calculated from the design's starting capacitor with the
// circuit settings asked for (or the design of a design file), the advisor's
// findings, what the built circuit is expected to do, the standard-value
// combinations (decade copies collapsed) and a simulation's measurements,
// as a table or as JSON. Plain C++ on the design engine and the simulator;
// reading and writing files is the caller's.

#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "design/combinations.h"
#include "design/design_sheet.h"
#include "simulation/simulator.h"

namespace timer555 {

/// Exit statuses of the command line.
enum class ExitStatus : int {
  Done = 0,
  FileNotWritten = 1,  ///< a file could not be written
  NotSimulated = 1,    ///< the simulation could not run (no library, no convergence, time limit)
  BadInput = 2,        ///< bad options or inputs, or a bad design file
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
  std::optional<SimulationResult> simulation;  ///< a simulation that ran (SimulateAnswer)
};

/// A design file as read by the caller: its name (for messages) and bytes.
struct OpenedFile {
  std::string name;
  std::string bytes;
};

/// Checks the design and its inputs and calculates the design, starting
/// from the design's starting capacitor (as a fresh design page does). A
/// text that is not a number is refused by its option ("--frequency abc:
/// not a number"); a number the design cannot take with the engine's own
/// message ("Frequency not realistic.").
///
/// With --open, `opened` is the file: its design is answered as saved (the
/// parts as adjusted), and one saved before Calculate is calculated from
/// its typed inputs. --vcc and --family override the file's settings and
/// keep its parts, as changing them in the window does. A file that is not
/// a sound design is refused with the file's name and what is wrong
/// ("x.t555: The file is not valid JSON: ...").
DesignAnswer AnswerDesign(const Arguments& arguments, const OpenedFile* opened = nullptr);

/// What a deck of the answer's design simulates: its kind, parts as shown,
/// settings and the inputs as typed.
DeckRequest DeckOf(const DesignAnswer& answer);

/// Simulates the answer's design in process and adds what it measured: the
/// facts' and report's "Simulated" row and the JSON's "simulated". When the
/// simulation cannot run the status is NotSimulated with the reason in the
/// message, and nothing else changes.
void SimulateAnswer(DesignAnswer& answer);

/// The answer as a readable table (the summary text with aligned columns).
std::string AnswerTable(const DesignAnswer& answer);

/// The answer as one JSON object, two blanks an indent: design, frequency,
/// duty (a fraction), pulse, R1, R2, C1, high_time, low_time, vcc, family
/// ("bipolar" or "cmos"), expected (frequency, duty, pulse, high_time,
/// low_time of the built circuit), compensated (R1, R2, or null when the
/// expected timing is within 1 % of the target or no parts reach it),
/// warnings, with a series combinations and after a simulation simulated
/// (frequency, duty, pulse); numbers in ohm, farad, second, hertz and volt.
/// Values a design does not have are null: the monostable has no frequency,
/// duty, R2 or low_time (its high_time is the pulse its parts give), the
/// astable designs no pulse; the expected values are null where the built
/// circuit never runs; numbers that are not finite are null too.
std::string AnswerJson(const DesignAnswer& answer);

/// `text` as a JSON string literal, quoted, with its control characters
/// escaped and bytes that are not UTF-8 replaced (the scenario runner's
/// snapshots use it too).
std::string JsonString(const std::string& text);

/// Combinations as the JSON array an answer's "combinations" holds (the
/// scenario runner's snapshots list the window's with the same keys).
std::string CombinationsJson(DesignKind kind, const std::vector<Combination>& combinations);

}  // namespace timer555
