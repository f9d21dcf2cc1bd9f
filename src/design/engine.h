#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_state.h"

namespace timer555 {

/// The E12 mantissas "100" .. "820" that C1 steps through (the hidden list
/// box `ListBox1` of the main window shows the same texts).
const std::vector<std::string>& E12List();

/// Entry-field text to a number by the number syntax (ParseNumber in
/// number_syntax.h: decimals, exponents, SI prefixes); anything else, and
/// the empty text, gives 0. Independent of the locale.
double TextToNumber(const std::string& text);

/// The number an entry-field text holds, by the number syntax; nothing for
/// the empty text, for any text that is not wholly a number and for one
/// too large for a double.
std::optional<double> NumberFromText(const std::string& text);

/// The pulse lengths the monostable design accepts, in seconds (both ends
/// included): from the shortest pulse a 555 gives cleanly to the longest a
/// 1 mF capacitor times with a resistor the component notes allow.
inline constexpr double kShortestPulse = 1e-6;
inline constexpr double kLongestPulse = 10000;

/// The outcome of checking the entry fields.
struct InputCheck {
  std::optional<std::string> problem;  ///< the message of the first problem, if any
  DesignState design;                  ///< the design with the inputs stored (when no problem)
};

/// Parses the two entry-field texts into a copy of `design` and checks them
/// for its DesignMode. On a problem the returned design is `design`
/// unchanged.
InputCheck ValidateInputs(const DesignState& design, const std::string& field1, const std::string& field2);

/// The design with C1, R1, R2 copied into the nominal values and the
/// decimals of the two texts the user typed counted.
DesignState RecordNominals(DesignState design, const std::string& field1Typed,
                           const std::string& field2Typed);

/// 10 raised to x, as e^(x ln 10).
double PowerOfTen(double x);

/// The low-time equation of the 50 % design: low time minus high time for
/// R2 = x, with R1, C1 and the high time fixed.
struct LowTimeEquation {
  double r1 = 0, c1 = 0, highTime = 0;
  double Residual(double x) const;
};

/// Result of the root search of the 50 % design.
struct RootSearch {
  bool found = false;
  double root = 0;
};
/// A root of the equation in [a, b]: bisection after a sign change, else a
/// search for one on ever finer grids.
RootSearch FindRoot(const LowTimeEquation& equation, double a, double b);

/// Whether a calculation may make C1 smaller by decades until the timing
/// resistance reaches 5000 ohm ("Calculate"), or must keep the C1 it is
/// given (a C1 step: the user chose that capacitor).
enum class CapacitorSearch { Decades, Exact };

/// Outcome of the component equations of a calculation.
struct ComponentsResult {
  bool computed = false;                     ///< false: DesignMode outside 1..4, or an error below
  std::string error;                         ///< message to show, for example "Solution not found."
  std::optional<std::string> dutyFieldText;  ///< new text of the duty-cycle field (50 % design)
  DesignState design;                        ///< the design calculated (see ComputeComponents)
};

/// The design as "Calculate" leaves it: the starting capacitor put back
/// (the design's own, or the one the user last stepped to), then the
/// component equations of its DesignMode with the capacitor decade search,
/// and the output times. With CapacitorSearch::Exact the design's C1 is
/// used as it is. The caller then draws, sets Calculated and records the
/// nominal values.
///
/// Errors (computed = false): "Solution not found." when the root search of
/// the 50 % design fails (dutyFieldText is "50" all the same); "Invalid
/// pulse length." when the monostable pulse cannot be built; the same two
/// texts when an astable search cannot end. On an error the returned design
/// is the one given: a refused calculation changes nothing.
ComponentsResult ComputeComponents(const DesignState& design,
                                   CapacitorSearch search = CapacitorSearch::Decades);

/// The C1 steps stay within the capacitors a calculation's decade search can
/// give over the inputs the designs accept: from 10 pF (2 MHz in design 1)
/// to 1 mF (the monostable's starting capacitor), as E12 index and decade.
inline constexpr int kLowestCapDecade = 13;  ///< E12[0] / 10^13 = 10 pF
inline constexpr int kHighestCapDecade = 5;  ///< E12[0] / 10^5 = 1 mF

/// The design with C1 one E12 step up (+1) or down (-1), wrapping the index
/// into the next decade, C1 set from the list and made the starting
/// capacitor of later calculations. Nothing when the step would leave 10 pF
/// to 1 mF.
std::optional<DesignState> StepCapacitor(const DesignState& design, int delta);

/// The design with the next chip (+1: 555, 556A, 556B, 555; -1 the other
/// way round).
DesignState SwitchChip(const DesignState& design, int step);

/// Outcome of the reverse calculation after a component changed.
struct RecalculationResult {
  bool computed = false;   ///< false: nothing to do, or the error below
  std::string error;       ///< message to show when the components have no defined timing
  std::string field1Text;  ///< new text of the frequency (or pulse-length) field
  std::string field2Text;  ///< new text of the duty-cycle field (empty for the monostable)
  DesignState design;      ///< the design recalculated; the one given on an error
};

/// The high and low times, frequency and duty cycle from the component
/// values of the design's DesignMode, with the entry-field texts to write
/// (also stored in the returned design). When the components give no
/// defined timing (a component 0, negative or not finite, or in the 50 %
/// design R2 at or above R1 / 2) it returns computed = false with "No
/// oscillation with these component values." (or, for the monostable, "No
/// output pulse with these component values.") and the design unchanged.
RecalculationResult RecalculateFromComponents(const DesignState& design);

/// The parts a user can adjust with the dialog.
enum class AdjustablePart { C1, R1, R2 };

/// The value of a part in the design, and its nominal value.
double PartValue(const DesignState& design, AdjustablePart part);
double NominalValue(const DesignState& design, AdjustablePart part);

/// The design with one part set to `value` and recalculated
/// (RecalculateFromComponents); on an error the design is unchanged.
RecalculationResult AdjustPart(const DesignState& design, AdjustablePart part, double value);

/// A fresh design page: the design chosen, its starting capacitor (C1,
/// CapSeriesIndex, CapDecade, also as the starting capacitor of
/// calculations), C2, and the 50 % design's duty cycle; the chip and the
/// circuit settings as given.
DesignState StartDesign(DesignKind kind, TimerChip chip = TimerChip::Single555,
                        const CircuitSettings& settings = {});

}  // namespace timer555
