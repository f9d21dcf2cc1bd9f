#pragma once

namespace timer555 {

/// The four designs the program calculates. The numbers are those the
/// Design menu's quadrants, the window and the command line use (1 to 4);
/// None stands for "no design page chosen yet".
enum class DesignKind : int {
  None = 0,
  Astable = 1,     ///< astable, duty cycle above 50 %
  Square = 2,      ///< astable, duty cycle of exactly 50 %
  LowDuty = 3,     ///< astable, duty cycle below 50 %, with two steering diodes
  Monostable = 4,  ///< one-shot
};

/// The design with this number (1 to 4, the Design menu's quadrants in
/// reading order); other numbers give values that no design row has.
constexpr DesignKind ToDesignKind(int number) { return static_cast<DesignKind>(number); }

}  // namespace timer555
