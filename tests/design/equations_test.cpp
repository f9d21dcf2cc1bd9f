#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "design/design_state.h"
#include "design/engine.h"
#include "design_test_support.h"

namespace timer555 {
namespace {

using testing::DesignStateTest;
using testing::RowName;

const double kLn2 = std::numbers::ln2;
const double kLn3 = std::log(3.0);

/// Puts the state where the design page leaves it: the design's starting
/// capacitor E12[0] / 10^decade.
void EnterDesign(int mode) {
  designState.DesignMode = ToDesignKind(mode);
  designState.CapSeriesIndex = 0;
  designState.CapDecade = mode == 2 ? 10 : mode == 4 ? 5 : 8;
  designState.C1 = mode == 2 ? 1e-8 : mode == 4 ? 1e-3 : 1e-6;
}

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
};

class WorkedDesignTest : public DesignStateTest, public ::testing::WithParamInterface<DesignRow> {};

TEST_P(WorkedDesignTest, GivesTheWorkedValues) {
  const DesignRow& row = GetParam();
  EnterDesign(row.mode);
  designState.R2 = -1;  // the monostable must leave it alone
  if (row.mode == 4) {
    designState.PulseLength = row.input;
  } else {
    designState.Frequency = row.input;
    designState.DutyCycle = row.duty;
  }
  ComponentsResult result = ComputeComponents();
  ASSERT_TRUE(result.computed) << result.error;
  EXPECT_EQ(result.error, "");
  EXPECT_NEAR(designState.C1, row.c1, row.c1 * 1e-12);
  EXPECT_EQ(designState.CapDecade, row.capDecade);
  EXPECT_EQ(designState.CapSeriesIndex, 0);
  EXPECT_NEAR(designState.R1, row.r1, row.r1Tolerance);
  EXPECT_NEAR(designState.R2, row.r2, row.r2Tolerance);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Designs, WorkedDesignTest,
    ::testing::Values(DesignRow{"Above50At1000HzDuty60", 1, 1000, 0.6, 1e-7, 9, 2885.39, 0.005, 5770.78, 0.005},
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

class EquationsTest : public DesignStateTest {};

TEST_F(EquationsTest, HalfDutyDesignSetsTimesAndDutyText) {
  EnterDesign(2);
  designState.Frequency = 1000;
  designState.DutyCycle = 0.3;
  ComponentsResult result = ComputeComponents();
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.dutyFieldText.value_or(""), "50");
  EXPECT_EQ(designState.DutyCycle, 0.5);
  EXPECT_DOUBLE_EQ(designState.HighTime, 5e-4);
  EXPECT_DOUBLE_EQ(designState.LowTime, 5e-4);
  EXPECT_NEAR(HalfDutyLowTime(designState.R1, designState.R2, designState.C1), 5e-4, 5e-4 * 1e-6);
}

TEST_F(EquationsTest, MonostableLeavesTheOutputTimes) {
  EnterDesign(4);
  designState.PulseLength = 1;
  designState.HighTime = 7;
  designState.LowTime = 8;
  ASSERT_TRUE(ComputeComponents().computed);
  EXPECT_EQ(designState.HighTime, 7);
  EXPECT_EQ(designState.LowTime, 8);
}

TEST_F(EquationsTest, NoDesignChosenComputesNothing) {
  designState.C1 = 1e-6;
  designState.Frequency = 1000;
  designState.DutyCycle = 0.6;
  ComponentsResult result = ComputeComponents();
  EXPECT_FALSE(result.computed);
  EXPECT_EQ(result.error, "");
  EXPECT_EQ(designState.R1, 0);
  EXPECT_EQ(designState.C1, 1e-6);
}

TEST_F(EquationsTest, DecadeSearchKeepsTheSteppedMantissa) {
  EnterDesign(1);
  designState.Frequency = 1000;
  designState.DutyCycle = 0.6;
  designState.CapSeriesIndex = 11;
  designState.CapDecade = 7;
  designState.C1 = 8.2e-6;
  ASSERT_TRUE(ComputeComponents().computed);
  EXPECT_EQ(designState.CapSeriesIndex, 11);
  EXPECT_EQ(designState.CapDecade, 9);
  EXPECT_NEAR(designState.C1, 8.2e-8, 1e-20);
  EXPECT_GE(designState.R1 + designState.R2, 5000);
}

TEST_F(EquationsTest, HalfDutyDesignFromASteppedUpCapacitorStillFindsItsValues) {
  // R1 is only a few ohms in the first passes; the search goes on to the
  // decade where a resistance of 5000 ohm is possible.
  EnterDesign(2);
  designState.Frequency = 2e6;
  designState.CapDecade = 6;
  designState.C1 = 1e-4;
  ComponentsResult result = ComputeComponents();
  ASSERT_TRUE(result.computed) << result.error;
  EXPECT_EQ(designState.CapDecade, 12);
  EXPECT_NEAR(designState.R2 / designState.R1, 0.42334, 1e-4);
}

struct ExtremeRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const ExtremeRow& row) { return out << row.name; }
  int mode;
  double frequency;
  double duty;
};

