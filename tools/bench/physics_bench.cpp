// Times what the built circuit does: the expected-value model per call
// (target at most 0.1 ms), the compensated parts, and a simulation of each
// design through ngspice's shared library, later runs as benchmarks and the
// first run of a process (loading and starting ngspice included; target at
// most 100 ms) measured in a fresh child process per design before them.
//
//   build/bin/timer555-bench-physics [Google Benchmark flags]

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "design/built_circuit.h"
#include "simulation/simulator.h"

namespace {

using timer555::CircuitSettings;
using timer555::DeckRequest;
using timer555::DesignKind;
using timer555::PartValues;

/// Each design at its moderate worked values (the 1000 Hz examples, a 1 s
/// monostable on an electrolytic).
DeckRequest Design(DesignKind kind) {
  DeckRequest r;
  r.kind = kind;
  r.parts.C2 = 10e-9;
  switch (kind) {
    case DesignKind::Astable: r.parts.R1 = 2885.39, r.parts.R2 = 5770.78, r.parts.C1 = 100e-9; break;
    case DesignKind::Square: r.parts.R1 = 72134.75, r.parts.R2 = 30537, r.parts.C1 = 10e-9; break;
    case DesignKind::LowDuty: r.parts.R1 = 4328.09, r.parts.R2 = 10098.87, r.parts.C1 = 100e-9; break;
    case DesignKind::Monostable: r.parts.R1 = 9102.39, r.parts.C1 = 100e-6; break;
    case DesignKind::None: break;
  }
  r.inputs = {1000, kind == DesignKind::LowDuty ? 0.3 : kind == DesignKind::Square ? 0.5 : 0.6, 1};
  return r;
}

constexpr DesignKind kDesigns[] = {DesignKind::Astable, DesignKind::Square, DesignKind::LowDuty,
                                   DesignKind::Monostable};

void BM_Model(benchmark::State& state) {
  const DeckRequest r = Design(kDesigns[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(timer555::PredictBuilt(r.kind, r.parts, r.settings));
}

void BM_Compensate(benchmark::State& state) {
  const DeckRequest r = Design(kDesigns[state.range(0)]);
  for (auto _ : state) {
    benchmark::DoNotOptimize(timer555::CompensateParts(r.kind, r.inputs.frequency, r.inputs.duty,
                                                       r.inputs.pulse, r.parts, r.settings));
  }
}

void BM_SimulateLaterRun(benchmark::State& state) {
  const DeckRequest r = Design(kDesigns[state.range(0)]);
  if (!timer555::SimulatorAvailable()) {
    state.SkipWithError("ngspice's shared library is not available");
    return;
  }
  timer555::Simulate(r);  // the first run is measured apart
  for (auto _ : state) {
    const timer555::SimulationResult result = timer555::Simulate(r);
    if (!result.ok) {
      state.SkipWithError(result.message.c_str());
      break;
    }
  }
}

BENCHMARK(BM_Model)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Compensate)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
// ngspice runs in a thread of its own: the CPU column counts the whole
// process, the time column the wall clock (longer on a busy machine).
BENCHMARK(BM_SimulateLaterRun)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->MeasureProcessCPUTime();

struct FirstRun {
  double wall = -1;  ///< ms
  double cpu = -1;   ///< ms of the process' CPU time
};

double ProcessCpuMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/// The first simulation of a fresh process (dlopen, ngSpice_Init and the
/// run), in a child so that nothing is loaded yet; -1 when it failed.
FirstRun FirstRunMilliseconds(DesignKind kind) {
  int pipeEnds[2];
  std::fflush(stdout);  // or the child would print the parent's buffer again
  if (pipe(pipeEnds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    const double cpuStart = ProcessCpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    const bool ok = timer555::Simulate(Design(kind)).ok;
    FirstRun run{std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
                 ProcessCpuMilliseconds() - cpuStart};
    if (!ok) run = {};
    if (write(pipeEnds[1], &run, sizeof run) != static_cast<ssize_t>(sizeof run)) _exit(1);
    _exit(0);
  }
  close(pipeEnds[1]);
  FirstRun run;
  if (child < 0 || read(pipeEnds[0], &run, sizeof run) != static_cast<ssize_t>(sizeof run)) run = {};
  close(pipeEnds[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything loads ngspice in this process.
  std::printf("First simulation of a process (load, start and run ngspice), target 100 ms:\n");
  for (int i = 0; i < 4; ++i) {
    const FirstRun run = FirstRunMilliseconds(kDesigns[i]);
    std::printf("  design %d: %.1f ms wall clock, %.1f ms CPU\n", i + 1, run.wall, run.cpu);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
