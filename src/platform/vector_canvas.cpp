#include "platform/vector_canvas.h"

#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

#include "platform/fonts.h"

namespace timer555 {

namespace {

// Evenly spaced pixels up to this far apart are written as one dashed line.
constexpr int kMaxDashStride = 4;

// Boxes beyond any screen, which QtCanvas leaves out as well.
constexpr std::int64_t kLargestBox = 1 << 15;

// Angle of (dx, dy) on the screen, counter-clockwise from the positive x
// axis, in [0, 2 pi); the same as QtCanvas takes for its arcs.
double ScreenAngle(double dx, double dy) {
  double a = std::atan2(-dy, dx);
  if (a < 0) a += 2 * std::numbers::pi;
  return a;
}

/// Evenly spaced pixels of one colour along a row or a column.
struct PixelRun {
  int x = 0, y = 0;
  int count = 1;
  int stride = 1;
  bool vertical = false;
};

// Splits sorted positions along one line into runs: neighbours one apart,
// or at least three pixels at an equal distance up to kMaxDashStride. The
// positions left over are returned.
std::vector<int> SplitRuns(const std::vector<int>& at, int line, bool vertical, std::vector<PixelRun>& runs) {
  std::vector<int> rest;
  std::size_t i = 0;
  while (i < at.size()) {
    if (i + 1 == at.size()) {
      rest.push_back(at[i]);
      break;
    }
    const int stride = at[i + 1] - at[i];
    std::size_t j = i + 1;
    while (j + 1 < at.size() && at[j + 1] - at[j] == stride) ++j;
    const int count = static_cast<int>(j - i + 1);
    if (stride == 1 || (stride <= kMaxDashStride && count >= 3)) {
      runs.push_back(vertical ? PixelRun{line, at[i], count, stride, true}
                              : PixelRun{at[i], line, count, stride, false});
      i = j + 1;
    } else {
      rest.push_back(at[i]);
      ++i;
    }
  }
  return rest;
}

// An ellipse's box, ordered, and the pen-wide rim inside it: the ellipse
// inscribed in the box is the rim's outer edge, and when the rim meets
// itself the whole ellipse is pen-coloured. Empty for a box that is empty or
// too large to write.
struct Rim {
  double cx, cy, rx, ry;
  bool solid;
};

std::optional<Rim> RimOf(int left, int top, int right, int bottom, int pen) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const std::int64_t w = std::int64_t{right} - left, h = std::int64_t{bottom} - top;
  if (w < 1 || h < 1 || w > kLargestBox || h > kLargestBox) return std::nullopt;
  const bool solid = 2L * pen >= w || 2L * pen >= h;
  const double inset = solid ? 0.0 : pen / 2.0;
  return Rim{left + w / 2.0, top + h / 2.0, w / 2.0 - inset, h / 2.0 - inset, solid};
}

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

VectorCanvas::VectorCanvas(int width, int height)
    : width_(width), height_(height), metricsImage_(1, 1, QImage::Format_RGB32), metrics_(metricsImage_) {}

void VectorCanvas::flushPixels() {
  if (pendingPixels_.empty()) return;
  // Per colour: the runs along rows, then along columns among what is left,
  // then single pixels. Solid runs and single pixels are boxes; each dashed
  // run is a line.
  std::map<std::uint32_t, std::vector<std::pair<int, int>>> byColor;  // rgb -> (y, x), sorted
  for (const auto& [place, c] : pendingPixels_)
    byColor[(std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b].push_back(place);
  pendingPixels_.clear();

  for (const auto& [rgb, places] : byColor) {
    const Color color{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                      static_cast<std::uint8_t>(rgb)};
    std::vector<PixelRun> runs;
    std::map<int, std::vector<int>> columns;  // x -> y, of the pixels no row run took
    for (std::size_t i = 0; i < places.size();) {
      const int y = places[i].first;
      std::vector<int> xs;
      for (; i < places.size() && places[i].first == y; ++i) xs.push_back(places[i].second);
      for (const int x : SplitRuns(xs, y, false, runs)) columns[x].push_back(y);
    }
    std::vector<Rect> boxes;
    for (const auto& [x, ys] : columns)
      for (const int y : SplitRuns(ys, x, true, runs)) boxes.push_back({x, y, x + 1, y + 1});
    for (const PixelRun& r : runs) {
      if (r.stride == 1) {
        boxes.push_back(r.vertical ? Rect{r.x, r.y, r.x + 1, r.y + r.count}
                                   : Rect{r.x, r.y, r.x + r.count, r.y + 1});
        continue;
      }
      // A dash of one pixel, then stride - 1 pixels of gap, from the first
      // pixel's edge to the last one's far edge.
      const int length = (r.count - 1) * r.stride + 1;
      const double x1 = r.vertical ? r.x + 0.5 : r.x, y1 = r.vertical ? r.y : r.y + 0.5;
      const double x2 = r.vertical ? x1 : x1 + length, y2 = r.vertical ? y1 + length : y1;
      drawLine(x1, y1, x2, y2, color, 1, r.stride - 1);
    }
    if (!boxes.empty()) drawBoxes(boxes, color);
  }
}

void VectorCanvas::area(const Rect& r, Color c) {
  const int left = std::max(r.left, 0), top = std::max(r.top, 0);
  const int right = std::min(r.right, width_), bottom = std::min(r.bottom, height_);
  if (right <= left || bottom <= top) return;
  flushPixels();
  drawBoxes({{left, top, right, bottom}}, c);
}

void VectorCanvas::segment(Point from, Point to) {
  if (from == to) return;
  const double dx = double(to.x) - from.x, dy = double(to.y) - from.y;
  const int pen = penWidth();
  // Offsets of the drawn end points from the integer ones.
  double startX = 0, startY = 0, endX = 0, endY = 0;
  if (pen == 1) {
    // A thin line sets one pixel per step along its major axis, every one
    // but the last. Its vector form runs through the centres of those
    // pixels and covers exactly their extent along the major axis: each
    // end moves half a pixel back along the line, measured on that axis.
    // Horizontal and vertical lines thus cover exactly the pixels QtCanvas
    // sets; a slanted one is a one-unit-wide stroke over the same columns
    // (or rows) and through the same centres.
    const double major = std::max(std::abs(dx), std::abs(dy));
    startX = endX = 0.5 - 0.5 * dx / major;
    startY = endY = 0.5 - 0.5 * dy / major;
  } else if (pen % 2 == 1) {
    // A wide pen covers the pixels whose centres lie in the stroke around
    // the mathematical line, flat at both ends. Along an axis an odd width
    // puts its spare row (column) below (right of) the line, so the stroke
    // moves half a pixel there; a slanted stroke keeps its true place.
    if (dy == 0) startY = endY = 0.5;
    if (dx == 0) startX = endX = 0.5;
  }
  flushPixels();
  drawLine(from.x + startX, from.y + startY, to.x + endX, to.y + endY, penColor(), pen, 0);
}

void VectorCanvas::lineTo(int x, int y) {
  segment(penPos(), {x, y});
  moveTo(x, y);
}

void VectorCanvas::setPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pendingPixels_[{y, x}] = c;
}

void VectorCanvas::fillRect(const Rect& r) { area(r, brushColor()); }

void VectorCanvas::rectangle(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const std::int64_t w = std::int64_t{right} - left, h = std::int64_t{bottom} - top;
  if (w < 1 || h < 1) return;
  if (right <= 0 || bottom <= 0 || left >= width_ || top >= height_) return;
  // The outline lies inside the box, as wide as the pen; a box too small
  // for any inside is all outline.
  const std::int64_t pen = std::min({std::int64_t{penWidth()}, (w + 1) / 2, (h + 1) / 2});
  if (2 * pen >= w || 2 * pen >= h) {
    area({left, top, right, bottom}, penColor());
    return;
  }
  flushPixels();
  drawBox(left + pen / 2.0, top + pen / 2.0, static_cast<double>(w - pen), static_cast<double>(h - pen),
          {brushColor(), penColor(), static_cast<int>(pen)});
}

void VectorCanvas::ellipse(int left, int top, int right, int bottom) {
  const std::optional<Rim> rim = RimOf(left, top, right, bottom, penWidth());
  if (!rim) return;
  flushPixels();
  const Oval oval{rim->cx, rim->cy, rim->rx, rim->ry};
  if (rim->solid) {
    drawOval(oval, {penColor(), std::nullopt, 1});
  } else {
    drawOval(oval, {brushColor(), penColor(), penWidth()});
  }
}

void VectorCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  const double cx = (double(left) + right) / 2.0, cy = (double(top) + bottom) / 2.0;
  const double start = ScreenAngle(x1 - cx, y1 - cy);
  double extent = ScreenAngle(x2 - cx, y2 - cy) - start;
  if (extent < 0) extent += 2 * std::numbers::pi;
  const std::optional<Rim> rim = RimOf(left, top, right, bottom, penWidth());
  if (!rim) return;
  flushPixels();
  // With no inside left the rim is filled: a whole ellipse or a pie slice.
  const Paint paint =
      rim->solid ? Paint{penColor(), std::nullopt, 1} : Paint{std::nullopt, penColor(), penWidth()};
  const Oval oval{cx, cy, rim->rx, rim->ry};
  // Both rays the same: the whole ellipse, as GDI draws it.
  if (extent == 0) {
    drawOval(oval, paint);
  } else {
    drawArc(oval, start, extent, rim->solid, paint);
  }
}

