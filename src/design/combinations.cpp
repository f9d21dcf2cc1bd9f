// The search for the best standard-part combinations.
//
// Why the search is exact without trying every R1, R2, C1:
//
// The timing equations depend on the parts only through R1 C1 and R2 C1, and
// the duty cycle only through the ratio R2 / R1. For a fixed R1 the duty
// falls strictly as R2 grows (in all three astable designs), and for a fixed
// R1 and R2 the frequency falls strictly as C1 grows. So along the sorted R2
// list the duty error |D/D0 - 1| falls until the duty crosses D0 and rises
// after it, and along the sorted C1 list the frequency error does the same
// around f0: both are V-shaped (non-increasing, then non-decreasing), plateaus
// and equal neighbours included. The error of a combination is the larger of
// the two, so it is at least each of them.
//
// With a bound B that the k-th best error cannot exceed, every combination
// that can make the list has duty error <= B and frequency error <= B. For
// each R1 a binary search finds where the duty crosses D0; walking outward
// from there in both directions and stopping at the first R2 whose duty
// error exceeds B visits every R2 that can matter, because the V shape
// guarantees that everything further out has a duty error at least as large.
// The same walk over C1 around the frequency crossing visits every C1 that
// can matter for that R1 and R2. Every visited combination is offered to a
// bounded heap of the k best in the final order; B is the worst error in the
// full heap, so it only shrinks. Walks stop only on an error strictly above
// B, so combinations tied with the k-th one are still offered and the tie
// rule decides between them as it would in a search through everything.
//
// The frequency also falls as R2 grows, so for each R1 the R2 whose
// frequency misses the target by more than B even with the smallest or the
// largest C1 form a prefix and a suffix of the list; two more binary
// searches cut them off, which keeps targets far out of reach quick.
//
// B starts from a seed pass: for each R1 the two R2 beside the duty
// crossing, each with the two C1 beside the frequency crossing. These are
// real combinations, so the k-th best of them bounds the k-th best of all.
//
// The monotony holds for the computed doubles as well: neighbouring
// standard values differ by at least 0.5 %, far more than the rounding of
// the few operations between a part and its error.
//
// The monostable has one resistor: C1 takes the place of R1 and R1 the
// place of R2, and the pulse error is the only error.
//
// To make ties exact, the equations are evaluated with R1 = 1 and C1 = 1
// and R2 / R1 formed as one correctly rounded division of whole numbers;
// the result is then scaled by R1 C1, formed as one correctly rounded
// product. Combinations equal in value (the same R2 / R1 and R1 C1)
// therefore go through the same operations on the same doubles.

#include "design/combinations.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "design/timing.h"

