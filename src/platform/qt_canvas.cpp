#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <numbers>

#include "platform/fonts.h"

namespace timer555 {

namespace {

QRgb ToRgb(Color c) { return qRgb(c.r, c.g, c.b); }

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Angle of (dx, dy) on the screen, counter-clockwise from the positive x
// axis (y grows downwards, hence the sign), in [0, 2 pi).
double ScreenAngle(double dx, double dy) {
  double a = std::atan2(-dy, dx);
  if (a < 0) a += 2 * std::numbers::pi;
  return a;
}

}  // namespace

QtCanvas::QtCanvas(QImage& image, int scale) : image_(image), scale_(std::max(1, scale)) {}

void QtCanvas::setFontName(const std::string& name) {
  if (name != fontName_) fontDirty_ = true;
  fontName_ = name;
}

void QtCanvas::setFontSize(int points) { setFontHeight(-PointsToPixels(points)); }

int QtCanvas::fontSize() const { return HeightToPoints(fontHeight_); }

void QtCanvas::setFontHeight(int pixels) {
  if (pixels != fontHeight_) fontDirty_ = true;
  fontHeight_ = pixels;
}

void QtCanvas::setFontBold(bool on) {
  if (on != bold_) fontDirty_ = true;
  bold_ = on;
}

void QtCanvas::setFontUnderline(bool on) {
  if (on != underline_) fontDirty_ = true;
  underline_ = on;
}

const QFont& QtCanvas::font() {
  if (fontDirty_) {
    font_ = MakeFont(fontName_, fontHeight_, bold_, false);
    fontDirty_ = false;
  }
  return font_;
}

void QtCanvas::fillDevice(int x0, int y0, int x1, int y1, QRgb rgb) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, image_.width());
  y1 = std::min(y1, image_.height());
  for (int y = y0; y < y1; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(row + x0, row + std::max(x0, x1), rgb);
  }
}

void QtCanvas::plotDevice(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  image_.setPixel(x, y, ToRgb(c));
}

void QtCanvas::plot(int x, int y, Color c) {
  if (scale_ == 1) {
    plotDevice(x, y, c);
    return;
  }
  if (x < 0 || y < 0 || x >= width() || y >= height()) return;
  fillDevice(x * scale_, y * scale_, (x + 1) * scale_, (y + 1) * scale_, ToRgb(c));
}

void QtCanvas::span(int y, int x0, int x1, Color c) {
  if (y < 0 || y >= height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, width() - 1);
  if (x0 > x1) return;
  fillDevice(x0 * scale_, y * scale_, (x1 + 1) * scale_, (y + 1) * scale_, ToRgb(c));
}

void QtCanvas::setPixel(int x, int y, Color c) {
  if (scale_ == 1) {
    plot(x, y, c);
    return;
  }
  setDot(x, y, c);
}

void QtCanvas::dotBlock(int x, int y, DotAxis axis, Color c) {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return;
  for (int dy = 0; dy < scale_; ++dy)
    for (int dx = 0; dx < scale_; ++dx) {
      const int px = x * scale_ + dx, py = y * scale_ + dy;
      if ((axis == DotAxis::Row ? px : py) % 2 == 1) plotDevice(px, py, c);
    }
}

void QtCanvas::setDot(int x, int y, Color c) {
  DotRun& run = dots_;
  const std::int64_t dx = std::int64_t{x} - run.at.x, dy = std::int64_t{y} - run.at.y;
  DotAxis axis = DotAxis::Unknown;
  if (dy == 0 && (dx == 2 || dx == -2))
    axis = DotAxis::Row;
  else if (dx == 0 && (dy == 2 || dy == -2))
    axis = DotAxis::Column;
  const bool continues = run.active && run.color == c && axis != DotAxis::Unknown &&
                         (run.axis == DotAxis::Unknown || run.axis == axis);
  const bool onImage = x >= 0 && y >= 0 && x < width() && y < height();
  if (continues) {
    if (run.axis == DotAxis::Unknown && !run.under.empty()) {
      // The run's first dot was drawn as a full block: put back what lay
      // under it, then draw it as a dot of this line.
      auto under = run.under.begin();
      for (int py = run.at.y * scale_; py < (run.at.y + 1) * scale_; ++py)
        for (int px = run.at.x * scale_; px < (run.at.x + 1) * scale_; ++px)
          image_.setPixel(px, py, *under++);
      dotBlock(run.at.x, run.at.y, axis, c);
    }
    // The logical pixel between two dots carries dots of its own.
    dotBlock(x - static_cast<int>(dx / 2), y - static_cast<int>(dy / 2), axis, c);
    dotBlock(x, y, axis, c);
    run = {true, {x, y}, c, axis, {}};
    return;
  }
  // A pixel on its own is a full block; keep what it covers in case it
  // starts a dotted line.
  run = {true, {x, y}, c, DotAxis::Unknown, {}};
  if (!onImage) return;
  for (int py = y * scale_; py < (y + 1) * scale_; ++py)
    for (int px = x * scale_; px < (x + 1) * scale_; ++px) run.under.push_back(image_.pixel(px, py));
  plot(x, y, c);
}

