#include <QCoreApplication>
#include <QFontDatabase>
#include <QImage>

#include "golden_image.h"
#include "platform/qt_canvas.h"
#include "schematic_test_support.h"
#include "shell/text_lists.h"

namespace timer555::testing {
namespace {

struct GoldenCase {
  const char* name;
  int record;
  int showValues;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

// Registers the display font once; the schematics are written in it.
bool DisplayFontRegistered() {
  static const bool registered = [] {
    const QString path = QCoreApplication::applicationDirPath() + "/appfont.dat";
    return QFontDatabase::addApplicationFont(path) >= 0;
  }();
  return registered;
}

class SchematicGoldenTest : public SchematicTest, public ::testing::WithParamInterface<GoldenCase> {};

// Design records fill the whole 650 x 308 drawing area after clearing it,
// as on the Design menu; application records are drawn into the left
// 610 pixels of an area already cleared to white.
TEST_P(SchematicGoldenTest, MatchesReference) {
  ASSERT_TRUE(DisplayFontRegistered());
  const TextList library = LoadTextList("circuits");
  ASSERT_EQ(library.size(), 220u);
  const GoldenCase& c = GetParam();
  const bool design = c.record < 4;
  options.values.R1 = 2885.39;
  options.values.R2 = 5770.78;
  options.values.C1 = 1e-7;
  options.values.C2 = 1e-8;
  options.clearFirst = design;

  QImage image(650, 308, QImage::Format_RGB32);
  image.fill(design ? Qt::black : Qt::white);
  QtCanvas qtCanvas(image);
  auto first = library.begin() + 11 * c.record + 1;
  const std::vector<std::string> body(first, first + 10);
  DrawOptions drawn = options;
  drawn.showValues = c.showValues != 0;
  RunCircuitScript(body, qtCanvas, design ? Rect{0, 0, 650, 308} : Rect{0, 0, 610, 308}, drawn);

  const QString reference = QString(TIMER555_TEST_DATA_DIR) + "/golden/" + c.name + ".png";
  EXPECT_EQ(CompareWithGolden(image, reference).toStdString(), "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, SchematicGoldenTest,
    ::testing::Values(GoldenCase{"design1", 0, 0}, GoldenCase{"design1_values", 0, 1},
                      GoldenCase{"design2", 1, 0}, GoldenCase{"design2_values", 1, 1},
                      GoldenCase{"design3", 2, 0}, GoldenCase{"design3_values", 2, 1},
                      GoldenCase{"design4", 3, 0}, GoldenCase{"design4_values", 3, 1},
                      GoldenCase{"application1", 4, 0}, GoldenCase{"application2", 5, 0},
                      GoldenCase{"application3", 6, 0}, GoldenCase{"application4", 7, 0},
                      GoldenCase{"application5", 8, 0}, GoldenCase{"application6", 9, 0},
                      GoldenCase{"application7", 10, 0}, GoldenCase{"application8", 11, 0},
                      GoldenCase{"application9", 12, 0}, GoldenCase{"application10", 13, 0},
                      GoldenCase{"application11", 14, 0}, GoldenCase{"application12", 15, 0},
                      GoldenCase{"application13", 16, 0}, GoldenCase{"application14", 17, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace timer555::testing