namespace timer555 {

namespace {

/// The targets in the form the search uses.
struct Targets {
  DesignKind kind = DesignKind::None;
  double frequency = 0;
  double duty = 0;
  double pulse = 0;
};

bool Within(double v, double lowest, double highest) {
  return std::isfinite(v) && v >= lowest && v <= highest;
}

bool IsAstable(DesignKind kind) {
  return kind == DesignKind::Astable || kind == DesignKind::Square || kind == DesignKind::LowDuty;
}

CombinationProblem Check(const CombinationRequest& request) {
  if (request.count < 1 || request.count > kMaxCombinationCount) return CombinationProblem::Count;
  if (request.kind == DesignKind::Monostable) {
    if (!Within(request.pulse, kMinCombinationPulse, kMaxCombinationPulse)) return CombinationProblem::Target;
  } else if (IsAstable(request.kind)) {
    if (!Within(request.frequency, kMinCombinationFrequency, kMaxCombinationFrequency)) {
      return CombinationProblem::Target;
    }
    // The design above 50 % cannot reach 50 % or less (the program refuses
    // such a duty for it too); a search for one would only rank misses.
    const double lowestDuty =
        request.kind == DesignKind::Astable ? std::nextafter(0.5, 1.0) : kMinCombinationDuty;
    if (request.kind != DesignKind::Square && !Within(request.duty, lowestDuty, 1 - kMinCombinationDuty)) {
      return CombinationProblem::Duty;
    }
  } else {
    return CombinationProblem::Kind;
  }
  if (!Within(request.capTolerance, 0, std::nextafter(1.0, 0.0))) return CombinationProblem::CapTolerance;
  if (static_cast<std::size_t>(request.series) > static_cast<std::size_t>(ESeries::E192)) {
    return CombinationProblem::Series;
  }
  return CombinationProblem::None;
}

Targets TargetsOf(const CombinationRequest& request) {
  return {request.kind, request.frequency, request.kind == DesignKind::Square ? 0.5 : request.duty,
          request.pulse};
}

double RelativeError(double value, double target) { return std::fabs(value / target - 1); }

std::int64_t PowerOfTenInteger(int exponent) {
  std::int64_t p = 1;
  for (int i = 0; i < exponent; ++i) p *= 10;
  return p;
}

/// R2 / R1 as one correctly rounded division of two whole numbers (while
/// their exponents differ by at most 12, always so within the search).
double RatioOf(StandardValue r1, StandardValue r2) {
  const int shift = r2.exponent - r1.exponent;
  if (shift >= 0 && shift <= 12) {
    return static_cast<double>(r2.mantissa * PowerOfTenInteger(shift)) / r1.mantissa;
  }
  if (shift < 0 && shift >= -12) {
    return r2.mantissa / static_cast<double>(r1.mantissa * PowerOfTenInteger(-shift));
  }
  return r2.Value() / r1.Value();
}

/// The part of the astable timing that R1 and R2 fix: the duty, and the
/// period per ohm-farad of R1 C1 (the equations taken with R1 = 1 and
/// C1 = 1, so that only the ratio R2 / R1 enters).
struct ResistorPair {
  bool defined = false;
  double duty = 0;
  double unitPeriod = 0;
  StandardValue r1;
};

ResistorPair PairOf(DesignKind kind, StandardValue r1, StandardValue r2) {
  const OutputTimes t = TimesFromComponents(kind, 1.0, RatioOf(r1, r2), 1.0);
  ResistorPair pair;
  pair.unitPeriod = t.high + t.low;
  pair.duty = t.high / pair.unitPeriod;
  pair.defined = t.defined;
  pair.r1 = r1;
  return pair;
}

/// R1 C1 (or the monostable's R1 C1) as one correctly rounded product.
double TimeScale(StandardValue r1, StandardValue c1) {
  return ScaledValue(static_cast<std::int64_t>(r1.mantissa) * c1.mantissa, r1.exponent + c1.exponent);
}

/// Frequency of a resistor pair with C1.
double FrequencyOf(const ResistorPair& pair, StandardValue c1) {
  return 1 / (pair.unitPeriod * TimeScale(pair.r1, c1));
}

/// Pulse length of the monostable with R1 and C1.
double PulseOf(StandardValue r1, StandardValue c1) {
  return TimesFromComponents(DesignKind::Monostable, TimeScale(r1, c1), 0, 1.0).high;
}

/// A combination by its positions in the sorted lists (r2 = -1: none).
struct Candidate {
  double error = 0;
  int r1 = 0;
  int r2 = -1;
  int c1 = 0;
};

/// The final order: error, then larger C1, then smaller R1, then smaller R2.
bool RanksBefore(const Candidate& a, const Candidate& b) {
  if (a.error != b.error) return a.error < b.error;
  if (a.c1 != b.c1) return a.c1 > b.c1;
  if (a.r1 != b.r1) return a.r1 < b.r1;
  return a.r2 < b.r2;
}

/// The `capacity` best candidates offered so far; the heap's top is the
/// worst of them.
class BestCandidates final {
 public:
  BestCandidates(std::size_t capacity, double bound) : capacity_(capacity), seedBound_(bound) {}

  /// No candidate with a larger error can enter any more.
  double Bound() const {
    return heap_.size() < capacity_ ? seedBound_ : std::min(seedBound_, heap_.front().error);
  }

  void Offer(const Candidate& c) {
    if (heap_.size() < capacity_) {
      heap_.push_back(c);
      std::push_heap(heap_.begin(), heap_.end(), RanksBefore);
    } else if (RanksBefore(c, heap_.front())) {
      std::pop_heap(heap_.begin(), heap_.end(), RanksBefore);
      heap_.back() = c;
      std::push_heap(heap_.begin(), heap_.end(), RanksBefore);
    }
  }

  std::vector<Candidate> Sorted() && {
    std::sort_heap(heap_.begin(), heap_.end(), RanksBefore);
    return std::move(heap_);
  }

