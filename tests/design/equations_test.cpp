#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <random>

#include "design/design_state.h"
#include "design/engine.h"
#include "design_test_support.h"

namespace timer555 {
namespace {

using testing::RowName;

const double kLn2 = std::numbers::ln2;
const double kLn3 = std::log(3.0);

/// A fresh design page of design `mode`, with its starting capacitor.
DesignState EnterDesign(int mode) { return StartDesign(ToDesignKind(mode)); }

/// Low time of the 50 % design for the given components.
double HalfDutyLowTime(double r1, double r2, double c1) {
  return std::log((r2 - 2 * r1) / (2 * r2 - r1)) * (r1 * r2 / (r1 + r2)) * c1;
}

struct DesignRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const DesignRow& row) { return out << row.name; }
  int mode;
  double input;  ///< frequency, or pulse length for the monostable
  double duty;   ///< fraction
  double c1;
  int capDecade;
  double r1, r1Tolerance;
  double r2, r2Tolerance;
  double previousInput = 0;  ///< a frequency calculated first on the same page (0: none)
};

class WorkedDesignTest : public ::testing::TestWithParam<DesignRow> {};

TEST_P(WorkedDesignTest, GivesTheWorkedValues) {
  const DesignRow& row = GetParam();
  DesignState design = EnterDesign(row.mode);
  design.R2 = -1;  // the monostable must leave it alone
  design.DutyCycle = row.duty;
  if (row.previousInput > 0) {
    design.Frequency = row.previousInput;
    ComponentsResult previous = ComputeComponents(design);
    ASSERT_TRUE(previous.computed) << previous.error;
    design = previous.design;
  }
  if (row.mode == 4) {
    design.PulseLength = row.input;
  } else {
    design.Frequency = row.input;
  }
  ComponentsResult result = ComputeComponents(design);
  ASSERT_TRUE(result.computed) << result.error;
  EXPECT_EQ(result.error, "");
  const DesignState& s = result.design;
  EXPECT_NEAR(s.C1, row.c1, row.c1 * 1e-12);
  EXPECT_EQ(s.CapDecade, row.capDecade);
  EXPECT_EQ(s.CapSeriesIndex, 0);
  EXPECT_NEAR(s.R1, row.r1, row.r1Tolerance);
  EXPECT_NEAR(s.R2, row.r2, row.r2Tolerance);
  if (row.mode != 4) {  // the astable designs set the times their waveform shows
    EXPECT_DOUBLE_EQ(s.HighTime, row.duty / row.input);
    EXPECT_DOUBLE_EQ(s.LowTime, (1 - row.duty) / row.input);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Designs, WorkedDesignTest,
    ::testing::Values(DesignRow{"Above50At1000HzDuty60", 1, 1000, 0.6, 1e-7, 9, 2885.39, 0.005, 5770.78, 0.005},
                      // Calculate starts from the design's starting capacitor,
                      // not from the 100 pF the 1 MHz calculation searched down to.
                      DesignRow{"Above50At1000HzAfter1MHz", 1, 1000, 0.6, 1e-7, 9, 2885.39, 0.005, 5770.78, 0.005, 1e6},
                      DesignRow{"Above50At1HzDuty75", 1, 1, 0.75, 1e-6, 8, 721347.5, 0.05, 360673.8, 0.05},
                      DesignRow{"Below50At1000HzDuty30", 3, 1000, 0.3, 1e-7, 9, 4328.09, 0.005, 10098.87, 0.005},
                      DesignRow{"Below50At1000HzDuty70", 3, 1000, 0.7, 1e-7, 9, 10098.87, 0.005, 4328.09, 0.005},
                      DesignRow{"HalfDutyAt1000Hz", 2, 1000, 0.5, 1e-8, 10, 72134.75, 0.005, 30537.26, 0.05},
                      // The root follows the high time at every frequency: at 2 MHz
                      // R2 is about 0.4233 R1 (not 1 ohm), so 1e-10 F already
                      // reaches 5000 ohm.
                      DesignRow{"HalfDutyAt2MHz", 2, 2e6, 0.5, 1e-10, 12, 3606.74, 0.005, 1526.86, 0.05},
                      DesignRow{"MonostableOneSecond", 4, 1, 0, 1e-4, 6, 9102.39, 0.005, -1, 0},
                      DesignRow{"MonostableHundredSeconds", 4, 100, 0, 1e-3, 5, 91023.9, 0.05, -1, 0}),
    RowName<DesignRow>);
// clang-format on

TEST(EquationsTest, HalfDutyDesignSetsTimesAndDutyText) {
  DesignState design = EnterDesign(2);
  design.Frequency = 1000;
  design.DutyCycle = 0.3;
  ComponentsResult result = ComputeComponents(design);
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.dutyFieldText.value_or(""), "50");
  const DesignState& s = result.design;
  EXPECT_EQ(s.DutyCycle, 0.5);
  EXPECT_DOUBLE_EQ(s.HighTime, 5e-4);
  EXPECT_DOUBLE_EQ(s.LowTime, 5e-4);
  EXPECT_NEAR(HalfDutyLowTime(s.R1, s.R2, s.C1), 5e-4, 5e-4 * 1e-6);
}

