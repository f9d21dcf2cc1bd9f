#include "platform/svg_canvas.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <system_error>

#include "platform/fonts.h"

namespace timer555 {

namespace {

// Where Debian's fonts-liberation2 puts the face that stands in for Arial.
constexpr const char* kLiberationSans = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

// Evenly spaced pixels up to this far apart are written as one dashed line.
constexpr int kMaxDashStride = 4;

// Boxes beyond any screen, which QtCanvas leaves out as well.
constexpr std::int64_t kLargestBox = 1 << 15;

std::string Num(double v) {
  std::array<char, 64> buf{};
  const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, 3);
  // Every coordinate written is a pixel position within int range, or
  // half-way between two; anything else is no place on the drawing.
  if (result.ec != std::errc{} || !std::isfinite(v)) return "0";
  std::string s(buf.data(), result.ptr);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::string Num(std::int64_t v) { return std::to_string(v); }
std::string Num(int v) { return std::to_string(v); }

std::string Hex(Color c) {
  std::array<char, 8> buf{};
  std::snprintf(buf.data(), buf.size(), "#%02x%02x%02x", c.r, c.g, c.b);
  return buf.data();
}

std::string Attr(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + value + "\"";
}

// XML character data: the five special characters as entities, the few
// control characters XML allows as references, the others (which XML
// forbids even as references) as the replacement character. Bytes from
// 0x80 up pass unchanged.
std::string Escape(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (const char ch : utf8) {
    const auto u = static_cast<unsigned char>(ch);
    switch (ch) {
      case '&': out += "&amp;"; continue;
      case '<': out += "&lt;"; continue;
      case '>': out += "&gt;"; continue;
      case '"': out += "&quot;"; continue;
      case '\'': out += "&apos;"; continue;
      case '\t':
      case '\n':
      case '\r': out += "&#" + std::to_string(u) + ";"; continue;
      default: break;
    }
    if (u < 0x20)
      out += "\xEF\xBF\xBD";
    else
      out += ch;
  }
  return out;
}

// The program's texts are Latin-1; the document is UTF-8.
std::string Latin1ToUtf8(const std::string& latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (const char ch : latin1) {
    const auto u = static_cast<unsigned char>(ch);
    if (u < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

// A CSS string in single quotes. Everything but letters, digits, blanks,
// '-', '_' and non-ASCII bytes is written as a hexadecimal escape, so the
// result is safe both in a style sheet and in an XML attribute.
std::string CssString(const std::string& utf8) {
  std::string out = "'";
  for (const char ch : utf8) {
    const auto u = static_cast<unsigned char>(ch);
    if (u >= 0x80 || std::isalnum(u) || ch == ' ' || ch == '-' || ch == '_') {
      out += ch;
    } else {
      std::array<char, 8> buf{};
      std::snprintf(buf.data(), buf.size(), "\\%x ", u);
      out += buf.data();
    }
  }
  return out + "'";
}

std::string CaseFolded(const std::string& s) {
  std::string out = s;
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return out;
}

std::string Base64(const std::string& bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < 3; ++k)
      v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(v >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

// The media type and CSS format of a font file, from its first bytes.
std::pair<const char*, const char*> FontType(const std::string& bytes) {
  const std::string magic = bytes.substr(0, 4);
  if (magic == "OTTO") return {"font/otf", "opentype"};
  if (magic == "wOFF") return {"font/woff", "woff"};
  if (magic == "wOF2") return {"font/woff2", "woff2"};
  return {"font/ttf", "truetype"};
}

// Angle of (dx, dy) on the screen, counter-clockwise from the positive x
// axis, in [0, 2 pi); the same as QtCanvas takes for its arcs.
double ScreenAngle(double dx, double dy) {
  double a = std::atan2(-dy, dx);
  if (a < 0) a += 2 * std::numbers::pi;
  return a;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

// The elements of a batch of pixels: per colour, the runs along rows, then
// along columns among what is left, then single pixels. Solid runs and
// single pixels share one path; each dashed run is a line.
std::string PixelElements(const std::map<std::pair<int, int>, Color>& pixels) {
  std::map<std::uint32_t, std::vector<std::pair<int, int>>> byColor;  // rgb -> (y, x), sorted
  for (const auto& [place, c] : pixels)
    byColor[(std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b].push_back(place);

  std::string out;
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
    std::string path;
    for (const auto& [x, ys] : columns)
      for (const int y : SplitRuns(ys, x, true, runs)) path += "M" + Num(x) + " " + Num(y) + "h1v1h-1z";
    for (const PixelRun& r : runs) {
      if (r.stride == 1) {
        path +=
            "M" + Num(r.x) + " " + Num(r.y) +
            (r.vertical ? "h1v" + Num(r.count) + "h-1z" : "h" + Num(r.count) + "v1h-" + Num(r.count) + "z");
        continue;
      }
      // A dash of one pixel, then stride - 1 pixels of gap, from the first
      // pixel's edge to the last one's far edge.
      const int length = (r.count - 1) * r.stride + 1;
      const double x1 = r.vertical ? r.x + 0.5 : r.x, y1 = r.vertical ? r.y : r.y + 0.5;
      const double x2 = r.vertical ? x1 : x1 + length, y2 = r.vertical ? y1 + length : y1;
      out += "<line" + Attr("x1", Num(x1)) + Attr("y1", Num(y1)) + Attr("x2", Num(x2)) + Attr("y2", Num(y2)) +
             Attr("stroke", Hex(color)) + Attr("stroke-dasharray", "1 " + Num(r.stride - 1)) + "/>\n";
    }
    if (!path.empty()) out += "<path" + Attr("fill", Hex(color)) + Attr("d", path) + "/>\n";
  }
  return out;
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

// The stroke of a pen, its width only where it is not the default one.
std::string Stroke(Color pen, int width) {
  return Attr("stroke", Hex(pen)) + (width == 1 ? "" : Attr("stroke-width", Num(width)));
}

}  // namespace

SvgFontFiles LoadSheetFonts(const std::string& programDir) {
  SvgFontFiles fonts;
  const std::pair<const char*, std::string> files[] = {{"Technical", programDir + "/appfont.dat"},
                                                       {"Arial", kLiberationSans}};
  for (const auto& [face, path] : files) {
    std::string bytes = ReadFile(path);
    if (!bytes.empty()) fonts[face] = std::move(bytes);
  }
  return fonts;
}

SvgCanvas::SvgCanvas(int width, int height, SvgFontFiles fonts)
    : width_(width),
      height_(height),
      fonts_(std::move(fonts)),
      metricsImage_(1, 1, QImage::Format_RGB32),
      metrics_(metricsImage_) {}

void SvgCanvas::flushPixels() {
  if (pendingPixels_.empty()) return;
  body_ += PixelElements(pendingPixels_);
  pendingPixels_.clear();
}

void SvgCanvas::element(const std::string& text) {
  flushPixels();
  body_ += text;
  body_ += '\n';
}

void SvgCanvas::area(const Rect& r, Color c) {
  const int left = std::max(r.left, 0), top = std::max(r.top, 0);
  const int right = std::min(r.right, width_), bottom = std::min(r.bottom, height_);
  if (right <= left || bottom <= top) return;
  element("<rect" + Attr("x", Num(left)) + Attr("y", Num(top)) + Attr("width", Num(right - left)) +
          Attr("height", Num(bottom - top)) + Attr("fill", Hex(c)) + "/>");
}

void SvgCanvas::segment(Point from, Point to) {
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
  element("<line" + Attr("x1", Num(from.x + startX)) + Attr("y1", Num(from.y + startY)) +
          Attr("x2", Num(to.x + endX)) + Attr("y2", Num(to.y + endY)) + Attr("stroke", Hex(penColor())) +
          (pen == 1 ? "" : Attr("stroke-width", Num(pen))) + "/>");
}

void SvgCanvas::lineTo(int x, int y) {
  segment(penPos(), {x, y});
  moveTo(x, y);
}

void SvgCanvas::setPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pendingPixels_[{y, x}] = c;
}

void SvgCanvas::fillRect(const Rect& r) { area(r, brushColor()); }

void SvgCanvas::rectangle(int left, int top, int right, int bottom) {
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
  element("<rect" + Attr("x", Num(left + pen / 2.0)) + Attr("y", Num(top + pen / 2.0)) +
          Attr("width", Num(w - pen)) + Attr("height", Num(h - pen)) + Attr("fill", Hex(brushColor())) +
          Attr("stroke", Hex(penColor())) + (pen == 1 ? "" : Attr("stroke-width", Num(pen))) + "/>");
}

void SvgCanvas::ellipse(int left, int top, int right, int bottom) {
  const std::optional<Rim> rim = RimOf(left, top, right, bottom, penWidth());
  if (!rim) return;
  std::string e = "<ellipse" + Attr("cx", Num(rim->cx)) + Attr("cy", Num(rim->cy)) +
                  Attr("rx", Num(rim->rx)) + Attr("ry", Num(rim->ry));
  if (rim->solid)
    e += Attr("fill", Hex(penColor()));
  else
    e += Attr("fill", Hex(brushColor())) + Stroke(penColor(), penWidth());
  element(e + "/>");
}

void SvgCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  const double cx = (double(left) + right) / 2.0, cy = (double(top) + bottom) / 2.0;
  const double start = ScreenAngle(x1 - cx, y1 - cy);
  double extent = ScreenAngle(x2 - cx, y2 - cy) - start;
  if (extent < 0) extent += 2 * std::numbers::pi;
  const bool whole = extent == 0;
  const std::optional<Rim> rim = RimOf(left, top, right, bottom, penWidth());
  if (!rim) return;
  const double rx = rim->rx, ry = rim->ry;
  const bool solid = rim->solid;
  const std::string stroke =
      solid ? Attr("fill", Hex(penColor())) : Attr("fill", "none") + Stroke(penColor(), penWidth());
  if (whole) {
    element("<ellipse" + Attr("cx", Num(cx)) + Attr("cy", Num(cy)) + Attr("rx", Num(rx)) +
            Attr("ry", Num(ry)) + stroke + "/>");
    return;
  }
  // Where the ray at angle a meets the ellipse the stroke follows.
  auto on = [&](double a) {
    const double c = std::cos(a), s = std::sin(a);
    const double t = 1.0 / std::sqrt((c / rx) * (c / rx) + (s / ry) * (s / ry));
    return Num(cx + t * c) + " " + Num(cy - t * s);
  };
  // Sweep flag 0: against the clock on the screen, whose y axis points down.
  std::string d = "M" + on(start) + "A" + Num(rx) + " " + Num(ry) + " 0 " +
                  (extent > std::numbers::pi ? "1" : "0") + " 0 " + on(start + extent);
  // With no inside left the rim is a pie slice.
  if (solid) d = "M" + Num(cx) + " " + Num(cy) + "L" + d.substr(1) + "z";
  element("<path" + Attr("d", d) + stroke + "/>");
}

void SvgCanvas::polygon(const std::vector<Point>& points) {
  if (points.empty()) return;
  // The fill stands for the pixels whose integer points lie inside, so it
  // is the polygon moved to the pixels' centres; then the outline, edge by
  // edge with the line rules.
  if (points.size() >= 3) {
    std::string d;
    for (const Point& p : points) d += (d.empty() ? "M" : "L") + Num(p.x + 0.5) + " " + Num(p.y + 0.5);
    element("<path" + Attr("d", d + "z") + Attr("fill", Hex(brushColor())) + Attr("fill-rule", "evenodd") +
            "/>");
  }
  for (std::size_t i = 0; i < points.size(); ++i) segment(points[i], points[(i + 1) % points.size()]);
  if (std::all_of(points.begin(), points.end(), [&](Point p) { return p == points[0]; }))
    area({points[0].x, points[0].y, points[0].x + 1, points[0].y + 1}, penColor());
}

void SvgCanvas::textOut(int x, int y, const std::string& text) {
  const int w = textWidth(text);
  const QFont& font = metrics_.font();
  const TextCell cell = MeasureCell(font, fontHeight());
  const int em = font.pixelSize();
  area({x, y, x + w, y + cell.height}, brushColor());
  if (!text.empty()) {
    std::string e = "<text" + Attr("x", Num(x)) + Attr("y", Num(y + cell.ascent));
    if (!fontName().empty()) {
      const QByteArray resolved = ResolveFontFamily(fontName()).toUtf8();
      const std::string family(resolved.constData(), static_cast<std::size_t>(resolved.size()));
      usedFaces_.try_emplace(CaseFolded(family), family);
      e += Attr("font-family", CssString(family) + ", sans-serif");
    }
    e += Attr("font-size", Num(em));
    if (fontBold()) e += Attr("font-weight", "bold");
    e += Attr("fill", Hex(fontColor()));
    if (w > 0) e += Attr("textLength", Num(w)) + Attr("lengthAdjust", "spacingAndGlyphs");
    element(e + ">" + Escape(Latin1ToUtf8(text)) + "</text>");
  }
  if (fontUnderline() && w > 0) {
    // The same underline QtCanvas draws.
    const int thickness = std::max(1, (em + 8) / 16);
    const int lineTop = y + cell.ascent + std::max(1, (em + 5) / 10);
    area({x, lineTop, x + w, lineTop + thickness}, fontColor());
  }
  moveTo(x + w, y);
}

std::string SvgCanvas::document() const {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"" + Attr("width", Num(width_)) +
         Attr("height", Num(height_)) + Attr("viewBox", "0 0 " + Num(width_) + " " + Num(height_)) +
         " xml:space=\"preserve\">\n";
  // Blanks in texts are part of their measured width.
  out += "<style>\ntext { white-space: pre; }\n";
  for (const auto& [folded, family] : usedFaces_) {
    for (const auto& [face, bytes] : fonts_) {
      if (CaseFolded(face) != folded) continue;
      const auto [mime, format] = FontType(bytes);
      out += "@font-face { font-family: " + CssString(family) + "; src: url(data:" + mime + ";base64," +
             Base64(bytes) + ") format('" + format + "'); }\n";
      break;
    }
  }
  out += "</style>\n";
  out += body_;
  out += PixelElements(pendingPixels_);
  out += "</svg>\n";
  return out;
}

}  // namespace timer555