class ExtremeInputTest : public DesignStateTest, public ::testing::WithParamInterface<ExtremeRow> {};

TEST_P(ExtremeInputTest, EndsWithFiniteComponents) {
  const ExtremeRow& row = GetParam();
  EnterDesign(row.mode);
  designState.Frequency = row.frequency;
  designState.DutyCycle = row.duty;
  ComponentsResult result = ComputeComponents();
  ASSERT_TRUE(result.computed) << result.error;
  for (double v : {designState.R1, designState.R2, designState.C1}) {
    EXPECT_TRUE(std::isfinite(v) && v > 0) << v;
  }
  EXPECT_GE(designState.C1, 1e-300);
  EXPECT_GE(designState.R1 + designState.R2, 5000);
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

TEST_F(EquationsTest, HalfDutyDesignAtTheSmallestCapacitor) {
  // R1 near 1e298: a product R1 x inside the residual would overflow.
  EnterDesign(2);
  designState.Frequency = 0.01;
  designState.CapDecade = 298;
  designState.C1 = 1e-296;
  ComponentsResult result = ComputeComponents();
  ASSERT_TRUE(result.computed) << result.error;
  EXPECT_NEAR(designState.R2 / designState.R1, 0.42334, 1e-4);
  EXPECT_NEAR(HalfDutyLowTime(1, designState.R2 / designState.R1, 1) * designState.R1 * designState.C1 /
                  designState.HighTime,
              1, 1e-6);
}

struct PulseRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const PulseRow& row) { return out << row.name; }
  double pulse;
  bool computed;
};

class PulseLengthTest : public DesignStateTest, public ::testing::WithParamInterface<PulseRow> {};

