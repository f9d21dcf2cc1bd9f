#pragma once

#include <QImage>
#include <QString>

namespace timer555::testing {

/// Compares `actual` pixel for pixel with the reference PNG `referencePath`.
///
/// With the environment variable TIMER555_UPDATE_GOLDEN=1 the reference is
/// written instead and the comparison passes. On a mismatch the actual image
/// and a difference image (differing pixels red on a faded copy) are written
/// to TestOutputDir() and the returned text says where; an empty text means
/// the images are equal.
QString CompareWithGolden(const QImage& actual, const QString& referencePath);

/// Where tests write what they produce: TIMER555_TEST_OUTPUT when set, else
/// the build's test-output folder.
QString TestOutputDir();

}  // namespace timer555::testing
