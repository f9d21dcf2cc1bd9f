#pragma once

#include <QPainter>

#include "platform/vector_canvas.h"

namespace timer555 {

/// A Canvas that paints vector figures on a QPainter, for any paint device:
/// a PDF writer, a printer, an SVG generator. Lines stay lines and text
/// stays text, in the canvas's font at the canvas's glyph positions, so a
/// PDF carries the display font (embedded by Qt's PDF engine) and its
/// texts can be searched and copied. The figures cover the pixels QtCanvas
/// sets for the same calls (see VectorCanvas), so the page looks like the
/// PNG of the same drawing at any magnification.
///
/// The painter's transformation maps canvas units (pixels of the QtCanvas
/// picture) to the device; the caller sets it, and everything is clipped
/// to the canvas's width x height.
class PainterCanvas final : public VectorCanvas {
 public:
  PainterCanvas(QPainter& painter, int width, int height);

  /// Paints what is still collected (pixels set last); call it before the
  /// painter ends.
  void finish() { flushPixels(); }

 protected:
  void drawBoxes(const std::vector<Rect>& boxes, Color c) override;
  void drawLine(double x1, double y1, double x2, double y2, Color c, int width, int dashGap) override;
  void drawBox(double x, double y, double w, double h, const Paint& paint) override;
  void drawOval(const Oval& oval, const Paint& paint) override;
  void drawArc(const Oval& oval, double start, double extent, bool pie, const Paint& paint) override;
  void fillPolygon(const std::vector<std::pair<double, double>>& points, Color c) override;
  void drawText(int x, int baseline, const QString& text, const QFont& font, Color c) override;

 private:
  /// Sets the painter's pen and brush for a figure.
  void use(const Paint& paint);

  QPainter& painter_;
};

}  // namespace timer555
