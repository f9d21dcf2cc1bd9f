#include "shell/menu_pages.h"

#include <cstddef>
#include <string>

namespace timer555 {

namespace {

const std::string& LineAt(const TextList& list, std::size_t index) {
  static const std::string empty;
  return index < list.size() ? list[index] : empty;
}

// Dotted lines run over the whole page and set only the pixels with an odd
// coordinate along the line, which keeps them light behind the texts.
void DottedVertical(Canvas& canvas, int x) {
  for (int y = 1; y <= canvas.height() - 1; y += 2) canvas.setPixel(x, y, colors::Blue);
}

void DottedHorizontal(Canvas& canvas, int y) {
  for (int x = 1; x <= canvas.width() - 1; x += 2) canvas.setPixel(x, y, colors::Blue);
}

// What every menu page does first: a white page in the application font.
void StartPage(Canvas& canvas, const std::string& fontName) {
  canvas.setBrushColor(colors::White);
  canvas.fillRect(Rect{0, 0, canvas.width(), canvas.height()});
  canvas.setFontName(fontName);
  canvas.setFontColor(colors::Black);
}

// A sketch of the output levels: the pattern's digits are the lengths of the
// levels in units of `unit` pixels, alternately high and low, starting with a
// rising edge and without an edge after the last level.
void DrawPatternSketch(Canvas& canvas, const std::string& pattern, int x0, double unit, int yHigh, int yLow) {
  int sum = 0;
  for (char ch : pattern) sum += ch - '0';
  const int halfGap = (60 - sum) / 2;  // whole units, as the pattern is drawn
  int x = static_cast<int>(halfGap * unit) + x0;
  int k = 1;
  for (char ch : pattern) {
    const int step = static_cast<int>((ch - '0') * unit);
    const bool high = (k % 2) == 1;
    const int level = high ? yHigh : yLow;
    canvas.moveTo(x, high ? yLow : yHigh);
    canvas.lineTo(x, level);
    canvas.lineTo(x + step, level);
    x += step;
    ++k;
  }
}

}  // namespace

void DrawDesignMenuPage(Canvas& canvas, const TextList& shDesign, const std::string& fontName) {
  StartPage(canvas, fontName);
  const int w = canvas.width();
  const int h = canvas.height();
  DottedVertical(canvas, w / 2);
  DottedHorizontal(canvas, h / 2);

  canvas.setFontHeight(h / 12);
  const double unit = w / 120.0;  // half the page is 60 pattern units wide
  for (int d = 1; d <= 4; ++d) {
    const int x0 = (d == 1 || d == 3) ? 0 : w / 2;
    const int y0 = (d <= 2) ? 0 : h / 2;
    const std::string& name = LineAt(shDesign, static_cast<std::size_t>(3 * d - 3));
    const std::string& subtitle = LineAt(shDesign, static_cast<std::size_t>(3 * d - 2));
    const std::string& pattern = LineAt(shDesign, static_cast<std::size_t>(3 * d - 1));

    canvas.setFontBold(true);
    const int tw = canvas.textWidth(name);
    const int th = canvas.textHeight(name);
    canvas.textOut(x0 + ((w / 2) - tw) / 2, h / 8 + y0, name);

    canvas.setFontBold(false);
    const int tw2 = canvas.textWidth(subtitle);
    canvas.textOut(x0 + ((w / 2) - tw2) / 2, h / 8 + y0 + th, subtitle);

    canvas.setPenColor(colors::Green);
    canvas.setPenWidth(2);
    DrawPatternSketch(canvas, pattern, x0, unit, h / 8 + y0 + (7 * th) / 3, h / 8 + y0 + 3 * th);
  }
}

void DrawApplicationsMenuPage(Canvas& canvas, const TextList& shApps, const std::string& fontName) {
  StartPage(canvas, fontName);
  const int w = canvas.width();
  const int h = canvas.height();
  canvas.setFontHeight(h / 12);
  const int cw = w / 2;
  const int r = h / 7;
  DottedVertical(canvas, cw);
  for (int k = 1; k <= 6; ++k) DottedHorizontal(canvas, k * r);

  for (int k = 1; k <= 7; ++k) {
    for (int column = 0; column < 2; ++column) {
      const std::string& name =
          LineAt(shApps, static_cast<std::size_t>(k - 1) + 7 * static_cast<std::size_t>(column));
      const int tw = canvas.textWidth(name);
      const int th = canvas.textHeight(name);
      canvas.textOut((cw - tw) / 2 + column * cw, (k - 1) * r + (r - th) / 2, name);
    }
  }
}

void DrawDataMenuPage(Canvas& canvas, const std::string& fontName) {
  StartPage(canvas, fontName);
  const int w = canvas.width();
  const int h = canvas.height();
  canvas.setFontBold(true);
  canvas.setFontHeight(h / 12);
  const int hw = w / 2;
  const int t = h / 3;
  DottedVertical(canvas, hw);

  const std::string left = "Selecting components";
  const std::string right = "Typical Timer specifications";
  canvas.textOut((hw - canvas.textWidth(left)) / 2, t, left);
  canvas.textOut((hw - canvas.textWidth(right)) / 2 + hw, t, right);
  canvas.setFontBold(false);
}

void DrawHelpPage(Canvas& canvas, const TextList& shHelp, const std::string& fontName) {
  StartPage(canvas, fontName);
  const int w = canvas.width();
  const int h = canvas.height();
  const int m = w / 20;
  const int p = h / 13;  // the font's cell height is the line pitch
  canvas.setFontHeight(p);

  for (int i = 1; i <= 13; ++i) {
    canvas.setFontUnderline(i == 1);
    canvas.textOut(m, (i - 1) * p, LineAt(shHelp, static_cast<std::size_t>(i - 1)));
  }
  canvas.textOut(m, 10 * p, KeysHelpLine);
  canvas.textOut(m, 11 * p, StepsHelpLine);
  // The program's own line in the last row, which the help text leaves
  // empty.
  canvas.textOut(m, 12 * p, ProgramHelpLine());
}

std::string ProgramHelpLine() { return std::string("timer555 ") + TIMER555_VERSION + " - " + DocsHelpLine; }

}  // namespace timer555
