#pragma once

#include <QImage>
#include <QString>

namespace timer555 {

/// Reads a picture compiled into the program (":/arrows.xpm") by the format
/// its name ends in. Unlike QImage(path), which lets every image format
/// plugin of the system look at the data first (loading each of them), only
/// Qt's own reader of that format runs. A null image if it cannot be read.
QImage ReadPicture(const QString& path);

/// A white RGB32 bitmap of `size` pixels. A large one gets all its memory
/// from the system in one step rather than a page at a time as it is first
/// written, which on some machines takes as long as drawing into it.
QImage WhiteBitmap(QSize size);

}  // namespace timer555
