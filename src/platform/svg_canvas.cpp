#include "platform/svg_canvas.h"

#include <QGlyphRun>
#include <QPainterPath>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <system_error>

namespace timer555 {

namespace {

// Glyph outlines are kept at this many pixels to the em and scaled to each
// text's size; a tenth of a unit there is well below a pixel at any size
// the pages use.
constexpr int kGlyphPixels = 100;

// A number with at most `decimals` decimals, without trailing zeros.
std::string Num(double v, int decimals = 3) {
  std::array<char, 64> buf{};
  const auto result =
      std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, decimals);
  // Every coordinate written is a position on the drawing (a pixel, or a
  // point of a glyph); anything else is no place on it.
  if (result.ec != std::errc{} || !std::isfinite(v)) return "0";
  std::string s(buf.data(), result.ptr);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::string Num(int v) { return std::to_string(v); }

std::string Hex(Color c) {
  std::array<char, 8> buf{};
  std::snprintf(buf.data(), buf.size(), "#%02x%02x%02x", c.r, c.g, c.b);
  return buf.data();
}

std::string Attr(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + value + "\"";
}

// Fill and stroke of a figure; SVG fills black unless told otherwise.
std::string PaintAttrs(const VectorCanvas::Paint& paint) {
  std::string out = Attr("fill", paint.fill ? Hex(*paint.fill) : "none");
  if (paint.stroke) {
    out += Attr("stroke", Hex(*paint.stroke));
    if (paint.strokeWidth != 1) out += Attr("stroke-width", Num(paint.strokeWidth));
  }
  return out;
}

// A glyph outline as path data, in pixels of its size with the origin on
// the baseline.
std::string PathData(const QPainterPath& path) {
  std::string d;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    const auto point = [](const QPainterPath::Element& p) { return Num(p.x, 1) + " " + Num(p.y, 1); };
    if (e.isMoveTo()) {
      d += "M" + point(e);
    } else if (e.isLineTo()) {
      d += "L" + point(e);
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      d += "C" + point(e) + " " + point(path.elementAt(i + 1)) + " " + point(path.elementAt(i + 2));
      i += 2;
    }
  }
  return d;
}

}  // namespace

SvgCanvas::SvgCanvas(int width, int height) : VectorCanvas(width, height) {}

void SvgCanvas::element(const std::string& text) {
  body_ += text;
  body_ += '\n';
}

void SvgCanvas::drawBoxes(const std::vector<Rect>& boxes, Color c) {
  if (boxes.size() == 1) {
    const Rect& r = boxes.front();
    element("<rect" + Attr("x", Num(r.left)) + Attr("y", Num(r.top)) + Attr("width", Num(r.right - r.left)) +
            Attr("height", Num(r.bottom - r.top)) + Attr("fill", Hex(c)) + "/>");
    return;
  }
  std::string d;
  for (const Rect& r : boxes) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    d += "M" + Num(r.left) + " " + Num(r.top) + "h" + Num(w) + "v" + Num(h) + "h-" + Num(w) + "z";
  }
  element("<path" + Attr("fill", Hex(c)) + Attr("d", d) + "/>");
}

void SvgCanvas::drawLine(double x1, double y1, double x2, double y2, Color c, int width, int dashGap) {
  std::string e = "<line" + Attr("x1", Num(x1)) + Attr("y1", Num(y1)) + Attr("x2", Num(x2)) +
                  Attr("y2", Num(y2)) + Attr("stroke", Hex(c));
  if (width != 1) e += Attr("stroke-width", Num(width));
  if (dashGap > 0) e += Attr("stroke-dasharray", "1 " + Num(dashGap));
  element(e + "/>");
}

void SvgCanvas::drawBox(double x, double y, double w, double h, const Paint& paint) {
  element("<rect" + Attr("x", Num(x)) + Attr("y", Num(y)) + Attr("width", Num(w)) + Attr("height", Num(h)) +
          PaintAttrs(paint) + "/>");
}