TEST(EquationsTest, MonostableLeavesTheOutputTimes) {
  DesignState design = EnterDesign(4);
  design.PulseLength = 1;
  design.HighTime = 7;
  design.LowTime = 8;
  ComponentsResult result = ComputeComponents(design);
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.design.HighTime, 7);
  EXPECT_EQ(result.design.LowTime, 8);
}

TEST(EquationsTest, NoDesignChosenComputesNothing) {
  DesignState design;
  design.C1 = 1e-6;
  design.Frequency = 1000;
  design.DutyCycle = 0.6;
  ComponentsResult result = ComputeComponents(design);
  EXPECT_FALSE(result.computed);
  EXPECT_EQ(result.error, "");
  EXPECT_TRUE(result.design == design);
}

TEST(EquationsTest, DecadeSearchKeepsTheSteppedMantissa) {
  DesignState design = EnterDesign(1);
  design.Frequency = 1000;
  design.DutyCycle = 0.6;
  design.StartCapIndex = 11;  // the user stepped to 8.2 uF
  design.StartCapDecade = 8;
  design.CapSeriesIndex = 8;  // where a calculation before it ended
  design.CapDecade = 11;
  design.C1 = 4.7e-9;
  ComponentsResult result = ComputeComponents(design);
  ASSERT_TRUE(result.computed);
  const DesignState& s = result.design;
  EXPECT_EQ(s.CapSeriesIndex, 11);
  EXPECT_EQ(s.CapDecade, 10);
  EXPECT_NEAR(s.C1, 8.2e-8, 1e-20);
  EXPECT_GE(s.R1 + s.R2, 5000);
}

TEST(EquationsTest, HalfDutyDesignFromASteppedUpCapacitorStillFindsItsValues) {
  // R1 is only a few ohms in the first passes; the search goes on to the
  // decade where a resistance of 5000 ohm is possible.
  DesignState design = EnterDesign(2);
  design.Frequency = 2e6;
  design.StartCapDecade = 6;
  ComponentsResult result = ComputeComponents(design);
  ASSERT_TRUE(result.computed) << result.error;
  EXPECT_EQ(result.design.CapDecade, 12);
  EXPECT_NEAR(result.design.R2 / result.design.R1, 0.42334, 1e-4);
}

struct ExtremeRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const ExtremeRow& row) { return out << row.name; }
  int mode;
  double frequency;
  double duty;
};

class ExtremeInputTest : public ::testing::TestWithParam<ExtremeRow> {};

TEST_P(ExtremeInputTest, EndsWithFiniteComponents) {
  const ExtremeRow& row = GetParam();
  DesignState design = EnterDesign(row.mode);
  design.Frequency = row.frequency;
  design.DutyCycle = row.duty;
  ComponentsResult result = ComputeComponents(design);
  ASSERT_TRUE(result.computed) << result.error;
  const DesignState& s = result.design;
  for (double v : {s.R1, s.R2, s.C1}) {
    EXPECT_TRUE(std::isfinite(v) && v > 0) << v;
  }
  EXPECT_GE(s.C1, 1e-300);
  EXPECT_GE(s.R1 + s.R2, 5000);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Astable, ExtremeInputTest,
                         ::testing::Values(ExtremeRow{"LowestFrequencyDutyNearlyFull", 1, 0.01, 0.99999999},
                                           ExtremeRow{"LowestFrequencyDutyJustAboveHalf", 1, 0.01, 0.500000001},
                                           ExtremeRow{"HighestFrequencyDutySmallestAboveHalf", 1, 2e6,
                                                      std::nextafter(0.5, 1.0)},
                                           ExtremeRow{"Below50TinyDuty", 3, 2e6, 1e-12},
                                           ExtremeRow{"Below50DutyNearlyFull", 3, 0.01, 0.99999999},
                                           ExtremeRow{"HalfDutyLowestFrequency", 2, 0.01, 0.5},
                                           ExtremeRow{"HalfDutyHighestFrequency", 2, 2e6, 0.5}),
                         RowName<ExtremeRow>);
