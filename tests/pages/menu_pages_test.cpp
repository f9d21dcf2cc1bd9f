// Geometry of the menu pages, drawn on a recording canvas whose texts are
// 7 pixels per character wide and 13 pixels high.
#include "shell/menu_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/recording_canvas.h"
#include "shell/text_lists.h"

namespace timer555 {
namespace {

using Pixels = std::set<std::pair<int, int>>;

class MenuPages : public ::testing::Test {
 protected:
  static Pixels BluePixels(const RecordingCanvas& canvas) {
    Pixels pixels;
    for (const CanvasCall& c : canvas.callsOf("setPixel")) {
      EXPECT_EQ(c.fontColor, colors::Blue) << c.str();
      pixels.insert({c.args[0], c.args[1]});
    }
    return pixels;
  }
  static Pixels Vertical(int x, int height) {
    Pixels p;
    for (int y = 1; y <= height - 1; y += 2) p.insert({x, y});
    return p;
  }
  static Pixels Horizontal(int y, int width) {
    Pixels p;
    for (int x = 1; x <= width - 1; x += 2) p.insert({x, y});
    return p;
  }
  static const CanvasCall* TextCall(const RecordingCanvas& canvas, const std::string& text) {
    for (const CanvasCall& c : canvas.calls)
      if (c.op == "textOut" && c.text == text) return &c;
    return nullptr;
  }
};

// Every page starts white, over the canvas' whole size, in the application font.
TEST_F(MenuPages, EveryPageClearsTheWholeCanvasFirst) {
  const TextList design = LoadTextList("design"), apps = LoadTextList("apps"), help = LoadTextList("help");
  struct Case {
    const char* name;
    void (*draw)(Canvas&, const TextList&, const TextList&, const TextList&);
  };
  const Case cases[] = {
      {"design",
       [](Canvas& c, const TextList& d, const TextList&, const TextList&) { DrawDesignMenuPage(c, d); }},
      {"applications", [](Canvas& c, const TextList&, const TextList& a,
                          const TextList&) { DrawApplicationsMenuPage(c, a); }},
      {"data", [](Canvas& c, const TextList&, const TextList&, const TextList&) { DrawDataMenuPage(c); }},
      {"help", [](Canvas& c, const TextList&, const TextList&, const TextList& h) { DrawHelpPage(c, h); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingCanvas canvas(700, 330);
    canvas.setBrushColor(colors::Silver);
    canvas.setFontColor(colors::Red);
    canvas.setFontName("Other");
    c.draw(canvas, design, apps, help);
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls[0].str(), "fillRect 0,0,700,330");
    EXPECT_EQ(canvas.calls[0].brushColor, colors::White);
    for (const CanvasCall& t : canvas.callsOf("textOut")) {
      EXPECT_EQ(t.fontName, "Technical") << t.str();
      EXPECT_EQ(t.fontColor, colors::Black) << t.str();
      EXPECT_EQ(t.brushColor, colors::White) << t.str();
    }
  }
}

TEST_F(MenuPages, DottedLinesSetOddPixelsOnly) {
  struct Case {
    const char* name;
    int width, height;
    int page;
    Pixels expected;
  };
  auto join = [](std::vector<Pixels> parts) {
    Pixels all;
    for (auto& p : parts) all.insert(p.begin(), p.end());
    return all;
  };
  std::vector<Pixels> appLines{Vertical(325, 308)};
  for (int k = 1; k <= 6; ++k) appLines.push_back(Horizontal(44 * k, 650));
  const Case cases[] = {
      {"design menu", 650, 308, 1, join({Vertical(325, 308), Horizontal(154, 650)})},
      {"design menu, other size", 401, 201, 1, join({Vertical(200, 201), Horizontal(100, 401)})},
      {"applications menu", 650, 308, 2, join(appLines)},
      {"data menu", 650, 308, 3, Vertical(325, 308)},
      {"help page has none", 650, 308, 4, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingCanvas canvas(c.width, c.height);
    switch (c.page) {
      case 1: DrawDesignMenuPage(canvas, LoadTextList("design")); break;
      case 2: DrawApplicationsMenuPage(canvas, LoadTextList("apps")); break;
      case 3: DrawDataMenuPage(canvas); break;
      default: DrawHelpPage(canvas, LoadTextList("help")); break;
    }
    EXPECT_EQ(BluePixels(canvas), c.expected);
  }
}

TEST_F(MenuPages, DesignQuadrantTexts) {
  RecordingCanvas canvas;
  DrawDesignMenuPage(canvas, LoadTextList("design"));
  struct Case {
    std::string text;
    int x, y;
    bool bold;
  };
  // Names are 7 characters ("Astable", 49 px) or 10 ("Monostable"); the
  // subtitle sits one name height (13) lower.
  const Case cases[] = {
      {"(Duty cycle > 50%)", 99, 51, false},       {"(Duty cycle = 50%)", 325 + 99, 51, false},
      {"(Duty cycle < 50%)", 99, 154 + 51, false}, {"Monostable", 325 + 127, 154 + 38, true},
      {"(One-shot)", 325 + 127, 154 + 51, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const CanvasCall* call = TextCall(canvas, c.text);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args, (std::vector<int>{c.x, c.y}));
    EXPECT_EQ(call->bold, c.bold);
    EXPECT_EQ(call->fontHeight, 25);
  }
  std::vector<std::string> names;
  for (const CanvasCall& c : canvas.callsOf("textOut"))
    if (c.text == "Astable") names.push_back(c.str());
  EXPECT_EQ(names, (std::vector<std::string>{"textOut 138,38 Astable", "textOut 463,38 Astable",
                                             "textOut 138,192 Astable"}));
  EXPECT_FALSE(canvas.fontBold());
}

// The four sketches in design order: x of every edge, the high and low level.
TEST_F(MenuPages, DesignSketchesStepTruncatedUnits) {
  RecordingCanvas canvas;
  DrawDesignMenuPage(canvas, LoadTextList("design"));
  std::vector<CanvasCall> lines;
  for (const CanvasCall& c : canvas.callsOf("lineTo")) {
    EXPECT_EQ(c.penColor, colors::Green);
    EXPECT_EQ(c.penWidth, 2);
    lines.push_back(c);
  }
  struct Case {
    const char* pattern;
    std::vector<int> edges;  // x of each level change, then the end
    int yHigh, yLow;
  };
  const Case cases[] = {
      // 113 px in, high 21 px, low 10 px.
      {"424242", {113, 134, 144, 165, 175, 196, 206}, 68, 77},
      {"4444", {444, 465, 486, 507, 528}, 68, 77},
      {"242424", {113, 123, 144, 154, 175, 185, 206}, 222, 231},
      // One rising edge, eight units high, one falling edge, eight low.
      {"88", {444, 487, 530}, 222, 231},
  };
  std::size_t next = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    for (std::size_t k = 0; k + 1 < c.edges.size(); ++k) {
      const bool high = k % 2 == 0;
      const int level = high ? c.yHigh : c.yLow;
      ASSERT_LT(next + 1, lines.size());
      const CanvasCall& edge = lines[next++];
      EXPECT_EQ(edge.from, (Point{c.edges[k], high ? c.yLow : c.yHigh})) << "edge " << k;
      EXPECT_EQ(edge.args, (std::vector<int>{c.edges[k], level})) << "edge " << k;
      const CanvasCall& flat = lines[next++];
      EXPECT_EQ(flat.from, (Point{c.edges[k], level})) << "level " << k;
      EXPECT_EQ(flat.args, (std::vector<int>{c.edges[k + 1], level})) << "level " << k;
    }
  }
  EXPECT_EQ(next, lines.size()) << "no edge after the last level";
}

TEST_F(MenuPages, ApplicationCellsCentreTheirNames) {
  RecordingCanvas canvas;
  const TextList apps = LoadTextList("apps");
  DrawApplicationsMenuPage(canvas, apps);
  struct Case {
    std::string text;
    int x, y;
  };
  const Case cases[] = {
      {"Triggering in monostable mode", 61, 15},  // 29 characters in row 1
      {"Long interval timer", 96, 279},           // 19 characters in row 7
      {"Driving a speaker", 325 + 103, 15},       // application 8 heads the right column
      {"DC voltage doubler", 325 + 99, 279},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const CanvasCall* call = TextCall(canvas, c.text);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args, (std::vector<int>{c.x, c.y}));
    EXPECT_EQ(call->fontHeight, 25);
    EXPECT_FALSE(call->bold);
  }
  EXPECT_EQ(canvas.callsOf("textOut").size(), 14u);
}

TEST_F(MenuPages, DataHalvesInBold) {
  RecordingCanvas canvas;
  DrawDataMenuPage(canvas);
  const auto texts = canvas.callsOf("textOut");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].str(), "textOut 92,102 Selecting components");
  EXPECT_EQ(texts[1].str(), "textOut 389,102 Typical Timer specifications");
  for (const CanvasCall& t : texts) {
    EXPECT_TRUE(t.bold);
    EXPECT_EQ(t.fontHeight, 25);
  }
  EXPECT_FALSE(canvas.fontBold()) << "the page leaves the font regular";
}