 private:
  std::size_t capacity_;
  double seedBound_;
  std::vector<Candidate> heap_;
};

/// The k-th smallest error of the seeds, or infinity when there are fewer.
double SeedBound(std::vector<double> errors, std::size_t k) {
  if (errors.size() < k) return std::numeric_limits<double>::infinity();
  std::nth_element(errors.begin(), errors.begin() + static_cast<std::ptrdiff_t>(k - 1), errors.end());
  return errors[k - 1];
}

/// First index in [begin, end) for which the monotone predicate holds.
template <typename Predicate>
int FirstWhere(int begin, int end, Predicate holds) {
  while (begin < end) {
    const int middle = begin + (end - begin) / 2;
    if (holds(middle)) {
      end = middle;
    } else {
      begin = middle + 1;
    }
  }
  return begin;
}

/// Calls step(i) for i = split - 1 down to begin, then for i = split up to
/// end - 1; each direction ends when step returns false.
template <typename Step>
void WalkOutward(int begin, int split, int end, Step step) {
  for (int i = split - 1; i >= begin && step(i); --i) {
  }
  for (int i = split; i < end && step(i); ++i) {
  }
}

using Values = std::vector<StandardValue>;

std::vector<Candidate> SearchAstable(const Targets& targets, const Values& rs, const Values& cs,
                                     std::size_t k) {
  const int n = static_cast<int>(rs.size());
  const int m = static_cast<int>(cs.size());
  const auto pairAt = [&](int i, int j) { return PairOf(targets.kind, rs[i], rs[j]); };
  // Along C1 the frequency falls: the split is the first C1 at or below f0.
  const auto capacitorSplit = [&](const ResistorPair& pair) {
    return FirstWhere(0, m, [&](int c) { return FrequencyOf(pair, cs[c]) <= targets.frequency; });
  };

  // Per R1: where the duty crosses D0 and where defined timing ends (the
  // defined R2 form a prefix; past it the 50 % design does not oscillate).
  std::vector<int> split(n), end(n);
  std::vector<double> seeds;
  for (int i = 0; i < n; ++i) {
    split[i] = FirstWhere(0, n, [&](int j) {
      const ResistorPair p = pairAt(i, j);
      return !p.defined || p.duty <= targets.duty;
    });
    end[i] =
        pairAt(i, n - 1).defined ? n : FirstWhere(split[i], n, [&](int j) { return !pairAt(i, j).defined; });
    for (int j = std::max(split[i] - 1, 0); j <= split[i] && j < end[i]; ++j) {
      const ResistorPair pair = pairAt(i, j);
      const int c = capacitorSplit(pair);
      for (int ci = std::max(c - 1, 0); ci <= c && ci < m; ++ci) {
        seeds.push_back(std::max(RelativeError(pair.duty, targets.duty),
                                 RelativeError(FrequencyOf(pair, cs[ci]), targets.frequency)));
      }
    }
  }

  BestCandidates best(k, SeedBound(std::move(seeds), k));
  for (int i = 0; i < n; ++i) {
    // Below `first` every R2 gives a frequency above the target by more than
    // the bound even with the largest C1; from `last` on, below it even with
    // the smallest.
    const double bound = best.Bound();
    const auto tooHigh = [&](int j) {
      const double f = FrequencyOf(pairAt(i, j), cs.back());
      return f > targets.frequency && RelativeError(f, targets.frequency) > bound;
    };
    const auto tooLow = [&](int j) {
      const double f = FrequencyOf(pairAt(i, j), cs.front());
      return f < targets.frequency && RelativeError(f, targets.frequency) > bound;
    };
    const int first =
        end[i] > 0 && tooHigh(0) ? FirstWhere(1, end[i], [&](int j) { return !tooHigh(j); }) : 0;
    const int last = first < end[i] && tooLow(end[i] - 1) ? FirstWhere(first, end[i] - 1, tooLow) : end[i];
    WalkOutward(first, std::clamp(split[i], first, last), last, [&](int j) {
      const ResistorPair pair = pairAt(i, j);
      const double dutyError = RelativeError(pair.duty, targets.duty);
      if (dutyError > best.Bound()) return false;
      WalkOutward(0, capacitorSplit(pair), m, [&](int c) {
        const double frequencyError = RelativeError(FrequencyOf(pair, cs[c]), targets.frequency);
        if (frequencyError > best.Bound()) return false;
        best.Offer({std::max(dutyError, frequencyError), i, j, c});
        return true;
      });
      return true;
    });
  }
  return std::move(best).Sorted();
}

std::vector<Candidate> SearchMonostable(const Targets& targets, const Values& rs, const Values& cs,
                                        std::size_t k) {
  const int n = static_cast<int>(rs.size());
  const int m = static_cast<int>(cs.size());
  // Along R1 the pulse grows: the split is the first R1 at or above t0.
  std::vector<int> split(m);
  std::vector<double> seeds;
  for (int c = 0; c < m; ++c) {
    split[c] = FirstWhere(0, n, [&](int i) { return PulseOf(rs[i], cs[c]) >= targets.pulse; });
    for (int i = std::max(split[c] - 1, 0); i <= split[c] && i < n; ++i) {
      seeds.push_back(RelativeError(PulseOf(rs[i], cs[c]), targets.pulse));
    }
  }
  BestCandidates best(k, SeedBound(std::move(seeds), k));
  for (int c = 0; c < m; ++c) {
    WalkOutward(0, split[c], n, [&](int i) {
      const double error = RelativeError(PulseOf(rs[i], cs[c]), targets.pulse);
      if (error > best.Bound()) return false;
      best.Offer({error, i, -1, c});
      return true;
    });
  }
  return std::move(best).Sorted();
}

/// Grows a range by one value; the first value sets both ends.
void Include(ValueRange& range, double v, bool first) {
  range.min = first ? v : std::min(range.min, v);
  range.max = first ? v : std::max(range.max, v);
}

/// Fills the ranges of a combination from the corners of its tolerance box.
void AddWorstCase(Combination& combination, DesignKind kind, double resistorTolerance, double capTolerance) {
  const bool monostable = kind == DesignKind::Monostable;
  combination.corners = monostable ? 4 : 8;
  int defined = 0;
  for (int corner = 0; corner < combination.corners; ++corner) {
    const auto sign = [corner](int bit) { return (corner >> bit) & 1 ? 1.0 : -1.0; };
    const double r1 = combination.r1 * (1 + sign(0) * resistorTolerance);
    const double c1 = combination.c1 * (1 + sign(1) * capTolerance);
    const double r2 = monostable ? 0 : combination.r2 * (1 + sign(2) * resistorTolerance);
    const OutputTimes t = TimesFromComponents(kind, r1, r2, c1);
    if (!t.defined) continue;
    if (monostable) {
      Include(combination.pulseRange, t.high, defined == 0);
    } else {
      const double period = t.high + t.low;
      Include(combination.frequencyRange, 1 / period, defined == 0);
      Include(combination.dutyRange, t.high / period, defined == 0);
    }
    ++defined;
  }
  combination.cornersWithoutTiming = combination.corners - defined;
}

Combination Describe(const CombinationRequest& request, const Values& rs, const Values& cs,
                     const Candidate& c) {
  const bool monostable = request.kind == DesignKind::Monostable;
  const StandardValue r2 = monostable ? StandardValue{} : rs[c.r2];
  const CombinationTiming timing = EvaluateCombination(request, rs[c.r1], r2, cs[c.c1]);
  Combination combination;
  combination.r1 = rs[c.r1].Value();
  combination.r2 = monostable ? 0 : r2.Value();
  combination.hasR2 = !monostable;
  combination.c1 = cs[c.c1].Value();
  combination.error = c.error;
  combination.frequency = timing.frequency;
  combination.duty = timing.duty;
  combination.pulse = timing.pulse;
  AddWorstCase(combination, request.kind, SeriesTolerance(request.series), request.capTolerance);
  return combination;
}

/// The `k` best combinations of a request that passed Check (its count
/// aside), best first.
std::vector<Combination> Ranked(const CombinationRequest& request, std::size_t k) {
  const Values rs = SeriesValuesBetween(request.series, kCombinationResistorMin, kCombinationResistorMax);
  const Values cs = SeriesValuesBetween(ESeries::E12, kCombinationCapacitorMin, kCombinationCapacitorMax);
  const Targets targets = TargetsOf(request);
  const std::vector<Candidate> best = request.kind == DesignKind::Monostable
                                          ? SearchMonostable(targets, rs, cs, k)
                                          : SearchAstable(targets, rs, cs, k);
  std::vector<Combination> combinations;
  combinations.reserve(best.size());
  for (const Candidate& c : best) combinations.push_back(Describe(request, rs, cs, c));
  return combinations;
}

/// R1 spans four decades of the search, so one answer has at most five
/// decade copies.
constexpr std::size_t kMostDecadeCopies = 5;
static_assert(kCombinationResistorMax == 1e4 * kCombinationResistorMin);

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::fabs(b); }

/// How far a combination's resistors sit from the middle of the preferred
/// range, in decades (see CollapseDecadeCopies).
double DistanceFromMiddle(const Combination& c) {
  const double middle = std::sqrt(kPreferredResistorMin * kPreferredResistorMax);
  const double resistance = c.hasR2 ? std::sqrt(c.r1 * c.r2) : c.r1;
  return std::fabs(std::log10(resistance / middle));
}

}  // namespace

