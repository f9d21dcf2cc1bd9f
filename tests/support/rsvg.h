#pragma once

#include <QImage>
#include <QString>
#include <string>

namespace timer555::testing {

/// Whether librsvg's rsvg-convert is installed.
bool RsvgAvailable();

/// Renders an SVG document with rsvg-convert to a picture of `width` x
/// `height` on white, with no font available to it.
/// The files go into `dir`, named after `name`. A null image and `problem`
/// set when rsvg-convert fails.
QImage RenderWithRsvg(const std::string& svg, const QString& dir, const QString& name, int width, int height,
                      QString& problem);

/// Compares a rendered SVG with the Qt canvas's picture: the share of
/// pixels whose colour differs by more than 96 in some channel, and the
/// count of pixels nearly black in one and nearly white in the other.
struct PictureDifference {
  double share = 0;
  int darkMismatches = 0;
};
PictureDifference ComparePictures(const QImage& actual, const QImage& expected);

}  // namespace timer555::testing
