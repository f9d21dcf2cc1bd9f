// The panel below the main window's client area that shows the design
// advisor's findings.

#include "shell/advice_panel.h"

#include <string_view>

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
    // Measuring is the costly part: a finding that fits is measured once,
    // a longer one takes a binary search over its blanks for each line.
    std::string_view rest = finding;
    int left = kMargin;
    while (!rest.empty()) {
      const int room = width - kMargin - left;
      std::size_t end = rest.size();
      if (c.textWidth(std::string(rest)) > room) {
        std::vector<std::size_t> blanks;
        for (std::size_t i = rest.find(' '); i != std::string_view::npos; i = rest.find(' ', i + 1))
          blanks.push_back(i);
        // The last blank whose text before it fits; the first word alone
        // when none does.
        std::size_t low = 0, high = blanks.size();
        while (low < high) {
          const std::size_t mid = (low + high) / 2;
          if (c.textWidth(std::string(rest.substr(0, blanks[mid]))) <= room)
            low = mid + 1;
          else
            high = mid;
        }
        if (!blanks.empty()) end = blanks[low == 0 ? 0 : low - 1];
      }
      lines.push_back({std::string(rest.substr(0, end)), left});
      rest.remove_prefix(end);
      while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
      left = kMargin + kHangingIndent;
    }
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
