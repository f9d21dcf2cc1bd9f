// The canvas at device scale 2: what keeps the scale-1 pixels as 2 x 2
// blocks, what is drawn at the device resolution, and dotted lines.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QImage>
#include <QRect>
#include <functional>
#include <limits>
#include <string>

#include "platform/qt_canvas.h"

namespace timer555 {
namespace {

constexpr int Logical = 24;
constexpr QRgb White = 0xffffffff;

QImage Blank(int size) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(White);
  return image;
}

QImage Doubled(const QImage& image) {
  return image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The first differing pixel, or an empty text.
std::string FirstDifference(const QImage& actual, const QImage& expected) {
  if (actual.size() != expected.size()) return "sizes differ";
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      if (actual.pixel(x, y) != expected.pixel(x, y))
        return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
  return {};
}

/// One drawing, played on a canvas.
struct Drawing {
  const char* name;
  std::function<void(QtCanvas&)> draw;
};

// Everything but text, ellipses, arcs and dotted lines: the scale-2 picture
// is the scale-1 picture with every pixel doubled.
TEST(QtCanvasScale, LinesShapesAndPixelsKeepTheScale1Geometry) {
  const Drawing rows[] = {
      {"shallow line",
       [](QtCanvas& c) {
         c.moveTo(2, 3);
         c.lineTo(21, 11);
       }},
      {"steep line leaving the image",
       [](QtCanvas& c) {
         c.moveTo(20, 2);
         c.lineTo(14, 40);
       }},
      {"pen 2 sketch",
       [](QtCanvas& c) {
         c.setPenWidth(2);
         c.moveTo(3, 20);
         c.lineTo(3, 5);
         c.lineTo(12, 5);
         c.lineTo(12, 20);
       }},
      {"pen 2 line from outside the image",
       [](QtCanvas& c) {
         c.setPenWidth(2);
         c.moveTo(-40, 7);
         c.lineTo(60, 9);
       }},
      {"pen 3 diagonal",
       [](QtCanvas& c) {
         c.setPenWidth(3);
         c.moveTo(1, 1);
         c.lineTo(20, 13);
       }},
      {"rectangle, pen 2",
       [](QtCanvas& c) {
         c.setPenWidth(2);
         c.setBrushColor(colors::Silver);
         c.rectangle(4, 3, 19, 15);
       }},
      {"fill over the edge",
       [](QtCanvas& c) {
         c.setBrushColor(colors::Green);
         c.fillRect({-5, 20, 8, 30});
       }},
      // Nothing to fill; under the sanitizers this also guards the edge
      // arithmetic at the integer limit.
      {"fill ending at the smallest integer",
       [](QtCanvas& c) {
         c.fillRect({0, 0, std::numeric_limits<int>::min(), 10});
       }},
      {"diode triangle",
       [](QtCanvas& c) {
         c.setBrushColor(colors::Black);
         c.polygon({{16, 12}, {8, 8}, {8, 16}});
       }},
      {"arrow head",
       [](QtCanvas& c) {
         c.setPenColor(colors::Red);
         c.setBrushColor(colors::Blue);
         c.polygon({{20, 20}, {14, 20}, {20, 9}});
       }},
      {"wire end pixel",
       [](QtCanvas& c) {
         c.moveTo(5, 5);
         c.lineTo(5, 15);
         c.setPixel(5, 15, colors::Black);
       }},
      {"pixels two apart in two colours",
       [](QtCanvas& c) {
         c.setPixel(3, 3, colors::Blue);
         c.setPixel(5, 3, colors::Red);
       }},
      {"pixels two apart with a line between",
       [](QtCanvas& c) {
         c.setPixel(3, 3, colors::Blue);
         c.moveTo(0, 9);
         c.lineTo(4, 9);
         c.setPixel(5, 3, colors::Blue);
       }},
      {"pixels three apart",
       [](QtCanvas& c) {
         c.setPixel(3, 3, colors::Blue);
         c.setPixel(6, 3, colors::Blue);
       }},
  };
  for (const Drawing& row : rows) {
    SCOPED_TRACE(row.name);
    QImage one = Blank(Logical), two = Blank(2 * Logical);
    QtCanvas scale1(one), scale2(two, 2);
    row.draw(scale1);
    row.draw(scale2);
    EXPECT_EQ(scale2.width(), Logical);
    EXPECT_EQ(scale2.penPos(), scale1.penPos());
    EXPECT_EQ(FirstDifference(two, Doubled(one)), "");
  }
}

// Pixels set two apart along a row or a column form a dotted line: at scale
// 2 the device pixels with an odd coordinate along it, from the first dot's
// block to the last one's, two pixels thick.
TEST(QtCanvasScale, DottedLinesSetTheOddDevicePixelsAlongThem) {
  struct Row {
    const char* name;
    std::function<void(QtCanvas&)> draw;
    std::function<bool(int x, int y)> expected;  // device pixel set in blue
  };
  auto along = [](int x, int from, int to) { return x % 2 == 1 && x >= from && x < to; };
  const Row rows[] = {
      {"row left to right",
       [](QtCanvas& c) {
         for (int x = 3; x <= 11; x += 2) c.setPixel(x, 4, colors::Blue);
       },
       [&](int x, int y) { return (y == 8 || y == 9) && along(x, 6, 24); }},
      {"column upwards",
       [](QtCanvas& c) {
         for (int y = 21; y >= 1; y -= 2) c.setPixel(7, y, colors::Blue);
       },
       [&](int x, int y) { return (x == 14 || x == 15) && along(y, 2, 44); }},
      {"two runs with a corner",
       [](QtCanvas& c) {
         for (int x = 1; x <= 9; x += 2) c.setPixel(x, 1, colors::Blue);
         for (int y = 3; y <= 9; y += 2) c.setPixel(9, y, colors::Blue);
       },
       // The column's first dot lies two pixels below the row's last one,
       // but a run keeps its direction: the column starts at its own first
       // dot, as at scale 1.
       [&](int x, int y) {
         return ((y == 2 || y == 3) && along(x, 2, 20)) || ((x == 18 || x == 19) && along(y, 6, 20));
       }},
      {"row entering from the left",
       [](QtCanvas& c) {
         for (int x = -3; x <= 5; x += 2) c.setPixel(x, 2, colors::Blue);
       },
       [&](int x, int y) { return (y == 4 || y == 5) && along(x, 0, 12); }},
      {"a single dot is a full block", [](QtCanvas& c) { c.setPixel(4, 4, colors::Blue); },
       [](int x, int y) { return x / 2 == 4 && y / 2 == 4; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QImage two = Blank(2 * Logical);
    QtCanvas canvas(two, 2);
    row.draw(canvas);
    for (int y = 0; y < two.height(); ++y)
      for (int x = 0; x < two.width(); ++x)
        ASSERT_EQ(two.pixel(x, y), row.expected(x, y) ? qRgb(0, 0, 255) : White) << x << "," << y;
  }

  // The first dot of a run is a full block until the second shows the run;
  // what it covered comes back.
  QImage two = Blank(2 * Logical);
  QtCanvas canvas(two, 2);
  canvas.setBrushColor(colors::Red);
  canvas.fillRect({0, 0, Logical, 2});
  canvas.setPixel(1, 1, colors::Blue);
  canvas.setPixel(3, 1, colors::Blue);
  EXPECT_EQ(two.pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(two.pixel(3, 2), qRgb(0, 0, 255));
  EXPECT_EQ(two.pixel(4, 3), qRgb(255, 0, 0));
  EXPECT_EQ(two.pixel(5, 3), qRgb(0, 0, 255));
}

// Ellipses and arcs at scale 2 are those of the doubled box with a doubled
// pen, drawn at scale 1 on the device image.
TEST(QtCanvasScale, EllipsesAndArcsAreRasterisedOnTheDoubledBox) {
  struct Row {
    const char* name;
    std::function<void(QtCanvas&, int k)> draw;  // k: the factor of every coordinate
  };
  const Row rows[] = {
      {"junction dot",
       [](QtCanvas& c, int k) {
         c.setPenWidth(k);
         c.setPenColor(colors::Red);
         c.setBrushColor(colors::Black);
         c.ellipse(5 * k, 5 * k, 11 * k, 11 * k);
       }},
      {"wide flat ellipse, pen 2",
       [](QtCanvas& c, int k) {
         c.setPenWidth(2 * k);
         c.setBrushColor(colors::Silver);
         c.ellipse(1 * k, 6 * k, 23 * k, 17 * k);
       }},
      {"quarter arc",
       [](QtCanvas& c, int k) {
         c.setPenWidth(k);
         c.arc(2 * k, 2 * k, 22 * k, 22 * k, 22 * k, 12 * k, 12 * k, 2 * k);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QImage two = Blank(2 * Logical), expected = Blank(2 * Logical);
    QtCanvas scaled(two, 2), device(expected);
    row.draw(scaled, 1);
    row.draw(device, 2);
    EXPECT_EQ(FirstDifference(two, expected), "");
  }
}

// Registers the display font built beside the test executables once.
bool AppFontRegistered() {
  static const bool ok = [] {
    const QString path = QCoreApplication::applicationDirPath() + "/appfont.dat";
    return QFontDatabase::addApplicationFont(path) >= 0;
  }();
  return ok;
}

QRect InkBox(const QImage& image, QRgb background) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

// Text at scale 2: the same metrics and drawing point, the glyphs drawn at
// the device resolution (not 2 x 2 blocks) in the same place, the opaque box
// and the underline doubled.
TEST(QtCanvasScale, TextIsWrittenAtDeviceResolutionInTheSamePlace) {
  ASSERT_TRUE(AppFontRegistered());
  const QRgb face = qRgb(240, 240, 240);
  QImage one(80, 24, QImage::Format_RGB32), two(160, 48, QImage::Format_RGB32);
  one.fill(face);
  two.fill(face);
  QtCanvas scale1(one), scale2(two, 2);
  for (QtCanvas* c : {&scale1, &scale2}) {
    c->setFontName("Technical");
    c->setFontSize(13);
    c->setFontUnderline(true);
    c->textOut(6, 3, "R1 2.885K");
  }
  EXPECT_EQ(scale2.textWidth("R1 2.885K"), scale1.textWidth("R1 2.885K"));
  EXPECT_EQ(scale2.textHeight("R1 2.885K"), scale1.textHeight("R1 2.885K"));
  EXPECT_EQ(scale2.penPos(), scale1.penPos());

  // The opaque box (white brush) and the underline are exactly doubled;
  // the glyphs lie within a device pixel of the doubled ones.
  const QRect box1 = InkBox(one, face);
  EXPECT_EQ(InkBox(two, face), QRect(box1.topLeft() * 2, box1.size() * 2));
  QImage glyphs1 = one.copy(), glyphs2 = two.copy();
  int underlineRow = -1;
  for (int y = 0; y < one.height(); ++y)
    if (one.pixel(box1.left(), y) == qRgb(0, 0, 0)) underlineRow = y;
  ASSERT_GE(underlineRow, 0);
  for (int x = 2 * box1.left(); x < 2 * (box1.right() + 1); ++x) {
    EXPECT_EQ(two.pixel(x, 2 * underlineRow), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(two.pixel(x, 2 * underlineRow + 1), qRgb(0, 0, 0)) << x;
  }
  for (int x = 0; x < one.width(); ++x) glyphs1.setPixel(x, underlineRow, White);
  for (int x = 0; x < two.width(); ++x)
    for (int y : {2 * underlineRow, 2 * underlineRow + 1}) glyphs2.setPixel(x, y, White);
  const QRect ink1 = InkBox(glyphs1.copy(box1), White),
              ink2 = InkBox(glyphs2.copy(QRect(box1.topLeft() * 2, box1.size() * 2)), White);
  ASSERT_FALSE(ink1.isEmpty());
  EXPECT_NEAR(ink2.left(), 2 * ink1.left(), 1);
  EXPECT_NEAR(ink2.top(), 2 * ink1.top(), 1);
  EXPECT_NEAR(ink2.right() + 1, 2 * (ink1.right() + 1), 1);

  // Not blocky: many 2 x 2 blocks of the glyphs hold more than one colour.
  int mixed = 0;
  for (int y = 0; y + 1 < two.height(); y += 2)
    for (int x = 0; x + 1 < two.width(); x += 2) {
      const QRgb p = two.pixel(x, y);
      if (two.pixel(x + 1, y) != p || two.pixel(x, y + 1) != p || two.pixel(x + 1, y + 1) != p) ++mixed;
    }
  EXPECT_GT(mixed, 40);
}

}  // namespace
}  // namespace timer555
