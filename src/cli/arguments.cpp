#include "cli/arguments.h"

// The options are parsed by CLI11, not by Qt's QCommandLineParser: this
// library is plain C++, also built without Qt for the libFuzzer target
// (tools/fuzz, the TIMER555_FUZZ_ONLY build), and CLI11 takes a negative
// number as an option's value ("--frequency -5" reaches the design's own
// range check) while it still tells other arguments starting with "-" apart
// as options ("--frequency --duty 60" is a missing value).
#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cctype>
#include <memory>

namespace timer555 {

namespace {

/// An option that takes a value: how the usage shows it and where the value
/// goes. Adding an option is one row here.
struct ValueOption {
  const char* name;
  const char* value;  ///< the value's name in the usage
  const char* group;
  const char* help;
  std::optional<std::string> Arguments::*field;
};

constexpr std::array kValueOptions = {
    ValueOption{"--design", "D", "Design",
                "1 astable (duty cycle above 50 %), 2 square (50 %),\n"
                "3 low-duty (below 50 %), 4 monostable; by number or name",
                &Arguments::design},
    ValueOption{"--frequency", "HZ", "Design", "designs 1 to 3: 0.01 to 2000000", &Arguments::frequency},
    ValueOption{"--duty", "PERCENT", "Design", "designs 1 and 3 (design 2 is always 50)", &Arguments::duty},
    ValueOption{"--pulse", "SECONDS", "Design", "design 4: 0.000001 to 10000", &Arguments::pulse},
    ValueOption{"--open", "FILE", "Design",
                "a design file (.t555) instead of the four above: its\n"
                "parts as saved (adjusted ones too), calculated from its\n"
                "typed inputs when it was saved before Calculate",
                &Arguments::open},
    ValueOption{"--vcc", "VOLT", "Circuit",
                "supply voltage in volt (default 15, or the file's):\n"
                "bipolar 4.5 to 16, cmos 2 to 15",
                &Arguments::vcc},
    ValueOption{"--family", "KIND", "Circuit",
                "bipolar (NE555 class, default) or cmos (TLC555 class);\n"
                "with --open, --vcc and --family build the file's parts\n"
                "on this supply and family",
                &Arguments::family},
    ValueOption{"--series", "E12|E24|E48|E96|E192", "Standard values",
                "also list the best combinations of standard values,\n"
                "with the ranges over the parts' tolerances; decade\n"
                "copies of one answer (1.8K, 3.9K, 150nF and 18K, 39K,\n"
                "15nF) are listed once, with the resistors nearest\n"
                "5K to 1M",
                &Arguments::series},
    ValueOption{"--count", "N", "Standard values", "how many combinations (1 to 1000, default 10)",
                &Arguments::count},
    ValueOption{"--cap-tolerance", "PCT", "Standard values",
                "C1's tolerance in percent (0 to below 100, default 10)", &Arguments::capTolerance},
    ValueOption{"--png", "FILE", "Output", "write the design sheet as PNG", &Arguments::png},
    ValueOption{"--svg", "FILE", "Output", "write the design sheet as SVG", &Arguments::svg},
    ValueOption{"--pdf", "FILE", "Output", "write the design sheet as PDF (as Ctrl+P prints it)",
                &Arguments::pdf},
    ValueOption{"--spice", "FILE", "Output",
                "write the design's SPICE netlist, which ngspice -b runs\n"
                "as it is (.meas frequency and duty, or pulse)",
                &Arguments::spice},
    ValueOption{"--save", "FILE", "Output", "write the design file (.t555) that --open and the\nwindow open",
                &Arguments::save},
};

/// An option without a value.
struct FlagOption {
  const char* name;
  const char* group;
  const char* help;
  bool Arguments::*field;
};

constexpr std::array kFlagOptions = {
    FlagOption{"--simulate", "Circuit",
               "simulate the design with ngspice and add what it\n"
               "measured (and, on the sheet, its plot)",
               &Arguments::simulate},
    FlagOption{"--json", "Output", "one JSON object instead of the table", &Arguments::json},
};

constexpr const char* kUsageLines =
    "usage: timer555 --design 1|2|3 --frequency HZ [--duty PERCENT] [options]\n"
    "       timer555 --design 4 --pulse SECONDS [options]\n"
    "       timer555 --open FILE [options]\n"
    "       timer555 --help | --version\n"
    "       timer555 (without arguments: the window)\n"
    "\n"
    "Calculates a design and prints its components, times, what the built\n"
    "circuit is expected to do and findings.\n"
    "\n";

constexpr const char* kFooter =
    "Numbers are read as the window's entry fields read them.\n"
    "\n"
    "Exit status: 0 done, 2 bad options, inputs or design file, 1 a file could\n"
    "not be written or the simulation could not run.";

/// CLI11's help with our usage lines in place of its one-line usage.
class UsageFormatter final : public CLI::Formatter {
 public:
  std::string make_description(const CLI::App*) const override { return {}; }
  std::string make_usage(const CLI::App*, std::string) const override { return kUsageLines; }
  // One blank line between the groups, not two.
  std::string make_group(std::string group, bool positional,
                         std::vector<const CLI::Option*> opts) const override {
    return CLI::Formatter::make_group(std::move(group), positional, std::move(opts)).substr(1);
  }
};

/// The options as CLI11 reads them, before they become Arguments.
struct Reading {
  std::array<std::string, kValueOptions.size()> values;
  std::array<CLI::Option*, kValueOptions.size()> options{};
  std::array<bool, kFlagOptions.size()> flags{};
  std::array<CLI::Option*, kFlagOptions.size()> flagOptions{};
};

/// The program's options on a CLI11 application, read into `reading`.
std::unique_ptr<CLI::App> MakeApp(Reading& reading) {
  auto app = std::make_unique<CLI::App>("", "timer555");
  app->formatter(std::make_shared<UsageFormatter>());
  app->get_formatter()->column_width(24);
  app->footer(kFooter);
  // Unknown options and stray words are reported in our own words.
  app->allow_extras();
  app->set_help_flag();  // listed last, below
  for (std::size_t i = 0; i < kValueOptions.size(); ++i) {
    const ValueOption& o = kValueOptions[i];
    // An empty value is taken and refused below, so that "--design
    // --frequency 1000" says what is missing; an option given twice is
    // counted and refused below as well.
    reading.options[i] = app->add_option(o.name, reading.values[i], o.help)
                             ->type_name(o.value)
                             ->group(o.group)
                             ->expected(0, 1)
                             ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  }
  for (std::size_t i = 0; i < kFlagOptions.size(); ++i) {
    const FlagOption& o = kFlagOptions[i];
    reading.flagOptions[i] = app->add_flag(o.name, reading.flags[i], o.help)->group(o.group);
  }
  app->set_help_flag("-h,--help", "print this text")->group("Other");
  app->set_version_flag("--version", "", "print the program's version")->group("Other");
  return app;
}

// Arguments quoted in messages are cut, so that a huge one cannot flood
// the terminal.
std::string Quoted(const std::string& text) {
  constexpr std::size_t kLongest = 60;
  return "\"" + (text.size() > kLongest ? text.substr(0, kLongest) + "..." : text) + "\"";
}

/// An argument nobody took: an option we do not have, or a stray word (a
/// negative number that follows no option among them).
std::string Unexpected(const std::string& arg) {
  const bool option = arg.size() > 1 && arg[0] == '-' && !(std::isdigit(static_cast<unsigned char>(arg[1])));
  return (option ? "unknown option " : "unexpected argument ") + Quoted(arg);
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
  ParsedArguments parsed;
  Arguments& a = parsed.arguments;
  Reading reading;
  const std::unique_ptr<CLI::App> app = MakeApp(reading);
  try {
    // CLI11 takes the arguments last first.
    app->parse(std::vector<std::string>(args.rbegin(), args.rend()));
  } catch (const CLI::CallForHelp&) {
    a.action = Arguments::Action::Help;
    return parsed;
  } catch (const CLI::CallForVersion&) {
    a.action = Arguments::Action::Version;
    return parsed;
  } catch (const CLI::ParseError& e) {
    parsed.error = e.what();
    return parsed;
  }

  for (std::size_t i = 0; i < kValueOptions.size(); ++i) {
    const ValueOption& o = kValueOptions[i];
    const std::size_t given = reading.options[i]->count();
    if (given == 0) continue;
    if (given > 1) {
      parsed.error = std::string(o.name) + " is given twice.";
      return parsed;
    }
    if (reading.values[i].empty()) {
      parsed.error = std::string(o.name) + " needs a value.";
      return parsed;
    }
    a.*(o.field) = reading.values[i];
  }
  for (std::size_t i = 0; i < kFlagOptions.size(); ++i) {
    if (reading.flagOptions[i]->count() > 1) {
      parsed.error = std::string(kFlagOptions[i].name) + " is given twice.";
      return parsed;
    }
    a.*(kFlagOptions[i].field) = reading.flags[i];
  }
  for (const std::string& extra : app->remaining()) {
    if (extra == "--") continue;  // the end of the options, which ends nothing here
    parsed.error = Unexpected(extra);
    return parsed;
  }
  if (a.open && (a.design || a.frequency || a.duty || a.pulse)) {
    parsed.error =
        "--open takes the design and its inputs from the file; leave out --design, --frequency, --duty and "
        "--pulse.";
  } else if (!a.design && !a.open) {
    parsed.error = "--design is missing.";
  }
  return parsed;
}

std::string UsageText() {
  Reading reading;
  return MakeApp(reading)->help();
}

}  // namespace timer555
