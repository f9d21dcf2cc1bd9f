#include "platform/cursors.h"

#include <QFile>
#include <QPixmap>
#include <QPoint>
#include <QVariant>
#include <QWidget>
#include <map>
#include <optional>

#include "platform/pictures.h"

namespace timer555 {

namespace {

// Where each picture points: the centre of the symbols, the pencil's tip.
QPoint HotSpot(const std::string& name) {
  if (name == "CALCULATE") return {7, 27};
  return {15, 15};
}

/// A registered cursor: its picture's name, and the cursor once made.
struct Entry {
  std::string name;
  std::optional<QCursor> cursor;
};

std::map<int, Entry>& Registry() {
  static std::map<int, Entry> cursors;
  return cursors;
}

QString PicturePath(const std::string& name) { return QString::fromStdString(":/cursors/" + name + ".xpm"); }

constexpr char CursorProperty[] = "timer555CursorNumber";

}  // namespace

// Registration only notes the name: decoding the picture and making the
// cursor wait for the first use, so that a start-up that registers cursors
// pays nothing for them before its window is on screen.
bool RegisterCursor(int number, const std::string& resourceName) {
  if (!QFile::exists(PicturePath(resourceName))) return false;
  Registry()[number] = Entry{resourceName, std::nullopt};
  return true;
}

QCursor CursorByNumber(int number) {
  auto it = Registry().find(number);
  if (number == 0 || it == Registry().end()) return QCursor(Qt::ArrowCursor);
  Entry& entry = it->second;
  if (!entry.cursor) {
    const QPixmap picture = QPixmap::fromImage(ReadPicture(PicturePath(entry.name)));
    if (picture.isNull()) return QCursor(Qt::ArrowCursor);
    const QPoint hot = HotSpot(entry.name);
    entry.cursor = QCursor(picture, hot.x(), hot.y());
  }
  return *entry.cursor;
}

void SetControlCursor(QWidget* control, int number) {
  if (!control) return;
  control->setProperty(CursorProperty, number);
  if (number == 0)
    control->unsetCursor();
  else
    control->setCursor(CursorByNumber(number));
}

int ControlCursor(const QWidget* control) {
  if (!control) return 0;
  return control->property(CursorProperty).toInt();
}

}  // namespace timer555
