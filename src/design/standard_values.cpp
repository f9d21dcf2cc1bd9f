#include "design/standard_values.h"

#include <array>
#include <cmath>

namespace timer555 {

namespace {

// One decade of each series in three significant figures. E12 and E24 keep
// their historical values (2.7, 3.3, 4.7, 8.2 where plain rounding would
// give 2.6, 3.2, 4.6, 8.3); E48, E96 and E192 are 10^(i/n) rounded to three
// figures, except 9.20 in E192 (9.19 by the rule).
constexpr std::array<int, 12> kE12 = {100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
constexpr std::array<int, 24> kE24 = {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                                      330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
constexpr std::array<int, 48> kE48 = {100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
                                      178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
                                      316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
                                      562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr std::array<int, 96> kE96 = {
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143, 147, 150, 154, 158,
    162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210, 215, 221, 226, 232, 237, 243, 249, 255,
    261, 267, 274, 280, 287, 294, 301, 309, 316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412,
    422, 432, 442, 453, 464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};
constexpr std::array<int, 192> kE192 = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120, 121, 123, 124, 126,
    127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145, 147, 149, 150, 152, 154, 156, 158, 160,
    162, 164, 165, 167, 169, 172, 174, 176, 178, 180, 182, 184, 187, 189, 191, 193, 196, 198, 200, 203,
    205, 208, 210, 213, 215, 218, 221, 223, 226, 229, 232, 234, 237, 240, 243, 246, 249, 252, 255, 258,
    261, 264, 267, 271, 274, 277, 280, 284, 287, 291, 294, 298, 301, 305, 309, 312, 316, 320, 324, 328,
    332, 336, 340, 344, 348, 352, 357, 361, 365, 370, 374, 379, 383, 388, 392, 397, 402, 407, 412, 417,
    422, 427, 432, 437, 442, 448, 453, 459, 464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530,
    536, 542, 549, 556, 562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673,
    681, 690, 698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816, 825, 835, 845, 856,
    866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

/// What the program knows of each series, in the order of the enum.
struct SeriesRow {
  ESeries series;
  std::string_view name;
  std::span<const int> mantissas;
  double tolerance;
};

constexpr std::array<SeriesRow, 5> kSeries = {{
    {ESeries::E12, "E12", kE12, 0.10},
    {ESeries::E24, "E24", kE24, 0.05},
    {ESeries::E48, "E48", kE48, 0.02},
    {ESeries::E96, "E96", kE96, 0.01},
    {ESeries::E192, "E192", kE192, 0.005},
}};

const SeriesRow& Row(ESeries series) {
  const auto index = static_cast<std::size_t>(series);
  return kSeries[index < kSeries.size() ? index : 0];
}

/// 10^0 .. 10^22: every one of them is exactly a double.
constexpr std::array<double, 23> kExactPowers = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

double ScaledValue(std::int64_t integer, int exponent) {
  // One multiplication or division of two exact doubles rounds once, so the
  // result is the double nearest to the true value.
  const auto n = static_cast<double>(integer);
  if (exponent >= 0 && exponent < static_cast<int>(kExactPowers.size())) return n * kExactPowers[exponent];
  if (exponent < 0 && -exponent < static_cast<int>(kExactPowers.size())) return n / kExactPowers[-exponent];
  return n * std::pow(10.0, exponent);
}

double StandardValue::Value() const { return ScaledValue(mantissa, exponent); }

std::span<const int> SeriesMantissas(ESeries series) { return Row(series).mantissas; }

int ValuesPerDecade(ESeries series) { return static_cast<int>(Row(series).mantissas.size()); }

double SeriesTolerance(ESeries series) { return Row(series).tolerance; }

std::string_view SeriesName(ESeries series) { return Row(series).name; }

std::optional<ESeries> ParseSeries(std::string_view name) {
  if (name.empty()) return std::nullopt;
  for (const SeriesRow& row : kSeries) {
    if (name.substr(1) == row.name.substr(1) && (name[0] == 'E' || name[0] == 'e')) return row.series;
  }
  return std::nullopt;
}

std::vector<StandardValue> SeriesValuesBetween(ESeries series, double lowest, double highest) {
  std::vector<StandardValue> values;
  const auto usable = [](double v) { return v > 0 && std::isfinite(v); };
  if (!usable(lowest) || !usable(highest) || lowest > highest) return values;
  // Decade d holds mantissa * 10^(d - 2), from 10^d up to below 10^(d + 1);
  // one decade of margin on each side covers any rounding of log10. The
  // double range bounds the loop to about 630 decades.
  const int first = static_cast<int>(std::floor(std::log10(lowest))) - 1;
  const int last = static_cast<int>(std::floor(std::log10(highest))) + 1;
  for (int decade = first; decade <= last; ++decade) {
    for (int mantissa : SeriesMantissas(series)) {
      const StandardValue value{mantissa, decade - 2};
      const double v = value.Value();
      if (v >= lowest && v <= highest) values.push_back(value);
    }
  }
  return values;
}

}  // namespace timer555