void QtCanvas::wideLine(Point from, Point to) {
  if (scale_ == 1) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(ToRgb(penColor_)), penWidth_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    return;
  }
  // The pixels the line covers at scale 1, found on a small mask over the
  // part of the image the line can reach, then set as blocks.
  const std::int64_t margin = penWidth_ + 1;
  auto clampTo = [](std::int64_t v, int limit) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, limit));
  };
  const QRect reach(QPoint(clampTo(std::min(from.x, to.x) - margin, width()),
                           clampTo(std::min(from.y, to.y) - margin, height())),
                    QPoint(clampTo(std::max(from.x, to.x) + margin, width() - 1),
                           clampTo(std::max(from.y, to.y) + margin, height() - 1)));
  if (reach.isEmpty()) return;
  QImage mask(reach.size(), QImage::Format_RGB32);
  mask.fill(Qt::white);
  {
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, penWidth_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.translate(-reach.left(), -reach.top());
    painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
  }
  for (int y = 0; y < mask.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
    for (int x = 0; x < mask.width(); ++x)
      if (row[x] != qRgb(255, 255, 255)) plot(reach.left() + x, reach.top() + y, penColor_);
  }
}

void QtCanvas::line(Point from, Point to) {
  if (from == to) return;
  if (penWidth_ > 1) {
    wideLine(from, to);
    return;
  }
  // Bresenham, every pixel but the last.
  const int dx = std::abs(to.x - from.x), dy = std::abs(to.y - from.y);
  const int sx = to.x > from.x ? 1 : -1, sy = to.y > from.y ? 1 : -1;
  int x = from.x, y = from.y;
  if (dx >= dy) {
    int err = 2 * dy - dx;
    for (int i = 0; i < dx; ++i) {
      plot(x, y, penColor_);
      if (err > 0) {
        y += sy;
        err -= 2 * dx;
      }
      err += 2 * dy;
      x += sx;
    }
  } else {
    int err = 2 * dx - dy;
    for (int i = 0; i < dy; ++i) {
      plot(x, y, penColor_);
      if (err > 0) {
        x += sx;
        err -= 2 * dy;
      }
      err += 2 * dx;
      y += sy;
    }
  }
}

void QtCanvas::lineTo(int x, int y) {
  endDotRun();
  line(pos_, {x, y});
  pos_ = {x, y};
}

void QtCanvas::fillRect(const Rect& r) {
  endDotRun();
  const int top = std::max(r.top, 0), bottom = std::min(r.bottom, height());
  const int left = std::max(r.left, 0), right = std::min(r.right, width());
  if (left >= right) return;  // also keeps right - 1 in range
  for (int y = top; y < bottom; ++y) span(y, left, right - 1, brushColor_);
}

