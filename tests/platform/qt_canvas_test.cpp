#include "platform/qt_canvas.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <set>
#include <utility>

#include "golden_image.h"
#include "platform/fonts.h"

namespace timer555 {
namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr QRgb White = 0xffffffff;

QImage Blank(int w = 40, int h = 40) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(White);
  return image;
}

// Every pixel of the given colour.
Pixels PixelsOf(const QImage& image, Color c) {
  Pixels out;
  const QRgb rgb = qRgb(c.r, c.g, c.b);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == rgb) out.insert({x, y});
  return out;
}

Pixels NotWhite(const QImage& image) {
  Pixels out;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != White) out.insert({x, y});
  return out;
}

std::string Show(const Pixels& p) {
  std::string s;
  for (const auto& [x, y] : p) s += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
  return s;
}

// Registers the display font built beside the test executables once.
bool AppFontRegistered() {
  static const bool ok = [] {
    const QString path = QCoreApplication::applicationDirPath() + "/appfont.dat";
    return QFontDatabase::addApplicationFont(path) >= 0;
  }();
  return ok;
}

TEST(QtCanvasLine, LeavesOutTheEndPixelInEveryDirection) {
  struct Case {
    const char* name;
    int dx, dy;
  } cases[] = {{"east", 1, 0},      {"west", -1, 0},       {"south", 0, 1},      {"north", 0, -1},
               {"southeast", 1, 1}, {"northwest", -1, -1}, {"northeast", 1, -1}, {"southwest", -1, 1}};
  for (const auto& c : cases) {
    QImage image = Blank();
    QtCanvas canvas(image);
    canvas.moveTo(20, 20);
    canvas.lineTo(20 + 5 * c.dx, 20 + 5 * c.dy);
    Pixels expected;
    for (int i = 0; i < 5; ++i) expected.insert({20 + i * c.dx, 20 + i * c.dy});
    EXPECT_EQ(NotWhite(image), expected) << c.name << ": " << Show(NotWhite(image));
    EXPECT_EQ(canvas.penPos(), (Point{20 + 5 * c.dx, 20 + 5 * c.dy})) << c.name;
  }
}

