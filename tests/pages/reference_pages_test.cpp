// Geometry and side effects of the application and data pages, drawn on a
// recording canvas (texts 7 pixels per character wide, 13 pixels high).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "design/pages.h"
#include "platform/recording_canvas.h"
#include "schematic/circuit_script.h"
#include "shell/text_lists.h"

namespace timer555 {
namespace {

class ReferencePages : public ::testing::Test {
 protected:
  void SetUp() override { apps = LoadTextList("apps"); }

  // Draws application page n with no schematic, so that only the page's own
  // texts and marks are recorded.
  void DrawPageAlone(RecordingCanvas& canvas, int n) { ShowApplicationPage(canvas, n, TextList{}, apps); }

  static const CanvasCall* TextCall(const RecordingCanvas& canvas, const std::string& text) {
    for (const CanvasCall& c : canvas.calls)
      if (c.op == "textOut" && c.text == text) return &c;
    return nullptr;
  }

  TextList apps;
};

// Notes lie on a 9 x 9 pixel grid, the names of page 10's terminals on the
// schematic's 8 x 9 grid; the line height is that of "Ably" (13).
TEST_F(ReferencePages, NotesAndMarksOnThePageGrid) {
  struct Case {
    int page;
    std::string text;
    int x, y;
    Color colour;
    int fontHeight;
  };
  const Case cases[] = {
      {2, "Set monostable pulse length", 441, 54, colors::Black, -16},
      {2, "T1: 2N3906   D1: 1N4148", 441, 54 + 8 * 13, colors::Black, -16},
      {1, "2,3. AC coupling removes this restriction.", 45, 261 + 13, colors::Black, -16},
      {5, "Monostable sets", 531, 54 + 3 * 13, colors::Black, -16},
      {7, "Can cascade counter/dividers; 4020 can be configured to divide by 16 to 16384.", 18, 288,
       colors::Black, -16},
      {8, "C1: 0.1uF - 4.7uF", 432, 63 + 13, colors::Black, -16},
      {10, "clock input", 144 - 77, 184, colors::Black, -16},  // right-aligned to 18 columns
      {10, "modulation input", 144 - 112, 220, colors::Black, -16},
      {11, "74LS73A (Vcc = 5V)", 486, 198 + 13, colors::Black, -16},
      {12, "to approximately ", 468, 54 + 13, colors::Black, -16},
      {13, "for CMOS timer, connect to Vcc and reverse C4.", 333, 283, colors::Green, -16},
      {14, "Ex: T1 = 2N2222A; T2 = 2N2907A; R3 = 100; C3,C4 = 10uF; D1,D2 = 1N5817", 27, 288, colors::Black,
       -16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("page " + std::to_string(c.page) + ": " + c.text);
    RecordingCanvas canvas;
    DrawPageAlone(canvas, c.page);
    const CanvasCall* call = TextCall(canvas, c.text);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args, (std::vector<int>{c.x, c.y}));
    EXPECT_EQ(call->fontColor, c.colour);
    EXPECT_EQ(call->fontHeight, c.fontHeight);
    EXPECT_EQ(call->fontName, "Technical");
    EXPECT_FALSE(call->underline);
  }
}

TEST_F(ReferencePages, PlusAndAsteriskMarks) {
  struct Case {
    int page;
    std::string mark;                // "+" or "*"
    std::vector<std::string> marks;  // textOut of every such mark, in order
    int fontHeight;
    Color colour;
  };
  // Marks of parts lie on the schematic's 8 x 9 grid, the footnote's "*" on the page's.
  const Case cases[] = {
      {12, "+", {"textOut 248,162 +", "textOut 328,162 +"}, -16, colors::Black},
      {14, "+", {"textOut 416,90 +", "textOut 464,135 +"}, -16, colors::Black},
      {8, "+", {"textOut 152,171 +"}, -16, colors::Black},
      {13, "+", {"textOut 280,162 +", "textOut 504,162 +"}, -16, colors::Black},
      {13, "*", {"textOut 320,252 *", "textOut 315,279 *"}, -32, colors::Green},  // double height
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.page) + " " + c.mark);
    RecordingCanvas canvas;
    DrawPageAlone(canvas, c.page);
    std::vector<std::string> marks;
    for (const CanvasCall& t : canvas.callsOf("textOut")) {
      if (t.text != c.mark) continue;
      marks.push_back(t.str());
      EXPECT_EQ(t.fontHeight, c.fontHeight);
      EXPECT_EQ(t.fontColor, c.colour);
    }
    EXPECT_EQ(marks, c.marks);
    EXPECT_EQ(canvas.fontColor(), colors::Black) << "the page ends in black";
  }
}

