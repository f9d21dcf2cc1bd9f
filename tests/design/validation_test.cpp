#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "design/design_state.h"
#include "design/engine.h"
#include "design_test_support.h"

namespace timer555 {
namespace {

using testing::DesignStateTest;
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

class ValidateInputsTest : public DesignStateTest, public ::testing::WithParamInterface<ValidationRow> {};

TEST_P(ValidateInputsTest, ReportsFirstProblem) {
  const ValidationRow& row = GetParam();
  designState.DesignMode = ToDesignKind(row.mode);
  designState.C1 = row.mode == 4 ? 1e-3 : 1e-6;
  std::optional<std::string> message = ValidateInputs(row.field1, row.field2);
  EXPECT_EQ(message.value_or(""), row.message);
}

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
        ValidationRow{"PulseZero", 4, "0", "", "Invalid pulse length."},
        ValidationRow{"PulseZeroDecimals", 4, "0.000", "", "Invalid pulse length."},
        ValidationRow{"PulseTwoPoints", 4, "1.2.3", "", "Invalid pulse length."},
        ValidationRow{"PulseNegative", 4, "-1", "", "Invalid pulse length."},
        ValidationRow{"PulseNegativeExponent", 4, "-2e3", "", "Invalid pulse length."},
        ValidationRow{"PulseOverflowingR1", 4, "1e306", "", "Invalid pulse length."},
        ValidationRow{"PulseOverflowingDouble", 4, "1e400", "", "Invalid pulse length."},
        ValidationRow{"PulseHugeButFinite", 4, "1e300", "", ""},
        ValidationRow{"PulseNoUpperBound", 4, "100000", "", ""},
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

class ValidationStateTest : public DesignStateTest {};

TEST_F(ValidationStateTest, RejectedInputsStayStored) {
  designState.DesignMode = ToDesignKind(1);
  EXPECT_EQ(ValidateInputs("0.009", "60").value_or(""), "Frequency not realistic.");
  EXPECT_DOUBLE_EQ(designState.Frequency, 0.009);
  EXPECT_DOUBLE_EQ(designState.DutyCycle, 0.6);

  EXPECT_EQ(ValidateInputs("1000", "50").value_or(""), "Duty cycle not realistic for this mode.");
  EXPECT_DOUBLE_EQ(designState.Frequency, 1000);
  EXPECT_DOUBLE_EQ(designState.DutyCycle, 0.5);
}

TEST_F(ValidationStateTest, MonostableStoresPulseLengthOnly) {
  designState.DesignMode = ToDesignKind(4);
  designState.C1 = 1e-3;
  designState.Frequency = 123;
  designState.DutyCycle = 0.25;
  EXPECT_FALSE(ValidateInputs("2.5", "60").has_value());
  EXPECT_DOUBLE_EQ(designState.PulseLength, 2.5);
  EXPECT_EQ(designState.Frequency, 123);
  EXPECT_EQ(designState.DutyCycle, 0.25);

  EXPECT_EQ(ValidateInputs("0.000", "").value_or(""), "Invalid pulse length.");
  EXPECT_EQ(designState.PulseLength, 0);
}

TEST_F(ValidationStateTest, PulseOverflowIsJudgedAtTheCurrentCapacitor) {
  designState.DesignMode = ToDesignKind(4);
  designState.C1 = 1e-3;
  EXPECT_FALSE(ValidateInputs("1e300", "").has_value());
  designState.C1 = 1e-12;  // R1 = 1e300 / (ln 3 * 1e-12) overflows
  EXPECT_EQ(ValidateInputs("1e300", "").value_or(""), "Invalid pulse length.");
}

TEST_F(ValidationStateTest, RecordNominalsCopiesComponentsAndCountsDecimals) {
  designState.C1 = 1e-7;
  designState.R1 = 2885.39;
  designState.R2 = 5770.78;
  RecordNominals("2.125", "60");
  EXPECT_EQ(designState.NominalC1, 1e-7);
  EXPECT_EQ(designState.NominalR1, 2885.39);
  EXPECT_EQ(designState.NominalR2, 5770.78);
  EXPECT_EQ(designState.FrequencyDecimals, 3);
  EXPECT_EQ(designState.DutyDecimals, 0);

  RecordNominals("1000", "12.50");
  EXPECT_EQ(designState.FrequencyDecimals, 0);
  EXPECT_EQ(designState.DutyDecimals, 2);
  RecordNominals("5.", "");
  EXPECT_EQ(designState.FrequencyDecimals, 0);
  EXPECT_EQ(designState.DutyDecimals, 0);
}

TEST(E12ListTest, HoldsTheTwelveMantissasInOrder) {
  const std::vector<std::string> expected = {"100", "120", "150", "180", "220", "270",
                                             "330", "390", "470", "560", "680", "820"};
  EXPECT_EQ(E12List(), expected);
}

}  // namespace
}  // namespace timer555