TEST_P(PulseLengthTest, RefusesWhatCannotBeBuiltAndKeepsTheState) {
  const PulseRow& row = GetParam();
  EnterDesign(4);
  designState.R1 = 42;
  designState.PulseLength = row.pulse;
  ComponentsResult result = ComputeComponents();
  EXPECT_EQ(result.computed, row.computed);
  if (row.computed) {
    EXPECT_GE(designState.R1, 5000);
    EXPECT_TRUE(std::isfinite(designState.R1));
    EXPECT_TRUE(std::isnormal(designState.C1));
  } else {
    EXPECT_EQ(result.error, "Invalid pulse length.");
    EXPECT_EQ(designState.R1, 42);
    EXPECT_EQ(designState.C1, 1e-3);
    EXPECT_EQ(designState.CapDecade, 5);
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

class FindRootTest : public DesignStateTest, public ::testing::WithParamInterface<RootRow> {};

TEST_P(FindRootTest, FindsTheBalancingResistor) {
  const RootRow& row = GetParam();
  designState.R1 = row.r1;
  designState.C1 = 1e-8;
  designState.HighTime = row.highTime >= 0 ? row.highTime : HalfDutyLowTime(row.r1, 1, 1e-8);
  RootSearch result = FindRoot(row.a, row.b);
  ASSERT_EQ(result.found, row.found);
  if (row.found) {
    EXPECT_TRUE(std::isfinite(result.root));
    EXPECT_GE(result.root, row.a);
    EXPECT_LE(result.root, row.b);
    EXPECT_LT(std::fabs(LowTimeResidual(result.root)), 1e-6 * designState.HighTime);
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

TEST_F(EquationsTest, PowerOfTenIsExactForWholeDecades) {
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
  double expectedC1;
};

class CapacitorStepTest : public DesignStateTest, public ::testing::WithParamInterface<StepRow> {};

TEST_P(CapacitorStepTest, MovesThroughTheE12List) {
  const StepRow& row = GetParam();
  designState.CapSeriesIndex = row.index;
  designState.CapDecade = row.decade;
  designState.C1 = 12345;
  EXPECT_TRUE(StepCapacitor(row.delta));
  EXPECT_EQ(designState.CapSeriesIndex, row.expectedIndex);
  EXPECT_EQ(designState.CapDecade, row.expectedDecade);
  EXPECT_DOUBLE_EQ(designState.C1, row.expectedC1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Steps, CapacitorStepTest,
                         ::testing::Values(StepRow{"UpWrapsIntoNextDecade", 11, 8, +1, 0, 7, 1e-5},
                                           StepRow{"DownWrapsIntoPreviousDecade", 0, 8, -1, 11, 9, 8.2e-7},
                                           StepRow{"UpInsideDecade", 0, 8, +1, 1, 8, 1.2e-6},
                                           StepRow{"DownInsideDecade", 5, 8, -1, 4, 8, 2.2e-6},
                                           StepRow{"UpToLastMantissa", 10, 10, +1, 11, 10, 8.2e-8},
                                           StepRow{"DownTwelveStepsIsOneDecade", 3, 8, -12, 3, 9, 1.8e-7}),
                         RowName<StepRow>);
// clang-format on

TEST_F(EquationsTest, CapacitorStepStopsAtTheEndsOfTheDecadeRange) {
  designState.CapSeriesIndex = 0;
  designState.CapDecade = 300;
  designState.C1 = 1e-298;
  EXPECT_FALSE(StepCapacitor(-1));
  EXPECT_EQ(designState.CapSeriesIndex, 0);
  EXPECT_EQ(designState.CapDecade, 300);
  EXPECT_EQ(designState.C1, 1e-298);
  EXPECT_TRUE(StepCapacitor(+1));
  EXPECT_TRUE(std::isnormal(designState.C1));

  designState.CapSeriesIndex = 11;
  designState.CapDecade = -290;
  EXPECT_FALSE(StepCapacitor(+1));
  EXPECT_EQ(designState.CapDecade, -290);
  EXPECT_TRUE(StepCapacitor(-1));
  EXPECT_TRUE(std::isfinite(designState.C1));
}

TEST_F(EquationsTest, DecadeSearchFromTheLargestCapacitorEnds) {
  EnterDesign(1);
  designState.CapSeriesIndex = 11;
  designState.CapDecade = -290;
  designState.C1 = 8.2e292;
  designState.Frequency = 0.01;
  designState.DutyCycle = 0.6;
  ASSERT_TRUE(ComputeComponents().computed);
  EXPECT_EQ(designState.CapDecade, -290 + 295);
  EXPECT_GE(designState.R1 + designState.R2, 5000);
  EXPECT_LT(designState.R1 + designState.R2, 50000);
}

class RecalculationTest : public DesignStateTest {
 protected:
  /// Calculates the design from field texts the way the Calculate button does.
  void Calculate(int mode, const std::string& field1, const std::string& field2) {
    EnterDesign(mode);
    ASSERT_FALSE(ValidateInputs(field1, field2).has_value());
    ASSERT_TRUE(ComputeComponents().computed);
    RecordNominals(field1, field2);
  }
};

TEST_F(RecalculationTest, UnchangedComponentsGiveBackTheInputs) {
  Calculate(1, "1000", "60");
  RecalculationResult result = RecalculateFromComponents();
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.field1Text, "1000.000");
  EXPECT_EQ(result.field2Text, "  60.0");
  EXPECT_NEAR(designState.Frequency, 1000, 1e-9);
  EXPECT_NEAR(designState.DutyCycle, 0.6, 1e-12);
  EXPECT_NEAR(designState.HighTime, 6e-4, 1e-15);
  EXPECT_NEAR(designState.LowTime, 4e-4, 1e-15);
}

TEST_F(RecalculationTest, DecimalsFollowTheEnteredTexts) {
  Calculate(3, "2.125", "30.5");
  RecalculationResult result = RecalculateFromComponents();
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.field1Text, "2.125000");
  EXPECT_EQ(result.field2Text, " 30.50");
}

TEST_F(RecalculationTest, ChangedResistorMovesFrequencyAndDuty) {
  Calculate(3, "1000", "30");
  designState.R1 *= 1.2;
  RecalculationResult result = RecalculateFromComponents();
  ASSERT_TRUE(result.computed);
  // tH grows by 20 %: 0.36 ms high, 0.7 ms low.
  EXPECT_NEAR(designState.Frequency, 1 / 1.06e-3, 1e-6);
  EXPECT_NEAR(designState.DutyCycle, 0.36 / 1.06, 1e-9);
  EXPECT_EQ(result.field1Text, "943.396");
  EXPECT_EQ(result.field2Text, "  34.0");
}

TEST_F(RecalculationTest, HalfDutyDesignWithItsOwnComponents) {
  Calculate(2, "1000", "50");
  RecalculationResult result = RecalculateFromComponents();
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.field1Text, "1000.000");
  EXPECT_EQ(result.field2Text, "  50.0");
}

TEST_F(RecalculationTest, MonostableWritesThePulseLengthAndEmptiesTheDuty) {
  Calculate(4, "1", "");
  designState.PulseLength = 99;
  RecalculationResult result = RecalculateFromComponents();
  ASSERT_TRUE(result.computed);
  EXPECT_EQ(result.field1Text, " 1.000");
  EXPECT_EQ(result.field2Text, "");
  EXPECT_NEAR(designState.HighTime, 1, 1e-12);
  EXPECT_EQ(designState.PulseLength, 99);
}

struct UndefinedRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const UndefinedRow& row) { return out << row.name; }
  int mode;
  double r1, r2, c1;
  std::string message;
};

