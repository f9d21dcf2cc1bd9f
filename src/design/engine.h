#pragma once

#include <optional>
#include <string>
#include <vector>

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

/// Parses the two entry-field texts into the design state and checks them
/// for the current DesignMode. Returns the message of the first problem, or
/// nothing when the inputs are fine.
std::optional<std::string> ValidateInputs(const std::string& field1, const std::string& field2);

/// Copies C1, R1, R2 into the nominal values and counts the decimals of the
/// two entry-field texts.
void RecordNominals(const std::string& field1, const std::string& field2);

/// 10 raised to x, as e^(x ln 10).
double PowerOfTen(double x);

/// Low time minus high time of the 50 % design for R2 = x, reading R1, C1
/// and HighTime from the design state.
double LowTimeResidual(double x);

/// Result of the root search of the 50 % design.
struct RootSearch {
  bool found = false;
  double root = 0;
};
RootSearch FindRoot(double a, double b);

/// Outcome of the component equations of a calculation.
struct ComponentsResult {
  bool computed = false;                     ///< false: DesignMode outside 1..4, or an error below
  std::string error;                         ///< message to show, for example "Solution not found."
  std::optional<std::string> dutyFieldText;  ///< new text of the duty-cycle field (50 % design)
};

/// Steps 1 to 3 of a calculation: the component equations of the current
/// DesignMode with the capacitor decade search. The caller then redraws the
/// schematic with values, draws the waveform, sets Calculated and records
/// the nominal values.
///
/// Errors (computed = false): "Solution not found." when the root search of
/// the 50 % design fails (R1, C1 and CapDecade keep the values of the failed
/// pass, R2 its previous value, as the 50 % design's DutyCycle, HighTime and
/// LowTime are already set; dutyFieldText is "50" all the same);
/// "Invalid pulse length." when the monostable pulse cannot be built (R1
/// would overflow, or C1 would have to leave the range of CapDecade); the
/// same two texts when an astable search cannot end. Apart from the failed
/// root search, an error leaves the components as they were.
ComponentsResult ComputeComponents();

/// Moves C1 one E12 step up (+1) or down (-1), wrapping the index into the
/// next decade, and sets C1 from the list. Returns false and changes nothing
/// when the step would take CapDecade outside -290..300 (C1 would no longer
/// be a normal double).
bool StepCapacitor(int delta);

/// Outcome of the reverse calculation after a component changed.
struct RecalculationResult {
  bool computed = false;   ///< false: nothing to do, or the error below
  std::string error;       ///< message to show when the components have no defined timing
  std::string field1Text;  ///< new text of the frequency (or pulse-length) field
  std::string field2Text;  ///< new text of the duty-cycle field (empty for the monostable)
};

/// The high and low times, frequency and duty cycle from the component
/// values of the current DesignMode, with the entry-field texts to write.
/// When the components give no defined timing (a component 0, negative or
/// not finite, or in the 50 % design R2 at or above R1 / 2) it returns
/// computed = false with "No oscillation with these component values." (or,
/// for the monostable, "No output pulse with these component values.") and
/// changes nothing; the components themselves stay as they are.
RecalculationResult RecalculateFromComponents();

}  // namespace timer555
