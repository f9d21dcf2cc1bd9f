#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "design/design_state.h"
#include "design/engine.h"
#include "design_test_support.h"

namespace timer555 {
namespace {

using testing::RowName;

struct NumberRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const NumberRow& row) { return out << row.name; }
  std::string text;
  double expected;
};

class TextToNumberTest : public ::testing::TestWithParam<NumberRow> {};

TEST_P(TextToNumberTest, Converts) {
  const NumberRow& row = GetParam();
  double value = TextToNumber(row.text);
  EXPECT_EQ(value, row.expected) << "text \"" << row.text << "\"";
  EXPECT_TRUE(std::isfinite(value));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    GoodAndBadTexts, TextToNumberTest,
    ::testing::Values(NumberRow{"Empty", "", 0}, NumberRow{"Integer", "1000", 1000},
                      NumberRow{"Decimal", "12.5", 12.5}, NumberRow{"LeadingBlanks", "   0.01", 0.01},
                      NumberRow{"PlusSign", "+3", 3}, NumberRow{"MinusSign", "-2.5", -2.5},
                      NumberRow{"Exponent", "1e3", 1000}, NumberRow{"UpperExponentNegative", "1.5E-3", 0.0015},
                      NumberRow{"ExponentWithPlus", "2e+2", 200}, NumberRow{"LeadingPoint", ".5", 0.5},
                      NumberRow{"TrailingPoint", "5.", 5}, NumberRow{"ZeroWithDecimals", "0.000", 0},
                      NumberRow{"ManyDigits", "2000000.0000000000000000001", 2000000},
                      NumberRow{"TwoPoints", "1.2.3", 0}, NumberRow{"Nan", "nan", 0}, NumberRow{"Inf", "inf", 0},
                      NumberRow{"Infinity", "infinity", 0}, NumberRow{"NegativeInf", "-inf", 0},
                      NumberRow{"Hexadecimal", "0x10", 0}, NumberRow{"HexFloat", "0x1p3", 0},
                      NumberRow{"Comma", "1,5", 0}, NumberRow{"TrailingGarbage", "12abc", 0},
                      NumberRow{"TrailingBlank", "12 ", 12}, NumberRow{"OnlyBlanks", "   ", 0},
                      NumberRow{"SignOnly", "-", 0}, NumberRow{"PointOnly", ".", 0},
                      NumberRow{"ExponentOnly", "e5", 0}, NumberRow{"ExponentWithoutDigits", "1e", 0},
                      NumberRow{"ExponentSignWithoutDigits", "1e+", 0}, NumberRow{"DoubleSign", "+-1", 0},
                      NumberRow{"BlankAfterSign", "- 1", 0}, NumberRow{"Overflow", "1e400", 0},
                      NumberRow{"NegativeOverflow", "-1e400", 0}, NumberRow{"Underflow", "1e-400", 0}),
    RowName<NumberRow>);
// clang-format on

struct ValidationRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const ValidationRow& row) { return out << row.name; }
  int mode;
  std::string field1;
  std::string field2;
  std::string message;  ///< empty: the inputs pass
};

class ValidateInputsTest : public ::testing::TestWithParam<ValidationRow> {};

TEST_P(ValidateInputsTest, ReportsFirstProblem) {
  const ValidationRow& row = GetParam();
  const DesignState design = StartDesign(ToDesignKind(row.mode));
  std::optional<std::string> message = ValidateInputs(design, row.field1, row.field2).problem;
  EXPECT_EQ(message.value_or(""), row.message);
}

