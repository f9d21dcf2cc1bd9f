#include "shell/text_lists.h"

#include <QFile>

namespace timer555 {

TextList LoadTextList(const QString& name) {
  QFile file(":/text/" + name + ".txt");
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  return SplitTextLines(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
}

}  // namespace timer555
