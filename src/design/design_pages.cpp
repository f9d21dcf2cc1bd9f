// The drawing part of the four design pages: the bare schematic of the
// chosen design and its starting capacitor.

#include "design/design_state.h"
#include "design/design_table.h"
#include "design/engine.h"
#include "design/pages.h"
#include "schematic/circuit_library.h"
#include "schematic/circuit_script.h"
#include "schematic/drawing_state.h"

namespace timer555 {

namespace {

void SetStartingCapacitor(const DesignRow& row) {
  DesignState& s = designState;
  s.CapSeriesIndex = 0;
  s.CapDecade = row.startDecade;
  s.C1 = TextToNumber(E12List()[0]) / PowerOfTen(s.CapDecade);
  s.C2 = 1e-8;
  if (row.dutyField == DutyField::FixedAt50) s.DutyCycle = 0.5;
}

}  // namespace

std::string DesignTitle(DesignKind kind) {
  const DesignRow* row = FindDesign(kind);
  return row != nullptr ? row->title : std::string();
}

void DrawDesignPage(DesignKind kind, Canvas& canvas, const TextList& circuits, TextList& buffer) {
  const DesignRow* row = FindDesign(kind);
  if (row == nullptr) return;
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, 0, canvas.width(), canvas.height()});

  buffer = CircuitRecord(circuits, row->record);
  drawingState.ClearPartZones();
  designState.DrawRect = {0, 0, canvas.width(), canvas.height()};
  // The starting capacitor is set even when the script turns out broken, so
  // that a calculation on this page still starts from the design's own C1.
  try {
    RunCircuitScript(buffer, canvas, designState.DrawRect, 0);
  } catch (...) {
    SetStartingCapacitor(*row);
    throw;
  }
  SetStartingCapacitor(*row);
}

}  // namespace timer555
