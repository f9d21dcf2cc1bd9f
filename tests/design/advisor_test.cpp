#include "design/advisor.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

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
    "D1 and D2 are taken as ideal: their 0.7 V drop makes the frequency about 10% low at 15 V and 31% low at "
    "5 V; make R1 and R2 that much smaller.";
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
              {"R1 + R2 = 20.1M is above the 20M a bipolar 555 allows at 15 V: step C1 up."}},
    AdviceRow{"MonostableR1PastLimit", DesignKind::Monostable, 20.01e6, 5e6, 1e-3, 0,
              {"R1 = 20.01M is above the 20M a bipolar 555 allows at 15 V: step C1 up."}},
    AdviceRow{"ResistorAtLimit", DesignKind::Astable, 1000, 5000, 1e-7, 1000, {}},
    AdviceRow{"R1JustBelowNearHalfDuty", DesignKind::Astable, 999, 5000, 1e-7, 1000, {kR1Low}},
    AdviceRow{"R2BelowWithDiodes", DesignKind::LowDuty, 5000, 999, 1e-7, 1000,
              {"R2 = 999 is below the 1K that keeps the discharge current under 15 mA at 15 V: step C1 down.",
               kDiodes}},
    AdviceRow{"TinyR1", DesignKind::Astable, 2.9e-5, 72134, 1e-8, 1000,
              {"R1 = 2.9e-05 is below the 1K that keeps the discharge current under 15 mA at 15 V: step C1 "
               "down, or use the 50 % design for a duty cycle this close to 50 %."}},
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
    AdviceRow{"MonostableHasNoFrequency", DesignKind::Monostable, 1e5, 0, 1e-6, 5e6, {}},
    AdviceRow{"DiodesAlways", DesignKind::LowDuty, 4328.09, 10098.87, 1e-7, 1000, {kDiodes}},
    AdviceRow{"NonFiniteQuotesNothing", DesignKind::Astable, kNaN, kInf, -1e-9, kNaN, {}},
    AdviceRow{"NoDesign", DesignKind::None, 1, 1, 1e-15, 1e7, {}}),
    RowName<AdviceRow>);
// clang-format on

}  // namespace
}  // namespace timer555
