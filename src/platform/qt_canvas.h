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
///   the rendering (grey-scale, no subpixel, no hinting).
/// Drawing outside the image is clipped.
class QtCanvas final : public Canvas {
 public:
  explicit QtCanvas(QImage& image);
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  int width() const override { return image_.width(); }
  int height() const override { return image_.height(); }
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
  void plot(int x, int y, Color c);
  void line(Point from, Point to);
  void span(int y, int x0, int x1, Color c);  // x0..x1 inclusive
  // Pixels of the ellipse in the box: inside mask rows, clipped to nothing.
  void ellipsePixels(int left, int top, int right, int bottom, std::optional<std::pair<double, double>> sweep,
                     bool fill);

  QImage& image_;
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
