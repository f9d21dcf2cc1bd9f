// The main window's own drawings: the menu bar, the start screen and the
// "Calculate" button.

#include "platform/canvas.h"
#include "platform/scaling.h"
#include "shell/image_control.h"
#include "shell/main_window.h"

namespace timer555 {

namespace {

const char* const MenuCaptions[5] = {"Design", "Applications", "Data", "Quit", "Help"};

// The start screen's title words, notice line and web address.
const char* const TitleWords[3] = {"555", "Timer", "Designer"};
const char* const NoticeLine = "(c) 2026 timer555 developers";
const char* const WebAddress = "www.timer555.example";

}  // namespace

void TfmMain::DrawMenuBar() {
  const int barHeight = MenuBarHeight;
  Image1->place(0, 0, ClientWidth, barHeight);
  Image2->place(0, barHeight, AreaWidth, AreaHeight);

  Canvas& c = Image1->canvas();
  c.setBrushColor(colors::White);
  c.fillRect({0, 0, c.width(), c.height()});
  c.setPenColor(colors::Black);
  c.setPenWidth(1);
  c.moveTo(0, barHeight - 1);
  c.lineTo(c.width(), barHeight - 1);

  c.setFontName(state_.AppFontName);
  c.setFontSize(barHeight / 2);
  c.setFontBold(true);
  c.setFontColor(colors::Black);
  const int q = c.textWidth(MenuCaptions[0]) / 6;
  const int g = 2 * q;
  state_.EntryGap = q;
  for (int k = 0; k < 5; ++k) {
    MenuBarEntry& e = state_.MenuBarEntries[k];
    e.Caption = MenuCaptions[k];
    e.TextWidth = c.textWidth(e.Caption);
    if (k == 0) {
      e.Hit = {q, 0, e.TextWidth + g, barHeight};
    } else {
      const int prevRight = state_.MenuBarEntries[k - 1].Hit.right;
      e.Hit = {prevRight + q + 1, 0, prevRight + g + e.TextWidth, barHeight};
    }
    c.textOut(e.Hit.left + q, barHeight / 8, e.Caption);
  }
  Image1->update();
}

void TfmMain::DrawStartScreen() {
  Canvas& c = Image2->canvas();
  const int w = c.width();
  const int h = c.height();
  c.setBrushColor(colors::White);
  c.fillRect({0, 0, w, h});
  c.setFontName(state_.AppFontName);
  c.setFontHeight(h / 5);
  c.setFontColor(colors::Navy);
  c.setFontBold(false);
  c.textOut(w / 4, 2 * h / 16, TitleWords[0]);
  c.textOut(3 * w / 8, 5 * h / 16, TitleWords[1]);
  c.textOut(2 * w / 4, 8 * h / 16, TitleWords[2]);

  c.setFontColor(colors::Black);
  const int f = h / 12;
  c.setFontHeight(f);
  c.textOut(w / 30, h - (3 * f / 2), NoticeLine);
  c.textOut(w - w / 30 - c.textWidth(WebAddress), h - (3 * f / 2), WebAddress);
  state_.ShownPage = SheetPage::StartScreen;
  Image2->update();
}

void TfmMain::DrawCalculateButton(bool focused) {
  Canvas& c = Image3->canvas();
  const int w = c.width();
  const int h = c.height();
  c.setPenColor(colors::Black);
  c.setPenWidth(1);
  c.setBrushColor(colors::White);
  c.rectangle(0, 0, w, h);
  c.setBrushColor(colors::ButtonFace);
  c.fillRect({1, 1, w - 1, h - 1});
  c.setFontName(state_.AppFontName);
  c.setFontSize(ScaleTrunc(11));
  c.setFontBold(false);
  c.setFontColor(colors::Black);
  const std::string caption = "Calculate";
  c.textOut((w - c.textWidth(caption)) / 2, (h - c.textHeight(caption)) / 2, caption);
  if (focused) {
    // A dotted focus rectangle inside the frame, as a push button shows it.
    constexpr int inset = 3;
    for (int x = inset; x < w - inset; x += 2) {
      c.setPixel(x, inset, colors::Black);
      c.setPixel(x, h - 1 - inset, colors::Black);
    }
    for (int y = inset; y < h - inset; y += 2) {
      c.setPixel(inset, y, colors::Black);
      c.setPixel(w - 1 - inset, y, colors::Black);
    }
  }
  Image3->update();
}

}  // namespace timer555
