#include "design/waveform.h"

#include <gtest/gtest.h>

#include "design/design_state.h"
#include "design_test_support.h"
#include "platform/recording_canvas.h"

namespace timer555 {
namespace {

using testing::RowName;

// The "Vout" panel of the scaled main window.
constexpr int kPanelWidth = 203;
constexpr int kPanelHeight = 58;

std::vector<std::string> Texts(const RecordingCanvas& canvas) {
  std::vector<std::string> texts;
  for (const CanvasCall& call : canvas.callsOf("textOut")) texts.push_back(call.text);
  return texts;
}

struct TimeTextRow {
  std::string name;
  double frequency, duty;
  std::string high, low;
  friend std::ostream& operator<<(std::ostream& out, const TimeTextRow& row) { return out << row.name; }
};

class WaveformTextTest : public ::testing::TestWithParam<TimeTextRow> {};

TEST_P(WaveformTextTest, WritesBothTimesInOneFormat) {
  const TimeTextRow& row = GetParam();
  DesignState design;
  design.Frequency = row.frequency;
  design.DutyCycle = row.duty;
  RecordingCanvas canvas(kPanelWidth, kPanelHeight);
  DrawOutputWaveform(canvas, WaveformForm::Astable, design, "ignored", "Technical");
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"tH = " + row.high, "tL = " + row.low}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Times, WaveformTextTest,
    ::testing::Values(TimeTextRow{"Microseconds1Decimal", 1000, 0.6, "600.0us", "400.0us"},
                      TimeTextRow{"Milliseconds1Decimal", 1, 0.75, "750.0ms", "250.0ms"},
                      TimeTextRow{"Microseconds4Decimals", 2e6, 0.9, "0.4500us", "0.0500us"},
                      TimeTextRow{"MicrosecondsNoDecimalsNeverSeconds", 0.01, 0.5, "50000ms", "50000ms"},
                      TimeTextRow{"MillisecondsSkipThreeDecimals", 200, 0.3, "1.5000ms", "3.5000ms"},
                      TimeTextRow{"Microseconds2Decimals", 20000, 0.5, "25.00us", "25.00us"},
                      TimeTextRow{"Microseconds3Decimals", 200000, 0.5, "2.500us", "2.500us"},
                      TimeTextRow{"Milliseconds2Decimals", 25, 0.5, "20.00ms", "20.00ms"},
                      TimeTextRow{"ShorterHighTimeSetsFormat", 1000, 0.001, "1.0000us", "999.0000us"}),
    RowName<TimeTextRow>);
// clang-format on

class WaveformTest : public ::testing::Test {
 protected:
  DesignState design;
};

TEST_F(WaveformTest, AstableGeometryOfTheScaledPanel) {
  design.Frequency = 1000;
  design.DutyCycle = 0.6;
  RecordingCanvas canvas(kPanelWidth, kPanelHeight);
  canvas.setPenColor(colors::Red);
  canvas.setFontColor(colors::Navy);
  DrawOutputWaveform(canvas, WaveformForm::Astable, design, "", "Technical");

  const std::vector<std::string> expected = {"fillRect 0,0,203,58",
                                             "moveTo 10,29",
                                             "lineTo 10,0",
                                             "lineTo 64,0",
                                             "lineTo 64,29",
                                             "lineTo 101,29",
                                             "lineTo 101,0",
                                             "lineTo 155,0",
                                             "lineTo 155,29",
                                             "lineTo 193,29",
                                             "textOut 0,36 tH = 600.0us",
                                             "textOut 101,36 tL = 400.0us"};
  EXPECT_EQ(canvas.lines(), expected);

  const CanvasCall& fill = canvas.calls.front();
  EXPECT_EQ(fill.brushColor, colors::White);
  for (const CanvasCall& call : canvas.calls) {
    if (call.op == "lineTo") {
      EXPECT_EQ(call.penColor, colors::Black);
      EXPECT_EQ(call.penWidth, 1);
    }
    if (call.op == "textOut") {
      EXPECT_EQ(call.fontName, "Technical");
      EXPECT_EQ(call.fontHeight, -15) << "11 points: 10 scaled by the factor just below 1.2";
      EXPECT_EQ(call.fontColor, colors::Black);
      EXPECT_EQ(call.brushColor, colors::White);
    }
  }
}

TEST_F(WaveformTest, GeometryFollowsThePanelSize) {
  design.Frequency = 1000;
  design.DutyCycle = 0.75;
  RecordingCanvas canvas(400, 100);
  DrawOutputWaveform(canvas, WaveformForm::Astable, design, "", "Technical");
  // b = 20, low = 50, span = 360, half = 180, w = 135, text row 62.
  const std::vector<std::string> expected = {"fillRect 0,0,400,100",
                                             "moveTo 20,50",
                                             "lineTo 20,0",
                                             "lineTo 155,0",
                                             "lineTo 155,50",
                                             "lineTo 200,50",
                                             "lineTo 200,0",
                                             "lineTo 335,0",
                                             "lineTo 335,50",
                                             "lineTo 380,50",
                                             "textOut 0,62 tH = 750.0us",
                                             "textOut 200,62 tL = 250.0us"};
  EXPECT_EQ(canvas.lines(), expected);
}

TEST_F(WaveformTest, MonostableShowsOnePulseAndTheEnteredText) {
  design.Frequency = 1000;
  design.DutyCycle = 0.6;
  design.HighTime = 7;
  design.LowTime = 8;
  RecordingCanvas canvas(kPanelWidth, kPanelHeight);
  DrawOutputWaveform(canvas, WaveformForm::Monostable, design, "2.5", "Technical");
  const std::vector<std::string> expected = {"fillRect 0,0,203,58",
                                             "moveTo 10,29",
                                             "lineTo 10,0",
                                             "lineTo 147,0",
                                             "lineTo 147,29",
                                             "lineTo 193,29",
                                             "textOut 0,36 tH = 2.5 sec"};
  EXPECT_EQ(canvas.lines(), expected);
}

TEST_F(WaveformTest, WithoutAFrequencyDrawsNoTimes) {
  design.Frequency = 0;
  design.DutyCycle = 0.6;
  design.HighTime = 7;
  RecordingCanvas canvas(kPanelWidth, kPanelHeight);
  DrawOutputWaveform(canvas, WaveformForm::Astable, design, "", "Technical");
  EXPECT_TRUE(canvas.callsOf("textOut").empty());
  EXPECT_EQ(canvas.callsOf("lineTo").size(), 8u);
}

}  // namespace
}  // namespace timer555
