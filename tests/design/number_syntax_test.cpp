// The number syntax of the entry fields, the adjust dialog and the command
// line: what is a number, what is refused whole, and what typing may still
// complete.
#include "design/number_syntax.h"

#include <optional>
#include <string>

#include "design_test_support.h"

namespace timer555 {
namespace {

struct SyntaxRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const SyntaxRow& row) { return out << row.name; }
  std::string text;
  std::optional<double> value;  ///< nothing: refused whole
  bool canBecome;               ///< what the entry field lets typing reach
  int decimals = 0;             ///< DecimalPlaces, for the numbers
};

class NumberSyntaxTest : public ::testing::TestWithParam<SyntaxRow> {};

TEST_P(NumberSyntaxTest, ReadsOrRefusesWhole) {
  const SyntaxRow& row = GetParam();
  const std::optional<double> value = ParseNumber(row.text);
  ASSERT_EQ(value.has_value(), row.value.has_value()) << "\"" << row.text << "\" gave " << value.value_or(0);
  if (row.value) {
    // Exact: a prefix is read as the same decimal text with an exponent.
    EXPECT_EQ(*value, *row.value);
    EXPECT_EQ(DecimalPlaces(row.text), row.decimals);
  }
  EXPECT_EQ(CanBecomeNumber(row.text), row.canBecome);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Syntax, NumberSyntaxTest, ::testing::Values(
    // Plain decimals and exponents.
    SyntaxRow{"Integer", "1000", 1000, true},
    SyntaxRow{"Decimal", "12.50", 12.5, true, 2},
    SyntaxRow{"LeadingPoint", ".5", 0.5, true, 1},
    SyntaxRow{"TrailingPoint", "2.", 2, true},
    SyntaxRow{"Exponent", "1e3", 1000, true},
    SyntaxRow{"UpperExponentNegative", "2.2E-9", 2.2e-9, true, 10},
    SyntaxRow{"ExponentPlus", "2e+2", 200, true},
    SyntaxRow{"Minus", "-5", -5, true},
    SyntaxRow{"Plus", "+3", 3, true},
    SyntaxRow{"BlanksAround", " \t60\r\n", 60, false},
    // SI prefixes as a suffix and as the point.
    SyntaxRow{"Kilo", "1k", 1000, true},
    SyntaxRow{"KiloAsPrinted", "2.885K", 2885, true},
    SyntaxRow{"Nano", "2.2n", 2.2e-9, true, 10},
    SyntaxRow{"Micro", "10u", 10e-6, true, 6},
    SyntaxRow{"MicroSign", "10\xC2\xB5", 10e-6, true, 6},
    SyntaxRow{"GreekMu", "4\xCE\xBC" "7", 4.7e-6, true, 7},
    SyntaxRow{"Milli", "3m", 3e-3, true, 3},
    SyntaxRow{"Mega", "1M", 1e6, true},
    SyntaxRow{"Giga", "1.5G", 1.5e9, true},
    SyntaxRow{"Pico", "470p", 470e-12, true, 12},
    SyntaxRow{"KiloAsPoint", "4k7", 4.7e3, true},
    SyntaxRow{"NanoAsPoint", "2n2", 2.2e-9, true, 10},
    SyntaxRow{"MegaAsPoint", "1M5", 1.5e6, true},
    SyntaxRow{"MicroAsPoint", "4u7", 4.7e-6, true, 7},
    SyntaxRow{"NegativePrefixed", "-1k", -1000, true},
    SyntaxRow{"ManyDigits", "2000000.0000000000000000001", 2000000, true, 19},
    // Refused whole, and typing cannot mend them.
    SyntaxRow{"ThousandsSeparator", "1,000", std::nullopt, false},
    SyntaxRow{"DecimalComma", "1,5", std::nullopt, false},
    SyntaxRow{"PrefixAlone", "k", std::nullopt, false},
    SyntaxRow{"TwoPrefixes", "1kk", std::nullopt, false},
    SyntaxRow{"PrefixAndExponent", "1k7e3", std::nullopt, false},
    SyntaxRow{"ExponentThenPrefix", "1e3k", std::nullopt, false},
    SyntaxRow{"PointAndPrefixPoint", "4.7k7", std::nullopt, false},
    SyntaxRow{"PointAfterPrefix", "4k.7", std::nullopt, false},
    SyntaxRow{"Meg", "1meg", std::nullopt, false},
    SyntaxRow{"Unit", "100nF", std::nullopt, false},
    SyntaxRow{"BlankInside", "4.7 k", std::nullopt, false},
    SyntaxRow{"TwoPoints", "1.2.3", std::nullopt, false},
    SyntaxRow{"DoubleSign", "+-1", std::nullopt, false},
    SyntaxRow{"Infinity", "inf", std::nullopt, false},
    SyntaxRow{"NotANumber", "nan", std::nullopt, false},
    SyntaxRow{"Hexadecimal", "0x10", std::nullopt, false},
    SyntaxRow{"FemtoNotKnown", "1f", std::nullopt, false},
    SyntaxRow{"Overflow", "1e400", std::nullopt, true},
    SyntaxRow{"PrefixedOverflow", "1" + std::string(400, '0') + "G", std::nullopt, true},
    SyntaxRow{"Underflow", "1e-400", std::nullopt, true},
    // Not numbers yet; typing may complete them.
    SyntaxRow{"Empty", "", std::nullopt, true},
    SyntaxRow{"SignOnly", "-", std::nullopt, true},
    SyntaxRow{"PointOnly", ".", std::nullopt, true},
    SyntaxRow{"ExponentWithoutDigits", "1e", std::nullopt, true},
    SyntaxRow{"ExponentSignWithoutDigits", "1E-", std::nullopt, true},
    SyntaxRow{"OnlyBlanks", "  ", std::nullopt, false}),
    testing::RowName<SyntaxRow>);
// clang-format on

}  // namespace
}  // namespace timer555
