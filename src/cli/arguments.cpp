#include "cli/arguments.h"

#include <algorithm>
#include <array>

namespace timer555 {

namespace {

/// An option that takes a value, and where the value goes.
struct ValueOption {
  const char* name;
  std::optional<std::string> Arguments::*field;
};

const std::array<ValueOption, 9> kValueOptions = {{
    {"--design", &Arguments::design},
    {"--frequency", &Arguments::frequency},
    {"--duty", &Arguments::duty},
    {"--pulse", &Arguments::pulse},
    {"--series", &Arguments::series},
    {"--count", &Arguments::count},
    {"--cap-tolerance", &Arguments::capTolerance},
    {"--png", &Arguments::png},
    {"--svg", &Arguments::svg},
}};

// Arguments quoted in messages are cut, so that a huge one cannot flood
// the terminal.
std::string Quoted(const std::string& text) {
  constexpr std::size_t kLongest = 60;
  return "\"" + (text.size() > kLongest ? text.substr(0, kLongest) + "..." : text) + "\"";
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
  ParsedArguments parsed;
  Arguments& a = parsed.arguments;
  auto fail = [&parsed](const std::string& why) {
    if (parsed.error.empty()) parsed.error = why;
  };
  bool help = false, version = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      help = true;
      continue;
    }
    if (arg == "--version") {
      version = true;
      continue;
    }
    if (arg == "--json") {
      if (a.json) fail("--json is given twice.");
      a.json = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const auto option = std::find_if(kValueOptions.begin(), kValueOptions.end(),
                                     [&name](const ValueOption& o) { return name == o.name; });
    if (option == kValueOptions.end() || arg.rfind("--", 0) != 0) {
      fail("Unknown option " + Quoted(arg) + ".");
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
      value = args[++i];
    } else {
      fail(name + " needs a value.");
      continue;
    }
    std::optional<std::string>& field = a.*(option->field);
    if (field) fail(name + " is given twice.");
    field = value;
  }
  if (help) {
    a.action = Arguments::Action::Help;
    parsed.error.clear();
  } else if (version) {
    a.action = Arguments::Action::Version;
    parsed.error.clear();
  } else if (!a.design) {
    fail("--design is missing.");
  }
  return parsed;
}

std::string UsageText() {
  return "usage: timer555 --design 1|2|3 --frequency HZ [--duty PERCENT] [options]\n"
         "       timer555 --design 4 --pulse SECONDS [options]\n"
         "       timer555 --help | --version\n"
         "       timer555 (without arguments: the window)\n"
         "\n"
         "Calculates a design and prints its components, times and findings.\n"
         "\n"
         "  --design D            1 astable (duty cycle above 50 %), 2 square (50 %),\n"
         "                        3 low-duty (below 50 %), 4 monostable; by number or name\n"
         "  --frequency HZ        designs 1 to 3: 0.01 to 2000000\n"
         "  --duty PERCENT        designs 1 and 3 (design 2 is always 50)\n"
         "  --pulse SECONDS       design 4\n"
         "  --series E12|E24|E48|E96|E192\n"
         "                        also list the best combinations of standard values,\n"
         "                        with the ranges over the parts' tolerances\n"
         "  --count N             how many combinations (1 to 1000, default 10)\n"
         "  --cap-tolerance PCT   C1's tolerance in percent (0 to below 100, default 10)\n"
         "  --json                one JSON object instead of the table\n"
         "  --png FILE            write the design sheet as PNG\n"
         "  --svg FILE            write the design sheet as SVG\n"
         "\n"
         "Exit status: 0 done, 2 bad options or inputs, 1 a file could not be written.\n";
}

}  // namespace timer555