TEST_F(ReferencePages, NumberedCircles) {
  struct Case {
    int page;
    std::vector<std::string> calls;  // each circle, then its digit
  };
  // Radius (14 * 9) / 8 = 15; the digit (7 x 13) is centred on the middle.
  const Case cases[] = {
      {1,
       {"ellipse 75,39,105,69", "textOut 87,48 1", "ellipse 300,39,330,69", "textOut 312,48 2",
        "ellipse 525,39,555,69", "textOut 537,48 3"}},
      {8, {"ellipse 75,57,105,87", "textOut 87,66 1", "ellipse 390,57,420,87", "textOut 402,66 2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    RecordingCanvas canvas;
    DrawPageAlone(canvas, c.page);
    std::vector<std::string> calls;
    for (const CanvasCall& call : canvas.calls) {
      if (call.op == "ellipse") {
        EXPECT_EQ(call.brushColor, colors::White);
        calls.push_back(call.str());
      } else if (call.op == "textOut" && call.text.size() == 1 && call.text[0] >= '1' &&
                 call.text[0] <= '3') {
        calls.push_back(call.str());
      }
    }
    EXPECT_EQ(calls, c.calls);
  }
}

TEST_F(ReferencePages, TitleUnderlinedAtOnePointThreeTimesTheSize) {
  for (int page : {1, 6, 13, 14}) {
    SCOPED_TRACE(page);
    RecordingCanvas canvas;
    DrawPageAlone(canvas, page);
    const CanvasCall* title = TextCall(canvas, apps[static_cast<std::size_t>(page - 1)]);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->args, (std::vector<int>{18, 9}));
    EXPECT_TRUE(title->underline);
    EXPECT_EQ(title->fontHeight, -20);  // 15 points
  }
}

TEST_F(ReferencePages, ApplicationPageStartsWhite) {
  RecordingCanvas canvas;
  DrawPageAlone(canvas, 4);
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls[0].str(), "fillRect 0,0,650,308");
}

