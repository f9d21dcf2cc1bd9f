#include "shell/sheet.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cctype>

#include "platform/logging_canvas.h"
#include "platform/painter_canvas.h"
#include "platform/qt_canvas.h"
#include "platform/svg_canvas.h"
#include "simulation/simulation_plot.h"

namespace timer555 {

namespace {

constexpr int kSheetMargin = 10;         // around the sheet's parts
constexpr int kCropMargin = 6;           // kept around what the drawing area shows
constexpr int kColumnGap = 24;           // between the schematic and the waveform column
constexpr int kCaptionGap = 4;           // between a caption and its drawing's frame
constexpr int kFrameInset = 4;           // from a drawing's frame (silver, 1 pixel) to the drawing
constexpr int kCaptionFontHeight = -16;  // the strip's font
constexpr double kPageMarginMillimetres = 10;

// The part of the drawing area that is not white, with a small margin,
// found on the area drawn at scale 1; the whole area when nothing is drawn.
Rect CropOf(const Sheet& sheet) {
  const Rect whole{0, 0, sheet.areaWidth, sheet.areaHeight};
  if (sheet.areaWidth <= 0 || sheet.areaHeight <= 0) return whole;
  QImage image(sheet.areaWidth, sheet.areaHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QtCanvas canvas(image);
  ReplayCalls(sheet.area, canvas);
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((row[x] & 0xffffffu) == 0xffffffu) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return whole;
  return {std::max(0, left - kCropMargin), std::max(0, top - kCropMargin),
          std::min(whole.right, right + 1 + kCropMargin), std::min(whole.bottom, bottom + 1 + kCropMargin)};
}

void SetCaptionFont(Canvas& canvas, const std::string& fontName) {
  canvas.setFontName(fontName);
  canvas.setFontHeight(kCaptionFontHeight);
  canvas.setFontBold(true);
  canvas.setFontUnderline(false);
  canvas.setFontColor(colors::Black);
  canvas.setBrushColor(colors::White);
}

// Height a drawing's caption takes above it, gap included; 0 without one.
int CaptionSpace(Canvas& measure, const SheetDrawing& drawing, const std::string& fontName) {
  if (drawing.caption.empty()) return 0;
  SetCaptionFont(measure, fontName);
  return measure.textHeight(drawing.caption) + kCaptionGap;
}

// A drawing with its top left corner at `at`: a silver frame around it
// with its caption above the frame, then its calls.
void DrawPanel(Canvas& canvas, const SheetDrawing& drawing, Point at, const std::string& fontName) {
  const int left = at.x - kFrameInset, top = at.y - kFrameInset;
  if (!drawing.caption.empty()) {
    SetCaptionFont(canvas, fontName);
    canvas.textOut(left, top - kCaptionGap - canvas.textHeight(drawing.caption), drawing.caption);
  }
  canvas.setPenColor(colors::Silver);
  canvas.setPenWidth(1);
  canvas.setBrushColor(colors::White);
  canvas.rectangle(left, top, at.x + drawing.width + kFrameInset, at.y + drawing.height + kFrameInset);
  ReplayCalls(drawing.calls, canvas, at);
}

}  // namespace

SheetLayout LayOutSheet(const Sheet& sheet) {
  SheetLayout layout;
  if (!sheet.strip) {
    layout.width = sheet.areaWidth;
    layout.height = layout.stripTop = sheet.areaHeight;
    layout.crop = {0, 0, sheet.areaWidth, sheet.areaHeight};
    return layout;
  }
  QImage scratch(1, 1, QImage::Format_RGB32);
  QtCanvas measure(scratch);

  layout.crop = CropOf(sheet);
  const int cropWidth = layout.crop.right - layout.crop.left,
            cropHeight = layout.crop.bottom - layout.crop.top;
  layout.areaAt = {kSheetMargin, kSheetMargin};
  int right = kSheetMargin + cropWidth;
  int bottom = kSheetMargin + cropHeight;

  // The column beside the schematic: the waveform, the simulation below it.
  const int column = right + kColumnGap;
  int y = kSheetMargin;
  for (const auto& [drawing, at] :
       {std::pair{&sheet.waveform, &layout.waveformAt}, std::pair{&sheet.simulation, &layout.simulationAt}}) {
    if (!*drawing) continue;
    if (y > kSheetMargin) y += kColumnGap;
    y += CaptionSpace(measure, **drawing, sheet.fontName);
    *at = {column + kFrameInset, y + kFrameInset};
    y += (*drawing)->height + 2 * kFrameInset;
    right = std::max(right, column + (*drawing)->width + 2 * kFrameInset);
    bottom = std::max(bottom, y);
  }
  layout.width = right + kSheetMargin;
  layout.stripTop = bottom + kSheetMargin;
  layout.height = layout.stripTop + DesignStripHeight(measure, layout.width, *sheet.strip, sheet.fontName);
  return layout;
}

int SheetWidth(const Sheet& sheet) { return LayOutSheet(sheet).width; }

int SheetHeight(const Sheet& sheet) { return LayOutSheet(sheet).height; }

void DrawSheet(const Sheet& sheet, Canvas& canvas) {
  // The drawing area starts white, as the window's does.
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, 0, canvas.width(), canvas.height()});
  if (!sheet.strip) {
    ReplayCalls(sheet.area, canvas);
    return;
  }
  const SheetLayout layout = LayOutSheet(sheet);
  // Outside the crop the area is white, so its calls can be replayed whole:
  // what they leave beyond the crop is white, and the parts drawn after
  // them paint their own backgrounds.
  ReplayCalls(sheet.area, canvas, {layout.areaAt.x - layout.crop.left, layout.areaAt.y - layout.crop.top});
  if (sheet.waveform) DrawPanel(canvas, *sheet.waveform, layout.waveformAt, sheet.fontName);
  if (sheet.simulation) DrawPanel(canvas, *sheet.simulation, layout.simulationAt, sheet.fontName);
  DrawDesignStrip(canvas, layout.stripTop, *sheet.strip, sheet.fontName);
}

