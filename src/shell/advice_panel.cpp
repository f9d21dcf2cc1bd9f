// The panel below the main window's client area that shows the design
// advisor's findings.

#include "shell/advice_panel.h"

#include <sstream>

namespace timer555 {

namespace {

// The controls' font (16-pixel em) in a dark red that reads as a warning.
constexpr int kFontPixels = 16;
constexpr Color kWarningText{128, 0, 0};
constexpr Color kRule{128, 128, 128};
constexpr int kMargin = 10;         // left and right of the text
constexpr int kHangingIndent = 16;  // further lines of one finding
constexpr int kTopPadding = 5;      // below the rule
constexpr int kBottomPadding = 5;
constexpr int kLineGap = 1;

void SetPanelFont(Canvas& c, const std::string& fontName) {
  c.setFontName(fontName);
  c.setFontHeight(-kFontPixels);
  c.setFontBold(false);
  c.setFontUnderline(false);
  c.setFontColor(kWarningText);
}

int LinePitch(Canvas& c) { return c.textHeight("Ag") + kLineGap; }

}  // namespace

std::vector<AdviceLine> LayOutAdvice(Canvas& c, const std::vector<std::string>& findings, int width,
                                     const std::string& fontName) {
  SetPanelFont(c, fontName);
  std::vector<AdviceLine> lines;
  for (const std::string& finding : findings) {
    std::istringstream words(finding);
    std::string word;
    AdviceLine line{"", kMargin};
    while (words >> word) {
      const std::string longer = line.text.empty() ? word : line.text + " " + word;
      // A word wider than a whole line stands alone on its line.
      if (!line.text.empty() && line.left + c.textWidth(longer) > width - kMargin) {
        lines.push_back(line);
        line = {word, kMargin + kHangingIndent};
      } else {
        line.text = longer;
      }
    }
    if (!line.text.empty()) lines.push_back(line);
  }
  return lines;
}

int AdvicePanelHeight(Canvas& c, int lineCount) {
  return 1 + kTopPadding + lineCount * LinePitch(c) + kBottomPadding;
}

void DrawAdvicePanel(Canvas& c, const std::vector<AdviceLine>& lines, const std::string& fontName) {
  c.setBrushColor(colors::White);
  c.fillRect({0, 0, c.width(), c.height()});
  c.setPenColor(kRule);
  c.setPenWidth(1);
  c.moveTo(0, 0);
  c.lineTo(c.width(), 0);
  SetPanelFont(c, fontName);
  const int pitch = LinePitch(c);
  int y = 1 + kTopPadding;
  for (const AdviceLine& line : lines) {
    c.textOut(line.left, y, line.text);
    y += pitch;
  }
}

}  // namespace timer555
