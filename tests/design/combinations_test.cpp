#include "design/combinations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "design/standard_values.h"
#include "design/timing.h"
#include "design_test_support.h"

namespace timer555 {
namespace {

using testing::RowName;

// ---- The series data -------------------------------------------------------

struct SeriesRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const SeriesRow& row) { return out << row.name; }
  ESeries series;
  int perDecade;
  double tolerance;
  std::vector<int> known;                           ///< mantissas the series must hold
  std::vector<std::pair<int, int>> ruleExceptions;  ///< index, mantissa; none for E12/E24 (not checked)
  bool threeFigureRule;
};

class SeriesDataTest : public ::testing::TestWithParam<SeriesRow> {};

TEST_P(SeriesDataTest, HoldsTheStandardValues) {
  const SeriesRow& row = GetParam();
  const auto values = SeriesMantissas(row.series);
  EXPECT_EQ(ValuesPerDecade(row.series), row.perDecade);
  ASSERT_EQ(static_cast<int>(values.size()), row.perDecade);
  EXPECT_EQ(SeriesTolerance(row.series), row.tolerance);
  EXPECT_EQ(ParseSeries(row.name), row.series);
  EXPECT_EQ(SeriesName(row.series), row.name);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()) && values.front() == 100 && values.back() < 1000);
  for (int known : row.known)
    EXPECT_NE(std::find(values.begin(), values.end(), known), values.end()) << known;
  if (!row.threeFigureRule) return;
  for (int i = 0; i < row.perDecade; ++i) {
    const int rule =
        static_cast<int>(std::lround(100 * std::pow(10.0, static_cast<double>(i) / row.perDecade)));
    auto exception = std::find_if(row.ruleExceptions.begin(), row.ruleExceptions.end(),
                                  [i](const auto& e) { return e.first == i; });
    if (exception == row.ruleExceptions.end()) {
      EXPECT_EQ(values[i], rule) << "index " << i;
    } else {
      EXPECT_EQ(values[i], exception->second) << "index " << i;
      EXPECT_NE(values[i], rule) << "index " << i << " is no exception";
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Series, SeriesDataTest,
    ::testing::Values(SeriesRow{"E12", ESeries::E12, 12, 0.10, {100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820}, {}, false},
                      SeriesRow{"E24", ESeries::E24, 24, 0.05, {110, 130, 160, 200, 240, 270, 300, 330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910}, {}, false},
                      SeriesRow{"E48", ESeries::E48, 48, 0.02, {105, 169, 909, 953}, {}, true},
                      SeriesRow{"E96", ESeries::E96, 96, 0.01, {102, 165, 931, 976}, {}, true},
                      SeriesRow{"E192", ESeries::E192, 192, 0.005, {101, 920, 988}, {{185, 920}}, true}),
    RowName<SeriesRow>);
// clang-format on

TEST(SeriesValuesTest, ListsTheValuesBetweenTwoBoundsInclusive) {
  EXPECT_FALSE(ParseSeries("E6") || ParseSeries("") || ParseSeries("E") || ParseSeries("E1922") ||
               ParseSeries("X24") || ParseSeries("E24 "));
  EXPECT_EQ(ParseSeries("e96"), ESeries::E96);
  const auto resistors = SeriesValuesBetween(ESeries::E192, 1e3, 1e7);
  ASSERT_EQ(resistors.size(), 4 * 192 + 1u);
  EXPECT_EQ(resistors.front().Value(), 1e3);
  EXPECT_EQ(resistors.back().Value(), 1e7);
  EXPECT_EQ(resistors[185].Value(), 9200);
  const auto capacitors = SeriesValuesBetween(ESeries::E12, 1e-9, 1e-3);
  ASSERT_EQ(capacitors.size(), 73u);
  EXPECT_EQ(capacitors.front().Value(), 1e-9);  // exactly: written bounds compare equal
  EXPECT_EQ(capacitors[5].Value(), 2.7e-9);
  EXPECT_EQ(capacitors.back().Value(), 1e-3);
  for (std::size_t i = 1; i < capacitors.size(); ++i)
    EXPECT_LT(capacitors[i - 1].Value(), capacitors[i].Value());
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (auto [low, high] :
       std::vector<std::pair<double, double>>{{0, 1}, {-1, 1}, {1, nan}, {10, 1}, {1, inf}}) {
    EXPECT_TRUE(SeriesValuesBetween(ESeries::E24, low, high).empty()) << low << " " << high;
  }
}

// ---- The search ------------------------------------------------------------

struct SearchRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const SearchRow& row) { return out << row.name; }
  CombinationRequest request;
  bool someCornersStop;  ///< a corner of one of the first few does not oscillate
};

