#include <string>

#include "platform/scaling.h"
#include "schematic/symbol_axis.h"
#include "schematic/symbols.h"
#include "schematic/value_text.h"

namespace timer555 {

namespace {

// Top-left corners of the value label and the name label of a two-terminal
// symbol, for one case of orientation, direction and label side.
struct LabelPlaces {
  Point value;
  Point name;
};

// Writes the value label (when values are shown) in red, then the name
// label in black. A label side that does not fit the orientation writes
// nothing.
template <typename PlaceFn>
void WriteLabels(Canvas& canvas, int showValues, const std::string& value, const std::string& name,
                 PlaceFn place) {
  const int wValue = canvas.textWidth(value);
  const int wName = canvas.textWidth(name);
  LabelPlaces p;
  if (!place(wValue, wName, p)) return;
  if (showValues != 0) {
    canvas.setFontColor(colors::Red);
    if (!value.empty()) canvas.textOut(p.value.x, p.value.y, value);
  }
  canvas.setFontColor(colors::Black);
  canvas.textOut(p.name.x, p.name.y, name);
}

// Zone of a two-terminal symbol starting at the pen: 9/6 to 27/6 grid units
// along it and `across`/6 grid units to each side. The far edge of a
// horizontal zone divides before it multiplies, that of a vertical zone
// after.
Rect SymbolZone(const DrawingState& ds, int across) {
  const int x = ds.PenX, y = ds.PenY, gx = ds.GridX, gy = ds.GridY;
  switch (ds.Direction) {
    case 1: return {x + (9 * gx) / 6, y - (across * gy) / 6, x + 27 * (gx / 6), y + (across * gy) / 6};
    case 0: return {x - 27 * (gx / 6), y - (across * gy) / 6, x - (9 * gx) / 6, y + (across * gy) / 6};
    case 2: return {x - (across * gx) / 6, y - (27 * gy) / 6, x + (across * gx) / 6, y - (9 * gy) / 6};
    default: return {x - (across * gx) / 6, y + (9 * gy) / 6, x + (across * gx) / 6, y + (27 * gy) / 6};
  }
}

void AdvancePen(DrawingState& ds, const SymbolAxis& axis, int length) {
  if (axis.horizontal) {
    ds.PenX = PenCoordinate(static_cast<long long>(ds.PenX) + static_cast<long long>(axis.s) * length);
  } else {
    ds.PenY = PenCoordinate(static_cast<long long>(ds.PenY) + static_cast<long long>(axis.s) * length);
  }
}

}  // namespace

void DrawResistor(Canvas& canvas, DrawingState& ds, int showValues) {
  const std::string name = "R" + std::to_string(ds.PartIndex);
  std::string value;
  if (showValues != 0) {
    const PartValues& v = ds.Values;
    if (ds.PartIndex == 1) value = ResistanceText(v.R1);
    if (ds.PartIndex == 2) value = ResistanceText(v.R2);
    if (ds.PartIndex == 3) value = ResistanceText(v.R3);
  }
  const SymbolAxis axis = SymbolAxis::FromState(ds);
  if (axis.s != 0) {
    static constexpr int kAlong[9] = {6, 8, 12, 16, 20, 24, 28, 30, 36};
    static constexpr int kAcross[9] = {0, 3, -3, 3, -3, 3, -3, 0, 0};
    for (int i = 0; i < 9; ++i) canvas.lineTo(axis.X(kAlong[i], kAcross[i]), axis.Y(kAlong[i], kAcross[i]));

    const int lift = ScaleTrunc(20);
    const int x = ds.PenX, y = ds.PenY, s = axis.s;
    const bool shown = showValues != 0;
    WriteLabels(canvas, showValues, value, name, [&](int wv, int wn, LabelPlaces& p) {
      if (axis.horizontal) {
        if (ds.LabelSide == 2) {
          p.value = {x + lift * s - wv / 2, y - 20};
          p.name = {x + 18 * s - wn / 2, y - (shown ? 2 * lift : lift)};
          return true;
        }
        if (ds.LabelSide == 3) {
          p.value = {x + lift * s - wv / 2, y + 15};
          p.name = {x + lift * s - wn / 2, y + 5};
          return true;
        }
        return false;
      }
      if (ds.LabelSide != 0 && ds.LabelSide != 1) return false;
      const bool left = ds.LabelSide == 0;
      p.value.x = left ? x - 6 - wv : x + 6;
      p.name.x = left ? x - 6 - wn : x + 6;
      if (s < 0) {
        p.value.y = y - 16;
        p.name.y = shown ? y - 2 * lift : y - 22;
      } else {
        p.value.y = y + 20;
        p.name.y = shown ? y : y + 14;
      }
      return true;
    });

    // Only resistors 1 to 4 have a zone; other numbers record none.
    if (ds.PartIndex >= 1 && ds.PartIndex <= 4) ds.ResistorZones[ds.PartIndex] = SymbolZone(ds, 3);
    AdvancePen(ds, axis, 36);
  }
  canvas.moveTo(ds.PenX, ds.PenY);
}

void DrawCapacitor(Canvas& canvas, DrawingState& ds, int showValues) {
  const std::string name = "C" + std::to_string(ds.PartIndex);
  std::string value;
  if (showValues != 0) {
    const PartValues& v = ds.Values;
    if (ds.PartIndex == 1) value = CapacitanceText(v.C1);
    if (ds.PartIndex == 2) value = CapacitanceText(v.C2);
    if (ds.PartIndex == 3) value = CapacitanceText(v.C3);
    if (ds.PartIndex == 4) value = CapacitanceText(v.C4);
  }
  const SymbolAxis axis = SymbolAxis::FromState(ds);
  if (axis.s != 0) {
    canvas.lineTo(axis.X(16, 0), axis.Y(16, 0));
    canvas.moveTo(axis.X(16, -7), axis.Y(16, -7));
    canvas.lineTo(axis.X(16, 7), axis.Y(16, 7));
    canvas.moveTo(axis.X(19, -7), axis.Y(19, -7));
    canvas.lineTo(axis.X(19, 7), axis.Y(19, 7));
    canvas.moveTo(axis.X(19, 0), axis.Y(19, 0));
    canvas.lineTo(axis.X(36, 0), axis.Y(36, 0));

    const int lift = ScaleTrunc(20);
    const int lift2 = ScaleTrunc(16);
    const int x = ds.PenX, y = ds.PenY, s = axis.s;
    const bool shown = showValues != 0;
    WriteLabels(canvas, showValues, value, name, [&](int wv, int wn, LabelPlaces& p) {
      if (axis.horizontal) {
        if (ds.LabelSide == 2) {
          p.value = {x + 18 * s - wv / 2, y - lift};
          p.name = {x + 18 * s - wn / 2, y - (shown ? lift + lift2 : lift)};
          return true;
        }
        if (ds.LabelSide == 3) {
          p.value = {x + 18 * s - wv / 2, y + 18};
          p.name = {x + 18 * s - wn / 2, y + 8};
          return true;
        }
        return false;
      }
      if (ds.LabelSide != 0 && ds.LabelSide != 1) return false;
      const bool left = ds.LabelSide == 0;
      p.value.x = left ? x - 10 - wv : x + 10;
      p.name.x = left ? x - 10 - wn : x + 10;
      if (s < 0) {
        p.value.y = y - 16;
        p.name.y = shown ? y - (lift2 + 16) : y - 22;
      } else {
        p.value.y = y + 16;
        p.name.y = shown ? y + 16 - lift2 : y + 14;
      }
      return true;
    });

    if (ds.PartIndex == 1) ds.C1Zone = SymbolZone(ds, 7);
    AdvancePen(ds, axis, 36);
  }
  canvas.moveTo(ds.PenX, ds.PenY);
}

}  // namespace timer555
