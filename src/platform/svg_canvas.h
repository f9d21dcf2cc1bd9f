#pragma once

#include <QRawFont>
#include <map>
#include <string>
#include <tuple>

#include "platform/vector_canvas.h"

namespace timer555 {

/// A Canvas that writes an SVG document of width x height user units, one
/// unit being one pixel of the same drawing on a QtCanvas (see VectorCanvas
/// for how the figures cover its pixels).
///
/// Texts are written as the outlines of their glyphs, from the same font,
/// size and glyph positions QtCanvas draws with, so that the document needs
/// no font and looks the same in every renderer and on every machine. Each
/// glyph's outline is written once, in <defs>, and every text places it
/// with <use>; a glyph is kept at one size per face and scaled to the size
/// a text needs. Output is deterministic: the same drawing gives the same
/// bytes.
class SvgCanvas final : public VectorCanvas {
 public:
  SvgCanvas(int width, int height);

  /// The whole SVG document drawn so far.
  std::string document();

 protected:
  void drawBoxes(const std::vector<Rect>& boxes, Color c) override;
  void drawLine(double x1, double y1, double x2, double y2, Color c, int width, int dashGap) override;
  void drawBox(double x, double y, double w, double h, const Paint& paint) override;
  void drawOval(const Oval& oval, const Paint& paint) override;
  void drawArc(const Oval& oval, double start, double extent, bool pie, const Paint& paint) override;
  void fillPolygon(const std::vector<std::pair<double, double>>& points, Color c) override;
  void drawText(int x, int baseline, const QString& text, const QFont& font, Color c) override;

 private:
  /// A glyph of a face: family, style, weight and the glyph's index.
  using GlyphKey = std::tuple<QString, QString, int, quint32>;

  void element(const std::string& text);
  /// The id of the glyph's outline in <defs>, written there on first use;
  /// empty for a glyph without outline (a blank).
  std::string glyphId(const QRawFont& font, quint32 glyph);

  std::string body_;
  std::string defs_;
  std::map<GlyphKey, std::string> glyphIds_;
  int defined_ = 0;  ///< glyph outlines in <defs>
};

}  // namespace timer555
