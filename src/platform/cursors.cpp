#include "platform/cursors.h"

#include <QPixmap>
#include <QPoint>
#include <QVariant>
#include <QWidget>
#include <map>

namespace timer555 {

namespace {

// Where each picture points: the centre of the symbols, the pencil's tip.
QPoint HotSpot(const std::string& name) {
  if (name == "CALCULATE") return {7, 27};
  return {15, 15};
}

std::map<int, QCursor>& Registry() {
  static std::map<int, QCursor> cursors;
  return cursors;
}

constexpr char CursorProperty[] = "timer555CursorNumber";

}  // namespace

bool RegisterCursor(int number, const std::string& resourceName) {
  QPixmap picture(QString::fromStdString(":/cursors/" + resourceName + ".xpm"));
  if (picture.isNull()) return false;
  const QPoint hot = HotSpot(resourceName);
  Registry()[number] = QCursor(picture, hot.x(), hot.y());
  return true;
}

QCursor CursorByNumber(int number) {
  auto it = Registry().find(number);
  if (number == 0 || it == Registry().end()) return QCursor(Qt::ArrowCursor);
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