void VectorCanvas::polygon(const std::vector<Point>& points) {
  if (points.empty()) return;
  // The fill stands for the pixels whose integer points lie inside, so it
  // is the polygon moved to the pixels' centres; then the outline, edge by
  // edge with the line rules.
  if (points.size() >= 3) {
    std::vector<std::pair<double, double>> centres;
    centres.reserve(points.size());
    for (const Point& p : points) centres.emplace_back(p.x + 0.5, p.y + 0.5);
    flushPixels();
    fillPolygon(centres, brushColor());
  }
  for (std::size_t i = 0; i < points.size(); ++i) segment(points[i], points[(i + 1) % points.size()]);
  if (std::all_of(points.begin(), points.end(), [&](Point p) { return p == points[0]; }))
    area({points[0].x, points[0].y, points[0].x + 1, points[0].y + 1}, penColor());
}

QList<QGlyphRun> VectorCanvas::PlacedGlyphs(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  if (!line.isValid()) return {};
  QList<QGlyphRun> runs = layout.glyphRuns();
  for (QGlyphRun& run : runs) {
    QList<QPointF> places = run.positions();
    for (QPointF& p : places) p.ry() -= line.ascent();
    run.setPositions(places);
  }
  return runs;
}

void VectorCanvas::textOut(int x, int y, const std::string& text) {
  const int w = textWidth(text);
  const QFont& font = metrics_.font();
  const TextCell cell = MeasureCell(font, fontHeight());
  const int em = font.pixelSize();
  area({x, y, x + w, y + cell.height}, brushColor());
  if (!text.empty()) {
    flushPixels();
    drawText(x, y + cell.ascent, Latin1(text), font, fontColor());
  }
  if (fontUnderline() && w > 0) {
    // The same underline QtCanvas draws.
    const int thickness = std::max(1, (em + 8) / 16);
    const int lineTop = y + cell.ascent + std::max(1, (em + 5) / 10);
    area({x, lineTop, x + w, lineTop + thickness}, fontColor());
  }
  moveTo(x + w, y);
}

}  // namespace timer555
