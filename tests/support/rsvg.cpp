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

// librsvg takes its fonts from fontconfig and passes over @font-face, so
// rsvg-convert runs with a configuration that knows only the build's
// display font and Liberation Sans (as "Arial"), rendered as the Qt canvas
// renders them: grey-scale antialiasing without hinting, bold made from the
// regular face where a face has no bold of its own.
//
// The display font is copied into a folder of its own first: fontconfig
// would otherwise scan the whole program folder, where a running program
// (another test) writes and removes its font copy.
bool WriteFontConfig(const QString& dir) {
  if (!QDir().mkpath(dir + "/fonts") ||
      (!QFile::exists(dir + "/fonts/appfont.ttf") &&
       !QFile::copy(QCoreApplication::applicationDirPath() + "/appfont.dat", dir + "/fonts/appfont.ttf"))) {
    return false;
  }
  QFile file(dir + "/fonts.conf");
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QString conf = QString(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>%1</dir>
  <dir>%2</dir>
  <cachedir>%3/cache</cachedir>
  <alias binding="same"><family>Arial</family><prefer><family>Liberation Sans</family></prefer></alias>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>false</bool></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
  </match>
  <match target="font">
    <test name="weight" compare="less_eq"><const>medium</const></test>
    <test target="pattern" name="weight" compare="more"><const>medium</const></test>
    <edit name="embolden" mode="assign"><bool>true</bool></edit>
    <edit name="weight" mode="assign"><const>bold</const></edit>
  </match>
</fontconfig>
)")
                           .arg(dir + "/fonts", "/usr/share/fonts/truetype/liberation2", dir);
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