/// Every buildable combination, ranked by the documented order: error, then
/// larger C1, smaller R1, smaller R2.
std::vector<std::tuple<double, double, double, double>> BruteForce(const CombinationRequest& request) {
  const bool monostable = request.kind == DesignKind::Monostable;
  const auto rs = SeriesValuesBetween(request.series, 1e3, 1e7);
  const auto cs = SeriesValuesBetween(ESeries::E12, 1e-9, 1e-3);
  std::vector<std::tuple<double, double, double, double>> ranked;
  for (StandardValue r1 : rs) {
    for (StandardValue c1 : cs) {
      for (StandardValue r2 : monostable ? std::vector<StandardValue>{{}} : rs) {
        const CombinationTiming t = EvaluateCombination(request, r1, r2, c1);
        if (t.defined) ranked.emplace_back(t.error, -c1.Value(), r1.Value(), monostable ? 0 : r2.Value());
      }
    }
  }
  std::sort(ranked.begin(), ranked.end());
  return ranked;
}

class CombinationSearchTest : public ::testing::TestWithParam<SearchRow> {};

TEST_P(CombinationSearchTest, FindsWhatABruteForceSearchFinds) {
  const SearchRow& row = GetParam();
  const CombinationRequest& request = row.request;
  const CombinationResult result = FindCombinations(request);
  ASSERT_EQ(result.problem, CombinationProblem::None);
  const auto expected = BruteForce(request);
  ASSERT_EQ(result.combinations.size(), std::min<std::size_t>(request.count, expected.size()));
  for (std::size_t i = 0; i < result.combinations.size(); ++i) {
    const Combination& c = result.combinations[i];
    const auto [error, minusC1, r1, r2] = expected[i];
    ASSERT_TRUE(c.error == error && c.c1 == -minusC1 && c.r1 == r1 && c.r2 == r2) << "place " << i;
    EXPECT_EQ(c.hasR2, request.kind != DesignKind::Monostable);
  }

  // The first few against the timing equations taken directly, nominal and
  // at every corner of the tolerance box.
  const bool monostable = request.kind == DesignKind::Monostable;
  const double tr = SeriesTolerance(request.series);
  const double tc = request.capTolerance;
  bool cornersStopped = false;
  for (std::size_t i = 0; i < std::min<std::size_t>(3, result.combinations.size()); ++i) {
    const Combination& c = result.combinations[i];
    const OutputTimes nominal = TimesFromComponents(request.kind, c.r1, c.r2, c.c1);
    const double period = nominal.high + nominal.low;
    const double target = monostable ? request.pulse : 1 / request.frequency;
    const double duty = request.kind == DesignKind::Square ? 0.5 : request.duty;
    const double error = std::max(std::fabs(period / target - 1) / (monostable ? 1 : period / target),
                                  monostable ? 0 : std::fabs(nominal.high / period / duty - 1));
    EXPECT_NEAR(c.error, error, 1e-12 * (1 + error));
    const double value = monostable ? period : 1 / period;
    EXPECT_NEAR(monostable ? c.pulse : c.frequency, value, 1e-12 * value);
    double lowest = std::numeric_limits<double>::infinity(), highest = 0, dutyLow = 1, dutyHigh = 0;
    int stopped = 0;
    for (double s1 : {-1, 1}) {
      for (double s2 : {-1, 1}) {
        for (double sc : {-1, 1}) {
          if (monostable && s2 > 0) continue;
          const OutputTimes t = TimesFromComponents(request.kind, c.r1 * (1 + s1 * tr), c.r2 * (1 + s2 * tr),
                                                    c.c1 * (1 + sc * tc));
          if (!t.defined) {
            ++stopped;
            continue;
          }
          const double value = monostable ? t.high : 1 / (t.high + t.low);
          lowest = std::min(lowest, value), highest = std::max(highest, value);
          dutyLow = std::min(dutyLow, t.high / (t.high + t.low)),
          dutyHigh = std::max(dutyHigh, t.high / (t.high + t.low));
        }
      }
    }
    cornersStopped = cornersStopped || stopped > 0;
    EXPECT_EQ(c.corners, monostable ? 4 : 8);
    EXPECT_EQ(c.cornersWithoutTiming, stopped);
    const ValueRange& range = monostable ? c.pulseRange : c.frequencyRange;
    EXPECT_NEAR(range.min, lowest, 1e-12 * lowest);
    EXPECT_NEAR(range.max, highest, 1e-12 * highest);
    if (!monostable) {
      EXPECT_NEAR(c.dutyRange.min, dutyLow, 1e-12);
      EXPECT_NEAR(c.dutyRange.max, dutyHigh, 1e-12);
    }
  }
  EXPECT_EQ(cornersStopped, row.someCornersStop);
}

