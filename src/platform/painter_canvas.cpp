#include "platform/painter_canvas.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace timer555 {

namespace {

QColor ToQColor(Color c) { return {c.r, c.g, c.b}; }

// Flat ends and sharp corners, as the pixel rules draw them.
QPen Stroke(Color c, int width) {
  return {QBrush(ToQColor(c)), static_cast<qreal>(width), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin};
}

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, int width, int height)
    : VectorCanvas(width, height), painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setClipRect(QRectF(0, 0, width, height), Qt::IntersectClip);
}

void PainterCanvas::use(const Paint& paint) {
  painter_.setPen(paint.stroke ? Stroke(*paint.stroke, paint.strokeWidth) : QPen(Qt::NoPen));
  painter_.setBrush(paint.fill ? QBrush(ToQColor(*paint.fill)) : QBrush(Qt::NoBrush));
}

void PainterCanvas::drawBoxes(const std::vector<Rect>& boxes, Color c) {
  // Boxes side by side are one path, so that no seam shows between them.
  QPainterPath path;
  for (const Rect& r : boxes) path.addRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  path.setFillRule(Qt::WindingFill);
  painter_.fillPath(path, ToQColor(c));
}

void PainterCanvas::drawLine(double x1, double y1, double x2, double y2, Color c, int width, int dashGap) {
  QPen pen = Stroke(c, width);
  // Dash lengths count in pen widths; dashed lines are one unit wide.
  if (dashGap > 0) pen.setDashPattern({1.0, static_cast<qreal>(dashGap)});
  painter_.setPen(pen);
  painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterCanvas::drawBox(double x, double y, double w, double h, const Paint& paint) {
  use(paint);
  painter_.drawRect(QRectF(x, y, w, h));
}

void PainterCanvas::drawOval(const Oval& oval, const Paint& paint) {
  use(paint);
  painter_.drawEllipse(QPointF(oval.cx, oval.cy), oval.rx, oval.ry);
}

void PainterCanvas::drawArc(const Oval& oval, double start, double extent, bool pie, const Paint& paint) {
  // Qt's angles run counter-clockwise on the screen too, in degrees.
  const QRectF box(oval.cx - oval.rx, oval.cy - oval.ry, 2 * oval.rx, 2 * oval.ry);
  QPainterPath path;
  if (pie) {
    path.moveTo(oval.cx, oval.cy);
    path.arcTo(box, start * kDegreesPerRadian, extent * kDegreesPerRadian);
    path.closeSubpath();
  } else {
    path.arcMoveTo(box, start * kDegreesPerRadian);
    path.arcTo(box, start * kDegreesPerRadian, extent * kDegreesPerRadian);
  }
  use(paint);
  painter_.drawPath(path);
}

void PainterCanvas::fillPolygon(const std::vector<std::pair<double, double>>& points, Color c) {
  QPolygonF polygon;
  for (const auto& [x, y] : points) polygon << QPointF(x, y);
  QPainterPath path;
  path.addPolygon(polygon);
  path.closeSubpath();
  path.setFillRule(Qt::OddEvenFill);
  painter_.fillPath(path, ToQColor(c));
}

void PainterCanvas::drawText(int x, int baseline, const QString& text, const QFont& font, Color c) {
  painter_.setFont(font);
  // A face without a bold of its own (the display font) is made bold by
  // the font engine, which thickens every glyph's outline on the screen;
  // Qt's PDF engine instead draws the text twice, a little apart, which
  // turns the display font's thin strokes into double lines. Such text is
  // drawn as the thickened outlines, with the text itself invisible on top
  // so that it can still be found and copied.
  bool outlined = false;
  for (const QGlyphRun& run : PlacedGlyphs(text, font)) {
    const QRawFont raw = run.rawFont();
    if (!font.bold() || raw.styleName().contains("Bold", Qt::CaseInsensitive)) continue;
    QPainterPath glyphs;
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> places = run.positions();
    for (qsizetype i = 0; i < indexes.size() && i < places.size(); ++i)
      glyphs.addPath(raw.pathForGlyph(indexes[i]).translated(x + places[i].x(), baseline + places[i].y()));
    painter_.fillPath(glyphs, ToQColor(c));
    outlined = true;
  }
  painter_.setPen(outlined ? QColor(c.r, c.g, c.b, 0) : ToQColor(c));
  painter_.drawText(QPointF(x, baseline), text);
}

}  // namespace timer555