void QtCanvas::rectangle(int left, int top, int right, int bottom) {
  endDotRun();
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (std::int64_t{right} - left < 1 || std::int64_t{bottom} - top < 1) return;
  // Far outside the image there is nothing to draw; this also keeps the
  // sums below within range.
  if (right <= 0 || bottom <= 0 || left >= width() || top >= height()) return;
  left = std::max(left, -penWidth_);
  top = std::max(top, -penWidth_);
  right = std::min(right, width() + penWidth_);
  bottom = std::min(bottom, height() + penWidth_);
  const int w = std::min({penWidth_, (right - left + 1) / 2, (bottom - top + 1) / 2});
  fillRect({left + w, top + w, right - w, bottom - w});
  // The outline lies inside the box, w pixels wide.
  for (int i = 0; i < w; ++i) {
    span(top + i, left, right - 1, penColor_);
    span(bottom - 1 - i, left, right - 1, penColor_);
  }
  for (int y = top + w; y < bottom - w; ++y) {
    span(y, left, left + w - 1, penColor_);
    span(y, right - w, right - 1, penColor_);
  }
}

void QtCanvas::ellipsePixels(int left, int top, int right, int bottom, int rim,
                             std::optional<std::pair<double, double>> sweep, bool fill) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const std::int64_t w = std::int64_t{right} - left, h = std::int64_t{bottom} - top;
  if (w < 1 || h < 1) return;
  // Boxes beyond any screen would overflow the exact arithmetic below.
  constexpr std::int64_t Largest = 1 << 15;
  if (w > Largest || h > Largest) return;
  // first(iy): the first column of row iy whose centre lies inside the
  // ellipse inscribed in the box (rows are symmetric), -1 for none. Centres
  // are compared in doubled coordinates so that the test is exact; the
  // square root only gives the starting guess.
  auto isInside = [&](std::int64_t ix, std::int64_t dy2) {
    const std::int64_t dx2 = 2 * ix + 1 - w;
    return dx2 * dx2 * h * h + dy2 * dy2 * w * w <= w * w * h * h;
  };
  auto first = [&](std::int64_t iy) -> std::int64_t {
    if (iy < 0 || iy >= h) return -1;
    const std::int64_t dy2 = 2 * iy + 1 - h;
    const double halfSpan = w * std::sqrt(std::max(0.0, 1.0 - double(dy2) * dy2 / (double(h) * h))) / 2.0;
    std::int64_t ix = std::max<std::int64_t>(0, static_cast<std::int64_t>(w / 2.0 - halfSpan) - 1);
    while (ix > 0 && isInside(ix - 1, dy2)) --ix;
    while (2 * ix < w && !isInside(ix, dy2)) ++ix;
    return 2 * ix < w ? ix : -1;
  };
  auto inside = [&](std::int64_t ix, std::int64_t iy) {
    if (iy < 0 || iy >= h || ix < 0 || ix >= w) return false;
    const std::int64_t f = first(iy);
    return f >= 0 && ix >= f && ix <= w - 1 - f;
  };
  // The rim: pixels within its width of the outside along a row or column.
  auto onRim = [&](std::int64_t ix, std::int64_t iy) {
    for (int k = 1; k <= rim; ++k)
      if (!inside(ix - k, iy) || !inside(ix + k, iy) || !inside(ix, iy - k) || !inside(ix, iy + k))
        return true;
    return false;
  };
  const double cx = left + double(w) / 2.0, cy = top + double(h) / 2.0;
  // Only the rows and columns on the image.
  const std::int64_t rowFrom = std::max<std::int64_t>(0, -std::int64_t{top});
  const std::int64_t rowTo = std::min<std::int64_t>(h, std::int64_t{image_.height()} - top);
  for (std::int64_t iy = rowFrom; iy < rowTo; ++iy) {
    const std::int64_t f = first(iy);
    if (f < 0) continue;
    const int y = top + static_cast<int>(iy);
    const std::int64_t colFrom = std::max<std::int64_t>(f, -std::int64_t{left});
    const std::int64_t colTo = std::min<std::int64_t>(w - 1 - f, std::int64_t{image_.width()} - 1 - left);
    for (std::int64_t ix = colFrom; ix <= colTo; ++ix) {
      const int x = left + static_cast<int>(ix);
      if (!onRim(ix, iy)) {
        if (fill) plotDevice(x, y, brushColor_);
        continue;
      }
      if (sweep) {
        const double a = ScreenAngle(x + 0.5 - cx, y + 0.5 - cy);
        double d = a - sweep->first;
        if (d < 0) d += 2 * std::numbers::pi;
        if (d > sweep->second) continue;
      }
      plotDevice(x, y, penColor_);
    }
  }
}

