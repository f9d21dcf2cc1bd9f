#include "shell/num_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

#include "design/number_syntax.h"
#include "platform/platform_services.h"

namespace timer555 {

namespace {

constexpr char kEnter = 13;
constexpr char kBackspace = 8;

/// Keys that type no character: they edit or move the cursor (or leave the
/// field) and go to the line edit unfiltered, whatever text the platform
/// attaches to them (X11 gives Delete the text "\x7f", Escape "\x1b").
bool IsEditingKey(int key) {
  switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert: return true;
    default: return false;
  }
}

/// Clipboard, undo and select-all shortcuts. On a desktop these are key
/// sequences handled by the line edit, so they keep working here; paste
/// goes through the field's own rule.
bool IsEditShortcut(QKeyEvent* event) {
  return event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) ||
         event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) ||
         event->matches(QKeySequence::Redo) || event->matches(QKeySequence::SelectAll);
}

/// The enabled default push button of the dialog the widget sits in, if any.
QPushButton* DefaultButtonOf(QWidget* widget) {
  auto* dialog = qobject_cast<QDialog*>(widget->window());
  if (dialog == nullptr) return nullptr;
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (button->isDefault() && button->isEnabled()) return button;
  }
  return nullptr;
}

std::string Utf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent) {
  // A dropped text would go in unchecked; typing and pasting are the ways in.
  setAcceptDrops(false);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!writingComputed_) userText_ = text;
  });
}

void TNumEdit::setComputedText(const QString& text) {
  writingComputed_ = true;
  setText(text);
  writingComputed_ = false;
}

void TNumEdit::restoreText(const QString& shown, const QString& typed) {
  setText(typed);
  setComputedText(shown);
}

QString TNumEdit::textWith(const QString& typed) const {
  QString after = text();
  if (hasSelectedText()) {
    after.replace(selectionStart(), selectedText().size(), typed);
  } else {
    after.insert(cursorPosition(), typed);
  }
  return after;
}

bool TNumEdit::pasteText(const QString& text) {
  // Blanks around a copied number (a line's end, a cell's padding) are no
  // part of it; anything else in it is.
  const QString pasted = text.trimmed();
  const QString after = textWith(pasted);
  const bool deletes = pasted.isEmpty();
  if (!deletes && (!ParseNumber(Utf8(after)) || !withinLimit(after))) {
    Platform().beep();
    return false;
  }
  if (!deletes || hasSelectedText()) insert(pasted);
  return true;
}

void TNumEdit::contextMenuEvent(QContextMenuEvent* event) {
  // The standard menu, with its paste command (the entry that names the
  // paste shortcut) going through the field's rule.
  std::unique_ptr<QMenu> menu(createStandardContextMenu());
  const QString pasteKeys = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
  for (QAction* action : menu->actions()) {
    if (!action->text().endsWith(pasteKeys)) continue;
    action->disconnect();
    connect(action, &QAction::triggered, this, [this] { pasteText(QGuiApplication::clipboard()->text()); });
  }
  menu->exec(event->globalPos());
}

void TNumEdit::mouseReleaseEvent(QMouseEvent* event) {
  // X11's middle-button paste of the selection follows the paste rule too.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    if (!isReadOnly()) {
      deselect();
      pasteText(QGuiApplication::clipboard()->text(QClipboard::Selection));
    }
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

char TNumEdit::KeyPress(char key) {
  if (key == kEnter) key = 0;  // the focus move is done by the caller
  // The characters the number syntax is written with (the micro signs are
  // not ASCII and are judged by the field with its text).
  static constexpr std::string_view kSyntax = "0123456789.+-eEpnumkKMG";
  const bool accepted = key == kBackspace || (key != 0 && kSyntax.find(key) != std::string_view::npos);
  if (!accepted && key != 0) {
    Platform().beep();
    key = 0;
  }
  return key;
}

bool TNumEdit::takesTyped(QChar ch) const {
  const QString after = textWith(QString(ch));
  if (CanBecomeNumber(Utf8(after)) && withinLimit(after)) return true;
  Platform().beep();
  return false;
}

void TNumEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();

  // Enter is code 13 however it is typed (Return, keypad Enter, Ctrl+M).
  if (key == Qt::Key_Return || key == Qt::Key_Enter || event->text() == QLatin1String("\r")) {
    KeyPress(kEnter);
    if (OnEnter && OnEnter()) {
      // The owner ran its command.
    } else if (QPushButton* button = DefaultButtonOf(this)) {
      button->click();
    } else {
      focusNextChild();
    }
    event->accept();
    return;
  }

  if (event->matches(QKeySequence::Paste)) {
    pasteText(QGuiApplication::clipboard()->text());
    event->accept();
    return;
  }
  if (IsEditShortcut(event) || IsEditingKey(key) || event->text().isEmpty()) {
    QLineEdit::keyPressEvent(event);
    return;
  }

  const QString text = event->text();
  if (text.size() == 1) {
    // A character the field takes goes to the line edit as the original
    // event, so that selection replacement behaves as usual.
    const bool taken = text[0] == QChar(kBackspace) || takesTyped(text[0]);
    if (taken) {
      QLineEdit::keyPressEvent(event);
    } else {
      event->accept();
    }
    return;
  }

  // Several characters in one event (an input method): each one as if typed
  // on its own, beeping once for each one refused.
  for (QChar ch : text) {
    if (ch == QChar(kBackspace)) {
      backspace();
    } else if (takesTyped(ch)) {
      insert(QString(ch));
    }
  }
  event->accept();
}

}  // namespace timer555