TEST(QtCanvasLine, ShallowAndSteepLinesFollowTheNearestPixels) {
  struct Case {
    const char* name;
    Point from, to;
    Pixels expected;
  } cases[] = {
      {"shallow", {0, 0}, {6, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
      {"steep", {3, 1}, {5, 7}, {{3, 1}, {3, 2}, {4, 3}, {4, 4}, {4, 5}, {5, 6}}},
      {"shallow upwards left", {10, 10}, {4, 8}, {{10, 10}, {9, 10}, {8, 9}, {7, 9}, {6, 9}, {5, 8}}},
      {"one step", {2, 2}, {3, 2}, {{2, 2}}},
      {"no length", {2, 2}, {2, 2}, {}},
  };
  for (const auto& c : cases) {
    QImage image = Blank(20, 20);
    QtCanvas canvas(image);
    canvas.moveTo(c.from.x, c.from.y);
    canvas.lineTo(c.to.x, c.to.y);
    EXPECT_EQ(NotWhite(image), c.expected) << c.name << ": " << Show(NotWhite(image));
  }
}

TEST(QtCanvasLine, UsesThePenColourAndClipsAtTheImageEdge) {
  QImage image = Blank(10, 10);
  QtCanvas canvas(image);
  canvas.setPenColor(colors::Green);
  canvas.moveTo(-5, 3);
  canvas.lineTo(20, 3);  // crosses the whole image without a crash
  Pixels expected;
  for (int x = 0; x < 10; ++x) expected.insert({x, 3});
  EXPECT_EQ(PixelsOf(image, colors::Green), expected);
  EXPECT_EQ(NotWhite(image), expected);
}

TEST(QtCanvasLine, WidePenCoversTwoRowsWithoutTheEnd) {
  struct Case {
    const char* name;
    Point from, to;
    Pixels expected;
  } cases[] = {
      {"east", {2, 5}, {6, 5}, {{2, 4}, {3, 4}, {4, 4}, {5, 4}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}},
      {"west", {6, 5}, {2, 5}, {{2, 4}, {3, 4}, {4, 4}, {5, 4}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}},
      {"south", {5, 2}, {5, 5}, {{4, 2}, {4, 3}, {4, 4}, {5, 2}, {5, 3}, {5, 4}}},
  };
  for (const auto& c : cases) {
    QImage image = Blank(12, 12);
    QtCanvas canvas(image);
    canvas.setPenWidth(2);
    canvas.moveTo(c.from.x, c.from.y);
    canvas.lineTo(c.to.x, c.to.y);
    EXPECT_EQ(NotWhite(image), c.expected) << c.name << ": " << Show(NotWhite(image));
  }
}

TEST(QtCanvasShapes, RectangleOutlinesInsideItsBoxAndFillsWithTheBrush) {
  struct Case {
    const char* name;
    int l, t, r, b;
  } cases[] = {{"in order", 2, 3, 8, 7}, {"corners swapped", 8, 7, 2, 3}};
  for (const auto& c : cases) {
    QImage image = Blank(12, 12);
    QtCanvas canvas(image);
    canvas.setPenColor(colors::Red);
    canvas.setBrushColor(colors::Blue);
    canvas.rectangle(c.l, c.t, c.r, c.b);
    Pixels outline, inside;
    for (int y = 3; y <= 6; ++y)
      for (int x = 2; x <= 7; ++x) (x == 2 || x == 7 || y == 3 || y == 6 ? outline : inside).insert({x, y});
    EXPECT_EQ(PixelsOf(image, colors::Red), outline) << c.name;
    EXPECT_EQ(PixelsOf(image, colors::Blue), inside) << c.name;
    EXPECT_EQ(NotWhite(image).size(), outline.size() + inside.size()) << c.name;
  }
}

TEST(QtCanvasShapes, FillRectLeavesTheRightAndBottomEdgesOpen) {
  QImage image = Blank(10, 10);
  QtCanvas canvas(image);
  canvas.setBrushColor(colors::Navy);
  canvas.fillRect({2, 2, 5, 4});
  EXPECT_EQ(NotWhite(image), (Pixels{{2, 2}, {3, 2}, {4, 2}, {2, 3}, {3, 3}, {4, 3}}));
  EXPECT_EQ(PixelsOf(image, colors::Navy).size(), 6u);
  EXPECT_EQ(canvas.penPos(), (Point{0, 0})) << "filling leaves the drawing point alone";
}

TEST(QtCanvasShapes, EllipseFitsItsBoxTouchingEveryEdge) {
  struct Case {
    const char* name;
    int l, t, r, b;
  } cases[] = {{"6-pixel circle", 10, 10, 16, 16},
               {"wide", 4, 10, 30, 20},
               {"tall", 10, 2, 17, 30},
               {"corners swapped", 16, 16, 10, 10}};
  for (const auto& c : cases) {
    QImage image = Blank();
    QtCanvas canvas(image);
    canvas.setPenColor(colors::Black);
    canvas.setBrushColor(colors::Silver);
    canvas.ellipse(c.l, c.t, c.r, c.b);
    const int l = std::min(c.l, c.r), r = std::max(c.l, c.r), t = std::min(c.t, c.b), b = std::max(c.t, c.b);
    const Pixels outline = PixelsOf(image, colors::Black);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (const auto& [x, y] : NotWhite(image)) {
      minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    EXPECT_EQ(minX, l) << c.name;
    EXPECT_EQ(maxX, r - 1) << c.name;
    EXPECT_EQ(minY, t) << c.name;
    EXPECT_EQ(maxY, b - 1) << c.name;
    EXPECT_EQ(outline.count({l, t}), 0u) << c.name << ": the box's corner is not on the ellipse";
    // Mirror symmetry about both axes of the box.
    for (const auto& [x, y] : outline) {
      EXPECT_EQ(outline.count({l + r - 1 - x, y}), 1u) << c.name << " at " << x << "," << y;
      EXPECT_EQ(outline.count({x, t + b - 1 - y}), 1u) << c.name << " at " << x << "," << y;
    }
    EXPECT_EQ(image.pixel((l + r) / 2, (t + b) / 2), qRgb(192, 192, 192))
        << c.name << ": filled with the brush";
  }
}

TEST(QtCanvasShapes, EllipseOverTheImageEdgeIsClippedNotChanged) {
  // The same ellipse drawn whole on a large image and half off a small one.
  QImage large = Blank(60, 60);
  QtCanvas(large).ellipse(10, 10, 50, 40);
  QImage small = Blank(30, 30);
  QtCanvas(small).ellipse(-10, -5, 30, 25);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(small.pixel(x, y), large.pixel(x + 20, y + 15)) << x << "," << y;
  // A box far beyond any image draws nothing and returns at once.
  QImage image = Blank(10, 10);
  QtCanvas canvas(image);
  canvas.ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
  canvas.ellipse(-40000, -40000, 40000, 40000);
  canvas.arc(-40000, -40000, 40000, 40000, 0, 0, 1, 1);
  EXPECT_TRUE(NotWhite(image).empty());
  // A huge rectangle or fill covers the image without looping over its size.
  canvas.setBrushColor(colors::Blue);
  canvas.fillRect({-2000000000, -2000000000, 2000000000, 2000000000});
  EXPECT_EQ(PixelsOf(image, colors::Blue).size(), 100u);
  canvas.setBrushColor(colors::Green);
  canvas.rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
  EXPECT_EQ(PixelsOf(image, colors::Green).size(), 100u) << "the outline lies outside the image";
}

TEST(QtCanvasShapes, SixPixelCircleHasTheExpectedPixels) {
  QImage image = Blank(8, 8);
  QtCanvas canvas(image);
  canvas.ellipse(0, 0, 6, 6);
  const char* rows[] = {".XXXX.", "X....X", "X....X", "X....X", "X....X", ".XXXX."};
  Pixels expected;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      if (rows[y][x] == 'X') expected.insert({x, y});
  EXPECT_EQ(PixelsOf(image, colors::Black), expected) << Show(PixelsOf(image, colors::Black));
}

TEST(QtCanvasShapes, ArcRunsCounterClockwiseFromStartToEnd) {
  // Box 0..19 square, centre (10, 10); columns 0..9 are the left half.
  struct Case {
    const char* name;
    Point start, end;
    bool left, right, upper, lower;  // which halves carry pixels
  } cases[] = {
      {"bottom to top bulges right", {10, 20}, {10, 0}, false, true, true, true},
      {"top to bottom bulges left", {10, 0}, {10, 20}, true, false, true, true},
      {"right to top: upper right quarter", {20, 10}, {10, 0}, false, true, true, false},
      {"top to right: three quarters", {10, 0}, {20, 10}, true, true, true, true},
  };
  for (const auto& c : cases) {
    QImage image = Blank(24, 24);
    QtCanvas canvas(image);
    canvas.arc(0, 0, 20, 20, c.start.x, c.start.y, c.end.x, c.end.y);
    bool left = false, right = false, upper = false, lower = false;
    for (const auto& [x, y] : NotWhite(image)) {
      (x < 10 ? left : right) = true;
      (y < 10 ? upper : lower) = true;
      EXPECT_TRUE(x < 20 && y < 20) << c.name;
    }
    EXPECT_EQ(left, c.left) << c.name;
    EXPECT_EQ(right, c.right) << c.name;
    EXPECT_EQ(upper, c.upper) << c.name;
    EXPECT_EQ(lower, c.lower) << c.name;
  }
}

TEST(QtCanvasShapes, HalfCircleArcReachesTopBottomAndRightEdge) {
  QImage image = Blank(24, 24);
  QtCanvas canvas(image);
  canvas.arc(0, 0, 20, 20, 10, 20, 10, 0);
  const Pixels drawn = NotWhite(image);
  EXPECT_EQ(drawn.count({10, 0}), 1u);
  EXPECT_EQ(drawn.count({10, 19}), 1u);
  EXPECT_EQ(drawn.count({19, 10}), 1u);
  EXPECT_EQ(image.pixel(15, 10), White) << "an arc does not fill";
  // The full ellipse's right half is exactly the arc.
  QImage whole = Blank(24, 24);
  QtCanvas(whole).ellipse(0, 0, 20, 20);
  Pixels rightHalf;
  for (const auto& p : PixelsOf(whole, colors::Black))
    if (p.first >= 10) rightHalf.insert(p);
  EXPECT_EQ(drawn, rightHalf);
}

TEST(QtCanvasShapes, PolygonIsFilledWithTheBrushAndOutlinedWithThePen) {
  QImage image = Blank(20, 20);
  QtCanvas canvas(image);
  canvas.setPenColor(colors::Red);
  canvas.setBrushColor(colors::Blue);
  canvas.moveTo(1, 1);
  canvas.polygon({{2, 2}, {14, 2}, {8, 14}});
  for (Point v : {Point{2, 2}, Point{14, 2}, Point{8, 14}})
    EXPECT_EQ(image.pixel(v.x, v.y), qRgb(255, 0, 0)) << "vertex " << v.x << "," << v.y;
  EXPECT_EQ(image.pixel(8, 6), qRgb(0, 0, 255)) << "inside";
  EXPECT_EQ(image.pixel(3, 10), White) << "outside, left of the slanted edge";
  EXPECT_EQ(image.pixel(8, 15), White) << "below the apex";
  // Every row between the top edge and the apex has outline on both sides
  // and brush between.
  for (int y = 3; y < 12; ++y) {
    int first = -1, last = -1;
    for (int x = 0; x < 20; ++x)
      if (image.pixel(x, y) == qRgb(255, 0, 0)) (first < 0 ? first : last) = x;
    ASSERT_GE(first, 0) << y;
    ASSERT_GT(last, first) << y;
    for (int x = first + 1; x < last; ++x) {
      if (image.pixel(x, y) != qRgb(255, 0, 0)) {
        EXPECT_EQ(image.pixel(x, y), qRgb(0, 0, 255)) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(canvas.penPos(), (Point{1, 1})) << "a polygon leaves the drawing point alone";
}

TEST(QtCanvasText, WritesOnAnOpaqueBoxAndMovesTheDrawingPoint) {
  ASSERT_TRUE(AppFontRegistered());
  QImage image = Blank(120, 40);
  QtCanvas canvas(image);
  canvas.setFontName("Technical");
  canvas.setFontHeight(-13);
  canvas.setBrushColor(colors::Silver);
  canvas.setFontColor(colors::Navy);
  const int w = canvas.textWidth("Hz 47");
  const int h = canvas.textHeight("Hz 47");
  canvas.textOut(10, 5, "Hz 47");
  EXPECT_EQ(canvas.penPos(), (Point{10 + w, 5}));
  int textPixels = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool inBox = x >= 10 && x < 10 + w && y >= 5 && y < 5 + h;
      const QRgb p = image.pixel(x, y);
      if (!inBox) {
        ASSERT_EQ(p, White) << "outside the text box at " << x << "," << y;
      } else {
        ASSERT_NE(p, White) << "the background is opaque at " << x << "," << y;
        if (p != qRgb(192, 192, 192)) ++textPixels;
      }
    }
  EXPECT_GT(textPixels, 20);
  // The box's corners stay background: no glyph touches them.
  EXPECT_EQ(image.pixel(10 + w - 1, 5), qRgb(192, 192, 192));
}

TEST(QtCanvasText, GlyphsUseTheFontColourWithTheirTopAtY) {
  ASSERT_TRUE(AppFontRegistered());
  QImage image = Blank(80, 100);
  QtCanvas canvas(image);
  canvas.setFontName("Technical");
  canvas.setFontHeight(-40);
  canvas.setFontColor(colors::Red);
  canvas.textOut(5, 10, "H");
  const QFontMetrics metrics = MetricsAt96Dpi(canvas.font());
  int top = 99, bottom = -1;
  bool red = false;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 80; ++x)
      if (image.pixel(x, y) != White) {
        top = std::min(top, y), bottom = std::max(bottom, y);
        red = red || image.pixel(x, y) == qRgb(255, 0, 0);
      }
  EXPECT_TRUE(red);
  // A capital stands on the baseline, y + ascent, and rises about its cap
  // height above it.
  EXPECT_NEAR(bottom, 10 + metrics.ascent() - 1, 1);
  EXPECT_NEAR(top, 10 + metrics.ascent() - metrics.capHeight(), 2);
}

TEST(QtCanvasText, BoldAndUnderlineChangeTheGlyphs) {
  ASSERT_TRUE(AppFontRegistered());
  auto render = [](bool bold, bool underline) {
    QImage image = Blank(100, 30);
    QtCanvas canvas(image);
    canvas.setFontName("Technical");
    canvas.setFontHeight(-16);
    canvas.setFontBold(bold);
    canvas.setFontUnderline(underline);
    canvas.textOut(2, 2, "Adjust");
    return std::make_pair(image, NotWhite(image).size());
  };
  const auto [plain, plainInk] = render(false, false);
  const auto [bold, boldInk] = render(true, false);
  const auto [underlined, underlinedInk] = render(false, true);
  EXPECT_GT(boldInk, plainInk);
  EXPECT_GT(underlinedInk, plainInk);
  EXPECT_NE(plain, underlined);
}

TEST(QtCanvasFont, PointsAndHeightsFollowTheCanvasConventions) {
  QImage image = Blank();
  QtCanvas canvas(image);
  canvas.setFontSize(10);
  EXPECT_EQ(canvas.fontHeight(), -13);
  EXPECT_EQ(canvas.fontSize(), 10);
  EXPECT_EQ(canvas.font().pixelSize(), 13);
  canvas.setFontSize(13);
  EXPECT_EQ(canvas.fontHeight(), -17);
  canvas.setFontHeight(25);
  EXPECT_EQ(canvas.fontHeight(), 25);
  EXPECT_EQ(canvas.fontSize(), -19) << "a cell height reports a negative size, as GDI does";
}

TEST(QtCanvasFont, PositiveHeightIsTheWholeCell) {
  ASSERT_TRUE(AppFontRegistered());
  struct Case {
    const char* face;
    int height;
  } cases[] = {{"Technical", 25}, {"Technical", 61}, {"Technical", 13}, {"Technical", 23},
               {"Arial", 25},     {"Arial", 61},     {"technical", 40}};
  for (const auto& c : cases) {
    QImage image = Blank();
    QtCanvas canvas(image);
    canvas.setFontName(c.face);
    canvas.setFontHeight(c.height);
    EXPECT_EQ(canvas.textHeight("X"), c.height) << c.face << " " << c.height;
    EXPECT_LT(FontPixelSize(c.face, c.height, false), c.height)
        << c.face << " " << c.height << ": the em is below the cell";
  }
}

TEST(QtCanvasFont, NegativeHeightIsTheEm) {
  ASSERT_TRUE(AppFontRegistered());
  for (int h : {11, 13, 16, 19, 28}) {
    QImage image = Blank();
    QtCanvas canvas(image);
    canvas.setFontName("Technical");
    canvas.setFontHeight(-h);
    EXPECT_EQ(canvas.font().pixelSize(), h);
    EXPECT_GE(canvas.textHeight("X"), h) << "the cell holds the em";
  }
}

TEST(QtCanvasFont, ChangingTheSizeChangesTheMetrics) {
  ASSERT_TRUE(AppFontRegistered());
  QImage image = Blank();
  QtCanvas canvas(image);
  canvas.setFontName("Technical");
  canvas.setFontHeight(-13);
  const int small = canvas.textWidth("Frequency");
  canvas.setFontHeight(-26);
  const int large = canvas.textWidth("Frequency");
  EXPECT_NEAR(large, 2 * small, 2);
  canvas.setFontBold(true);
  EXPECT_GE(canvas.textWidth("Frequency"), large);
  EXPECT_EQ(canvas.textWidth(""), 0);
}

TEST(DisplayFont, RegistersAsTechnicalWithConsistentMetrics) {
  const QString path = QCoreApplication::applicationDirPath() + "/appfont.dat";
  const int id = QFontDatabase::addApplicationFont(path);
  ASSERT_GE(id, 0) << path.toStdString();
  EXPECT_EQ(QFontDatabase::applicationFontFamilies(id), QStringList{"Technical"});
  EXPECT_EQ(ResolveFontFamily("technical"), "Technical");
  EXPECT_EQ(ResolveFontFamily("TECHNICAL"), "Technical");
  const QFont font = MakeFont("technical", -13, false);
  EXPECT_EQ(QFontInfo(font).family(), "Technical") << "the font in use is not a substitute";
  const QFontMetrics metrics = MetricsAt96Dpi(font);
  EXPECT_GE(metrics.ascent() + metrics.descent(), 13);
  EXPECT_LE(metrics.ascent() + metrics.descent(), 2 * 13);
  EXPECT_GT(metrics.ascent(), metrics.descent());
  EXPECT_GT(metrics.horizontalAdvance("WWWW"), metrics.horizontalAdvance("iiii"));
  EXPECT_EQ(metrics.horizontalAdvance("Design") + metrics.horizontalAdvance("Data"),
            metrics.horizontalAdvance("DesignData"))
      << "widths add up, so texts placed one after another do not drift";
  QFontDatabase::removeApplicationFont(id);
}

TEST(WidgetFonts, AreSetInPixels) {
  ASSERT_TRUE(AppFontRegistered());
  const QFont label = MakeFont("Technical", -13, false);
  EXPECT_EQ(label.pixelSize(), 13);
  EXPECT_FALSE(label.bold());
  const QFont group = MakeFont("Technical", -16, true);
  EXPECT_EQ(group.pixelSize(), 16);
  EXPECT_TRUE(group.bold());
  EXPECT_EQ(QFontInfo(group).family(), "Technical");
  EXPECT_EQ(MakeFont("", -13, false).family(), QFont().family()) << "an empty face is the default";
}

TEST(QtCanvasGolden, SampleSheet) {
  ASSERT_TRUE(AppFontRegistered());
  QImage image = Blank(260, 160);
  QtCanvas canvas(image);
  canvas.setFontName("Technical");
  canvas.setFontHeight(-13);
  canvas.textOut(4, 2, "Frequency 1.23 kHz  Duty Cycle %");
  canvas.setFontHeight(25);
  canvas.setFontBold(true);
  canvas.textOut(4, 18, "Design Data");
  canvas.setFontBold(false);
  canvas.setFontColor(colors::Navy);
  canvas.setFontHeight(-16);
  canvas.setFontUnderline(true);
  canvas.textOut(4, 46, "Vout 555");
  canvas.setFontUnderline(false);
  canvas.setFontColor(colors::Black);
  // A transformer-like winding: half circles bulging right, then left.
  for (int k = 0; k < 3; ++k) canvas.arc(20, 70 + 20 * k, 40, 90 + 20 * k, 30, 90 + 20 * k, 30, 70 + 20 * k);
  for (int k = 0; k < 3; ++k) canvas.arc(50, 70 + 20 * k, 70, 90 + 20 * k, 60, 70 + 20 * k, 60, 90 + 20 * k);
  canvas.moveTo(45, 70);
  canvas.lineTo(45, 130);
  canvas.ellipse(80, 70, 86, 76);
  canvas.ellipse(90, 70, 110, 90);
  canvas.setBrushColor(colors::Black);
  canvas.polygon({{120, 70}, {132, 76}, {120, 82}});
  canvas.setBrushColor(colors::White);
  canvas.rectangle(140, 70, 170, 110);
  canvas.setPenColor(colors::Green);
  canvas.setPenWidth(2);
  canvas.moveTo(180, 120);
  canvas.lineTo(180, 80);
  canvas.lineTo(200, 80);
  canvas.lineTo(200, 120);
  canvas.lineTo(240, 120);
  canvas.lineTo(240, 80);
  canvas.setPenWidth(1);
  canvas.setPenColor(colors::Red);
  for (Point d : {Point{1, 0}, Point{1, -1}, Point{0, -1}, Point{-1, -1}, Point{-1, 0}, Point{-1, 1},
                  Point{0, 1}, Point{2, 1}}) {
    canvas.moveTo(210, 40);
    canvas.lineTo(210 + 20 * d.x, 40 + 20 * d.y);
  }
  const QString failure = timer555::testing::CompareWithGolden(
      image, QStringLiteral(TIMER555_TEST_DATA_DIR "/golden/canvas_sheet.png"));
  EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
}

}  // namespace
}  // namespace timer555
