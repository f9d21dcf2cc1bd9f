// The reference pages: the fourteen application circuits with their notes,
// the component selection notes and the table of timer specifications.
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "design/pages.h"
#include "platform/scaling.h"
#include "schematic/circuit_library.h"
#include "schematic/circuit_script.h"

namespace timer555 {

namespace {

constexpr int kApplicationCount = 14;
constexpr int kPageFontSize = 12;

const std::string& LineAt(const TextList& list, std::size_t index) {
  static const std::string empty;
  return index < list.size() ? list[index] : empty;
}

// The grid a note's column counts on. Page text lies on the grid of the whole
// drawing area; a mark that belongs to a part of the schematic lies on the
// schematic's own grid, which is 40 pixels narrower, so that the mark keeps
// to its part at the columns the circuit record uses.
enum class Grid { Page, Schematic };

// A note: its top-left corner lies at (column * grid width, row * GridY +
// line * L), L being the page's line height.
struct Note {
  int column, row, line;
  const char* text;
  Grid grid = Grid::Page;
};

// The notes and "+" marks of application pages 1..7 (index 0 is unused) and
// of pages 8..14 (index k is page 7 + k); two tables keep each short.
constexpr int kFirstHalf = 7;

const std::vector<Note>& NotesOfFirstHalf(int page) {
  static const std::vector<Note> notes[kFirstHalf + 1] = {
      {},
      // 1
      {{5, 29, 0, "1.  Trigger pulse must be shorter than output pulse."},
       {5, 29, 1, "2,3. AC coupling removes this restriction."}},
      // 2
      {{49, 6, 0, "Set monostable pulse length"},
       {49, 6, 1, "to be slightly longer than"},
       {49, 6, 2, "period of input pulse train."},
       {49, 6, 8, "T1: 2N3906   D1: 1N4148"},
       {49, 6, 9, "D1 blocks the reverse voltage"},
       {49, 6, 10, "across T1's base-emitter"},
       {49, 6, 11, "junction (5V max) while the"},
       {49, 6, 12, "input is high."}},
      // 3: the relay's name beside its coil and beside its contacts
      {{54, 6, 0, "Diode D1 prevents 0.6V"},
       {54, 6, 1, "negative pulse from"},
       {54, 6, 2, "reaching timer output"},
       {54, 6, 3, "pin 3."},
       {50, 20, 0, "K1", Grid::Schematic},
       {42, 11, 0, "K1", Grid::Schematic}},
      // 4
      {{39, 8, 0, "Input pulse cannot retrigger"},
       {39, 8, 1, "timer until output pulse has"},
       {39, 8, 2, "returned to low state."},
       {39, 8, 3, "Setting the monostable delay"},
       {39, 8, 4, "to >n input pulse periods"},
       {39, 8, 5, "will yield a divide by n+1"},
       {39, 8, 6, "output pulse frequency."}},
      // 5
      {{59, 6, 0, "Astable sets"},
       {59, 6, 1, "tone frequency."},
       {59, 6, 3, "Monostable sets"},
       {59, 6, 4, "length of tone"},
       {59, 6, 5, "burst."}},
      // 6
      {{58, 6, 0, "First one-shot"},
       {58, 6, 1, "times out,"},
       {58, 6, 2, "triggering"},
       {58, 6, 3, "second one-shot."}},
      // 7: below the grounds of row 29
      {{2, 32, 0, "Can cascade counter/dividers; 4020 can be configured to divide by 16 to 16384."}},
  };
  return notes[page];
}

const std::vector<Note>& NotesOfSecondHalf(int page) {
  static const std::vector<Note> notes[kApplicationCount - kFirstHalf + 1] = {
      {},
      // 8: panel 1's parts under its name; "+" on C2's plate towards pin 3
      {{13, 7, 0, "Audio transformer"},
       {13, 7, 1, "C2: 100uF   D1: 1N5817"},
       {13, 7, 2, "R2: at least Vcc / 200mA"},
       {19, 19, 0, "+", Grid::Schematic},
       {48, 7, 0, "R1: 1k - 100k"},
       {48, 7, 1, "C1: 0.1uF - 4.7uF"}},
      // 9
      {{50, 6, 0, "Control voltage (pin 5)"},
       {50, 6, 1, "can be varied from about"},
       {50, 6, 2, "1.5V to 90% of Vcc. As it"},
       {50, 6, 3, "rises, the frequency falls:"},
       {50, 6, 4, "over this range the period"},
       {50, 6, 5, "grows about 3 to 12 times,"},
       {50, 6, 6, "more for a larger R1:R2."}},
      // 10
      {{50, 6, 0, "One-shot is triggered"},
       {50, 6, 1, "with continuous pulse"},
       {50, 6, 2, "train (pin 2). Output"},
       {50, 6, 3, "pulse width increases"},
       {50, 6, 4, "with modulating"},
       {50, 6, 5, "voltage (pin 5)."}},
      // 11
      {{52, 6, 0, "Output frequency is"},
       {52, 6, 1, "one-half of astable"},
       {52, 6, 2, "frequency."},
       {52, 22, 0, "J-K Flip-Flop example:"},
       {54, 22, 1, "74LS73A (Vcc = 5V)"}},
      // 12: "+" beside C3's plate on the timer's output and C4's plate on ground
      {{31, 18, 0, "+", Grid::Schematic},
       {41, 18, 0, "+", Grid::Schematic},
       {52, 6, 0, "Limit load current"},
       {52, 6, 1, "to approximately "},
       {52, 6, 2, "20mA."},
       {52, 6, 4, "D1,D2: 1N4148"}},
      // 13: "+" on C4's plate towards pin 3 and on C3's plate on V+; the parts
      // above the output, clear of the schematic
      {{35, 18, 0, "+", Grid::Schematic},
       {63, 18, 0, "+", Grid::Schematic},
       {36, 3, 0, "D1-D4: 1N4148   C3: 10uF"},
       {36, 3, 1, "D5: 1N5817   C4: 100uF"},
       {36, 3, 2, "R3: at least Vcc / 200mA"},
       {36, 3, 3, "(CMOS timer: Vcc / 100mA)"}},
      // 14: the upper plates of C3 and C4; the example parts below the grounds
      {{52, 10, 0, "+", Grid::Schematic},
       {58, 15, 0, "+", Grid::Schematic},
       {3, 32, 0, "Ex: T1 = 2N2222A; T2 = 2N2907A; R3 = 100; C3,C4 = 10uF; D1,D2 = 1N5817"}},
  };
  return notes[page - kFirstHalf];
}

// The notes and "+" marks of each application page, by page number 1..14.
const std::vector<Note>& NotesOf(int page) {
  return page <= kFirstHalf ? NotesOfFirstHalf(page) : NotesOfSecondHalf(page);
}

// A circled digit: the circle in the canvas' current pen over white, the
// digit centred on (cx, cy).
void DrawNumberedCircle(Canvas& canvas, int number, int cx, int cy, int radius) {
  canvas.setBrushColor(colors::White);
  canvas.ellipse(cx - radius, cy - radius, cx + radius, cy + radius);
  const std::string digit = std::to_string(number);
  canvas.textOut(cx - canvas.textWidth(digit) / 2, cy - canvas.textHeight(digit) / 2, digit);
}

// The example values pages 1 and 12 print beside their parts.
PartValues ExampleValues(int page) {
  PartValues v;
  if (page == 1) {
    v.R1 = 10000;
    v.R2 = 10000;
    v.C1 = 1e-9;
  } else if (page == 12) {
    v.R1 = 1000;
    v.R2 = 10000;
    v.C1 = 1.5e-9;
    v.C2 = 1e-8;
    v.C3 = 1e-4;
    v.C4 = 1e-4;
  }
  return v;
}

void DotAt(Canvas& canvas, int x, int y) { canvas.setPixel(x, y, colors::Blue); }

// The marks of a page that are not plain notes: the numbered circles of
// pages 1 and 8, the input names of page 10, the green asterisks and
// footnote of page 13. `markGx` is the schematic's column width.
void DrawMarks(Canvas& canvas, int n, int gx, int gy, int markGx) {
  if (n == 1 || n == 8) {
    const int radius = (14 * gx) / 8;
    const int count = n == 1 ? 3 : 2;
    for (int k = 1; k <= count; ++k) {
      const int cx = n == 1 ? gx * (25 * k - 15) : gx * (35 * k - 25);
      const int cy = n == 1 ? 6 * gy : 8 * gy;
      DrawNumberedCircle(canvas, k, cx, cy, radius);
    }
  }
  if (n == 10) {
    // Names of the two input terminals (schematic columns 20), ending two
    // columns before them.
    const std::string clock = "clock input";
    const std::string modulation = "modulation input";
    canvas.textOut(18 * markGx - canvas.textWidth(clock), 20 * gy + gy / 2, clock);
    canvas.textOut(18 * markGx - canvas.textWidth(modulation), 24 * gy + gy / 2, modulation);
  }
  if (n == 13) {
    canvas.setFontColor(colors::Green);
    canvas.setFontHeight(canvas.fontHeight() * 2);
    // Beside the primary's lower lead (schematic column 39), then again
    // in front of the footnote. With the far end on Vcc, the primary's
    // side of C4 is the higher one, so C4 turns round.
    canvas.textOut(40 * markGx, 28 * gy, "*");
    canvas.textOut(35 * gx, 31 * gy, "*");
    canvas.setFontHeight(canvas.fontHeight() / 2);
    canvas.textOut(37 * gx, 31 * gy + gy / 2, "for CMOS timer, connect to Vcc and reverse C4.");
    canvas.setFontColor(colors::Black);
  }
}

}  // namespace

PartZones ShowApplicationPage(Canvas& canvas, int page, const TextList& circuits, const TextList& apps,
                              const std::string& fontName) {
  const int n = page;
  // Only pages 1..14 exist; any other number leaves the page as it is.
  if (n < 1 || n > kApplicationCount) return {};

  const int w = canvas.width();
  const int h = canvas.height();
  const int gy = h / 33;
  const int gx = w / 70;
  // The schematic's grid is laid over a rectangle 40 pixels narrower than
  // the page, so it keeps clear of the notes' right edge.
  const Rect schematicRect{0, 0, w - 40, h};
  const int markGx = schematicRect.right / 70;
  canvas.setFontName(fontName);
  canvas.setFontSize(kPageFontSize);
  // A page before may have left a style or colour behind; notes are plain black.
  canvas.setFontBold(false);
  canvas.setFontUnderline(false);
  canvas.setFontColor(colors::Black);
  canvas.setBrushColor(colors::White);
  canvas.fillRect(Rect{0, 0, w, h});
  const int lineHeight = canvas.textHeight("Ably");

  canvas.setFontName(fontName);

  DrawMarks(canvas, n, gx, gy, markGx);
  for (const Note& note : NotesOf(n)) {
    const int column = note.column * (note.grid == Grid::Schematic ? markGx : gx);
    canvas.textOut(column, note.row * gy + note.line * lineHeight, note.text);
  }
  // Title, underlined at 1.3 times the page size; the style stays underlined
  // because the interpreter sets its own font.
  canvas.setFontUnderline(true);
  const int size = canvas.fontSize();
  canvas.setFontSize(static_cast<int>(1.3 * size));
  canvas.textOut(2 * gx, gy, LineAt(apps, static_cast<std::size_t>(n - 1)));
  canvas.setFontSize(size);

  // Application circuits always show the single 555 whose pins their notes
  // quote, and print their own example values, never the design's.
  DrawOptions options;
  options.showValues = n == 1 || n == 12;
  options.values = ExampleValues(n);
  return RunCircuitScript(CircuitRecord(circuits, ApplicationRecordName(n)), canvas, schematicRect, options);
}

void ShowComponentNotes(Canvas& canvas, const TextList& component) {
  // The face stays the application font that every page sets.
  canvas.setFontSize(kPageFontSize);
  canvas.setFontSize(ScaleTrunc(kPageFontSize));
  const int w = canvas.width();
  const int h = canvas.height();
  canvas.setBrushColor(colors::White);
  canvas.fillRect(Rect{0, 0, w, h});

  const int rowHeight = h / 14;
  const int x = w / 20;
  // The last row's descenders reach one pixel below its text height; at the
  // page's own size that is the page's last pixel row. The capacitor
  // paragraph (rows 11 to 14) moves up into the empty row 10 by just enough
  // to leave a margin below it, so that no row covers another's descenders
  // with its opaque text box and the rows above stay where they are.
  constexpr int kBottomMargin = 3;
  const int lastBottom = 13 * rowHeight + canvas.textHeight("Ably") + 1;
  const int lift = std::max(0, lastBottom + kBottomMargin - h);
  // Rows top to bottom; the last row is plain, so the page leaves the
  // style without underline for whatever is drawn next.
  for (int row = 1; row <= 14; ++row) {
    canvas.setFontUnderline(row == 1 || row == 4 || row == 11);
    const int y = (row - 1) * rowHeight - (row >= 11 ? lift : 0);
    canvas.textOut(x, y, LineAt(component, static_cast<std::size_t>(row - 1)));
  }
}

void ShowSpecificationTable(Canvas& canvas, const TextList& timerData, const std::string& fontName) {
  const int w = canvas.width();
  const int h = canvas.height();
  canvas.setFontName(fontName);
  const int gx = w / 70;
  // A canvas narrower than 70 pixels has no grid column; it gets no table
  // width rather than a division by zero.
  const int columns = gx > 0 ? w / gx : 0;
  canvas.setFontSize(kPageFontSize);
  canvas.setBrushColor(colors::White);
  canvas.fillRect(Rect{0, 0, w, h});
  const int lineHeight = canvas.textHeight("Ably");

  const int u = (columns * gx) / 66;
  const int x0 = 4 * u, x1 = 20 * u, x2 = 28 * u, x3 = 43 * u, x4 = 58 * u, x5 = 62 * u;
  const int top = h / 7;
  const int rowHeight = (h - top) / 11;

  // Dotted grid: only pixels with an odd coordinate along the line. The
  // bottom border closes the last row; where the rows fill the page exactly
  // it lies on the page's last pixel row.
  for (int i = 0; i <= 11; ++i) {
    const int y = std::min(top + i * rowHeight, h - 1);
    for (int x = x0; x <= x5; ++x)
      if (x % 2 == 1) DotAt(canvas, x, y);
  }
  for (int y = top; y <= h; ++y)
    if (y % 2 == 1) DotAt(canvas, x1, y);
  for (int x : {x2, x3, x4})
    for (int y = 1; y <= h; y += 2) DotAt(canvas, x, y);

  // The headers are bold only, whatever style an earlier page left behind.
  canvas.setFontUnderline(false);
  canvas.setFontBold(true);
  const std::string bipolar = "Bipolar 555";
  const std::string cmos = "CMOS 555";
  canvas.textOut(x2 + (x3 - x2 - canvas.textWidth(bipolar)) / 2, (top - lineHeight) / 2, bipolar);
  canvas.textOut(x3 + (x4 - x3 - canvas.textWidth(cmos)) / 2, (top - lineHeight) / 2, cmos);
  canvas.setFontBold(false);
  canvas.setFontUnderline(false);

  for (int i = 1; i <= 11; ++i) {
    const int y = (i - 1) * rowHeight + top + (rowHeight - lineHeight) / 2;
    for (int j = 1; j <= 5; ++j) {
      const std::string& text =
          LineAt(timerData, static_cast<std::size_t>(i - 1) * 5 + static_cast<std::size_t>(j - 1));
      canvas.setFontName(fontName);
      const int cellWidth = canvas.textWidth(text);
      int x = 0;
      switch (j) {
        case 1: x = x0; break;
        case 2: x = x2 - (x2 - x1) / 5 - cellWidth; break;
        case 3: x = x2 + (x3 - x2 - cellWidth) / 2; break;
        case 4: x = x3 + (x4 - x3 - cellWidth) / 2; break;
        default: x = x5 - cellWidth; break;
      }
      canvas.textOut(x, y, text);
    }
  }
}

}  // namespace timer555
