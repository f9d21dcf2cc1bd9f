#include "platform/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <algorithm>
#include <map>
#include <tuple>

namespace timer555 {

namespace {

constexpr int DefaultEmPixels = 13;

// A 96 DPI device to measure on. Every canvas font is sized in pixels, which
// no resolution changes; the fixed device only keeps a stray point size
// from following the screen.
QPaintDevice* MetricsDevice() {
  static QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
  }();
  return &device;
}

// The same rasterisation on the offscreen plugin and on an X server: both
// go through FreeType, but an X server adds its own Xft settings (subpixel
// order, hint style) unless the font asks for something definite.
void ApplyRenderingStyle(QFont& font) {
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
}

QFont BaseFont(const QString& family, int pixelSize, bool bold, bool underline) {
  QFont font;
  if (!family.isEmpty()) font.setFamily(family);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setUnderline(underline);
  ApplyRenderingStyle(font);
  return font;
}

int NaturalCell(const QString& family, int pixelSize, bool bold) {
  const QFontMetrics metrics = MetricsAt96Dpi(BaseFont(family, pixelSize, bold, false));
  return metrics.ascent() + metrics.descent();
}

// The whole pixel size whose own cell (ascent + descent) comes nearest to
// `cell`, the smaller one on a tie. Qt sizes glyphs in whole pixels, and a
// font's ascent and descent are rounded separately, so its cell can jump
// by two or three pixels from one size to the next: 61 pixels of the
// display font lie between the cells of 36 (59) and 37 (62).
int EmForCell(const QString& family, bool found, int cell, bool bold) {
  using Key = std::tuple<QString, bool, int, bool>;
  static std::map<Key, int> cache;
  Key key{family, found, cell, bold};
  if (auto it = cache.find(key); it != cache.end()) return it->second;

  // The cell grows with the size: find the largest size whose cell fits,
  // then see whether the next one comes nearer. The cell is close to
  // proportional to the size, so the size per cell of the face's last search
  // (or else one measurement) puts the search within a step or two of the
  // answer; each size measured costs a font engine.
  static std::map<std::pair<QString, bool>, double> sizePerCell;
  const auto learned = sizePerCell.find({family, bold});
  int size = cell;
  if (learned != sizePerCell.end()) {
    size = static_cast<int>(cell * learned->second);
  } else if (const int cellAtCell = NaturalCell(family, cell, bold); cellAtCell > 0) {
    size = cell * cell / cellAtCell;
  }
  size = std::clamp(size, 1, 4 * cell);
  while (size > 1 && NaturalCell(family, size, bold) > cell) --size;
  while (size < 4 * cell && NaturalCell(family, size + 1, bold) <= cell) ++size;
  if (NaturalCell(family, size + 1, bold) - cell < cell - NaturalCell(family, size, bold)) ++size;
  cache[key] = size;
  sizePerCell[{family, bold}] = static_cast<double>(size) / cell;
  return size;
}

}  // namespace

namespace {

/// A face name as the font table knows it, and whether it knows it.
struct FaceResolution {
  QString family;
  bool found = false;
};

// Listing the installed families is slow (every family of the system, as a
// new list), and fonts are made for every control and every canvas font
// change; so the answer is kept per face until the font table changes.
FaceResolution ResolveFace(const std::string& face) {
  const QString wanted = QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size()));
  if (wanted.isEmpty()) return {wanted, false};
  static QHash<QString, FaceResolution> cache;
  static const QGuiApplication* watched = nullptr;
  if (qGuiApp != watched) {
    cache.clear();
    watched = qGuiApp;
    if (qGuiApp)
      QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { cache.clear(); });
  }
  const QString key = wanted.toCaseFolded();
  if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  FaceResolution result{wanted, false};
  for (const QString& family : QFontDatabase::families()) {
    if (family.compare(wanted, Qt::CaseInsensitive) == 0) {
      result = {family, true};
      break;
    }
  }
  if (qGuiApp) cache.insert(key, result);
  return result;
}

}  // namespace

QString ResolveFontFamily(const std::string& face) { return ResolveFace(face).family; }

QFontMetrics MetricsAt96Dpi(const QFont& font) { return QFontMetrics(font, MetricsDevice()); }

int FontPixelSize(const std::string& face, int signedHeight, bool bold) {
  if (signedHeight < 0) return -signedHeight;
  if (signedHeight == 0) return DefaultEmPixels;
  const FaceResolution r = ResolveFace(face);
  return EmForCell(r.family, r.found, signedHeight, bold);
}

QFont MakeFont(const std::string& face, int signedHeight, bool bold, bool underline) {
  const FaceResolution r = ResolveFace(face);
  const QString& family = r.family;
  const bool found = r.found;
  int size = DefaultEmPixels;
  if (signedHeight < 0)
    size = -signedHeight;
  else if (signedHeight > 0)
    size = EmForCell(family, found, signedHeight, bold);
  return BaseFont(family, size, bold, underline);
}

}  // namespace timer555

namespace timer555 {

TextCell MeasureCell(const QFont& font, int signedHeight) {
  const QFontMetrics metrics = MetricsAt96Dpi(font);
  if (signedHeight <= 0) return {metrics.ascent(), metrics.ascent() + metrics.descent()};
  // The asked-for cell, split between ascent and descent as the font's
  // unrounded metrics split its own.
  const QFontMetricsF exact(font, MetricsDevice());
  const double ratio = exact.ascent() / (exact.ascent() + exact.descent());
  return {qRound(signedHeight * ratio), signedHeight};
}

}  // namespace timer555
