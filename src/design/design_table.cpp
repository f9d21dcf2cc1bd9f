#include "design/design_table.h"

#include <array>
#include <charconv>

#include "design/design_equations.h"

namespace timer555 {

namespace {

constexpr const char* kDutyInvalid = "Duty cycle invalid.";

const std::array<DesignRow, 4> kDesigns = {{
    {DesignKind::Astable, "astable", "Astable, Duty Cycle > 50%", "DESIGN1", 8, FirstInput::Frequency,
     "Frequency", "Hz", DutyField::Entered,
     DutyLimits{0.5, "Duty cycle not realistic for this mode.", 1, kDutyInvalid}, ComputeAbove50Components,
     Above50Times, WaveformForm::Astable},
    {DesignKind::Square, "square", "Astable, Duty Cycle = 50%", "DESIGN2", 10, FirstInput::Frequency,
     "Frequency", "Hz", DutyField::FixedAt50, std::nullopt, ComputeSquareComponents, SquareTimes,
     WaveformForm::Astable},
    {DesignKind::LowDuty, "low-duty", "Astable, Duty Cycle < 50%", "DESIGN3", 8, FirstInput::Frequency,
     "Frequency", "Hz", DutyField::Entered, DutyLimits{0, kDutyInvalid, 1, kDutyInvalid},
     ComputeBelow50Components, Below50Times, WaveformForm::Astable},
    {DesignKind::Monostable, "monostable", "Monostable  (one-shot)", "DESIGN4", 5, FirstInput::PulseLength,
     "Pulse length", "sec", DutyField::Unused, std::nullopt, ComputeMonostableComponents, MonostableTimes,
     WaveformForm::Monostable},
}};

}  // namespace

std::span<const DesignRow> Designs() { return kDesigns; }

const DesignRow* FindDesign(DesignKind kind) {
  for (const DesignRow& row : kDesigns)
    if (row.kind == kind) return &row;
  return nullptr;
}

const DesignRow* FindDesign(std::string_view nameOrNumber) {
  int number = 0;
  const char* end = nameOrNumber.data() + nameOrNumber.size();
  auto [ptr, ec] = std::from_chars(nameOrNumber.data(), end, number);
  const bool isNumber = !nameOrNumber.empty() && ec == std::errc() && ptr == end;
  for (const DesignRow& row : kDesigns) {
    if (isNumber ? static_cast<int>(row.kind) == number : nameOrNumber == row.name) return &row;
  }
  return nullptr;
}

}  // namespace timer555
