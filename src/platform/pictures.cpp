#include "platform/pictures.h"

#include <QFileInfo>
#include <QImageReader>

namespace timer555 {

QImage ReadPicture(const QString& path) {
  QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace timer555
