#pragma once

// Simulation in process through ngspice's shared library, loaded when first
// needed, so that a machine without it still runs the program.

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "design/circuit_settings.h"
#include "design/design_kind.h"
#include "simulation/spice_deck.h"

namespace timer555 {

/// What a simulation gave. On failure `ok` is false, `message` says why
/// and the rest is empty.
struct SimulationResult {
  bool ok = false;
  std::string message;              ///< "Simulator not available.", "The simulation did not converge." ...
  std::vector<double> time;         ///< s
  std::vector<double> capacitor;    ///< V across C1
  std::vector<double> output;       ///< V at the output
  std::optional<double> frequency;  ///< Hz (astable designs), from the output's edges
  std::optional<double> duty;       ///< fraction (astable designs)
  std::optional<double> pulse;      ///< s (monostable)
};

/// Lets another thread stop a run: keep it beside the run and call Cancel.
class SimulationCancel {
 public:
  void Cancel() { cancelled_.store(true); }
  bool Cancelled() const { return cancelled_.load(); }

 private:
  std::atomic<bool> cancelled_{false};
};

struct SimulationOptions {
  const SimulationCancel* cancel = nullptr;  ///< checked every few milliseconds while the run lasts
  double timeLimit = 5;                      ///< s of wall-clock time before the run is stopped
};

/// The frequency and duty cycle (or the pulse) measured from the output's
/// edges at `level` exactly as the deck's `.meas` lines do: the astable's
/// three periods from its second rising edge on, the monostable's first
/// rising to first falling edge, each edge interpolated linearly.
struct EdgeMeasurement {
  std::optional<double> frequency;
  std::optional<double> duty;
  std::optional<double> pulse;
};
EdgeMeasurement MeasureOutput(DesignKind kind, const std::vector<double>& time,
                              const std::vector<double>& output, double level);

/// ngspice's shared library, loaded with dlopen. ngspice keeps its circuit
/// and results in globals of its own, so runs through one library take
/// turns (a second caller waits for the first run to end).
class NgspiceLibrary {
 public:
  /// Loads `soname` and initialises ngspice; available() says whether that
  /// worked.
  explicit NgspiceLibrary(const char* soname);
  ~NgspiceLibrary();
  NgspiceLibrary(const NgspiceLibrary&) = delete;
  NgspiceLibrary& operator=(const NgspiceLibrary&) = delete;

  bool available() const;
  /// Why the library is not available (empty when it is).
  const std::string& problem() const;

  /// Runs `deck` (one line per line) and reads back the nodes of
  /// spice_deck.h; the output's edges are measured at `edgeLevel`. Safe to
  /// call from any thread.
  SimulationResult Run(const std::string& deck, DesignKind kind, double edgeLevel,
                       const SimulationOptions& options);

  struct State;

 private:
  std::unique_ptr<State> state_;
};

/// The program's one ngspice ("libngspice.so.0"), loaded on first use.
NgspiceLibrary& SharedNgspice();

/// Whether the shared library could be loaded.
bool SimulatorAvailable();

/// Runs a deck through the shared library.
SimulationResult RunDeck(const std::string& deck, DesignKind kind, const CircuitSettings& settings,
                         const SimulationOptions& options = {});

/// Writes the request's deck and runs it.
SimulationResult Simulate(const DeckRequest& request, const SimulationOptions& options = {});

}  // namespace timer555
