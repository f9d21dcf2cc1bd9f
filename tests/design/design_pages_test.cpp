#include <gtest/gtest.h>

#include <algorithm>

#include "design/design_state.h"
#include "design/engine.h"
#include "design/pages.h"
#include "design_test_support.h"
#include "platform/recording_canvas.h"
#include "schematic/circuit_script.h"
#include "source_text_list.h"

namespace timer555 {
namespace {

using testing::RowName;

class DesignPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    circuits = testing::SourceTextList("circuits");
    ASSERT_GE(circuits.size(), 44u);
  }

  TextList circuits;
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

TEST_P(DesignPageRowTest, DrawsTheBareSchematicFromTheStartingCapacitor) {
  const PageRow& row = GetParam();
  const DesignState design = StartDesign(ToDesignKind(row.mode));
  RecordingCanvas canvas(650, 308);
  canvas.setBrushColor(colors::Silver);

  DrawDesignPage(design, canvas, circuits);

  EXPECT_EQ(DesignTitle(ToDesignKind(row.mode)), row.title);
  const auto first = circuits.begin() + (row.mode - 1) * 11 + 1;
  EXPECT_EQ(DesignRecord(ToDesignKind(row.mode), circuits), TextList(first, first + 10));
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls.front().str(), "fillRect 0,0,650,308");
  EXPECT_EQ(canvas.calls.front().brushColor, colors::White);
  EXPECT_FALSE(canvas.callsOf("lineTo").empty()) << "the schematic was not drawn";
  EXPECT_EQ(DesignArea(canvas), (Rect{0, 0, 650, 308}));
  EXPECT_EQ(design.C1, row.c1);
  EXPECT_EQ(design.CapSeriesIndex, 0);
  EXPECT_EQ(design.CapDecade, row.capDecade);
  EXPECT_EQ(design.StartCapIndex, 0);
  EXPECT_EQ(design.StartCapDecade, row.capDecade);
  EXPECT_EQ(design.C2, 1e-8);
  EXPECT_EQ(design.DutyCycle, row.mode == 2 ? 0.5 : 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Designs, DesignPageRowTest,
                         ::testing::Values(PageRow{"Above50", 1, "Astable, Duty Cycle > 50%", 1e-6, 8},
                                           PageRow{"HalfDuty", 2, "Astable, Duty Cycle = 50%", 1e-8, 10},
                                           PageRow{"Below50", 3, "Astable, Duty Cycle < 50%", 1e-6, 8},
                                           PageRow{"Monostable", 4, "Monostable (one-shot)", 1e-3, 5}),
                         RowName<PageRow>);
// clang-format on

TEST_F(DesignPageTest, BareSchematicShowsNoValues) {
  RecordingCanvas canvas(650, 308);
  DesignState design = StartDesign(DesignKind::Astable);
  design.R1 = 2885.39;
  DrawDesignPage(design, canvas, circuits);
  for (const CanvasCall& call : canvas.callsOf("textOut")) {
    EXPECT_EQ(call.text.find("2.885K"), std::string::npos);
  }
}

TEST_F(DesignPageTest, OtherNumbersDoNothing) {
  for (int mode : {0, 5, -1}) {
    RecordingCanvas canvas(650, 308);
    DrawDesignPage(StartDesign(ToDesignKind(mode)), canvas, circuits);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_TRUE(DesignRecord(ToDesignKind(mode), circuits).empty());
    EXPECT_EQ(DesignTitle(ToDesignKind(mode)), "");
  }
}

TEST_F(DesignPageTest, BrokenScriptRaisesAfterClearing) {
  TextList broken = circuits;
  broken[1] = "M1620 DAB20";
  RecordingCanvas canvas(650, 308);
  try {
    DrawDesignPage(StartDesign(DesignKind::Astable), canvas, broken);
    FAIL() << "no error raised";
  } catch (const ScriptConversionError& e) {
    EXPECT_STREQ(e.what(), "'AB' is not a valid integer value");
  }
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls.front().str(), "fillRect 0,0,650,308");
  EXPECT_EQ(canvas.calls.back().str(), "moveTo 144,198");
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
  const DesignState page = StartDesign(ToDesignKind(row.mode));
  RecordingCanvas canvas(650, 308);
  DrawDesignPage(page, canvas, circuits);
  InputCheck check = ValidateInputs(page, row.field1, row.field2);
  ASSERT_FALSE(check.problem.has_value());
  ComponentsResult result = ComputeComponents(check.design);
  ASSERT_TRUE(result.computed);
  canvas.clear();
  DrawDesignSchematic(result.design, canvas, circuits, true);
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

}  // namespace
}  // namespace timer555
