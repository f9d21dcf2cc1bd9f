#pragma once

// The command line's options, parsed without looking at their values.

#include <optional>
#include <string>
#include <vector>

namespace timer555 {

/// What a command line asks for. Values are kept as typed; the design
/// answer checks them (numbers as the entry fields read them, the inputs
/// with the entry fields' own validation).
struct Arguments {
  enum class Action {
    Design,   ///< calculate a design
    Help,     ///< print the usage
    Version,  ///< print the program's version
  };
  Action action = Action::Design;
  std::optional<std::string> design, frequency, duty, pulse;
  std::optional<std::string> open;  ///< a design file to compute from instead of the four above
  std::optional<std::string> vcc, family;
  bool simulate = false;
  std::optional<std::string> series, count, capTolerance;
  std::optional<std::string> png, svg, pdf, spice, save;
  bool json = false;
};

/// A parsed command line, or why it cannot be used (an unknown option, an
/// unexpected argument, a missing value, an option given twice, neither
/// --design nor --open, or --open with --design or its inputs).
struct ParsedArguments {
  Arguments arguments;
  std::string error;  ///< empty when parsed; without the program's name
};

/// Parses the arguments after the program name. Options take their value
/// as the next argument or after "=" ("--frequency 1000",
/// "--frequency=1000"); a negative number is a value ("--frequency -5"),
/// another argument starting with "-" is not. --help and --version answer
/// whatever else is given, unless an option is given twice.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

/// The usage text (what --help prints), ending in a newline.
std::string UsageText();

}  // namespace timer555
