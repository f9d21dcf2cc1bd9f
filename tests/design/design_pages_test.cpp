#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QImage>
#include <algorithm>

#include "design/design_state.h"
#include "design/engine.h"
#include "design/pages.h"
#include "design_test_support.h"
#include "platform/qt_canvas.h"
#include "platform/recording_canvas.h"
#include "schematic/circuit_script.h"
#include "schematic/drawing_state.h"
#include "shell/text_lists.h"

namespace timer555 {
namespace {

using testing::RowName;

class DesignPageTest : public testing::DesignStateTest {
 protected:
  void SetUp() override {
    DesignStateTest::SetUp();
    drawingState = DrawingState{};
    circuits = LoadTextList("circuits");
    ASSERT_GE(circuits.size(), 44u);
  }

  TextList circuits;
  TextList buffer;
};

struct PageRow {
  std::string name;
  int mode;
  std::string title;
  double c1;
  int capDecade;
  friend std::ostream& operator<<(std::ostream& out, const PageRow& row) { return out << row.name; }
};

class DesignPageRowTest : public DesignPageTest, public ::testing::WithParamInterface<PageRow> {};

TEST_P(DesignPageRowTest, DrawsTheBareSchematicAndSetsTheStartingCapacitor) {
  const PageRow& row = GetParam();
  designState.DesignMode = ToDesignKind(row.mode);
  designState.C1 = 4.7e-9;  // a previous calculation's capacitor
  designState.CapSeriesIndex = 8;
  designState.CapDecade = 11;
  designState.R1 = 1234;
  buffer = {"stale line"};
  RecordingCanvas canvas(650, 308);
  canvas.setBrushColor(colors::Silver);

  DrawDesignPage(ToDesignKind(row.mode), canvas, circuits, buffer);

  EXPECT_EQ(DesignTitle(ToDesignKind(row.mode)), row.title);
  const auto first = circuits.begin() + (row.mode - 1) * 11 + 1;
  EXPECT_EQ(buffer, TextList(first, first + 10));
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls.front().str(), "fillRect 0,0,650,308");
  EXPECT_EQ(canvas.calls.front().brushColor, colors::White);
  EXPECT_FALSE(canvas.callsOf("lineTo").empty()) << "the schematic was not drawn";
  EXPECT_EQ(designState.DrawRect, (Rect{0, 0, 650, 308}));
  EXPECT_EQ(designState.C1, row.c1);
  EXPECT_EQ(designState.CapSeriesIndex, 0);
  EXPECT_EQ(designState.CapDecade, row.capDecade);
  EXPECT_EQ(designState.C2, 1e-8);
  EXPECT_EQ(designState.R1, 1234);
  EXPECT_EQ(designState.DutyCycle, row.mode == 2 ? 0.5 : 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Designs, DesignPageRowTest,
                         ::testing::Values(PageRow{"Above50", 1, "Astable, Duty Cycle > 50%", 1e-6, 8},
                                           PageRow{"HalfDuty", 2, "Astable, Duty Cycle = 50%", 1e-8, 10},
                                           PageRow{"Below50", 3, "Astable, Duty Cycle < 50%", 1e-6, 8},
                                           PageRow{"Monostable", 4, "Monostable  (one-shot)", 1e-3, 5}),
                         RowName<PageRow>);
// clang-format on

TEST_F(DesignPageTest, BareSchematicShowsNoValues) {
  RecordingCanvas canvas(650, 308);
  designState.R1 = 2885.39;
  designState.DesignMode = ToDesignKind(1);
  DrawDesignPage(ToDesignKind(1), canvas, circuits, buffer);
  for (const CanvasCall& call : canvas.callsOf("textOut")) {
    EXPECT_EQ(call.text.find("2.885K"), std::string::npos);
  }
}

TEST_F(DesignPageTest, OtherNumbersDoNothing) {
  for (int mode : {0, 5, -1}) {
    RecordingCanvas canvas(650, 308);
    buffer = {"kept"};
    DrawDesignPage(ToDesignKind(mode), canvas, circuits, buffer);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(buffer, TextList{"kept"});
    EXPECT_EQ(DesignTitle(ToDesignKind(mode)), "");
  }
}

TEST_F(DesignPageTest, BrokenScriptStillSetsTheStartingCapacitor) {
  TextList broken = circuits;
  broken[1] = "M1620 DAB20";
  designState.C1 = 4.7e-9;
  designState.CapDecade = 11;
  RecordingCanvas canvas(650, 308);
  try {
    DrawDesignPage(ToDesignKind(1), canvas, broken, buffer);
    FAIL() << "no error raised";
  } catch (const ScriptConversionError& e) {
    EXPECT_STREQ(e.what(), "'AB' is not a valid integer value");
  }
  EXPECT_EQ(designState.C1, 1e-6);
  EXPECT_EQ(designState.CapDecade, 8);
  EXPECT_EQ(designState.DrawRect, (Rect{0, 0, 650, 308}));
  EXPECT_EQ(buffer.front(), "M1620 DAB20");
}

struct ValuesRow {
  std::string name;
  int mode;
  std::string field1, field2;
  std::vector<std::string> texts;  ///< value texts the schematic must print
  friend std::ostream& operator<<(std::ostream& out, const ValuesRow& row) { return out << row.name; }
};

class CalculatedPageTest : public DesignPageTest, public ::testing::WithParamInterface<ValuesRow> {};

/// The road of a design: page, validation, components, redraw with values.
TEST_P(CalculatedPageTest, SchematicPrintsTheComputedValues) {
  const ValuesRow& row = GetParam();
  designState.DesignMode = ToDesignKind(row.mode);
  RecordingCanvas canvas(650, 308);
  DrawDesignPage(ToDesignKind(row.mode), canvas, circuits, buffer);
  ASSERT_FALSE(ValidateInputs(row.field1, row.field2).has_value());
  ASSERT_TRUE(ComputeComponents().computed);
  canvas.clear();
  RunCircuitScript(buffer, canvas, designState.DrawRect, 1);
  std::vector<std::string> printed;
  for (const CanvasCall& call : canvas.callsOf("textOut")) printed.push_back(call.text);
  for (const std::string& text : row.texts) {
    EXPECT_NE(std::find(printed.begin(), printed.end(), text), printed.end()) << "missing " << text;
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Designs, CalculatedPageTest,
                         ::testing::Values(ValuesRow{"Above50", 1, "1000", "60", {"2.885K", "5.771K", "100nF", "10nF"}},
                                           ValuesRow{"Below50", 3, "1000", "30", {"4.328K", "10.10K", "100nF"}},
                                           ValuesRow{"HalfDuty", 2, "1000", "50", {"72.13K", "30.54K", "10nF"}},
                                           ValuesRow{"Monostable", 4, "100", "", {"91.02K", "1mF"}}),
                         RowName<ValuesRow>);
// clang-format on

TEST_F(DesignPageTest, RenderedPageIsClearedWhite) {
  const QString font = QCoreApplication::applicationDirPath() + "/appfont.dat";
  ASSERT_GE(QFontDatabase::addApplicationFont(font), 0) << "display font missing beside the test";
  QImage image(650, 308, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QtCanvas canvas(image);
  designState.DesignMode = ToDesignKind(1);
  DrawDesignPage(ToDesignKind(1), canvas, circuits, buffer);
  ASSERT_FALSE(ValidateInputs("1000", "60").has_value());
  ASSERT_TRUE(ComputeComponents().computed);
  RunCircuitScript(buffer, canvas, designState.DrawRect, 1);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(649, 307), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(649, 0), QColor(Qt::white));
}

}  // namespace
}  // namespace timer555
