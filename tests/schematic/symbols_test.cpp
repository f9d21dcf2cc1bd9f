#include "schematic_test_support.h"

namespace timer555::testing {
namespace {

using Lines = std::vector<std::string>;

class SymbolTest : public SchematicTest {
 protected:
  // Grid 9 x 9, as on a 630 x 297 drawing area.
  static constexpr Rect kGrid9{0, 0, 630, 297};
};

TEST_F(SymbolTest, ResistorDownZigZagNameAndZone) {
  Run({"M1206 RVDL1"}, kGrid9);
  EXPECT_EQ(Strs(CallsAfter("moveTo 108,72")),
            (Lines{"lineTo 108,78", "lineTo 111,80", "lineTo 105,84", "lineTo 111,88", "lineTo 105,92",
                   "lineTo 111,96", "lineTo 105,100", "lineTo 108,102", "lineTo 108,108", "textOut 88,86 R1",
                   "moveTo 108,108"}));
  EXPECT_EQ(TextCall("R1").fontColor, colors::Black);
  EXPECT_EQ(zones.Resistors[1], (Rect{104, 85, 112, 112}));
  EXPECT_EQ(Pen().y, 108);
}

TEST_F(SymbolTest, ResistorDownWithValue) {
  options.values.R1 = 2885.39;
  Run({"M1206 RVDL1"}, kGrid9, 1);
  auto value = TextCall("2.885K");
  EXPECT_EQ(value.args, (std::vector<int>{102 - 42, 92}));
  EXPECT_EQ(value.fontColor, colors::Red);
  EXPECT_EQ(TextCall("R1").args, (std::vector<int>{88, 72}));
  EXPECT_EQ(TextCall("R1").fontColor, colors::Black);
}

TEST_F(SymbolTest, ResistorRightLabelsAboveWithValues) {
  options.values.R2 = 5770.78;
  Run({"M1010 RHRU2"}, {0, 0, 700, 330}, 1);
  // Value "5.771K" (42 px) centred on 123, name "R2" (14 px) centred on 118.
  EXPECT_EQ(TextCall("5.771K").args, (std::vector<int>{102, 100}));
  EXPECT_EQ(TextCall("R2").args, (std::vector<int>{111, 74}));
  EXPECT_EQ(Pen().x, 136);
  EXPECT_EQ(zones.Resistors[2], (Rect{115, 115, 127, 125}));
}

TEST_F(SymbolTest, ResistorLeftPeaksStayOnPositiveSide) {
  Run({"M1010 RHLD1"});
  auto lines = canvas.callsOf("lineTo");
  EXPECT_EQ(lines.at(1).str(), "lineTo 92,123");
  EXPECT_EQ(lines.at(8).str(), "lineTo 64,120");
  EXPECT_EQ(TextCall("R1").args, (std::vector<int>{100 - 23 - 7, 125}));
  EXPECT_EQ(zones.Resistors[1], (Rect{73, 115, 85, 125}));
}

TEST_F(SymbolTest, HorizontalResistorWithSideLabelWritesNoTextButRecordsZone) {
  Run({"M1010 RHRL1"}, {0, 0, 700, 330}, 1);
  EXPECT_TRUE(canvas.callsOf("textOut").empty());
  EXPECT_EQ(canvas.callsOf("lineTo").size(), 9u);
  EXPECT_NE(zones.Resistors[1], Rect{});
}

TEST_F(SymbolTest, ResistorDirectionNotFittingDrawsNothing) {
  Run({"M1010 RHUL1"});
  EXPECT_EQ(Strs(canvas.calls), (Lines{"moveTo 100,120", "moveTo 100,120"}));
  EXPECT_EQ(zones.Resistors[1], Rect{});
}

TEST_F(SymbolTest, ResistorNumbersOutsideZonesRecordNothing) {
  Run({"M1010 RVDL5 RVDL9 RVDL0"});
  EXPECT_EQ(canvas.callsOf("lineTo").size(), 27u);
  EXPECT_EQ(zones, PartZones{});
}

TEST_F(SymbolTest, ResistorThreeReadsNotAvailableAndFourHasNoValue) {
  Run({"M1010 RVDL3 RVDL4"}, {0, 0, 700, 330}, 1);
  EXPECT_EQ(TextCall("  N/A").fontColor, colors::Red);
  EXPECT_EQ(canvas.callsOf("textOut").size(), 3u);
}

TEST_F(SymbolTest, CapacitorDownPlatesLabelsAndZone) {
  options.values.C1 = 1e-7;
  Run({"M1224 CVDL1"}, kGrid9, 1);
  EXPECT_EQ(Strs(CallsAfter("moveTo 108,234")),
            (Lines{"lineTo 108,250", "moveTo 101,250", "lineTo 115,250", "moveTo 101,253", "lineTo 115,253",
                   "moveTo 108,253", "lineTo 108,270", "textOut 63,250 100nF", "textOut 84,231 C1",
                   "moveTo 108,270"}));
  EXPECT_EQ(TextCall("100nF").fontColor, colors::Red);
  EXPECT_EQ(zones.C1, (Rect{98, 247, 118, 274}));
  EXPECT_EQ(Pen().y, 270);
}

TEST_F(SymbolTest, CapacitorWithoutValues) {
  Run({"M1224 CVDL1"}, kGrid9);
  EXPECT_EQ(canvas.callsOf("textOut").size(), 1u);
  EXPECT_EQ(TextCall("C1").args, (std::vector<int>{84, 248}));
}

TEST_F(SymbolTest, CapacitorLeftCentredLabels) {
  Run({"M5020 CHLU1"}, {0, 0, 700, 330});
  EXPECT_EQ(Strs(canvas.callsOf("moveTo")).at(1), "moveTo 484,213");
  EXPECT_EQ(Strs(canvas.callsOf("moveTo")).at(2), "moveTo 481,213");
  EXPECT_EQ(TextCall("C1").args, (std::vector<int>{500 - 18 - 7, 220 - 23}));
  EXPECT_EQ(Pen().x, 464);
  EXPECT_EQ(zones.C1, (Rect{473, 209, 485, 231}));
}

TEST_F(SymbolTest, CapacitorTwoKeepsC1ZoneAndShowsItsValue) {
  options.values.C2 = 1e-8;
  Run({"M2024 CVDL2"}, kGrid9, 1);
  EXPECT_EQ(TextCall("10nF").fontColor, colors::Red);
  EXPECT_EQ(zones.C1, Rect{});
}

TEST_F(SymbolTest, DiodeDownShapeAndLabel) {
  Run({"M1510 dVDL1"}, kGrid9);
  EXPECT_EQ(Strs(CallsAfter("moveTo 135,108")),
            (Lines{"lineTo 135,124", "polygon 135,124,131,116,139,116", "moveTo 131,124", "lineTo 139,124",
                   "moveTo 135,124", "lineTo 135,132", "textOut 115,118 D1", "moveTo 135,132"}));
  EXPECT_EQ(canvas.callsOf("polygon").at(0).brushColor, colors::Black);
  EXPECT_EQ(canvas.brushColor(), colors::White);
}

TEST_F(SymbolTest, DiodeUpAndRight) {
  Run({"M1510 dVUL2"}, kGrid9);
  EXPECT_EQ(TextCall("D2").args, (std::vector<int>{135 - 6 - 14, 108 - 16}));
  EXPECT_EQ(Pen().y, 84);
  canvas.clear();
  Run({"M1010 dHRU1"});
  EXPECT_EQ(canvas.callsOf("polygon").at(0).str(), "polygon 116,120,108,116,108,124");
  EXPECT_EQ(TextCall("D1").args, (std::vector<int>{112 - 7, 100}));
}

TEST_F(SymbolTest, DiodeNotFittingLeavesBrushWhite) {
  Run({"M1010 dHUL1 T2020"});
  EXPECT_TRUE(canvas.callsOf("polygon").empty());
  EXPECT_EQ(canvas.callsOf("ellipse").at(0).brushColor, colors::White);
}

TEST_F(SymbolTest, LedLeftCircleAndRays) {
  Run({"M1010 lHLU1"});
  EXPECT_EQ(canvas.callsOf("ellipse").at(0).str(), "ellipse 80,112,96,128");
  EXPECT_EQ(canvas.callsOf("ellipse").at(0).brushColor, colors::White);
  auto after = Strs(CallsAfter("lineTo 76,120"));
  EXPECT_EQ(after.at(0), "moveTo 80,114");
  EXPECT_EQ(after.at(1), "lineTo 76,112");
  EXPECT_EQ(after.at(2), "moveTo 78,116");
  EXPECT_EQ(after.at(3), "lineTo 74,114");
  EXPECT_EQ(TextCall("LED1").args, (std::vector<int>{100 - 12 - 14, 98}));
  EXPECT_EQ(Pen().x, 76);
}

TEST_F(SymbolTest, LedDownRaysRightOfSymbol) {
  Run({"M1010 lVDR3"});
  auto moves = Strs(canvas.callsOf("moveTo"));
  EXPECT_NE(std::find(moves.begin(), moves.end(), "moveTo 106,140"), moves.end());
  EXPECT_EQ(TextCall("LED3").args, (std::vector<int>{110, 130}));
}

struct TimerCase {
  const char* name;
  TimerChip choice;
  Lines pins;  // by slot: left bottom to top, top left to right, right, bottom right to left
  const char* title;
};

void PrintTo(const TimerCase& c, std::ostream* os) { *os << c.name; }

class TimerTest : public SchematicTest, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(TimerTest, PinsAndTitle) {
  options.chip = GetParam().choice;
  Run({"M1620 5551R"});
  auto texts = canvas.callsOf("textOut");
  ASSERT_EQ(texts.size(), 9u);
  Lines pins;
  for (int k = 0; k < 8; ++k) {
    pins.push_back(texts[static_cast<std::size_t>(k)].text);
    EXPECT_EQ(texts[static_cast<std::size_t>(k)].fontName, "Arial");
    EXPECT_EQ(texts[static_cast<std::size_t>(k)].fontHeight, -12);  // 9 points
    EXPECT_EQ(texts[static_cast<std::size_t>(k)].fontColor, colors::Navy);
  }
  EXPECT_EQ(pins, GetParam().pins);
  EXPECT_EQ(texts[8].text, GetParam().title);
  EXPECT_EQ(texts[8].fontColor, colors::Red);
  EXPECT_EQ(texts[8].fontName, "Technical");
  EXPECT_EQ(texts[8].args[1], 160);
  EXPECT_EQ(canvas.callsOf("rectangle").at(0).str(), "rectangle 170,110,270,250");
  EXPECT_EQ(canvas.callsOf("lineTo").at(0).str(), "lineTo 160,220");
  EXPECT_EQ(canvas.callsOf("lineTo").at(5).str(), "lineTo 280,180");
  EXPECT_EQ(Pen(), (Point{160, 220}));
  EXPECT_EQ(canvas.fontColor(), colors::Red);
  EXPECT_EQ(canvas.fontSize(), 11);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Choices, TimerTest,
    ::testing::Values(TimerCase{"Single555", TimerChip::Single555, {"2", "6", "7", "4", "8", "3", "1", "5"}, "555"},
                      TimerCase{"Dual556A", TimerChip::Dual556A, {"6", "2", "1", "4", "14", "5", "7", "3"}, "556A"},
                      TimerCase{"Dual556B", TimerChip::Dual556B, {"8", "12", "13", "10", "14", "9", "7", "11"}, "556B"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(SymbolTest, TimerPinNumberPlacesUseSchematicFontHeight) {
  options.chip = TimerChip::Dual556B;
  canvas.textHeightPx = 16;
  Run({"M1620 5551R"});
  auto texts = canvas.callsOf("textOut");
  EXPECT_EQ(texts[0].args, (std::vector<int>{160 + 10 + 7, 220 - 8}));     // "8": E.x + w
  EXPECT_EQ(texts[1].args, (std::vector<int>{170 + 14 / 3, 180 - 8}));     // "12": E.x + w div 3
  EXPECT_EQ(texts[3].args, (std::vector<int>{200 - 7, 110 + 4}));          // "10" on top
  EXPECT_EQ(texts[5].args, (std::vector<int>{270 - 7 * 3 / 2, 180 - 8}));  // "9" on the right
  EXPECT_EQ(texts[7].args, (std::vector<int>{200 - 7, 250 - 20}));         // "11" at the bottom
}

TEST_F(SymbolTest, FlipFlopBoxAndLeads) {
  Run({"M3714 j...."});
  EXPECT_EQ(canvas.callsOf("rectangle").at(0).str(), "rectangle 380,130,440,270");
  EXPECT_EQ(canvas.callsOf("ellipse").at(0).str(), "ellipse 374,157,380,163");
  EXPECT_EQ(canvas.callsOf("ellipse").at(1).str(), "ellipse 407,124,413,130");
  EXPECT_EQ(canvas.callsOf("lineTo").back().str(), "lineTo 450,200");
  EXPECT_EQ(TextCall("Q").args, (std::vector<int>{440 - 7 - 3, 200 - 6}));
  EXPECT_EQ(TextCall("CLR").args, (std::vector<int>{410 - 10, 133}));
  EXPECT_EQ(Pen().x, 370);
  EXPECT_EQ(canvas.fontColor(), colors::Navy);
}

TEST_F(SymbolTest, CounterMovesPenToOutput) {
  Run({"M2916 c...."});
  EXPECT_EQ(canvas.callsOf("rectangle").at(0).str(), "rectangle 300,140,380,220");
  EXPECT_EQ(TextCall("4020/4040").args, (std::vector<int>{340 - 31, 120}));
  EXPECT_EQ(TextCall("4020/4040").fontColor, colors::Red);
  EXPECT_EQ(TextCall("RST").args, (std::vector<int>{340 - 10, 220 - 13 - 3}));
  EXPECT_EQ(Pen(), (Point{390, 180}));
}

TEST_F(SymbolTest, RelayGeometry) {
  Run({"M4416 r...."});
  auto lines = Strs(canvas.calls);
  auto has = [&](const std::string& s) { return std::find(lines.begin(), lines.end(), s) != lines.end(); };
  EXPECT_TRUE(has("lineTo 490,100"));
  EXPECT_TRUE(has("lineTo 490,140"));
  EXPECT_TRUE(has("moveTo 450,110"));
  EXPECT_TRUE(has("lineTo 490,120"));
  EXPECT_TRUE(has("lineTo 455,105"));  // the upper V's tip, half a row below its line
  EXPECT_TRUE(has("lineTo 455,135"));  // the lower V's tip, half a row above its line
  EXPECT_EQ(canvas.callsOf("rectangle").at(0).str(), "rectangle 460,170,480,250");
  EXPECT_EQ(canvas.callsOf("arc").size(), 3u);
  EXPECT_EQ(canvas.callsOf("arc").at(1).str(), "arc 450,200,470,220,460,200,460,220");
  EXPECT_EQ(Pen(), (Point{440, 240}));
  EXPECT_EQ(canvas.penPos(), (Point{440, 240}));
}

TEST_F(SymbolTest, TransistorRightNpn) {
  Run({"M2023 tRN1x"});
  auto lines = Strs(canvas.calls);
  EXPECT_EQ(lines.at(1), "lineTo 220,250");
  EXPECT_EQ(lines.at(2), "moveTo 220,230");
  EXPECT_EQ(lines.at(3), "lineTo 220,270");
  auto arrow = canvas.callsOf("polygon").at(0);
  EXPECT_EQ(arrow.str(), "polygon 240,280,225,280,240,265");
  EXPECT_EQ(arrow.brushColor, colors::Black);
  // Right of the leads, level with the base.
  EXPECT_EQ(TextCall("T1").args, (std::vector<int>{240 + 4, 250 - 13 / 2}));
  EXPECT_EQ(Pen(), (Point{240, 290}));
  EXPECT_EQ(canvas.penPos(), (Point{240, 290}));
  EXPECT_EQ(canvas.brushColor(), colors::White);
}

TEST_F(SymbolTest, TransistorLeftPnpAndNameT0) {
  Run({"M2023 tLP0x"});
  EXPECT_EQ(canvas.callsOf("polygon").at(0).str(), "polygon 175,235,175,220,160,235");
  EXPECT_EQ(TextCall("T0").args, (std::vector<int>{160 - 4 - 14, 250 - 13 / 2}));
  EXPECT_EQ(Pen().x, 160);
}

TEST_F(SymbolTest, TransistorWithUpDownDirectionDrawsNothing) {
  Run({"M1010 RVDL1 M2023 tXN1x"});
  auto all = Strs(canvas.calls);
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(Lines(all.end() - 2, all.end()), (Lines{"moveTo 200,250", "moveTo 200,250"}));
  EXPECT_EQ(Pen(), (Point{200, 250}));
  EXPECT_EQ(canvas.brushColor(), colors::White);
}

TEST_F(SymbolTest, GroundUnderCapacitorEnd) {
  Run({"M1224 CVDL1 G1524"}, kGrid9);
  EXPECT_EQ(Strs(CallsAfter("moveTo 108,270")),
            (Lines{"moveTo 100,270", "lineTo 116,270", "moveTo 104,273", "lineTo 112,273", "moveTo 107,276",
                   "lineTo 109,276"}));
  EXPECT_EQ(Pen(), (Point{108, 270}));
  EXPECT_EQ(canvas.penPos(), (Point{109, 276}));
}

TEST_F(SymbolTest, JunctionDot) {
  Run({"J1212"}, kGrid9);
  EXPECT_EQ(Strs(canvas.calls), (Lines{"moveTo 107,124", "lineTo 109,124", "moveTo 106,125", "lineTo 110,125",
                                       "moveTo 106,126", "lineTo 110,126", "moveTo 106,127", "lineTo 110,127",
                                       "moveTo 107,128", "lineTo 109,128", "moveTo 108,126"}));
}

TEST_F(SymbolTest, GroundAtPlainPoint) {
  Run({"Z1020"}, kGrid9);
  EXPECT_EQ(Strs(canvas.calls).at(0), "moveTo 90,180");
  EXPECT_EQ(Strs(canvas.calls).at(1), "lineTo 108,180");
  EXPECT_EQ(Strs(canvas.calls).at(2), "lineTo 108,189");
  EXPECT_EQ(Strs(canvas.calls).at(3), "moveTo 100,189");
  EXPECT_EQ(Pen(), (Point{108, 189}));
}

struct OpAmpCase {
  const char* name;
  const char* command;
  Lines calls;
  std::vector<Color> colors;  // pen colour of each lineTo of the signs
};

void PrintTo(const OpAmpCase& c, std::ostream* os) { *os << c.name; }

class OpAmpTest : public SchematicTest, public ::testing::WithParamInterface<OpAmpCase> {};

// Pen at (200, 100).
TEST_P(OpAmpTest, TriangleSignsAndOutput) {
  Run({std::string("M2008 ") + GetParam().command});
  auto calls = CallsAfter("moveTo 200,100");
  EXPECT_EQ(Strs(calls), GetParam().calls);
  std::vector<Color> signColors;
  for (std::size_t i = 6; i < calls.size(); ++i)
    if (calls[i].op == "lineTo") signColors.push_back(calls[i].penColor);
  EXPECT_EQ(signColors, GetParam().colors);
  EXPECT_EQ(canvas.penColor(), colors::Black);
}

const Color R = colors::Red, K = colors::Black;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Settings, OpAmpTest,
    ::testing::Values(
        OpAmpCase{"RightUpperPlusAtUpper", "OURU.",
                  {"lineTo 200,91", "lineTo 231,106", "lineTo 200,121", "lineTo 200,100", "moveTo 231,106",
                   "lineTo 236,106", "moveTo 204,100", "lineTo 209,100", "moveTo 206,98", "lineTo 206,103",
                   "moveTo 204,112", "lineTo 209,112", "moveTo 236,106"},
                  {R, R, K}},
        OpAmpCase{"RightUpperPlusAtLower", "ODRU.",
                  {"lineTo 200,91", "lineTo 231,106", "lineTo 200,121", "lineTo 200,100", "moveTo 231,106",
                   "lineTo 236,106", "moveTo 204,100", "lineTo 209,100", "moveTo 206,110", "lineTo 206,115",
                   "moveTo 204,112", "lineTo 209,112", "moveTo 236,106"},
                  {K, R, R}},
        OpAmpCase{"LeftLowerPlusAtUpper", "OULL.",
                  {"lineTo 200,79", "lineTo 169,94", "lineTo 200,109", "lineTo 200,100", "moveTo 169,94",
                   "lineTo 164,94", "moveTo 196,100", "lineTo 191,100", "moveTo 194,86", "lineTo 194,91",
                   "moveTo 196,88", "lineTo 191,88", "moveTo 164,94"},
                  {K, R, R}},
        OpAmpCase{"LeftLowerPlusAtLower", "ODLL.",
                  {"lineTo 200,79", "lineTo 169,94", "lineTo 200,109", "lineTo 200,100", "moveTo 169,94",
                   "lineTo 164,94", "moveTo 196,100", "lineTo 191,100", "moveTo 194,98", "lineTo 194,103",
                   "moveTo 196,88", "lineTo 191,88", "moveTo 164,94"},
                  {R, R, K}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(SymbolTest, TransformersMovePen) {
  Run({"M1010 xa..."});
  EXPECT_EQ(canvas.callsOf("arc").size(), 6u);
  // Where two turns meet, each stops a quarter column short of the middle.
  EXPECT_EQ(canvas.callsOf("arc").at(0).str(), "arc 110,120,130,140,122,140,120,120");
  EXPECT_EQ(canvas.callsOf("arc").at(3).str(), "arc 160,160,180,180,168,160,170,180");
  EXPECT_EQ(Pen(), (Point{190, 120}));
  EXPECT_EQ(canvas.penPos(), (Point{190, 120}));
  canvas.clear();
  Run({"M1010 xp..."});
  EXPECT_EQ(canvas.callsOf("arc").size(), 8u);
  EXPECT_EQ(canvas.callsOf("arc").back().str(), "arc 160,100,180,120,170,100,168,120");
  EXPECT_EQ(Pen(), (Point{190, 100}));
  EXPECT_EQ(canvas.penPos(), (Point{190, 100}));
}

TEST_F(SymbolTest, SpeakerLeavesDrawingPointAtCone) {
  Run({"M1030 sp... D1010"});
  EXPECT_EQ(canvas.callsOf("rectangle").at(0).str(), "rectangle 90,280,110,300");
  EXPECT_EQ(Pen().y, 120);
  auto last = canvas.callsOf("lineTo").back();
  EXPECT_EQ(last.from, (Point{109, 281}));
}

TEST_F(SymbolTest, SwitchUpwards) {
  Run({"M1030 sw..."});
  EXPECT_EQ(canvas.callsOf("ellipse").size(), 2u);
  EXPECT_EQ(canvas.callsOf("lineTo").at(1).str(), "lineTo 110,275");
  EXPECT_EQ(Pen().y, 250);
  EXPECT_EQ(canvas.penPos(), (Point{100, 250}));
}

}  // namespace
}  // namespace timer555::testing
