#include "shell/sheet.h"

#include <QBuffer>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cctype>

#include "platform/logging_canvas.h"
#include "platform/qt_canvas.h"

namespace timer555 {

int SheetHeight(const Sheet& sheet) {
  if (!sheet.strip) return sheet.areaHeight;
  QImage scratch(1, 1, QImage::Format_RGB32);
  QtCanvas measure(scratch);
  return sheet.areaHeight + DesignStripHeight(measure, sheet.areaWidth, *sheet.strip, sheet.fontName);
}

void DrawSheet(const Sheet& sheet, Canvas& canvas) {
  // The drawing area starts white, as the window's does.
  canvas.setBrushColor(colors::White);
  canvas.fillRect({0, 0, canvas.width(), canvas.height()});
  ReplayCalls(sheet.area, canvas);
  if (sheet.strip) DrawDesignStrip(canvas, sheet.areaHeight, *sheet.strip, sheet.fontName);
}

QImage SheetImage(const Sheet& sheet, int scale) {
  scale = std::max(1, scale);
  QImage image(std::max(1, sheet.areaWidth) * scale, std::max(1, SheetHeight(sheet)) * scale,
               QImage::Format_RGB32);
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

std::string SheetSvg(const Sheet& sheet, const SvgFontFiles& fonts) {
  SvgCanvas canvas(std::max(1, sheet.areaWidth), std::max(1, SheetHeight(sheet)), fonts);
  DrawSheet(sheet, canvas);
  return canvas.document();
}

bool PrintSheet(const Sheet& sheet, QPrinter& printer) {
  constexpr int kPrintScale = 4;
  const QImage image = SheetImage(sheet, kPrintScale);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = painter.viewport();
  QSize size = image.size().scaled(page.width(), page.height(), Qt::KeepAspectRatio);
  painter.drawImage(QRect(page.topLeft(), size), image);
  return painter.end();
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
  return std::nullopt;
}

}  // namespace timer555