// Pages 1 and 12 print their own example values, whatever design was
// calculated before.
TEST_F(ReferencePages, ExampleValuesOfPagesOneAndTwelve) {
  const TextList circuits = LoadTextList("circuits");
  struct Case {
    int page;
    std::vector<std::string> values;
  };
  const Case cases[] = {
      {1, {"10K", "1nF"}},
      {12, {"1K", "10K", "1.5nF", "10nF", "100uF"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    RecordingCanvas canvas;
    ShowApplicationPage(canvas, c.page, circuits, apps);
    for (const std::string& value : c.values) EXPECT_NE(TextCall(canvas, value), nullptr) << value;
  }
}

// Only pages 1 and 12 hand the show-values flag to the schematic: their
// resistors and capacitors print a value ("10K", "1.5nF") beside the name.
TEST_F(ReferencePages, OnlyExamplePagesPrintValues) {
  const TextList circuits = LoadTextList("circuits");
  struct Case {
    int page;
    bool values;
  };
  const Case cases[] = {{1, true}, {12, true}, {3, false}, {9, false}, {10, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    RecordingCanvas canvas;
    ShowApplicationPage(canvas, c.page, circuits, apps);
    bool sawValue = false;
    for (const CanvasCall& t : canvas.callsOf("textOut")) {
      const std::string& s = t.text;
      if (s.size() > 1 && s[0] >= '0' && s[0] <= '9' && (s.back() == 'K' || s.back() == 'F')) sawValue = true;
    }
    EXPECT_EQ(sawValue, c.values);
  }
}

TEST_F(ReferencePages, PageNumbersOutsideTheListDrawNothing) {
  for (int page : {0, 15, -3}) {
    SCOPED_TRACE(page);
    RecordingCanvas canvas;
    const PartZones zones = ShowApplicationPage(canvas, page, LoadTextList("circuits"), apps);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(zones, PartZones{});
  }
}

TEST_F(ReferencePages, BrokenScriptReachesTheCaller) {
  TextList circuits(220, "XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX");
  circuits[33 + 11 * 5] = "APPLIC5";  // records are found by their header
  circuits[33 + 11 * 5 + 3] = "M1x12 XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX";
  RecordingCanvas canvas;
  try {
    ShowApplicationPage(canvas, 5, circuits, apps);
    FAIL() << "no error";
  } catch (const ScriptConversionError& e) {
    EXPECT_STREQ(e.what(), "'1x' is not a valid integer value");
  }
  EXPECT_NE(TextCall(canvas, "Tone burst generator"), nullptr) << "the notes were drawn before";
}

TEST_F(ReferencePages, ComponentNotesRows) {
  const TextList component = LoadTextList("component");
  RecordingCanvas canvas;
  canvas.setFontName("Technical");
  ShowComponentNotes(canvas, component);
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls[0].str(), "fillRect 0,0,650,308");
  EXPECT_EQ(canvas.calls[0].brushColor, colors::White);
  const auto texts = canvas.callsOf("textOut");
  ASSERT_EQ(texts.size(), 14u);
  for (int row = 1; row <= 14; ++row) {
    SCOPED_TRACE(row);
    const CanvasCall& t = texts[static_cast<std::size_t>(row - 1)];
    EXPECT_EQ(t.text, component[static_cast<std::size_t>(row - 1)]);
    EXPECT_EQ(t.args, (std::vector<int>{32, (row - 1) * 22}));
    EXPECT_EQ(t.underline, row == 1 || row == 4 || row == 11);
    EXPECT_EQ(t.fontHeight, -19);  // 14 points: 12 scaled by just under 1.2
    EXPECT_EQ(t.fontName, "Technical");
  }
  EXPECT_FALSE(canvas.fontUnderline()) << "the page leaves a plain style behind";
}

TEST_F(ReferencePages, TimerDataTableCells) {
  const TextList timerData = LoadTextList("timer_data");
  RecordingCanvas canvas;
  ShowSpecificationTable(canvas, timerData);

  struct Case {
    std::string text;
    int x, y;
    bool bold;
  };
  // Columns 36, 180, 252, 387, 522, 558; top 44, rows 24 high, texts 13.
  const Case cases[] = {
      {"Bipolar 555", 252 + (135 - 77) / 2, 15, true},
      {"CMOS 555", 387 + (135 - 56) / 2, 15, true},
      {"Vcc", 36, 49, false},
      {"4.5 - 16", 252 + (135 - 56) / 2, 49, false},
      {"2 - 18", 387 + (135 - 42) / 2, 49, false},
      {"V", 558 - 7, 49, false},
      {"5V", 252 - 72 / 5 - 14, 49 + 24, false},
      {"15V", 252 - 72 / 5 - 21, 49 + 48, false},
      {"Isource", 252 - 72 / 5 - 49, 49 + 96, false},
      {"MHz", 558 - 21, 49 + 240, false},
      {"fmax", 36, 49 + 240, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const CanvasCall* call = TextCall(canvas, c.text);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args, (std::vector<int>{c.x, c.y}));
    EXPECT_EQ(call->bold, c.bold);
    EXPECT_EQ(call->fontHeight, -16);
  }
  EXPECT_EQ(canvas.callsOf("textOut").size(), 2u + 55u);
  EXPECT_FALSE(canvas.fontBold());
}

TEST_F(ReferencePages, TimerDataGridIsDottedBlue) {
  RecordingCanvas canvas;
  ShowSpecificationTable(canvas, LoadTextList("timer_data"));
  std::set<std::pair<int, int>> expected, actual;
  // Eleven row lines and the bottom border, which lies on the last pixel row.
  for (int i = 0; i <= 11; ++i)
    for (int x = 37; x <= 557; x += 2) expected.insert({x, std::min(44 + 24 * i, 307)});
  for (int y = 45; y <= 307; y += 2) expected.insert({180, y});
  for (int x : {252, 387, 522})
    for (int y = 1; y <= 307; y += 2) expected.insert({x, y});
  for (const CanvasCall& c : canvas.callsOf("setPixel")) {
    EXPECT_EQ(c.fontColor, colors::Blue);
    actual.insert({c.args[0], c.args[1]});
  }
  EXPECT_EQ(actual, expected);
}

// A canvas too narrow for one grid column must not divide by zero.
TEST_F(ReferencePages, TimerDataTableOnATinyCanvas) {
  RecordingCanvas canvas(50, 20);
  ShowSpecificationTable(canvas, LoadTextList("timer_data"));
  EXPECT_EQ(canvas.callsOf("fillRect").size(), 1u);
}

TEST_F(ReferencePages, TableHeadersAreBoldOnlyAfterAnUnderlinedPage) {
  RecordingCanvas canvas;
  canvas.setFontUnderline(true);  // as a page with underlined rows may leave it
  ShowSpecificationTable(canvas, LoadTextList("timer_data"));
  const auto texts = canvas.callsOf("textOut");
  ASSERT_GE(texts.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_TRUE(texts[i].bold) << texts[i].text;
    EXPECT_FALSE(texts[i].underline) << texts[i].text;
  }
}

}  // namespace
}  // namespace timer555