const char* const kPulseRange = "Pulse length not realistic: enter 1 us to 10000 s.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Messages, ValidateInputsTest,
    ::testing::Values(
        ValidationRow{"FrequencyEmpty", 1, "", "60", "Frequency not entered."},
        ValidationRow{"BothEmptyOnlyFirstReported", 1, "", "", "Frequency not entered."},
        ValidationRow{"PulseLengthEmpty", 4, "", "", "Pulse length not entered."},
        ValidationRow{"DutyEmptyDesign3", 3, "1000", "", "Duty cycle not entered."},
        ValidationRow{"DutyEmptyDesign2", 2, "1000", "", "Duty cycle not entered."},
        ValidationRow{"MonostableIgnoresDutyField", 4, "1", "", ""},
        ValidationRow{"MonostableIgnoresBadDutyText", 4, "2.5", "abc", ""},
        ValidationRow{"PulseZero", 4, "0", "", kPulseRange},
        ValidationRow{"PulseZeroDecimals", 4, "0.000", "", kPulseRange},
        ValidationRow{"PulseTwoPoints", 4, "1.2.3", "", kPulseRange},
        ValidationRow{"PulseNegative", 4, "-1", "", kPulseRange},
        ValidationRow{"PulseNegativeExponent", 4, "-2e3", "", kPulseRange},
        ValidationRow{"PulseOverflowingR1", 4, "1e306", "", kPulseRange},
        ValidationRow{"PulseOverflowingDouble", 4, "1e400", "", kPulseRange},
        ValidationRow{"PulseShortestPasses", 4, "1e-6", "", ""},
        ValidationRow{"PulseJustBelowShortest", 4, "0.00000099", "", kPulseRange},
        ValidationRow{"PulseLongestPasses", 4, "10000", "", ""},
        ValidationRow{"PulseJustAboveLongest", 4, "10000.001", "", kPulseRange},
        ValidationRow{"FrequencyLowestPasses", 1, "0.01", "60", ""},
        ValidationRow{"FrequencyBelowLowest", 1, "0.009", "60", "Frequency not realistic."},
        ValidationRow{"FrequencyHighestPasses", 3, "2000000", "30", ""},
        ValidationRow{"FrequencyAboveHighest", 3, "2000000.1", "30", "Frequency not realistic."},
        ValidationRow{"FrequencyTwoPoints", 1, "1.2.3", "60", "Frequency not realistic."},
        ValidationRow{"FrequencyNegative", 2, "-1000", "50", "Frequency not realistic."},
        ValidationRow{"FrequencyNotANumber", 1, "nan", "60", "Frequency not realistic."},
        ValidationRow{"FrequencyCheckedBeforeDuty", 1, "0", "200", "Frequency not realistic."},
        ValidationRow{"Design1DutyFifty", 1, "1000", "50", "Duty cycle not realistic for this mode."},
        ValidationRow{"Design1DutyBelowFifty", 1, "1000", "10", "Duty cycle not realistic for this mode."},
        ValidationRow{"Design1DutyHundred", 1, "1000", "100", "Duty cycle invalid."},
        ValidationRow{"Design1DutyJustAboveFifty", 1, "1000", "50.1", ""},
        ValidationRow{"Design3DutySeventy", 3, "1000", "70", ""},
        ValidationRow{"Design3DutyFiftyPasses", 3, "1000", "50", ""},
        ValidationRow{"Design3DutyZero", 3, "1000", "0", "Duty cycle invalid."},
        ValidationRow{"Design3DutyHundred", 3, "1000", "100", "Duty cycle invalid."},
        ValidationRow{"Design3DutyNegative", 3, "1000", "-5", "Duty cycle invalid."},
        ValidationRow{"Design2NoDutyCheck", 2, "1000", "50", ""},
        ValidationRow{"Design2DutyTextNotChecked", 2, "1000", "150", "" }),
    RowName<ValidationRow>);
// clang-format on

TEST(ValidationStateTest, AcceptedInputsAreStoredRejectedOnesChangeNothing) {
  DesignState design;
  design.DesignMode = ToDesignKind(1);
  InputCheck check = ValidateInputs(design, "1000", "60");
  ASSERT_FALSE(check.problem.has_value());
  EXPECT_DOUBLE_EQ(check.design.Frequency, 1000);
  EXPECT_DOUBLE_EQ(check.design.DutyCycle, 0.6);
  design = check.design;

  for (const auto& [field1, field2] : {std::pair{"0.009", "60"}, std::pair{"1000", "50"}}) {
    check = ValidateInputs(design, field1, field2);
    EXPECT_TRUE(check.problem.has_value()) << field1 << " " << field2;
    EXPECT_TRUE(check.design == design) << field1 << " " << field2;
  }
}

TEST(ValidationStateTest, MonostableStoresPulseLengthOnly) {
  DesignState design;
  design.DesignMode = ToDesignKind(4);
  design.C1 = 1e-3;
  design.Frequency = 123;
  design.DutyCycle = 0.25;
  InputCheck check = ValidateInputs(design, "2.5", "60");
  EXPECT_FALSE(check.problem.has_value());
  EXPECT_DOUBLE_EQ(check.design.PulseLength, 2.5);
  EXPECT_EQ(check.design.Frequency, 123);
  EXPECT_EQ(check.design.DutyCycle, 0.25);

  check = ValidateInputs(check.design, "0.000", "");
  EXPECT_EQ(check.problem.value_or(""), kPulseRange);
  EXPECT_EQ(check.design.PulseLength, 2.5);
}

TEST(ValidationStateTest, RecordNominalsCopiesComponentsAndCountsDecimals) {
  DesignState design;
  design.C1 = 1e-7;
  design.R1 = 2885.39;
  design.R2 = 5770.78;
  design = RecordNominals(design, "2.125", "60");
  EXPECT_EQ(design.NominalC1, 1e-7);
  EXPECT_EQ(design.NominalR1, 2885.39);
  EXPECT_EQ(design.NominalR2, 5770.78);
  EXPECT_EQ(design.FrequencyDecimals, 3);
  EXPECT_EQ(design.DutyDecimals, 0);

  design = RecordNominals(design, "1000", "12.50");
  EXPECT_EQ(design.FrequencyDecimals, 0);
  EXPECT_EQ(design.DutyDecimals, 2);
  design = RecordNominals(design, "5.", "");
  EXPECT_EQ(design.FrequencyDecimals, 0);
  EXPECT_EQ(design.DutyDecimals, 0);
}

TEST(E12ListTest, HoldsTheTwelveMantissasInOrder) {
  const std::vector<std::string> expected = {"100", "120", "150", "180", "220", "270",
                                             "330", "390", "470", "560", "680", "820"};
  EXPECT_EQ(E12List(), expected);
}

}  // namespace
}  // namespace timer555
