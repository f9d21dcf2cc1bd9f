#pragma once

#include "schematic/drawing_state.h"

namespace timer555 {

/// Lays a two-terminal symbol along its axis: a point is given as the
/// distance along the symbol (in its drawing direction) and the offset
/// across it (below a horizontal symbol, right of a vertical one).
struct SymbolAxis {
  bool horizontal = false;
  int s = 0;  ///< +1 right or down, -1 left or up, 0 when the settings do not fit
  int x0 = 0, y0 = 0;

  /// The axis for the current Orientation and Direction at the pen; s is 0
  /// when the direction does not fit the orientation.
  static SymbolAxis FromState(const DrawingState& ds) {
    SymbolAxis a;
    a.horizontal = ds.Orientation == 1;
    a.x0 = ds.PenX;
    a.y0 = ds.PenY;
    if (a.horizontal) {
      a.s = ds.Direction == 1 ? 1 : ds.Direction == 0 ? -1 : 0;
    } else {
      a.s = ds.Direction == 3 ? 1 : ds.Direction == 2 ? -1 : 0;
    }
    return a;
  }

  int X(int along, int across) const { return horizontal ? x0 + s * along : x0 + across; }
  int Y(int along, int across) const { return horizontal ? y0 + across : y0 + s * along; }
};

}  // namespace timer555
