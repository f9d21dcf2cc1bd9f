#pragma once

#include <QImage>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/qt_canvas.h"

namespace timer555 {

/// Font files to embed in an SVG, by face name as the drawing sets it
/// ("Technical" -> the bytes of the display font's TrueType file). Names
/// are matched without regard to case.
using SvgFontFiles = std::map<std::string, std::string>;

/// The font files of the faces the program draws with: "Technical" from
/// appfont.dat in `programDir` (the display font beside the program) and
/// "Arial" from Liberation Sans at Debian's path (what fontconfig puts in
/// its place, used for the timer's pin numbers). A file that cannot be read
/// is left out, and its face is then not embedded.
SvgFontFiles LoadSheetFonts(const std::string& programDir);

/// A Canvas that writes an SVG document of width x height user units, one
/// unit being one pixel of the same drawing on a QtCanvas.
///
/// Every figure is placed so that the area it covers is the union of the
/// pixels QtCanvas sets, a pixel (x, y) being the square [x, x + 1] x
/// [y, y + 1]; see the methods for where that is exact and where it is the
/// nearest vector figure. Text is measured by a private QtCanvas with the
/// same settings, so textWidth and textHeight, and with them every page's
/// layout, are those of the screen.
///
/// The document embeds the font files (`@font-face` with a data URL) of
/// the faces its texts use, where the caller handed them in. Output is
/// deterministic: the same drawing gives the same bytes.
class SvgCanvas final : public Canvas {
 public:
  SvgCanvas(int width, int height, SvgFontFiles fonts = {});
  SvgCanvas(const SvgCanvas&) = delete;
  SvgCanvas& operator=(const SvgCanvas&) = delete;

  int width() const override { return width_; }
  int height() const override { return height_; }
  void setPenColor(Color c) override { metrics_.setPenColor(c); }
  Color penColor() const override { return metrics_.penColor(); }
  void setPenWidth(int w) override { metrics_.setPenWidth(w); }
  int penWidth() const { return metrics_.penWidth(); }
  void setBrushColor(Color c) override { metrics_.setBrushColor(c); }
  Color brushColor() const override { return metrics_.brushColor(); }
  void setFontName(const std::string& name) override { metrics_.setFontName(name); }
  std::string fontName() const override { return metrics_.fontName(); }
  void setFontSize(int points) override { metrics_.setFontSize(points); }
  int fontSize() const override { return metrics_.fontSize(); }
  void setFontHeight(int pixels) override { metrics_.setFontHeight(pixels); }
  int fontHeight() const override { return metrics_.fontHeight(); }
  void setFontBold(bool on) override { metrics_.setFontBold(on); }
  bool fontBold() const override { return metrics_.fontBold(); }
  void setFontUnderline(bool on) override { metrics_.setFontUnderline(on); }
  bool fontUnderline() const override { return metrics_.fontUnderline(); }
  void setFontColor(Color c) override { metrics_.setFontColor(c); }
  Color fontColor() const override { return metrics_.fontColor(); }

  Point penPos() const override { return metrics_.penPos(); }
  void moveTo(int x, int y) override { metrics_.moveTo(x, y); }
  void lineTo(int x, int y) override;
  /// Pixels set one after the other are collected and written together:
  /// a run along a row or column becomes one rectangle, and every second,
  /// third or fourth pixel over a stretch one dashed line.
  void setPixel(int x, int y, Color c) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void ellipse(int left, int top, int right, int bottom) override;
  void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
  void polygon(const std::vector<Point>& points) override;
  void fillRect(const Rect& r) override;
  /// A `<text>` on its opaque brush-coloured box, with the canvas's own
  /// underline as a rectangle; `textLength` holds the text to the width
  /// measured here, whatever a renderer's own metrics say.
  void textOut(int x, int y, const std::string& text) override;
  int textWidth(const std::string& text) override { return metrics_.textWidth(text); }
  int textHeight(const std::string& text) override { return metrics_.textHeight(text); }

  /// The whole SVG document drawn so far.
  std::string document() const;

 private:
  /// A pixel's place as (y, x), so that a map of them runs row by row.
  using Place = std::pair<int, int>;

  void segment(Point from, Point to);
  // A filled rectangle [left, right) x [top, bottom), clipped to the canvas.
  void area(const Rect& r, Color c);
  void flushPixels();
  void element(const std::string& text);

  int width_, height_;
  SvgFontFiles fonts_;
  QImage metricsImage_;
  QtCanvas metrics_;  ///< keeps every setting and measures text
  std::string body_;
  std::map<Place, Color> pendingPixels_;
  std::map<std::string, std::string> usedFaces_;  ///< case-folded name -> family as written
};

}  // namespace timer555
