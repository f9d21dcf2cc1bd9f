// The SVG canvas against the Qt canvas: real pages drawn on both, the SVG
// rendered at the same size by librsvg's rsvg-convert with no font at all
// and the two pictures compared (skipped where rsvg-convert is not
// installed); then the text and the document the canvas writes.
#include "platform/svg_canvas.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <functional>
#include <string>

#include "design/engine.h"
#include "design/pages.h"
#include "golden_image.h"
#include "platform/qt_canvas.h"
#include "rsvg.h"
#include "schematic/circuit_script.h"
#include "shell/menu_pages.h"
#include "shell/text_lists.h"

namespace timer555 {
namespace {

// The main window's drawing area.
constexpr int kWidth = 650, kHeight = 306;

// Registers the display font built beside the test executables once.
bool DisplayFontRegistered() {
  static const bool ok =
      QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() + "/appfont.dat") >= 0;
  return ok;
}

struct PageCase {
  const char* name;
  std::function<void(Canvas&)> draw;
  double maxDifferingShare;  ///< 0 where every edge lies on the pixel grid
};

// Lines of pen widths 1 to 3 in the four directions, outlined and filled
// rectangles, a polygon and pixels alone, in runs and dotted: every edge on
// the pixel grid, so the rendering must agree exactly.
void DrawFigures(Canvas& c) {
  c.setBrushColor(colors::Silver);
  for (int pen = 1; pen <= 3; ++pen) {
    const int x = 20 + 200 * (pen - 1);
    c.setPenWidth(pen);
    c.moveTo(x, 20);
    for (const Point p : {Point{x + 100, 20}, {x + 100, 80}, {x, 80}, {x, 20}}) c.lineTo(p.x, p.y);
    c.rectangle(x + 120, 20, x + 170, 80);
    c.rectangle(x + 120, 100, x + 124, 104);
    c.polygon({{x, 100}, {x + 100, 100}, {x + 100, 130}, {x + 50, 130}, {x + 50, 160}, {x, 160}});
    c.fillRect({x, 180, x + 30, 200});
    for (int i = 0; i < 40; ++i) c.setPixel(x + i * pen, 220 + pen, colors::Blue);
    for (int i = 0; i < 20; ++i) c.setPixel(x + 100, 240 + i * (pen + 1), colors::Red);
    c.setPixel(x + 150, 290, colors::Red);  // the last colour set counts
    c.setPixel(x + 150, 290, colors::Green);
  }
}

void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

// Each page starts from the program's start-up state, on a white area with
// the display font set, as the main window's drawing area is.
void Prepare(Canvas& canvas) {
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, 0, kWidth, kHeight});
  canvas.setFontName(kDisplayFace);
}

class SvgCanvasPages : public ::testing::TestWithParam<PageCase> {};

TEST_P(SvgCanvasPages, RenderLikeTheQtCanvas) {
  if (!testing::RsvgAvailable()) GTEST_SKIP() << "rsvg-convert not installed";
  ASSERT_TRUE(DisplayFontRegistered());
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const PageCase& page = GetParam();

  QImage expected(kWidth, kHeight, QImage::Format_RGB32);
  QtCanvas qtCanvas(expected);
  Prepare(qtCanvas);
  page.draw(qtCanvas);
  SvgCanvas svgCanvas(kWidth, kHeight);
  Prepare(svgCanvas);
  page.draw(svgCanvas);

  QString problem;
  const QImage actual =
      testing::RenderWithRsvg(svgCanvas.document(), dir.path(), page.name, kWidth, kHeight, problem);
  ASSERT_FALSE(actual.isNull()) << problem.toStdString();
  ASSERT_EQ(actual.size(), expected.size());

  // Two measures: the share of pixels that differ in colour (antialiased
  // edges of slanted lines and small circles, which the Qt canvas draws
  // without antialiasing), and the pixels that are nearly black in one
  // picture but nearly white in the other (a line one pixel too long, too
  // short or out of place).
  const testing::PictureDifference difference = testing::ComparePictures(actual, expected);
  const double share = difference.share;
  const int darkMismatches = difference.darkMismatches;
  const QString out = testing::TestOutputDir();
  if (share > page.maxDifferingShare || darkMismatches > 10) {
    QDir().mkpath(out);
    expected.save(out + "/svg_" + page.name + ".qt.png");
    actual.save(out + "/svg_" + page.name + ".rsvg.png");
    QFile::copy(dir.path() + "/" + page.name + ".svg", out + "/svg_" + page.name + ".svg");
  }
  EXPECT_LE(share, page.maxDifferingShare) << "pictures under " << qPrintable(out);
  EXPECT_LE(darkMismatches, 10) << "pictures under " << qPrintable(out);
}

