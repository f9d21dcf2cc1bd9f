// The expected-value model against ngspice running the exported deck, the
// compensated parts in the same simulation, the in-process run against the
// command line, and the ways a run can fail.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "design/built_circuit.h"
#include "design/timing.h"
#include "platform/recording_canvas.h"
#include "simulation/simulation_plot.h"
#include "simulation/simulator.h"
#include "simulation/spice_deck.h"

namespace timer555 {
namespace {

const double kLn2 = std::log(2.0);

/// The ideal equations' parts for a target on capacitor `c1` (design 2's R2
/// by bisection on its low time).
PartValues IdealParts(DesignKind kind, const DesignTarget& t, double c1) {
  PartValues p;
  p.C1 = c1;
  p.C2 = 10e-9;
  const double k = kLn2 * t.frequency * c1;
  switch (kind) {
    case DesignKind::Astable: p.R1 = (2 * t.duty - 1) / k, p.R2 = (1 - t.duty) / k; break;
    case DesignKind::LowDuty: p.R1 = t.duty / k, p.R2 = (1 - t.duty) / k; break;
    case DesignKind::Monostable: p.R1 = t.pulse / (std::log(3.0) * c1); break;
    case DesignKind::Square: {
      p.R1 = 0.5 / k;
      double lo = 1;
      double hi = p.R1 / 2;
      for (int i = 0; i < 100; ++i) {
        const OutputTimes o = TimesFromComponents(kind, p.R1, (lo + hi) / 2, c1);
        (o.defined && o.low < o.high ? lo : hi) = (lo + hi) / 2;
      }
      p.R2 = (lo + hi) / 2;
      break;
    }
    case DesignKind::None: break;
  }
  return p;
}

/// `ngspice` on PATH, or empty.
std::string FindNgspice() {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const std::string candidate = dir + "/ngspice";
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

/// The `.meas` results `ngspice -b` prints for the deck ("name = value").
std::map<std::string, double> RunCli(const std::string& ngspice, const std::string& deck,
                                     const std::string& name) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / ("timer555_" + name + ".cir");
  std::ofstream(file) << deck;
  std::map<std::string, double> results;
  FILE* out = popen((ngspice + " -b '" + file.string() + "' 2>&1").c_str(), "r");
  if (out == nullptr) return results;
  char line[512];
  while (std::fgets(line, sizeof line, out) != nullptr) {
    char key[64];
    double value = 0;
    if (std::sscanf(line, " %63s = %lf", key, &value) == 2) results[key] = value;
  }
  pclose(out);
  std::filesystem::remove(file);
  return results;
}

struct SimulationRow {
  std::string name;
  DesignKind kind;
  DesignTarget target;
  double c1;
  CircuitSettings settings;
  friend std::ostream& operator<<(std::ostream& out, const SimulationRow& row) { return out << row.name; }
};

class ExpectedAgainstNgspice : public ::testing::TestWithParam<SimulationRow> {};

// What ngspice measures in a deck: frequency and duty, or the pulse in the
// frequency slot. Checks them against `want` within `tolerance` (relative).
void ExpectMeasured(const std::map<std::string, double>& measured, DesignKind kind, double frequencyOrPulse,
                    double duty, double tolerance, const std::string& what) {
  if (kind == DesignKind::Monostable) {
    ASSERT_TRUE(measured.count("pulse")) << what;
    EXPECT_NEAR(measured.at("pulse") / frequencyOrPulse, 1, tolerance) << what;
    return;
  }
  ASSERT_TRUE(measured.count("frequency") && measured.count("duty")) << what;
  EXPECT_NEAR(measured.at("frequency") / frequencyOrPulse, 1, tolerance) << what;
  EXPECT_NEAR(measured.at("duty") / duty, 1, tolerance) << what;
}

TEST_P(ExpectedAgainstNgspice, AgreeWithinTolerance) {
  const SimulationRow& row = GetParam();
  const std::string ngspice = FindNgspice();
  if (ngspice.empty()) GTEST_SKIP() << "ngspice is not on PATH";
  const bool mono = row.kind == DesignKind::Monostable;
  const double tolerance = row.kind == DesignKind::LowDuty ? 0.03 : 0.02;

  // The ideal parts: what the model expects against the deck's measurements.
  const PartValues parts = IdealParts(row.kind, row.target, row.c1);
  const ExpectedValues expected = PredictBuilt(row.kind, parts, row.settings);
  ASSERT_TRUE(expected.runs());
  const DeckRequest request{row.kind, parts, row.settings, row.target, 0};
  const std::string deck = SpiceDeck(request);
  const std::map<std::string, double> measured = RunCli(ngspice, deck, row.name);
  ExpectMeasured(measured, row.kind, mono ? expected.pulse : expected.frequency, expected.duty, tolerance,
                 "expected values");

  // The same deck in process measures the same edges.
  if (SimulatorAvailable()) {
    const SimulationResult run = Simulate(request);
    ASSERT_TRUE(run.ok) << run.message;
    const std::optional<double> first = mono ? run.pulse : run.frequency;
    ASSERT_TRUE(first.has_value());
    ExpectMeasured(measured, row.kind, *first, run.duty.value_or(0), 0.01, "in process");
  }

  // The compensated parts hit the target in the same simulation.
  const std::optional<PartValues> compensated =
      CompensateParts(row.kind, row.target.frequency, row.target.duty, row.target.pulse, parts, row.settings);
  ASSERT_TRUE(compensated.has_value());
  const std::map<std::string, double> hit = RunCli(
      ngspice, SpiceDeck({row.kind, *compensated, row.settings, row.target, 0}), row.name + "_compensated");
  ExpectMeasured(hit, row.kind, mono ? row.target.pulse : row.target.frequency,
                 row.kind == DesignKind::Square ? 0.5 : row.target.duty, 0.02, "compensated parts");
}

constexpr TimerFamily kBipolar = TimerFamily::Bipolar;
constexpr TimerFamily kCmos = TimerFamily::Cmos;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Designs, ExpectedAgainstNgspice, ::testing::Values(
    SimulationRow{"Astable5V", DesignKind::Astable, {1000, 0.6, 0}, 100e-9, {5, kBipolar}},
    SimulationRow{"Astable9V", DesignKind::Astable, {1000, 0.6, 0}, 100e-9, {9, kBipolar}},
    SimulationRow{"Astable15V", DesignKind::Astable, {1000, 0.6, 0}, 100e-9, {15, kBipolar}},
    SimulationRow{"Square5V", DesignKind::Square, {1000, 0.5, 0}, 10e-9, {5, kBipolar}},
    SimulationRow{"Square9V", DesignKind::Square, {1000, 0.5, 0}, 10e-9, {9, kBipolar}},
    SimulationRow{"Square15V", DesignKind::Square, {1000, 0.5, 0}, 10e-9, {15, kBipolar}},
    SimulationRow{"LowDuty5V", DesignKind::LowDuty, {1000, 0.3, 0}, 100e-9, {5, kBipolar}},
    SimulationRow{"LowDuty9V", DesignKind::LowDuty, {1000, 0.3, 0}, 100e-9, {9, kBipolar}},
    SimulationRow{"LowDuty15V", DesignKind::LowDuty, {1000, 0.3, 0}, 100e-9, {15, kBipolar}},
    SimulationRow{"Monostable5V", DesignKind::Monostable, {0, 0, 0.01}, 100e-9, {5, kBipolar}},
    SimulationRow{"Monostable9V", DesignKind::Monostable, {0, 0, 0.01}, 100e-9, {9, kBipolar}},
    SimulationRow{"Monostable15V", DesignKind::Monostable, {0, 0, 0.01}, 100e-9, {15, kBipolar}},
    SimulationRow{"LeakyMonostable15V", DesignKind::Monostable, {0, 0, 100}, 1e-3, {15, kBipolar}},
    SimulationRow{"LowDutyCmos5V", DesignKind::LowDuty, {1000, 0.3, 0}, 100e-9, {5, kCmos}},
    SimulationRow{"SquareCmos9V", DesignKind::Square, {20000, 0.5, 0}, 1e-9, {9, kCmos}}),
    [](const ::testing::TestParamInfo<SimulationRow>& info) { return info.param.name; });
// clang-format on

// ---- Failures --------------------------------------------------------------

struct FaultRow {
  std::string name;
  std::string deck;  ///< empty: a design's deck
  bool cancel;
  double timeLimit;
  std::string message;
  friend std::ostream& operator<<(std::ostream& out, const FaultRow& row) { return out << row.name; }
};

class SimulationFaults : public ::testing::TestWithParam<FaultRow> {};

TEST_P(SimulationFaults, FailWithAMessageAndLeaveTheNextRunWhole) {
  const FaultRow& row = GetParam();
  if (!SimulatorAvailable()) GTEST_SKIP() << SharedNgspice().problem();
  DeckRequest request{DesignKind::Astable, {}, {}, {1000, 0.6, 0}, 0};
  request.parts = IdealParts(DesignKind::Astable, request.inputs, 100e-9);
  SimulationCancel cancel;
  if (row.cancel) cancel.Cancel();
  const SimulationOptions options{&cancel, row.timeLimit};
  const SimulationResult failed = RunDeck(row.deck.empty() ? SpiceDeck(request) : row.deck,
                                          DesignKind::Astable, request.settings, options);
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.message, row.message);
  EXPECT_TRUE(failed.time.empty());
  EXPECT_TRUE(Simulate(request).ok);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, SimulationFaults, ::testing::Values(
    FaultRow{"Cancelled", "", true, 5, "The simulation was cancelled."},
    FaultRow{"TimeLimitPassed", "", false, 1e-4, "The simulation passed its time limit."},
    FaultRow{"NoConvergence", "* no DC path\nI1 0 a DC 1m\nC1 a 0 1n\n.tran 1u 1m\n.end\n", false, 5,
             "The simulation did not converge."}),
    [](const ::testing::TestParamInfo<FaultRow>& info) { return info.param.name; });
