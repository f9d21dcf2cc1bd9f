#include "shell/text_lists.h"

#include <QFile>

namespace timer555 {

TextList LoadTextList(const QString& name) {
  TextList lines;
  QFile file(":/text/" + name + ".txt");
  if (!file.open(QIODevice::ReadOnly)) return lines;
  const QByteArray data = file.readAll();
  std::string current;
  for (char ch : data) {
    if (ch == '\r') continue;
    if (ch == '\n') {
      lines.push_back(current);
      current.clear();
    } else {
      current.push_back(ch);
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

}  // namespace timer555
