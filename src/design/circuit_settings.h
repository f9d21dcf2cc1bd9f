#pragma once

namespace timer555 {

/// The kind of 555 the circuit is built with. Independent of the chip the
/// schematic shows (555 or either half of a 556): both come in both kinds.
enum class TimerFamily {
  Bipolar,  ///< NE555 class: 4.5 to 16 V
  Cmos,     ///< TLC555 class: 2 to 15 V
};

/// What the built circuit runs on, beyond its parts: the supply voltage and
/// the timer family. The default is what the ideal equations and the
/// findings have always assumed.
struct CircuitSettings {
  double vcc = 15;  ///< volt
  TimerFamily family = TimerFamily::Bipolar;
  friend bool operator==(const CircuitSettings&, const CircuitSettings&) = default;
};

/// The recommended supply ranges of the two families (volt, both ends
/// included).
inline constexpr double kBipolarMinVcc = 4.5;
inline constexpr double kBipolarMaxVcc = 16;
inline constexpr double kCmosMinVcc = 2;
inline constexpr double kCmosMaxVcc = 15;

}  // namespace timer555
