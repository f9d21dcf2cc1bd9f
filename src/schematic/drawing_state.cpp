#include "schematic/drawing_state.h"

#include "schematic/schematic_inputs.h"

namespace timer555 {

DrawingState drawingState;
SchematicInputs schematicInputs;

const PartValues& SchematicInputs::values() const {
  static const PartValues none;
  return Values != nullptr ? *Values : none;
}

}  // namespace timer555
