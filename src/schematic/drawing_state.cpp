#include "schematic/drawing_state.h"
namespace timer555 {
DrawingState drawingState;
}  // namespace timer555
