#pragma once

// The best combinations of standard parts for a design, each with the range
// its timing can drift over with the parts' tolerances.

#include <vector>

#include "design/built_circuit.h"
#include "design/design_kind.h"
#include "design/standard_values.h"

namespace timer555 {

/// Resistors (R1, R2) come from the chosen series within these bounds, C1
/// from E12 within its bounds; all four bounds are inclusive.
inline constexpr double kCombinationResistorMin = 1e3;
inline constexpr double kCombinationResistorMax = 1e7;
inline constexpr double kCombinationCapacitorMin = 1e-9;
inline constexpr double kCombinationCapacitorMax = 1e-3;

/// The C1 tolerance a search assumes unless told otherwise: +/-20 % for an
/// aluminium electrolytic (from 1 uF), +/-10 % for the film parts below.
inline constexpr double kFilmCapTolerance = 0.10;
inline double DefaultCapTolerance(double c1) {
  return IsElectrolytic(c1) ? kElectrolyticTolerance : kFilmCapTolerance;
}

/// Most combinations one search returns.
inline constexpr int kMaxCombinationCount = 1000;

/// Targets the search accepts; far beyond them every combination misses by
/// the same rounded amount and a ranking would say nothing (the parts reach
/// about 50 uHz to 1.4 MHz and 1 us to 10000 s).
inline constexpr double kMinCombinationFrequency = 1e-6;  ///< Hz
inline constexpr double kMaxCombinationFrequency = 1e9;   ///< Hz
inline constexpr double kMinCombinationPulse = 1e-9;      ///< s
inline constexpr double kMaxCombinationPulse = 1e6;       ///< s
inline constexpr double kMinCombinationDuty = 1e-6;       ///< also 1 - it is the largest duty

/// What to search for.
struct CombinationRequest {
  DesignKind kind = DesignKind::None;
  double frequency = 0;           ///< Hz, the three astable designs
  double duty = 0;                ///< fraction, designs Astable and LowDuty; Square always aims at 0.5
  double pulse = 0;               ///< s, the monostable
  ESeries series = ESeries::E24;  ///< of R1 and R2; their tolerance is the series' own
  double capTolerance = 0.10;     ///< of C1, a fraction from 0 to below 1
  int count = 10;                 ///< 1 .. kMaxCombinationCount
};

/// Lowest and highest value of a quantity.
struct ValueRange {
  double min = 0;
  double max = 0;
};

/// One buildable combination with its nominal timing and its worst case.
///
/// The worst case is taken over the corners of the tolerance box: every
/// part at its nominal value times (1 - tolerance) or (1 + tolerance), 8
/// corners with R2, 4 for the monostable. The ranges cover the corners whose
/// timing is defined; `cornersWithoutTiming` counts the others. A count
/// above 0 (the 50 % design when a corner puts R2 at or above R1 / 2) means
/// the circuit may not oscillate at all with parts within tolerance; near
/// that border its low time grows without bound, so frequency and duty can
/// then fall below the ranges' minimums as well.
struct Combination {
  double r1 = 0;              ///< ohm
  double r2 = 0;              ///< ohm; 0 for the monostable, see hasR2
  double c1 = 0;              ///< farad
  bool hasR2 = true;          ///< false for the monostable, which has no R2
  double error = 0;           ///< relative, as ranked (see FindCombinations)
  double frequency = 0;       ///< Hz, nominal (astable designs; 0 for the monostable)
  double duty = 0;            ///< fraction, nominal (astable designs; 0 for the monostable)
  double pulse = 0;           ///< s, nominal (monostable; 0 for the others)
  ValueRange frequencyRange;  ///< astable designs
  ValueRange dutyRange;       ///< astable designs
  ValueRange pulseRange;      ///< monostable
  int corners = 0;            ///< 8, or 4 for the monostable
  int cornersWithoutTiming = 0;
};

/// Why a request gave no combinations.
enum class CombinationProblem {
  None,
  Kind,    ///< not one of the four designs
  Series,  ///< not one of the series of ESeries
  Target,  ///< frequency or pulse not finite or outside the accepted range
  Duty,    ///< not finite, or outside kMinCombinationDuty .. 1 - kMinCombinationDuty (Astable: above 0.5)
  CapTolerance,  ///< not finite, negative, or 1 and above
  Count,         ///< below 1 or above kMaxCombinationCount
};

/// The outcome of a search: the combinations, or a problem and none.
struct CombinationResult {
  std::vector<Combination> combinations;
  CombinationProblem problem = CombinationProblem::None;
};

/// The `count` best buildable combinations, best first, exactly as a search
/// through every R1, R2 and C1 would rank them (fewer when fewer exist).
///
/// Error of a combination: for the astable designs the larger of |f/f0 - 1|
/// and |D/D0 - 1|, f = 1/(high + low) and D = high/(high + low) from the
/// design's timing equations; for the monostable |t/t0 - 1| of the pulse.
/// Combinations without defined timing (the 50 % design with R2 >= R1 / 2)
/// are never listed. Order: smaller error first; at equal error larger C1
/// first, then smaller R1, then smaller R2. Combinations equal in value (1 k,
/// 2 k with 10 nF and 10 k, 20 k with 1 nF) get bit-identical errors, so the
/// tie rule, not rounding, orders them.
CombinationResult FindCombinations(const CombinationRequest& request);

/// Nominal timing of one combination and its error, computed exactly as the
/// search computes them. `defined` is false when the timing is not defined
/// and when the request has a problem; r2 is not read for the monostable.
struct CombinationTiming {
  bool defined = false;
  double frequency = 0;
  double duty = 0;
  double pulse = 0;
  double error = 0;
};
CombinationTiming EvaluateCombination(const CombinationRequest& request, StandardValue r1, StandardValue r2,
                                      StandardValue c1);

/// The resistors a combination is best built with sit within 5K to 1M (the
/// component notes' range); among decade copies the one nearest its middle
/// is kept.
inline constexpr double kPreferredResistorMin = 5e3;
inline constexpr double kPreferredResistorMax = 1e6;

/// Whether two combinations are decade copies of one answer: R1 and R2 of
/// one are those of the other times a power of ten and C1 the other's C1
/// divided by it (1.8K, 3.9K, 150nF and 18K, 39K, 15nF), so they share R1 C1
/// and R2 / R1 and with them the timing, the error and the ranges. Values
/// are compared to 1 part in 10^9 (neighbouring standard values differ by at
/// least 0.5 %). A combination is its own copy.
bool AreDecadeCopies(const Combination& a, const Combination& b);

/// The combinations with each set of decade copies collapsed into one, in
/// the order of the set's first member in `ranked`. The copy kept is the
/// one whose resistors sit nearest the middle of kPreferredResistorMin to
/// kPreferredResistorMax, measured on a logarithmic scale: the distance
/// |log10(R / Rmid)| of R = sqrt(R1 R2) (R1 for the monostable) from the
/// geometric middle Rmid = sqrt(5K x 1M), about 70.7K; at equal distance
/// the earlier one.
std::vector<Combination> CollapseDecadeCopies(const std::vector<Combination>& ranked);

/// The `count` best combinations with decade copies collapsed: FindCombinations
/// asked for as many more as copies can take up, then CollapseDecadeCopies,
/// cut to `count` (fewer when fewer distinct ones exist). Each one kept is
/// chosen among all its copies.
CombinationResult FindDistinctCombinations(const CombinationRequest& request);

}  // namespace timer555
