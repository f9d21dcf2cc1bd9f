#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "design/design_kind.h"
#include "design/engine.h"
#include "design/timing.h"
#include "design/waveform.h"

namespace timer555 {

/// What the first entry field of a design takes.
enum class FirstInput {
  Frequency,    ///< a frequency in hertz, with a duty cycle beside it
  PulseLength,  ///< a pulse length in seconds; the duty-cycle field is unused
};

/// What the duty-cycle field of a design does.
enum class DutyField {
  Entered,    ///< the user types the duty cycle
  FixedAt50,  ///< it shows "50" and cannot be changed
  Unused,     ///< disabled, with its label and unit
};

/// The duty cycles (fractions) a design accepts: strictly between `above`
/// and `below`; each bound has its own message.
struct DutyLimits {
  double above;
  const char* aboveMessage;  ///< shown for a duty cycle at or below `above`
  double below;
  const char* belowMessage;  ///< shown for a duty cycle at or above `below`
};

/// The resistance that times the capacitor's charge, which the component
/// notes limit (R1 + R2 in the astable designs, R1 in the monostable).
enum class TimingResistance { R1, R1PlusR2 };

/// Everything that differs between the designs, one row each. Adding a
/// design is one row here plus its circuit record in the library.
struct DesignRow {
  DesignKind kind;
  const char* name;    ///< the command line's name, "astable"
  const char* title;   ///< the main window's title on its page
  const char* record;  ///< header of its circuit record, "DESIGN1"
  /// The capacitor a calculation starts from: E12[0] / 10^startDecade.
  int startDecade;
  FirstInput input;
  const char* field1Label;  ///< "Frequency" or "Pulse length"
  const char* field1Unit;   ///< "Hz" or "sec"
  DutyField dutyField;
  std::optional<DutyLimits> dutyLimits;  ///< none: the duty cycle is not checked
  /// The component equations with the capacitor decade search (on the
  /// design state).
  ComponentsResult (*compute)(const DesignState& design, CapacitorSearch search);
  /// The output times from the components.
  OutputTimes (*times)(double r1, double r2, double c1);
  WaveformForm waveform;
  TimingResistance timingResistance;
  /// The timing currents pass steering diodes (D1, D2), which the equations
  /// treat as ideal.
  bool steeringDiodes;
};

/// Every design, in menu order.
std::span<const DesignRow> Designs();
/// The row of a design; nullptr for DesignKind::None or an unknown number.
const DesignRow* FindDesign(DesignKind kind);
/// The row with this command-line name or number ("astable", "1"); nullptr
/// when there is none.
const DesignRow* FindDesign(std::string_view nameOrNumber);

/// The inputs a frequency design accepts, in hertz (both ends included).
inline constexpr double kLowestFrequency = 0.01;
inline constexpr double kHighestFrequency = 2000000;

}  // namespace timer555
