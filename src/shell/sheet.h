#pragma once

#include <QImage>
#include <QPageLayout>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "design/design_sheet.h"
#include "platform/recording_canvas.h"
#include "simulation/simulator.h"

class QPainter;
class QPrinter;

namespace timer555 {

/// A drawing kept as the canvas calls that made it, with the size it was
/// made at (a control's logged drawing, a plot).
struct SheetDrawing {
  int width = 0;
  int height = 0;
  std::vector<CanvasCall> calls;
  std::string caption;  ///< written above it on the sheet, when not empty
};

/// The one picture of a page that saving, copying, printing and the
/// command line give out. Always drawn at one pixel per logical pixel of
/// the window.
///
/// A reference page, a menu or a design not yet calculated is the drawing
/// area exactly as drawn (its logged calls, replayed). A calculated design
/// is laid out to be handed in: the schematic cut to what is drawn on the
/// area, beside it the output waveform as the window's "Vout" panel shows
/// it and, when there is one, the simulation below the waveform; under
/// them the strip with the design's name, inputs, parts, times and findings.
struct Sheet {
  int areaWidth = 0;
  int areaHeight = 0;
  std::vector<CanvasCall> area;            ///< what the drawing area shows
  std::optional<DesignReport> strip;       ///< only on a calculated design page
  std::string fontName = "Technical";      ///< the display font's face, for the strip and captions
  std::optional<SheetDrawing> waveform;    ///< the "Vout" panel of a calculated design
  std::optional<SheetDrawing> simulation;  ///< a simulated output, below the waveform
};

/// Where the parts of a sheet go, in sheet pixels.
struct SheetLayout {
  int width = 0;
  int height = 0;
  Rect crop;           ///< the part of the drawing area shown, in area pixels
  Point areaAt;        ///< where the crop's top left corner goes
  Point waveformAt;    ///< the waveform's top left corner (inside its frame, below its caption)
  Point simulationAt;  ///< the simulation's top left corner (inside its frame, below its caption)
  int stripTop = 0;    ///< the strip's top; the sheet's height when there is none
};
SheetLayout LayOutSheet(const Sheet& sheet);

/// Width and height of the whole sheet.
int SheetWidth(const Sheet& sheet);
int SheetHeight(const Sheet& sheet);
/// Draws the sheet on a canvas of SheetWidth x SheetHeight.
void DrawSheet(const Sheet& sheet, Canvas& canvas);
/// The sheet as a picture, `scale` device pixels per logical pixel (the
/// canvas's rules at a whole device scale); 1 for files and the clipboard.
QImage SheetImage(const Sheet& sheet, int scale = 1);
/// The sheet as the bytes of a PNG file.
std::string SheetPng(const Sheet& sheet);
/// The sheet as an SVG document with its texts as outlines: it needs no
/// font to look as the PNG does.
std::string SheetSvg(const Sheet& sheet);
/// The sheet as the bytes of a one-page PDF document, in vectors with its
/// texts as text in the display font (embedded): A4, landscape unless the
/// sheet is taller than wide, as Ctrl+P prints it to a PDF file.
std::string SheetPdf(const Sheet& sheet);
/// The page a sheet is printed on: A4 with 10 mm margins, landscape unless
/// the sheet is taller than wide.
QPageLayout SheetPageLayout(const Sheet& sheet);
/// Paints the sheet on one page of `painter`'s device, as wide as `page`
/// allows with its aspect kept (smaller when it would be too tall), in
/// vectors. Returns false when the painter is not active.
bool PaintSheet(const Sheet& sheet, QPainter& painter, const QRectF& page);
/// Prints the sheet on one page as PaintSheet does. Returns false when the
/// printer cannot be opened (a PDF file that cannot be written).
bool PrintSheet(const Sheet& sheet, QPrinter& printer);

/// The file formats a sheet is saved in, by the file name's extension
/// (.png, .svg or .pdf, in any case); nothing for any other name.
enum class SheetFormat { Png, Svg, Pdf };
std::optional<SheetFormat> SheetFormatOf(const std::string& path);
/// The sheet as the bytes of a file of that format.
std::string SheetBytes(const Sheet& sheet, SheetFormat format);

/// The caption of the output waveform on the sheet, as the window's group
/// around the panel names it.
inline constexpr const char* kWaveformCaption = "Vout";

/// A simulation's plot as the sheet shows it, below the waveform beside the
/// schematic (narrower than the window's), captioned "Simulation (ngspice)".
/// The window and the command line draw the same.
SheetDrawing SimulationSheetDrawing(const SimulationResult& result, const CircuitSettings& settings,
                                    DesignKind kind, const std::string& fontName);

/// Draws with `draw` on a white canvas of width x height and keeps the
/// calls, as an image control's drawing log keeps them.
SheetDrawing LogDrawing(int width, int height, const std::function<void(Canvas&)>& draw);

}  // namespace timer555
