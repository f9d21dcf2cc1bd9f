#pragma once

// The standard value series (IEC 60063) that resistors and capacitors are
// sold in, as data in the program.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace timer555 {

/// The standard series a part can be bought in, each with its number of
/// values a decade in its name.
enum class ESeries { E12, E24, E48, E96, E192 };

/// A standard value as three significant figures and a power of ten:
/// mantissa * 10^exponent, 1 kOhm being {100, 1}. Kept as integers so that
/// products and ratios of values can be formed exactly.
struct StandardValue {
  int mantissa = 0;  ///< 100 .. 988
  int exponent = 0;

  /// The value as the double nearest to it, so that {100, -11} equals the
  /// literal 1e-9 and bounds written as literals compare exactly.
  double Value() const;
};

/// The double nearest to `integer` * 10^exponent. Correctly rounded while
/// the integer stays below 2^53 and |exponent| <= 22 (then equal products
/// give equal doubles); outside that range still a close, deterministic
/// value.
double ScaledValue(std::int64_t integer, int exponent);

/// The values of one decade, ascending: the mantissas 100 .. 988 (E12:
/// 100, 120, ... 820).
std::span<const int> SeriesMantissas(ESeries series);

/// Number of values a decade (12 .. 192).
int ValuesPerDecade(ESeries series);

/// Tolerance the parts of a series are made to, as a fraction: E12 0.10,
/// E24 0.05, E48 0.02, E96 0.01, E192 0.005.
double SeriesTolerance(ESeries series);

/// "E12" .. "E192".
std::string_view SeriesName(ESeries series);

/// The series named "E12" .. "E192" (also with a lower-case "e"); nothing
/// for any other text.
std::optional<ESeries> ParseSeries(std::string_view name);

/// The values of a series from `lowest` to `highest` inclusive, ascending
/// (1e3 and 1e7 give the resistors 1 kOhm to 10 MOhm). Empty when a bound is
/// not a positive finite number or when lowest > highest.
std::vector<StandardValue> SeriesValuesBetween(ESeries series, double lowest, double highest);

}  // namespace timer555