TEST_F(MenuPages, HelpLinesKeysAndProgramLines) {
  RecordingCanvas canvas;
  const TextList help = LoadTextList("help");
  DrawHelpPage(canvas, help);
  const auto texts = canvas.callsOf("textOut");
  ASSERT_EQ(texts.size(), 16u);
  for (int i = 1; i <= 13; ++i) {
    SCOPED_TRACE(i);
    const CanvasCall& t = texts[static_cast<std::size_t>(i - 1)];
    EXPECT_EQ(t.text, help[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(t.args, (std::vector<int>{32, (i - 1) * 23}));
    EXPECT_EQ(t.fontHeight, 23);
    EXPECT_EQ(t.underline, i == 1);
  }
  // The keys lines in the free rows below the steps, in the steps' style,
  // then the program's name, version and documents.
  EXPECT_EQ(texts[13].str(), std::string("textOut 32,230 ") + KeysHelpLine);
  EXPECT_EQ(texts[14].str(), std::string("textOut 32,253 ") + StepsHelpLine);
  EXPECT_EQ(texts[15].str(), std::string("textOut 32,276 timer555 1.2 - ") + DocsHelpLine);
  for (std::size_t i = 13; i < 16; ++i) EXPECT_FALSE(texts[i].underline);
}

// Short lists draw empty texts instead of reading past their end.
TEST_F(MenuPages, ShortListsDrawEmptyTexts) {
  RecordingCanvas canvas;
  DrawDesignMenuPage(canvas, TextList{"Astable"});
  DrawApplicationsMenuPage(canvas, TextList{});
  DrawHelpPage(canvas, TextList{"Design Mode"});
  int empty = 0;
  for (const CanvasCall& t : canvas.callsOf("textOut")) empty += t.text.empty() ? 1 : 0;
  EXPECT_EQ(empty, 7 + 14 + 12);
}

}  // namespace
}  // namespace timer555