QImage SheetImage(const Sheet& sheet, int scale) {
  scale = std::max(1, scale);
  const SheetLayout layout = LayOutSheet(sheet);
  QImage image(std::max(1, layout.width) * scale, std::max(1, layout.height) * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  QtCanvas canvas(image, scale);
  DrawSheet(sheet, canvas);
  return image;
}

std::string SheetPng(const Sheet& sheet) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  SheetImage(sheet).save(&buffer, "PNG");
  return bytes.toStdString();
}

std::string SheetSvg(const Sheet& sheet) {
  const SheetLayout layout = LayOutSheet(sheet);
  SvgCanvas canvas(std::max(1, layout.width), std::max(1, layout.height));
  DrawSheet(sheet, canvas);
  return canvas.document();
}

bool PaintSheet(const Sheet& sheet, QPainter& painter, const QRectF& page) {
  if (!painter.isActive()) return false;
  const SheetLayout layout = LayOutSheet(sheet);
  const int width = std::max(1, layout.width), height = std::max(1, layout.height);
  const QSizeF size = QSizeF(width, height).scaled(page.size(), Qt::KeepAspectRatio);
  painter.save();
  painter.translate(page.topLeft());
  painter.scale(size.width() / width, size.height() / height);
  PainterCanvas canvas(painter, width, height);
  DrawSheet(sheet, canvas);
  canvas.finish();
  painter.restore();
  return true;
}

bool PrintSheet(const Sheet& sheet, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  PaintSheet(sheet, painter, QRectF(painter.viewport()));
  return painter.end();
}

QPageLayout SheetPageLayout(const Sheet& sheet) {
  const SheetLayout layout = LayOutSheet(sheet);
  return {QPageSize(QPageSize::A4),
          layout.height > layout.width ? QPageLayout::Portrait : QPageLayout::Landscape,
          QMarginsF(kPageMarginMillimetres, kPageMarginMillimetres, kPageMarginMillimetres,
                    kPageMarginMillimetres),
          QPageLayout::Millimeter};
}

std::string SheetPdf(const Sheet& sheet) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator("timer555");
    writer.setTitle(QString::fromStdString(sheet.strip ? sheet.strip->title : std::string("timer555")));
    writer.setPageLayout(SheetPageLayout(sheet));
    QPainter painter(&writer);
    PaintSheet(sheet, painter, QRectF(painter.viewport()));
  }
  return bytes.toStdString();
}

SheetDrawing SimulationSheetDrawing(const SimulationResult& result, const CircuitSettings& settings,
                                    DesignKind kind, const std::string& fontName) {
  constexpr int kWidth = 400;
  constexpr int kHeight = 180;
  SheetDrawing drawing = LogDrawing(
      kWidth, kHeight, [&](Canvas& canvas) { DrawSimulationPlot(canvas, result, settings, kind, fontName); });
  drawing.caption = "Simulation (ngspice)";
  return drawing;
}

std::optional<SheetFormat> SheetFormatOf(const std::string& path) {
  auto endsWith = [&path](const char* suffix) {
    const std::string s = suffix;
    if (path.size() < s.size()) return false;
    return std::equal(s.rbegin(), s.rend(), path.rbegin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
  };
  if (endsWith(".png")) return SheetFormat::Png;
  if (endsWith(".svg")) return SheetFormat::Svg;
  if (endsWith(".pdf")) return SheetFormat::Pdf;
  return std::nullopt;
}

std::string SheetBytes(const Sheet& sheet, SheetFormat format) {
  switch (format) {
    case SheetFormat::Png: return SheetPng(sheet);
    case SheetFormat::Svg: return SheetSvg(sheet);
    case SheetFormat::Pdf: return SheetPdf(sheet);
  }
  return {};
}

SheetDrawing LogDrawing(int width, int height, const std::function<void(Canvas&)>& draw) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  image.fill(Qt::white);
  QtCanvas canvas(image);
  LoggingCanvas log(canvas);
  draw(log);
  return {width, height, log.calls(), {}};
}

}  // namespace timer555