namespace {

// A box coordinate in device pixels; boxes beyond any screen stay beyond it.
int ToDevice(int v, int scale) {
  if (scale == 1) return v;
  const std::int64_t d = std::int64_t{v} * scale;
  return static_cast<int>(
      std::clamp<std::int64_t>(d, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
}

}  // namespace

void QtCanvas::ellipse(int left, int top, int right, int bottom) {
  endDotRun();
  const int s = scale_;
  ellipsePixels(ToDevice(left, s), ToDevice(top, s), ToDevice(right, s), ToDevice(bottom, s), penWidth_ * s,
                std::nullopt, true);
}

void QtCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  const double cx = (double(left) + right) / 2.0, cy = (double(top) + bottom) / 2.0;
  const double start = ScreenAngle(x1 - cx, y1 - cy);
  double extent = ScreenAngle(x2 - cx, y2 - cy) - start;
  if (extent < 0) extent += 2 * std::numbers::pi;
  // Both rays the same: the whole ellipse, as GDI draws it.
  if (extent == 0) extent = 2 * std::numbers::pi;
  endDotRun();
  const int s = scale_;
  ellipsePixels(ToDevice(left, s), ToDevice(top, s), ToDevice(right, s), ToDevice(bottom, s), penWidth_ * s,
                std::make_pair(start, extent), false);
}

void QtCanvas::polygon(const std::vector<Point>& points) {
  endDotRun();
  if (points.empty()) return;
  // Even-odd fill of the pixels inside. As for lines, a pixel stands for the
  // point at its integer coordinates, so that the fill meets the outline's
  // pixels without a gap.
  int top = points[0].y, bottom = points[0].y;
  for (const auto& p : points) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  top = std::max(top, 0);
  bottom = std::min(bottom, height() - 1);
  std::vector<double> crossings;
  for (int y = top; y <= bottom; ++y) {
    const double yc = y;
    crossings.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Point a = points[i], b = points[(i + 1) % points.size()];
      if ((a.y <= yc) == (b.y <= yc)) continue;
      crossings.push_back(a.x + (yc - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const int x0 = static_cast<int>(std::ceil(crossings[i]));
      const int x1 = static_cast<int>(std::floor(crossings[i + 1]));
      span(y, x0, x1, brushColor_);
    }
  }
  for (std::size_t i = 0; i < points.size(); ++i) line(points[i], points[(i + 1) % points.size()]);
  if (points.size() == 1 ||
      std::all_of(points.begin(), points.end(), [&](Point p) { return p == points[0]; }))
    plot(points[0].x, points[0].y, penColor_);
}

int QtCanvas::textWidth(const std::string& text) {
  return MetricsAt96Dpi(font()).horizontalAdvance(Latin1(text));
}

int QtCanvas::textHeight(const std::string&) { return MeasureCell(font(), fontHeight_).height; }

void QtCanvas::textOut(int x, int y, const std::string& text) {
  endDotRun();
  const QString s = Latin1(text);
  const int w = MetricsAt96Dpi(font()).horizontalAdvance(s);
  const TextCell cell = MeasureCell(font_, fontHeight_);
  fillRect({x, y, x + w, y + cell.height});
  {
    QPainter painter(&image_);
    // Logical coordinates on the device image, whatever pixel ratio the
    // image carries: the glyphs are rasterised at the device size.
    const qreal toDevice = scale_ / image_.devicePixelRatio();
    if (toDevice != 1) painter.setWorldTransform(QTransform::fromScale(toDevice, toDevice));
    painter.setFont(font_);
    painter.setPen(QColor(ToRgb(fontColor_)));
    painter.drawText(x, y + cell.ascent, s);
  }
  if (underline_ && w > 0) {
    // Our own underline, the whole width of the text with its blanks, one
    // stroke thick: the display font asks for a line a sixth of the em thick.
    const int em = font_.pixelSize();
    const int thickness = std::max(1, (em + 8) / 16);
    const int top = y + cell.ascent + std::max(1, (em + 5) / 10);
    for (int i = 0; i < thickness; ++i) span(top + i, x, x + w - 1, fontColor_);
  }
  pos_ = {x + w, y};
}

}  // namespace timer555
