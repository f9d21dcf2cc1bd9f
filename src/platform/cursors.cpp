#include "platform/cursors.h"

#include <QFile>
#include <QPixmap>
#include <QPoint>
#include <QVariant>
#include <QWidget>
#include <map>

#include "platform/pictures.h"

namespace timer555 {

namespace {

// Where each picture points: the centre of the symbols, the pencil's tip.
QPoint HotSpot(const std::string& name) {
  if (name == "CALCULATE") return {7, 27};
  return {15, 15};
}

// The cursors by number: the pictures ":/cursors/NAME.xpm".
const char* CursorName(int number) {
  switch (number) {
    case 20: return "CROSSHAIR";
    case 21: return "CALCULATE";
    case 22: return "CAPACITOR";
    case 23: return "RESISTOR";
    default: return nullptr;
  }
}

QString PicturePath(const std::string& name) { return QString::fromStdString(":/cursors/" + name + ".xpm"); }

constexpr char CursorProperty[] = "timer555CursorNumber";

QCursor MakeCursor(const std::string& name) {
  const QPixmap picture = QPixmap::fromImage(ReadPicture(PicturePath(name)));
  if (picture.isNull()) return QCursor(Qt::ArrowCursor);
  const QPoint hot = HotSpot(name);
  return QCursor(picture, hot.x(), hot.y());
}

}  // namespace

bool CursorPictureExists(int number) {
  const char* name = CursorName(number);
  return name != nullptr && QFile::exists(PicturePath(name));
}

// The pictures are decoded on first use, so that a start-up pays nothing
// for them before its window is on screen; a cursor is a pure function of
// its number, so the cache never needs to be cleared.
QCursor CursorByNumber(int number) {
  const char* name = CursorName(number);
  if (name == nullptr) return QCursor(Qt::ArrowCursor);
  static std::map<int, QCursor> cache;
  auto it = cache.find(number);
  if (it == cache.end()) it = cache.emplace(number, MakeCursor(name)).first;
  return it->second;
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
