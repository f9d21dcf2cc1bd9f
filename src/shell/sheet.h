#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <vector>

#include "design/design_sheet.h"
#include "platform/recording_canvas.h"
#include "platform/svg_canvas.h"

class QPrinter;

namespace timer555 {

/// The one picture of a page that saving, copying, printing and the
/// command line give out: the drawing area exactly as drawn (its logged
/// calls, replayed) and, on a calculated design page, the strip with the
/// design's name, inputs, parts, times and findings below it. Always drawn
/// at one pixel per logical pixel of the window.
struct Sheet {
  int areaWidth = 0;
  int areaHeight = 0;
  std::vector<CanvasCall> area;        ///< what the drawing area shows
  std::optional<DesignReport> strip;   ///< only on a calculated design page
  std::string fontName = "Technical";  ///< the display font's face, for the strip
};

/// Height of the whole sheet: the drawing area and the strip.
int SheetHeight(const Sheet& sheet);
/// Draws the sheet on a canvas of areaWidth x SheetHeight.
void DrawSheet(const Sheet& sheet, Canvas& canvas);
/// The sheet as a picture, `scale` device pixels per logical pixel (the
/// canvas's rules at a whole device scale); 1 for files and the clipboard.
QImage SheetImage(const Sheet& sheet, int scale = 1);
/// The sheet as the bytes of a PNG file.
std::string SheetPng(const Sheet& sheet);
/// The sheet as an SVG document with the display fonts embedded.
std::string SheetSvg(const Sheet& sheet, const SvgFontFiles& fonts);
/// Prints the sheet on one page, as wide as the page allows with its
/// aspect kept (smaller when it would be too tall), drawn at four device
/// pixels per logical pixel so that its text stays sharp on paper. Returns
/// false when the printer cannot be opened (a PDF file that cannot be
/// written).
bool PrintSheet(const Sheet& sheet, QPrinter& printer);

/// The file formats a sheet is saved in, by the file name's extension
/// (.png or .svg, in any case); nothing for any other name.
enum class SheetFormat { Png, Svg };
std::optional<SheetFormat> SheetFormatOf(const std::string& path);

}  // namespace timer555
