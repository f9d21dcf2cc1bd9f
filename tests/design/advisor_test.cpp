#include "design/advisor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "design/timing.h"
#include "design_test_support.h"

namespace timer555 {
namespace {

using testing::RowName;

struct AdviceRow {
  std::string name;
  DesignKind kind;
  double r1, r2, c1, frequency;
  std::vector<std::string> findings;
  friend std::ostream& operator<<(std::ostream& out, const AdviceRow& row) { return out << row.name; }
};

class AdvisorTest : public ::testing::TestWithParam<AdviceRow> {};

TEST_P(AdvisorTest, FindsWhatBreaksARule) {
  const AdviceRow& row = GetParam();
  PartValues parts;
  parts.R1 = row.r1;
  parts.R2 = row.r2;
  parts.C1 = row.c1;
  std::vector<std::string> texts;
  for (const Finding& f : AdviseDesign(row.kind, parts, row.frequency)) texts.push_back(f.text);
  EXPECT_EQ(texts, row.findings);
}

const std::string kDiodes =
    "D1 and D2 are not ideal: with their forward drop at the current that flows, expect 912.1Hz, 8.8 % below "
    "the 1000Hz asked at 15 V; R1 = 3.949K and R2 = 9.194K make up for it.";
const std::string kR1Low =
    "R1 = 999 is below the 1K that keeps the discharge current under 15 mA at 15 V: step C1 down, or use the "
    "50 % design for a duty cycle this close to 50 %.";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rules, AdvisorTest, ::testing::Values(
    AdviceRow{"NothingToSay", DesignKind::Astable, 2885.39, 5770.78, 1e-7, 1000, {}},
    AdviceRow{"SumAtLimit", DesignKind::Square, 10e6, 10e6, 1e-9, 10, {}},
    AdviceRow{"SumPastLimit", DesignKind::Astable, 10e6, 10.1e6, 1e-9, 10,
              {"R1 + R2 = 20.1M is above the 20M a bipolar 555 allows at 15 V: step C1 up.",
               "Expected when built: 38.65Hz, 19.1 % below the 47.77Hz asked, mainly from the threshold input "
               "current; R1 = 3.730M and R2 = 11.81M make up for it."}},
    AdviceRow{"MonostableR1PastLimit", DesignKind::Monostable, 20.01e6, 5e6, 1e-9, 0,
              {"R1 = 20.01M is above the 20M a bipolar 555 allows at 15 V: step C1 up.",
               "Expected when built: a pulse of 29.35ms, 33.5 % longer than the 21.98ms asked, mainly from the "
               "threshold input current; R1 = 16.02M makes up for it."}},
    AdviceRow{"ResistorAtLimit", DesignKind::Astable, 1000, 5000, 1e-7, 1000, {}},
    AdviceRow{"R1JustBelowNearHalfDuty", DesignKind::Astable, 999, 5000, 1e-7, 1000, {kR1Low}},
    AdviceRow{"R2BelowWithDiodes", DesignKind::LowDuty, 5000, 999, 1e-7, 1000,
              {"R2 = 999 is below the 1K that keeps the discharge current under 15 mA at 15 V: step C1 down.",
               "D1 and D2 are not ideal: with their forward drop at the current that flows, expect 2.187kHz, 9.1 % "
               "below the 2.405kHz asked at 15 V; R1 = 4.566K and R2 = 883.7 make up for it."}},
    AdviceRow{"TinyR1", DesignKind::Astable, 2.9e-5, 72134, 1e-8, 1000,
              {"R1 = 2.9e-05 is below the 1K that keeps the discharge current under 15 mA at 15 V: step C1 "
               "down, or use the 50 % design for a duty cycle this close to 50 %.",
               "Expected when built: never oscillates (C1 settles at 15 V and never reaches the 5 V threshold), "
               "mainly from the discharge transistor's saturation voltage; no R1 and R2 with this C1 make up "
               "for it."}},
    AdviceRow{"CapacitorAtLimit", DesignKind::Monostable, 1e5, 0, 200e-12, 0, {}},
    AdviceRow{"CapacitorBelow", DesignKind::Monostable, 1e5, 0, 199e-12, 0,
              {"C1 = 199pF is below 200pF, within ten times the 5 to 20 pF of strays: the timing will be off "
               "by several percent; step C1 up."}},
    AdviceRow{"FrequencyAtLimit", DesignKind::Square, 7213, 3053, 200e-12, 0.5e6, {}},
    AdviceRow{"FrequencyPastLimit", DesignKind::Square, 36067, 1, 1e-11, 2e6,
              {"R2 = 1 is below the 1K that keeps the discharge current under 15 mA at 15 V: step C1 down.",
               "C1 = 10pF is below 200pF, within ten times the 5 to 20 pF of strays: the timing will be off "
               "by several percent; step C1 up.",
               "The frequency of 2MHz is above the 500kHz a bipolar 555 reaches: use a CMOS 555, good for "
               "2MHz."}},
    AdviceRow{"MonostableHasNoFrequency", DesignKind::Monostable, 1e5, 0, 0.82e-6, 5e6, {}},
    AdviceRow{"DiodesAlways", DesignKind::LowDuty, 4328.09, 10098.87, 1e-7, 1000, {kDiodes}},
    AdviceRow{"NonFiniteQuotesNothing", DesignKind::Astable, kNaN, kInf, -1e-9, kNaN, {}},
    AdviceRow{"NoDesign", DesignKind::None, 1, 1, 1e-15, 1e7, {}}),
    RowName<AdviceRow>);
// clang-format on

// The rules that depend on the supply, the family and the built circuit, each
// row on one side of a limit; only the findings of the row's rule are
// compared. The target is what the ideal equations give with the parts.
struct LimitRow {
  std::string name;
  DesignKind kind;
  double r1, r2, c1, frequency;
  CircuitSettings settings;
  AdviceRule rule;
  std::vector<std::string> findings;
  friend std::ostream& operator<<(std::ostream& out, const LimitRow& row) { return out << row.name; }
};

class AdvisorLimitTest : public ::testing::TestWithParam<LimitRow> {};

TEST_P(AdvisorLimitTest, FindsWhatTheBuiltCircuitDoes) {
  const LimitRow& row = GetParam();
  PartValues parts;
  parts.R1 = row.r1;
  parts.R2 = row.r2;
  parts.C1 = row.c1;
  const OutputTimes ideal = TimesFromComponents(row.kind, row.r1, row.r2, row.c1);
  const DesignTarget target{1 / (ideal.high + ideal.low), ideal.high / (ideal.high + ideal.low), ideal.high};
  std::vector<std::string> texts;
  for (const Finding& f : AdviseDesign(row.kind, parts, row.frequency, row.settings, target)) {
    if (f.rule == row.rule) texts.push_back(f.text);
  }
  EXPECT_EQ(texts, row.findings);
}

const CircuitSettings k15V{};
const CircuitSettings k5V{5, TimerFamily::Bipolar};
const CircuitSettings kCmos5V{5, TimerFamily::Cmos};
const double kFrequency10M = 0.6 / (std::log(2.0) * 8.35e6 * 1e-9);
const std::string kCounter =
    "use a counter after a shorter timer, as application 7 (Long interval timer) shows.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Limits, AdvisorLimitTest, ::testing::Values(
    LimitRow{"FilmJustBelow1uF", DesignKind::Monostable, 1e5, 0, 0.999e-6, 0, k15V,
             AdviceRule::ElectrolyticCapacitor, {}},
    LimitRow{"ElectrolyticFrom1uF", DesignKind::Monostable, 1e5, 0, 1e-6, 0, k15V,
             AdviceRule::ElectrolyticCapacitor,
             {"C1 = 1uF is an aluminium electrolytic (+/-20 %): it may leak up to 2uA at the 10 V threshold, "
              "against the 49.9uA that charges it there: the pulse may run up to 1.7 % long."}},
    LimitRow{"LeakageJustLoses", DesignKind::Monostable, 49e3, 0, 1e-3, 0, k15V,
             AdviceRule::ElectrolyticCapacitor,
             {"C1 = 1mF is an aluminium electrolytic (+/-20 %): it may leak up to 100uA at the 10 V threshold, "
              "against the 101.9uA that charges it there: the pulse may run up to 209.0 % long."}},
    LimitRow{"LeakageJustWins", DesignKind::Monostable, 51e3, 0, 1e-3, 0, k15V,
             AdviceRule::ElectrolyticCapacitor,
             {"C1 = 1mF is an aluminium electrolytic (+/-20 %): it may leak up to 100uA at the 10 V threshold, "
              "more than the 97.94uA that charges it there, so with such a part it never ends (C1 settles at "
              "9.93 V): no film C1 keeps R1 within the 20M limit; " + kCounter}},
    LimitRow{"LeakageStopsAstableFilmRemedy", DesignKind::Astable, 8.66e6 / 3, 8.66e6 * 2 / 3, 1e-6, 0.1, k15V,
             AdviceRule::ElectrolyticCapacitor,
             {"C1 = 1uF is an aluminium electrolytic (+/-20 %): it may leak up to 2uA at the 10 V threshold, "
              "more than the 477.4nA that charges it there, so with such a part it never oscillates (C1 settles "
              "at 5.17 V): use a film C1 of 820nF with R1 and R2 1.220 times larger (R1 + R2 = 10.56M), or a "
              "counter after a shorter timer, as application 7 (Long interval timer) shows."}},
    LimitRow{"TypicalLeakageNeverEnds", DesignKind::Monostable, 910239, 0, 1e-3, 0, k15V,
             AdviceRule::ExpectedOffTarget,
             {"Expected when built: never ends (C1 settles at 7.8 V and never reaches the 10 V threshold), "
              "mainly from C1's leakage; R1 = 439.2K makes up for it."}},
    LimitRow{"MissJustBelow5Percent", DesignKind::Astable, 8.25e6 / 3, 8.25e6 * 2 / 3, 1e-9, 100, k15V,
             AdviceRule::ExpectedOffTarget, {}},
    LimitRow{"MissJustAbove5Percent", DesignKind::Astable, 8.35e6 / 3, 8.35e6 * 2 / 3, 1e-9, kFrequency10M, k15V,
             AdviceRule::ExpectedOffTarget,
             {"Expected when built: 98.45Hz, 5.0 % below the 103.7Hz asked, mainly from the threshold input "
              "current; R1 = 1.397M and R2 = 6.051M make up for it."}},
    LimitRow{"CmosAtFmax", DesignKind::Square, 72134.75, 30537, 1e-8, 2e6, kCmos5V, AdviceRule::FrequencyTooHigh, {}},
    LimitRow{"CmosPastFmax", DesignKind::Square, 72134.75, 30537, 1e-8, 2.1e6, kCmos5V,
             AdviceRule::FrequencyTooHigh, {"The frequency of 2.1MHz is above the 2MHz a CMOS 555 reaches."}},
    LimitRow{"BipolarAt5VResistance", DesignKind::Astable, 2.2e6, 4.46e6, 1e-7, 1, k5V,
             AdviceRule::ResistanceTooHigh, {}},
    LimitRow{"BipolarPast5VResistance", DesignKind::Astable, 2.2e6, 4.47e6, 1e-7, 1, k5V,
             AdviceRule::ResistanceTooHigh,
             {"R1 + R2 = 6.67M is above the 6.667M a bipolar 555 allows at 5 V: step C1 up."}},
    LimitRow{"CmosPastBoardLeakage", DesignKind::Monostable, 101e6, 0, 1e-9, 0, kCmos5V,
             AdviceRule::ResistanceTooHigh,
             {"R1 = 101M is above the 100M that board leakage allows with a CMOS 555: step C1 up."}},
    LimitRow{"DischargeLimitAt5V", DesignKind::LowDuty, 5000, 333, 1e-7, 1, k5V, AdviceRule::ResistorTooLow,
             {"R2 = 333 is below the 333.3 that keeps the discharge current under 15 mA at 5 V: step C1 down."}},
    LimitRow{"DiodesAt5V", DesignKind::LowDuty, 4328.09, 10098.87, 1e-7, 1000, k5V, AdviceRule::IdealDiodes,
             {"D1 and D2 are not ideal: with their forward drop at the current that flows, expect 767.8Hz, "
              "23.2 % below the 1000Hz asked at 5 V; R1 = 3.278K and R2 = 7.690K make up for it."}}),
    RowName<LimitRow>);
// clang-format on

}  // namespace
}  // namespace timer555
