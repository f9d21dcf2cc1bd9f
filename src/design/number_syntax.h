#pragma once

// The one syntax for numbers the user writes: the entry fields, the adjust
// dialog and the command line all read their numbers with ParseNumber.
//
//   text      = blank* number blank*          blank: space, tab, CR, LF
//   number    = sign? ( decimal exponent?     "1000", ".5", "2.", "1e3", "2.2E-9"
//                     | decimal prefix        "1k", "2.2n", "10u", "1M", "470p"
//                     | digits prefix digits )  "4k7", "2n2", "1M5" (the prefix is the point)
//   sign      = "+" | "-"                     callers refuse negatives with their own messages
//   decimal   = digits ( "." digits? )? | "." digits
//   exponent  = ( "e" | "E" ) sign? digits
//   prefix    = "p" 1e-12 | "n" 1e-9 | "u" "µ" "μ" 1e-6 | "m" 1e-3
//             | "k" "K" 1e3 | "M" 1e6 | "G" 1e9
//
// Case matters where engineers rely on it: "m" is milli and "M" mega. "K"
// is kilo because the program prints resistances that way ("2.885K"), and
// "G" giga for the same reason. Nothing else is read: no thousands
// separators ("1,000"), no unit ("4.7kohm", "100nF"), no "meg", no blank
// inside the number ("4.7 k"), no prefix together with an exponent
// ("1k7e3", "1e3k"), no "inf", "nan" or hexadecimal; such a text is refused
// whole, never read in part. A number too large for a double, or so small
// that it rounds to nothing but is not written as zero, is refused too.
// Micro is also the UTF-8 micro sign (U+00B5) or Greek mu (U+03BC).

#include <optional>
#include <string_view>

namespace timer555 {

/// The value of a whole text in the syntax above; nothing for any text
/// that is not entirely one number (the empty text included).
std::optional<double> ParseNumber(std::string_view text);

/// The number of a text in a unit of 10^unitExponent base units, as the
/// adjust dialog reads its field beside "K" (3) or "nF" (-9): a number
/// with an SI prefix says its own scale and is converted ("4k7" beside "K"
/// is 4.7, "470p" beside "nF" 0.47), rounded once; a number without one is
/// in that unit already. Nothing for a text that is not a number.
std::optional<double> ParseNumberInUnit(std::string_view text, int unitExponent);

/// Whether characters typed after `text` can still make it a number in the
/// syntax: true for "", "-", "4.", "1e", "1e-", "4k" and every number;
/// false for "1,", "e", "1kk", "1k.", "4.7k7", "1e3k" or a text with a
/// blank. The entry field refuses a key that makes its text fail this.
bool CanBecomeNumber(std::string_view text);

/// How many decimal places the value of a number text is written to: the
/// digits after the point less the power of ten of its exponent or prefix,
/// never below 0 ("12.50" 2, "1e-3" 3, "1.5k" 0, "2m5" 4). For a text that
/// is not a number, the characters after its first point.
int DecimalPlaces(std::string_view text);

}  // namespace timer555
