#include "schematic/value_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace timer555 {
namespace {

struct ValueCase {
  const char* name;
  double value;
  const char* text;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class ResistanceTextTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ResistanceTextTest, GivesText) { EXPECT_EQ(ResistanceText(GetParam().value), GetParam().text); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, ResistanceTextTest,
    ::testing::Values(
        ValueCase{"Zero", 0, "  N/A"},
        ValueCase{"Half", 0.5, "0.5"},
        ValueCase{"Ohms470", 470, "470"},
        ValueCase{"Ohms999", 999, "999"},
        ValueCase{"Ohms999_5", 999.5, "999.5"},
        ValueCase{"BelowStepRoundsTo1000", 999.99996, "1000"},
        ValueCase{"OneK", 1000, "1K"},
        ValueCase{"Ohms1234_5", 1234.5, "1.235K"},
        ValueCase{"Ohms4700", 4700, "4.7K"},
        ValueCase{"Ohms12345", 12345, "12.35K"},
        ValueCase{"CarryKeepsZeros", 19996, "20.00K"},
        ValueCase{"Ohms123456", 123456, "123.5K"},
        ValueCase{"Ohms999940", 999940, "999.9K"},
        ValueCase{"OneM", 1e6, "1M"},
        ValueCase{"Ohms1_5M", 1.5e6, "1.5M"},
        ValueCase{"OneG", 1e9, "1G"},
        ValueCase{"Ohms4_7G", 4.7e9, "4.7G"},
        ValueCase{"Ohms2500G", 2.5e12, "2500G"},
        ValueCase{"FourIntegerDigitsG", 1234.5e9, "1235G"},
        ValueCase{"DesignR1", 2885.39, "2.885K"},
        ValueCase{"DesignR2", 5770.78, "5.771K"},
        ValueCase{"DesignMonostable", 721347.5, "721.3K"},
        ValueCase{"DesignHalfDuty", 10098.87, "10.10K"},
        ValueCase{"CarryPastFirstDigitK", 99996, "100.0K"},
        ValueCase{"CarryPastFirstDigitUnits", 9.9996, "10.00"},
        ValueCase{"Negative", -4700, "-4.7K"},
        ValueCase{"NegativeTiny", -1e-7, "0"},
        ValueCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "  N/A"},
        ValueCase{"Infinite", std::numeric_limits<double>::infinity(), "INFG"},
        ValueCase{"NegativeInfinite", -std::numeric_limits<double>::infinity(), "-INFG"},
        ValueCase{"HugeGoesToExponent", 1.5e14, "1.5e+05G"},
        ValueCase{"LargestDouble", std::numeric_limits<double>::max(), "1.798e+299G"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class CapacitanceTextTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(CapacitanceTextTest, GivesText) { EXPECT_EQ(CapacitanceText(GetParam().value), GetParam().text); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, CapacitanceTextTest,
    ::testing::Values(
        ValueCase{"Zero", 0, "0pF"},
        ValueCase{"Pf47", 47e-12, "47pF"},
        ValueCase{"Pf330", 330e-12, "330pF"},
        ValueCase{"Pf999", 999e-12, "999pF"},
        ValueCase{"JustAboveThresholdIsNano", 999.995e-12, "1nF"},
        ValueCase{"CarryPastFirstDigitPf", 999.98e-12, "1000pF"},
        ValueCase{"Nf2_2", 2.2e-9, "2.2nF"},
        ValueCase{"Nf10", 1e-8, "10nF"},
        ValueCase{"Nf100NotMicro", 1e-7, "100nF"},
        ValueCase{"Uf1", 1e-6, "1uF"},
        ValueCase{"Uf4_7", 4.7e-6, "4.7uF"},
        ValueCase{"Uf470", 470e-6, "470uF"},
        ValueCase{"MicroBelowMilliStep", 470e-6, "470uF"},
        ValueCase{"MilliStepStartsJustBelowOne", 9.9999e-4, "1mF"},
        ValueCase{"OneMilli", 0.001, "1mF"},
        ValueCase{"Milli1_5", 0.0015, "1.5mF"},
        ValueCase{"Milli2_2", 0.0022, "2.2mF"},
        ValueCase{"Milli4_7", 0.0047, "4.7mF"},
        ValueCase{"Milli470", 0.47, "470mF"},
        ValueCase{"FaradStepStartsJustBelowOne", 0.99999, "1F"},
        ValueCase{"Farads2_2", 2.2, "2.2F"},
        ValueCase{"Negative", -1e-7, "-100nF"},
        ValueCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "  N/A"},
        ValueCase{"Infinite", std::numeric_limits<double>::infinity(), "INFF"},
        ValueCase{"HugeFarads", 2e5, "2e+05F"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct FixedCase {
  const char* name;
  int width;
  int decimals;
  double value;
  const char* text;
};

void PrintTo(const FixedCase& c, std::ostream* os) { *os << c.name; }

class FixedTextTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedTextTest, GivesText) {
  const FixedCase& c = GetParam();
  EXPECT_EQ(FixedText(c.width, c.decimals, c.value), c.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, FixedTextTest,
    ::testing::Values(
        FixedCase{"NoDecimals", 2, 0, 50, "50"},
        FixedCase{"PaddedLeft", 6, 1, 60, "  60.0"},
        FixedCase{"WiderThanWidth", 4, 1, 600, "600.0"},
        FixedCase{"FourDecimalsPadded", 7, 4, 4.7, " 4.7000"},
        FixedCase{"FourDecimalsFull", 7, 4, 1234.5678, "1234.5678"},
        FixedCase{"ExactHalfAwayFromZero", 0, 4, 1.03125, "1.0313"},
        FixedCase{"NegativeHalfAwayFromZero", 0, 4, -1.03125, "-1.0313"},
        FixedCase{"HalfAtZeroDecimals", 0, 0, 2.5, "3"},
        FixedCase{"NegativeHalfAtZeroDecimals", 0, 0, -2.5, "-3"},
        FixedCase{"CarryIntoNewDigit", 0, 2, 99.999, "100.00"},
        FixedCase{"SmallRoundsUp", 0, 4, 0.00005, "0.0001"},
        FixedCase{"SmallRoundsToZero", 0, 4, 0.00004, "0.0000"},
        FixedCase{"FarBelowLastDecimal", 0, 2, 1e-30, "0.00"},
        FixedCase{"NegativeRoundsToZeroHasNoSign", 0, 2, -0.001, "0.00"},
        FixedCase{"Zero", 5, 2, 0, " 0.00"},
        FixedCase{"BinaryJustBelowHalfRoundsDown", 0, 1, 0.15, "0.1"},
        FixedCase{"BeyondSignificantDigits", 0, 0, 1e20, "100000000000000000000"},
        FixedCase{"NegativeDecimalsClamped", 0, -3, 7.6, "8"},
        FixedCase{"NotANumber", 5, 2, std::numeric_limits<double>::quiet_NaN(), "  NAN"},
        FixedCase{"Infinite", 0, 2, std::numeric_limits<double>::infinity(), "INF"},
        FixedCase{"NegativeInfinite", 0, 2, -std::numeric_limits<double>::infinity(), "-INF"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(FixedTextTest, LargestDoubleHasAllIntegerDigits) {
  std::string text = FixedText(0, 4, std::numeric_limits<double>::max());
  EXPECT_EQ(text.size(), 309u + 5u);
  EXPECT_EQ(text.substr(0, 18), "179769313486231571");
  EXPECT_EQ(text.substr(text.size() - 5), ".0000");
}

struct TextCase {
  const char* name;
  const char* input;
  const char* output;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class TrimNumberTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TrimNumberTextTest, Trims) { EXPECT_EQ(TrimNumberText(GetParam().input), GetParam().output); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, TrimNumberTextTest,
    ::testing::Values(
        TextCase{"TrailingZeros", " 4.7000", "4.7"},
        TextCase{"BarePoint", " 1.0000", "1"},
        TextCase{"ZerosBeforePointStay", " 100.0000", "100"},
        TextCase{"AllZero", " 0.0000", "0"},
        TextCase{"NoPointKeepsZeros", "  100", "100"},
        TextCase{"Empty", "", ""},
        TextCase{"OnlyBlanks", "   ", ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct RoundCase {
  const char* name;
  const char* input;
  int n;
  const char* output;
};

void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.name; }

class RoundNumberTextTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundNumberTextTest, Rounds) {
  EXPECT_EQ(RoundNumberText(GetParam().input, GetParam().n), GetParam().output);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, RoundNumberTextTest,
    ::testing::Values(
        RoundCase{"ShortUnchanged", "4.7", 4, "4.7"},
        RoundCase{"FiveUnchanged", "12.34", 4, "12.34"},
        RoundCase{"SixthRoundsUp", "12.345", 4, "12.35"},
        RoundCase{"SixthRoundsDown", "12.344", 4, "12.34"},
        RoundCase{"FifthIsPoint", "1234.5", 4, "1235"},
        RoundCase{"FifthIsPointNoRound", "1234.4", 4, "1234"},
        RoundCase{"CarryOverPoint", "19.996", 4, "20.00"},
        RoundCase{"CarryPastFirst", "99.996", 4, "100.0"},
        RoundCase{"CarryPastFirstToPoint", "999.98", 4, "1000"},
        RoundCase{"SixthNotDigit", "99999.6", 4, "99999"},
        RoundCase{"SmallerN", "1.2645", 2, "1.3"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace timer555