// clang-format on

TEST(EquationsTest, HalfDutyDesignAtTheSmallestCapacitor) {
  // R1 near 1e298: a product R1 x inside the residual would overflow.
  DesignState design = EnterDesign(2);
  design.Frequency = 0.01;
  design.StartCapDecade = 298;  // C1 = 1e-296
  ComponentsResult result = ComputeComponents(design);
  ASSERT_TRUE(result.computed) << result.error;
  const DesignState& s = result.design;
  EXPECT_DOUBLE_EQ(s.C1, 1e-296);
  EXPECT_NEAR(s.R2 / s.R1, 0.42334, 1e-4);
  EXPECT_NEAR(HalfDutyLowTime(1, s.R2 / s.R1, 1) * s.R1 * s.C1 / s.HighTime, 1, 1e-6);
}

struct PulseRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const PulseRow& row) { return out << row.name; }
  double pulse;
  bool computed;
};

class PulseLengthTest : public ::testing::TestWithParam<PulseRow> {};

TEST_P(PulseLengthTest, RefusesWhatCannotBeBuiltAndKeepsTheDesign) {
  const PulseRow& row = GetParam();
  DesignState design = EnterDesign(4);
  design.R1 = 42;
  design.PulseLength = row.pulse;
  ComponentsResult result = ComputeComponents(design);
  EXPECT_EQ(result.computed, row.computed);
  const DesignState& s = result.design;
  if (row.computed) {
    EXPECT_GE(s.R1, 5000);
    EXPECT_TRUE(std::isfinite(s.R1));
    EXPECT_TRUE(std::isnormal(s.C1));
  } else {
    EXPECT_EQ(result.error, "Invalid pulse length.");
    EXPECT_EQ(s.R1, 42);
    EXPECT_EQ(s.C1, 1e-3);
    EXPECT_EQ(s.CapDecade, 5);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Monostable, PulseLengthTest,
                         ::testing::Values(PulseRow{"Negative", -1, false}, PulseRow{"Zero", 0, false},
                                           PulseRow{"NotANumber", std::nan(""), false},
                                           PulseRow{"Infinite", HUGE_VAL, false},
                                           PulseRow{"OverflowingR1", 1e307, false},
                                           PulseRow{"TooShortForAnyCapacitor", 1e-300, false},
                                           PulseRow{"Nanosecond", 1e-9, true}, PulseRow{"VeryShort", 1e-280, true},
                                           PulseRow{"VeryLong", 1e300, true}),
                         RowName<PulseRow>);
// clang-format on

struct RootRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const RootRow& row) { return out << row.name; }
  double r1;
  double highTime;  ///< negative: use the low time at x = 1
  double a, b;
  bool found;
};

class FindRootTest : public ::testing::TestWithParam<RootRow> {};

