#include "schematic/value_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace timer555 {

namespace {

// Widths beyond this are never asked for by the program; the clamp keeps a
// wild argument from allocating without bound.
constexpr int kMaxWidth = 256;
// More decimals than this carry no information from a double.
constexpr int kMaxDecimals = 60;
// The digit string a double is first reduced to.
constexpr int kSignificantDigits = 18;

std::string PadLeft(std::string text, int width) {
  width = std::clamp(width, 0, kMaxWidth);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

// Adds one to the digit at `pos` of a text made of digits, a point and
// possibly a leading sign, carrying leftwards over the point; a carry out of
// the first digit writes a new "1" in front of it.
void IncrementDigitAt(std::string& text, int pos) {
  while (pos >= 0) {
    char& c = text[static_cast<std::size_t>(pos)];
    if (c == '.') {
      --pos;
      continue;
    }
    if (c < '0' || c > '9') break;  // reached a sign: insert after it
    if (c < '9') {
      ++c;
      return;
    }
    c = '0';
    --pos;
  }
  text.insert(pos < 0 ? 0 : static_cast<std::size_t>(pos) + 1, 1, '1');
}

// The number part shared by both value texts: four decimals, trimmed, cut
// to five characters. Works on the magnitude; the caller adds the sign.
std::string NumberPart(double magnitude) {
  return RoundNumberText(TrimNumberText(FixedText(7, 4, magnitude)), 4);
}

// Number parts from 100000 up would be cut to five characters and misread
// by a factor of ten or more; they are written in exponent form instead.
constexpr double kLargestNumberPart = 100000.0;

std::string ExponentPart(double magnitude) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3e", magnitude);
  std::string text = buffer;
  // Drop trailing zeros of the mantissa: "1.500e+05" -> "1.5e+05".
  std::size_t e = text.find('e');
  std::size_t end = e;
  while (end > 0 && text[end - 1] == '0') --end;
  if (end > 0 && text[end - 1] == '.') --end;
  return text.substr(0, end) + text.substr(e);
}

// Sign, number part and unit letters. Values of no component (negative,
// infinite, not a number) still give a readable text.
std::string ValueText(double value, double scale, const char* unit) {
  double magnitude = std::fabs(value) / scale;
  std::string number;
  if (std::isinf(magnitude)) {
    number = "INF";
  } else if (magnitude >= kLargestNumberPart) {
    number = ExponentPart(magnitude);
  } else {
    number = NumberPart(magnitude);
  }
  if (value < 0 && number != "0") number.insert(0, 1, '-');
  return number + unit;
}

}  // namespace

std::string FixedText(int width, int decimals, double value) {
  if (std::isnan(value)) return PadLeft("NAN", width);
  if (std::isinf(value)) return PadLeft(value < 0 ? "-INF" : "INF", width);
  decimals = std::clamp(decimals, 0, kMaxDecimals);

  // Eighteen significant digits d[0..17] with value = 0.d[0]d[1]... x 10^point.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, std::fabs(value));
  std::string digits;
  int exponent = 0;
  for (const char* p = buffer; *p != '\0'; ++p) {
    if (*p >= '0' && *p <= '9') {
      digits.push_back(*p);
    } else if (*p == 'e') {
      exponent = std::atoi(p + 1);
      break;
    }
  }
  int point = exponent + 1;  // digits before the decimal point
  if (digits.find_first_not_of('0') == std::string::npos) point = 1;

  // Round the digit string half away from zero after `decimals` decimals.
  int keep = point + decimals;
  if (keep < 0) {
    digits = "0";
    point = 1;
    keep = 1 + decimals;
  } else if (keep < static_cast<int>(digits.size())) {
    bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      int pos = keep - 1;
      while (pos >= 0 && digits[static_cast<std::size_t>(pos)] == '9')
        digits[static_cast<std::size_t>(pos--)] = '0';
      if (pos >= 0) {
        ++digits[static_cast<std::size_t>(pos)];
      } else {
        digits.insert(0, 1, '1');
        ++point;
        ++keep;
      }
    }
  }
  // Pad with zeros so that every integer and decimal place has a digit.
  if (static_cast<int>(digits.size()) < keep)
    digits.append(static_cast<std::size_t>(keep) - digits.size(), '0');

  std::string integer, fraction;
  if (point <= 0) {
    integer = "0";
    fraction = std::string(static_cast<std::size_t>(-point), '0') + digits;
  } else {
    integer = digits.substr(0, static_cast<std::size_t>(point));
    fraction = digits.substr(static_cast<std::size_t>(point));
  }
  fraction.resize(static_cast<std::size_t>(decimals), '0');
  std::size_t firstNonZero = integer.find_first_not_of('0');
  integer = firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);

  std::string text = integer;
  if (decimals > 0) text += "." + fraction;
  // A value that rounds to zero is written without a sign.
  bool allZero = text.find_first_not_of("0.") == std::string::npos;
  if (value < 0 && !allZero) text.insert(0, 1, '-');
  return PadLeft(text, width);
}

std::string TrimNumberText(const std::string& text) {
  std::string result = text;
  if (result.find('.') != std::string::npos) {
    while (!result.empty() && result.back() == '0') result.pop_back();
    if (!result.empty() && result.back() == '.') result.pop_back();
  }
  std::size_t first = result.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : result.substr(first);
}

std::string RoundNumberText(const std::string& text, int n) {
  if (n < 1) n = 1;
  const std::size_t cut = static_cast<std::size_t>(n) + 1;  // characters kept
  if (text.size() <= cut) return text;
  std::string result = text;
  char next = result[cut];
  if (next >= '5' && next <= '9') {
    int last = n;  // 0-based index of character n + 1
    if (result[static_cast<std::size_t>(last)] == '.') --last;
    IncrementDigitAt(result, last);
  }
  // A carry out of the first digit lengthened the text by one; the point
  // test then applies to the new text, so "999.98" becomes "1000", not "1000.".
  std::size_t keep = result[static_cast<std::size_t>(n)] == '.' ? cut - 1 : cut;
  result.resize(keep);
  return result;
}

std::string ResistanceText(double ohms) {
  if (ohms == 0 || std::isnan(ohms)) return "  N/A";
  double magnitude = std::fabs(ohms);
  if (magnitude >= 1e9) return ValueText(ohms, 1e9, "G");
  if (magnitude >= 1e6) return ValueText(ohms, 1e6, "M");
  if (magnitude >= 1000) return ValueText(ohms, 1000, "K");
  return ValueText(ohms, 1, "");
}

std::string CapacitanceText(double farads) {
  if (std::isnan(farads)) return "  N/A";
  double magnitude = std::fabs(farads);
  if (magnitude < 9.9999e-10) return ValueText(farads, 1e-12, "pF");
  if (magnitude < 9.9999e-7) return ValueText(farads, 1e-9, "nF");
  if (magnitude < 9.9999e-4) return ValueText(farads, 1e-6, "uF");
  if (magnitude < 0.99999) return ValueText(farads, 1e-3, "mF");
  return ValueText(farads, 1, "F");
}

}  // namespace timer555
