// The canvas at device scale 2: what keeps the scale-1 pixels as 2 x 2
// blocks, what is drawn at the device resolution, and dotted lines. Text at
// scale 2 is checked on the real window (tests/realwindow/scale_two.sh).
#include <gtest/gtest.h>

#include <QImage>
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

}  // namespace
}  // namespace timer555