TEST_P(FindRootTest, FindsTheBalancingResistor) {
  const RootRow& row = GetParam();
  const LowTimeEquation equation{row.r1, 1e-8,
                                 row.highTime >= 0 ? row.highTime : HalfDutyLowTime(row.r1, 1, 1e-8)};
  RootSearch result = FindRoot(equation, row.a, row.b);
  ASSERT_EQ(result.found, row.found);
  if (row.found) {
    EXPECT_TRUE(std::isfinite(result.root));
    EXPECT_GE(result.root, row.a);
    EXPECT_LE(result.root, row.b);
    EXPECT_LT(std::fabs(equation.Residual(result.root)), 1e-6 * equation.highTime);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Searches, FindRootTest,
    ::testing::Values(RootRow{"SignChangeBetweenEnds", 72134.75, 5e-4, 1, 36067, true},
                      // R1 / 2 = 36067 exactly: the residual is undefined at the
                      // upper end and the scan must find the sign change.
                      RootRow{"UpperEndAtThePole", 72134, 72134 * 1e-8 * std::numbers::ln2, 1, 36067, true},
                      RootRow{"RootAtLowerEnd", 72134.75, -1, 1, 36000, true},
                      RootRow{"NoRootInInterval", 72134.75, 5e-4, 1, 100, false},
                      RootRow{"HighTimeOfSmallCircuit", 3606.74, 2.5e-7, 1, 1803, true},
                      RootRow{"EmptyInterval", 1.5, 1e-8, 1, 0, false}),
    RowName<RootRow>);
// clang-format on

TEST(EquationsTest, PowerOfTenIsExactForWholeDecades) {
  for (int k = -22; k <= 22; ++k) {
    EXPECT_EQ(PowerOfTen(k), std::stod("1e" + std::to_string(k))) << "10^" << k;
  }
  EXPECT_NEAR(PowerOfTen(0.5), std::sqrt(10.0), 1e-15);
}

struct StepRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const StepRow& row) { return out << row.name; }
  int index, decade, delta;
  int expectedIndex, expectedDecade;
  double expectedC1;  ///< 0: no step, beyond 10 pF or 1 mF
};

class CapacitorStepTest : public ::testing::TestWithParam<StepRow> {};

TEST_P(CapacitorStepTest, MovesThroughTheE12List) {
  const StepRow& row = GetParam();
  DesignState design = EnterDesign(1);
  design.Frequency = 1000;
  design.DutyCycle = 0.6;
  design.CapSeriesIndex = row.index;
  design.CapDecade = row.decade;
  design.C1 = 12345;
  std::optional<DesignState> stepped = StepCapacitor(design, row.delta);
  ASSERT_EQ(stepped.has_value(), row.expectedC1 > 0);
  if (!stepped) return;
  EXPECT_EQ(stepped->CapSeriesIndex, row.expectedIndex);
  EXPECT_EQ(stepped->CapDecade, row.expectedDecade);
  EXPECT_DOUBLE_EQ(stepped->C1, row.expectedC1);
  EXPECT_EQ(stepped->StartCapIndex, row.expectedIndex);
  EXPECT_EQ(stepped->StartCapDecade, row.expectedDecade);
  // The calculation after a step keeps the capacitor the user chose.
  ComponentsResult exact = ComputeComponents(*stepped, CapacitorSearch::Exact);
  ASSERT_TRUE(exact.computed) << exact.error;
  EXPECT_EQ(exact.design.C1, stepped->C1);
  EXPECT_EQ(exact.design.CapDecade, row.expectedDecade);
  EXPECT_DOUBLE_EQ(exact.design.R1, 0.2 / (kLn2 * 1000 * stepped->C1));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Steps, CapacitorStepTest,
                         ::testing::Values(StepRow{"UpWrapsIntoNextDecade", 11, 8, +1, 0, 7, 1e-5},
                                           StepRow{"DownWrapsIntoPreviousDecade", 0, 8, -1, 11, 9, 8.2e-7},
                                           StepRow{"UpInsideDecade", 0, 8, +1, 1, 8, 1.2e-6},
                                           StepRow{"DownInsideDecade", 5, 8, -1, 4, 8, 2.2e-6},
                                           StepRow{"UpToLastMantissa", 10, 10, +1, 11, 10, 8.2e-8},
                                           StepRow{"DownTwelveStepsIsOneDecade", 3, 8, -12, 3, 9, 1.8e-7},
                                           StepRow{"DownTo10pF", 1, 13, -1, 0, 13, 1e-11},
                                           StepRow{"DownBeyond10pF", 0, 13, -1, 0, 0, 0},
                                           StepRow{"UpTo1mF", 11, 6, +1, 0, 5, 1e-3},
                                           StepRow{"UpBeyond1mF", 0, 5, +1, 0, 0, 0},
                                           StepRow{"FarBelowTheRange", 0, 300, +1, 0, 0, 0}),
                         RowName<StepRow>);
// clang-format on

