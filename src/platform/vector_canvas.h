#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/qt_canvas.h"

namespace timer555 {

/// A Canvas that turns every call into the vector figures covering the
/// pixels QtCanvas sets for it, one unit being one pixel of the QtCanvas
/// picture and a pixel (x, y) the square [x, x + 1] x [y, y + 1]. Where a
/// figure lies on the pixel grid (horizontal and vertical lines, boxes,
/// pixels) the cover is exact; slanted lines, ellipses, arcs and polygons
/// are the nearest vector figure over the same pixels. Text is measured by
/// a private QtCanvas with the same settings, so textWidth and textHeight,
/// and with them every page's layout, are those of the screen, and it is
/// drawn in the same font at the same baseline.
///
/// The back ends (SvgCanvas, PainterCanvas) only write the figures, in the
/// order they come.
class VectorCanvas : public Canvas {
 public:
  /// An ellipse by its centre and radii.
  struct Oval {
    double cx = 0, cy = 0, rx = 0, ry = 0;
  };
  /// How a figure is painted: filled, stroked, or both. A colour of
  /// nullopt leaves that part out.
  struct Paint {
    std::optional<Color> fill;
    std::optional<Color> stroke;
    int strokeWidth = 1;
  };

  VectorCanvas(int width, int height);
  VectorCanvas(const VectorCanvas&) = delete;
  VectorCanvas& operator=(const VectorCanvas&) = delete;

  int width() const final { return width_; }
  int height() const final { return height_; }
  void setPenColor(Color c) final { metrics_.setPenColor(c); }
  Color penColor() const final { return metrics_.penColor(); }
  void setPenWidth(int w) final { metrics_.setPenWidth(w); }
  int penWidth() const { return metrics_.penWidth(); }
  void setBrushColor(Color c) final { metrics_.setBrushColor(c); }
  Color brushColor() const final { return metrics_.brushColor(); }
  void setFontName(const std::string& name) final { metrics_.setFontName(name); }
  std::string fontName() const final { return metrics_.fontName(); }
  void setFontSize(int points) final { metrics_.setFontSize(points); }
  int fontSize() const final { return metrics_.fontSize(); }
  void setFontHeight(int pixels) final { metrics_.setFontHeight(pixels); }
  int fontHeight() const final { return metrics_.fontHeight(); }
  void setFontBold(bool on) final { metrics_.setFontBold(on); }
  bool fontBold() const final { return metrics_.fontBold(); }
  void setFontUnderline(bool on) final { metrics_.setFontUnderline(on); }
  bool fontUnderline() const final { return metrics_.fontUnderline(); }
  void setFontColor(Color c) final { metrics_.setFontColor(c); }
  Color fontColor() const final { return metrics_.fontColor(); }

  Point penPos() const final { return metrics_.penPos(); }
  void moveTo(int x, int y) final { metrics_.moveTo(x, y); }
  void lineTo(int x, int y) final;
  /// Pixels set one after the other are collected and written together:
  /// a run along a row or column becomes one box, and every second, third
  /// or fourth pixel over a stretch one dashed line.
  void setPixel(int x, int y, Color c) final;
  void rectangle(int left, int top, int right, int bottom) final;
  void ellipse(int left, int top, int right, int bottom) final;
  void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) final;
  void polygon(const std::vector<Point>& points) final;
  void fillRect(const Rect& r) final;
  /// The text on its opaque brush-coloured box, with the canvas's own
  /// underline as a box.
  void textOut(int x, int y, const std::string& text) final;
  int textWidth(const std::string& text) final { return metrics_.textWidth(text); }
  int textHeight(const std::string& text) final { return metrics_.textHeight(text); }

 protected:
  /// Filled boxes of one colour, on the pixel grid and inside the canvas.
  virtual void drawBoxes(const std::vector<Rect>& boxes, Color c) = 0;
  /// A straight stroke with flat ends; `dashGap` > 0 makes it dashes of one
  /// unit with gaps of that many units, starting with a dash.
  virtual void drawLine(double x1, double y1, double x2, double y2, Color c, int width, int dashGap) = 0;
  /// A box [x, x + w] x [y, y + h] filled and stroked along its edges.
  virtual void drawBox(double x, double y, double w, double h, const Paint& paint) = 0;
  virtual void drawOval(const Oval& oval, const Paint& paint) = 0;
  /// The part of the oval's rim from `start` counter-clockwise through
  /// `extent` (radians, on the screen); `pie` closes it through the centre
  /// and fills it, else it is stroked.
  virtual void drawArc(const Oval& oval, double start, double extent, bool pie, const Paint& paint) = 0;
  /// A polygon filled even-odd, not outlined.
  virtual void fillPolygon(const std::vector<std::pair<double, double>>& points, Color c) = 0;
  /// Text with its baseline starting at (x, baseline), in `font` as QtCanvas
  /// draws it.
  virtual void drawText(int x, int baseline, const QString& text, const QFont& font, Color c) = 0;

  /// Writes the pixels still collected; the back end calls it before it
  /// finishes its output.
  void flushPixels();

  /// The glyphs of a text as QPainter::drawText places them, with their
  /// positions relative to the start of the baseline.
  static QList<QGlyphRun> PlacedGlyphs(const QString& text, const QFont& font);

 private:
  void segment(Point from, Point to);
  /// A filled box [left, right) x [top, bottom), clipped to the canvas.
  void area(const Rect& r, Color c);

  int width_, height_;
  QImage metricsImage_;
  QtCanvas metrics_;  ///< keeps every setting and measures text
  /// Pixels not yet written, by (y, x) so that they run row by row.
  std::map<std::pair<int, int>, Color> pendingPixels_;
};

}  // namespace timer555
