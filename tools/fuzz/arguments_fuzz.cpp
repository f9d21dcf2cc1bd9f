// Feeds arbitrary command lines to the argument parser (CLI11) and, when
// they parse, to the answer about a design: the bytes are split at newlines
// into at most 16 arguments; the value of --open is taken as the design
// file's bytes. Every answer must be Done or BadInput (files are not
// written and nothing is simulated here), a refusal must say why, and a
// design answered must have finite positive parts, a supply within its
// family's range, texts for both outputs, the JSON one valid object with the
// built circuit's keys, a design file that reads back to the same design
// and a SPICE deck. Anything else (a crash, a sanitizer report, an
// exception) is a fault.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/design_answer.h"
#include "design/design_file.h"
#include "simulation/spice_deck.h"

namespace {

constexpr std::size_t kMaxArguments = 16;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace timer555;
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size && args.size() <= kMaxArguments; ++i) {
    if (data[i] == '\n') {
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }
  if (args.size() > kMaxArguments) args.resize(kMaxArguments);

  const ParsedArguments parsed = ParseArguments(args);
  if (!parsed.error.empty()) return 0;
  if (parsed.arguments.action == Arguments::Action::Help) Require(!UsageText().empty());
  if (parsed.arguments.action != Arguments::Action::Design) return 0;

  const std::optional<std::string>& open = parsed.arguments.open;
  const OpenedFile file{"fuzz.t555", open.value_or("")};
  const DesignAnswer answer = AnswerDesign(parsed.arguments, open ? &file : nullptr);
  if (answer.status == ExitStatus::BadInput) {
    Require(!answer.message.empty());
    return 0;
  }
  Require(answer.status == ExitStatus::Done);
  Require(PositiveFinite(answer.facts.parts.R1) && PositiveFinite(answer.facts.parts.C1));
  const CircuitSettings& settings = answer.design.Settings;
  Require(settings.family == TimerFamily::Cmos
              ? settings.vcc >= kCmosMinVcc && settings.vcc <= kCmosMaxVcc
              : settings.vcc >= kBipolarMinVcc && settings.vcc <= kBipolarMaxVcc);
  const nlohmann::json json = nlohmann::json::parse(AnswerJson(answer));
  Require(json.is_object() && json["vcc"] == settings.vcc && !AnswerTable(answer).empty());
  Require(json["expected"].is_object() && (json["compensated"].is_null() || json["compensated"].is_object()));
  const DesignFileRead saved = ReadDesignFile(WriteDesignFile(answer.design));
  Require(saved.design && *saved.design == answer.design);
  Require(!SpiceDeck(DeckOf(answer)).empty());
  for (const Combination& c : answer.combinations) Require(PositiveFinite(c.r1) && PositiveFinite(c.c1));
  return 0;
}
