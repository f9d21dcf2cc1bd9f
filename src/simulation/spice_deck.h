#pragma once

// The SPICE deck of a design: a self-contained netlist with our own
// behavioural 555, the parts as shown, the supply, the transient analysis and
// the measurements, for ngspice (in process or `ngspice -b`).

#include <string>

#include "design/built_circuit.h"
#include "design/circuit_settings.h"
#include "design/design_kind.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// What a deck simulates.
struct DeckRequest {
  DesignKind kind = DesignKind::None;
  PartValues parts;          ///< R1, R2, C1, C2 as shown (adjusted ones included)
  CircuitSettings settings;  ///< supply and timer family
  DesignTarget inputs;       ///< the design's inputs, named in the deck's comments
  double stopTime = 0;       ///< s to simulate; 0 takes SuggestedStopTime
};

/// The nodes the deck names and a run reads back: the voltage across C1 and
/// the output.
inline constexpr const char* kCapacitorNode = "cap";
inline constexpr const char* kOutputNode = "out";

/// How long to simulate: an astable's start-up from an empty C1 and three
/// periods after it (with a quarter period to spare), or the monostable's
/// whole pulse with a little before and after. From the expected timing,
/// or the ideal one when the built circuit never runs.
double SuggestedStopTime(DesignKind kind, const PartValues& parts, const CircuitSettings& settings);

/// The level at which the output's edges are measured: halfway between
/// its low and its high level.
double OutputEdgeLevel(const CircuitSettings& settings);

/// The deck. Its `.meas` results are `frequency` (Hz) and `duty` (a
/// fraction) for the astable designs, averaged over the three periods after
/// the first, longer one, or `pulse` (s) for the monostable.
std::string SpiceDeck(const DeckRequest& request);

}  // namespace timer555