CombinationRequest Request(DesignKind kind, double target, double duty, ESeries series, double capTolerance,
                           int count) {
  CombinationRequest r{kind, target, duty, target, series, capTolerance, count};
  return r;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Designs, CombinationSearchTest,
    ::testing::Values(SearchRow{"AstableE24At1kHz60", Request(DesignKind::Astable, 1000, 0.6, ESeries::E24, 0.10, 10), false},
                      // The duty given is not read: the 50 % design aims at 0.5.
                      SearchRow{"SquareE48At440Hz", Request(DesignKind::Square, 440, 0.9, ESeries::E48, 0.05, 12), false},
                      SearchRow{"SquareE12At100kHzStopsAtSomeCorners", Request(DesignKind::Square, 1e5, 0, ESeries::E12, 0.10, 20), true},
                      // Fewer seeds than places: the search starts without a bound.
                      SearchRow{"SquareE12Count1000", Request(DesignKind::Square, 2500, 0, ESeries::E12, 0.10, 1000), true},
                      SearchRow{"LowDutyE12At38kHz30", Request(DesignKind::LowDuty, 38000, 0.3, ESeries::E12, 0.20, 30), false},
                      SearchRow{"LowDutyE24Above50", Request(DesignKind::LowDuty, 0.5, 0.8, ESeries::E24, 0.05, 15), false},
                      SearchRow{"AstableE12OutOfReach", Request(DesignKind::Astable, 2e6, 0.999, ESeries::E12, 0.10, 25), false},
                      // Many exact ties (1 k with 100 uF equals 10 k with 10 uF).
                      SearchRow{"MonostableE24At1500ms", Request(DesignKind::Monostable, 1.5, 0, ESeries::E24, 0.10, 40), false},
                      SearchRow{"MonostableE48At30us", Request(DesignKind::Monostable, 30e-6, 0, ESeries::E48, 0, 8), false}),
    RowName<SearchRow>);
// clang-format on

TEST(CombinationRequestTest, RefusesBadRequestsWithoutSearching) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double inf = std::numeric_limits<double>::infinity();
  const CombinationRequest good = Request(DesignKind::Astable, 1000, 0.6, ESeries::E24, 0.1, 10);
  struct Row {
    const char* name;
    CombinationRequest request;
    CombinationProblem problem;
  };
  const auto with = [&good](auto change) {
    CombinationRequest r = good;
    change(r);
    return r;
  };
  const Row rows[] = {
      {"CountZero", with([](auto& r) { r.count = 0; }), CombinationProblem::Count},
      {"CountNegative", with([](auto& r) { r.count = -5; }), CombinationProblem::Count},
      {"CountAbsurd", with([](auto& r) { r.count = 2000000000; }), CombinationProblem::Count},
      {"NoDesign", with([](auto& r) { r.kind = DesignKind::None; }), CombinationProblem::Kind},
      {"UnknownDesign", with([](auto& r) { r.kind = static_cast<DesignKind>(9); }), CombinationProblem::Kind},
      {"UnknownSeries", with([](auto& r) { r.series = static_cast<ESeries>(7); }),
       CombinationProblem::Series},
      {"FrequencyZero", with([](auto& r) { r.frequency = 0; }), CombinationProblem::Target},
      {"FrequencyNegative", with([](auto& r) { r.frequency = -1000; }), CombinationProblem::Target},
      {"FrequencyNaN", with([](auto& r) { r.frequency = nan; }), CombinationProblem::Target},
      {"FrequencyInfinite", with([](auto& r) { r.frequency = inf; }), CombinationProblem::Target},
      {"FrequencyAbsurd", with([](auto& r) { r.frequency = 1e300; }), CombinationProblem::Target},
      {"DutyNaN", with([](auto& r) { r.duty = nan; }), CombinationProblem::Duty},
      {"DutyOne", with([](auto& r) { r.duty = 1; }), CombinationProblem::Duty},
      {"DutyHalfAbove50Design", with([](auto& r) { r.duty = 0.5; }), CombinationProblem::Duty},
      {"DutyZeroBelow50Design", with([](auto& r) { r.kind = DesignKind::LowDuty, r.duty = 0; }),
       CombinationProblem::Duty},
      {"PulseZero", with([](auto& r) { r.kind = DesignKind::Monostable, r.pulse = 0; }),
       CombinationProblem::Target},
      {"PulseNaN", with([](auto& r) { r.kind = DesignKind::Monostable, r.pulse = nan; }),
       CombinationProblem::Target},
      {"PulseInfinite", with([](auto& r) { r.kind = DesignKind::Monostable, r.pulse = inf; }),
       CombinationProblem::Target},
      {"CapToleranceNegative", with([](auto& r) { r.capTolerance = -0.1; }),
       CombinationProblem::CapTolerance},
      {"CapToleranceOne", with([](auto& r) { r.capTolerance = 1; }), CombinationProblem::CapTolerance},
      {"CapToleranceNaN", with([](auto& r) { r.capTolerance = nan; }), CombinationProblem::CapTolerance},
  };
  for (const Row& row : rows) {
    const CombinationResult result = FindCombinations(row.request);
    EXPECT_EQ(result.problem, row.problem) << row.name;
    EXPECT_TRUE(result.combinations.empty()) << row.name;
  }
  EXPECT_EQ(FindCombinations(good).combinations.size(), 10u);
}

