#include "schematic/drawing_state.h"
#include "schematic/symbols.h"

namespace timer555 {

namespace {

// Grid points relative to the pen at the routine's entry.
struct Grid {
  int x0, y0, gx, gy;
  int X(int a) const { return x0 + a * gx; }
  int Y(int b) const { return y0 + b * gy; }
};

Grid AtPen(const DrawingState& ds) { return {ds.PenX, ds.PenY, ds.GridX, ds.GridY}; }

void MoveTo(Canvas& c, const Grid& g, int a, int b) { c.moveTo(g.X(a), g.Y(b)); }
void LineTo(Canvas& c, const Grid& g, int a, int b) { c.lineTo(g.X(a), g.Y(b)); }

// Which side of its coil a winding's turn bulges to.
enum class Bulge { Left, Right };

// Which ends of a turn meet the next turn of the same winding.
enum class Joins { None, Top, Bottom, Both };

// One turn of a winding: the half circle in the two-by-two box whose
// top-left grid point is (a, b), between the middles of its top and bottom
// edges, drawn counter-clockwise (bottom to top for a right bulge, top to
// bottom for a left one). Where two turns meet, the flat ends of both half
// circles would lie in neighbouring rows and thicken the cusp into a blob
// that reads as a tap dot; there each turn stops a quarter column short of
// the middle, so that the two meet in a clean point.
void HalfCircle(Canvas& c, const Grid& g, int a, int b, Bulge bulge, Joins joins = Joins::None) {
  const int top = g.Y(b), bottom = g.Y(b + 2), middle = g.X(a + 1);
  const int towardBulge = (bulge == Bulge::Right ? 1 : -1) * (g.gx / 4);
  const bool topJoins = joins == Joins::Top || joins == Joins::Both;
  const bool bottomJoins = joins == Joins::Bottom || joins == Joins::Both;
  const int topX = middle + (topJoins ? towardBulge : 0);
  const int bottomX = middle + (bottomJoins ? towardBulge : 0);
  if (bulge == Bulge::Right) {
    c.arc(g.X(a), top, g.X(a + 2), bottom, bottomX, bottom, topX, top);
  } else {
    c.arc(g.X(a), top, g.X(a + 2), bottom, topX, top, bottomX, bottom);
  }
}

// The joins of turn k (counted from the top) of an n-turn winding.
Joins TurnJoins(int k, int n) {
  if (n <= 1) return Joins::None;
  if (k == 0) return Joins::Bottom;
  if (k == n - 1) return Joins::Top;
  return Joins::Both;
}

// Lead, three-turn primary bulging right and the two core lines shared by
// both transformers.
void DrawPrimaryAndCore(Canvas& c, const Grid& g) {
  LineTo(c, g, 2, 0);
  for (int k = 0; k < 3; ++k) HalfCircle(c, g, 1, 2 * k, Bulge::Right, TurnJoins(k, 3));
  MoveTo(c, g, 2, 6);
  LineTo(c, g, 0, 6);
  MoveTo(c, g, 4, 0);
  LineTo(c, g, 4, 6);
  MoveTo(c, g, 5, 0);
  LineTo(c, g, 5, 6);
}

// Secondary bulging left from row `bottom` up to row `top`, drawn bottom
// first, with its lower and upper leads out to column 9.
void DrawSecondary(Canvas& c, const Grid& g, int top, int bottom) {
  MoveTo(c, g, 9, bottom);
  LineTo(c, g, 7, bottom);
  const int turns = (bottom - top) / 2;
  for (int b = bottom; b > top; b -= 2)
    HalfCircle(c, g, 6, b - 2, Bulge::Left, TurnJoins((b - 2 - top) / 2, turns));
  MoveTo(c, g, 7, top);
  LineTo(c, g, 9, top);
}

// A fixed relay contact on row b: a small V with its tip at (tipX, tipY),
// the contact line and a 6-pixel terminal circle at its right end.
void FixedContact(Canvas& c, const Grid& g, int b, int tipX, int tipY) {
  MoveTo(c, g, 1, b);
  c.lineTo(tipX, tipY);
  LineTo(c, g, 2, b);
  MoveTo(c, g, 1, b);
  LineTo(c, g, 5, b);
  c.ellipse(g.X(5), g.Y(b) - 3, g.X(5) + 6, g.Y(b) + 3);
}

}  // namespace

void DrawTransformer(Canvas& canvas, DrawingState& ds) {
  const Grid g = AtPen(ds);
  DrawPrimaryAndCore(canvas, g);
  DrawSecondary(canvas, g, 0, 6);
  ds.PenX = PenCoordinate(static_cast<long long>(g.x0) + 9LL * g.gx);
}

void DrawStepUpTransformer(Canvas& canvas, DrawingState& ds) {
  const Grid g = AtPen(ds);
  DrawPrimaryAndCore(canvas, g);
  DrawSecondary(canvas, g, -2, 8);
  ds.PenX = PenCoordinate(static_cast<long long>(g.x0) + 9LL * g.gx);
  ds.PenY = PenCoordinate(static_cast<long long>(g.y0) - 2LL * g.gy);
}

void DrawRelay(Canvas& canvas, DrawingState& ds) {
  const Grid g = AtPen(ds);
  FixedContact(canvas, g, -8, g.x0 + (3 * g.gx) / 2, g.y0 - (15 * g.gy) / 2);
  FixedContact(canvas, g, -4, g.x0 + (3 * g.gx) / 2, g.y0 - (9 * g.gy) / 2);
  MoveTo(canvas, g, 1, -7);
  LineTo(canvas, g, 5, -6);
  canvas.ellipse(g.X(5), g.Y(-6) - 3, g.X(5) + 6, g.Y(-6) + 3);

  // The core, filled; then the winding over it: the leads cross the core to
  // the winding's ends, and the winding crosses the core's face between
  // turns, so that it runs as one helix from the upper lead to the lower.
  canvas.rectangle(g.X(2), g.Y(-1), g.X(4), g.Y(7));
  MoveTo(canvas, g, 0, 0);
  LineTo(canvas, g, 4, 0);
  MoveTo(canvas, g, 4, 2);
  LineTo(canvas, g, 2, 2);
  MoveTo(canvas, g, 2, 4);
  LineTo(canvas, g, 4, 4);
  MoveTo(canvas, g, 4, 6);
  LineTo(canvas, g, 0, 6);
  // The turns reach past the core on both sides.
  HalfCircle(canvas, g, 3, 0, Bulge::Right);
  HalfCircle(canvas, g, 1, 2, Bulge::Left);
  HalfCircle(canvas, g, 3, 4, Bulge::Right);
  ds.PenY = PenCoordinate(static_cast<long long>(g.y0) + 6LL * g.gy);
}

void DrawSpeaker(Canvas& canvas, DrawingState& ds) {
  const Grid g = AtPen(ds);
  LineTo(canvas, g, 0, -6);
  canvas.rectangle(g.X(-1), g.Y(-4), g.X(1), g.Y(-2));
  MoveTo(canvas, g, 1, -2);
  LineTo(canvas, g, 2, -1);
  LineTo(canvas, g, 2, -5);
  canvas.lineTo(g.x0 + g.gx - 1, g.y0 - 4 * g.gy + 1);
  ds.PenY = PenCoordinate(static_cast<long long>(g.y0) - 6LL * g.gy);
}

void DrawSwitch(Canvas& canvas, DrawingState& ds) {
  const Grid g = AtPen(ds);
  const int x = g.x0, y = g.y0;
  canvas.lineTo(x, y - 2 * g.gy + 3);
  canvas.ellipse(x - 3, y - 2 * g.gy + 3, x + 3, y - 2 * g.gy - 3);
  canvas.moveTo(x + 1, y - 2 * g.gy - 2);
  canvas.lineTo(x + g.gx, y - (9 * g.gy) / 2);
  canvas.ellipse(x - 3, y - 5 * g.gy + 3, x + 3, y - 5 * g.gy - 3);
  canvas.moveTo(x, y - 5 * g.gy - 3);
  LineTo(canvas, g, 0, -7);
  ds.PenY = PenCoordinate(static_cast<long long>(y) - 7LL * g.gy);
}

}  // namespace timer555
