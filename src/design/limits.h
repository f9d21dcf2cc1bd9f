#pragma once

// Constants the design calculations share (internal to the design engine).

#include <cmath>
#include <numbers>

namespace timer555 {

inline constexpr double kLn2 = std::numbers::ln2;
inline const double kLn3 = static_cast<double>(std::log(3.0L));

/// The timing resistance (R1 + R2, or R1 of the monostable) a calculation
/// must reach; below it the capacitor is made ten times smaller.
inline constexpr double kMinTimingResistance = 5000;

/// Range of CapDecade. Within it C1 = E12 mantissa / 10^CapDecade stays a
/// normal double far from overflow and underflow, so the decade search and
/// the capacitor steps can never produce 0, a denormal or an infinity.
inline constexpr int kMaxCapDecade = 300;
inline constexpr int kMinCapDecade = -290;

/// Starting capacitor of the monostable design (the validation's reference
/// when no capacitor has been set yet).
inline constexpr double kMonostableStartC1 = 1e-3;

/// R1 of the monostable design for pulse length t and capacitor c1.
inline double MonostableR1(double t, double c1) { return t / (kLn3 * c1); }

}  // namespace timer555
