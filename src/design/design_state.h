#pragma once

#include "design/design_kind.h"
#include "platform/canvas.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// The design on screen: which design is chosen, the user's inputs, the
/// component values (C1..C4, R1..R3, inherited: they are what the schematic
/// prints), the standard-value position of C1, the output times and what the
/// adjust dialog and the entry fields need. One instance, `designState`;
/// every part of the program reads and writes it directly. Physical
/// quantities are in ohm, farad, second and hertz; the duty cycle is a
/// fraction. Everything is zero when the program starts.
struct DesignState : PartValues {
  DesignKind DesignMode = DesignKind::None;
  int ApplicationIndex = 0;  ///< 1..14, the application page last chosen
  double Frequency = 0;
  double DutyCycle = 0;
  double PulseLength = 0;
  double NominalC1 = 0, NominalR1 = 0, NominalR2 = 0;
  int FrequencyDecimals = 0;
  int DutyDecimals = 0;
  int CapSeriesIndex = 0;  ///< 0..11, position of C1's mantissa in the E12 list
  int CapDecade = 0;       ///< C1 = E12[CapSeriesIndex] / 10^CapDecade
  Rect DrawRect;           ///< rectangle last handed to the interpreter by a page
  double HighTime = 0;
  double LowTime = 0;
  bool Calculated = false;
};

extern DesignState designState;

}  // namespace timer555
