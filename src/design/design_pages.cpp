// The drawing part of the four design pages: the bare schematic of the
// chosen design and its starting capacitor.

#include <array>

#include "design/design_state.h"
#include "design/engine.h"
#include "design/pages.h"
#include "schematic/circuit_script.h"

namespace timer555 {

namespace {

constexpr int kScriptLinesPerDesign = 10;

/// CapDecade of the starting capacitor E12[0] / 10^CapDecade of each design:
/// 1 uF for designs 1 and 3, 10 nF for design 2, 1 mF for the monostable.
constexpr std::array<int, 4> kStartDecade = {8, 10, 8, 5};

void SetStartingCapacitor(int mode) {
  DesignState& s = designState;
  s.CapSeriesIndex = 0;
  s.CapDecade = kStartDecade[static_cast<std::size_t>(mode - 1)];
  s.C1 = TextToNumber(E12List()[0]) / PowerOfTen(s.CapDecade);
  s.C2 = 1e-8;
  if (mode == 2) s.DutyCycle = 0.5;
}

}  // namespace

std::string DesignTitle(int mode) {
  switch (mode) {
    case 1: return "Astable, Duty Cycle > 50%";
    case 2: return "Astable, Duty Cycle = 50%";
    case 3: return "Astable, Duty Cycle < 50%";
    case 4: return "Monostable  (one-shot)";
    default: return {};
  }
}

void DrawDesignPage(int mode, Canvas& canvas, const TextList& circuits, TextList& buffer) {
  if (mode < 1 || mode > 4) return;
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, 0, canvas.width(), canvas.height()});

  // Each design record is a header line and ten script lines, one record
  // after the other.
  buffer.clear();
  const std::size_t first = static_cast<std::size_t>(mode - 1) * (kScriptLinesPerDesign + 1) + 1;
  for (std::size_t i = first; i < first + kScriptLinesPerDesign && i < circuits.size(); ++i) {
    buffer.push_back(circuits[i]);
  }

  designState.DrawRect = {0, 0, canvas.width(), canvas.height()};
  // The starting capacitor is set even when the script turns out broken, so
  // that a calculation on this page still starts from the design's own C1.
  try {
    RunCircuitScript(buffer, canvas, designState.DrawRect, 0);
  } catch (...) {
    SetStartingCapacitor(mode);
    throw;
  }
  SetStartingCapacitor(mode);
}

}  // namespace timer555
