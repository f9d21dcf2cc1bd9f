// The design layer's drawings rendered through Qt in the display font.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QImage>

#include "design/design_state.h"
#include "design/engine.h"
#include "design/pages.h"
#include "design/waveform.h"
#include "golden_image.h"
#include "platform/qt_canvas.h"
#include "shell/text_lists.h"

namespace timer555 {
namespace {

// The "Vout" panel of the scaled main window.
constexpr int kPanelWidth = 203;
constexpr int kPanelHeight = 58;

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString font = QCoreApplication::applicationDirPath() + "/appfont.dat";
    ASSERT_GE(QFontDatabase::addApplicationFont(font), 0) << "display font missing beside the test";
  }
};

TEST_F(RenderTest, WaveformPanelMatchesItsReference) {
  DesignState design;
  design.Frequency = 1000;
  design.DutyCycle = 0.6;
  QImage image(kPanelWidth, kPanelHeight, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QtCanvas canvas(image);
  DrawOutputWaveform(canvas, WaveformForm::Astable, design, "", "Technical");
  // The line's corners: the rising edge at x = 10 and the first falling edge at x = 64.
  EXPECT_EQ(image.pixelColor(10, 0), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(64, 28), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(40, 15), QColor(Qt::white));
  EXPECT_EQ(timer555::testing::CompareWithGolden(image, TIMER555_TEST_DATA_DIR "/golden/waveform_astable.png")
                .toStdString(),
            "");
}

TEST_F(RenderTest, DesignPageIsClearedWhite) {
  const TextList circuits = LoadTextList("circuits");
  ASSERT_GE(circuits.size(), 44u);
  QImage image(650, 308, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QtCanvas canvas(image);
  const DesignState page = StartDesign(DesignKind::Astable);
  DrawDesignPage(page, canvas, circuits);
  InputCheck check = ValidateInputs(page, "1000", "60");
  ASSERT_FALSE(check.problem.has_value());
  ComponentsResult result = ComputeComponents(check.design);
  ASSERT_TRUE(result.computed);
  DrawDesignSchematic(result.design, canvas, circuits, true);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(649, 307), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(649, 0), QColor(Qt::white));
}

}  // namespace
}  // namespace timer555
