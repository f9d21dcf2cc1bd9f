#include "shell/num_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <vector>

#include "installed_recorder.h"

namespace timer555 {
namespace {

using testing::InstalledRecorder;

/// One key as the window system delivers it: key code, modifiers and the
/// text it types (X11 attaches "\x7f" to Delete and "\x1b" to Escape).
struct Key {
  int code;
  QString text;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

Key Char(char c) {
  int code = Qt::Key_unknown;
  if (c >= '0' && c <= '9') code = Qt::Key_0 + (c - '0');
  if (c >= 'a' && c <= 'z') code = Qt::Key_A + (c - 'a');
  if (c == '.') code = Qt::Key_Period;
  if (c == '-') code = Qt::Key_Minus;
  if (c == '+') code = Qt::Key_Plus;
  if (c == ',') code = Qt::Key_Comma;
  if (c == ' ') code = Qt::Key_Space;
  return {code, QString(QChar(c))};
}

const Key kBackspace{Qt::Key_Backspace, "\b"};
const Key kDelete{Qt::Key_Delete, "\x7f"};
const Key kLeft{Qt::Key_Left, ""};
const Key kRight{Qt::Key_Right, ""};
const Key kHome{Qt::Key_Home, ""};
const Key kEnd{Qt::Key_End, ""};
const Key kSelectAll{Qt::Key_A, "\x01", Qt::ControlModifier};
const Key kUndo{Qt::Key_Z, "\x1a", Qt::ControlModifier};
const Key kCtrlB{Qt::Key_B, "\x02", Qt::ControlModifier};
const Key kBareCtrlV{Qt::Key_unknown, "\x16"};  // the character without the shortcut

void Send(QWidget* target, const Key& key) {
  QKeyEvent press(QEvent::KeyPress, key.code, key.modifiers, key.text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key.code, key.modifiers, key.text);
  QApplication::sendEvent(target, &release);
}

std::vector<Key> Typed(const char* text) {
  std::vector<Key> keys;
  for (const char* p = text; *p != '\0'; ++p) keys.push_back(Char(*p));
  return keys;
}

std::vector<Key> Concat(std::vector<Key> a, const std::vector<Key>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(NumEditKeyPress, FiltersOneCharacter) {
  struct Row {
    const char* name;
    char key;
    char expected;
    int beeps;
  };
  const Row rows[] = {
      {"digit zero", '0', '0', 0},
      {"digit nine", '9', '9', 0},
      {"point", '.', '.', 0},
      {"backspace", 8, 8, 0},
      {"enter is swallowed silently", 13, 0, 0},
      {"none stays none silently", 0, 0, 0},
      {"minus", '-', '-', 0},
      {"plus", '+', '+', 0},
      {"comma", ',', 0, 1},
      {"blank", ' ', 0, 1},
      {"letter e", 'e', 'e', 0},
      {"kilo", 'k', 'k', 0},
      {"mega", 'M', 'M', 0},
      {"letter that is no prefix", 'x', 0, 1},
      {"ctrl+v character", 0x16, 0, 1},
      {"escape character", 27, 0, 1},
      {"delete character", 127, 0, 1},
      {"character below zero", '/', 0, 1},
      {"character above nine", ':', 0, 1},
  };
  for (const Row& row : rows) {
    InstalledRecorder platform;
    EXPECT_EQ(TNumEdit::KeyPress(row.key), row.expected) << row.name;
    EXPECT_EQ(platform.recorder.beeps, row.beeps) << row.name;
  }
}

TEST(NumEditKeys, TypingAndEditing) {
  struct Row {
    const char* name;
    const char* start;
    std::vector<Key> keys;
    const char* expected;
    int beeps;
    int limit = 0;
  };
  const QString micro(QChar(0x00B5));
  const std::vector<Row> rows = {
      {"second point beeps", "", Typed("1.5.2"), "1.52", 1},
      {"minus starts a negative number", "", Typed("-5"), "-5", 0},
      {"exponent is typed", "", Typed("1e3"), "1e3", 0},
      {"prefix as the point", "", Typed("4k7"), "4k7", 0},
      {"micro sign", "", {Char('4'), {Qt::Key_unknown, micro}, Char('7')}, "4\u00b57", 0},
      {"second prefix beeps", "", Typed("1kk"), "1k", 1},
      {"letter that is no prefix beeps", "", Typed("1x0"), "10", 1},
      {"comma of 1,000 beeps", "", Typed("1,000"), "1000", 1},
      {"plus comma and blank beep", "", Typed("+1, 2"), "+12", 2},
      {"prefix in front of digits beeps", "123", {kHome, Char('k')}, "123", 1},
      {"exponent in the middle", "13", {kLeft, Char('e')}, "1e3", 0},
      {"typing past the limit beeps", "12345", Typed("67"), "123456", 1, 6},
      {"backspace deletes", "123", {kBackspace}, "12", 0},
      {"delete deletes without a beep", "123", {kLeft, kLeft, kDelete}, "13", 0},
      {"home then digit inserts in front", "123", {kHome, Char('9')}, "9123", 0},
      {"arrows move the cursor", "13", {kHome, kRight, Char('2'), kEnd, Char('4')}, "1234", 0},
      {"select all then digit replaces", "456", {kSelectAll, Char('7')}, "7", 0},
      {"undo takes back typing", "45", Concat(Typed("6"), {kUndo}), "45", 0},
      {"unbound control character beeps", "45", {kCtrlB}, "45", 1},
      {"bare clipboard character beeps", "45", {kBareCtrlV}, "45", 1},
      {"non-ascii character beeps", "45", {{Qt::Key_unknown, QString(QChar(0x00E9))}}, "45", 1},
  };
  for (const Row& row : rows) {
    InstalledRecorder platform;
    TNumEdit edit;
    edit.setTypingLimit(row.limit);
    edit.setText(row.start);
    edit.end(false);
    for (const Key& key : row.keys) Send(&edit, key);
    EXPECT_EQ(edit.text(), QString::fromUtf8(row.expected)) << row.name;
    EXPECT_EQ(platform.recorder.beeps, row.beeps) << row.name;
  }
}

// A paste is taken whole or refused whole with a beep, never filtered into
// another number.
TEST(NumEditKeys, PasteIsTakenWholeOrRefused) {
  struct Row {
    const char* name;
    const char* start;
    bool selectAll;  ///< else at the end
    const char* pasted;
    const char* expected;
    int beeps;
    int limit = 0;
  };
  const Row rows[] = {
      {"number over the selection", "45", true, "1e3", "1e3", 0},
      {"engineering notation", "45", true, "4k7", "4k7", 0},
      {"negative number, for Calculate to refuse", "45", true, "-5", "-5", 0},
      {"blanks around are no part of it", "45", true, " 1000\n", "1000", 0},
      {"completes the number at the cursor", "1", false, "e3", "1e3", 0},
      {"text that is no number", "45", true, "12abc", "45", 1},
      {"thousands separator", "45", true, "1,000", "45", 1},
      {"makes no number at the cursor", "1k", false, "5e3", "1k", 1},
      {"longer than the limit", "45", true, "12345678901", "45", 1, 10},
      {"nothing over a selection deletes it", "45", true, "", "", 0},
  };
  for (const Row& row : rows) {
    InstalledRecorder platform;
    TNumEdit edit;
    edit.setTypingLimit(row.limit);
    edit.setText(row.start);
    if (row.selectAll) edit.selectAll();
    EXPECT_EQ(edit.pasteText(row.pasted), row.beeps == 0) << row.name;
    EXPECT_EQ(edit.text().toStdString(), row.expected) << row.name;
    EXPECT_EQ(platform.recorder.beeps, row.beeps) << row.name;
  }

  // The shortcut goes through the same rule.
  InstalledRecorder platform;
  TNumEdit edit;
  for (const char* clip : {"1,000", "2.2n"}) {
    QApplication::clipboard()->setText(clip);
    Send(&edit, {Qt::Key_V, "\x16", Qt::ControlModifier});
  }
  EXPECT_EQ(edit.text().toStdString(), "2.2n");
  EXPECT_EQ(platform.recorder.beeps, 1);
}

TEST(NumEditKeys, MultiCharacterInputKeepsOnlyAcceptedCharacters) {
  InstalledRecorder platform;
  TNumEdit edit;
  edit.setText("9");
  edit.end(false);
  Send(&edit, {Qt::Key_unknown, "1x2\b3"});
  EXPECT_EQ(edit.text().toStdString(), "913");
  EXPECT_EQ(platform.recorder.beeps, 1);
}

TEST(NumEditKeys, EnterMovesTheFocusToTheNextField) {
  InstalledRecorder platform;
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* frequency = new TNumEdit;
  auto* duty = new TNumEdit;
  layout->addWidget(frequency);
  layout->addWidget(duty);
  window.show();
  frequency->setFocus();
  ASSERT_EQ(window.focusWidget(), frequency);

  frequency->setText("1000");
  Send(frequency, {Qt::Key_Return, "\r"});
  EXPECT_EQ(window.focusWidget(), duty);
  EXPECT_EQ(frequency->text().toStdString(), "1000");

  Send(duty, {Qt::Key_Enter, "\r", Qt::KeypadModifier});
  EXPECT_EQ(window.focusWidget(), frequency) << "the keypad Enter moves on too, round the tab chain";

  Send(frequency, {Qt::Key_M, "\r", Qt::ControlModifier});
  EXPECT_EQ(window.focusWidget(), duty) << "Ctrl+M types code 13 as well";
  EXPECT_EQ(platform.recorder.beeps, 0);
}

TEST(NumEditKeys, EnterInADialogPressesItsDefaultButton) {
  InstalledRecorder platform;
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* field = new TNumEdit;
  auto* other = new QPushButton("Other");
  auto* ok = new QPushButton("OK");
  layout->addWidget(field);
  layout->addWidget(other);
  layout->addWidget(ok);
  ok->setDefault(true);
  int okPresses = 0;
  int otherPresses = 0;
  QObject::connect(ok, &QPushButton::clicked, [&] { ++okPresses; });
  QObject::connect(other, &QPushButton::clicked, [&] { ++otherPresses; });
  dialog.show();
  field->setFocus();
  field->setText("12");

  Send(field, {Qt::Key_Return, "\r"});
  EXPECT_EQ(okPresses, 1);
  EXPECT_EQ(otherPresses, 0);
  EXPECT_EQ(dialog.focusWidget(), field) << "the focus stays when the button takes Enter";
  EXPECT_EQ(field->text().toStdString(), "12");
  EXPECT_EQ(platform.recorder.beeps, 0);
}

}  // namespace
}  // namespace timer555
