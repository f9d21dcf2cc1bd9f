#include "platform/pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace timer555 {

QImage ReadPicture(const QString& path) {
  QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

QImage WhiteBitmap(QSize size) {
  QImage bitmap;
#ifdef __linux__
  const qsizetype bytesPerLine = qsizetype{size.width()} * 4;
  const size_t bytes = static_cast<size_t>(bytesPerLine) * static_cast<size_t>(std::max(size.height(), 0));
  // Below a few pages the one step gains nothing.
  if (size.width() > 0 && bytes >= size_t{64} * 1024) {
    void* memory =
        mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (memory != MAP_FAILED) {
      struct Mapping {
        void* memory;
        size_t bytes;
      };
      bitmap = QImage(
          static_cast<uchar*>(memory), size.width(), size.height(), bytesPerLine, QImage::Format_RGB32,
          [](void* info) {
            auto* mapping = static_cast<Mapping*>(info);
            munmap(mapping->memory, mapping->bytes);
            delete mapping;
          },
          new Mapping{memory, bytes});
    }
  }
#endif
  if (bitmap.isNull()) bitmap = QImage(size, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  return bitmap;
}

}  // namespace timer555
