#include "testsupport/key_presses.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace timer555 {

namespace {

/// The text of the key as an X11 keyboard sends it.
QString KeyText(QKeyCombination key) {
  const int code = key.key();
  const Qt::KeyboardModifiers mods = key.keyboardModifiers();
  switch (code) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Delete: return QStringLiteral("\x7f");
    default: break;
  }
  if (mods & (Qt::AltModifier | Qt::MetaModifier)) return {};
  if (code >= Qt::Key_A && code <= Qt::Key_Z) {
    if (mods & Qt::ControlModifier) return QString(QChar(code - Qt::Key_A + 1));
    return QString(QChar(mods & Qt::ShiftModifier ? code : code - Qt::Key_A + 'a'));
  }
  if (code >= Qt::Key_Space && code <= Qt::Key_AsciiTilde && !(mods & Qt::ControlModifier))
    return QString(QChar(code));
  return {};
}

}  // namespace

std::optional<QKeyCombination> KeyFromName(const std::string& name) {
  const QKeySequence sequence =
      QKeySequence::fromString(QString::fromStdString(name), QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown || sequence[0].key() == 0)
    return std::nullopt;
  return sequence[0];
}

void PressKey(QWidget* target, QKeyCombination key) {
  const QString text = KeyText(key);
  QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers(), text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key.key(), key.keyboardModifiers(), text);
  QApplication::sendEvent(target, &release);
}

}  // namespace timer555
