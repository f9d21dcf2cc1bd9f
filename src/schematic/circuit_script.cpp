#include "schematic/circuit_script.h"

#include <algorithm>

#include "platform/scaling.h"
#include "schematic/drawing_state.h"
#include "schematic/symbols.h"

namespace timer555 {

namespace {

constexpr int kColumns = 70;
constexpr int kRows = 33;
constexpr int kCommandLength = 5;
constexpr int kSlotsPerLine = 10;
// Grid cells beyond this size would let positions overflow; no real image
// comes near it (70 columns of it are several million pixels).
constexpr long long kMaxGrid = 1 << 16;

// Orientation, Direction and LabelSide letters; -1 keeps the setting.
int OrientationOf(char c) { return c == 'V' ? 0 : c == 'H' ? 1 : -1; }

int SideOf(char c) {
  switch (c) {
    case 'L': return 0;
    case 'R': return 1;
    case 'U': return 2;
    case 'D': return 3;
    default: return -1;
  }
}

void SetIf(int& setting, int value) {
  if (value >= 0) setting = value;
}

// Component number of d, C, R and l: one digit, "0" meaning 10.
int ComponentNumber(const std::string& cmd) {
  int n = ScriptInteger(cmd.substr(4, 1));
  return n == 0 ? 10 : n;
}

// Sets the pen to grid point (xx, yy) of the command; the offset form lies
// two rows lower.
void SetPenToGrid(DrawingState& ds, const std::string& cmd, bool offset) {
  long long x = ScriptInteger(cmd.substr(1, 2));
  ds.PenX = PenCoordinate(ds.OriginX + x * ds.GridX);
  long long y = ScriptInteger(cmd.substr(3, 2));
  ds.PenY = PenCoordinate(ds.OriginY + y * ds.GridY + (offset ? 2LL * ds.GridY : 0));
}

void DrawLabel(Canvas& canvas, DrawingState& ds, const std::string& cmd) {
  canvas.setFontColor(colors::Green);
  SetIf(ds.LabelSide, SideOf(cmd[1]));
  std::string text = cmd.substr(2, 3);
  int w = canvas.textWidth(text);
  int h = canvas.textHeight(text);
  int x = ds.PenX, y = ds.PenY;
  switch (ds.LabelSide) {
    case 0:
      x -= 2 * w;
      y -= h / 2;
      break;
    case 1:
      x += w / 2;
      y -= h / 2;
      break;
    case 2:
      x -= w / 2;
      y -= h;
      break;
    default:
      x -= w / 2;
      y += h / 2;
      break;
  }
  canvas.textOut(x, y, text);
  canvas.setFontColor(colors::Black);
}

void DrawTerminalAt(Canvas& canvas, const DrawingState& ds, int x, int y) {
  canvas.ellipse(x - ds.GridX / 2, y - ds.GridY / 2, x + ds.GridX / 2, y + ds.GridY / 2);
}

// Output stage: an amplifier with its lower input grounded, a terminal on
// its output and the preset resistor from its upper input.
void DrawOutputStage(Canvas& canvas, DrawingState& ds, const std::string& cmd, int showValues) {
  SetPenToGrid(ds, cmd, false);
  const int x = ds.PenX, y = ds.PenY;
  const int gx = ds.GridX, gy = ds.GridY;
  canvas.moveTo(x, y + 2 * gy);
  canvas.lineTo(x - 2 * gx, y + 2 * gy);
  canvas.lineTo(x - 2 * gx, y + 5 * gy);
  ds.PenX = x - 2 * gx;
  ds.PenY = y + 5 * gy;
  DrawGround(canvas, ds);

  ds.PenX = x;
  ds.PenY = y;
  canvas.moveTo(x, y);
  ds.OpAmpSense = 1;
  ds.OpAmpFacing = 1;
  ds.OpAmpInput = 0;
  DrawOpAmp(canvas, ds);
  DrawJunction(canvas, ds);
  canvas.lineTo(ds.PenX + 2 * gx, ds.PenY);
  DrawTerminalAt(canvas, ds, ds.PenX + 2 * gx, ds.PenY);
  canvas.setFontColor(colors::Green);
  canvas.textOut(ds.PenX + gx, ds.PenY + gy, "V o");

  ds.PenX = x - 2 * gx;
  ds.PenY = y;
  canvas.moveTo(ds.PenX, ds.PenY);
  DrawJunction(canvas, ds);
  canvas.lineTo(ds.PenX, ds.PenY - 4 * gy);
  canvas.lineTo(ds.PenX + gx, ds.PenY - 4 * gy);
  ds.PenX += gx;
  ds.PenY -= 4 * gy;

  ds.Direction = 1;
  ds.Orientation = 1;
  ds.LabelSide = 2;
  ds.PartIndex = ds.PresetIndex;
  DrawResistor(canvas, ds, showValues);
  canvas.lineTo(ds.PenX + gx, ds.PenY);
  canvas.lineTo(ds.PenX + gx, ds.PenY + 5 * gy);
  canvas.setFontColor(colors::Black);
}

// d, C, R and l: orientation, direction, label side and number, then the
// symbol.
void RunTwoTerminal(Canvas& canvas, DrawingState& ds, const std::string& cmd, int showValues) {
  SetIf(ds.Orientation, OrientationOf(cmd[1]));
  SetIf(ds.Direction, SideOf(cmd[2]));
  SetIf(ds.LabelSide, SideOf(cmd[3]));
  ds.PartIndex = ComponentNumber(cmd);
  if (cmd[0] == 'd') DrawDiode(canvas, ds);
  if (cmd[0] == 'C') DrawCapacitor(canvas, ds, showValues);
  if (cmd[0] == 'R') DrawResistor(canvas, ds, showValues);
  if (cmd[0] == 'l') DrawLED(canvas, ds);
}

// O: plus input up or down, pointing left or right, pen at the upper or
// lower input; other letters keep the setting.
void RunOpAmp(Canvas& canvas, DrawingState& ds, const std::string& cmd) {
  if (cmd[1] == 'U') ds.OpAmpSense = 0;
  if (cmd[1] == 'D') ds.OpAmpSense = 1;
  if (cmd[2] == 'L') ds.OpAmpFacing = 0;
  if (cmd[2] == 'R') ds.OpAmpFacing = 1;
  if (cmd[3] == 'U') ds.OpAmpInput = 0;
  if (cmd[3] == 'L') ds.OpAmpInput = 1;
  DrawOpAmp(canvas, ds);
}

// t: opening left or right, NPN or PNP, and the number.
void RunTransistor(Canvas& canvas, DrawingState& ds, const std::string& cmd) {
  if (cmd[1] == 'L') ds.Direction = 0;
  if (cmd[1] == 'R') ds.Direction = 1;
  if (cmd[2] == 'N') ds.TransistorType = 0;
  if (cmd[2] == 'P') ds.TransistorType = 1;
  ds.PartIndex = ScriptInteger(cmd.substr(3, 1));
  DrawTransistor(canvas, ds);
}

void RunCommand(Canvas& canvas, DrawingState& ds, const std::string& cmd, int showValues) {
  switch (cmd[0]) {
    case 'H':
      if (cmd.compare(1, 4, "BLCK") == 0) {
        canvas.setPenColor(colors::Black);
      } else if (cmd.compare(1, 4, "BLUE") == 0) {
        canvas.setPenColor(colors::Blue);
      }
      break;
    case 'M':
      SetPenToGrid(ds, cmd, true);
      canvas.moveTo(ds.PenX, ds.PenY);
      break;
    case 'D':
      SetPenToGrid(ds, cmd, true);
      canvas.lineTo(ds.PenX, ds.PenY);
      // The line leaves out its end pixel; the wire's end is always black.
      canvas.setPixel(ds.PenX, ds.PenY, colors::Black);
      break;
    case 'd':
    case 'C':
    case 'R':
    case 'l': RunTwoTerminal(canvas, ds, cmd, showValues); break;
    case 'P': ds.PresetIndex = ScriptInteger(cmd.substr(1, 2)); break;
    case 's':
      if (cmd[1] == 'w') DrawSwitch(canvas, ds);
      if (cmd[1] == 'p') DrawSpeaker(canvas, ds);
      break;
    case 'c': DrawCounter(canvas, ds); break;
    case 'r': DrawRelay(canvas, ds); break;
    case '5':
      ds.PartIndex = ScriptInteger(cmd.substr(3, 1));
      DrawTimer(canvas, ds);
      break;
    case 'O': RunOpAmp(canvas, ds, cmd); break;
    case 'G': DrawGround(canvas, ds); break;
    case 'Q': DrawOutputStage(canvas, ds, cmd, showValues); break;
    case 'Z':
      SetPenToGrid(ds, cmd, false);
      canvas.moveTo(ds.PenX, ds.PenY);
      DrawGroundAt(canvas, ds);
      break;
    case 'L': DrawLabel(canvas, ds, cmd); break;
    case 'J':
      SetPenToGrid(ds, cmd, true);
      DrawJunction(canvas, ds);
      break;
    case 'j': DrawFlipFlop(canvas, ds); break;
    case 'T':
      SetPenToGrid(ds, cmd, true);
      canvas.moveTo(ds.PenX, ds.PenY);
      DrawTerminalAt(canvas, ds, ds.PenX, ds.PenY);
      break;
    case 't': RunTransistor(canvas, ds, cmd); break;
    case 'x':
      if (cmd[1] == 'p') DrawStepUpTransformer(canvas, ds);
      if (cmd[1] == 'a') DrawTransformer(canvas, ds);
      break;
    default:  // "X" and every unknown letter: nothing
      break;
  }
}

}  // namespace

int ScriptInteger(const std::string& field) {
  std::size_t i = field.find_first_not_of(' ');
  bool negative = false;
  if (i != std::string::npos && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  bool valid = i != std::string::npos && i < field.size();
  long long value = 0;
  for (std::size_t k = i; valid && k < field.size(); ++k) {
    char c = field[k];
    if (c < '0' || c > '9') {
      valid = false;
    } else {
      value = value * 10 + (c - '0');
      if (value > 2147483648LL) valid = false;
    }
  }
  if (valid && negative) value = -value;
  if (!valid || value > 2147483647LL) {
    throw ScriptConversionError("'" + field + "' is not a valid integer value");
  }
  return static_cast<int>(value);
}

int PenCoordinate(long long value) {
  constexpr long long limit = 1LL << 30;
  return static_cast<int>(std::clamp(value, -limit, limit));
}

PartZones RunCircuitScript(const std::vector<std::string>& lines, Canvas& canvas, const Rect& rect,
                           const DrawOptions& options) {
  canvas.setPenColor(colors::White);
  canvas.setPenWidth(1);
  canvas.setBrushColor(colors::White);
  if (options.clearFirst) canvas.fillRect(rect);
  canvas.setPenColor(colors::Black);
  canvas.setFontName(kDisplayFace);
  canvas.setFontBold(false);
  canvas.setFontUnderline(false);
  canvas.setFontSize(10);
  canvas.setFontSize(ScaleTrunc(canvas.fontSize()));

  DrawingState ds;
  ds.TimerChoice = options.chip;
  ds.Values = options.values;
  const int showValues = options.showValues ? 1 : 0;
  long long width = static_cast<long long>(rect.right) - rect.left;
  long long height = static_cast<long long>(rect.bottom) - rect.top;
  ds.GridY = static_cast<int>(std::clamp(height / kRows, -kMaxGrid, kMaxGrid));
  ds.GridX = static_cast<int>(std::clamp(width / kColumns, -kMaxGrid, kMaxGrid));
  ds.OriginX = PenCoordinate(rect.left);
  ds.OriginY = PenCoordinate(rect.top);

  for (const std::string& line : lines) {
    for (int slot = 0; slot < kSlotsPerLine; ++slot) {
      std::size_t start = static_cast<std::size_t>(slot) * (kCommandLength + 1);
      // A slot beyond the end of a short line is a filler; a slot cut short
      // is completed with blanks, as an editor may have stripped them.
      if (start >= line.size()) break;
      std::string cmd = line.substr(start, kCommandLength);
      cmd.resize(kCommandLength, ' ');
      RunCommand(canvas, ds, cmd, showValues);
    }
  }
  PartZones zones;
  for (int i = 0; i < 5; ++i) zones.Resistors[i] = ds.ResistorZones[i];
  zones.C1 = ds.C1Zone;
  return zones;
}

}  // namespace timer555
