#pragma once

#include "platform/canvas.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// Settings shared by the circuit script interpreter and the symbol routines
/// during one drawing. A drawing starts from these defaults; within it a
/// setting stays until a command writes it again.
struct DrawingState {
  int GridX = 0, GridY = 0;      ///< pixels per grid column and row
  int OriginX = 0, OriginY = 0;  ///< pixel of grid point (0, 0)
  int PenX = 0, PenY = 0;        ///< where the next symbol starts
  int Orientation = 0;           ///< 0 vertical, 1 horizontal
  int Direction = 0;             ///< 0 left, 1 right, 2 up, 3 down
  int LabelSide = 0;             ///< 0 left, 1 right, 2 up, 3 down
  int PartIndex = 0;             ///< component number in the symbol's name
  int PresetIndex = 0;           ///< resistor number of a Q command
  int OpAmpSense = 0;            ///< 0 plus at the upper input, 1 at the lower
  int OpAmpFacing = 0;           ///< 0 points left, 1 points right
  int OpAmpInput = 0;            ///< 0 pen at the upper input, 1 at the lower
  int TransistorType = 0;        ///< 0 NPN, 1 PNP
  TimerChip TimerChoice = TimerChip::Single555;

  /// The values resistors and capacitors print when values are shown.
  PartValues Values;

  /// Where resistors 1..4 (entry 0 unused) and capacitor C1 were drawn.
  Rect ResistorZones[5];
  Rect C1Zone;
};

}  // namespace timer555