void SvgCanvas::drawOval(const Oval& oval, const Paint& paint) {
  element("<ellipse" + Attr("cx", Num(oval.cx)) + Attr("cy", Num(oval.cy)) + Attr("rx", Num(oval.rx)) +
          Attr("ry", Num(oval.ry)) + PaintAttrs(paint) + "/>");
}

void SvgCanvas::drawArc(const Oval& oval, double start, double extent, bool pie, const Paint& paint) {
  // Where the ray at angle a meets the ellipse.
  auto on = [&oval](double a) {
    const double c = std::cos(a), s = std::sin(a);
    const double t = 1.0 / std::sqrt((c / oval.rx) * (c / oval.rx) + (s / oval.ry) * (s / oval.ry));
    return Num(oval.cx + t * c) + " " + Num(oval.cy - t * s);
  };
  // Sweep flag 0: against the clock on the screen, whose y axis points down.
  std::string d = on(start) + "A" + Num(oval.rx) + " " + Num(oval.ry) + " 0 " +
                  (extent > std::numbers::pi ? "1" : "0") + " 0 " + on(start + extent);
  d = pie ? "M" + Num(oval.cx) + " " + Num(oval.cy) + "L" + d + "z" : "M" + d;
  element("<path" + Attr("d", d) + PaintAttrs(paint) + "/>");
}

void SvgCanvas::fillPolygon(const std::vector<std::pair<double, double>>& points, Color c) {
  std::string d;
  for (const auto& [x, y] : points) d += (d.empty() ? "M" : "L") + Num(x) + " " + Num(y);
  element("<path" + Attr("d", d + "z") + Attr("fill", Hex(c)) + Attr("fill-rule", "evenodd") + "/>");
}

std::string SvgCanvas::glyphId(const QRawFont& font, quint32 glyph) {
  const GlyphKey key{font.familyName(), font.styleName(), font.weight(), glyph};
  if (auto it = glyphIds_.find(key); it != glyphIds_.end()) return it->second;
  QRawFont sized = font;
  sized.setPixelSize(kGlyphPixels);
  const QPainterPath outline = sized.pathForGlyph(glyph);
  // A blank has no outline and nothing to place.
  std::string id;
  if (!outline.isEmpty()) {
    id = "g" + std::to_string(defined_++);
    defs_ += "<path" + Attr("id", id) + Attr("d", PathData(outline)) + "/>\n";
  }
  return glyphIds_.emplace(key, std::move(id)).first->second;
}

void SvgCanvas::drawText(int x, int baseline, const QString& text, const QFont& font, Color c) {
  for (const QGlyphRun& run : PlacedGlyphs(text, font)) {
    const QRawFont raw = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> places = run.positions();
    if (glyphs.isEmpty() || raw.pixelSize() <= 0) continue;
    const double scale = raw.pixelSize() / kGlyphPixels;
    std::string uses;
    for (qsizetype i = 0; i < glyphs.size() && i < places.size(); ++i) {
      const std::string id = glyphId(raw, glyphs[i]);
      if (id.empty()) continue;
      const double dx = places[i].x() / scale, dy = places[i].y() / scale;
      uses += "<use" + Attr("xlink:href", "#" + id);
      if (dx != 0) uses += Attr("x", Num(dx, 1));
      if (std::abs(dy) >= 0.05) uses += Attr("y", Num(dy, 1));
      uses += "/>";
    }
    if (uses.empty()) continue;
    element(
        "<g" +
        Attr("transform", "translate(" + Num(x) + " " + Num(baseline) + ") scale(" + Num(scale, 4) + ")") +
        Attr("fill", Hex(c)) + ">" + uses + "</g>");
  }
}

std::string SvgCanvas::document() {
  flushPixels();
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out +=
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "version=\"1.1\"" +
      Attr("width", Num(width())) + Attr("height", Num(height())) +
      Attr("viewBox", "0 0 " + Num(width()) + " " + Num(height())) + ">\n";
  if (!defs_.empty()) out += "<defs>\n" + defs_ + "</defs>\n";
  out += body_;
  out += "</svg>\n";
  return out;
}

}  // namespace timer555
