#include "golden_image.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>

namespace timer555::testing {

QString CompareWithGolden(const QImage& actualIn, const QString& referencePath) {
  const QImage actual = actualIn.convertToFormat(QImage::Format_RGB32);
  if (qEnvironmentVariable("TIMER555_UPDATE_GOLDEN") == "1") {
    QDir().mkpath(QFileInfo(referencePath).absolutePath());
    if (!actual.save(referencePath, "PNG")) return "could not write " + referencePath;
    return {};
  }
  QImage reference(referencePath);
  if (reference.isNull())
    return "missing reference image " + referencePath + " (set TIMER555_UPDATE_GOLDEN=1)";
  reference = reference.convertToFormat(QImage::Format_RGB32);

  const QString outDir = TestOutputDir();
  QDir().mkpath(outDir);
  const QString base = outDir + "/" + QFileInfo(referencePath).completeBaseName();
  if (reference.size() != actual.size()) {
    actual.save(base + ".actual.png", "PNG");
    return QString("size %1x%2 differs from reference %3x%4; actual written to %5.actual.png")
        .arg(actual.width())
        .arg(actual.height())
        .arg(reference.width())
        .arg(reference.height())
        .arg(base);
  }
  QImage diff(actual.size(), QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const QRgb a = actual.pixel(x, y), r = reference.pixel(x, y);
      if (a != r) {
        ++differing;
        diff.setPixel(x, y, qRgb(255, 0, 0));
      } else {
        const int grey = 200 + qGray(a) * 55 / 255;
        diff.setPixel(x, y, qRgb(grey, grey, grey));
      }
    }
  }
  if (differing == 0) return {};
  actual.save(base + ".actual.png", "PNG");
  diff.save(base + ".diff.png", "PNG");
  return QString("%1 pixels differ from %2; see %3.actual.png and %3.diff.png")
      .arg(differing)
      .arg(referencePath)
      .arg(base);
}

QString TestOutputDir() {
  return qEnvironmentVariable("TIMER555_TEST_OUTPUT", QStringLiteral(TIMER555_TEST_OUTPUT_DIR));
}

}  // namespace timer555::testing
