#pragma once

#include <string>

#include "design/circuit_settings.h"
#include "design/design_kind.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// A design as the window shows it, as one value: which design is chosen,
/// the user's inputs with the texts of the two entry fields and their
/// decimals, the component values (C1..C4, R1..R3, inherited: what the
/// schematic prints, as calculated and as adjusted), the nominal values the
/// calculation gave, the standard-value position of C1 and the capacitor a
/// calculation starts from, the chip the schematic shows, the output times
/// and the circuit settings. The engine's functions take one and return the
/// next; nothing else holds a design. Physical quantities are in ohm,
/// farad, second and hertz; the duty cycle is a fraction. A new member
/// also goes into the field list of the design files (design_file.cpp).
struct DesignState : PartValues {
  DesignKind DesignMode = DesignKind::None;
  double Frequency = 0;
  double DutyCycle = 0;
  double PulseLength = 0;
  double NominalC1 = 0, NominalR1 = 0, NominalR2 = 0;
  int FrequencyDecimals = 0;
  int DutyDecimals = 0;
  int CapSeriesIndex = 0;  ///< 0..11, position of C1's mantissa in the E12 list
  int CapDecade = 0;       ///< C1 = E12[CapSeriesIndex] / 10^CapDecade
  /// The capacitor a calculation starts its decade search from, as
  /// CapSeriesIndex and CapDecade: the design's starting capacitor until the
  /// user steps C1, then the one the user chose.
  int StartCapIndex = 0;
  int StartCapDecade = 0;
  TimerChip Chip = TimerChip::Single555;
  double HighTime = 0;
  double LowTime = 0;
  bool Calculated = false;
  CircuitSettings Settings;
  /// The entry fields' texts as shown (the program writes recalculated
  /// values there) and as the user last typed them (their decimals count).
  std::string Field1Text, Field2Text;
  std::string Field1Typed, Field2Typed;

  friend bool operator==(const DesignState&, const DesignState&) = default;
};

}  // namespace timer555