class UndefinedTimingTest : public DesignStateTest, public ::testing::WithParamInterface<UndefinedRow> {};

TEST_P(UndefinedTimingTest, ReportsAndKeepsTheState) {
  const UndefinedRow& row = GetParam();
  designState.DesignMode = ToDesignKind(row.mode);
  designState.R1 = row.r1;
  designState.R2 = row.r2;
  designState.C1 = row.c1;
  designState.Frequency = 1000;
  designState.DutyCycle = 0.5;
  designState.HighTime = 5e-4;
  designState.LowTime = 5e-4;
  RecalculationResult result = RecalculateFromComponents();
  EXPECT_FALSE(result.computed);
  EXPECT_EQ(result.error, row.message);
  EXPECT_EQ(result.field1Text, "");
  EXPECT_EQ(designState.Frequency, 1000);
  EXPECT_EQ(designState.DutyCycle, 0.5);
  EXPECT_EQ(designState.HighTime, 5e-4);
  EXPECT_EQ(designState.LowTime, 5e-4);
  EXPECT_EQ(designState.R2, row.r2);  // the value the user typed stays
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
  designState.R1 = 1000;
  designState.R2 = 1000;
  designState.C1 = 1e-6;
  RecalculationResult result = RecalculateFromComponents();
  EXPECT_FALSE(result.computed);
  EXPECT_EQ(result.error, "");
  EXPECT_EQ(designState.Frequency, 0);
}

/// Over many seeded random inputs, the components of every design must give
/// back the requested timing through the circuit's own equations, and the
/// decade search must stop in the first decade that reaches 5000 ohm.
TEST_F(EquationsTest, ComponentsReproduceTheRequestedTiming) {
  std::mt19937_64 random(555);
  std::uniform_real_distribution<double> logFrequency(std::log10(0.01), std::log10(2e6));
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int mode = 1; mode <= 4; ++mode) {
    for (int trial = 0; trial < 1500; ++trial) {
      designState = DesignState{};
      EnterDesign(mode);
      const int startDecade = designState.CapDecade;
      double f = std::pow(10.0, logFrequency(random));
      double d = mode == 1 ? 0.5 + 0.5 * (0.001 + 0.998 * unit(random)) : 0.001 + 0.998 * unit(random);
      double pulse = std::pow(10.0, -9 + 13 * unit(random));
      designState.Frequency = f;
      designState.DutyCycle = d;
      designState.PulseLength = pulse;
      ComponentsResult result = ComputeComponents();
      ASSERT_TRUE(result.computed) << "mode " << mode << " f " << f << " d " << d << ": " << result.error;

      const double r1 = designState.R1, r2 = designState.R2, c1 = designState.C1;
      double timing = mode == 4 ? r1 : r1 + r2;
      EXPECT_GE(timing, 5000) << "mode " << mode << " f " << f;
      if (designState.CapDecade > startDecade) {
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