bool AreDecadeCopies(const Combination& a, const Combination& b) {
  if (a.hasR2 != b.hasR2 || !(a.r1 > 0 && b.r1 > 0)) return false;
  const double scale = std::pow(10.0, std::round(std::log10(a.r1 / b.r1)));
  return Near(a.r1, b.r1 * scale) && (!a.hasR2 || Near(a.r2, b.r2 * scale)) && Near(a.c1 * scale, b.c1);
}

std::vector<Combination> CollapseDecadeCopies(const std::vector<Combination>& ranked) {
  std::vector<Combination> kept;
  for (const Combination& c : ranked) {
    const auto copy =
        std::find_if(kept.begin(), kept.end(), [&c](const Combination& k) { return AreDecadeCopies(k, c); });
    if (copy == kept.end()) {
      kept.push_back(c);
    } else if (DistanceFromMiddle(c) < DistanceFromMiddle(*copy)) {
      *copy = c;
    }
  }
  return kept;
}

CombinationResult FindDistinctCombinations(const CombinationRequest& request) {
  CombinationResult result;
  result.problem = Check(request);
  if (result.problem != CombinationProblem::None) return result;
  const auto count = static_cast<std::size_t>(request.count);
  // The copies of one answer share its error bit for bit (see
  // FindCombinations), so all of them are among those fetched when their
  // error is below the last one fetched, or when nothing is left to fetch.
  // Only other answers tied at the cut can make a second round necessary.
  for (std::size_t asked = count * kMostDecadeCopies;; asked *= 2) {
    const std::vector<Combination> ranked = Ranked(request, asked);
    std::vector<Combination> distinct = CollapseDecadeCopies(ranked);
    if (ranked.size() < asked ||
        (distinct.size() >= count && distinct[count - 1].error < ranked.back().error)) {
      if (distinct.size() > count) distinct.resize(count);
      result.combinations = std::move(distinct);
      return result;
    }
  }
}