TEST(EquationsTest, DecadeSearchFromTheLargestCapacitorEnds) {
  DesignState design = EnterDesign(1);
  design.StartCapIndex = 11;
  design.StartCapDecade = -290;  // C1 = 8.2e292
  design.Frequency = 0.01;
  design.DutyCycle = 0.6;
  ComponentsResult result = ComputeComponents(design);
  ASSERT_TRUE(result.computed);
  const DesignState& s = result.design;
  EXPECT_EQ(s.CapDecade, -290 + 295);
  EXPECT_GE(s.R1 + s.R2, 5000);
  EXPECT_LT(s.R1 + s.R2, 50000);
}

class RecalculationTest : public ::testing::Test {
 protected:
  /// Calculates `design` from field texts the way the Calculate button does.
  void Calculate(int mode, const std::string& field1, const std::string& field2) {
    InputCheck check = ValidateInputs(EnterDesign(mode), field1, field2);
    ASSERT_FALSE(check.problem.has_value());
    ComponentsResult result = ComputeComponents(check.design);
    ASSERT_TRUE(result.computed);
    design = RecordNominals(result.design, field1, field2);
  }

  DesignState design;
};

TEST_F(RecalculationTest, UnchangedComponentsGiveBackTheInputs) {
  Calculate(1, "1000", "60");
  RecalculationResult result = RecalculateFromComponents(design);
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.field1Text, "1000.000");
  EXPECT_EQ(result.field2Text, "  60.0");
  const DesignState& s = result.design;
  EXPECT_NEAR(s.Frequency, 1000, 1e-9);
  EXPECT_NEAR(s.DutyCycle, 0.6, 1e-12);
  EXPECT_NEAR(s.HighTime, 6e-4, 1e-15);
  EXPECT_NEAR(s.LowTime, 4e-4, 1e-15);
}

TEST_F(RecalculationTest, DecimalsFollowTheEnteredTexts) {
  Calculate(3, "2.125", "30.5");
  RecalculationResult result = RecalculateFromComponents(design);
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.field1Text, "2.125000");
  EXPECT_EQ(result.field2Text, " 30.50");
}

TEST_F(RecalculationTest, ChangedResistorMovesFrequencyAndDuty) {
  Calculate(3, "1000", "30");
  design.R1 *= 1.2;
  RecalculationResult result = RecalculateFromComponents(design);
  ASSERT_TRUE(result.computed);
  // tH grows by 20 %: 0.36 ms high, 0.7 ms low.
  EXPECT_NEAR(result.design.Frequency, 1 / 1.06e-3, 1e-6);
  EXPECT_NEAR(result.design.DutyCycle, 0.36 / 1.06, 1e-9);
  EXPECT_EQ(result.field1Text, "943.396");
  EXPECT_EQ(result.field2Text, "  34.0");
}

TEST_F(RecalculationTest, HalfDutyDesignWithItsOwnComponents) {
  Calculate(2, "1000", "50");
  RecalculationResult result = RecalculateFromComponents(design);
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.field1Text, "1000.000");
  EXPECT_EQ(result.field2Text, "  50.0");
}

TEST_F(RecalculationTest, MonostableWritesThePulseLengthAndEmptiesTheDuty) {
  Calculate(4, "1", "");
  design.PulseLength = 99;
  RecalculationResult result = RecalculateFromComponents(design);
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.field1Text, " 1.000");
  EXPECT_EQ(result.field2Text, "");
  EXPECT_NEAR(result.design.HighTime, 1, 1e-12);
  EXPECT_EQ(result.design.PulseLength, 99);
}

struct UndefinedRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const UndefinedRow& row) { return out << row.name; }
  int mode;
  double r1, r2, c1;
  std::string message;
};

class UndefinedTimingTest : public ::testing::TestWithParam<UndefinedRow> {};

TEST_P(UndefinedTimingTest, ReportsAndKeepsTheDesign) {
  const UndefinedRow& row = GetParam();
  DesignState design;
  design.DesignMode = ToDesignKind(row.mode);
  design.R1 = row.r1;
  design.R2 = row.r2;
  design.C1 = row.c1;
  design.Frequency = 1000;
  design.DutyCycle = 0.5;
  design.HighTime = 5e-4;
  design.LowTime = 5e-4;
  RecalculationResult result = RecalculateFromComponents(design);
  EXPECT_FALSE(result.computed);
  EXPECT_EQ(result.error, row.message);
  EXPECT_EQ(result.field1Text, "");
  EXPECT_TRUE(result.design == design);  // with the value the user typed
}

