#include "rsvg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>

namespace timer555::testing {

namespace {

// The documents carry their texts as outlines, so rsvg-convert runs with a
// fontconfig configuration that knows no font at all: what it draws must
// not depend on the fonts of the machine it runs on.
bool WriteFontConfig(const QString& dir) {
  QFile file(dir + "/fonts.conf");
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QString conf = QString(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <cachedir>%1/cache</cachedir>
</fontconfig>
)")
                           .arg(dir);
  return file.write(conf.toUtf8()) > 0;
}

}  // namespace

bool RsvgAvailable() { return !QStandardPaths::findExecutable("rsvg-convert").isEmpty(); }

QImage RenderWithRsvg(const std::string& svg, const QString& dir, const QString& name, int width, int height,
                      QString& problem) {
  if (!QFile::exists(dir + "/fonts.conf") && !WriteFontConfig(dir)) {
    problem = "cannot write " + dir + "/fonts.conf";
    return {};
  }
  const QString svgPath = dir + "/" + name + ".svg", pngPath = dir + "/" + name + ".png";
  QFile file(svgPath);
  if (!file.open(QIODevice::WriteOnly) || file.write(svg.data(), qint64(svg.size())) != qint64(svg.size())) {
    problem = "cannot write " + svgPath;
    return {};
  }
  file.close();
  QProcess rsvg;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("FONTCONFIG_FILE", dir + "/fonts.conf");
  rsvg.setProcessEnvironment(env);
  rsvg.start("rsvg-convert", {"-w", QString::number(width), "-h", QString::number(height), "-b", "white",
                              "-o", pngPath, svgPath});
  if (!rsvg.waitForFinished(60000) || rsvg.exitCode() != 0) {
    problem = "rsvg-convert failed: " + QString::fromLocal8Bit(rsvg.readAllStandardError());
    return {};
  }
  return QImage(pngPath).convertToFormat(QImage::Format_RGB32);
}

PictureDifference ComparePictures(const QImage& actual, const QImage& expected) {
  PictureDifference d;
  if (actual.size() != expected.size() || actual.isNull()) return {1.0, actual.width() * actual.height()};
  int differing = 0;
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
      const int most = std::max(
          {std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)), std::abs(qBlue(a) - qBlue(e))});
      if (most > 96) ++differing;
      if ((qGray(e) < 32 && qGray(a) >= 224) || (qGray(a) < 32 && qGray(e) >= 224)) ++d.darkMismatches;
    }
  }
  d.share = double(differing) / (expected.width() * expected.height());
  return d;
}

}  // namespace timer555::testing