CombinationTiming EvaluateCombination(const CombinationRequest& request, StandardValue r1, StandardValue r2,
                                      StandardValue c1) {
  CombinationTiming timing;
  if (Check(request) != CombinationProblem::None) return timing;
  const Targets targets = TargetsOf(request);
  if (targets.kind == DesignKind::Monostable) {
    timing.pulse = PulseOf(r1, c1);
    timing.defined = timing.pulse > 0 && std::isfinite(timing.pulse);
    timing.error = RelativeError(timing.pulse, targets.pulse);
    return timing;
  }
  const ResistorPair pair = PairOf(targets.kind, r1, r2);
  timing.frequency = FrequencyOf(pair, c1);
  timing.defined = pair.defined && timing.frequency > 0 && std::isfinite(timing.frequency);
  if (!timing.defined) return timing;
  timing.duty = pair.duty;
  timing.error =
      std::max(RelativeError(pair.duty, targets.duty), RelativeError(timing.frequency, targets.frequency));
  return timing;
}

CombinationResult FindCombinations(const CombinationRequest& request) {
  CombinationResult result;
  result.problem = Check(request);
  if (result.problem != CombinationProblem::None) return result;
  result.combinations = Ranked(request, static_cast<std::size_t>(request.count));
  return result;
}

}  // namespace timer555
