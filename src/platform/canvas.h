#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace timer555 {

/// A colour as red, green, blue.
struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

namespace colors {
inline constexpr Color Black{0, 0, 0};
inline constexpr Color White{255, 255, 255};
inline constexpr Color Green{0, 128, 0};
inline constexpr Color Blue{0, 0, 255};
inline constexpr Color Navy{0, 0, 128};
inline constexpr Color Red{255, 0, 0};
inline constexpr Color Silver{192, 192, 192};
inline constexpr Color ButtonFace{240, 240, 240};
}  // namespace colors

/// The face name of the program's display font, which every page and the
/// schematic write in (generated at build time as appfont.dat).
inline constexpr const char* kDisplayFace = "Technical";

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

/// A rectangle by its edges; right and bottom lie just outside the area.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

/// The drawing surface every page and symbol draws on.
///
/// Semantics follow the classic Windows GDI canvas the program was laid out
/// for: a current drawing point; lineTo draws from it and leaves out the last
/// pixel; rectangle, ellipse and arc take a bounding box whose right and
/// bottom edges lie outside the figure; textOut writes on an opaque
/// background of the brush colour and leaves the drawing point at
/// (x + text width, y). Settings persist between drawings.
///
/// Font size: a size in points is an em height of round(points * 96 / 72)
/// pixels. The font height is kept signed, as GDI does: a negative height is
/// the em height, a positive height the full character cell (ascent +
/// descent).
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int width() const = 0;
  virtual int height() const = 0;

  // Pen, brush and font settings.
  virtual void setPenColor(Color c) = 0;
  virtual Color penColor() const = 0;
  virtual void setPenWidth(int w) = 0;
  virtual void setBrushColor(Color c) = 0;
  virtual Color brushColor() const = 0;
  virtual void setFontName(const std::string& name) = 0;
  virtual std::string fontName() const = 0;
  /// Sets the size in points (height = -round(points * 96 / 72)).
  virtual void setFontSize(int points) = 0;
  /// The size in points derived from the height, as GDI reports it.
  virtual int fontSize() const = 0;
  /// Sets the signed height in pixels (positive: cell, negative: em).
  virtual void setFontHeight(int pixels) = 0;
  virtual int fontHeight() const = 0;
  virtual void setFontBold(bool on) = 0;
  virtual bool fontBold() const = 0;
  virtual void setFontUnderline(bool on) = 0;
  virtual bool fontUnderline() const = 0;
  virtual void setFontColor(Color c) = 0;
  virtual Color fontColor() const = 0;

  // Drawing.
  virtual Point penPos() const = 0;
  virtual void moveTo(int x, int y) = 0;
  /// Draws from the drawing point to (x, y) without its last pixel.
  virtual void lineTo(int x, int y) = 0;
  virtual void setPixel(int x, int y, Color c) = 0;
  /// Outline with the pen, inside filled with the brush.
  virtual void rectangle(int left, int top, int right, int bottom) = 0;
  virtual void ellipse(int left, int top, int right, int bottom) = 0;
  /// Counter-clockwise arc of the ellipse in the box, from the ray through
  /// (x1, y1) to the ray through (x2, y2).
  virtual void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) = 0;
  /// Filled with the brush, outlined with the pen.
  virtual void polygon(const std::vector<Point>& points) = 0;
  /// Fills [left, right) x [top, bottom) with the brush, no outline.
  virtual void fillRect(const Rect& r) = 0;
  virtual void textOut(int x, int y, const std::string& text) = 0;
  virtual int textWidth(const std::string& text) = 0;
  /// Ascent + descent of the current font.
  virtual int textHeight(const std::string& text) = 0;
};

/// Em height in pixels of a font size in points at 96 DPI, rounded like
/// Windows' MulDiv (half away from zero).
int PointsToPixels(int points);
/// Size in points reported for a signed font height, as GDI's TFont does.
int HeightToPoints(int height);

}  // namespace timer555
