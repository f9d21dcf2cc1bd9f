#include "schematic/drawing_state.h"
#include "schematic/symbols.h"

namespace timer555 {

namespace {

void Stroke(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.moveTo(x1, y1);
  canvas.lineTo(x2, y2);
}

}  // namespace

void DrawGround(Canvas& canvas, DrawingState& ds) {
  const int x = ds.PenX, y = ds.PenY;
  Stroke(canvas, x - 8, y, x + 8, y);
  Stroke(canvas, x - 4, y + 3, x + 4, y + 3);
  Stroke(canvas, x - 1, y + 6, x + 1, y + 6);
}

void DrawGroundAt(Canvas& canvas, DrawingState& ds) {
  canvas.lineTo(ds.PenX + 2 * ds.GridX, ds.PenY);
  canvas.lineTo(ds.PenX + 2 * ds.GridX, ds.PenY + ds.GridY);
  ds.PenX = PenCoordinate(static_cast<long long>(ds.PenX) + 2LL * ds.GridX);
  ds.PenY = PenCoordinate(static_cast<long long>(ds.PenY) + ds.GridY);
  DrawGround(canvas, ds);
}

void DrawJunction(Canvas& canvas, DrawingState& ds) {
  const int x = ds.PenX, y = ds.PenY;
  Stroke(canvas, x - 1, y - 2, x + 1, y - 2);
  Stroke(canvas, x - 2, y - 1, x + 2, y - 1);
  Stroke(canvas, x - 2, y, x + 2, y);
  Stroke(canvas, x - 2, y + 1, x + 2, y + 1);
  Stroke(canvas, x - 1, y + 2, x + 1, y + 2);
  canvas.moveTo(x, y);
}

void DrawOpAmp(Canvas& canvas, DrawingState& ds) {
  const int f = ds.OpAmpFacing == 1 ? 1 : -1;
  const int x = ds.PenX, y = ds.PenY;
  // v mirrors the figure vertically when the pen is at the lower input.
  const int v = ds.OpAmpInput == 1 ? -1 : 1;
  if (v > 0) {
    canvas.lineTo(x, y - 9);
    canvas.lineTo(x + 31 * f, y + 6);
    canvas.lineTo(x, y + 21);
  } else {
    canvas.lineTo(x, y - 21);
    canvas.lineTo(x + 31 * f, y - 6);
    canvas.lineTo(x, y + 9);
  }
  canvas.lineTo(x, y);
  Stroke(canvas, x + 31 * f, y + 6 * v, x + 36 * f, y + 6 * v);

  // The plus sign is red and sits at the pen's input when OpAmpSense and
  // OpAmpInput agree, at the other input otherwise.
  const bool plusAtPen = (ds.OpAmpSense == 0) == (ds.OpAmpInput == 0);
  const int other = y + 12 * v;
  auto plus = [&](int py, bool lowerStrokeFirst) {
    canvas.setPenColor(colors::Red);
    if (lowerStrokeFirst) {
      Stroke(canvas, x + 6 * f, py - 2, x + 6 * f, py + 3);
      Stroke(canvas, x + 4 * f, py, x + 9 * f, py);
    } else {
      Stroke(canvas, x + 4 * f, py, x + 9 * f, py);
      Stroke(canvas, x + 6 * f, py - 2, x + 6 * f, py + 3);
    }
    canvas.setPenColor(colors::Black);
  };
  if (plusAtPen) {
    plus(y, false);
    Stroke(canvas, x + 4 * f, other, x + 9 * f, other);
  } else {
    Stroke(canvas, x + 4 * f, y, x + 9 * f, y);
    plus(other, true);
  }
  ds.PenY = PenCoordinate(static_cast<long long>(y) + 6LL * v);
  ds.PenX = PenCoordinate(static_cast<long long>(x) + 36LL * f);
  canvas.moveTo(ds.PenX, ds.PenY);
}

}  // namespace timer555
