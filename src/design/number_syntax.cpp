// The number syntax shared by the entry fields, the adjust dialog and the
// command line (see number_syntax.h).

#include "design/number_syntax.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace timer555 {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

/// The SI prefix at the start of `s`: its power of ten and its length in
/// bytes (the micro signs are two bytes of UTF-8); nothing when there is none.
struct Prefix {
  int exponent = 0;
  std::size_t length = 0;
};
std::optional<Prefix> PrefixAt(std::string_view s) {
  if (s.empty()) return std::nullopt;
  switch (s[0]) {
    case 'p': return Prefix{-12, 1};
    case 'n': return Prefix{-9, 1};
    case 'u': return Prefix{-6, 1};
    case 'm': return Prefix{-3, 1};
    case 'k':
    case 'K': return Prefix{3, 1};
    case 'M': return Prefix{6, 1};
    case 'G': return Prefix{9, 1};
    default: break;
  }
  if (s.starts_with("\xC2\xB5") || s.starts_with("\xCE\xBC")) return Prefix{-6, 2};
  return std::nullopt;
}

/// A text read as far as the syntax allows.
struct Scan {
  enum class Result {
    Number,   ///< the whole text is a number
    Partial,  ///< the text ends where more characters could make it one
    Refused,  ///< no characters after it can make it a number
  };
  Result result = Result::Refused;
  bool negative = false;
  std::string_view integer, fraction;  ///< digits before and after the point (or the prefix)
  std::string_view exponent;           ///< the exponent's digits with their sign
  std::optional<int> prefix;
};

Scan ScanNumber(std::string_view s) {
  Scan scan;
  std::size_t i = 0;
  const auto digitsFrom = [&s, &i] {
    const std::size_t start = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    return s.substr(start, i - start);
  };
  // What follows the number: blanks only, or nothing yet.
  const auto finish = [&](bool complete) {
    const bool trailing = i < s.size();
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i < s.size()) {
      scan.result = Scan::Result::Refused;
    } else if (complete) {
      scan.result = Scan::Result::Number;
    } else {
      // Blanks end the number: nothing can complete it after them.
      scan.result = trailing ? Scan::Result::Refused : Scan::Result::Partial;
    }
    return scan;
  };

  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) scan.negative = s[i++] == '-';
  scan.integer = digitsFrom();
  bool point = false;
  if (i < s.size() && s[i] == '.') {
    point = true;
    ++i;
    scan.fraction = digitsFrom();
  }
  if (scan.integer.empty() && scan.fraction.empty()) {
    // Only a sign or a point so far.
    return finish(false);
  }
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    const std::size_t start = ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::string_view digits = digitsFrom();
    scan.exponent = s.substr(start, i - start);
    return finish(!digits.empty());
  }
  if (const std::optional<Prefix> prefix = PrefixAt(s.substr(i))) {
    i += prefix->length;
    scan.prefix = prefix->exponent;
    // "4k7": the prefix stands for the point, between two runs of digits.
    if (!point && i < s.size() && IsDigit(s[i])) scan.fraction = digitsFrom();
  }
  return finish(true);
}

}  // namespace

std::optional<double> ParseNumberInUnit(std::string_view text, int unitExponent) {
  const Scan scan = ScanNumber(text);
  if (scan.result != Scan::Result::Number) return std::nullopt;
  // The number rewritten in the one form from_chars reads, so that "2.2n"
  // is the very double "2.2e-9" is, rounded once.
  std::string plain(scan.integer.empty() ? "0" : scan.integer);
  if (!scan.fraction.empty()) plain += "." + std::string(scan.fraction);
  if (scan.prefix) {
    plain += "e" + std::to_string(*scan.prefix - unitExponent);
  } else if (!scan.exponent.empty()) {
    plain += "e" + std::string(scan.exponent);
  }
  double value = 0;
  const char* end = plain.data() + plain.size();
  const auto [ptr, ec] = std::from_chars(plain.data(), end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return scan.negative ? -value : value;
}

std::optional<double> ParseNumber(std::string_view text) { return ParseNumberInUnit(text, 0); }

bool CanBecomeNumber(std::string_view text) {
  if (std::any_of(text.begin(), text.end(), IsBlank)) return false;
  return ScanNumber(text).result != Scan::Result::Refused;
}

int DecimalPlaces(std::string_view text) {
  const Scan scan = ScanNumber(text);
  if (scan.result != Scan::Result::Number) {
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
  }
  int power = scan.prefix.value_or(0);
  if (!scan.exponent.empty()) {
    // Counted up to a bound: a double has no more than a few hundred places.
    constexpr int kMostPower = 9999;
    for (const char c : scan.exponent)
      if (IsDigit(c)) power = std::min(kMostPower, 10 * power + (c - '0'));
    if (scan.exponent.front() == '-') power = -power;
  }
  return std::max(0, static_cast<int>(scan.fraction.size()) - power);
}

}  // namespace timer555
