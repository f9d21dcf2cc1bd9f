#include <string>
#include <string_view>

#include "platform/scaling.h"
#include "schematic/drawing_state.h"
#include "schematic/symbols.h"

namespace timer555 {

namespace {

// Two-character fields k = 1..8 of the timer's constant texts.
std::string Field(const char* text, int k) {
  return std::string(std::string_view(text).substr(2 * static_cast<std::size_t>(k - 1), 2));
}

// Slot positions of the timer pins in grid units from the pen; y counts
// upwards.
constexpr const char* kSlotX = "0101010408110804";
constexpr const char* kSlotY = "000408111104-3-3";
// Pin numbers by slot for the single timer and the two halves of the dual.
constexpr const char* kPins555 = "0206070408030105";
constexpr const char* kPins556A = "0602010414050703";
constexpr const char* kPins556B = "0812131014090711";

}  // namespace

void DrawTimer(Canvas& canvas, DrawingState& ds) {
  const char* pins = ds.TimerChoice == TimerChip::Dual556A   ? kPins556A
                     : ds.TimerChoice == TimerChip::Dual556B ? kPins556B
                                                             : kPins555;
  // Pin numbers are placed by the height of the schematic font, measured
  // before the smaller pin font is chosen.
  const int h = canvas.textHeight(pins);
  canvas.setFontColor(colors::Navy);
  canvas.setFontName("Arial");
  canvas.setFontSize(8);
  canvas.setFontSize(ScaleTrunc(canvas.fontSize()));

  const int gx = ds.GridX, gy = ds.GridY;
  canvas.rectangle(ds.PenX + gx, ds.PenY - 11 * gy, ds.PenX + 11 * gx, ds.PenY + 3 * gy);
  for (int k = 1; k <= 8; ++k) {
    const int ex = ds.PenX + ScriptInteger(Field(kSlotX, k)) * gx;
    const int ey = ds.PenY - ScriptInteger(Field(kSlotY, k)) * gy;
    canvas.moveTo(ex, ey);
    if (k <= 3) {
      canvas.lineTo(ex - gx, ey);
    } else if (k <= 5) {
      canvas.lineTo(ex, ey - gy);
    } else if (k == 6) {
      canvas.lineTo(ex + gx, ey);
    } else {
      canvas.lineTo(ex, ey + gy);
    }
    std::string pin = Field(pins, k);
    if (pin[0] == '0') pin.erase(0, 1);
    const int w = canvas.textWidth(pin);
    if (k <= 3) {
      // The two-digit numbers 12 and 13 would reach too far into the box.
      const bool twoDigitLeft = ds.TimerChoice == TimerChip::Dual556B && (k == 2 || k == 3);
      canvas.textOut(ex + (twoDigitLeft ? w / 3 : w), ey - h / 2, pin);
    } else if (k <= 5) {
      canvas.textOut(ex - w / 2, ey + h / 4, pin);
    } else if (k == 6) {
      canvas.textOut(ex - (3 * w) / 2, ey - h / 2, pin);
    } else {
      canvas.textOut(ex - w / 2, ey - (5 * h) / 4, pin);
    }
  }

  canvas.setFontName("Technical");
  canvas.setFontSize(10);
  canvas.setFontSize(ScaleTrunc(canvas.fontSize()));
  canvas.setFontColor(colors::Red);
  const std::string title = ds.TimerChoice == TimerChip::Single555  ? "555"
                            : ds.TimerChoice == TimerChip::Dual556A ? "556A"
                                                                    : "556B";
  const int w = canvas.textWidth(title);
  canvas.textOut(ds.PenX + 6 * gx - w / 2, ds.PenY - 6 * gy, title);
}

void DrawCounter(Canvas& canvas, DrawingState& ds) {
  const int x = ds.PenX, y = ds.PenY, gx = ds.GridX, gy = ds.GridY;
  canvas.setFontColor(colors::Navy);
  canvas.lineTo(x + gx, y);
  canvas.rectangle(x + gx, y - 4 * gy, x + 9 * gx, y + 4 * gy);
  canvas.textOut(x + gx + 3, y - canvas.textHeight("CLK") / 2, "CLK");
  canvas.moveTo(x + 9 * gx, y);
  canvas.lineTo(x + 10 * gx, y);
  canvas.textOut(x + 9 * gx - canvas.textWidth("Qx") - 3, y - canvas.textHeight("Qx") / 2, "Qx");
  canvas.moveTo(x + 5 * gx, y + 4 * gy);
  canvas.lineTo(x + 5 * gx, y + 5 * gy);
  canvas.textOut(x + 5 * gx - canvas.textWidth("RST") / 2, y + 4 * gy - canvas.textHeight("RST") - 3, "RST");
  canvas.setFontColor(colors::Red);
  const std::string title = "4020/4040";
  canvas.textOut(x + 5 * gx - canvas.textWidth(title) / 2, y - 6 * gy, title);
  ds.PenX = PenCoordinate(static_cast<long long>(x) + 10LL * gx);
}

void DrawFlipFlop(Canvas& canvas, DrawingState& ds) {
  const int x = ds.PenX, y = ds.PenY, gx = ds.GridX, gy = ds.GridY;
  canvas.setBrushColor(colors::White);
  canvas.lineTo(x + gx, y);
  canvas.ellipse(x + gx - 6, y - 3, x + gx, y + 3);
  canvas.rectangle(x + gx, y - 3 * gy, x + 7 * gx, y + 11 * gy);
  canvas.setFontColor(colors::Navy);
  canvas.textOut(x + gx + 3, y - canvas.textHeight("CLK") / 2, "CLK");

  canvas.moveTo(x, y + 4 * gy);
  canvas.lineTo(x + gx, y + 4 * gy);
  canvas.textOut(x + gx + 3, y + 4 * gy - canvas.textHeight("J") / 2, "J");
  canvas.moveTo(x, y + 8 * gy);
  canvas.lineTo(x + gx, y + 8 * gy);
  canvas.textOut(x + gx + 3, y + 8 * gy - canvas.textHeight("K") / 2, "K");

  canvas.moveTo(x + 4 * gx, y - 3 * gy);
  canvas.lineTo(x + 4 * gx, y - 4 * gy);
  canvas.ellipse(x + 4 * gx - 3, y - 3 * gy - 6, x + 4 * gx + 3, y - 3 * gy);
  canvas.textOut(x + 4 * gx - canvas.textWidth("CLR") / 2, y - 3 * gy + 3, "CLR");

  canvas.moveTo(x + 7 * gx, y + 4 * gy);
  canvas.lineTo(x + 8 * gx, y + 4 * gy);
  canvas.textOut(x + 7 * gx - canvas.textWidth("Q") - 3, y + 4 * gy - canvas.textHeight("Q") / 2, "Q");
}

}  // namespace timer555