// clang-format on

TEST(SimulatorLibrary, MissingLibraryIsReportedNotFatal) {
  NgspiceLibrary missing("libngspice-not-installed.so.0");
  EXPECT_FALSE(missing.available());
  const SimulationResult result = missing.Run("* nothing\n.end\n", DesignKind::Astable, 7.5, {});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "Simulator not available: libngspice-not-installed.so.0 is not installed.");
}

// The plot keeps every curve inside the canvas and writes the measurement.
TEST(SimulationPlot, DrawsTheRunInsideTheCanvas) {
  SimulationResult result;
  result.ok = true;
  result.time = {0, 1e-3, 2e-3};
  result.capacitor = {0, 10, 5};
  result.output = {13.3, 0.1, 13.3};
  result.frequency = 1000;
  result.duty = 0.5;
  RecordingCanvas canvas(650, 200);
  DrawSimulationPlot(canvas, result, CircuitSettings{}, DesignKind::Astable, "Technical");
  EXPECT_EQ(canvas.callsOf("textOut").front().text, "Simulated: 1.000 kHz, duty cycle 50.0 %");
  for (const CanvasCall& line : canvas.callsOf("lineTo")) {
    EXPECT_TRUE(line.args[0] >= 0 && line.args[0] <= 650 && line.args[1] >= 0 && line.args[1] < 200)
        << line.str();
  }
}

}  // namespace
}  // namespace timer555
