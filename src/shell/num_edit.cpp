#include "shell/num_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <memory>

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
/// sequences handled by the line edit, so they keep working here; pasted
/// text is deliberately not filtered.
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

/// One typed character as the filter sees it. Characters outside ASCII are
/// never accepted; they are mapped to a refused code, never to 0 (which
/// would mean "no character" and drop them silently).
char FilterCode(QChar ch) {
  const char16_t u = ch.unicode();
  if (u == 0 || u > 0x7f) return '?';
  return static_cast<char>(u);
}

}  // namespace

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent) {
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

void TNumEdit::pasteText(const QString& text) {
  const int room = roomToType();
  insert(room < text.size() ? text.left(std::max(room, 0)) : text);
}

void TNumEdit::contextMenuEvent(QContextMenuEvent* event) {
  // The standard menu, with its paste command (the entry that names the
  // paste shortcut) going through the limit.
  std::unique_ptr<QMenu> menu(createStandardContextMenu());
  const QString pasteKeys = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
  for (QAction* action : menu->actions()) {
    if (!action->text().endsWith(pasteKeys)) continue;
    action->disconnect();
    connect(action, &QAction::triggered, this, [this] { pasteText(QGuiApplication::clipboard()->text()); });
  }
  menu->exec(event->globalPos());
}

int TNumEdit::roomToType() const {
  if (typingLimit_ <= 0) return std::numeric_limits<int>::max();
  return typingLimit_ - static_cast<int>(text().size() - selectedText().size());
}

char TNumEdit::KeyPress(char key) {
  if (key == kEnter) key = 0;  // the focus move is done by the caller
  const bool accepted = (key >= '0' && key <= '9') || key == '.' || key == kBackspace;
  if (!accepted && key != 0) {
    Platform().beep();
    key = 0;
  }
  return key;
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
    // A single accepted character goes to the line edit as the original
    // event, so that selection replacement and overwrite behave as usual.
    const char code = KeyPress(FilterCode(text[0]));
    // Backspace makes room; any other character needs some.
    if (code != 0 && (code == kBackspace || roomToType() > 0)) {
      QLineEdit::keyPressEvent(event);
    } else {
      event->accept();
    }
    return;
  }

  // Several characters in one event (an input method): insert those that
  // pass, beeping once for each one refused.
  QString accepted;
  for (QChar ch : text) {
    const char code = KeyPress(FilterCode(ch));
    if (code == kBackspace) {
      insert(accepted);
      accepted.clear();
      backspace();
    } else if (code != 0 && roomToType() > accepted.size()) {
      accepted += QChar(code);
    }
  }
  if (!accepted.isEmpty()) insert(accepted);
  event->accept();
}

}  // namespace timer555
