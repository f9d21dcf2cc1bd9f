// The drawing part of the four design pages: the bare schematic of the
// chosen design.

#include "design/design_table.h"
#include "design/pages.h"
#include "schematic/circuit_library.h"
#include "schematic/circuit_script.h"

namespace timer555 {

std::string DesignTitle(DesignKind kind) {
  const DesignRow* row = FindDesign(kind);
  return row != nullptr ? row->title : std::string();
}

TextList DesignRecord(DesignKind kind, const TextList& circuits) {
  const DesignRow* row = FindDesign(kind);
  return row != nullptr ? CircuitRecord(circuits, row->record) : TextList();
}

PartZones DrawDesignSchematic(const DesignState& design, Canvas& canvas, const TextList& circuits,
                              bool showValues) {
  if (FindDesign(design.DesignMode) == nullptr) return {};
  DrawOptions options;
  options.showValues = showValues;
  options.values = design;
  options.chip = design.Chip;
  options.clearFirst = true;
  return RunCircuitScript(DesignRecord(design.DesignMode, circuits), canvas, DesignArea(canvas), options);
}

PartZones DrawDesignPage(const DesignState& design, Canvas& canvas, const TextList& circuits) {
  if (FindDesign(design.DesignMode) == nullptr) return {};
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, 0, canvas.width(), canvas.height()});
  return DrawDesignSchematic(design, canvas, circuits, false);
}

}  // namespace timer555
