#pragma once

#include <QFont>
#include <QImage>
#include <optional>
#include <vector>

#include "platform/canvas.h"

namespace timer555 {

/// A Canvas that draws into a QImage kept by its owner (an image control
/// keeps its bitmap and its canvas for its whole life, so settings persist
/// from one drawing to the next).
///
/// Pixels follow the classic GDI rules:
/// - 1-pixel lines are our own Bresenham without the last pixel; where a
///   step is a tie the line moves along its major axis first.
/// - Wider pens are drawn by QPainter without antialiasing and with a flat
///   cap: a line covers [start, end) along its direction, so the end pixel
///   is left out as for thin lines; across it covers width / 2 pixels above
///   (left of) the mathematical line and the rest below (right of) it.
///   Where two wide segments meet at a right angle the outer corner pixel
///   stays empty.
/// - rectangle, ellipse and arc take a box whose right and bottom edges lie
///   outside the figure; a box given with its corners swapped is put in order.
/// - Ellipses and arcs are our own rasteriser: a pixel belongs to the
///   ellipse inscribed in the box when its centre lies inside it; the outline
///   is the pen-wide rim of those pixels, the rest is filled with the brush.
/// - Polygons are filled even-odd at the pixel centres, then outlined with
///   the pen by the line rules above, closing back to the first point.
/// - Text is written on an opaque brush-coloured box of text width x text
///   height with its top at y; see MakeFont for the size conventions and
///   the rendering (grey-scale, no subpixel, no hinting). An underline is
///   drawn by the canvas itself: under the whole text width, blanks
///   included, (em + 5) / 10 pixels below the baseline and (em + 8) / 16
///   pixels thick (at least 1 each), in the font colour.
/// Drawing outside the image is clipped.
///
/// Device scale: on a screen with s device pixels per logical pixel (a
/// HiDPI laptop at scale 2) the image has s times the logical size, while
/// every coordinate, width() and height() stay logical, so a page computes
/// the same geometry at every scale. At scale s:
/// - Lines, rectangles, fills, polygons and single pixels keep the scale-1
///   geometry: each logical pixel they set becomes an s x s block. Polygons
///   are the arrow heads and diode triangles that sit on the lines of a
///   symbol, so they cover exactly what the lines around them cover.
/// - Text is written at device resolution: the font is rasterised at s
///   times its pixel size with the baseline and every glyph position at s
///   times the logical one; its opaque box and underline are blocks.
/// - Ellipses and arcs are rasterised on the box scaled by s, with a rim s
///   times the pen width.
/// - Dotted lines: pixels set one after another two logical pixels apart
///   along a row or a column, in one colour with no other drawing between
///   them, form a dotted line: at scale 1 one-pixel dots with one-pixel
///   gaps. At scale s it has the device pixels with an odd device
///   coordinate along the line, from the first dot's block to the last
///   one's and s pixels thick: as light and as thick as at scale 1, with
///   dots as fine as the screen shows them. A pixel set on its own (the end
///   pixel of a wire) stays a full block.
class QtCanvas final : public Canvas {
 public:
  /// `image` has `scale` times the logical size in both directions.
  explicit QtCanvas(QImage& image, int scale = 1);
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  int width() const override { return image_.width() / scale_; }
  int height() const override { return image_.height() / scale_; }
  /// Device pixels per logical pixel.
  int scale() const { return scale_; }
  void setPenColor(Color c) override { penColor_ = c; }
  Color penColor() const override { return penColor_; }
  void setPenWidth(int w) override { penWidth_ = w < 1 ? 1 : w; }
  int penWidth() const { return penWidth_; }
  void setBrushColor(Color c) override { brushColor_ = c; }
  Color brushColor() const override { return brushColor_; }
  void setFontName(const std::string& name) override;
  std::string fontName() const override { return fontName_; }
  void setFontSize(int points) override;
  int fontSize() const override;
  void setFontHeight(int pixels) override;
  int fontHeight() const override { return fontHeight_; }
  void setFontBold(bool on) override;
  bool fontBold() const override { return bold_; }
  void setFontUnderline(bool on) override;
  bool fontUnderline() const override { return underline_; }
  void setFontColor(Color c) override { fontColor_ = c; }
  Color fontColor() const override { return fontColor_; }

  Point penPos() const override { return pos_; }
  void moveTo(int x, int y) override { pos_ = {x, y}; }
  void lineTo(int x, int y) override;
  void setPixel(int x, int y, Color c) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void ellipse(int left, int top, int right, int bottom) override;
  void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
  void polygon(const std::vector<Point>& points) override;
  void fillRect(const Rect& r) override;
  void textOut(int x, int y, const std::string& text) override;
  int textWidth(const std::string& text) override;
  int textHeight(const std::string& text) override;

  /// The Qt font the current settings give.
  const QFont& font();
  /// The image drawn into.
  QImage& image() { return image_; }

 private:
  /// Which way a run of dots goes.
  enum class DotAxis { Unknown, Row, Column };
  /// The last pixel set with setPixel at a scale above 1, while no other
  /// drawing followed it: the start of a dotted line or a dot on one.
  struct DotRun {
    bool active = false;
    Point at;
    Color color;
    DotAxis axis = DotAxis::Unknown;
    /// The device pixels under a dot drawn as a full block, row by row, so
    /// that the block can become a dot once the run shows its direction.
    std::vector<QRgb> under;
  };

  // Device pixels [x0, x1) x [y0, y1), clipped to the image.
  void fillDevice(int x0, int y0, int x1, int y1, QRgb rgb);
  // One device pixel, clipped.
  void plotDevice(int x, int y, Color c);
  void plot(int x, int y, Color c);
  void line(Point from, Point to);
  void wideLine(Point from, Point to);
  void span(int y, int x0, int x1, Color c);  // x0..x1 inclusive
  // Pixels of the ellipse in the box given in device pixels, with a rim
  // `rim` device pixels wide: inside mask rows, clipped to nothing.
  void ellipsePixels(int left, int top, int right, int bottom, int rim,
                     std::optional<std::pair<double, double>> sweep, bool fill);
  // The device pixels of the logical pixel (x, y) that a dotted line along
  // `axis` sets.
  void dotBlock(int x, int y, DotAxis axis, Color c);
  void setDot(int x, int y, Color c);
  void endDotRun() { dots_.active = false; }

  QImage& image_;
  int scale_ = 1;
  DotRun dots_;
  Color penColor_ = colors::Black;
  int penWidth_ = 1;
  Color brushColor_ = colors::White;
  std::string fontName_;
  int fontHeight_ = -13;
  bool bold_ = false, underline_ = false;
  Color fontColor_ = colors::Black;
  Point pos_;
  QFont font_;
  bool fontDirty_ = true;
};

}  // namespace timer555
