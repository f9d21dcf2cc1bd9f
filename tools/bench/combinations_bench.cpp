// Times the search for the ten best standard-part combinations with E192
// resistors (769 values from 1 kOhm to 10 MOhm, 73 E12 capacitors), one
// benchmark per design.

#include <benchmark/benchmark.h>

#include "design/combinations.h"

namespace {

using timer555::CombinationRequest;
using timer555::DesignKind;

void Search(benchmark::State& state, DesignKind kind, double target, double duty) {
  CombinationRequest request;
  request.kind = kind;
  request.frequency = target;
  request.pulse = target;
  request.duty = duty;
  request.series = timer555::ESeries::E192;
  for (auto _ : state) {
    const timer555::CombinationResult result = timer555::FindCombinations(request);
    if (result.combinations.size() != 10) {
      state.SkipWithError("the search did not find ten combinations");
      break;
    }
    benchmark::DoNotOptimize(result.combinations.data());
  }
}

void BM_AstableE192(benchmark::State& state) { Search(state, DesignKind::Astable, 1000, 0.6); }
void BM_SquareE192(benchmark::State& state) { Search(state, DesignKind::Square, 440, 0.5); }
void BM_LowDutyE192(benchmark::State& state) { Search(state, DesignKind::LowDuty, 38000, 0.3); }
void BM_MonostableE192(benchmark::State& state) { Search(state, DesignKind::Monostable, 1.5, 0); }

BENCHMARK(BM_AstableE192)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SquareE192)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LowDutyE192)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonostableE192)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