// Texts are measured as on the screen, so that pages lay them out alike,
// and written as outlines: each glyph defined once per face and placed
// where it is used, whatever the text holds.
TEST(SvgCanvasText, MeasuredAsOnScreenAndWrittenAsGlyphs) {
  ASSERT_TRUE(DisplayFontRegistered());
  struct Row {
    const char* face;
    int height;
    bool bold;
    std::string text;
    int glyphs;  ///< defined: the distinct characters other than the blank
  };
  const Row rows[] = {
      {"Technical", -15, false, "R1 2.885K", 7},
      {"Technical", 61, true, " Astable  ", 7},  // a cell height; blanks at both ends
      {"Arial", -12, false, "8", 1},
      {"technical", -16, false,
       "a<b & \"c\" 'd' \xB5"
       "F",
       10},  // XML's special characters, the Latin-1 micro sign
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    QImage image(1, 1, QImage::Format_RGB32);
    QtCanvas qt(image);
    SvgCanvas svg(100, 50);
    for (Canvas* c : {static_cast<Canvas*>(&qt), static_cast<Canvas*>(&svg)}) {
      c->setFontName(row.face);
      c->setFontHeight(row.height);
      c->setFontBold(row.bold);
    }
    EXPECT_EQ(svg.textWidth(row.text), qt.textWidth(row.text));
    EXPECT_EQ(svg.textHeight(row.text), qt.textHeight(row.text));
    svg.textOut(3, 4, row.text);
    svg.textOut(3, 24, row.text);  // the same glyphs again: placed, not defined again
    EXPECT_EQ(svg.penPos(), (Point{3 + qt.textWidth(row.text), 24}));

    const QByteArray document = QByteArray::fromStdString(svg.document());
    QXmlStreamReader xml(document);
    int defined = 0, placed = 0, texts = 0;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      defined += xml.name() == u"path" && xml.attributes().hasAttribute("id");
      placed += xml.name() == u"use";
      texts += xml.name() == u"text";
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts, 0);
    EXPECT_EQ(defined, row.glyphs);
    const auto blanks = std::count(row.text.begin(), row.text.end(), ' ');
    EXPECT_EQ(placed, 2 * static_cast<int>(row.text.size() - blanks)) << "a blank has no outline";
  }
}

// The same drawing gives the same bytes.
TEST(SvgCanvasDocument, RepeatsItself) {
  ASSERT_TRUE(DisplayFontRegistered());
  auto draw = [](SvgCanvas& c) {
    c.setFontName("technical");
    c.textOut(0, 0, "C1");
    c.setPixel(5, 5, colors::Blue);
  };
  SvgCanvas first(100, 50), second(100, 50);
  draw(first);
  draw(second);
  EXPECT_EQ(first.document(), second.document());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pages, SvgCanvasPages, ::testing::Values(
    PageCase{"design1_values", [](Canvas& c) {
      DesignState design = StartDesign(DesignKind::Astable);
      DrawDesignPage(design, c, LoadTextList("circuits"));
      design.Frequency = 1000;
      design.DutyCycle = 0.6;
      const ComponentsResult result = ComputeComponents(design);
      ASSERT_TRUE(result.computed);
      DrawDesignSchematic(result.design, c, LoadTextList("circuits"), true);
    }, 0.005},
    PageCase{"timer_data", [](Canvas& c) { ShowSpecificationTable(c, LoadTextList("timer_data")); }, 0.005},
    PageCase{"menu_design", [](Canvas& c) { DrawDesignMenuPage(c, LoadTextList("design")); }, 0.005},
    PageCase{"application13", [](Canvas& c) {
      ShowApplicationPage(c, 13, LoadTextList("circuits"), LoadTextList("apps"));
    }, 0.005},
    PageCase{"figures", DrawFigures, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace timer555
