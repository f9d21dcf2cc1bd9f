#pragma once

#include <QFont>
#include <QFontMetrics>
#include <string>

namespace timer555 {

/// The face name as the font database spells it, looked up without regard
/// to case ("technical" gives "Technical" once that font is registered).
/// A name the database does not know is returned unchanged, so that the
/// system's substitution (fontconfig: "Arial" -> Liberation Sans) applies.
QString ResolveFontFamily(const std::string& face);

/// A font sized in pixels, independent of the screen's DPI, so that a
/// screen and a headless test draw the same pixels.
///
/// signedHeight < 0: an em height of -signedHeight pixels.
/// signedHeight > 0: the full character cell (ascent + descent). Glyphs come
///   in whole pixel sizes only, and the font's own cell jumps by two or
///   three pixels between sizes, so the size chosen is the one whose own
///   cell is nearest; the canvas then takes the cell to be exactly the
///   height asked for (see MeasureCell).
/// signedHeight == 0: the default 13-pixel em height.
/// An empty face leaves the application's default family.
///
/// Every font is rendered the same way on every platform plugin: grey-scale
/// antialiasing without subpixel (LCD) rendering and without hinting.
QFont MakeFont(const std::string& face, int signedHeight, bool bold, bool underline = false);

/// The em size in pixels MakeFont gives a signed height.
int FontPixelSize(const std::string& face, int signedHeight, bool bold);

/// The text cell the canvas uses for a font made with that signed height:
/// the baseline lies `ascent` below the text's top, and `height` is the
/// text height. For an em height these are the font's own metrics; for a
/// cell height the cell is exactly the height asked for.
struct TextCell {
  int ascent = 0;
  int height = 0;
};
TextCell MeasureCell(const QFont& font, int signedHeight);

/// Metrics of a font as drawn on a 96 DPI image, whatever the screen.
QFontMetrics MetricsAt96Dpi(const QFont& font);

}  // namespace timer555
