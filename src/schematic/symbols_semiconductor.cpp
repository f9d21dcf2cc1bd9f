#include <algorithm>
#include <string>

#include "schematic/symbol_axis.h"
#include "schematic/symbols.h"

namespace timer555 {

namespace {

// The diode body shared by the diode and the LED: lead to the bar, the
// triangle pointing along the symbol, the cathode bar and the far lead.
void DrawDiodeBody(Canvas& canvas, const SymbolAxis& a) {
  canvas.lineTo(a.X(16, 0), a.Y(16, 0));
  canvas.polygon({{a.X(16, 0), a.Y(16, 0)}, {a.X(8, -4), a.Y(8, -4)}, {a.X(8, 4), a.Y(8, 4)}});
  canvas.moveTo(a.X(16, -4), a.Y(16, -4));
  canvas.lineTo(a.X(16, 4), a.Y(16, 4));
  canvas.moveTo(a.X(16, 0), a.Y(16, 0));
  canvas.lineTo(a.X(24, 0), a.Y(24, 0));
}

// Writes the name label; `across` is the distance of a vertical symbol's
// label from its axis and `up`/`down` the offsets of a horizontal one's.
void WriteName(Canvas& canvas, const DrawingState& ds, const SymbolAxis& a, const std::string& name,
               int across, int up, int down) {
  const int w = canvas.textWidth(name);
  const int x = ds.PenX, y = ds.PenY;
  if (a.horizontal) {
    if (ds.LabelSide == 2) canvas.textOut(x + 12 * a.s - w / 2, y - up, name);
    if (ds.LabelSide == 3) canvas.textOut(x + 12 * a.s - w / 2, y + down, name);
    return;
  }
  const int ty = a.s < 0 ? y - 16 : y + 10;
  if (ds.LabelSide == 0) canvas.textOut(x - across - w, ty, name);
  if (ds.LabelSide == 1) canvas.textOut(x + across, ty, name);
}

void Advance(DrawingState& ds, const SymbolAxis& a, int length) {
  if (a.horizontal) {
    ds.PenX = PenCoordinate(static_cast<long long>(ds.PenX) + static_cast<long long>(a.s) * length);
  } else {
    ds.PenY = PenCoordinate(static_cast<long long>(ds.PenY) + static_cast<long long>(a.s) * length);
  }
}

}  // namespace

void DrawDiode(Canvas& canvas, DrawingState& ds) {
  const SymbolAxis a = SymbolAxis::FromState(ds);
  // The brush is black only while the triangle is filled: a direction that
  // does not fit draws nothing and leaves the white brush that the texts and
  // fills after it rely on.
  if (a.s != 0) {
    canvas.setBrushColor(colors::Black);
    DrawDiodeBody(canvas, a);
    canvas.setBrushColor(colors::White);
    canvas.setFontColor(colors::Black);
    WriteName(canvas, ds, a, "D" + std::to_string(ds.PartIndex), 6, 20, 6);
    Advance(ds, a, 24);
  }
  canvas.moveTo(ds.PenX, ds.PenY);
}

void DrawLED(Canvas& canvas, DrawingState& ds) {
  canvas.setBrushColor(colors::White);
  const SymbolAxis a = SymbolAxis::FromState(ds);
  if (a.s != 0) {
    canvas.ellipse(std::min(a.X(4, -8), a.X(20, 8)), std::min(a.Y(4, -8), a.Y(20, 8)),
                   std::max(a.X(4, -8), a.X(20, 8)), std::max(a.Y(4, -8), a.Y(20, 8)));
    canvas.setBrushColor(colors::Black);
    canvas.moveTo(ds.PenX, ds.PenY);
    DrawDiodeBody(canvas, a);
    // Rays above a horizontal LED, right of a vertical one.
    const int side = a.horizontal ? -1 : 1;
    canvas.moveTo(a.X(20, 6 * side), a.Y(20, 6 * side));
    canvas.lineTo(a.X(24, 8 * side), a.Y(24, 8 * side));
    canvas.moveTo(a.X(22, 4 * side), a.Y(22, 4 * side));
    canvas.lineTo(a.X(26, 6 * side), a.Y(26, 6 * side));
    canvas.setBrushColor(colors::White);
    canvas.setFontColor(colors::Black);
    WriteName(canvas, ds, a, "LED" + std::to_string(ds.PartIndex), 10, 22, 10);
    Advance(ds, a, 24);
  }
  canvas.moveTo(ds.PenX, ds.PenY);
}

void DrawTransistor(Canvas& canvas, DrawingState& ds) {
  const int s = ds.Direction == 1 ? 1 : ds.Direction == 0 ? -1 : 0;
  if (s == 0) {
    // Not left or right: nothing to draw. The brush stays white so that
    // later fills and text backgrounds are not blackened.
    canvas.moveTo(ds.PenX, ds.PenY);
    return;
  }
  const int x = ds.PenX, y = ds.PenY, gx = ds.GridX, gy = ds.GridY;
  canvas.setBrushColor(colors::Black);
  const std::string name = "T" + std::to_string(ds.PartIndex);
  canvas.lineTo(x + s * 2 * gx, y);
  canvas.moveTo(x + s * 2 * gx, y - 2 * gy);
  canvas.lineTo(x + s * 2 * gx, y + 2 * gy);
  // Collector and emitter leave the bar a row above and below the base lead,
  // each at a point of its own, so that neither reads as joined to the base.
  canvas.moveTo(x + s * 2 * gx, y + gy);
  canvas.lineTo(x + s * 4 * gx, y + 3 * gy);
  canvas.lineTo(x + s * 4 * gx, y + 4 * gy);
  canvas.moveTo(x + s * 2 * gx, y - gy);
  canvas.lineTo(x + s * 4 * gx, y - 3 * gy);
  canvas.lineTo(x + s * 4 * gx, y - 4 * gy);
  if (ds.TransistorType == 0) {
    // NPN: at the lower lead's bend, pointing away from the base.
    canvas.polygon({{x + s * 4 * gx, y + 3 * gy},
                    {x + s * (2 * gx + gx / 2), y + 3 * gy},
                    {x + s * 4 * gx, y + gy + gy / 2}});
  } else {
    // PNP: a quarter along the upper lead, pointing into the base; the same
    // shape, kept off the bar so that it does not reach past the bar's end.
    canvas.polygon({{x + s * (2 * gx + gx / 2), y - (gy + gy / 2)},
                    {x + s * (2 * gx + gx / 2), y - 3 * gy},
                    {x + s * 4 * gx, y - (gy + gy / 2)}});
  }
  canvas.setBrushColor(colors::White);
  canvas.setFontColor(colors::Black);
  // The name stands beside the symbol, level with the base, on the side away
  // from the base lead, clear of the leads and of the wire that feeds the base.
  const int w = canvas.textWidth(name);
  const int h = canvas.textHeight(name);
  const int leadsX = x + s * 4 * gx;
  canvas.textOut(s < 0 ? leadsX - 4 - w : leadsX + 4, y - h / 2, name);
  ds.PenX = PenCoordinate(static_cast<long long>(x) + s * 4LL * gx);
  ds.PenY = PenCoordinate(static_cast<long long>(y) + 4LL * gy);
  canvas.moveTo(ds.PenX, ds.PenY);
}

}  // namespace timer555