const char* const kNoOscillation = "No oscillation with these component values.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Components, UndefinedTimingTest,
    ::testing::Values(UndefinedRow{"HalfDutyR2RaisedTwentyPercent", 2, 72134.75, 30537.26 * 1.2, 1e-8, kNoOscillation},
                      UndefinedRow{"HalfDutyR2AtHalfR1", 2, 72134, 36067, 1e-8, kNoOscillation},
                      UndefinedRow{"HalfDutyR2AboveTwiceR1", 2, 1000, 3000, 1e-8, kNoOscillation},
                      UndefinedRow{"HalfDutyR2Zero", 2, 72134.75, 0, 1e-8, kNoOscillation},
                      UndefinedRow{"Above50R1Zero", 1, 0, 5000, 1e-7, kNoOscillation},
                      UndefinedRow{"Below50NegativeCapacitor", 3, 4000, 5000, -1e-7, kNoOscillation},
                      UndefinedRow{"Below50InfiniteResistor", 3, HUGE_VAL, 5000, 1e-7, kNoOscillation},
                      UndefinedRow{"MonostableR1Zero", 4, 0, 0, 1e-4, "No output pulse with these component values."}),
    RowName<UndefinedRow>);
// clang-format on

TEST_F(RecalculationTest, NoDesignChosenDoesNothing) {
  design.R1 = 1000;
  design.R2 = 1000;
  design.C1 = 1e-6;
  RecalculationResult result = RecalculateFromComponents(design);
  EXPECT_FALSE(result.computed);
  EXPECT_EQ(result.error, "");
  EXPECT_TRUE(result.design == design);
}

/// Over many seeded random inputs, the components of every design must give
/// back the requested timing through the circuit's own equations, and the
/// decade search must stop in the first decade that reaches 5000 ohm.
TEST(EquationsTest, ComponentsReproduceTheRequestedTiming) {
  std::mt19937_64 random(555);
  std::uniform_real_distribution<double> logFrequency(std::log10(0.01), std::log10(2e6));
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int mode = 1; mode <= 4; ++mode) {
    for (int trial = 0; trial < 1500; ++trial) {
      DesignState design = EnterDesign(mode);
      const int startDecade = design.CapDecade;
      double f = std::pow(10.0, logFrequency(random));
      double d = mode == 1 ? 0.5 + 0.5 * (0.001 + 0.998 * unit(random)) : 0.001 + 0.998 * unit(random);
      double pulse = std::pow(10.0, -9 + 13 * unit(random));
      design.Frequency = f;
      design.DutyCycle = d;
      design.PulseLength = pulse;
      ComponentsResult result = ComputeComponents(design);
      ASSERT_TRUE(result.computed) << "mode " << mode << " f " << f << " d " << d << ": " << result.error;

      const double r1 = result.design.R1, r2 = result.design.R2, c1 = result.design.C1;
      double timing = mode == 4 ? r1 : r1 + r2;
      EXPECT_GE(timing, 5000) << "mode " << mode << " f " << f;
      if (result.design.CapDecade > startDecade) {
        EXPECT_LT(timing, 50000) << "mode " << mode << " f " << f;
      }

      if (mode == 4) {
        EXPECT_NEAR(kLn3 * r1 * c1 / pulse, 1, 1e-6) << "pulse " << pulse;
        continue;
      }
      double high = mode == 1 ? kLn2 * (r1 + r2) * c1 : kLn2 * r1 * c1;
      double low = mode == 2 ? HalfDutyLowTime(r1, r2, c1) : kLn2 * r2 * c1;
      double wantDuty = mode == 2 ? 0.5 : d;
      EXPECT_NEAR(1 / (high + low) / f, 1, 1e-6) << "mode " << mode << " f " << f << " d " << d;
      EXPECT_NEAR(high / (high + low) / wantDuty, 1, 1e-6) << "mode " << mode << " f " << f << " d " << d;
    }
  }
}

}  // namespace
}  // namespace timer555