// ---- Decade copies --------------------------------------------------------

Combination Parts(double r1, double r2, double c1) {
  Combination c;
  c.r1 = r1, c.r2 = r2, c.c1 = c1, c.hasR2 = r2 > 0;
  return c;
}

TEST(DecadeCopiesTest, AreTheSameAnswerUpToAPowerOfTen) {
  struct Row {
    const char* name;
    Combination a, b;
    bool copies;
  };
  const Row rows[] = {
      {"TenTimes", Parts(1.8e3, 3.9e3, 150e-9), Parts(18e3, 39e3, 15e-9), true},
      {"HundredthAndBack", Parts(180e3, 390e3, 1.5e-9), Parts(1.8e3, 3.9e3, 150e-9), true},
      {"Itself", Parts(4.7e3, 10e3, 1e-6), Parts(4.7e3, 10e3, 1e-6), true},
      {"CapacitorNotInverse", Parts(1.8e3, 3.9e3, 150e-9), Parts(18e3, 39e3, 150e-9), false},
      {"OtherRatio", Parts(1.8e3, 3.9e3, 150e-9), Parts(18e3, 3.9e3, 15e-9), false},
      {"SameProductOtherResistor", Parts(1.5e3, 0, 1.2e-6), Parts(1.8e3, 0, 1e-6), false},
      {"Monostable", Parts(1e3, 0, 1e-3), Parts(100e3, 0, 10e-6), true},
      {"MonostableAndAstable", Parts(1e3, 0, 1e-3), Parts(1e3, 2e3, 1e-3), false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(AreDecadeCopies(row.a, row.b), row.copies) << row.name;
    EXPECT_EQ(AreDecadeCopies(row.b, row.a), row.copies) << row.name;
  }
  // Kept: the copy nearest the middle of 5K to 1M, where the first of the
  // set stood.
  const std::vector<Combination> collapsed =
      CollapseDecadeCopies({Parts(1.8e3, 3.9e3, 150e-9), Parts(1e3, 2e3, 1e-6), Parts(18e3, 39e3, 15e-9),
                            Parts(180e3, 390e3, 1.5e-9)});
  ASSERT_EQ(collapsed.size(), 2u);
  EXPECT_EQ(collapsed[0].r1, 18e3);
  EXPECT_EQ(collapsed[1].r1, 1e3);
}

TEST_P(CombinationSearchTest, CollapsesDecadeCopiesKeepingTheMiddleOne) {
  const CombinationRequest& request = GetParam().request;
  const CombinationResult distinct = FindDistinctCombinations(request);
  ASSERT_EQ(distinct.problem, CombinationProblem::None);
  CombinationRequest more = request;
  more.count = kMaxCombinationCount;
  const std::vector<Combination> ranked = FindCombinations(more).combinations;
  // With room for five copies of each, the longest list collapses to the
  // same answers in the same order.
  if (request.count * 5 <= kMaxCombinationCount) {
    std::vector<Combination> reference = CollapseDecadeCopies(ranked);
    reference.resize(std::min<std::size_t>(reference.size(), request.count));
    ASSERT_EQ(distinct.combinations.size(), reference.size());
    for (std::size_t i = 0; i < reference.size(); ++i) {
      const Combination &a = distinct.combinations[i], &b = reference[i];
      EXPECT_TRUE(a.r1 == b.r1 && a.r2 == b.r2 && a.c1 == b.c1 && a.error == b.error) << "place " << i;
    }
  }
  const auto middle = [](const Combination& c) {
    return std::fabs(std::log10((c.hasR2 ? std::sqrt(c.r1 * c.r2) : c.r1) / std::sqrt(5e3 * 1e6)));
  };
  for (std::size_t i = 0; i < distinct.combinations.size(); ++i) {
    const Combination& kept = distinct.combinations[i];
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_LE(distinct.combinations[j].error, kept.error) << "place " << i;
      EXPECT_FALSE(AreDecadeCopies(distinct.combinations[j], kept)) << "place " << i;
    }
    for (const Combination& other : ranked) {
      if (AreDecadeCopies(other, kept)) {
        EXPECT_LE(middle(kept), middle(other)) << "place " << i;
      }
    }
  }
}

}  // namespace
}  // namespace timer555
