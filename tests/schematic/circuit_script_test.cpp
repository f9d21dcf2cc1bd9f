#include <climits>

#include "schematic_test_support.h"

namespace timer555::testing {
namespace {

class CircuitScriptTest : public SchematicTest {};

TEST_F(CircuitScriptTest, GridAndOffsetRowsAt700x330) {
  Run({"M1620"});
  EXPECT_EQ(canvas.calls.back().str(), "moveTo 160,220");
}

TEST_F(CircuitScriptTest, SetupSetsFontColoursAndOrigin) {
  Run({}, {30, 40, 730, 370});
  EXPECT_EQ(canvas.fontName(), "Technical");
  EXPECT_EQ(canvas.fontSize(), 11);
  EXPECT_EQ(canvas.penColor(), colors::Black);
  EXPECT_EQ(canvas.brushColor(), colors::White);
  EXPECT_TRUE(canvas.calls.empty());
  Run({"M0000"}, {30, 40, 730, 370});
  EXPECT_EQ(Strs(canvas.calls), (std::vector<std::string>{"moveTo 30,60"}));
}

TEST_F(CircuitScriptTest, ClearsOnlyWhenAsked) {
  Run({"M0101"});
  EXPECT_TRUE(canvas.callsOf("fillRect").empty());
  options.clearFirst = true;
  Run({"M0101"});
  ASSERT_EQ(canvas.callsOf("fillRect").size(), 1u);
  EXPECT_EQ(canvas.callsOf("fillRect")[0].str(), "fillRect 0,0,700,330");
  EXPECT_EQ(canvas.callsOf("fillRect")[0].brushColor, colors::White);
}

TEST_F(CircuitScriptTest, LineStartsAtDrawingPointAndEndPixelIsBlack) {
  Run({"M1010 G.... HBLUE D3030"});
  auto line = canvas.callsOf("lineTo").back();
  // The ground sign left the drawing point 1 right and 6 below the pen.
  EXPECT_EQ(line.from, (Point{101, 126}));
  EXPECT_EQ(line.str(), "lineTo 300,320");
  EXPECT_EQ(line.penColor, colors::Blue);
  auto pixel = canvas.callsOf("setPixel").back();
  EXPECT_EQ(pixel.str(), "setPixel 300,320");
  EXPECT_EQ(pixel.fontColor, colors::Black);
}

TEST_F(CircuitScriptTest, OtherPenColourTextsChangeNothing) {
  Run({"HBLUE HRED. HBLK. D0101"});
  EXPECT_EQ(canvas.callsOf("lineTo").back().penColor, colors::Blue);
  Run({"HBLCK D0101"});
  EXPECT_EQ(canvas.callsOf("lineTo").back().penColor, colors::Black);
}

struct LabelCase {
  const char* name;
  const char* command;
  int x, y;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }

class LabelTest : public SchematicTest, public ::testing::WithParamInterface<LabelCase> {};

// Pen at (100, 50); "Vcc" is 21 pixels wide and 13 high on the recording canvas.
TEST_P(LabelTest, PlacesTextBesidePen) {
  canvas.setFontColor(colors::Red);
  Run({std::string("M1003 ") + GetParam().command});
  auto text = canvas.callsOf("textOut").at(0);
  EXPECT_EQ(text.text, "Vcc");
  EXPECT_EQ(text.args, (std::vector<int>{GetParam().x, GetParam().y}));
  EXPECT_EQ(text.fontColor, colors::Green);
  EXPECT_EQ(canvas.fontColor(), colors::Black);
  EXPECT_EQ(Pen(), (Point{100, 50}));
  EXPECT_EQ(canvas.penPos(), (Point{GetParam().x + 21, GetParam().y}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sides, LabelTest,
    ::testing::Values(LabelCase{"Right", "LRVcc", 110, 44}, LabelCase{"Left", "LLVcc", 58, 44},
                      LabelCase{"Up", "LUVcc", 90, 37}, LabelCase{"Down", "LDVcc", 90, 56},
                      LabelCase{"OtherLetterKeepsSideOfLastPart", "LxVcc", 58, 44}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(CircuitScriptTest, LabelKeepsItsBlanks) {
  Run({"M1003 LR2  "});
  auto text = canvas.callsOf("textOut").at(0);
  EXPECT_EQ(text.text, "2  ");
  EXPECT_EQ(text.args[0], 100 + 21 / 2);
}

struct IndexCase {
  const char* name;
  const char* command;
  const char* partName;
};

void PrintTo(const IndexCase& c, std::ostream* os) { *os << c.name; }

class PartIndexTest : public SchematicTest, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(PartIndexTest, NamesThePart) {
  Run({std::string("M2020 ") + GetParam().command});
  EXPECT_EQ(canvas.callsOf("textOut").at(0).text, GetParam().partName);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, PartIndexTest,
    ::testing::Values(IndexCase{"TransistorZeroStaysZero", "tRN0x", "T0"}, IndexCase{"ResistorZeroIsTen", "RVDL0", "R10"},
                      IndexCase{"CapacitorZeroIsTen", "CVDL0", "C10"}, IndexCase{"DiodeZeroIsTen", "dVDL0", "D10"},
                      IndexCase{"LedZeroIsTen", "lVDL0", "LED10"}, IndexCase{"Diode7", "dVDL7", "D7"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(CircuitScriptTest, TransistorWithOtherDirectionLetterKeepsDirection) {
  Run({"M2020 tRN1x M2020 tXN1x"});
  // Drawn to the right again: the base lead ends two columns right of the pen.
  EXPECT_EQ(CallsAfter("moveTo 200,220").at(0).str(), "lineTo 220,220");
}

TEST_F(CircuitScriptTest, GroundAtPlainPointAndMoveTwoRowsLower) {
  Run({"Z1020"});
  EXPECT_EQ(canvas.calls.at(0).str(), "moveTo 100,200");
  Run({"M1020"});
  EXPECT_EQ(canvas.calls.back().str(), "moveTo 100,220");
}

TEST_F(CircuitScriptTest, GroundCommandIgnoresItsOperands) {
  Run({"M1010 G9999"});
  EXPECT_EQ(CallsAfter("moveTo 100,120").at(0).str(), "moveTo 92,120");
}

TEST_F(CircuitScriptTest, TerminalCircleAroundPoint) {
  Run({"T2003"});
  EXPECT_EQ(Strs(canvas.calls), (std::vector<std::string>{"moveTo 200,50", "ellipse 195,45,205,55"}));
}

TEST_F(CircuitScriptTest, FillersAndUnknownLettersDrawNothing) {
  Run({"XXXXX XVDL2 X1213 XLV i ?1234 #####"});
  EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(CircuitScriptTest, ConversionErrorStopsDrawingAndKeepsWhatWasDrawn) {
  try {
    Run({"M1620 D1630 DAB20 D4040", "M0101"});
    FAIL() << "no error raised";
  } catch (const ScriptConversionError& e) {
    EXPECT_STREQ(e.what(), "'AB' is not a valid integer value");
  }
  EXPECT_EQ(canvas.callsOf("lineTo").size(), 1u);
  EXPECT_EQ(canvas.calls.back().str(), "setPixel 160,320");
}

struct FieldCase {
  const char* name;
  const char* field;
  bool valid;
  int value;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

class ScriptIntegerTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ScriptIntegerTest, Converts) {
  const FieldCase& c = GetParam();
  if (c.valid) {
    EXPECT_EQ(ScriptInteger(c.field), c.value);
  } else {
    try {
      ScriptInteger(c.field);
      FAIL() << "accepted";
    } catch (const ScriptConversionError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + c.field + "' is not a valid integer value");
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, ScriptIntegerTest,
    ::testing::Values(FieldCase{"TwoDigits", "16", true, 16}, FieldCase{"LeadingZero", "05", true, 5},
                      FieldCase{"Negative", "-3", true, -3}, FieldCase{"Plus", "+7", true, 7},
                      FieldCase{"LeadingBlank", " 5", true, 5}, FieldCase{"TrailingBlank", "5 ", false, 0},
                      FieldCase{"Blanks", "  ", false, 0}, FieldCase{"Empty", "", false, 0},
                      FieldCase{"SignOnly", "-", false, 0}, FieldCase{"Letters", "AB", false, 0},
                      FieldCase{"Hex", "$1", false, 0}, FieldCase{"Largest", "2147483647", true, INT_MAX},
                      FieldCase{"Smallest", "-2147483648", true, INT_MIN},
                      FieldCase{"TooLarge", "2147483648", false, 0},
                      FieldCase{"FarTooLarge", "99999999999999999999", false, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(CircuitScriptTest, ShortLinesEndWithFillers) {
  Run({"M1620", "", "M1010 D2020"});
  EXPECT_EQ(Strs(canvas.calls), (std::vector<std::string>{"moveTo 160,220", "moveTo 100,120",
                                                          "lineTo 200,220", "setPixel 200,220"}));
}

TEST_F(CircuitScriptTest, SlotCutShortIsCompletedWithBlanks) {
  Run({"M1003 LR2"});
  EXPECT_EQ(canvas.callsOf("textOut").at(0).text, "2  ");
  EXPECT_THROW(Run({"M1620 RV"}), ScriptConversionError);
}

TEST_F(CircuitScriptTest, LongLinesReadOnlyTenSlots) {
  Run({"M0101 XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX M2020"});
  EXPECT_EQ(Strs(canvas.calls), (std::vector<std::string>{"moveTo 10,30"}));
}

TEST_F(CircuitScriptTest, TinyRectangleCollapsesPositions) {
  Run({"M1620 5551R RVDL1 D3030 J1212 T0505 tRN1x xa... r.... c.... j.... Q1010"}, {5, 7, 69, 32}, 1);
  EXPECT_EQ(canvas.calls.at(0).str(), "moveTo 5,7");
}

TEST_F(CircuitScriptTest, HugeRectangleKeepsPositionsBounded) {
  Run({"M9999 c.... c.... xa... D9999 M-9-9 tLN1x"}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  // M9999 lies 99 columns and 101 rows of at most 2^16 pixels from the corner.
  EXPECT_LE(canvas.calls.at(0).args.at(0) + (1LL << 30), 99LL << 16);
  EXPECT_LE(canvas.calls.at(0).args.at(1) + (1LL << 30), 101LL << 16);
  EXPECT_LE(std::abs(Pen().x), 1 << 30);
  EXPECT_LE(std::abs(Pen().y), 1 << 30);
}

TEST_F(CircuitScriptTest, SettingsLastForOneDrawing) {
  // Unknown letters keep the horizontal, rightward, label-up settings.
  Run({"M1010 RHRU1 M1010 R??U2"});
  EXPECT_EQ(CallsAfter("moveTo 100,120").at(0).str(), "lineTo 106,120");
  EXPECT_EQ(Pen(), (Point{136, 120}));
  // A new drawing starts from the defaults: vertical and leftward, which a
  // resistor cannot be drawn in.
  canvas.clear();
  Run({"M1010 R??U2"});
  EXPECT_TRUE(canvas.callsOf("lineTo").empty());
}

TEST_F(CircuitScriptTest, OutputStageAroundAmplifier) {
  options.values.R1 = 4700;
  Run({"P01.. Q2010"}, {0, 0, 700, 330}, 1);
  // Grounded lower input lead, then the amplifier at the plain point.
  EXPECT_EQ(canvas.calls.at(0).str(), "moveTo 200,120");
  EXPECT_EQ(canvas.calls.at(1).str(), "lineTo 180,120");
  EXPECT_EQ(canvas.calls.at(2).str(), "lineTo 180,150");
  auto vo = TextCall("V o");
  EXPECT_EQ(vo.args, (std::vector<int>{246, 116}));
  EXPECT_EQ(vo.fontColor, colors::Green);
  // Output terminal two columns right of the amplifier's output lead.
  EXPECT_EQ(canvas.callsOf("ellipse").at(0).str(), "ellipse 251,101,261,111");
  auto value = TextCall("4.7K");
  EXPECT_EQ(value.fontColor, colors::Red);
  EXPECT_EQ(Pen(), (Point{190 + 36, 60}));
  EXPECT_EQ(canvas.calls.back().str(), "lineTo 236,110");
  EXPECT_EQ(canvas.fontColor(), colors::Black);
  EXPECT_EQ(zones.Resistors[1], (Rect{205, 55, 217, 65}));
}

}  // namespace
}  // namespace timer555::testing
