#pragma once

#include <string>

#include "design/circuit_settings.h"
#include "design/design_kind.h"
#include "platform/canvas.h"
#include "simulation/simulator.h"

namespace timer555 {

/// Draws a simulation over the whole canvas: the voltage across C1 (blue)
/// with the thresholds at 1/3 Vcc (dotted) and 2/3 Vcc (dashed), the output
/// (red), a time axis with ticks in engineering units, and the simulated
/// frequency and duty cycle (or the pulse) as text; a failed run shows its
/// message. Sized from the canvas (a strip of about 650 x 200 on screen,
/// larger on the sheet); `fontName` is the text face ("Technical").
void DrawSimulationPlot(Canvas& canvas, const SimulationResult& result, const CircuitSettings& settings,
                        DesignKind kind, const std::string& fontName);

/// The line of text above the plot: "Simulated: 913.6 Hz, duty cycle 30.1 %",
/// "Simulated: pulse 1.000 s", what a run without edges shows, or the
/// failure's message.
std::string SimulationSummary(const SimulationResult& result, DesignKind kind);

}  // namespace timer555
