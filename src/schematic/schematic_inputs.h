#pragma once

namespace timer555 {

/// The component values a schematic prints beside its parts, in ohm and
/// farad, by part number (R1..R3, C1..C4). The design state is one of these.
struct PartValues {
  double C1 = 0, C2 = 0, C3 = 0, C4 = 0;
  double R1 = 0, R2 = 0;
  double R3 = 0;  ///< read by the resistor symbol, never written
};

/// What the interpreter and the symbols read from the program around them.
/// The layers above fill it in once, when the program starts (the design
/// state points Values at itself, the shell sets ClearsFirst); until then a
/// drawing prints zero values and never clears. One instance,
/// `schematicInputs`.
struct SchematicInputs {
  /// The values printed beside resistors and capacitors when values are shown.
  const PartValues* Values = nullptr;
  /// Whether a drawing first clears its rectangle to white (the design pages do).
  bool (*ClearsFirst)() = nullptr;

  /// The values to print: *Values, or all zero when none were set.
  const PartValues& values() const;
  bool clearsFirst() const { return ClearsFirst != nullptr && ClearsFirst(); }
};

extern SchematicInputs schematicInputs;

}  // namespace timer555
