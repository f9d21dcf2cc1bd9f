#include "design/design_table.h"

#include <charconv>

#include "design/design_equations.h"

namespace timer555 {

namespace {

constexpr const char* kDutyInvalid = "Duty cycle invalid.";

// One row per design; a fifth design is one more row here and its circuit
// record in the library.
const DesignRow kDesigns[] = {
    {.kind = DesignKind::Astable,
     .name = "astable",
     .title = "Astable, Duty Cycle > 50%",
     .record = "DESIGN1",
     .startDecade = 8,
     .input = FirstInput::Frequency,
     .field1Label = "Frequency",
     .field1Unit = "Hz",
     .dutyField = DutyField::Entered,
     .dutyLimits = DutyLimits{0.5, "Duty cycle not realistic for this mode.", 1, kDutyInvalid},
     .compute = ComputeAbove50Components,
     .times = Above50Times,
     .waveform = WaveformForm::Astable,
     .timingResistance = TimingResistance::R1PlusR2,
     .steeringDiodes = false},
    {.kind = DesignKind::Square,
     .name = "square",
     .title = "Astable, Duty Cycle = 50%",
     .record = "DESIGN2",
     .startDecade = 10,
     .input = FirstInput::Frequency,
     .field1Label = "Frequency",
     .field1Unit = "Hz",
     .dutyField = DutyField::FixedAt50,
     .dutyLimits = std::nullopt,
     .compute = ComputeSquareComponents,
     .times = SquareTimes,
     .waveform = WaveformForm::Astable,
     .timingResistance = TimingResistance::R1PlusR2,
     .steeringDiodes = false},
    {.kind = DesignKind::LowDuty,
     .name = "low-duty",
     .title = "Astable, Duty Cycle < 50%",
     .record = "DESIGN3",
     .startDecade = 8,
     .input = FirstInput::Frequency,
     .field1Label = "Frequency",
     .field1Unit = "Hz",
     .dutyField = DutyField::Entered,
     .dutyLimits = DutyLimits{0, kDutyInvalid, 1, kDutyInvalid},
     .compute = ComputeBelow50Components,
     .times = Below50Times,
     .waveform = WaveformForm::Astable,
     .timingResistance = TimingResistance::R1PlusR2,
     .steeringDiodes = true},
    {.kind = DesignKind::Monostable,
     .name = "monostable",
     .title = "Monostable (one-shot)",
     .record = "DESIGN4",
     .startDecade = 5,
     .input = FirstInput::PulseLength,
     .field1Label = "Pulse length",
     .field1Unit = "sec",
     .dutyField = DutyField::Unused,
     .dutyLimits = std::nullopt,
     .compute = ComputeMonostableComponents,
     .times = MonostableTimes,
     .waveform = WaveformForm::Monostable,
     .timingResistance = TimingResistance::R1,
     .steeringDiodes = false},
};

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
